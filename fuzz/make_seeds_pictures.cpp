// Writes seed inputs for fuzz_pictures: small JPEGs of every kind the decoder handles, and one
// file for each of Qt's readers.

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <cstdio>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "support/icon_fixtures.h"
#include "support/jpeg_fixtures.h"

namespace {

using namespace sw::testing;

std::string encodedWithQt(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return bytes.toStdString();
}

std::vector<std::pair<std::string, std::string>> seeds() {
  const PixelAt photo = photoLike();
  std::vector<std::pair<std::string, std::string>> out;
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
  if (argc < 2) {
    std::fprintf(stderr, "usage: make_seeds_pictures FOLDER\n");
    return 2;
  }
  QCoreApplication app(argc, argv);
  for (const auto& [name, bytes] : seeds()) {
    std::ofstream file(std::string(argv[1]) + "/" + name, std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) return 1;
  }
  return 0;
}
