// The pages after the start page are built when the wizard first needs them, so that the window
// opens about as fast as an empty one; each is bound to the project as it is built.

#include <QLabel>
#include <QLayout>

#include "programs/depends_dialog.h"
#include "programs/groups_page.h"
#include "programs/program_panel.h"
#include "programs/programs_page.h"
#include "ui_main_window.h"
#include "widgets/edit_extended_menu.h"
#include "widgets/section_scroll_area.h"
#include "wizard/header_page.h"
#include "wizard/main_window.h"
#include "wizard/stages_page.h"
#include "wizard/summary_page.h"
#include "wizard/wizard_pictures.h"

namespace sw {
namespace {

// The page fills its place in the page stack, which holds its caption.
template <class Page>
Page* placePage(QWidget& place, const QString& name) {
  auto* page = new Page(&place);
  page->setObjectName(name);
  place.layout()->addWidget(page);
  return page;
}

}  // namespace

QStringList TSetwrightFm::foldedAtShow() {
  return {QStringLiteral("Button24"), QStringLiteral("Button3"),  QStringLiteral("Button1"),
          QStringLiteral("Button7"),  QStringLiteral("Button4"),  QStringLiteral("Button5"),
          QStringLiteral("Button6"),  QStringLiteral("Button12"), QStringLiteral("Button10")};
}

void TSetwrightFm::pageBuilt(QWidget& page, const QList<QLineEdit*>& pathEdits) {
  // The start page has no field that takes variables.
  if (EditExtendetMenu == nullptr) EditExtendetMenu = new sw::EditExtendetMenu(this);
  for (QLineEdit* edit : pathEdits) EditExtendetMenu->attach(edit);
  // A page built before the window is shown is folded with the others then.
  if (shownOnce_) SectionScrollArea::clickFoldButtons(page, foldedAtShow());
}

HeaderPage& TSetwrightFm::headerPage() {
  if (headerPage_ == nullptr) {
    headerPage_ = placePage<HeaderPage>(*ui_->HeaderPageSlot, QStringLiteral("HeaderPage"));
    headerPage_->setProject(document_.project());
    pageBuilt(*headerPage_, headerPage_->pathEdits());
    headerPage_->scrollToTop();
  }
  return *headerPage_;
}

StagesPage& TSetwrightFm::stagesPage() {
  if (stagesPage_ == nullptr) {
    stagesPage_ = placePage<StagesPage>(*ui_->StagesPageSlot, QStringLiteral("StagesPage"));
    stagesPage_->setProject(document_.project());
    pageBuilt(*stagesPage_, stagesPage_->pathEdits());
    stagesPage_->scrollToTop();
  }
  return *stagesPage_;
}

GroupsPage& TSetwrightFm::groupsPage() {
  if (groupsPage_ == nullptr) {
    groupsPage_ = placePage<GroupsPage>(*ui_->GroupsPageSlot, QStringLiteral("GroupsPage"));
    groupsPage_->setProject(document_.project(), editorState_, document_.smallPictures());
  }
  return *groupsPage_;
}

ProgramsPage& TSetwrightFm::programsPage() {
  if (programsPage_ == nullptr) {
    programsPage_ = placePage<ProgramsPage>(*ui_->ProgramsPageSlot, QStringLiteral("ProgramsPage"));
    programsPage_->setProject(document_.project(), editorState_, document_.smallPictures(),
                              document_.largePictures());
    placeProgramPanel(*programsPage_);
    pageBuilt(*programsPage_, programPanel_->pathEdits());
  }
  return *programsPage_;
}

SummaryPage& TSetwrightFm::summaryPage() {
  if (summaryPage_ == nullptr) {
    summaryPage_ = placePage<SummaryPage>(*ui_->SummaryPageSlot, QStringLiteral("SummaryPage"));
    showWizardPicture(*summaryPage_->findChild<QLabel*>(QStringLiteral("Image3")),
                      WizardPicture::SummarySide);
  }
  return *summaryPage_;
}

void TSetwrightFm::placeProgramPanel(ProgramsPage& page) {
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

}  // namespace sw
