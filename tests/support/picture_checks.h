#pragma once
// Checks on the pictures that extraction gives, shared by the icon tests.

#include <QColor>
#include <QImage>

namespace sw::testing {

// The colour of a solid `size` x `size` picture, or 0 when the image is null, of another size
// or not of one colour.
QRgb uniformColour(const QImage& image, int size);

}  // namespace sw::testing
