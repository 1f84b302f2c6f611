#include "platform/picture_reader.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <algorithm>
#include <string>

#include "platform/file_io.h"
#include "platform/jpeg_decode.h"

namespace sw {

namespace {

// The formats Qt decodes for us, told by their first bytes. Qt's own guessing is not used: it
// would hand unknown bytes to every reader it has, SVG and TIFF included.
struct QtFormat {
  std::string_view signature;
  const char* format;
  const char* name;
};
constexpr QtFormat kQtFormats[] = {
    {std::string_view("BM", 2), "bmp", "BMP"},       {std::string_view("\x89PNG\r\n\x1a\n", 8), "png", "PNG"},
    {std::string_view("GIF87a", 6), "gif", "GIF"},   {std::string_view("GIF89a", 6), "gif", "GIF"},
    {std::string_view("\0\0\1\0", 4), "ico", "ICO"},
};

const QtFormat* qtFormatOf(std::string_view bytes) {
  for (const QtFormat& format : kQtFormats) {
    if (bytes.substr(0, format.signature.size()) == format.signature) return &format;
  }
  return nullptr;
}

// Qt's limit is one for the whole process; it is set once, to ours, as a second guard for
// allocations inside Qt's readers.
void limitQtAllocations() {
  static const bool limited = [] {
    QImageReader::setAllocationLimit(static_cast<int>(kMaxPictureBytes >> 20));
    return true;
  }();
  (void)limited;
}

Status damagedQt(const QtFormat& format, const QImageReader& reader) {
  std::string detail = "damaged ";
  detail += format.name;
  if (reader.error() != QImageReader::UnknownError) {
    detail += ": ";
    detail += reader.errorString().toStdString();
  }
  return pictureFailure(Failure::System, std::move(detail));
}

Result<Picture> decodeWithQt(std::string_view bytes, const QtFormat& format) {
  limitQtAllocations();
  QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, format.format);
  reader.setAutoDetectImageFormat(false);
  reader.setAutoTransform(false);
  // The size comes from the header: a picture beyond the limits is refused before it is read.
  const QSize claimed = reader.size();
  if (!claimed.isValid()) return damagedQt(format, reader);
  if (Status limits = checkPictureSize(claimed); !limits) return limits;
  QImage image;
  if (!reader.read(&image)) return damagedQt(format, reader);
  if (Status limits = checkPictureSize(image.size()); !limits) return limits;
  image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  if (image.isNull()) return pictureFailure(Failure::OutOfMemory, "no memory for the picture");
  QSize fullSize = image.size();
  return Picture{std::move(image), fullSize};
}

std::string sizeText(QSize size) {
  std::string text = std::to_string(size.width());
  text += " x ";
  text += std::to_string(size.height());
  return text;
}

}  // namespace

Status pictureFailure(Failure failure, std::string detail) {
  return Status::failed(failure, "Cannot read the picture", std::move(detail));
}

Status checkPictureSize(QSize size) {
  if (size.width() > kMaxPictureSide || size.height() > kMaxPictureSide) {
    std::string detail = sizeText(size);
    detail += " is larger than ";
    detail += sizeText(QSize(kMaxPictureSide, kMaxPictureSide));
    return pictureFailure(Failure::TooLarge, std::move(detail));
  }
  const std::uint64_t bytes = std::uint64_t{4} * static_cast<std::uint64_t>(std::max(size.width(), 0)) *
                              static_cast<std::uint64_t>(std::max(size.height(), 0));
  if (bytes > kMaxPictureBytes) {
    std::string detail = sizeText(size);
    detail += " needs more than ";
    detail += std::to_string(kMaxPictureBytes >> 20);
    detail += " MB";
    return pictureFailure(Failure::TooLarge, std::move(detail));
  }
  return Status();
}

Result<Picture> decodePicture(std::string_view bytes, QSize cover) {
  if (bytes.empty()) return pictureFailure(Failure::System, "empty");
  if (bytes.size() > kMaxPictureFileBytes) {
    std::string detail = std::to_string(bytes.size());
    detail += " bytes, more than a picture may have";
    return pictureFailure(Failure::TooLarge, std::move(detail));
  }
  if (jpeg::isJpeg(bytes)) return jpeg::decodeJpeg(bytes, cover);
  if (const QtFormat* format = qtFormatOf(bytes)) return decodeWithQt(bytes, *format);
  return pictureFailure(Failure::System, "not a picture");
}

Result<Picture> readPicture(const std::string& hostPath, QSize cover) {
  Result<std::string> bytes = files::readFile(hostPath, kMaxPictureFileBytes);
  if (!bytes) return bytes.status();
  Result<Picture> picture = decodePicture(*bytes, cover);
  if (picture) return picture;
  std::string message = "Cannot read ";
  message += files::shownPath(hostPath);
  message += " as a picture";
  return Status::failed(picture.status().failure(), std::move(message), picture.status().detail());
}

}  // namespace sw
