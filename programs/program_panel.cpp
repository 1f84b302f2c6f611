#include "programs/program_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <array>
#include <optional>
#include <utility>

#include "dialogs/icon_picker.h"
#include "dialogs/pick_routines.h"
#include "model/paths.h"
#include "model/program_pictures.h"
#include "model/project.h"
#include "model/references.h"
#include "platform/image_list.h"
#include "platform/text.h"
#include "programs/editor_state.h"
#include "programs/path_buttons.h"
#include "ui_program_panel.h"
#include "widgets/memo_text.h"
#include "widgets/up_down.h"

namespace sw {
namespace {

void fill(QLineEdit* edit, const std::string& value) {
  edit->setText(text::toQString(value));
  // A long value shows its beginning rather than its end.
  edit->setCursorPosition(0);
}

// The 1251 text of a field, exactly as typed.
std::string textOf(const QLineEdit* edit) { return text::fromQString(edit->text()); }

// A number beside its arrows: the edit keeps the stored value even outside the arrows' range, so
// that showing a program and storing it again changes nothing.
void showNumber(QLineEdit* edit, UpDown* arrows, int value) {
  arrows->setPosition(value);
  edit->setText(QString::number(value));
}

int numberOf(const QLineEdit* edit) { return decimalNumber(edit->text()).value_or(0); }

TInstallGroup* groupOfEntry(const QComboBox& box, int index) {
  return static_cast<TInstallGroup*>(box.itemData(index).value<void*>());
}

}  // namespace

ProgramPanel::ProgramPanel(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::ProgramPanel>()) {
  ui_->setupUi(this);
  ui_->IconNumEdUpDown->setBuddy(ui_->IconNumEd);
  ui_->IconNumEdUpDown->setRange(0, 999);
  ui_->UpDown3->setBuddy(ui_->PrgKillWaitEd);
  ui_->UpDown3->setRange(0, 100);

  connect(ui_->PrgNameEd, &QLineEdit::textChanged, this, &ProgramPanel::PrgNameEdChange);
  connect(ui_->GroupCb2, &QComboBox::activated, this, &ProgramPanel::GroupCb2Select);
  for (QCheckBox* flag : {ui_->PrgDefaultCb, ui_->PrgFixedCb, ui_->PrgVisibleCb})
    connect(flag, &QCheckBox::toggled, this, &ProgramPanel::PrgDefaultCbClick);
  const std::array<std::pair<QPushButton*, void (ProgramPanel::*)()>, 13> buttons = {{
      {ui_->PrgFolderEdBt, &ProgramPanel::PrgFolderEdBtClick},
      {ui_->IconFileEdBt, &ProgramPanel::IconFileEdBtClick},
      {ui_->PrgScreenShotEdBt, &ProgramPanel::PrgScreenShotEdBtClick},
      {ui_->CommandEdBt1, &ProgramPanel::CommandEdBt1Click},
      {ui_->CommandEdBt2, &ProgramPanel::CommandEdBt2Click},
      {ui_->CommandEdBt3, &ProgramPanel::CommandEdBt3Click},
      {ui_->CommandEdBt4, &ProgramPanel::CommandEdBt4Click},
      {ui_->CommandEdBt5, &ProgramPanel::CommandEdBt5Click},
      {ui_->CommandEdBt6, &ProgramPanel::CommandEdBt6Click},
      {ui_->PreRegEditBt, &ProgramPanel::PreRegEditBtClick},
      {ui_->PostRegEditBt, &ProgramPanel::PostRegEditBtClick},
      {ui_->CheckTagFileEdCb, &ProgramPanel::CheckTagFileEdCbClick},
      {ui_->PrgDependsEdBt, &ProgramPanel::PrgDependsEdBtClick},
  }};
  for (const auto& [button, click] : buttons) connect(button, &QPushButton::clicked, this, click);
}

ProgramPanel::~ProgramPanel() = default;

void ProgramPanel::setProject(Project& project, EditorState& state, ImageList& small, ImageList& large) {
  project_ = &project;
  state_ = &state;
  small_ = &small;
  large_ = &large;
}

void ProgramPanel::fillGroups() {
  ui_->GroupCb2->clear();
  if (project_ == nullptr) return;
  for (const auto& group : project_->Groups)
    ui_->GroupCb2->addItem(text::toQString(group->Name),
                           QVariant::fromValue(static_cast<void*>(group.get())));
}

bool ProgramPanel::updating() const { return state_ == nullptr || state_->Updating; }

TInstallItem* ProgramPanel::current() const { return state_ != nullptr ? state_->CurrentProgram : nullptr; }

void ProgramPanel::ShowProgram(TInstallItem* program) {
  if (program == nullptr || project_ == nullptr) return;
  UpdatingScope updating(*state_);
  ui_->GroupCb2->setCurrentIndex(
      ui_->GroupCb2->findData(QVariant::fromValue(static_cast<void*>(program->Owner))));
  fill(ui_->PrgNameEd, program->Caption);
  ui_->PrgDiskrEd->setPlainText(text::toQString(program->Description));
  shownDescription_ = program->Description;
  shownMemoText_ = memoText(*ui_->PrgDiskrEd);
  fill(ui_->PrgFolderEd, program->Folder);
  fill(ui_->IconFileEd, program->IconFile);
  showNumber(ui_->IconNumEd, ui_->IconNumEdUpDown, program->IconNumber);
  fill(ui_->PrgScreenShotEd, program->SkreenShotImage);
  const std::array<QLineEdit*, 6> commands = {ui_->CommandEd1, ui_->CommandEd2, ui_->CommandEd3,
                                              ui_->CommandEd4, ui_->CommandEd5, ui_->CommandEd6};
  for (std::size_t i = 0; i < commands.size(); ++i) fill(commands[i], program->*TInstallItem::Commands[i]);
  showNumber(ui_->PrgKillWaitEd, ui_->UpDown3, program->KillWait);
  ui_->PrgRebootCb->setChecked(program->RebootNeed);
  fill(ui_->PreRegEd, program->PreRegFile);
  fill(ui_->PostRegEd, program->PostRegFile);
  fill(ui_->CheckTagFileEd, program->CheckTagFile);
  ui_->PrgDefaultCb->setChecked(program->Default);
  ui_->PrgFixedCb->setChecked(program->Fixed);
  ui_->PrgVisibleCb->setChecked(!program->Visible);
  showReferences(*program);
  showLargePicture(*program);
}

void ProgramPanel::StoreProgram(TInstallItem* program) {
  if (program == nullptr || project_ == nullptr) return;
  UpdatingScope updating(*state_);
  moveToChosenGroup(*program);
  program->Caption = textOf(ui_->PrgNameEd);
  program->Description = description();
  program->Folder = textOf(ui_->PrgFolderEd);
  program->IconFile = textOf(ui_->IconFileEd);
  program->IconNumber = numberOf(ui_->IconNumEd);
  program->SkreenShotImage = textOf(ui_->PrgScreenShotEd);
  const std::array<const QLineEdit*, 6> commands = {ui_->CommandEd1, ui_->CommandEd2, ui_->CommandEd3,
                                                    ui_->CommandEd4, ui_->CommandEd5, ui_->CommandEd6};
  for (std::size_t i = 0; i < commands.size(); ++i) program->*TInstallItem::Commands[i] = textOf(commands[i]);
  program->KillWait = numberOf(ui_->PrgKillWaitEd);
  program->RebootNeed = ui_->PrgRebootCb->isChecked();
  program->PreRegFile = textOf(ui_->PreRegEd);
  program->PostRegFile = textOf(ui_->PostRegEd);
  program->CheckTagFile = textOf(ui_->CheckTagFileEd);
  program->Default = ui_->PrgDefaultCb->isChecked();
  program->Fixed = ui_->PrgFixedCb->isChecked();
  program->Visible = !ui_->PrgVisibleCb->isChecked();
  // The node shows the stored name, picture and state.
  emit programRenamed(program);
  emit programPictureChanged(program);
  emit programStateChanged(program);
}

void ProgramPanel::scrollToGeneral() { ui_->PrgScrollBox->bringIntoView(ui_->GroupBox4); }

SectionScrollArea* ProgramPanel::scrollBox() const { return ui_->PrgScrollBox; }

QList<QLineEdit*> ProgramPanel::pathEdits() const {
  return {ui_->PrgFolderEd, ui_->IconFileEd, ui_->PrgScreenShotEd, ui_->PreRegEd,
          ui_->PostRegEd,   ui_->CommandEd1, ui_->CommandEd2,      ui_->CommandEd3,
          ui_->CommandEd4,  ui_->CommandEd5, ui_->CommandEd6,      ui_->CheckTagFileEd};
}

TInstallGroup* ProgramPanel::chosenGroup() const {
  const int index = ui_->GroupCb2->currentIndex();
  return index < 0 ? nullptr : groupOfEntry(*ui_->GroupCb2, index);
}

// The entries follow the order of Groups, so the chosen entry's position names the group.
void ProgramPanel::moveToChosenGroup(TInstallItem& program) {
  const TInstallGroup* chosen = chosenGroup();
  // No entry chosen (an empty list) is no group to move to: the program must not be dropped.
  if (chosen == nullptr || chosen == program.Owner) return;
  TInstallGroup* group = GroupAt(*project_, ui_->GroupCb2->currentIndex());
  if (group == nullptr) return;
  MoveProgram(*project_, program, *group, group->Items.size());
  if (program.Owner == group) emit programMovedToGroup(&program);
}

void ProgramPanel::showReferences(const TInstallItem& program) {
  fill(ui_->PrgDependsEd, DependsText(*project_, program));
  fill(ui_->PrgOrDependsEd, DependsOrText(*project_, program));
  fill(ui_->PrgExcludeEd, ExcludeText(*project_, program));
}

void ProgramPanel::showLargePicture(const TInstallItem& program) {
  const QImage picture = large_ != nullptr ? large_->at(program.LargeImage) : QImage();
  if (picture.isNull())
    ui_->IconImage->clear();
  else
    ui_->IconImage->setPixmap(QPixmap::fromImage(picture));
}

std::string ProgramPanel::description() const {
  const QString typed = memoText(*ui_->PrgDiskrEd);
  // The memo may give a text back in another form than it took it (its line breaks): an
  // untouched one keeps the model's bytes.
  return typed == shownMemoText_ ? shownDescription_ : text::fromQString(typed);
}

// The program folder as typed, stored or not: the choosers start there.
std::string ProgramPanel::itemFolder() const { return textOf(ui_->PrgFolderEd); }

void ProgramPanel::PrgNameEdChange() {
  TInstallItem* program = current();
  if (updating() || program == nullptr) return;
  program->Caption = textOf(ui_->PrgNameEd);
  emit programRenamed(program);
}

void ProgramPanel::GroupCb2Select() {
  if (updating()) return;
  if (TInstallItem* program = current()) StoreProgram(program);
}

void ProgramPanel::PrgDefaultCbClick() {
  TInstallItem* program = current();
  if (updating() || program == nullptr) return;
  program->Default = ui_->PrgDefaultCb->isChecked();
  program->Fixed = ui_->PrgFixedCb->isChecked();
  program->Visible = !ui_->PrgVisibleCb->isChecked();
  emit programStateChanged(program);
}

void ProgramPanel::PrgFolderEdBtClick() {
  if (project_ == nullptr) return;
  const std::string& root = project_->ProjectRootFolder;
  runFolderButton(window(), *ui_->PrgFolderEd, QStringLiteral("Выбор папки программы"), root, root);
}

std::string ProgramPanel::iconPath(std::string iconFile) const {
  const std::string& root = project_->ProjectRootFolder;
  if (iconFile.empty()) {
    // The picker names the project's icon library by an empty file.
    const std::string& library = project_->Settings.CommonIconLib;
    iconFile = IsAbsolutePath(library) ? ExpandVariables(library) : ExpandVariables(root + "\\" + library);
  }
  if (IsAbsolutePath(iconFile)) return StripLeadMarker(ExpandVariables(iconFile));
  // The program's folder as the runtime forms it, with the project root in the place of the
  // installation root, which the editor's disc is.
  const std::string folder = itemFolder();
  std::string base;
  if (IsAbsolutePath(folder)) {
    base = WithTrailingBackslash(ExpandVariables(folder));
  } else {
    base = WithTrailingBackslash(ExpandVariables(root));
    if (!folder.empty()) base += WithTrailingBackslash(ExpandVariables(folder));
  }
  return base + StripLeadMarker(ExpandVariables(iconFile));
}

void ProgramPanel::IconFileEdBtClick() {
  if (project_ == nullptr) return;
  std::string iconFile = textOf(ui_->IconFileEd);
  // The arrows' position follows a number typed into the edit, as it does when they step.
  if (const std::optional<int> typed = decimalNumber(ui_->IconNumEd->text()))
    ui_->IconNumEdUpDown->setPosition(*typed);
  int index = ui_->IconNumEdUpDown->position();
  if (!PickIcon(window(), *project_, iconFile, index)) return;
  fill(ui_->IconFileEd, iconFile);
  // The edit shows the index chosen, which is the one the pictures are taken from.
  showNumber(ui_->IconNumEd, ui_->IconNumEdUpDown, index);

  TInstallItem* program = current();
  if (program == nullptr || small_ == nullptr || large_ == nullptr) return;
  const std::string path = iconPath(iconFile);
  const QImage small = ExtractOneIcon(path, index, true);
  const QImage large = ExtractOneIcon(path, index, false);
  if (!ReplaceProgramPictures(*project_, *small_, *large_, *program, small, large)) return;
  showLargePicture(*program);
  emit programPictureChanged(program);
}

void ProgramPanel::PrgScreenShotEdBtClick() {
  if (project_ == nullptr) return;
  std::string value = textOf(ui_->PrgScreenShotEd);
  if (PickPictureFile(window(), project_->ProjectRootFolder, project_->Settings.CommonShotFolder, value))
    fill(ui_->PrgScreenShotEd, value);
}

// The routines hand back the field's text unchanged when the user cancels: only a confirmed
// choice is written, which leaves the edit's undo history alone otherwise.

void ProgramPanel::SetItemCommand(QLineEdit& edit) {
  if (project_ == nullptr) return;
  std::string value = textOf(&edit);
  if (PickProgramCommand(window(), project_->ProjectRootFolder, itemFolder(), value)) fill(&edit, value);
}

void ProgramPanel::CommandEdBt1Click() { SetItemCommand(*ui_->CommandEd1); }
void ProgramPanel::CommandEdBt2Click() { SetItemCommand(*ui_->CommandEd2); }
void ProgramPanel::CommandEdBt3Click() { SetItemCommand(*ui_->CommandEd3); }
void ProgramPanel::CommandEdBt4Click() { SetItemCommand(*ui_->CommandEd4); }
void ProgramPanel::CommandEdBt5Click() { SetItemCommand(*ui_->CommandEd5); }
void ProgramPanel::CommandEdBt6Click() { SetItemCommand(*ui_->CommandEd6); }

void ProgramPanel::pickRegFile(QLineEdit& edit) {
  if (project_ == nullptr) return;
  std::string value = textOf(&edit);
  if (PickRegFile(window(), project_->ProjectRootFolder, itemFolder(), value)) fill(&edit, value);
}

void ProgramPanel::PreRegEditBtClick() { pickRegFile(*ui_->PreRegEd); }
void ProgramPanel::PostRegEditBtClick() { pickRegFile(*ui_->PostRegEd); }

void ProgramPanel::CheckTagFileEdCbClick() {
  if (project_ == nullptr) return;
  std::string value = textOf(ui_->CheckTagFileEd);
  if (PickFile(window(), project_->ProjectRootFolder, itemFolder(), value,
               QStringLiteral("Все файлы (*.*)|*.*"), QStringLiteral("Открыть файл проверочного тэга"),
               false))
    fill(ui_->CheckTagFileEd, value);
}

void ProgramPanel::PrgDependsEdBtClick() {
  TInstallItem* program = current();
  if (project_ == nullptr || program == nullptr || !dependsEditor_) return;
  if (dependsEditor_(window(), *project_, *program)) showReferences(*program);
}

}  // namespace sw
