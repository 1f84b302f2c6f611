#include "support/picture_checks.h"

namespace sw::testing {

QRgb uniformColour(const QImage& image, int size) {
  if (image.isNull() || image.width() != size || image.height() != size) return 0;
  const QRgb first = image.pixel(0, 0);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      if (image.pixel(x, y) != first) return 0;
    }
  }
  return first;
}

}  // namespace sw::testing
