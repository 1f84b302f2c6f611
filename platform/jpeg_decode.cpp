#include "platform/jpeg_decode.h"

#include <QColor>
#include <QtGlobal>
#include <algorithm>
#include <string>

#include "platform/jpeg_decompressor.h"
#include "platform/jpeg_pixels.h"
#include "platform/jpeg_segments.h"

namespace sw::jpeg {

namespace {

// Largest first: the first that covers is the smallest decode.
constexpr unsigned kScaleDenominators[] = {8, 4, 2, 1};
// What libjpeg's decode of zero coefficients gives: rows never decoded look the same.
constexpr QRgb kMissingRows = 0xFF808080u;

Status damaged(const Decompressor& decompressor) {
  if (decompressor.outOfMemory()) {
    std::string detail = "needs more than ";
    detail += std::to_string(kMaxWorkingBytes >> 20);
    detail += " MB to decode";
    return pictureFailure(Failure::TooLarge, std::move(detail));
  }
  std::string detail = "damaged JPEG: ";
  detail += decompressor.message();
  return pictureFailure(Failure::System, std::move(detail));
}

// What libjpeg writes for the file's colours, and what is left for us to convert.
struct Output {
  J_COLOR_SPACE colours;
  RowLayout layout;
};

Output outputFor(const Decompressor& decompressor) {
  const J_COLOR_SPACE file = decompressor.fileColours();
  if (file == JCS_CMYK || file == JCS_YCCK) {
    return {JCS_CMYK, decompressor.sawAdobeMarker() ? RowLayout::InvertedCmyk : RowLayout::Cmyk};
  }
#if defined(JCS_ALPHA_EXTENSIONS)
  // The alpha forms, not the X ones: RGB32 needs its fourth byte 0xFF, which only they promise.
  return {Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRA : JCS_EXT_ARGB, RowLayout::Rgb32};
#else
  if (file == JCS_GRAYSCALE) return {JCS_GRAYSCALE, RowLayout::Gray};
  return {JCS_RGB, RowLayout::Rgb};
#endif
}

// The smallest scale whose output covers `cover` in both directions; full size without one,
// or when even that is smaller than the cover.
bool pickScale(Decompressor& decompressor, QSize cover) {
  if (!cover.isValid()) return decompressor.setScale(1);
  for (const unsigned denominator : kScaleDenominators) {
    if (!decompressor.setScale(denominator)) return false;
    const QSize output = decompressor.outputSize();
    if (output.width() >= cover.width() && output.height() >= cover.height()) return true;
  }
  return true;
}

void finishRows(QImage& image, int decoded, RowLayout layout) {
  for (int y = 0; y < decoded; ++y) toRgb32InPlace(image.scanLine(y), image.width(), layout);
  for (int y = decoded; y < image.height(); ++y) {
    auto* pixels = reinterpret_cast<QRgb*>(image.scanLine(y));
    std::fill(pixels, pixels + image.width(), kMissingRows);
  }
}

}  // namespace

bool isJpeg(std::string_view bytes) { return bytes.substr(0, 3) == std::string_view("\xFF\xD8\xFF", 3); }

Result<Picture> decodeJpeg(std::string_view bytes, QSize cover) {
  Decompressor decompressor;
  // Cut before a marker segment that is cut short, libjpeg ends the file there as if at EOI.
  if (!decompressor.readHeader(bytes.substr(0, wholeSegmentsLength(bytes)))) return damaged(decompressor);
  const QSize fullSize = decompressor.fullSize();
  if (Status limits = checkPictureSize(fullSize); !limits) return limits;

  const Output output = outputFor(decompressor);
  decompressor.setOutputColours(output.colours);
  if (!pickScale(decompressor, cover) || !decompressor.start()) return damaged(decompressor);
  const QSize size = decompressor.outputSize();
  if (size.isEmpty() || size.width() > fullSize.width() || size.height() > fullSize.height()) {
    return pictureFailure(Failure::System, "damaged JPEG: no rows to decode");
  }

  QImage image(size, QImage::Format_RGB32);
  if (image.isNull()) return pictureFailure(Failure::OutOfMemory, "no memory for the picture");
  // A failure halfway keeps the rows decoded so far: a damaged photo still shows what it has.
  const bool complete = decompressor.readRows(image.bits(), static_cast<std::size_t>(image.bytesPerLine()));
  if (!complete && decompressor.rowsDecoded() == 0) return damaged(decompressor);
  finishRows(image, decompressor.rowsDecoded(), output.layout);
  return Picture{std::move(image), fullSize};
}

}  // namespace sw::jpeg
