#include "wizard/main_window.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStackedWidget>

#include "model/save_step.h"
#include "platform/files.h"
#include "ui_main_window.h"
#include "widgets/section_scroll_area.h"
#include "wizard/start_page.h"
#include "wizard/wizard_pictures.h"

namespace sw {
namespace {

const QString kCaption = QStringLiteral("Редактор кофигурации");

// A placement that no screen shows any of.
bool onNoScreen(const QRect& frame) {
  for (const QScreen* screen : QGuiApplication::screens()) {
    if (screen->availableGeometry().intersects(frame)) return false;
  }
  return true;
}

}  // namespace

TSetwrightFm::TSetwrightFm(const MainWindowOptions& options)
    : ui_(std::make_unique<Ui::TSetwrightFm>()),
      settings_(options.settingsFile.empty() ? EditorSettings::defaultPath() : options.settingsFile),
      projectDialogs_(*this) {
  ui_->setupUi(this);
  FormCreate(options);
}

TSetwrightFm::~TSetwrightFm() { FormDestroy(); }

int TSetwrightFm::currentPage() const { return ui_->WizardNb->currentIndex(); }

void TSetwrightFm::FormCreate(const MainWindowOptions& options) {
  connect(ui_->NextBt, &QPushButton::clicked, this, &TSetwrightFm::NextBtClick);
  connect(ui_->PrevBt, &QPushButton::clicked, this, &TSetwrightFm::PrevBtClick);
  connect(ui_->CancelBt, &QPushButton::clicked, this, &TSetwrightFm::CancelBtClick);
  connect(ui_->WizardNb, &QStackedWidget::currentChanged, this, &TSetwrightFm::WizardNbPageChanged);
  connect(ui_->StartPage, &StartPage::completeChanged, this, &TSetwrightFm::updateStartPageNext);
  showWizardPicture(*ui_->Image2, WizardPicture::Banner);
  showWizardPicture(*ui_->StartPage->findChild<QLabel*>(QStringLiteral("Image1")), WizardPicture::StartSide);
  ui_->StartPage->setProjectDialogs(&projectDialogs_);
  // The document has made the lists, set SELF and switched editor mode on; the page change
  // sets the caption.
  showPage(0);
  WizardNbPageChanged();
  document_.setIconBackgroundColor(palette().color(QPalette::Base).rgb());
  readSettings();
  if (!options.projectFile.isEmpty()) {
    const QString root = options.rootFolder.isEmpty()
                             ? QDir::toNativeSeparators(QFileInfo(options.projectFile).absolutePath())
                             : options.rootFolder;
    ui_->StartPage->preselectProject(options.projectFile, root);
  }
}

void TSetwrightFm::readSettings() {
  const EditorSettingsValues values = settings_.read();
  LastProject = values.lastProject;
  LastRootDir = values.lastRootDir;
  if (values.maximize) {
    setWindowState(windowState() | Qt::WindowMaximized);
  } else {
    QRect frame = frameGeometry();
    frame.moveLeft(values.left.value_or(frame.left()));
    frame.moveTop(values.top.value_or(frame.top()));
    frame.setWidth(values.width.value_or(frame.width()));
    frame.setHeight(values.height.value_or(frame.height()));
    move(frame.topLeft());
    resize(frame.size().expandedTo(minimumSize()));
    placeOnAScreen();
    // A stored size includes the frame, which is known only once shown; without one the window
    // keeps the client area of its form.
    if (values.width || values.height) outerSize_ = frame.size();
  }
  // A last project named without a folder lives in the last root folder.
  Project lastRoot;
  lastRoot.ProjectRootFolder = LastRootDir;
  const bool lastExists =
      !LastProject.empty() && files::fileExists(ResolveProjectFileName(lastRoot, LastProject));
  ui_->StartPage->setLastProject(LastProject, LastRootDir, lastExists);
}

void TSetwrightFm::placeOnAScreen() {
  if (!onNoScreen(frameGeometry())) return;
  const QScreen* primary = QGuiApplication::primaryScreen();
  if (primary == nullptr) return;
  const QRect area = primary->availableGeometry();
  resize(size().boundedTo(area.size()).expandedTo(minimumSize()));
  move(area.topLeft());
}

void TSetwrightFm::fitOuterSize() {
  if (!outerSize_) return;
  const QSize frameMargins = frameGeometry().size() - size();
  if (frameMargins == QSize(0, 0)) return;
  resize((*outerSize_ - frameMargins).expandedTo(minimumSize()));
  outerSize_.reset();
}

void TSetwrightFm::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  fitOuterSize();
}

void TSetwrightFm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  fitOuterSize();
  if (shownOnce_) return;
  shownOnce_ = true;
  FormShow();
}

void TSetwrightFm::FormShow() {
  // Pages built later fold theirs when they are built.
  SectionScrollArea::clickFoldButtons(*this, foldedAtShow());
}

void TSetwrightFm::FormDestroy() {
  settings_.write(LastProject, LastRootDir, isMaximized(), frameGeometry());
}

void TSetwrightFm::CancelBtClick() { close(); }

void TSetwrightFm::Button1Click(QAbstractButton* foldButton) { SectionScrollArea::Button1Click(foldButton); }

void TSetwrightFm::FlatGroupBoxClick(CollapsibleSection* section) {
  SectionScrollArea::FlatGroupBoxClick(section);
}

void TSetwrightFm::GroupBoxMouseActivate(CollapsibleSection* section) {
  SectionScrollArea::GroupBoxMouseActivate(section);
}

void TSetwrightFm::NextBtClick() {
  const int page = currentPage();
  if (!CheckPageChange(page, page + 1)) return;
  ui_->PrevBt->setEnabled(true);
  showPage(page + 1);
}

void TSetwrightFm::PrevBtClick() {
  const int page = currentPage();
  if (!CheckPageChange(page, page - 1)) return;
  ui_->NextBt->setEnabled(true);
  showPage(page - 1);
  ui_->PrevBt->setEnabled(page - 1 > 0);
}

void TSetwrightFm::showPage(int index) {
  // There is no page after the last: nothing changes.
  if (index < 0 || index >= ui_->WizardNb->count()) return;
  ui_->WizardNb->setCurrentIndex(index);
}

void TSetwrightFm::WizardNbPageChanged() {
  const QWidget* page = ui_->WizardNb->currentWidget();
  setWindowTitle(kCaption + QStringLiteral(" - ") + page->windowTitle());
  ui_->NextBt->setText(currentPage() == 5 ? QStringLiteral("Готово") : QStringLiteral("Далее >"));
}

void TSetwrightFm::updateStartPageNext(bool complete) {
  if (currentPage() == 0) ui_->NextBt->setEnabled(complete);
}

}  // namespace sw
