#include "wizard/main_window.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QStackedWidget>
#include <QTimer>

#include "model/save_step.h"
#include "platform/files.h"
#include "platform/text.h"
#include "programs/depends_dialog.h"
#include "programs/groups_page.h"
#include "programs/program_panel.h"
#include "programs/programs_page.h"
#include "ui_main_window.h"
#include "widgets/edit_extended_menu.h"
#include "widgets/section_scroll_area.h"
#include "wizard/header_page.h"
#include "wizard/stages_page.h"
#include "wizard/start_page.h"
#include "wizard/summary_page.h"
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
  ui_->HeaderPage->setProject(document_.project());
  ui_->StagesPage->setProject(document_.project());
  ui_->GroupsPage->setProject(document_.project(), editorState_, document_.smallPictures());
  ui_->ProgramsPage->setProject(document_.project(), editorState_, document_.smallPictures(),
                                document_.largePictures());
  placeProgramPanel();
  // The document has made the lists, set SELF and switched editor mode on; the page change
  // sets the caption.
  showPage(0);
  WizardNbPageChanged();
  ui_->StagesPage->scrollToTop();
  ui_->HeaderPage->scrollToTop();
  document_.setIconBackgroundColor(palette().color(QPalette::Base).rgb());
  EditExtendetMenu = new sw::EditExtendetMenu(this);
  for (QLineEdit* edit : ui_->HeaderPage->pathEdits() + ui_->StagesPage->pathEdits())
    EditExtendetMenu->attach(edit);
  readSettings();
  if (!options.projectFile.isEmpty()) {
    const QString root = options.rootFolder.isEmpty()
                             ? QDir::toNativeSeparators(QFileInfo(options.projectFile).absolutePath())
                             : options.rootFolder;
    ui_->StartPage->preselectProject(options.projectFile, root);
  }
}

void TSetwrightFm::placeProgramPanel() {
  ProgramsPage& page = *ui_->ProgramsPage;
  programPanel_ = new ProgramPanel(page.editPanelHost());
  page.editPanelHost()->layout()->addWidget(programPanel_);
  programPanel_->setProject(document_.project(), editorState_, document_.smallPictures(),
                            document_.largePictures());
  programPanel_->setDependsEditor([](QWidget* owner, Project& project, TInstallItem& program) {
    return EditDependencies(owner, project, &program);
  });
  page.setProgramEditor(programPanel_);
  // The panel's instant edits show in the tree at once.
  connect(programPanel_, &ProgramPanel::programRenamed, &page, &ProgramsPage::programRenamed);
  connect(programPanel_, &ProgramPanel::programStateChanged, &page, &ProgramsPage::programStateChanged);
  connect(programPanel_, &ProgramPanel::programPictureChanged, &page, &ProgramsPage::programPictureChanged);
  connect(programPanel_, &ProgramPanel::programMovedToGroup, &page, &ProgramsPage::programMovedToGroup);
  connect(&page, &ProgramsPage::programsPageFilled, programPanel_, &ProgramPanel::fillGroups);
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

void TSetwrightFm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (shownOnce_) return;
  shownOnce_ = true;
  FormShow();
}

void TSetwrightFm::FormShow() {
  // The program panel's sections are folded too once that page has them.
  SectionScrollArea::clickFoldButtons(
      *this, {QStringLiteral("Button24"), QStringLiteral("Button3"), QStringLiteral("Button1"),
              QStringLiteral("Button7"), QStringLiteral("Button4"), QStringLiteral("Button5"),
              QStringLiteral("Button6"), QStringLiteral("Button12"), QStringLiteral("Button10")});
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
  if (currentPage() == 5 && !summaryPictureShown_) {
    // The last page's picture is decoded when that page is first reached.
    showWizardPicture(*ui_->SummaryPage->findChild<QLabel*>(QStringLiteral("Image3")),
                      WizardPicture::SummarySide);
    summaryPictureShown_ = true;
  }
}

void TSetwrightFm::updateStartPageNext(bool complete) {
  if (currentPage() == 0) ui_->NextBt->setEnabled(complete);
}

}  // namespace sw
