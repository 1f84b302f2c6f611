#include "programs/programs_page.h"

#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <algorithm>
#include <utility>

#include "model/project.h"
#include "platform/image_list.h"
#include "platform/text.h"
#include "programs/editor_state.h"
#include "programs/program_editor.h"
#include "programs/program_tree.h"
#include "ui_programs_page.h"

namespace sw {
namespace {

const QString kNoGroupsHint = QStringLiteral(
    "Нет (не созданно) ни одной группы программ!\r\n\r\nСоздать группы можно на предидущей странице "
    "мастера!");
const QString kGroupsHint = QStringLiteral(
    "Свойства групп можно отредактировать на предидущей странице мастера!\r\n\r\nДля добавления программы "
    "нажмите \"Добавить\" и отредактируйте свойста.");

// A label breaks lines at "\n"; the hints are written with Windows line breaks.
QString shown(QString text) { return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

}  // namespace

ProgramsPage::ProgramsPage(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::ProgramsPage>()) {
  ui_->setupUi(this);
  ui_->PrgPanelHost->hide();
  connect(ui_->PrgAddBt, &QPushButton::clicked, this, &ProgramsPage::PrgAddBtClick);
  connect(ui_->PrgDeleteBt, &QPushButton::clicked, this, &ProgramsPage::PrgDeleteBtClick);
  connect(ui_->PrgUpBt, &QToolButton::clicked, this, &ProgramsPage::PrgUpBtClick);
  connect(ui_->PrgDownBt, &QToolButton::clicked, this, &ProgramsPage::PrgDownBtClick);
  connect(ui_->SelectProgTree, &SelectProgTree::nodeChanging, this, &ProgramsPage::SelectProgTreeChanging);
  connect(ui_->SelectProgTree, &SelectProgTree::nodeChanged, this, &ProgramsPage::SelectProgTreeChange);
}

ProgramsPage::~ProgramsPage() = default;

void ProgramsPage::setProject(Project& project, EditorState& state, ImageList& small, ImageList& large) {
  // Nodes of another project must not outlive the switch; its records may be gone already.
  if (project_ != nullptr && project_ != &project) ui_->SelectProgTree->removeAllNodes();
  project_ = &project;
  state_ = &state;
  small_ = &small;
  large_ = &large;
  ui_->SelectProgTree->setPictures(&small);
}

void ProgramsPage::setProgramEditor(ProgramEditor* editor) { editor_ = editor; }

QWidget* ProgramsPage::editPanelHost() const { return ui_->PrgPanelHost; }

SelectProgTree* ProgramsPage::tree() const { return ui_->SelectProgTree; }

void ProgramsPage::FillProgramsPage() {
  FillProgramTree();
  // The panel's group list is the panel's; whoever placed the panel fills it on this signal.
  emit programsPageFilled();
  setPanelVisible(false);
  const bool hasGroups = project_ != nullptr && GroupCount(*project_) > 0;
  ui_->PrgItemEditPanel->setVisible(hasGroups);
  ui_->GroupWarningLabel->setText(shown(hasGroups ? kGroupsHint : kNoGroupsHint));
}

void ProgramsPage::FillProgramTree() {
  SelectProgTree& tree = *ui_->SelectProgTree;
  ClearProgramTree();
  if (project_ == nullptr) return;
  QList<QTreeWidgetItem*> groupNodes;
  groupNodes.reserve(GroupCount(*project_));
  for (const auto& group : project_->Groups) {
    QTreeWidgetItem* groupNode = SelectProgTree::newGroupNode(*group);
    QList<QTreeWidgetItem*> programNodes;
    programNodes.reserve(static_cast<qsizetype>(group->Items.size()));
    for (const auto& program : group->Items) programNodes.append(SelectProgTree::newProgramNode(*program));
    groupNode->addChildren(programNodes);
    group->AllFixed = AllProgramsFixed(*group);
    if (group->AllFixed) SelectProgTree::setGroupStatePicture(groupNode, GroupStateImage(*group));
    groupNodes.append(groupNode);
  }
  // All at once: the view lays the rows out once instead of once per group.
  tree.addTopLevelItems(groupNodes);
  QTreeWidgetItem* firstExpanded = nullptr;
  for (const auto& group : project_->Groups) {
    if (!group->Expanded) continue;
    group->Node->setExpanded(true);
    if (firstExpanded == nullptr) firstExpanded = group->Node;
  }
  if (tree.topLevelItemCount() > 0) tree.scrollToTop();
  if (firstExpanded != nullptr) tree.selectNode(firstExpanded);
}

void ProgramsPage::ClearProgramTree() {
  if (project_ != nullptr) {
    for (const auto& group : project_->Groups) {
      group->Node = nullptr;
      for (const auto& program : group->Items) program->Node = nullptr;
    }
  }
  ui_->SelectProgTree->removeAllNodes();
}

void ProgramsPage::storeCurrentProgram() {
  if (state_ != nullptr && state_->CurrentProgram != nullptr && editor_ != nullptr) {
    editor_->StoreProgram(state_->CurrentProgram);
  }
}

void ProgramsPage::SelectProgTreeChanging(QTreeWidgetItem* /*previous*/) { storeCurrentProgram(); }

void ProgramsPage::SelectProgTreeChange(QTreeWidgetItem* node) {
  if (node == nullptr || state_ == nullptr) return;
  TInstallItem* program = SelectProgTree::programOf(node);
  state_->CurrentProgram = program;
  if (program != nullptr && editor_ != nullptr) editor_->ShowProgram(program);
  setPanelVisible(program != nullptr);
  if (editor_ != nullptr) editor_->scrollToGeneral();
}

void ProgramsPage::PrgAddBtClick() {
  if (project_ == nullptr || small_ == nullptr || large_ == nullptr) return;
  SelectProgTree& tree = *ui_->SelectProgTree;
  QTreeWidgetItem* target = tree.currentItem();
  if (target == nullptr) {
    target = tree.topLevelItem(0);
  } else if (SelectProgTree::programOf(target) != nullptr) {
    target = target->parent();
  }
  TInstallGroup* group = SelectProgTree::groupOf(target);
  if (group == nullptr) return;

  std::unique_ptr<TInstallItem> program = NewProgram(group);
  program->Caption = NewProgramName(group);
  program->Description = text::fromUtf8("Описание новой программы");
  program->Number = NextProgramNumber(*project_);
  // Slots are only ever appended, so no other program's picture index changes.
  program->SmallImage = small_->appendCopy(*small_, kDefaultProgramPicture);
  program->LargeImage = large_->appendCopy(*large_, kDefaultLargeProgramPicture);
  TInstallItem* added = AttachProgram(*project_, group, std::move(program));
  if (added == nullptr) return;
  QTreeWidgetItem* node = SelectProgTree::newProgramNode(*added);
  target->addChild(node);
  tree.selectNode(node);
}

void ProgramsPage::PrgDeleteBtClick() {
  if (project_ == nullptr || state_ == nullptr) return;
  SelectProgTree& tree = *ui_->SelectProgTree;
  TInstallItem* program = SelectProgTree::programOf(tree.currentItem());
  if (program == nullptr) return;
  // The panel's unsaved edits belong to the program going away: nothing is stored into it.
  state_->CurrentProgram = nullptr;
  QTreeWidgetItem* next = tree.removeNode(program->Node);
  program->Node = nullptr;
  // Deleted before the neighbour is shown, so that its panel no longer names the program.
  DeleteProgram(*project_, program);
  tree.selectNode(next);
}

void ProgramsPage::PrgUpBtClick() { moveSelectedProgram(-1); }

void ProgramsPage::PrgDownBtClick() { moveSelectedProgram(+1); }

void ProgramsPage::moveSelectedProgram(int step) {
  if (project_ == nullptr) return;
  SelectProgTree& tree = *ui_->SelectProgTree;
  QTreeWidgetItem* node = tree.currentItem();
  TInstallItem* program = SelectProgTree::programOf(node);
  if (program == nullptr || program->Owner == nullptr) return;
  QTreeWidgetItem* groupNode = node->parent();
  const int from = groupNode->indexOfChild(node);
  const int to = from + step;
  // Never into a neighbouring group: the first stays first, the last stays last.
  if (to < 0 || to >= groupNode->childCount()) return;
  tree.moveNode(node, groupNode, to);
  MoveProgram(*project_, *program, *program->Owner, static_cast<std::size_t>(groupNode->indexOfChild(node)));
  SelectProgTree::refreshNode(node);
}

void ProgramsPage::programRenamed(TInstallItem* program) {
  if (program != nullptr && program->Node != nullptr)
    program->Node->setText(0, text::toQString(program->Caption));
}

void ProgramsPage::programStateChanged(TInstallItem* program) {
  if (program != nullptr) SelectProgTree::refreshNode(program->Node);
}

void ProgramsPage::programPictureChanged(TInstallItem* program) {
  if (program != nullptr) SelectProgTree::refreshNode(program->Node);
}

void ProgramsPage::programMovedToGroup(TInstallItem* program) {
  if (program == nullptr || program->Node == nullptr || program->Owner == nullptr) return;
  QTreeWidgetItem* groupNode = program->Owner->Node;
  if (groupNode == nullptr) return;
  const auto& items = program->Owner->Items;
  const auto found =
      std::find_if(items.begin(), items.end(), [&](const auto& held) { return held.get() == program; });
  const int position = static_cast<int>(found - items.begin());
  ui_->SelectProgTree->moveNode(program->Node, groupNode, position);
  groupNode->setExpanded(true);
}

void ProgramsPage::programStored(TInstallItem* program) {
  programRenamed(program);
  programPictureChanged(program);
}

void ProgramsPage::setPanelVisible(bool visible) {
  ui_->PrgPanelHost->setVisible(visible);
  ui_->GroupWarningLabel->setVisible(!visible);
}

}  // namespace sw
