#include "widgets/image_list_delegate.h"

#include <QIcon>
#include <QPixmap>

#include "platform/image_list.h"

namespace sw {

ImageListDelegate::ImageListDelegate(const ImageList& images, QObject* parent)
    : QStyledItemDelegate(parent), images_(images) {}

void ImageListDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
  QStyledItemDelegate::initStyleOption(option, index);
  bool hasIndex = false;
  const int picture = index.data(kImageIndexRole).toInt(&hasIndex);
  if (!hasIndex || picture < 0 || picture >= images_.count()) return;
  option->features |= QStyleOptionViewItem::HasDecoration;
  option->decorationSize = QSize(images_.width(), images_.height());
  option->icon = QIcon(QPixmap::fromImage(images_.at(picture)));
}

}  // namespace sw
