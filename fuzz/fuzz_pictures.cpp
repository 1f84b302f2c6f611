// Picture bytes in -> decoded for a preview cover picked by the input: no crash, no hang, no
// runaway memory, whatever the header claims; every picture within the limits, and at least as
// large as its cover wherever the picture itself is.

#include <QCoreApplication>
#include <QImage>
#include <QSize>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/picture_reader.h"

namespace {

// No cover, the smallest, icon and preview sizes, and one larger than most pictures.
const QSize kCovers[] = {QSize(),         QSize(0, 0),     QSize(16, 16),
                         QSize(157, 145), QSize(640, 480), QSize(5000, 5000)};
constexpr std::size_t kCoverCount = sizeof kCovers / sizeof kCovers[0];

bool withinLimits(QSize size) {
  return size.width() <= sw::kMaxPictureSide && size.height() <= sw::kMaxPictureSide &&
         std::uint64_t{4} * static_cast<std::uint64_t>(size.width()) *
                 static_cast<std::uint64_t>(size.height()) <=
             sw::kMaxPictureBytes;
}

bool coversAsFarAsItCan(QSize image, QSize full, QSize cover) {
  if (!cover.isValid()) return image == full;
  return image.width() >= std::min(cover.width(), full.width()) &&
         image.height() >= std::min(cover.height(), full.height()) && image.width() <= full.width() &&
         image.height() <= full.height();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_LOGGING_RULES", "*.debug=false;qt.*=false");
  static QCoreApplication app(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The trailing byte is past the end of most pictures, so choosing by it leaves them whole.
  const QSize cover = size == 0 ? QSize() : kCovers[(size + data[size - 1]) % kCoverCount];
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const sw::Result<sw::Picture> picture = sw::decodePicture(bytes, cover);
  if (!picture) {
    if (picture.status().failure() == sw::Failure::None || picture.status().detail().empty())
      __builtin_trap();
    return 0;
  }
  const QImage& image = picture->image;
  if (image.isNull() || !withinLimits(picture->fullSize)) __builtin_trap();
  if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32) __builtin_trap();
  if (!coversAsFarAsItCan(image.size(), picture->fullSize, cover)) __builtin_trap();
  return 0;
}
