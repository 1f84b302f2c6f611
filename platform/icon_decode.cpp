#include "platform/icon_decode.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/icon_bytes.h"

namespace sw::icons {

namespace {

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::size_t kIcoHeaderSize = 6 + 16;
constexpr std::string_view kPngSignature("\x89PNG\r\n\x1a\n", 8);

// Where the parts of an icon bitmap lie: header, palette, colour rows, AND mask rows.
struct DibLayout {
  int width = 0;
  int height = 0;  // of the picture: half the header's height, which counts the mask too
  int bitCount = 0;
  int paletteSize = 0;
  std::size_t colourOffset = 0;
  std::size_t colourStride = 0;
  std::size_t maskOffset = 0;
  std::size_t maskStride = 0;
};

std::optional<DibLayout> dibLayoutOf(const ByteReader& reader) {
  const auto headerSize = reader.u32(0);
  if (!headerSize || *headerSize != kInfoHeaderSize || !reader.has(0, kInfoHeaderSize)) return std::nullopt;
  const auto width = static_cast<std::int32_t>(*reader.u32(4));
  const auto doubleHeight = static_cast<std::int32_t>(*reader.u32(8));
  const int bitCount = *reader.u16(14);
  const std::uint32_t compression = *reader.u32(16);
  const std::uint32_t coloursUsed = *reader.u32(32);
  // A larger claim is refused here, before any decoder allocates for it.
  if (width < 1 || width > kMaxIconDimension || doubleHeight < 2 || doubleHeight > 2 * kMaxIconDimension) {
    return std::nullopt;
  }
  if (compression != 0) return std::nullopt;
  DibLayout layout;
  layout.width = width;
  layout.height = doubleHeight / 2;
  layout.bitCount = bitCount;
  switch (bitCount) {
    case 1:
    case 4:
    case 8:
      if (coloursUsed > (1u << bitCount)) return std::nullopt;
      layout.paletteSize = coloursUsed != 0 ? static_cast<int>(coloursUsed) : 1 << bitCount;
      break;
    case 24:
    case 32:
      if (coloursUsed != 0) return std::nullopt;
      break;
    default:
      return std::nullopt;
  }
  layout.colourOffset = kInfoHeaderSize + 4 * static_cast<std::size_t>(layout.paletteSize);
  layout.colourStride = (static_cast<std::size_t>(width) * static_cast<std::size_t>(bitCount) + 31) / 32 * 4;
  layout.maskOffset = layout.colourOffset + layout.colourStride * static_cast<std::size_t>(layout.height);
  layout.maskStride = (static_cast<std::size_t>(width) + 31) / 32 * 4;
  if (!reader.has(layout.maskOffset, layout.maskStride * static_cast<std::size_t>(layout.height))) {
    return std::nullopt;
  }
  return layout;
}

bool hasAnyAlpha(std::string_view data, const DibLayout& layout) {
  for (int y = 0; y < layout.height; ++y) {
    const std::size_t row = layout.colourOffset + layout.colourStride * static_cast<std::size_t>(y);
    for (int x = 0; x < layout.width; ++x) {
      if (data[row + 4 * static_cast<std::size_t>(x) + 3] != 0) return true;
    }
  }
  return false;
}

QImage readWithQt(const QByteArray& bytes, const char* format) {
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, format);
  reader.setAutoTransform(false);
  QImage image;
  if (!reader.read(&image)) return QImage();
  return image.convertToFormat(QImage::Format_ARGB32);
}

// The bitmap wrapped as a one-image ICO file, which is what Qt's ICO reader takes.
QByteArray wrappedAsIco(std::string_view data, const DibLayout& layout) {
  std::string ico(kIcoHeaderSize, '\0');
  auto put16 = [&ico](std::size_t pos, unsigned value) {
    ico[pos] = static_cast<char>(value & 0xFF);
    ico[pos + 1] = static_cast<char>(value >> 8);
  };
  put16(2, 1);
  put16(4, 1);
  ico[6] = static_cast<char>(layout.width & 0xFF);  // 256 is stored as 0
  ico[7] = static_cast<char>(layout.height & 0xFF);
  ico[8] = static_cast<char>(layout.paletteSize < 256 ? layout.paletteSize : 0);
  put16(10, 1);
  put16(12, static_cast<unsigned>(layout.bitCount));
  put16(14, static_cast<unsigned>(data.size() & 0xFFFF));
  put16(16, static_cast<unsigned>(data.size() >> 16));
  put16(18, kIcoHeaderSize);
  ico.append(data);
  return QByteArray(ico.data(), static_cast<qsizetype>(ico.size()));
}

// Transparent where the AND bit is 1, opaque elsewhere, whatever the colour underneath.
void applyAndMask(QImage& image, std::string_view data, const DibLayout& layout) {
  for (int y = 0; y < layout.height; ++y) {
    // Bitmap rows are stored bottom-up.
    const std::size_t row =
        layout.maskOffset + layout.maskStride * static_cast<std::size_t>(layout.height - 1 - y);
    auto* pixels = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < layout.width; ++x) {
      const auto bits = static_cast<unsigned char>(data[row + static_cast<std::size_t>(x / 8)]);
      const bool transparent = (bits & (0x80 >> (x % 8))) != 0;
      pixels[x] = transparent ? 0u : (pixels[x] | 0xFF000000u);
    }
  }
}

// Qt's reader premultiplies 32-bit pixels, which loses colour where alpha is low; the pixels
// are taken back from the bitmap exactly as stored (straight alpha).
void restoreStraightPixels(QImage& image, std::string_view data, const DibLayout& layout) {
  for (int y = 0; y < layout.height; ++y) {
    const std::size_t row =
        layout.colourOffset + layout.colourStride * static_cast<std::size_t>(layout.height - 1 - y);
    auto* pixels = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < layout.width; ++x) {
      const std::size_t at = row + 4 * static_cast<std::size_t>(x);
      auto byte = [&data](std::size_t pos) { return static_cast<unsigned char>(data[pos]); };
      pixels[x] = qRgba(byte(at + 2), byte(at + 1), byte(at), byte(at + 3));
    }
  }
}

QImage decodeBitmap(std::string_view data) {
  const auto layout = dibLayoutOf(ByteReader(data));
  if (!layout) return QImage();
  const bool alphaImage = layout->bitCount == 32 && hasAnyAlpha(data, *layout);
  QByteArray ico = wrappedAsIco(data, *layout);
  if (layout->bitCount == 32 && !alphaImage) {
    // All alpha bytes are 0: make the colours opaque for the reader, the AND mask decides.
    char* pixels = ico.data() + kIcoHeaderSize + layout->colourOffset;
    for (int y = 0; y < layout->height; ++y) {
      for (int x = 0; x < layout->width; ++x) {
        pixels[layout->colourStride * static_cast<std::size_t>(y) + 4 * static_cast<std::size_t>(x) + 3] =
            '\xFF';
      }
    }
  }
  QImage image = readWithQt(ico, "ico");
  if (image.isNull() || image.width() != layout->width || image.height() != layout->height) return QImage();
  if (alphaImage) {
    restoreStraightPixels(image, data, *layout);
  } else {
    applyAndMask(image, data, *layout);
  }
  return image;
}

std::uint32_t bigEndian32(std::string_view data, std::size_t pos) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<unsigned char>(data[pos + i]);
  return value;
}

QImage decodePng(std::string_view data) {
  // The size is in the IHDR chunk that must follow the signature.
  if (data.size() < 24 || data.substr(12, 4) != "IHDR") return QImage();
  const std::uint32_t width = bigEndian32(data, 16);
  const std::uint32_t height = bigEndian32(data, 20);
  if (width < 1 || width > kMaxIconDimension || height < 1 || height > kMaxIconDimension) return QImage();
  return readWithQt(QByteArray(data.data(), static_cast<qsizetype>(data.size())), "png");
}

}  // namespace

QImage decodeIconImage(std::string_view data) {
  if (data.substr(0, kPngSignature.size()) == kPngSignature) return decodePng(data);
  return decodeBitmap(data);
}

}  // namespace sw::icons
