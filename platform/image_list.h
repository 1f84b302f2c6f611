#pragma once
// A list of fixed-size ARGB pictures. Pictures are appended, replaced or copied; an index,
// once given, stays valid until the list is cleared or truncated.

#include <QColor>
#include <QImage>
#include <vector>

namespace sw {

// `image` at exactly `width` x `height` in ARGB32, scaled smoothly when its size differs; a
// null image stays null.
QImage fitImage(const QImage& image, int width, int height);
// `image` in ARGB32 with the pixels of exactly `transparent` (alpha ignored) made transparent.
QImage withTransparentColor(const QImage& image, QRgb transparent);

class ImageList {
 public:
  ImageList(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }
  int count() const { return static_cast<int>(images_.size()); }

  // Appends a picture, scaled smoothly to the cell size when it differs (a null picture as a
  // transparent cell); returns its index.
  int append(const QImage& image);
  // Appends with the pixels of exactly `transparent` made transparent.
  int appendWithTransparentColor(const QImage& image, QRgb transparent);
  void replace(int index, const QImage& image);
  // Appends a copy of picture `index` of `source`; returns the new index, or -1.
  int appendCopy(const ImageList& source, int index);
  void clear();
  // Keeps the first `count` pictures (the built-in ones before a load).
  void truncate(int count);

  // A null image for an index out of range.
  const QImage& at(int index) const;

 private:
  int width_;
  int height_;
  std::vector<QImage> images_;
};

}  // namespace sw
