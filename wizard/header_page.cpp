#include "wizard/header_page.h"

#include <QScrollBar>
#include <string>

#include "model/project.h"
#include "model/project_document.h"
#include "platform/text.h"
#include "programs/path_buttons.h"
#include "ui_header_page.h"
#include "widgets/up_down.h"
#include "wizard/user_env_grid.h"

namespace sw {
namespace {

void showText(QLineEdit& edit, const std::string& value) { edit.setText(text::toQString(value)); }
void storeText(const QLineEdit& edit, std::string& value) { value = text::fromQString(edit.text()); }

const QString kAllFiles = QStringLiteral("Все файлы (*.*)|*.*");
const QString kTextFiles = QStringLiteral("Тексторые файлы (*.txt; *.rtf)|*.txt;*.rtf|Все файлы (*.*)|*.*");

}  // namespace

HeaderPage::HeaderPage(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::HeaderPage>()) {
  ui_->setupUi(this);
  ui_->PrWaitTimerEditUpDown->setBuddy(ui_->PrWaitTimerEdit);
  ui_->PrWaitTimerEditUpDown->setRange(0, 999);
  connect(ui_->Button8, &QPushButton::clicked, this, &HeaderPage::Button8Click);
  connect(ui_->AdduserEnvBt, &QPushButton::clicked, this, &HeaderPage::AdduserEnvBtClick);
  connect(ui_->DelUserEnvBt, &QPushButton::clicked, this, &HeaderPage::DelUserEnvBtClick);
  connect(ui_->UserEnvListEd, &UserEnvGrid::linesChanged, this, &HeaderPage::UserEnvListEdStringsChange);
  connect(ui_->PrRootEditBt, &QPushButton::clicked, this, &HeaderPage::PrRootEditBtClick);
  connect(ui_->PrScrShotFolderEditBt, &QPushButton::clicked, this, &HeaderPage::PrScrShotFolderEditBtClick);
  connect(ui_->PrTagEditBt, &QPushButton::clicked, this, &HeaderPage::PrTagEditBtClick);
  connect(ui_->PrIconLibEditBt, &QPushButton::clicked, this, &HeaderPage::PrIconLibEditBtClick);
  connect(ui_->PrReadMeFileEditBt, &QPushButton::clicked, this, &HeaderPage::PrReadMeFileEditBtClick);
  connect(ui_->PrLicenseFileEditBt, &QPushButton::clicked, this, &HeaderPage::PrLicenseFileEditBtClick);
}

HeaderPage::~HeaderPage() = default;

void HeaderPage::setProject(Project& project) { project_ = &project; }

void HeaderPage::ShowHeaderPage() {
  if (project_ == nullptr) return;
  const ProjectSettings& s = project_->Settings;
  ui_->PrVersionEdit->setText(QStringLiteral("2.0"));
  showText(*ui_->PrTimeEd, s.Date);
  showText(*ui_->PrAutorEdit, s.Autor);
  showText(*ui_->PrDeskrEdit, s.Description);
  showText(*ui_->PrRootEdit, s.RootInstallDir);
  showText(*ui_->PrTagEdit, s.SourceTagFile);
  ui_->PrFddDriveCb->setChecked(s.CheckFDD);
  ui_->PrFlashDriveCb->setChecked(s.CheckFlash);
  ui_->PrHddDriveCb->setChecked(s.CheckHDD);
  ui_->PrLanDriveCb->setChecked(s.CheckNet);
  ui_->PrCDdriveCb->setChecked(s.CheckCd);
  ui_->PrLogEnableCb->setChecked(s.LogInstall);
  ui_->PrLogDetalizeCb->setChecked(s.DetaliseLog);
  showText(*ui_->PrLogEdit, s.LogFile);
  showText(*ui_->PrRunOnceEdit, s.RunOnceKey);
  showText(*ui_->PrRunEdit, s.RunValyeName);
  ui_->PrRunOnceEditRb->setChecked(!s.UseRunKey);
  ui_->PrRunEditRb->setChecked(s.UseRunKey);
  showText(*ui_->PrIconLibEdit, s.CommonIconLib);
  showText(*ui_->PrScrShotFolderEdit, s.CommonShotFolder);
  showText(*ui_->PrReadMeFileEdit, s.ReadMeText);
  showText(*ui_->PrLicenseFileEdit, s.LicenseText);
  ui_->PrAdminRightCb->setChecked(s.AdminRightsRequired);
  ui_->PrWelcomPageCb->setChecked(s.EnableWelcomeDlg);
  ui_->PrCloseMsgCb->setChecked(s.EnableCloseMsg);
  ui_->PrAutocloseCb->setChecked(s.AutoClose);
  ui_->PrShowLogCb->setChecked(s.ShowLog);
  ui_->PrBlockUserInputCb->setChecked(s.EnableUserInput);
  // The edit keeps the whole number, also outside the arrows' range, so leaving the page stores it.
  ui_->PrWaitTimerEdit->setText(QString::number(s.DefaultTimer));
  ui_->PrWaitTimerEditUpDown->setPosition(s.DefaultTimer);
  ui_->UserEnvListEd->setLines(project_->UserEnvironment);
}

void HeaderPage::StoreHeaderPage() {
  if (project_ == nullptr) return;
  ProjectSettings& s = project_->Settings;
  storeText(*ui_->PrTimeEd, s.Date);
  storeText(*ui_->PrAutorEdit, s.Autor);
  storeText(*ui_->PrDeskrEdit, s.Description);
  storeText(*ui_->PrRootEdit, s.RootInstallDir);
  storeText(*ui_->PrTagEdit, s.SourceTagFile);
  s.CheckFDD = ui_->PrFddDriveCb->isChecked();
  s.CheckFlash = ui_->PrFlashDriveCb->isChecked();
  s.CheckHDD = ui_->PrHddDriveCb->isChecked();
  s.CheckNet = ui_->PrLanDriveCb->isChecked();
  s.CheckCd = ui_->PrCDdriveCb->isChecked();
  s.LogInstall = ui_->PrLogEnableCb->isChecked();
  s.DetaliseLog = ui_->PrLogDetalizeCb->isChecked();
  storeText(*ui_->PrLogEdit, s.LogFile);
  storeText(*ui_->PrRunOnceEdit, s.RunOnceKey);
  storeText(*ui_->PrRunEdit, s.RunValyeName);
  s.UseRunKey = ui_->PrRunEditRb->isChecked();
  storeText(*ui_->PrIconLibEdit, s.CommonIconLib);
  storeText(*ui_->PrScrShotFolderEdit, s.CommonShotFolder);
  storeText(*ui_->PrReadMeFileEdit, s.ReadMeText);
  storeText(*ui_->PrLicenseFileEdit, s.LicenseText);
  s.AdminRightsRequired = ui_->PrAdminRightCb->isChecked();
  s.EnableWelcomeDlg = ui_->PrWelcomPageCb->isChecked();
  s.EnableCloseMsg = ui_->PrCloseMsgCb->isChecked();
  s.AutoClose = ui_->PrAutocloseCb->isChecked();
  s.ShowLog = ui_->PrShowLogCb->isChecked();
  s.EnableUserInput = ui_->PrBlockUserInputCb->isChecked();
  s.DefaultTimer = decimalNumber(ui_->PrWaitTimerEdit->text()).value_or(0);
  project_->UserEnvironment = ui_->UserEnvListEd->lines();
}

void HeaderPage::scrollToTop() { ui_->HeaderScrollBox->bringIntoView(ui_->GroupBox10); }

QList<QLineEdit*> HeaderPage::pathEdits() const {
  return {ui_->PrRootEdit,          ui_->PrTagEdit,        ui_->PrLogEdit,        ui_->PrIconLibEdit,
          ui_->PrScrShotFolderEdit, ui_->PrReadMeFileEdit, ui_->PrLicenseFileEdit};
}

void HeaderPage::Button8Click() { ui_->PrTimeEd->setText(text::toQString(TodayShortDate())); }

void HeaderPage::AdduserEnvBtClick() {
  ui_->UserEnvListEd->addLine(QStringLiteral("Новая переменная"), QStringLiteral("значение переменной"));
}

void HeaderPage::DelUserEnvBtClick() { ui_->UserEnvListEd->deleteCurrentRow(); }

void HeaderPage::UserEnvListEdStringsChange() {
  ui_->DelUserEnvBt->setEnabled(ui_->UserEnvListEd->lineCount() > 0);
}

void HeaderPage::PrRootEditBtClick() {
  if (project_ == nullptr) return;
  runFolderButton(window(), *ui_->PrRootEdit, QStringLiteral("Выбор корневой папки установки"),
                  project_->ProjectRootFolder, std::string());
}

void HeaderPage::PrScrShotFolderEditBtClick() {
  if (project_ == nullptr) return;
  runFolderButton(window(), *ui_->PrScrShotFolderEdit, QStringLiteral("Выбор папки скриншотов"),
                  project_->ProjectRootFolder, project_->ProjectRootFolder);
}

void HeaderPage::PrTagEditBtClick() {
  if (project_ == nullptr) return;
  runFileButton(window(), *ui_->PrTagEdit, QStringLiteral("Выбор маркерного файла"), kAllFiles,
                project_->ProjectRootFolder);
}

void HeaderPage::PrIconLibEditBtClick() {
  if (project_ == nullptr) return;
  runFileButton(window(), *ui_->PrIconLibEdit, QStringLiteral("Выбор библиотеки иконок"),
                QStringLiteral("Библиотеки пиктограмм (*.dll; *.icl)|*.dll;*.icl|Все файлы (*.*)|*.*"),
                project_->ProjectRootFolder);
}

void HeaderPage::PrReadMeFileEditBtClick() {
  if (project_ == nullptr) return;
  runFileButton(window(), *ui_->PrReadMeFileEdit, QStringLiteral("Выбор файла ReadMe"), kTextFiles,
                project_->ProjectRootFolder);
}

void HeaderPage::PrLicenseFileEditBtClick() {
  if (project_ == nullptr) return;
  runFileButton(window(), *ui_->PrLicenseFileEdit, QStringLiteral("Выбор файла лицензии"), kTextFiles,
                project_->ProjectRootFolder);
}

}  // namespace sw
