#include "platform/icon_lists.h"

#include <QPainter>

#include "platform/files.h"
#include "platform/icon_extractor.h"
#include "platform/image_list.h"

namespace sw {

namespace {

// The icons of a file through the cache when there is one; `own` holds an uncached source.
const IconSource& sourceOf(const std::string& file, IconSourceCache* cache, IconSource& own) {
  const std::string host = files::hostPath(file);
  if (cache != nullptr) return cache->get(host);
  own = IconSource::fromFile(host);
  return own;
}

}  // namespace

QImage SmallIconCell(int width, int height, const QImage& icon16, QRgb background) {
  background |= 0xFF000000u;  // a picture's background is opaque
  QImage cell(width, height, QImage::Format_ARGB32);
  cell.fill(background);
  if (!icon16.isNull()) {
    QPainter painter(&cell);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect target((width - kSmallIconSize) / 2, (height - kSmallIconSize) / 2, kSmallIconSize,
                       kSmallIconSize);
    painter.drawImage(target, icon16);
  }
  return withTransparentColor(cell, background);
}

int AppendSmallIcon(ImageList& list, const QImage& icon16, QRgb background) {
  return list.append(SmallIconCell(list.width(), list.height(), icon16, background));
}

int AppendFileIcons(const std::string& file, ImageList* small, ImageList* large, QRgb background,
                    IconSourceCache* cache) {
  if ((small == nullptr && large == nullptr) || !files::fileExists(file)) return 0;
  IconSource own;
  const IconSource& source = sourceOf(file, cache, own);
  const int count = source.count();
  if (count < 1) return 0;
  for (int i = 0; i < count; ++i) {
    if (large != nullptr) large->append(source.extract(i, kLargeIconSize));
    if (small != nullptr) AppendSmallIcon(*small, source.extract(i, kSmallIconSize), background);
  }
  // The tables stay in the cache for later lookups; the bytes are not needed until then.
  if (cache != nullptr) cache->releaseBytes();
  return count;
}

int LoadFileIcons(const std::string& file, ImageList* small, ImageList* large) {
  if ((small == nullptr && large == nullptr) || !files::fileExists(file)) return 0;
  IconSource own;
  const IconSource& source = sourceOf(file, nullptr, own);
  const int count = source.count();
  if (count < 1) return 0;
  if (large != nullptr) large->clear();
  if (small != nullptr) small->clear();
  for (int i = 0; i < count; ++i) {
    if (large != nullptr) large->append(source.extract(i, kLargeIconSize));
    if (small != nullptr) small->append(source.extract(i, kSmallIconSize));
  }
  return count;
}

}  // namespace sw
