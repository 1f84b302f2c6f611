#include "wizard/start_page.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "dialogs/dialog_runner.h"
#include "dialogs/pick_routines.h"
#include "model/paths.h"
#include "platform/text.h"
#include "ui_start_page.h"
#include "wizard/project_file_dialogs.h"

namespace sw {
namespace {

// The folder of a chosen file as the root folder field shows it: no trailing separator.
QString folderOf(const QString& file) {
  const QString folder = QFileInfo(file).absolutePath();
  return QDir::toNativeSeparators(folder);
}

}  // namespace

StartPage::StartPage(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::StartPage>()) {
  ui_->setupUi(this);
  connect(ui_->NewProjectRb, &QRadioButton::clicked, this, &StartPage::NewProjectRbClick);
  connect(ui_->OpenProjectRb, &QRadioButton::clicked, this, &StartPage::OpenProjectRbClick);
  connect(ui_->LastProjectRb, &QRadioButton::clicked, this, &StartPage::LastProjectRbClick);
  connect(ui_->FileNameEdit, &QLineEdit::textChanged, this, &StartPage::FileNameEditChange);
  connect(ui_->RootFolderEdit, &QLineEdit::textChanged, this, &StartPage::RootFolderEditChange);
  connect(ui_->SelFileBt, &QPushButton::clicked, this, &StartPage::SelFileBtClick);
  connect(ui_->RootFolderEditBt, &QPushButton::clicked, this, &StartPage::RootFolderEditBtClick);
}

StartPage::~StartPage() = default;

void StartPage::setProjectDialogs(ProjectFileDialogs* dialogs) { projectDialogs_ = dialogs; }

void StartPage::setLastProject(const std::string& file, const std::string& rootFolder, bool lastExists) {
  lastProject_ = file;
  lastRootDir_ = rootFolder;
  ui_->LastProjectRb->setEnabled(lastExists);
}

void StartPage::preselectProject(const QString& file, const QString& rootFolder) {
  ui_->OpenProjectRb->setChecked(true);
  OpenProjectRbClick();
  ui_->FileNameEdit->setText(file);
  ui_->RootFolderEdit->setText(rootFolder);
}

StartPage::Choice StartPage::choice() const {
  if (ui_->NewProjectRb->isChecked()) return Choice::NewProject;
  if (ui_->LastProjectRb->isChecked()) return Choice::LastProject;
  if (ui_->OpenProjectRb->isChecked()) return Choice::OpenProject;
  return Choice::None;
}

QString StartPage::fileName() const { return ui_->FileNameEdit->text(); }
QString StartPage::rootFolder() const { return ui_->RootFolderEdit->text(); }

bool StartPage::isComplete() const {
  return !ui_->FileNameEdit->text().isEmpty() && !ui_->RootFolderEdit->text().isEmpty();
}

void StartPage::NewProjectRbClick() {
  ui_->Label2->setEnabled(true);
  ui_->FileNameEdit->setEnabled(true);
  ui_->SelFileBt->setEnabled(true);
  applyEnablingRule();
}

void StartPage::OpenProjectRbClick() { NewProjectRbClick(); }

void StartPage::LastProjectRbClick() {
  ui_->FileNameEdit->setText(text::toQString(lastProject_));
  ui_->RootFolderEdit->setText(text::toQString(lastRootDir_));
  ui_->Label2->setEnabled(true);
  // The last project's file name is fixed; its root folder may still change.
  ui_->FileNameEdit->setEnabled(false);
  ui_->SelFileBt->setEnabled(false);
  applyEnablingRule();
}

void StartPage::FileNameEditChange() { applyEnablingRule(); }

void StartPage::RootFolderEditChange() { emit completeChanged(isComplete()); }

void StartPage::SelFileBtClick() {
  if (projectDialogs_ == nullptr) return;
  QFileDialog* dialog = ui_->NewProjectRb->isChecked() ? &projectDialogs_->save() : &projectDialogs_->open();
  dialog->selectFile(ui_->FileNameEdit->text());
  if (dialogs::runDialog(*dialog) != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return;
  const QString chosen = QDir::toNativeSeparators(dialog->selectedFiles().first());
  ui_->FileNameEdit->setText(chosen);
  // Every file choice brings its own folder as the root folder.
  ui_->RootFolderEdit->setText(folderOf(chosen));
  ui_->RootFolderEdit->setEnabled(true);
  ui_->RootFolderEditBt->setEnabled(true);
  ui_->Label77->setEnabled(true);
  emit completeChanged(isComplete());
}

void StartPage::RootFolderEditBtClick() {
  std::string folder = ExpandVariables(text::fromQString(ui_->RootFolderEdit->text()));
  bool relative = false;
  if (!BrowseFolder(window(), QStringLiteral("Выбор корневой папки проекта"), std::string(), folder, relative,
                    false))
    return;
  ui_->RootFolderEdit->setText(text::toQString(folder));
  emit completeChanged(isComplete());
}

void StartPage::applyEnablingRule() {
  const bool named = !ui_->FileNameEdit->text().isEmpty();
  ui_->RootFolderEdit->setEnabled(named);
  ui_->RootFolderEditBt->setEnabled(named);
  ui_->Label77->setEnabled(named);
  emit completeChanged(isComplete());
}

}  // namespace sw
