#include "platform/jpeg_pixels.h"

#include <gtest/gtest.h>

#include <QColor>
#include <cstring>
#include <vector>

namespace sw::jpeg {
namespace {

struct RowCase {
  const char* name;
  RowLayout layout;
  std::vector<unsigned char> row;  // as the decoder writes it
  std::vector<QRgb> expected;
};

TEST(JpegPixels, RowsBecomeOpaqueRgb32InPlace) {
  const RowCase cases[] = {
      {"RGB keeps its order",
       RowLayout::Rgb,
       {1, 2, 3, 40, 50, 60, 255, 0, 128},
       {0xFF010203u, 0xFF28323Cu, 0xFFFF0080u}},
      {"gray", RowLayout::Gray, {0, 128, 255}, {0xFF000000u, 0xFF808080u, 0xFFFFFFFFu}},
      {"CMYK: no ink, all ink, magenta + yellow, half black",
       RowLayout::Cmyk,
       {0, 0, 0, 0, 255, 255, 255, 255, 0, 255, 255, 0, 0, 0, 0, 128},
       {0xFFFFFFFFu, 0xFF000000u, 0xFFFF0000u, 0xFF7F7F7Fu}},
      {"inverted CMYK: the same inks as Adobe stores them",
       RowLayout::InvertedCmyk,
       {255, 255, 255, 255, 0, 0, 0, 0, 255, 0, 0, 255, 255, 255, 255, 127},
       {0xFFFFFFFFu, 0xFF000000u, 0xFFFF0000u, 0xFF7F7F7Fu}},
      {"inks and black mix", RowLayout::Cmyk, {0, 128, 255, 155}, {0xFF643200u}},
  };
  for (const RowCase& test : cases) {
    SCOPED_TRACE(test.name);
    const int width = static_cast<int>(test.expected.size());
    ASSERT_EQ(test.row.size(), static_cast<std::size_t>(width * bytesPerPixel(test.layout)));
    std::vector<QRgb> pixels(test.expected.size(), 0x12345678u);  // four bytes a pixel, aligned
    std::memcpy(pixels.data(), test.row.data(), test.row.size());
    toRgb32InPlace(reinterpret_cast<unsigned char*>(pixels.data()), width, test.layout);
    EXPECT_EQ(pixels, test.expected);
  }
}

}  // namespace
}  // namespace sw::jpeg
