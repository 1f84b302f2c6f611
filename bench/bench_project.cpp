// The project of the performance budget: 1000 programs in 40 groups, every program with
// references, commands and an icon from a 300-icon library. Each measured operation runs
// beside its baseline, and the ratios are printed at the end.

#include <benchmark/benchmark.h>

#include "ratio_reporter.h"

#include <QGuiApplication>
#include <QProcess>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>

#include "model/builtin_pictures.h"
#include "model/project.h"
#include "model/project_reader.h"
#include "model/project_writer.h"
#include "platform/file_io.h"
#include "platform/file_replace.h"
#include "platform/files.h"
#include "platform/icon_extractor.h"
#include "platform/image_list.h"
#include "platform/text.h"
#include "support/icon_fixtures.h"
#include "support/project_generator.h"
#include "support/temp_dir.h"

namespace {

constexpr int kLibraryIcons = 300;

// The generated project on disk, made once for the whole run.
struct BenchProject {
  sw::testing::TempDir dir;
  std::string root;     // 1251
  std::string file;     // host path of the project file
  std::string library;  // host path of the icon library
  std::string bytes;    // the project file's bytes

  BenchProject() {
    root = sw::text::fromUtf8(dir.path());
    library = dir.write("icons.dll", sw::testing::makeIconLibraryDll(kLibraryIcons));
    sw::Project project;
    sw::CreateProjectLists(project);
    sw::testing::GeneratorOptions options;
    options.groups = 40;
    options.programs = 1000;
    options.referencesPerProgram = 3;
    options.iconLibrary = "icons.dll";
    options.iconCount = kLibraryIcons;
    sw::testing::GenerateProject(project, options);
    project.Settings.RootInstallDir = "%ROOT%";  // the library lies in the project root
    sw::RenumberPrograms(project);
    file = dir.file("setup.ini");
    const sw::Status saved = sw::SaveProject(project, file, file);
    if (!saved) std::fprintf(stderr, "cannot save the project: %s\n", saved.text().c_str());
    bytes = dir.read("setup.ini");
  }
};

BenchProject& benchProject() {
  static BenchProject project;
  return project;
}

// A project set up as the editor's window sets it up before a load.
struct LoadTarget {
  sw::ImageList small{16, 20};
  sw::ImageList large{32, 32};
  sw::Project project;

  explicit LoadTarget(const std::string& root) {
    sw::CreateProjectLists(project);
    sw::FillBuiltinPictures(small, large);
    project.SmallProgramImages = &small;
    project.LargeProgramImages = &large;
    project.EditorMode = true;
    project.ProjectRootFolder = root;
  }
};

void BM_LoadBaseline_ReadFileAndDecodeLibrary(benchmark::State& state) {
  BenchProject& bench = benchProject();
  for (auto _ : state) {
    const auto bytes = sw::files::readFile(bench.file);
    benchmark::DoNotOptimize(bytes);
    const sw::IconSource library = sw::IconSource::fromFile(bench.library);
    for (int i = 0; i < library.count(); ++i) {
      benchmark::DoNotOptimize(library.extract(i, sw::kSmallIconSize));
      benchmark::DoNotOptimize(library.extract(i, sw::kLargeIconSize));
    }
  }
}
BENCHMARK(BM_LoadBaseline_ReadFileAndDecodeLibrary)->Unit(benchmark::kMillisecond);

void BM_LoadProject(benchmark::State& state) {
  BenchProject& bench = benchProject();
  const std::string path = sw::text::fromUtf8(bench.file);
  for (auto _ : state) {
    state.PauseTiming();
    auto target = std::make_unique<LoadTarget>(bench.root);
    sw::files::clearPathCache();
    state.ResumeTiming();
    if (!sw::LoadProject(target->project, path).ok()) state.SkipWithError("the project did not load");
    benchmark::DoNotOptimize(target->project.Groups.size());
    state.PauseTiming();
    target.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_LoadProject)->Unit(benchmark::kMillisecond);

void BM_SaveBaseline_WriteBytes(benchmark::State& state) {
  BenchProject& bench = benchProject();
  const std::string path = bench.dir.file("baseline.ini");
  for (auto _ : state) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bench.bytes.data(), static_cast<std::streamsize>(bench.bytes.size()));
    out.close();
    if (!out) state.SkipWithError("cannot write the baseline file");
  }
}
BENCHMARK(BM_SaveBaseline_WriteBytes)->Unit(benchmark::kMillisecond);

// The same bytes written the way the editor must write a project: a temporary file, flushed,
// then renamed over the old one.
void BM_SaveBaseline_AtomicReplace(benchmark::State& state) {
  BenchProject& bench = benchProject();
  const std::string path = bench.dir.file("baseline-atomic.ini");
  for (auto _ : state) {
    if (!sw::files::replaceFile(path, bench.bytes))
      state.SkipWithError("cannot write the baseline file");
  }
}
BENCHMARK(BM_SaveBaseline_AtomicReplace)->Unit(benchmark::kMillisecond);

void BM_RenumberAndSave(benchmark::State& state) {
  BenchProject& bench = benchProject();
  LoadTarget target(bench.root);
  if (!sw::LoadProject(target.project, sw::text::fromUtf8(bench.file)).ok()) {
    state.SkipWithError("the project did not load");
    return;
  }
  const std::string path = bench.dir.file("saved.ini");
  for (auto _ : state) {
    sw::RenumberPrograms(target.project);
    if (!sw::SaveProject(target.project, path, path)) state.SkipWithError("the save failed");
  }
}
BENCHMARK(BM_RenumberAndSave)->Unit(benchmark::kMillisecond);

void BM_DumpProcess(benchmark::State& state) {
  BenchProject& bench = benchProject();
  const QStringList arguments = {QStringLiteral("dump"), QString::fromStdString(bench.file),
                                 QStringLiteral("--root"), QString::fromStdString(bench.dir.path())};
  for (auto _ : state) {
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(QStringLiteral(SETWRIGHT_CLI_PATH), arguments);
    if (!process.waitForFinished(120000) || process.exitCode() != 0) state.SkipWithError("dump failed");
  }
}
BENCHMARK(BM_DumpProcess)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  sw::bench::KeepFreedMemory();
  benchmark::Initialize(&argc, argv);
  sw::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nproject file: %zu bytes, 1000 programs in 40 groups, %d library icons\n",
              benchProject().bytes.size(), kLibraryIcons);
  reporter.printRatio("LoadProject / (read + decode library)", "BM_LoadProject",
                      "BM_LoadBaseline_ReadFileAndDecodeLibrary", 10);
  reporter.printRatio("RenumberPrograms + SaveProject / plain write", "BM_RenumberAndSave",
                      "BM_SaveBaseline_WriteBytes", 5);
  reporter.printRatio("RenumberPrograms + SaveProject / atomic write", "BM_RenumberAndSave",
                      "BM_SaveBaseline_AtomicReplace", 5);
  reporter.printFigure("setwright-cli dump (whole process)", "BM_DumpProcess");
  benchmark::Shutdown();
  return 0;
}
