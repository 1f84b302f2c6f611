#include "platform/image_list.h"

#include <algorithm>

namespace sw {

namespace {

// A null picture becomes a transparent cell, so that lists filled in step keep matching indices.
QImage fitToCell(const QImage& image, int width, int height) {
  if (!image.isNull()) return fitImage(image, width, height);
  QImage empty(width, height, QImage::Format_ARGB32);
  empty.fill(Qt::transparent);
  return empty;
}

}  // namespace

QImage fitImage(const QImage& image, int width, int height) {
  if (image.isNull()) return image;
  if (image.width() == width && image.height() == height) return image.convertToFormat(QImage::Format_ARGB32);
  return image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
      .convertToFormat(QImage::Format_ARGB32);
}

QImage withTransparentColor(const QImage& image, QRgb transparent) {
  if (image.isNull()) return image;
  QImage keyed = image.convertToFormat(QImage::Format_ARGB32);
  const QRgb key = transparent & RGB_MASK;
  for (int y = 0; y < keyed.height(); ++y) {
    auto* pixels = reinterpret_cast<QRgb*>(keyed.scanLine(y));
    for (int x = 0; x < keyed.width(); ++x) {
      if ((pixels[x] & RGB_MASK) == key) pixels[x] = 0;
    }
  }
  return keyed;
}

ImageList::ImageList(int width, int height) : width_(std::max(width, 1)), height_(std::max(height, 1)) {}

int ImageList::append(const QImage& image) {
  images_.push_back(fitToCell(image, width_, height_));
  return count() - 1;
}

int ImageList::appendWithTransparentColor(const QImage& image, QRgb transparent) {
  // Keyed at the picture's own size: scaling first would blend the key colour into its edges.
  return append(withTransparentColor(image, transparent));
}

void ImageList::replace(int index, const QImage& image) {
  if (index < 0 || index >= count()) return;
  images_[static_cast<std::size_t>(index)] = fitToCell(image, width_, height_);
}

int ImageList::appendCopy(const ImageList& source, int index) {
  if (index < 0 || index >= source.count()) return -1;
  // Copy first: the source may be this list, whose storage the append can move.
  const QImage picture = source.at(index);
  return append(picture);
}

void ImageList::clear() { images_.clear(); }

void ImageList::truncate(int keep) {
  if (keep < 0) keep = 0;
  if (keep < count()) images_.resize(static_cast<std::size_t>(keep));
}

const QImage& ImageList::at(int index) const {
  static const QImage none;
  if (index < 0 || index >= count()) return none;
  return images_[static_cast<std::size_t>(index)];
}

}  // namespace sw
