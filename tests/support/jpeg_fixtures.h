#pragma once
// JPEG files for tests, benchmarks and fuzz seeds, written with libjpeg's compressor, and a
// plain decode with libjpeg's defaults to compare against; other formats through Qt's writers.

#include <QColor>
#include <QImage>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace sw::testing {

enum class JpegColours {
  YCbCr,
  Gray,
  Cmyk,  // with an Adobe marker the inks are stored inverted, as Adobe applications write them
  Ycck,  // CMYK transformed, always with an Adobe marker
};

struct JpegOptions {
  int quality = 90;
  JpegColours colours = JpegColours::YCbCr;
  bool progressive = false;
  bool adobeMarker = true;  // CMYK only: without it the inks are stored as they are
  int restartRows = 0;      // a restart marker every that many rows of blocks
  // Progressive YCbCr with every AC coefficient of every component in three scans of its own:
  // 570 scans, far more than any real file.
  bool scanPerCoefficient = false;
};

// The colour of the pixel at (x, y).
using PixelAt = std::function<QRgb(int x, int y)>;

// A `width` x `height` JPEG of the pixels `pixelAt` gives, row by row (no picture is held, so
// large ones are cheap). CMYK files take the black out of the colour and keep the rest as inks.
std::string makeJpeg(int width, int height, const PixelAt& pixelAt, const JpegOptions& options = {});
std::string makeJpeg(const QImage& picture, const JpegOptions& options = {});

// `image` in another format ("BMP", "PNG") as Qt's writer encodes it.
std::string encodedWithQt(const QImage& image, const char* format);

// Four solid quarters: top left, top right, bottom left, bottom right.
PixelAt quarters(int width, int height, QRgb topLeft, QRgb topRight, QRgb bottomLeft, QRgb bottomRight);
// Smooth gradients with fine noise, which compresses about as a photo does.
PixelAt photoLike();

// Rewrites the size in the frame header of a JPEG (for headers that claim more than they hold).
void setJpegSize(std::string& jpeg, int width, int height);

// A JPEG decoded by libjpeg with its defaults at scale 1 / `denominator`, as RGB bytes; empty
// when libjpeg gives up.
struct PlainJpeg {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;
  QRgb pixel(int x, int y) const;
};
PlainJpeg decodeJpegPlainly(std::string_view jpeg, unsigned denominator = 1);

}  // namespace sw::testing
