#pragma once
// The editor's one window: a banner, the six wizard pages walked with Back and Next, and the
// bottom strip with Back, Next and Cancel. It holds the project document, moves data between
// the pages and the model on every page change, opens the project when the start page is left
// and saves it with "Готово"; its placement and the last project live in the settings file.

#include <QWidget>
#include <memory>
#include <optional>
#include <string>

#include "model/project_document.h"
#include "programs/editor_state.h"
#include "wizard/editor_settings.h"
#include "wizard/project_file_dialogs.h"

namespace Ui {
class TSetwrightFm;
}

class QAbstractButton;
class QLineEdit;

namespace sw {

class CollapsibleSection;
class EditExtendetMenu;
class GroupsPage;
class HeaderPage;
class ProgramPanel;
class ProgramsPage;
class StagesPage;
class SummaryPage;

struct MainWindowOptions {
  std::string settingsFile;  // host path; empty: the program's own settings file
  QString projectFile;       // from the command line: preselected on the start page
  QString rootFolder;        // empty: the project file's folder
};

class TSetwrightFm : public QWidget {
  Q_OBJECT

 public:
  explicit TSetwrightFm(const MainWindowOptions& options = {});
  ~TSetwrightFm() override;

  ProjectDocument& document() { return document_; }
  int currentPage() const;

 public slots:
  void NextBtClick();
  void PrevBtClick();
  void CancelBtClick();
  void WizardNbPageChanged();
  // The handlers of the collapsible sections of every page (their fold buttons, their surfaces,
  // the press that activates the window); the sections call them themselves.
  void Button1Click(QAbstractButton* foldButton);
  void FlatGroupBoxClick(CollapsibleSection* section);
  void GroupBoxMouseActivate(CollapsibleSection* section);
  // Moves data between the pages and the model for a change from page `from` to page `to`;
  // false when the page may not change.
  bool CheckPageChange(int from, int to);

 protected:
  void showEvent(QShowEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  void FormCreate(const MainWindowOptions& options);
  void FormShow();
  void FormDestroy();
  // The pages after the start page, each built when it is first needed.
  HeaderPage& headerPage();
  StagesPage& stagesPage();
  GroupsPage& groupsPage();
  ProgramsPage& programsPage();
  SummaryPage& summaryPage();
  // The fold buttons clicked when the window is first shown, in their order.
  static QStringList foldedAtShow();
  void pageBuilt(QWidget& page, const QList<QLineEdit*>& pathEdits);
  void placeProgramPanel(ProgramsPage& page);
  void readSettings();
  void placeOnAScreen();
  // The settings hold the outer size; the frame around the window is known only once it is shown.
  void fitOuterSize();
  bool startPageStep();
  bool askToReopen();
  bool askForMissingRoot(const QString& rootFolder);
  bool saveStep();
  void showPage(int index);
  void updateStartPageNext(bool complete);

  std::unique_ptr<Ui::TSetwrightFm> ui_;
  ProjectDocument document_;
  EditorSettings settings_;
  std::string LastProject;
  std::string LastRootDir;
  ProjectFileDialogs projectDialogs_;
  // The current group and program and the updating flag of the groups and programs pages.
  EditorState editorState_;
  HeaderPage* headerPage_ = nullptr;
  StagesPage* stagesPage_ = nullptr;
  GroupsPage* groupsPage_ = nullptr;
  ProgramsPage* programsPage_ = nullptr;
  SummaryPage* summaryPage_ = nullptr;
  ProgramPanel* programPanel_ = nullptr;
  sw::EditExtendetMenu* EditExtendetMenu = nullptr;
  std::optional<QSize> outerSize_;
  bool shownOnce_ = false;
};

}  // namespace sw
