#include "platform/jpeg_pixels.h"

#include <QColor>
#include <cstring>

namespace sw::jpeg {

namespace {

// a * b / 255, rounded: the share of light two inks let through.
unsigned scaled(unsigned a, unsigned b) { return (a * b + 127) / 255; }

void putPixel(unsigned char* row, int x, QRgb pixel) {
  std::memcpy(row + 4 * static_cast<std::size_t>(x), &pixel, sizeof pixel);
}

// Rows whose pixels take fewer than four bytes widen from the right end, so that no pixel is
// overwritten before it is read.
void widenRgb(unsigned char* row, int width) {
  for (int x = width - 1; x >= 0; --x) {
    const unsigned char* from = row + 3 * static_cast<std::size_t>(x);
    putPixel(row, x, qRgb(from[0], from[1], from[2]));
  }
}

void widenGray(unsigned char* row, int width) {
  for (int x = width - 1; x >= 0; --x) {
    const unsigned char level = row[x];
    putPixel(row, x, qRgb(level, level, level));
  }
}

void convertCmyk(unsigned char* row, int width, bool inverted) {
  for (int x = 0; x < width; ++x) {
    unsigned char* at = row + 4 * static_cast<std::size_t>(x);
    // What each ink lets through, 255 for none.
    unsigned light[4];
    for (int i = 0; i < 4; ++i) light[i] = inverted ? at[i] : 255u - at[i];
    putPixel(row, x,
             qRgb(static_cast<int>(scaled(light[0], light[3])), static_cast<int>(scaled(light[1], light[3])),
                  static_cast<int>(scaled(light[2], light[3]))));
  }
}

}  // namespace

int bytesPerPixel(RowLayout layout) {
  switch (layout) {
    case RowLayout::Rgb:
      return 3;
    case RowLayout::Gray:
      return 1;
    case RowLayout::Rgb32:
    case RowLayout::Cmyk:
    case RowLayout::InvertedCmyk:
      break;
  }
  return 4;
}

void toRgb32InPlace(unsigned char* row, int width, RowLayout layout) {
  switch (layout) {
    case RowLayout::Rgb32:
      break;
    case RowLayout::Rgb:
      widenRgb(row, width);
      break;
    case RowLayout::Gray:
      widenGray(row, width);
      break;
    case RowLayout::Cmyk:
    case RowLayout::InvertedCmyk:
      convertCmyk(row, width, layout == RowLayout::InvertedCmyk);
      break;
  }
}

}  // namespace sw::jpeg
