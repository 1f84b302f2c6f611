// Writes seed inputs for fuzz_pictures: small JPEGs of every kind the decoder handles, and one
// file for each of Qt's readers.

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <string>
#include <utility>
#include <vector>

#include "support/icon_fixtures.h"
#include "support/jpeg_fixtures.h"
#include "support/seed_files.h"

namespace {

using namespace sw::testing;

SeedFiles seeds() {
  const PixelAt photo = photoLike();
  SeedFiles out;
  out.emplace_back("baseline.jpg", makeJpeg(48, 32, photo));
  out.emplace_back("progressive.jpg", makeJpeg(48, 32, photo, {.progressive = true}));
  out.emplace_back("gray.jpg", makeJpeg(48, 32, photo, {.colours = JpegColours::Gray}));
  out.emplace_back("restarts.jpg", makeJpeg(48, 32, photo, {.restartRows = 1}));
  out.emplace_back("cmyk.jpg", makeJpeg(24, 16, photo, {.colours = JpegColours::Cmyk}));
  out.emplace_back("ycck.jpg", makeJpeg(24, 16, photo, {.colours = JpegColours::Ycck, .progressive = true}));
  out.emplace_back("odd-size.jpg", makeJpeg(17, 9, photo, {.quality = 50}));
  QImage picture(24, 16, QImage::Format_ARGB32);
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) picture.setPixel(x, y, photo(x, y));
  }
  out.emplace_back("picture.bmp", encodedWithQt(picture.convertToFormat(QImage::Format_RGB32), "BMP"));
  out.emplace_back("picture.png", encodedWithQt(picture, "PNG"));
  out.emplace_back("icon.ico", makeIcoFile(16, qRgb(1, 2, 3)));
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  return sw::testing::writeSeedFiles(argc, argv, "make_seeds_pictures", seeds());
}
