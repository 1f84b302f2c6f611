// The project of the performance budget: 1000 programs in 40 groups, every program with
// references, commands and an icon from a library of 184 icon groups (about 15 MB, sizes 16 to
// 128 pixels, as real libraries carry them). Each measured operation runs beside its baseline,
// and the ratios are printed at the end.
//
// `bench_project --fixture DIR` writes the project and its library into DIR and exits, for
// timing whole processes (setwright-cli dump against Python's configparser parsing the file).

#include <benchmark/benchmark.h>

#include "ratio_reporter.h"

#include <QGuiApplication>
#include <QProcess>
#include <cstdio>
#include <cstring>
#include <memory>
#include <set>
#include <string>

#include "model/project.h"
#include "model/project_document.h"
#include "model/project_writer.h"
#include "platform/file_io.h"
#include "platform/file_replace.h"
#include "platform/files.h"
#include "platform/icon_extractor.h"
#include "platform/text.h"
#include "support/icon_fixtures.h"
#include "support/project_generator.h"
#include "support/temp_dir.h"

namespace {

constexpr int kLibraryGroups = 184;

// One icon group as a real library has it: a 32-bit image at each common size.
sw::testing::IconGroup LibraryGroup(int id) {
  sw::testing::IconGroup group;
  group.id = id;
  for (int size : {16, 24, 32, 48, 128}) {
    const QRgb colour = sw::testing::iconLibraryColour(id - 1);
    group.images.push_back(sw::testing::dibImage(sw::testing::solidPicture(size, size, colour), 32));
  }
  return group;
}

std::string LargeIconLibrary() {
  std::vector<sw::testing::IconGroup> groups;
  for (int id = 1; id <= kLibraryGroups; ++id) groups.push_back(LibraryGroup(id));
  return sw::testing::makePeFile(groups);
}

// Writes the project and its library into `folder` (host path); returns the project's bytes.
std::string WriteFixture(const std::string& folder) {
  sw::files::ReplaceOptions options;
  (void)sw::files::replaceFile(folder + "/icons.dll", LargeIconLibrary(), options);
  sw::Project project;
  sw::testing::GeneratorOptions generator;
  generator.groups = 40;
  generator.programs = 1000;
  generator.referencesPerProgram = 3;
  generator.iconLibrary = "icons.dll";
  generator.iconCount = kLibraryGroups;
  sw::testing::GenerateProject(project, generator);
  project.Settings.RootInstallDir = "%ROOT%";  // the library lies in the project root
  sw::RenumberPrograms(project);
  const std::string file = folder + "/setup.ini";
  if (const sw::Status saved = sw::SaveProject(project, file, file); !saved) {
    std::fprintf(stderr, "cannot save the project: %s\n", saved.text().c_str());
  }
  return sw::files::readFile(file).value();
}

// The generated project on disk, made once for the whole run.
struct BenchProject {
  sw::testing::TempDir dir;
  std::string root = sw::text::fromUtf8(dir.path());
  std::string file = dir.file("setup.ini");
  std::string library = dir.file("icons.dll");
  std::string bytes = WriteFixture(dir.path());
};

BenchProject& benchProject() {
  static BenchProject project;
  return project;
}

// What a load cannot do with less: the project's bytes, the library's icon resources, and
// each icon the programs use decoded once in both sizes.
void BM_LoadBaseline_ReadFileAndDecodeUsedIcons(benchmark::State& state) {
  BenchProject& bench = benchProject();
  for (auto _ : state) {
    benchmark::DoNotOptimize(sw::files::readFile(bench.file));
    const sw::IconSource library = sw::IconSource::fromFile(bench.library);
    for (int i = 0; i < library.count(); ++i) {
      benchmark::DoNotOptimize(library.extract(i, sw::kSmallIconSize));
      benchmark::DoNotOptimize(library.extract(i, sw::kLargeIconSize));
    }
  }
}
BENCHMARK(BM_LoadBaseline_ReadFileAndDecodeUsedIcons)->Unit(benchmark::kMillisecond);

void BM_LoadProject(benchmark::State& state) {
  BenchProject& bench = benchProject();
  const std::string path = sw::text::fromUtf8(bench.file);
  for (auto _ : state) {
    state.PauseTiming();
    auto document = std::make_unique<sw::ProjectDocument>();
    sw::files::clearPathCache();
    state.ResumeTiming();
    if (!document->open(path, bench.root)) state.SkipWithError("the project did not load");
    benchmark::DoNotOptimize(document->project().Groups.size());
    state.PauseTiming();
    document.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_LoadProject)->Unit(benchmark::kMillisecond);

// The same bytes written the way the editor must write a project: a temporary file, synced,
// then renamed over the old one.
void BM_SaveBaseline_AtomicSyncedWrite(benchmark::State& state) {
  BenchProject& bench = benchProject();
  const std::string path = bench.dir.file("baseline.ini");
  for (auto _ : state) {
    if (!sw::files::replaceFile(path, bench.bytes)) state.SkipWithError("cannot write the baseline file");
  }
}
BENCHMARK(BM_SaveBaseline_AtomicSyncedWrite)->Unit(benchmark::kMillisecond);

void BM_RenumberAndSave(benchmark::State& state) {
  BenchProject& bench = benchProject();
  sw::ProjectDocument document;
  if (!document.open(sw::text::fromUtf8(bench.file), bench.root)) {
    state.SkipWithError("the project did not load");
    return;
  }
  const std::string path = bench.dir.file("saved.ini");
  for (auto _ : state) {
    sw::RenumberPrograms(document.project());
    if (!sw::SaveProject(document.project(), path, path)) state.SkipWithError("the save failed");
  }
}
BENCHMARK(BM_RenumberAndSave)->Unit(benchmark::kMillisecond);

void RunProcess(benchmark::State& state, const QString& program, const QStringList& arguments) {
  for (auto _ : state) {
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
      state.SkipWithError("the process failed");
    }
  }
}

void BM_DumpProcess(benchmark::State& state) {
  BenchProject& bench = benchProject();
  RunProcess(state, QStringLiteral(SETWRIGHT_CLI_PATH),
             {QStringLiteral("dump"), QString::fromStdString(bench.file), QStringLiteral("--root"),
              QString::fromStdString(bench.dir.path())});
}
BENCHMARK(BM_DumpProcess)->Unit(benchmark::kMillisecond);

// A peer that merely parses the same file: no defaults, references, icons or selection rules.
void BM_DumpBaseline_ConfigParserProcess(benchmark::State& state) {
  BenchProject& bench = benchProject();
  RunProcess(state, QStringLiteral("python3"),
             {QStringLiteral("-c"),
              QStringLiteral("import configparser,sys\n"
                             "p=configparser.ConfigParser(strict=False,interpolation=None)\n"
                             "p.read(sys.argv[1],encoding='cp1251')"),
              QString::fromStdString(bench.file)});
}
BENCHMARK(BM_DumpBaseline_ConfigParserProcess)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc == 3 && std::strcmp(argv[1], "--fixture") == 0) {
    WriteFixture(argv[2]);
    return 0;
  }
  sw::bench::KeepFreedMemory();
  benchmark::Initialize(&argc, argv);
  sw::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const BenchProject& bench = benchProject();
  std::printf("\nproject file: %zu bytes, 1000 programs in 40 groups; icon library: %lld bytes, %d groups\n",
              bench.bytes.size(), static_cast<long long>(sw::files::readFile(bench.library)->size()),
              kLibraryGroups);
  reporter.printRatio("LoadProject / (read + decode used icons)", "BM_LoadProject",
                      "BM_LoadBaseline_ReadFileAndDecodeUsedIcons", 10);
  reporter.printRatio("RenumberPrograms + SaveProject / atomic synced write", "BM_RenumberAndSave",
                      "BM_SaveBaseline_AtomicSyncedWrite", 5);
  reporter.printRatio("setwright-cli dump / configparser (whole processes)", "BM_DumpProcess",
                      "BM_DumpBaseline_ConfigParserProcess", 1);
  benchmark::Shutdown();
  return 0;
}
