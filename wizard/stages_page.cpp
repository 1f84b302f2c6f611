#include "wizard/stages_page.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <string>

#include "dialogs/pick_routines.h"
#include "model/project.h"
#include "platform/text.h"
#include "programs/path_buttons.h"
#include "ui_stages_page.h"

namespace sw {
namespace {

const QString kUserFileTitle = QStringLiteral("Открыть файл пользователя");
const QString kUserCommandFilter = QStringLiteral(
    "Исполняемые файлы (*.exe; *.com)|*.exe;*.com|Коммандные файлы (*.cmd; *.bat)|*.cmd;*.bat|Тексторые "
    "файлы (*.txt; *.rtf)|*.txt;*.rtf|Все файлы (*.*)|*.*");
const QString kUserTextFilter =
    QStringLiteral("Тексторые файлы (*.txt; *.rtf)|*.txt;*.rtf|Все файлы (*.*)|*.*");

void fill(QLineEdit* edit, const std::string& value) {
  edit->setText(text::toQString(value));
  // A long value shows its beginning rather than its end.
  edit->setCursorPosition(0);
}

// The 1251 text of a field, exactly as typed.
std::string textOf(const QLineEdit* edit) { return text::fromQString(edit->text()); }

}  // namespace

StagesPage::StagesPage(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::StagesPage>()) {
  ui_->setupUi(this);
  pre_ = {ui_->PreInstallFolderEdit,
          ui_->PreInstallBeforeRegEdit,
          ui_->PreInstallAfterRegEdit,
          {ui_->PreInstallCommandEdit1, ui_->PreInstallCommandEdit2, ui_->PreInstallCommandEdit3,
           ui_->PreInstallCommandEdit4}};
  post_ = {ui_->PostInstallFolderEdit,
           ui_->PostInstallBeforeRegEdit,
           ui_->PostInstallAfterRegEdit,
           {ui_->PostInstallCommandEdit1, ui_->PostInstallCommandEdit2, ui_->PostInstallCommandEdit3,
            ui_->PostInstallCommandEdit4}};
  buttons_ = {{{ui_->UserButtonCaptionEdit1, ui_->UserButtonHintEdit1, ui_->UserButtonPictEdit1,
                ui_->UserButtonFolderEdit1, ui_->UserButtonCommandEdit1, ui_->UserButtonViewTextEdit1,
                ui_->UserButtonVisibleCb1},
               {ui_->UserButtonCaptionEdit2, ui_->UserButtonHintEdit2, ui_->UserButtonPictEdit2,
                ui_->UserButtonFolderEdit2, ui_->UserButtonCommandEdit2, ui_->UserButtonViewTextEdit2,
                ui_->UserButtonVisibleCb2},
               {ui_->UserButtonCaptionEdit3, ui_->UserButtonHintEdit3, ui_->UserButtonPictEdit3,
                ui_->UserButtonFolderEdit3, ui_->UserButtonCommandEdit3, ui_->UserButtonViewTextEdit3,
                ui_->UserButtonVisibleCb3}}};

  connectStage(pre_, ui_->PreInstallFolderEditBt, ui_->PreInstallBeforeRegEditBt,
               ui_->PreInstallAfterRegEditBt,
               {ui_->PreInstallCommandEdit1Bt, ui_->PreInstallCommandEdit2Bt, ui_->PreInstallCommandEdit3Bt,
                ui_->PreInstallCommandEdit4Bt});
  connectStage(post_, ui_->PostInstallFolderEditBt, ui_->PostInstallBeforeRegEditBt,
               ui_->PostInstallAfterRegEditBt,
               {ui_->PostInstallCommandEdit1Bt, ui_->PostInstallCommandEdit2Bt,
                ui_->PostInstallCommandEdit3Bt, ui_->PostInstallCommandEdit4Bt});
  connectButton(0, ui_->UserButtonFolderEditBt1, ui_->UserButtonPictEditBt1, ui_->UserButtonCommandEditBt1,
                ui_->UserButtonViewTextEditBt1);
  connectButton(1, ui_->UserButtonFolderEditBt2, ui_->UserButtonPictEditBt2, ui_->UserButtonCommandEditBt2,
                ui_->UserButtonViewTextEditBt2);
  connectButton(2, ui_->UserButtonFolderEditBt3, ui_->UserButtonPictEditBt3, ui_->UserButtonCommandEditBt3,
                ui_->UserButtonViewTextEditBt3);
}

StagesPage::~StagesPage() = default;

void StagesPage::setProject(Project& project) { project_ = &project; }

void StagesPage::connectStage(const StageFields& stage, QPushButton* folderBt, QPushButton* beforeRegBt,
                              QPushButton* afterRegBt, const std::array<QPushButton*, 4>& commandBts) {
  // `stage` is pre_ or post_, which live as long as the page.
  connect(folderBt, &QPushButton::clicked, this, [this, &stage] { StageFolderBtClick(stage); });
  connect(beforeRegBt, &QPushButton::clicked, this,
          [this, &stage] { StageRegBtClick(stage, *stage.beforeReg); });
  connect(afterRegBt, &QPushButton::clicked, this,
          [this, &stage] { StageRegBtClick(stage, *stage.afterReg); });
  for (std::size_t i = 0; i < commandBts.size(); ++i) {
    connect(commandBts[i], &QPushButton::clicked, this,
            [this, &stage, i] { StageCommandBtClick(stage, *stage.commands[i]); });
  }
}

void StagesPage::connectButton(std::size_t index, QPushButton* folderBt, QPushButton* pictureBt,
                               QPushButton* commandBt, QPushButton* textBt) {
  connect(folderBt, &QPushButton::clicked, this, [this, index] { UserButtonFolderBtClick(index); });
  connect(pictureBt, &QPushButton::clicked, this, [this, index] { UserButtonPictBtClick(index); });
  connect(commandBt, &QPushButton::clicked, this, [this, index] { UserButtonCommandBtClick(index); });
  connect(textBt, &QPushButton::clicked, this, [this, index] { UserButtonViewTextBtClick(index); });
}

void StagesPage::ShowStagesPage() {
  if (project_ == nullptr) return;
  for (const auto& [set, fields] :
       {std::pair{&project_->Preinstall, &pre_}, std::pair{&project_->Postinstall, &post_}}) {
    fill(fields->folder, set->Folder);
    fill(fields->beforeReg, set->PreRegFile);
    fill(fields->afterReg, set->PostRegFile);
    for (std::size_t i = 0; i < TStageSet::Commands.size(); ++i)
      fill(fields->commands[i], set->*TStageSet::Commands[i]);
  }
  // Power off wins over reboot, and reboot over closing, when a file sets both.
  ui_->CloseProgRb->setChecked(true);
  if (project_->Postinstall.Reboot) ui_->RebootRb->setChecked(true);
  if (project_->Postinstall.PowerOff) ui_->PowerOffBt->setChecked(true);
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    const TUserFuncItem& button = project_->UserButtons[i];
    const ButtonFields& fields = buttons_[i];
    fill(fields.caption, button.Caption);
    fill(fields.hint, button.Hint);
    fill(fields.picture, button.Picture);
    fill(fields.folder, button.Folder);
    fill(fields.command, button.Command);
    fill(fields.text, button.Text);
    fields.visible->setChecked(button.Visible);
  }
}

void StagesPage::StoreStagesPage() {
  if (project_ == nullptr) return;
  for (const auto& [set, fields] :
       {std::pair{&project_->Preinstall, &pre_}, std::pair{&project_->Postinstall, &post_}}) {
    set->Folder = textOf(fields->folder);
    set->PreRegFile = textOf(fields->beforeReg);
    set->PostRegFile = textOf(fields->afterReg);
    for (std::size_t i = 0; i < TStageSet::Commands.size(); ++i)
      set->*TStageSet::Commands[i] = textOf(fields->commands[i]);
  }
  project_->Postinstall.Reboot = ui_->RebootRb->isChecked();
  project_->Postinstall.PowerOff = ui_->PowerOffBt->isChecked();
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    TUserFuncItem& button = project_->UserButtons[i];
    const ButtonFields& fields = buttons_[i];
    button.Caption = textOf(fields.caption);
    button.Hint = textOf(fields.hint);
    button.Picture = textOf(fields.picture);
    button.Folder = textOf(fields.folder);
    button.Command = textOf(fields.command);
    button.Text = textOf(fields.text);
    button.Visible = fields.visible->isChecked();
  }
}

void StagesPage::scrollToTop() { ui_->PostParamScrollBox->bringIntoView(ui_->GroupBox2); }

QList<QLineEdit*> StagesPage::pathEdits() const {
  QList<QLineEdit*> edits;
  for (const StageFields* stage : {&pre_, &post_}) {
    edits << stage->folder << stage->beforeReg << stage->afterReg;
    for (QLineEdit* command : stage->commands) edits << command;
  }
  for (const ButtonFields& button : buttons_)
    edits << button.folder << button.command << button.picture << button.text;
  return edits;
}

// The pick routines take the field's text and leave the new one only when the user confirmed.

void StagesPage::StageFolderBtClick(const StageFields& stage) {
  if (project_ == nullptr) return;
  const std::string& root = project_->ProjectRootFolder;
  runFolderButton(window(), *stage.folder, QStringLiteral("Выбор папки программы"), root, root);
}

void StagesPage::StageRegBtClick(const StageFields& stage, QLineEdit& edit) {
  if (project_ == nullptr) return;
  std::string value = textOf(&edit);
  if (PickRegFile(window(), project_->ProjectRootFolder, textOf(stage.folder), value))
    edit.setText(text::toQString(value));
}

void StagesPage::StageCommandBtClick(const StageFields& stage, QLineEdit& edit) {
  if (project_ == nullptr) return;
  std::string value = textOf(&edit);
  if (PickProgramCommand(window(), project_->ProjectRootFolder, textOf(stage.folder), value))
    edit.setText(text::toQString(value));
}

void StagesPage::UserButtonFolderBtClick(std::size_t index) {
  if (project_ == nullptr) return;
  const std::string& root = project_->ProjectRootFolder;
  runFolderButton(window(), *buttons_[index].folder,
                  QStringLiteral("Выбор папки кнопки №") + QString::number(index + 1), root, root);
}

void StagesPage::UserButtonPictBtClick(std::size_t index) {
  if (project_ == nullptr) return;
  const ButtonFields& fields = buttons_[index];
  std::string value = textOf(fields.picture);
  if (PickPictureFile(window(), project_->ProjectRootFolder, textOf(fields.folder), value))
    fields.picture->setText(text::toQString(value));
}

// A user button runs a command or shows a text, never both: picking one empties the other.
void StagesPage::UserButtonCommandBtClick(std::size_t index) {
  if (project_ == nullptr) return;
  const ButtonFields& fields = buttons_[index];
  std::string value = textOf(fields.command);
  if (!PickFile(window(), project_->ProjectRootFolder, textOf(fields.folder), value, kUserCommandFilter,
                kUserFileTitle, true))
    return;
  fields.command->setText(text::toQString(value));
  fields.text->clear();
}

void StagesPage::UserButtonViewTextBtClick(std::size_t index) {
  if (project_ == nullptr) return;
  const ButtonFields& fields = buttons_[index];
  std::string value = textOf(fields.text);
  if (!PickFile(window(), project_->ProjectRootFolder, textOf(fields.folder), value, kUserTextFilter,
                kUserFileTitle, false))
    return;
  fields.text->setText(text::toQString(value));
  fields.command->clear();
}

}  // namespace sw
