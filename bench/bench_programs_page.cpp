// The programs page on the project of the performance budget (1000 programs in 40 groups, each
// with its own icon from a 300-icon library, loaded as the editor loads it):
//  - FillProgramsPage against filling a bare QTreeWidget with the same texts and pictures
//    (its icons made beforehand, so the baseline pays for no conversion), both shown and laid
//    out and drawn once;
//  - selecting the next program: the old one stored, the new one shown (a panel that does
//    nothing, so the page and the tree are measured), then drawn.

#include <benchmark/benchmark.h>

#include "budget_project.h"
#include "ratio_reporter.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QTreeWidget>
#include <cstdio>
#include <memory>
#include <vector>

#include "model/project.h"
#include "model/project_document.h"
#include "platform/text.h"
#include "programs/editor_state.h"
#include "programs/program_tree.h"
#include "programs/programs_page.h"
#include "support/program_editor_double.h"
#include "support/temp_dir.h"

namespace {

// The project written with its library and loaded by the document, pictures and all.
struct BudgetProject {
  sw::testing::TempDir dir;
  sw::ProjectDocument document;
  bool loaded = false;

  BudgetProject() {
    if (!sw::bench::writeBudgetProject(dir.path())) return;
    loaded = static_cast<bool>(
        document.open(sw::text::fromUtf8(dir.file("setup.ini")), sw::text::fromUtf8(dir.path())));
  }
};

BudgetProject& budgetProject() {
  static BudgetProject project;
  return project;
}

void settle() { QCoreApplication::processEvents(); }

struct BareTree {
  QTreeWidget tree;
  std::vector<QIcon> icons;

  explicit BareTree(const sw::ImageList& small) {
    tree.setHeaderHidden(true);
    tree.setIconSize(QSize(small.width(), small.height()));
    tree.resize(640, 530);
    tree.show();
    icons.reserve(static_cast<std::size_t>(small.count()));
    for (int i = 0; i < small.count(); ++i) icons.emplace_back(QPixmap::fromImage(small.at(i)));
  }

  void fill(const sw::Project& project) {
    QList<QTreeWidgetItem*> groups;
    for (const auto& group : project.Groups) {
      auto* node = new QTreeWidgetItem(
          QStringList(QStringLiteral("--- ") + sw::text::toQString(group->Name) + QStringLiteral(" ---")));
      node->setIcon(0, icons[group->Locked ? sw::kLockedGroupPicture : sw::kGroupPicture]);
      QList<QTreeWidgetItem*> programs;
      for (const auto& program : group->Items) {
        auto* child = new QTreeWidgetItem(QStringList(sw::text::toQString(program->Caption)));
        child->setIcon(0, icons[static_cast<std::size_t>(program->SmallImage)]);
        programs.append(child);
      }
      node->addChildren(programs);
      groups.append(node);
    }
    tree.addTopLevelItems(groups);
    for (int i = 0; i < tree.topLevelItemCount(); ++i) {
      if (project.Groups[static_cast<std::size_t>(i)]->Expanded) tree.topLevelItem(i)->setExpanded(true);
    }
  }
};

struct ShownPage {
  sw::EditorState state;
  sw::testing::NullEditor editor;
  sw::ProgramsPage page;

  explicit ShownPage(sw::ProjectDocument& document) {
    page.setProject(document.project(), state, document.smallPictures(), document.largePictures());
    page.setProgramEditor(&editor);
    page.resize(640, 530);
    page.show();
  }
};

void BM_FillBaseline_BareTreeWidget(benchmark::State& state) {
  BudgetProject& budget = budgetProject();
  BareTree bare(budget.document.smallPictures());
  for (auto _ : state) {
    state.PauseTiming();
    bare.tree.clear();
    settle();
    state.ResumeTiming();
    bare.fill(budget.document.project());
    settle();
  }
}
BENCHMARK(BM_FillBaseline_BareTreeWidget)->Unit(benchmark::kMillisecond);

void BM_FillProgramsPage(benchmark::State& state) {
  BudgetProject& budget = budgetProject();
  ShownPage shown(budget.document);
  for (auto _ : state) {
    state.PauseTiming();
    shown.page.ClearProgramTree();
    settle();
    state.ResumeTiming();
    shown.page.FillProgramsPage();
    settle();
  }
  shown.page.ClearProgramTree();
}
BENCHMARK(BM_FillProgramsPage)->Unit(benchmark::kMillisecond);

void BM_SelectNextProgram(benchmark::State& state) {
  BudgetProject& budget = budgetProject();
  ShownPage shown(budget.document);
  shown.page.FillProgramsPage();
  settle();
  std::vector<QTreeWidgetItem*> programs;
  for (const auto& group : budget.document.project().Groups) {
    for (const auto& program : group->Items) programs.push_back(program->Node);
  }
  std::size_t next = 0;
  for (auto _ : state) {
    shown.page.tree()->selectNode(programs[next]);
    settle();
    next = (next + 1) % programs.size();
  }
  if (shown.state.CurrentProgram == nullptr) state.SkipWithError("no program became current");
  shown.page.ClearProgramTree();
}
BENCHMARK(BM_SelectNextProgram)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  sw::bench::KeepFreedMemory();
  benchmark::Initialize(&argc, argv);
  const BudgetProject& budget = budgetProject();
  if (!budget.loaded || sw::ProgramCount(budget.document.project()) != 1000) {
    std::fprintf(stderr, "the budget's project did not load\n");
    return 1;
  }
  sw::bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\n1000 programs in 40 groups, %d small pictures\n", budget.document.smallPictures().count());
  reporter.printRatio("FillProgramsPage / bare QTreeWidget fill", "BM_FillProgramsPage",
                      "BM_FillBaseline_BareTreeWidget", 3);
  reporter.printFigure("select the next program (budget under 2 ms)", "BM_SelectNextProgram");
  benchmark::Shutdown();
  return 0;
}
