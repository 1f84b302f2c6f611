#pragma once
// The list of groups on the groups page: one row per group, each row holding its group and drawn
// from it (the group's picture and current name), so that a rename or a new kind shows as soon as
// the row is repainted. Rows are 22 pixels high; typing letters does not search the rows.

#include <QListWidget>

class QPainter;
class QStyleOptionViewItem;

namespace sw {

class ImageList;
struct TInstallGroup;

// The small picture of a group's row and tree node: locked, else expanded, else collapsed.
int GroupPicture(const TInstallGroup& group);

class GroupListBox : public QListWidget {
  Q_OBJECT

 public:
  static constexpr int kRowHeight = 22;

  explicit GroupListBox(QWidget* parent = nullptr);

  // The small picture list the rows draw from; it must outlive the list.
  void setPictures(const ImageList* pictures);

  void appendGroup(TInstallGroup* group);
  // The group of a row; null for a row out of range.
  TInstallGroup* groupAt(int row) const;
  int rowOf(const TInstallGroup* group) const;

  // The selected row, or -1.
  int selectedRow() const;
  // Selects a row (-1: none) without reporting it as the user's choice.
  void selectRow(int row);
  // Removes a row without reporting the change of selection.
  void removeRow(int row);
  // Exchanges two rows; the selection stays with the row it was on. Nothing is reported.
  void swapRows(int first, int second);
  // Schedules the repaint of the group's row, if it has one.
  void repaintGroup(const TInstallGroup* group);

  // Draws row `row` in `rect`: the background of its state, the group's picture and name.
  void GroupListBoxDrawItem(QPainter& canvas, int row, QRect rect, const QStyleOptionViewItem& option) const;

  void keyboardSearch(const QString& search) override;

 private:
  const ImageList* pictures_ = nullptr;
};

}  // namespace sw
