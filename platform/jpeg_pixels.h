#pragma once
// Turning the rows libjpeg writes into Qt's RGB32 pixels, in place: the decoder writes each row
// into the start of the picture's own scanline, which has room for four bytes a pixel.

#include <cstdint>

namespace sw::jpeg {

// How a decoded row is laid out before it becomes RGB32.
enum class RowLayout : std::uint8_t {
  Rgb32,         // already as Qt keeps RGB32 pixels: nothing to do
  Rgb,           // three bytes a pixel
  Gray,          // one byte a pixel
  Cmyk,          // four bytes a pixel, 0 is no ink
  InvertedCmyk,  // four bytes a pixel as Adobe applications write them: 255 is no ink
};

// The bytes a pixel takes in `layout`.
int bytesPerPixel(RowLayout layout);

// Converts the `width` pixels at the start of `row`, laid out as `layout`, to RGB32 (opaque).
// `row` must hold 4 * width bytes and be aligned for 32-bit pixels.
void toRgb32InPlace(unsigned char* row, int width, RowLayout layout);

}  // namespace sw::jpeg
