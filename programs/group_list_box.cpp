#include "programs/group_list_box.h"

#include <QPainter>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QStyledItemDelegate>
#include <algorithm>

#include "model/picture_slots.h"
#include "model/records.h"
#include "platform/image_list.h"
#include "platform/text.h"

namespace sw {
namespace {

constexpr int kGroupRole = Qt::UserRole;
constexpr int kPictureLeft = 2;
constexpr int kTextIndent = kSmallPictureWidth + 4;

// Hands the painting of a row to the list, so that what is drawn is read from the group.
class GroupRowDelegate : public QStyledItemDelegate {
 public:
  explicit GroupRowDelegate(GroupListBox& list) : QStyledItemDelegate(&list), list_(list) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    painter->save();
    list_.GroupListBoxDrawItem(*painter, index.row(), option.rect, option);
    painter->restore();
  }
  // No width of its own: a row is as wide as the list, and a long name is cut at its edge.
  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
    return {0, GroupListBox::kRowHeight};
  }

 private:
  GroupListBox& list_;
};

QPalette::ColorGroup colorGroup(const QStyleOptionViewItem& option) {
  if (!option.state.testFlag(QStyle::State_Enabled)) return QPalette::Disabled;
  return option.state.testFlag(QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
}

}  // namespace

int GroupPicture(const TInstallGroup& group) {
  if (group.Locked) return kLockedGroupPicture;
  return group.Expanded ? kExpandedGroupPicture : kGroupPicture;
}

GroupListBox::GroupListBox(QWidget* parent) : QListWidget(parent) {
  setItemDelegate(new GroupRowDelegate(*this));
  setSelectionMode(QAbstractItemView::SingleSelection);
  setUniformItemSizes(true);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setDragDropMode(QAbstractItemView::NoDragDrop);
}

void GroupListBox::setPictures(const ImageList* pictures) {
  pictures_ = pictures;
  viewport()->update();
}

void GroupListBox::appendGroup(TInstallGroup* group) {
  auto* row = new QListWidgetItem(group != nullptr ? text::toQString(group->Name) : QString());
  row->setData(kGroupRole, QVariant::fromValue(static_cast<void*>(group)));
  QSignalBlocker quiet(this);
  addItem(row);
}

TInstallGroup* GroupListBox::groupAt(int row) const {
  const QListWidgetItem* held = item(row);
  return held != nullptr ? static_cast<TInstallGroup*>(held->data(kGroupRole).value<void*>()) : nullptr;
}

int GroupListBox::rowOf(const TInstallGroup* group) const {
  if (group == nullptr) return -1;
  for (int row = 0; row < count(); ++row)
    if (groupAt(row) == group) return row;
  return -1;
}

int GroupListBox::selectedRow() const {
  const QList<QListWidgetItem*> chosen = selectedItems();
  return chosen.isEmpty() ? -1 : row(chosen.front());
}

void GroupListBox::selectRow(int row) {
  QSignalBlocker quiet(this);
  if (row < 0 || row >= count()) {
    clearSelection();
    setCurrentRow(-1);
    return;
  }
  setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

void GroupListBox::removeRow(int row) {
  QSignalBlocker quiet(this);
  delete takeItem(row);
}

void GroupListBox::swapRows(int first, int second) {
  if (first == second || first < 0 || second < 0 || first >= count() || second >= count()) return;
  QSignalBlocker quiet(this);
  const int selected = selectedRow();
  const int low = std::min(first, second);
  const int high = std::max(first, second);
  QListWidgetItem* moving = takeItem(high);
  insertItem(low, moving);
  if (selected == first || selected == second) selectRow(selected == first ? second : first);
}

void GroupListBox::repaintGroup(const TInstallGroup* group) {
  const int row = rowOf(group);
  if (row >= 0) viewport()->update(visualItemRect(item(row)));
}

void GroupListBox::GroupListBoxDrawItem(QPainter& canvas, int row, QRect rect,
                                        const QStyleOptionViewItem& option) const {
  const bool selected = option.state.testFlag(QStyle::State_Selected);
  const QPalette::ColorGroup colors = colorGroup(option);
  canvas.fillRect(rect, option.palette.brush(colors, selected ? QPalette::Highlight : QPalette::Base));
  if (const TInstallGroup* group = groupAt(row)) {
    if (pictures_ != nullptr) {
      const QImage& picture = pictures_->at(GroupPicture(*group));
      // Centred in the row, rounded toward the top as the row height is even or odd.
      canvas.drawImage(
          QPoint(rect.left() + kPictureLeft, rect.top() + (rect.height() - picture.height()) / 2), picture);
    }
    QRect textRect = rect;
    textRect.setLeft(rect.left() + kTextIndent);
    canvas.setPen(option.palette.color(colors, selected ? QPalette::HighlightedText : QPalette::Text));
    canvas.setFont(option.font);
    const Qt::Alignment align = QStyle::visualAlignment(option.direction, Qt::AlignLeft) | Qt::AlignVCenter;
    canvas.drawText(textRect, static_cast<int>(align) | Qt::TextSingleLine, text::toQString(group->Name));
  }
  if (option.state.testFlag(QStyle::State_HasFocus)) {
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(option);
    focus.rect = rect;
    // The style draws it only when the focus came from the keyboard, as the view tells it.
    focus.state |= QStyle::State_Item;
    focus.backgroundColor = option.palette.color(colors, selected ? QPalette::Highlight : QPalette::Base);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &canvas, this);
  }
}

void GroupListBox::keyboardSearch(const QString&) {}

}  // namespace sw
