// Reading and parsing a 1 MB project-like profile and answering every key, against reading
// its bytes with one read and against a plain memchr scan over them.
#include <benchmark/benchmark.h>

#include "ratio_reporter.h"

#include <QTemporaryDir>
#include <cstring>
#include <fstream>
#include <string>

#include "platform/file_io.h"
#include "platform/profile_reader.h"

namespace {

// A project of the usual shape: header sections, a group list, then program sections.
std::string makeProject(std::size_t targetSize) {
  std::string out =
      "[Common_Info]\r\nVer=2.0\r\nAutor=\xC8\xE2\xE0\xED\xEE\xE2\r\nDescription=Benchmark project\r\n"
      "Date=01.02.03\r\n\r\n[Setup]\r\nRootInstallDir=%ProgramFiles%\\Soft\r\nLogInstall=1\r\n\r\n"
      "[SoftwareGroup]\r\n";
  for (int g = 0; g < 40; ++g)
    out += "Group" + std::to_string(g) + "=\xC3\xF0\xF3\xEF\xEF\xE0 " + std::to_string(g) + "\r\n";
  for (int item = 0; out.size() < targetSize; ++item) {
    char number[16];
    std::snprintf(number, sizeof number, "%3.3d", item);
    out += std::string("\r\n[Installitem_") + number + "]\r\n";
    out += "Group=Group" + std::to_string(item % 40) + "\r\n";
    out += "Caption=\xCF\xF0\xEE\xE3\xF0\xE0\xEC\xEC\xE0 " + std::to_string(item) + "\r\n";
    out += "Description=A program that the benchmark installs, number " + std::to_string(item) + "\r\n";
    out += "Depends=Installitem_001;Installitem_002;\r\nDependsOr=\r\nExclude=Installitem_003\r\n";
    out += "Folder=%ROOT%\\Programs\\Program" + std::to_string(item) + "\r\n";
    out += "Command1=\"setup.exe\" /S /D=%ProgramFiles%\\Program" + std::to_string(item) + "\r\n";
    out += "Command2=\r\nPreRegFile=settings.reg\r\nIconFile=%ROOT%\\Icons\\lib.icl\r\nIconNumber=" +
           std::to_string(item % 300) + "\r\nDefault=1\r\nFixed=0\r\nVisible=1\r\nRebootNeed=0\r\n";
  }
  return out;
}

struct Fixture {
  QTemporaryDir dir;
  std::string path;
  std::size_t size = 0;
  Fixture() {
    path = dir.filePath("project.ini").toStdString();
    const std::string bytes = makeProject(1 << 20);
    size = bytes.size();
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
};

Fixture& fixture() {
  static Fixture instance;
  return instance;
}

sw::ProfileFile readProfile() {
  sw::Result<sw::ProfileFile> file = sw::ProfileFile::read(fixture().path);
  return file ? std::move(file).value() : sw::ProfileFile();
}

// Every value the file holds, asked by the names its lists give.
std::size_t answerEveryKey(const sw::ProfileFile& file) {
  std::size_t answers = 0;
  for (const auto& section : file.sectionNames())
    for (const auto& key : file.keyNames(section)) {
      benchmark::DoNotOptimize(file.readString(section, key, ""));
      ++answers;
    }
  return answers;
}

// Baseline: the bytes read as the reader reads them, with one read of the exact size.
void BM_ReadBytes(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(sw::files::readFile(fixture().path));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fixture().size));
}

void BM_ReadAndScanLines(benchmark::State& state) {
  for (auto _ : state) {
    const std::string bytes = sw::files::readFile(fixture().path).value();
    std::size_t lines = 0;
    for (const char* p = bytes.data();
         (p = static_cast<const char*>(std::memchr(p, '\n', bytes.data() + bytes.size() - p))); ++p)
      ++lines;
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fixture().size));
}

void BM_ReadProfile(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(readProfile());
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fixture().size));
}

void BM_ReadAndAnswerEveryKey(benchmark::State& state) {
  std::size_t answers = 0;
  for (auto _ : state) answers = answerEveryKey(readProfile());
  state.counters["answers"] = static_cast<double>(answers);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fixture().size));
}

// The lookups alone, on a file parsed once: the section and key tables at work.
void BM_AnswerEveryKey(benchmark::State& state) {
  const sw::ProfileFile file = readProfile();
  std::size_t answers = 0;
  for (auto _ : state) answers = answerEveryKey(file);
  state.counters["answers"] = static_cast<double>(answers);
}

}  // namespace

BENCHMARK(BM_ReadBytes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadAndScanLines)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadProfile)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadAndAnswerEveryKey)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AnswerEveryKey)->Unit(benchmark::kMicrosecond);
int main(int argc, char** argv) {
  sw::bench::KeepFreedMemory();
  benchmark::Initialize(&argc, argv);
  sw::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printRatio("read + parse / read the bytes", "BM_ReadProfile", "BM_ReadBytes");
  reporter.printRatio("read + parse / read and scan the lines", "BM_ReadProfile", "BM_ReadAndScanLines");
  reporter.printRatio("read + answer every key / read the bytes", "BM_ReadAndAnswerEveryKey", "BM_ReadBytes");
  reporter.printRatio("answer every key (parsed) / read the bytes", "BM_AnswerEveryKey", "BM_ReadBytes");
  benchmark::Shutdown();
  return 0;
}
