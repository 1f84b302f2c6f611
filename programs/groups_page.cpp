#include "programs/groups_page.h"

#include "model/project.h"
#include "model/records.h"
#include "platform/text.h"
#include "programs/editor_state.h"
#include "programs/group_list_box.h"
#include "ui_groups_page.h"
#include "widgets/memo_text.h"

namespace sw {

GroupsPage::GroupsPage(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::GroupsPage>()) {
  ui_->setupUi(this);
  connect(ui_->GroupListBox, &QListWidget::itemSelectionChanged, this, &GroupsPage::GroupListBoxClick);
  connect(ui_->GrpAddBt, &QPushButton::clicked, this, &GroupsPage::GrpAddBtClick);
  connect(ui_->GrpDelBt, &QPushButton::clicked, this, &GroupsPage::GrpDelBtClick);
  connect(ui_->GrpUpBt, &QToolButton::clicked, this, &GroupsPage::GrpUpBtClick);
  connect(ui_->GrpDownBt, &QToolButton::clicked, this, &GroupsPage::GrpDownBtClick);
  // Also the text set by ShowGroup reports a change; the updating flag makes it no edit.
  connect(ui_->NameGroupEd, &QLineEdit::textChanged, this, &GroupsPage::NameGroupEdChange);
  for (QRadioButton* kind : {ui_->NormGroupRb, ui_->ExpandGroupRb, ui_->BlockedGroupRb})
    connect(kind, &QRadioButton::clicked, this, &GroupsPage::NormGroupRbClick);
}

GroupsPage::~GroupsPage() = default;

void GroupsPage::setProject(Project& project, EditorState& state, const ImageList& smallPictures) {
  project_ = &project;
  state_ = &state;
  ui_->GroupListBox->setPictures(&smallPictures);
}

void GroupsPage::FillGroupsPage() {
  GroupListBox& list = *ui_->GroupListBox;
  list.selectRow(-1);
  while (list.count() > 0) list.removeRow(list.count() - 1);
  if (project_ == nullptr) return;
  for (const auto& group : project_->Groups) list.appendGroup(group.get());
  if (list.count() > 0) list.selectRow(0);
  GroupListBoxClick();
}

void GroupsPage::GroupListBoxClick() {
  if (state_ == nullptr) return;
  const int row = ui_->GroupListBox->selectedRow();
  if (row < 0) return;
  UpdatingScope updating(*state_);
  StoreGroup(state_->CurrentGroup);
  state_->CurrentGroup = ui_->GroupListBox->groupAt(row);
  ShowGroup(state_->CurrentGroup);
}

void GroupsPage::ShowGroup(TInstallGroup* group) {
  if (group == nullptr || state_ == nullptr) return;
  UpdatingScope updating(*state_);
  ui_->NameGroupEd->setText(text::toQString(group->Name));
  ui_->DescrGroupEd->setPlainText(text::toQString(group->Description));
  shownDescription_ = group->Description;
  shownMemoText_ = memoText(*ui_->DescrGroupEd);
  // Checking one exclusive button unchecks the others, so a locked group ends on the third kind.
  ui_->NormGroupRb->setChecked(true);
  ui_->ExpandGroupRb->setChecked(group->Expanded);
  ui_->BlockedGroupRb->setChecked(group->Locked);
}

void GroupsPage::StoreGroup(TInstallGroup* group) {
  if (group == nullptr || state_ == nullptr) return;
  UpdatingScope updating(*state_);
  takePanelInto(*group);
}

std::string GroupsPage::descriptionText() const {
  const QString shown = memoText(*ui_->DescrGroupEd);
  // The memo turns every kind of line break into its own; an untouched text keeps the model's.
  if (shown == shownMemoText_) return shownDescription_;
  return text::fromQString(shown);
}

void GroupsPage::takePanelInto(TInstallGroup& group) {
  // Only the group's name changes: its programs are tied to it when the file is written.
  group.Name = text::fromQString(ui_->NameGroupEd->text());
  group.Description = descriptionText();
  group.Expanded = ui_->ExpandGroupRb->isChecked() || ui_->BlockedGroupRb->isChecked();
  group.Locked = ui_->BlockedGroupRb->isChecked();
  ui_->GroupListBox->repaintGroup(&group);
}

void GroupsPage::NameGroupEdChange() {
  if (state_ == nullptr || state_->Updating || state_->CurrentGroup == nullptr) return;
  takePanelInto(*state_->CurrentGroup);
}

void GroupsPage::NormGroupRbClick() {
  if (state_ == nullptr || state_->Updating || state_->CurrentGroup == nullptr) return;
  takePanelInto(*state_->CurrentGroup);
}

void GroupsPage::GrpAddBtClick() {
  if (project_ == nullptr || state_ == nullptr) return;
  StoreGroup(state_->CurrentGroup);
  TInstallGroup* group =
      AddGroup(*project_, NewGroupName(*project_), text::fromUtf8("Описание новой группы"));
  GroupListBox& list = *ui_->GroupListBox;
  list.appendGroup(group);
  list.selectRow(list.count() - 1);
  GroupListBoxClick();
}

void GroupsPage::GrpDelBtClick() {
  if (project_ == nullptr || state_ == nullptr) return;
  GroupListBox& list = *ui_->GroupListBox;
  const int row = list.selectedRow();
  if (row < 0) return;
  StoreGroup(state_->CurrentGroup);
  state_->CurrentGroup = nullptr;
  TInstallGroup* deleted = list.groupAt(row);
  // The programs page's cursor must not outlive the program it points at.
  if (state_->CurrentProgram != nullptr && state_->CurrentProgram->Owner == deleted)
    state_->CurrentProgram = nullptr;
  list.removeRow(row);
  DeleteGroup(*project_, deleted);
  if (list.count() > 0) list.selectRow(row > 0 ? row - 1 : 0);
  GroupListBoxClick();
}

void GroupsPage::GrpUpBtClick() {
  if (project_ == nullptr) return;
  const int row = ui_->GroupListBox->selectedRow();
  if (row <= 0) return;
  ui_->GroupListBox->swapRows(row - 1, row);
  MoveGroup(*project_, row, row - 1);
}

void GroupsPage::GrpDownBtClick() {
  if (project_ == nullptr) return;
  const int row = ui_->GroupListBox->selectedRow();
  if (row < 0 || row + 1 >= ui_->GroupListBox->count()) return;
  ui_->GroupListBox->swapRows(row, row + 1);
  MoveGroup(*project_, row, row + 1);
}

}  // namespace sw
