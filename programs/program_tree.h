#pragma once
// The program tree of the programs page: one top node per group ("--- name ---") and one child
// node per program, each node pointing at its record and the record back at its node. Every
// node carries a picture of the small program list and a state picture that tells its choice
// flags. Nodes keep record pointers and picture indices, never pictures: the delegate draws
// straight from the lists, so a tree of a thousand programs fills about as fast as bare items.
//
// The user expands and collapses groups only by double-click and keyboard; both ask first, so
// that a double-click meant for a state picture and a locked group's collapse are refused.

#include <QPoint>
#include <QTreeWidget>

namespace sw {

class ImageList;
struct TInstallGroup;
struct TInstallItem;

inline constexpr int kStatePictureWidth = 21;
inline constexpr int kStatePictureHeight = 17;
inline constexpr int kStatePictureCount = 13;

// The state pictures: slot 0 never shown, 1 to 6 the choice states, 7 to 12 the same for a
// hidden program. Drawn by scripts/draw-pictures.py; loaded once.
const ImageList& SelectTreeStateImg();

// 1 + Default + 3 x Fixed + 6 x (not Visible), each flag 0 or 1: 1 to 12.
int ProgramStateImage(const TInstallItem& program);
// Whether every program of the group is Fixed; a group without programs is not.
bool AllProgramsFixed(const TInstallGroup& group);
// 1 + the group's state number (0 none, 1 all, 2 some or no programs) + 3 when AllFixed.
int GroupStateImage(const TInstallGroup& group);

class SelectProgTree : public QTreeWidget {
  Q_OBJECT

 public:
  // The item data roles of a node: its picture in the small list and its state picture.
  static constexpr int kPictureRole = Qt::UserRole + 1;
  static constexpr int kStatePictureRole = Qt::UserRole + 2;
  static constexpr int kIndentation = 19;

  explicit SelectProgTree(QWidget* parent = nullptr);

  // The small program list (`SelectTreeImg`); it must outlive the tree or be replaced first.
  void setPictures(const ImageList* small);
  const ImageList* pictures() const { return pictures_; }

  // Nodes for records, not yet in a tree; each record's Node is set to its node. A group node
  // gets picture 2 when locked, else 0, and state picture 1 + State; a program node shows its
  // record's SmallImage and flags whenever it is drawn.
  static QTreeWidgetItem* newGroupNode(TInstallGroup& group);
  static QTreeWidgetItem* newProgramNode(TInstallItem& program);
  // The record of a node, or null for another kind of node (or none).
  static TInstallGroup* groupOf(const QTreeWidgetItem* node);
  static TInstallItem* programOf(const QTreeWidgetItem* node);
  // Sets a group node's state picture (the fill adds 3 when all its programs are fixed).
  static void setGroupStatePicture(QTreeWidgetItem* node, int state);
  // Makes the views draw the node again from its record and its own values.
  static void refreshNode(QTreeWidgetItem* node);

  // Removes every node; no selection event runs.
  void removeAllNodes();
  // Removes the node (and deletes it) without selection events and leaves nothing selected;
  // returns the node the tree selects in its place: the next program of the same group, else
  // the previous one, else the group node.
  QTreeWidgetItem* removeNode(QTreeWidgetItem* node);
  // Moves the node to `index` among the children of `parent` without selection events; a
  // selected node stays selected.
  void moveNode(QTreeWidgetItem* node, QTreeWidgetItem* parent, int index);
  // Selects the node as the user would (the selection events run) and brings it into view,
  // expanding its group when needed.
  void selectNode(QTreeWidgetItem* node);

  // Where a node's state picture lies in viewport coordinates (empty for none).
  QRect statePictureRect(const QTreeWidgetItem* node) const;
  // Whether the viewport point lies on the state picture of some node.
  bool onStatePicture(QPoint viewportPoint) const;

 signals:
  // The selection is about to leave `previous` (may be null); then it is on `current`.
  void nodeChanging(QTreeWidgetItem* previous);
  void nodeChanged(QTreeWidgetItem* current);

 public slots:
  // Whether the user may expand or collapse the node now: not while the pointer rests on a
  // state picture, and a locked group never collapses.
  bool SelectProgTreeExpanding(QTreeWidgetItem* node);
  bool SelectProgTreeCollapsing(QTreeWidgetItem* node);
  // A group node shows the triangle of its new state (the grey one when locked).
  void SelectProgTreeExpanded(QTreeWidgetItem* node);
  void SelectProgTreeCollapsed(QTreeWidgetItem* node);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const override;
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event) const override;

 private:
  // Selection changes made by the tree itself while this is above zero run no events.
  class Silence;
  void currentNodeChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);
  // The selected node is always the current one: the view may make a node current without
  // selecting it (on taking the focus), and a click whose selection events moved rows selects
  // by the rows' old places.
  void keepSelectionOnCurrent();
  // The user's expand or collapse: asks first, then does it.
  void userExpand(QTreeWidgetItem* node);
  void userCollapse(QTreeWidgetItem* node);
  QPoint pointerPosition() const;

  const ImageList* pictures_ = nullptr;
  int silence_ = 0;
  // The position of the mouse event being handled, which the expand checks use.
  bool pointerFromEvent_ = false;
  QPoint eventPointer_;
};

}  // namespace sw
