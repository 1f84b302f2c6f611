#pragma once
// Page 3 of the wizard: the program groups in their order, with the name, description and kind
// of the group in the panel. The buttons change the model's groups at once; the panel is copied
// into its group with every keystroke in the name, every choice of a kind, and whenever the
// window or the page stores it (StoreGroup). The page shares the current group and the updating
// flag with the programs page through the window's EditorState.

#include <QWidget>
#include <memory>
#include <string>

namespace Ui {
class GroupsPage;
}

namespace sw {

class ImageList;
struct EditorState;
struct Project;
struct TInstallGroup;

class GroupsPage : public QWidget {
  Q_OBJECT

 public:
  explicit GroupsPage(QWidget* parent = nullptr);
  ~GroupsPage() override;

  // The project, the shared editor state and the small pictures the rows draw from; all three
  // must outlive the page.
  void setProject(Project& project, EditorState& state, const ImageList& smallPictures);

 public slots:
  // Rebuilds the list from the model and shows the first group.
  void FillGroupsPage();
  // Copies the panel into `group`; none does nothing.
  void StoreGroup(TInstallGroup* group);
  // Copies `group` into the panel; none does nothing.
  void ShowGroup(TInstallGroup* group);

  void GroupListBoxClick();
  void GrpAddBtClick();
  void GrpDelBtClick();
  void GrpUpBtClick();
  void GrpDownBtClick();
  void NameGroupEdChange();
  void NormGroupRbClick();

 private:
  void takePanelInto(TInstallGroup& group);
  std::string descriptionText() const;

  std::unique_ptr<Ui::GroupsPage> ui_;
  Project* project_ = nullptr;
  EditorState* state_ = nullptr;
  // The description last shown and the memo's text right after it, so that a description the
  // user did not touch is stored back byte for byte (the memo rewrites its line breaks).
  std::string shownDescription_;
  QString shownMemoText_;
};

}  // namespace sw
