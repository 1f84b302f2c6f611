#pragma once
// The right half of the programs page: every property of the current program in five folding
// sections. The panel is filled from a program (ShowProgram) and copied back into it
// (StoreProgram) at the moments the page chooses; only the name, the three choice flags, the
// parent group and the icon's pictures take effect at once, and the panel tells the page's tree
// about each through a signal. The tree itself is the page's: the panel never touches a node.

#include <QList>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

// Complete, so that the program pointers of the signals can be queued and spied on.
#include "model/records.h"
#include "programs/program_editor.h"

class QLineEdit;

namespace Ui {
class ProgramPanel;
}

namespace sw {

class ImageList;
class SectionScrollArea;
struct EditorState;
struct Project;

class ProgramPanel : public QWidget, public ProgramEditor {
  Q_OBJECT

 public:
  // Edits a program's dependency and exclusion lists in a dialog; true when it changed them.
  using DependsEditor = std::function<bool(QWidget* owner, Project& project, TInstallItem& program)>;

  explicit ProgramPanel(QWidget* parent = nullptr);
  ~ProgramPanel() override;

  // The project, the page's shared state and the display lists of the tree (the project's
  // SmallProgramImages and LargeProgramImages); all must outlive the panel.
  void setProject(Project& project, EditorState& state, ImageList& small, ImageList& large);
  void setDependsEditor(DependsEditor editor) { dependsEditor_ = std::move(editor); }

  // Refills GroupCb2 with one entry per group of the project, in order.
  void fillGroups();

  void ShowProgram(TInstallItem* program) override;
  void StoreProgram(TInstallItem* program) override;
  void scrollToGeneral() override;

  SectionScrollArea* scrollBox() const;
  // The path and command edits, which carry the shared edit menu.
  QList<QLineEdit*> pathEdits() const;

 signals:
  // The program's Caption changed: its node's text follows.
  void programRenamed(TInstallItem* program);
  // Default, Fixed or Visible changed: its node's state picture follows.
  void programStateChanged(TInstallItem* program);
  // The program now ends its new Owner's Items: its node moves to the end of that group's node,
  // which is expanded, and stays selected without selection events.
  void programMovedToGroup(TInstallItem* program);
  // The program's SmallImage (a slot or its picture) changed: its node's picture follows.
  void programPictureChanged(TInstallItem* program);

 public slots:
  void PrgNameEdChange();
  void GroupCb2Select();
  void PrgDefaultCbClick();
  void PrgFolderEdBtClick();
  void IconFileEdBtClick();
  void PrgScreenShotEdBtClick();
  void CommandEdBt1Click();
  void CommandEdBt2Click();
  void CommandEdBt3Click();
  void CommandEdBt4Click();
  void CommandEdBt5Click();
  void CommandEdBt6Click();
  void PreRegEditBtClick();
  void PostRegEditBtClick();
  void CheckTagFileEdCbClick();
  void PrgDependsEdBtClick();

 private:
  bool updating() const;
  TInstallItem* current() const;
  TInstallGroup* chosenGroup() const;
  void moveToChosenGroup(TInstallItem& program);
  void showReferences(const TInstallItem& program);
  void showLargePicture(const TInstallItem& program);
  std::string description() const;
  std::string itemFolder() const;
  std::string iconPath(std::string iconFile) const;
  void SetItemCommand(QLineEdit& edit);
  void pickRegFile(QLineEdit& edit);

  std::unique_ptr<Ui::ProgramPanel> ui_;
  Project* project_ = nullptr;
  EditorState* state_ = nullptr;
  ImageList* small_ = nullptr;
  ImageList* large_ = nullptr;
  DependsEditor dependsEditor_;
  // The description as last shown, in the model's bytes and as the memo gave it back, so that an
  // untouched memo stores exactly what it showed.
  std::string shownDescription_;
  QString shownMemoText_;
};

}  // namespace sw
