#include "support/icon_fixtures.h"

#include <QBuffer>
#include <algorithm>
#include <stdexcept>

namespace sw::testing {

namespace {

std::vector<QRgb> paletteOf(const QImage& picture, int maxColours) {
  std::vector<QRgb> palette;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const QRgb rgb = picture.pixel(x, y) | 0xFF000000u;
      if (std::find(palette.begin(), palette.end(), rgb) == palette.end() &&
          static_cast<int>(palette.size()) < maxColours) {
        palette.push_back(rgb);
      }
    }
  }
  palette.resize(static_cast<std::size_t>(maxColours), qRgb(0, 0, 0));
  return palette;
}

int paletteIndex(const std::vector<QRgb>& palette, QRgb pixel) {
  const auto found = std::find(palette.begin(), palette.end(), pixel | 0xFF000000u);
  return found == palette.end() ? 0 : static_cast<int>(found - palette.begin());
}

std::string colourRow(const QImage& picture, int y, int bitCount, const std::vector<QRgb>& palette,
                      bool zeroAlpha) {
  std::string row;
  if (bitCount >= 24) {
    for (int x = 0; x < picture.width(); ++x) {
      const QRgb pixel = picture.pixel(x, y);
      appendU8(row, qBlue(pixel));
      appendU8(row, qGreen(pixel));
      appendU8(row, qRed(pixel));
      if (bitCount == 32) appendU8(row, zeroAlpha ? 0 : qAlpha(pixel));
    }
  } else {
    const int perByte = 8 / bitCount;
    row.assign(static_cast<std::size_t>((picture.width() + perByte - 1) / perByte), '\0');
    for (int x = 0; x < picture.width(); ++x) {
      const int index = paletteIndex(palette, picture.pixel(x, y));
      const int shift = 8 - bitCount * (x % perByte + 1);
      row[static_cast<std::size_t>(x / perByte)] |= static_cast<char>(index << shift);
    }
  }
  padTo(row, 4);
  return row;
}

std::string maskRow(const QImage& picture, int y, bool allSet) {
  std::string row(static_cast<std::size_t>((picture.width() + 7) / 8), '\0');
  for (int x = 0; x < picture.width(); ++x) {
    if (allSet || qAlpha(picture.pixel(x, y)) < 128)
      row[static_cast<std::size_t>(x / 8)] |= static_cast<char>(0x80 >> (x % 8));
  }
  padTo(row, 4);
  return row;
}

}  // namespace

void putU16(std::string& bytes, std::size_t pos, std::uint16_t value) {
  bytes.at(pos) = static_cast<char>(value & 0xFF);
  bytes.at(pos + 1) = static_cast<char>(value >> 8);
}

void putU32(std::string& bytes, std::size_t pos, std::uint32_t value) {
  putU16(bytes, pos, static_cast<std::uint16_t>(value & 0xFFFF));
  putU16(bytes, pos + 2, static_cast<std::uint16_t>(value >> 16));
}

QImage solidPicture(int width, int height, QRgb colour) {
  QImage picture(width, height, QImage::Format_ARGB32);
  picture.fill(colour);
  return picture;
}

IconImage dibImage(const QImage& source, int bitCount, DibOptions options) {
  const QImage picture = source.convertToFormat(QImage::Format_ARGB32);
  const int paletteSize = bitCount <= 8 ? 1 << bitCount : 0;
  const std::vector<QRgb> palette = paletteSize > 0 ? paletteOf(picture, paletteSize) : std::vector<QRgb>{};

  IconImage image;
  image.width = picture.width();
  image.height = picture.height();
  image.colourCount = paletteSize >= 256 ? 0 : paletteSize;
  image.bitCount = bitCount;
  std::string& out = image.data;
  appendU32(out, 40);
  appendU32(out, static_cast<std::uint32_t>(picture.width()));
  appendU32(out, static_cast<std::uint32_t>(picture.height() * 2));
  appendU16(out, 1);
  appendU16(out, static_cast<std::uint32_t>(bitCount));
  for (int i = 0; i < 6; ++i) appendU32(out, 0);  // compression, sizes, resolution, colours used
  for (const QRgb colour : palette) {
    appendU8(out, qBlue(colour));
    appendU8(out, qGreen(colour));
    appendU8(out, qRed(colour));
    appendU8(out, 0);
  }
  for (int y = picture.height() - 1; y >= 0; --y)
    out += colourRow(picture, y, bitCount, palette, options.zeroAlpha);
  for (int y = picture.height() - 1; y >= 0; --y) out += maskRow(picture, y, options.maskAllSet);
  return image;
}

IconImage pngImage(const QImage& picture) {
  QByteArray encoded;
  QBuffer buffer(&encoded);
  buffer.open(QIODevice::WriteOnly);
  if (!picture.convertToFormat(QImage::Format_ARGB32).save(&buffer, "PNG")) {
    throw std::runtime_error("cannot encode a PNG fixture");
  }
  IconImage image;
  image.width = picture.width();
  image.height = picture.height();
  image.bitCount = 32;
  image.data.assign(encoded.constData(), static_cast<std::size_t>(encoded.size()));
  return image;
}

std::string makeIco(const std::vector<IconImage>& images) {
  std::string out;
  std::size_t offset = 6 + 16 * images.size();
  appendIconDirectory(out, images, [&offset](std::string& entry, const IconImage& image) {
    appendU32(entry, static_cast<std::uint32_t>(offset));
    offset += image.data.size();
  });
  for (const IconImage& image : images) out += image.data;
  return out;
}

std::string makeIcoFile(int size, QRgb colour) {
  return makeIco({dibImage(solidPicture(size, size, colour), 32)});
}

QRgb iconLibraryColour(int i) { return qRgb((i * 53) & 0xFF, (((i >> 8) * 97) + 17) & 0xFF, 0xC8); }

std::string makeIconLibraryDll(int groupCount, bool pe32plus) {
  std::vector<IconGroup> groups;
  groups.reserve(static_cast<std::size_t>(std::max(groupCount, 0)));
  for (int i = 0; i < groupCount; ++i) {
    IconGroup group;
    group.id = i + 1;
    group.images = {dibImage(solidPicture(16, 16, iconLibraryColour(i)), 32),
                    dibImage(solidPicture(32, 32, iconLibraryColour(i)), 32)};
    groups.push_back(std::move(group));
  }
  return makePeFile(groups, pe32plus);
}

}  // namespace sw::testing
