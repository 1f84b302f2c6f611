#pragma once
// Page 4 of the wizard: the program tree with the buttons that add, delete and move programs,
// and beside it the place of the program panel, with a hint in its stead while no program is
// selected. The page owns every tree event: before the selection moves the panel is stored
// into the program it shows, after it the newly selected program is shown. The panel itself is
// reached only through ProgramEditor; it tells the page of the edits that take effect at once
// through the program... slots, so that the tree follows them.

#include <QWidget>
#include <memory>

class QTreeWidgetItem;

namespace Ui {
class ProgramsPage;
}

namespace sw {

class ImageList;
class ProgramEditor;
class SelectProgTree;
struct EditorState;
struct Project;
struct TInstallItem;

class ProgramsPage : public QWidget {
  Q_OBJECT

 public:
  explicit ProgramsPage(QWidget* parent = nullptr);
  ~ProgramsPage() override;

  // The project, the state shared with the groups page and the two display picture lists
  // (`SelectTreeImg`, `BigTreeImg`); all must outlive the page or be replaced first.
  void setProject(Project& project, EditorState& state, ImageList& small, ImageList& large);
  // The panel that shows and stores programs; may be null (nothing is shown or stored).
  void setProgramEditor(ProgramEditor* editor);
  // Where the panel is placed; it is shown only while a program node is selected.
  QWidget* editPanelHost() const;
  SelectProgTree* tree() const;

  // Entering the page: the tree filled, the panel hidden, the buttons and the hint set.
  void FillProgramsPage();
  // The tree anew from the model; the first expanded group is selected.
  void FillProgramTree();
  // Leaving the page: every node removed, nothing stored or shown, no record left pointing at
  // a node.
  void ClearProgramTree();
  // Copies the panel into the current program (leaving the page stores the last edits).
  void storeCurrentProgram();

 signals:
  // The page was filled from the model: the panel's list of groups is to be filled now.
  void programsPageFilled();

 public slots:
  void PrgAddBtClick();
  void PrgDeleteBtClick();
  void PrgUpBtClick();
  void PrgDownBtClick();

  // The tree's selection events.
  void SelectProgTreeChanging(QTreeWidgetItem* previous);
  void SelectProgTreeChange(QTreeWidgetItem* node);

  // The panel's edits that take effect at once. Each takes the program whose record changed.
  // Its Caption: the node's text.
  void programRenamed(TInstallItem* program);
  // Its Default, Fixed or Visible: the node's state picture.
  void programStateChanged(TInstallItem* program);
  // The picture at its SmallImage: the node's picture.
  void programPictureChanged(TInstallItem* program);
  // Its Owner (already moved in the model): the node goes to the same place under the new
  // group's node, that group is expanded, and a selected node stays selected.
  void programMovedToGroup(TInstallItem* program);
  // Stored from the panel: text, picture and state picture, all at once.
  void programStored(TInstallItem* program);

 private:
  void setPanelVisible(bool visible);
  // Moves the selected program one place within its group (-1 up, +1 down).
  void moveSelectedProgram(int step);

  std::unique_ptr<Ui::ProgramsPage> ui_;
  Project* project_ = nullptr;
  EditorState* state_ = nullptr;
  ImageList* small_ = nullptr;
  ImageList* large_ = nullptr;
  ProgramEditor* editor_ = nullptr;
};

}  // namespace sw
