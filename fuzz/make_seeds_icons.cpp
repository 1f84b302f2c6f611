// Writes seed inputs for fuzz_icons: every kind of file the fixture writer makes.

#include <QCoreApplication>
#include <string>
#include <vector>

#include "support/icon_fixtures.h"
#include "support/seed_files.h"

namespace {

using namespace sw::testing;

QImage maskedPicture(int size) {
  QImage picture = solidPicture(size, size, qRgb(200, 40, 40));
  for (int y = 0; y < size; ++y) picture.setPixel(y, y, qRgba(0, 0, 255, 0));
  return picture;
}

SeedFiles seeds() {
  SeedFiles out;
  out.emplace_back("solid.ico", makeIcoFile(16, qRgb(1, 2, 3)));
  std::vector<IconImage> depths;
  for (const int bits : {1, 4, 8, 24}) depths.push_back(dibImage(maskedPicture(16), bits));
  depths.push_back(dibImage(maskedPicture(32), 32, {.zeroAlpha = true}));
  depths.push_back(pngImage(maskedPicture(48)));
  out.emplace_back("depths.ico", makeIco(depths));
  out.emplace_back("library32.dll", makeIconLibraryDll(3));
  out.emplace_back("library64.dll", makeIconLibraryDll(3, true));
  IconGroup named{0, "APP", {dibImage(maskedPicture(48), 8)}, {dibImage(maskedPicture(16), 4)}};
  IconGroup png{5, "", {pngImage(solidPicture(256, 256, qRgb(9, 9, 9)))}, {}};
  out.emplace_back("mixed.dll", makePeFile({named, png}));
  out.emplace_back("loop.dll", makePeFile({named, png}, false, PeFault::GroupPointsToRoot));
  out.emplace_back("library.icl",
                   makeNeFile({{dibImage(maskedPicture(16), 4), dibImage(maskedPicture(32), 8)},
                               {dibImage(maskedPicture(32), 24)}}));
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  return sw::testing::writeSeedFiles(argc, argv, "make_seeds_icons", seeds());
}
