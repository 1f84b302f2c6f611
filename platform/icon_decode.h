#pragma once
// Decoding one chosen icon image: a bitmap with its AND mask, or a PNG. The header is checked
// before anything is decoded; Qt's ICO and PNG readers do the decoding.

#include <QImage>
#include <string_view>

namespace sw::icons {

inline constexpr int kMaxIconDimension = 256;

// The image at its own size, ARGB32 with straight alpha, or a null image when the data is
// broken, too large or of an unsupported kind. A 32-bit bitmap with some non-zero alpha and a
// PNG are taken with their alpha; every other bitmap is made transparent where its AND bit is 1.
QImage decodeIconImage(std::string_view data);

}  // namespace sw::icons
