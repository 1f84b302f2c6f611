// The project check on the project of the performance budget (1000 programs in 40 groups, each
// with its own icon from a 300-icon library), against `dump` of the same project: both run
// in-process through the command line's own entry, output to a string.

#include <benchmark/benchmark.h>

#include "budget_project.h"
#include "ratio_reporter.h"

#include <QCoreApplication>
#include <sstream>
#include <string>

#include "cli/commands.h"
#include "support/temp_dir.h"

namespace {

struct BudgetFolder {
  sw::testing::TempDir dir;
  bool written = sw::bench::writeBudgetProject(dir.path());
};

const BudgetFolder& budgetFolder() {
  static const BudgetFolder folder;
  return folder;
}

void runCommand(benchmark::State& state, const char* command) {
  const BudgetFolder& folder = budgetFolder();
  if (!folder.written) {
    state.SkipWithError("the project could not be written");
    return;
  }
  const sw::cli::Arguments args{command, folder.dir.file("setup.ini"), "--root", folder.dir.path()};
  for (auto _ : state) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = sw::cli::runCli(args, out, err);
    if (status != sw::cli::kExitOk && status != sw::cli::kExitFindings) {
      state.SkipWithError(err.str().c_str());
      return;
    }
    benchmark::DoNotOptimize(out.str().size());
  }
}

void BM_Dump(benchmark::State& state) { runCommand(state, "dump"); }
void BM_Check(benchmark::State& state) { runCommand(state, "check"); }
BENCHMARK(BM_Dump)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Check)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  sw::bench::KeepFreedMemory();
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  sw::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printRatio("check / dump, 1000 programs", "BM_Check", "BM_Dump", 2.0);
  benchmark::Shutdown();
  return 0;
}
