#pragma once
// Item views that draw each item's picture straight from an image list, by the picture index the
// item holds: filling a view with hundreds of items then makes no icon for any of them, and only
// the items on screen are ever drawn.

#include <QStyledItemDelegate>

namespace sw {

class ImageList;

class ImageListDelegate : public QStyledItemDelegate {
 public:
  // The item data role that holds the picture's index in the list.
  static constexpr int kImageIndexRole = Qt::UserRole + 1;

  // `images` must outlive the delegate.
  ImageListDelegate(const ImageList& images, QObject* parent);

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

 private:
  const ImageList& images_;
};

}  // namespace sw
