// The editor's window on the project of the performance budget, loaded through the start page as
// a user opens it:
//  - entering the groups page from the stages page (FillGroupsPage) and the programs page from
//    the groups page (FillProgramsPage), each drawn; the first entry, which also builds the page,
//    is timed on its own;
//  - selecting the next program in the tree with the real program panel: the old one stored, the
//    new one shown with its reference texts, drawn.
// With --project-dir=DIR it only writes the project into DIR, for a whole-process measure of the
// editor's memory (startup_editor SETTINGS DIR/setup.ini shows page 4 of it).

#include <benchmark/benchmark.h>

#include "budget_project.h"
#include "ratio_reporter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "model/project.h"
#include "programs/program_tree.h"
#include "support/temp_dir.h"
#include "wizard/main_window.h"

namespace {

void settle() { QCoreApplication::processEvents(); }

struct BudgetWindow {
  sw::testing::TempDir dir;
  std::unique_ptr<sw::TSetwrightFm> window;
  bool loaded = false;

  BudgetWindow() {
    if (!sw::bench::writeBudgetProject(dir.path())) return;
    sw::MainWindowOptions options;
    options.settingsFile = dir.file("setwright.ini");
    options.projectFile = QString::fromStdString(dir.file("setup.ini"));
    options.rootFolder = QString::fromStdString(dir.path());
    window = std::make_unique<sw::TSetwrightFm>(options);
    window->resize(646, 613);
    window->show();
    settle();
    next();
    loaded = window->currentPage() == 1 &&
             sw::ProgramCount(window->document().project()) == sw::bench::kBudgetPrograms;
  }

  void press(const char* name) {
    window->findChild<QPushButton*>(QString::fromLatin1(name))->click();
    settle();
  }
  void next() { press("NextBt"); }
  void back() { press("PrevBt"); }
  void walkTo(int page) {
    while (window->currentPage() < page) next();
    while (window->currentPage() > page) back();
  }
};

BudgetWindow& budgetWindow() {
  static BudgetWindow window;
  return window;
}

// The first entry into `page` from the page before it, which builds the page too.
double firstEntryMs(int page) {
  BudgetWindow& budget = budgetWindow();
  budget.walkTo(page - 1);
  QElapsedTimer timer;
  timer.start();
  budget.next();
  return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

void enterPage(benchmark::State& state, int page) {
  BudgetWindow& budget = budgetWindow();
  budget.walkTo(page - 1);
  for (auto _ : state) {
    budget.next();
    state.PauseTiming();
    budget.back();
    state.ResumeTiming();
  }
  if (budget.window->currentPage() != page - 1) state.SkipWithError("the page did not change");
}

void BM_EnterGroupsPage(benchmark::State& state) { enterPage(state, 3); }
BENCHMARK(BM_EnterGroupsPage)->Unit(benchmark::kMillisecond);

void BM_EnterProgramsPage(benchmark::State& state) { enterPage(state, 4); }
BENCHMARK(BM_EnterProgramsPage)->Unit(benchmark::kMillisecond);

void BM_SelectNextProgramWithPanel(benchmark::State& state) {
  BudgetWindow& budget = budgetWindow();
  budget.walkTo(4);
  auto* tree = budget.window->findChild<sw::SelectProgTree*>(QStringLiteral("SelectProgTree"));
  std::vector<QTreeWidgetItem*> programs;
  for (const auto& group : budget.window->document().project().Groups) {
    for (const auto& program : group->Items) programs.push_back(program->Node);
  }
  std::size_t next = 0;
  for (auto _ : state) {
    tree->selectNode(programs[next]);
    settle();
    next = (next + 1) % programs.size();
  }
  if (tree->currentItem() == nullptr) state.SkipWithError("no program became current");
}
BENCHMARK(BM_SelectNextProgramWithPanel)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  constexpr std::string_view kProjectDir = "--project-dir=";
  if (argc == 2 && std::string_view(argv[1]).starts_with(kProjectDir)) {
    QCoreApplication app(argc, argv);
    return sw::bench::writeBudgetProject(std::string(argv[1] + kProjectDir.size())) ? 0 : 1;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  sw::bench::KeepFreedMemory();
  benchmark::Initialize(&argc, argv);
  if (!budgetWindow().loaded) {
    std::fprintf(stderr, "the budget's project did not load in the window\n");
    return 1;
  }
  const double firstGroups = firstEntryMs(3);
  const double firstPrograms = firstEntryMs(4);
  sw::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\n1000 programs in 40 groups, in the editor's window\n");
  std::printf("%-52s real %8.1f ms\n", "first entry into the groups page (builds it)", firstGroups);
  std::printf("%-52s real %8.1f ms\n", "first entry into the programs page (builds it)", firstPrograms);
  reporter.printFigure("entering the groups page (budget under 50 ms)", "BM_EnterGroupsPage");
  reporter.printFigure("entering the programs page (budget under 50 ms)", "BM_EnterProgramsPage");
  reporter.printFigure("select the next program, real panel (under 2 ms)", "BM_SelectNextProgramWithPanel");
  budgetWindow().window.reset();
  benchmark::Shutdown();
  return 0;
}
