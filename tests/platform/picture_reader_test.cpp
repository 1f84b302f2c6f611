#include "platform/picture_reader.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QPoint>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/file_io.h"
#include "support/icon_fixtures.h"
#include "support/jpeg_fixtures.h"
#include "support/special_files.h"
#include "support/temp_dir.h"

namespace sw {
namespace {

using testing::encodedWithQt;
using testing::JpegColours;
using testing::JpegOptions;
using testing::makeJpeg;
using testing::quarters;

constexpr QRgb kRed = 0xFFC81E1Eu;
constexpr QRgb kGreen = 0xFF1EB43Cu;
constexpr QRgb kBlue = 0xFF2846C8u;
constexpr QRgb kDark = 0xFF643200u;  // holds black: CMYK files store some of it as K

// The centres of the four quarters, away from the edges that chroma subsampling blurs.
std::vector<QPoint> quarterCentres(QSize size) {
  const int w = size.width();
  const int h = size.height();
  return {{w / 4, h / 4}, {3 * w / 4, h / 4}, {w / 4, 3 * h / 4}, {3 * w / 4, 3 * h / 4}};
}

const std::vector<QRgb> kQuarterColours = {kRed, kGreen, kBlue, kDark};

std::string quartersJpeg(int width, int height, const JpegOptions& options = {}) {
  return makeJpeg(width, height, quarters(width, height, kRed, kGreen, kBlue, kDark), options);
}

QImage quartersImage(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32);
  const testing::PixelAt pixelAt = quarters(width, height, kRed, kGreen, kBlue, kDark);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) image.setPixel(x, y, pixelAt(x, y));
  }
  return image;
}

QRgb asGray(QRgb colour) { return qRgb(qGray(colour), qGray(colour), qGray(colour)); }

bool near(QRgb actual, QRgb expected, int tolerance) {
  return std::abs(qRed(actual) - qRed(expected)) <= tolerance &&
         std::abs(qGreen(actual) - qGreen(expected)) <= tolerance &&
         std::abs(qBlue(actual) - qBlue(expected)) <= tolerance && qAlpha(actual) == qAlpha(expected);
}

// A 1 x 1 GIF whose one pixel is the first palette entry, red.
const std::string kRedGif(
    "GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\x00\x00\x00\x00\x00"
    ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
    35);

// The PNG header chunk's CRC, written again after its fields were changed.
void resealPngHeader(std::string& png) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 12; i < 29; ++i) {
    crc ^= static_cast<unsigned char>(png[i]);
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  crc = ~crc;
  for (int i = 0; i < 4; ++i) png[29 + static_cast<std::size_t>(i)] = static_cast<char>(crc >> (24 - 8 * i));
}

struct KindCase {
  const char* name;
  std::string bytes;
  QImage::Format format;
  std::vector<QRgb> colours;  // at the quarter centres
  int tolerance;
};

TEST(PictureKinds, DecodeAtFullSizeWithTheirColours) {
  const QImage picture = quartersImage(64, 48);
  const std::vector<QRgb> gray = {asGray(kRed), asGray(kGreen), asGray(kBlue), asGray(kDark)};
  const std::vector<KindCase> cases = {
      {"baseline JPEG", quartersJpeg(64, 48), QImage::Format_RGB32, kQuarterColours, 6},
      {"progressive JPEG", quartersJpeg(64, 48, {.progressive = true}), QImage::Format_RGB32, kQuarterColours,
       6},
      {"restart markers", quartersJpeg(64, 48, {.restartRows = 1}), QImage::Format_RGB32, kQuarterColours, 6},
      {"grayscale JPEG", quartersJpeg(64, 48, {.colours = JpegColours::Gray}), QImage::Format_RGB32, gray, 3},
      {"Adobe CMYK JPEG", quartersJpeg(64, 48, {.colours = JpegColours::Cmyk}), QImage::Format_RGB32,
       kQuarterColours, 6},
      {"plain CMYK JPEG", quartersJpeg(64, 48, {.colours = JpegColours::Cmyk, .adobeMarker = false}),
       QImage::Format_RGB32, kQuarterColours, 6},
      {"YCCK JPEG", quartersJpeg(64, 48, {.colours = JpegColours::Ycck}), QImage::Format_RGB32,
       kQuarterColours, 6},
      {"BMP", encodedWithQt(picture.convertToFormat(QImage::Format_RGB32), "BMP"), QImage::Format_RGB32,
       kQuarterColours, 0},
      {"PNG", encodedWithQt(picture, "PNG"), QImage::Format_ARGB32, kQuarterColours, 0},
  };
  for (const KindCase& test : cases) {
    SCOPED_TRACE(test.name);
    const Result<Picture> decoded = decodePicture(test.bytes, QSize(64, 48));
    ASSERT_TRUE(decoded.ok()) << decoded.status().text();
    EXPECT_EQ(decoded->fullSize, QSize(64, 48));
    ASSERT_EQ(decoded->image.size(), QSize(64, 48));
    EXPECT_EQ(decoded->image.format(), test.format);
    const std::vector<QPoint> centres = quarterCentres(decoded->image.size());
    for (std::size_t i = 0; i < centres.size(); ++i) {
      const QRgb actual = decoded->image.pixel(centres[i]);
      EXPECT_TRUE(near(actual, test.colours[i], test.tolerance))
          << "quarter " << i << ": " << std::hex << actual << " for " << test.colours[i];
    }
  }
}

TEST(PictureKinds, IconsAndGifsDecodeWithAlpha) {
  const Result<Picture> icon = decodePicture(testing::makeIcoFile(32, qRgba(10, 20, 30, 255)));
  ASSERT_TRUE(icon.ok()) << icon.status().text();
  EXPECT_EQ(icon->fullSize, QSize(32, 32));
  EXPECT_EQ(icon->image.format(), QImage::Format_ARGB32);
  EXPECT_EQ(icon->image.pixel(5, 7), qRgba(10, 20, 30, 255));

  const Result<Picture> gif = decodePicture(kRedGif);
  ASSERT_TRUE(gif.ok()) << gif.status().text();
  EXPECT_EQ(gif->fullSize, QSize(1, 1));
  EXPECT_EQ(gif->image.pixel(0, 0), qRgb(255, 0, 0));
}

// Our pixels are libjpeg's own, byte for byte, at every scale: nothing is lost or reordered on
// the way into the picture's rows.
TEST(JpegDecode, MatchesPlainLibjpegAtEveryScale) {
  const std::vector<std::pair<const char*, std::string>> files = {
      {"baseline", makeJpeg(203, 97, testing::photoLike())},
      {"progressive", makeJpeg(203, 97, testing::photoLike(), {.progressive = true})},
      {"grayscale", makeJpeg(203, 97, testing::photoLike(), {.colours = JpegColours::Gray})},
  };
  for (const auto& [name, bytes] : files) {
    for (const unsigned denominator : {1u, 2u, 4u, 8u}) {
      SCOPED_TRACE(std::string(name) + " at 1/" + std::to_string(denominator));
      const testing::PlainJpeg plain = testing::decodeJpegPlainly(bytes, denominator);
      const Result<Picture> decoded = decodePicture(bytes, QSize(plain.width, plain.height));
      ASSERT_TRUE(decoded.ok()) << decoded.status().text();
      ASSERT_EQ(decoded->image.size(), QSize(plain.width, plain.height));
      int different = 0;
      for (int y = 0; y < plain.height; ++y) {
        for (int x = 0; x < plain.width; ++x) different += decoded->image.pixel(x, y) != plain.pixel(x, y);
      }
      EXPECT_EQ(different, 0);
    }
  }
}

const std::string& largePhoto() {
  static const std::string bytes = quartersJpeg(6000, 4000, {.quality = 50});
  return bytes;
}

TEST(JpegDecode, ChoosesTheSmallestScaleThatCovers) {
  struct ScaleCase {
    QSize cover;
    QSize expected;
  };
  const ScaleCase cases[] = {
      {QSize(157, 145), QSize(750, 500)},      // a preview: 1/8
      {QSize(0, 0), QSize(750, 500)},          // any valid cover allows the smallest
      {QSize(750, 500), QSize(750, 500)},      // exactly covered
      {QSize(751, 500), QSize(1500, 1000)},    // one pixel wider than 1/8 gives: 1/4
      {QSize(10, 501), QSize(1500, 1000)},     // one direction is enough to need more
      {QSize(1501, 1000), QSize(3000, 2000)},  // 1/2
      {QSize(3001, 10), QSize(6000, 4000)},    // full size
      {QSize(9000, 9000), QSize(6000, 4000)},  // larger than the picture: full size, no more
      {QSize(), QSize(6000, 4000)},            // no cover: full size
  };
  for (const ScaleCase& test : cases) {
    SCOPED_TRACE(std::to_string(test.cover.width()) + " x " + std::to_string(test.cover.height()));
    const Result<Picture> decoded = decodePicture(largePhoto(), test.cover);
    ASSERT_TRUE(decoded.ok()) << decoded.status().text();
    EXPECT_EQ(decoded->fullSize, QSize(6000, 4000));
    ASSERT_EQ(decoded->image.size(), test.expected);
    const std::vector<QPoint> centres = quarterCentres(test.expected);
    for (std::size_t i = 0; i < centres.size(); ++i) {
      EXPECT_TRUE(near(decoded->image.pixel(centres[i]), kQuarterColours[i], 12)) << "quarter " << i;
    }
  }
}

TEST(JpegDecode, ScaledSizesRoundUp) {
  const std::string bytes = quartersJpeg(1001, 999);
  EXPECT_EQ(decodePicture(bytes, QSize(126, 125))->image.size(), QSize(126, 125));
  EXPECT_EQ(decodePicture(bytes, QSize(127, 125))->image.size(), QSize(251, 250));
}

// Cut short anywhere after its first scan begins (between the scans of a progressive file
// too), a JPEG still gives a picture of its full size.
TEST(JpegDecode, DataEndingEarlyGivesWhatArrived) {
  for (const bool progressive : {false, true}) {
    SCOPED_TRACE(progressive ? "progressive" : "baseline");
    const std::string whole = quartersJpeg(64, 64, {.progressive = progressive});
    const std::size_t scan = whole.find("\xFF\xDA");
    ASSERT_NE(scan, std::string::npos);
    const std::size_t firstData =
        scan + 2 +
        (static_cast<unsigned char>(whole[scan + 2]) << 8 | static_cast<unsigned char>(whole[scan + 3]));
    for (std::size_t cut = firstData; cut < whole.size(); ++cut) {
      const Result<Picture> decoded = decodePicture(whole.substr(0, cut));
      ASSERT_TRUE(decoded.ok()) << "cut at " << cut << ": " << decoded.status().text();
      ASSERT_EQ(decoded->image.size(), QSize(64, 64));
    }
    const std::string large = quartersJpeg(256, 256, {.progressive = progressive});
    const Result<Picture> decoded = decodePicture(large.substr(0, large.size() * 6 / 10));
    ASSERT_TRUE(decoded.ok()) << decoded.status().text();
    EXPECT_TRUE(near(decoded->image.pixel(64, 64), kRed, progressive ? 24 : 6));
  }
}

TEST(PictureLimits, HeadersClaimingTooMuchAreRefusedBeforeDecoding) {
  auto jpegClaiming = [](int width, int height) {
    std::string bytes = quartersJpeg(16, 16);
    testing::setJpegSize(bytes, width, height);
    return bytes;
  };
  auto bmpClaiming = [](int width, int height) {
    std::string bytes = encodedWithQt(quartersImage(4, 4).convertToFormat(QImage::Format_RGB32), "BMP");
    testing::putU32(bytes, 18, static_cast<std::uint32_t>(width));
    testing::putU32(bytes, 22, static_cast<std::uint32_t>(height));
    return bytes;
  };
  std::string png = encodedWithQt(quartersImage(4, 4), "PNG");
  for (const std::size_t at : {16u, 20u}) png.replace(at, 4, std::string("\x00\x01\x86\xA0", 4));
  resealPngHeader(png);

  const struct {
    const char* name;
    std::string bytes;
    bool qtRefusesFirst;  // Qt's reader finds the header absurd before our limit is asked
  } cases[] = {
      {"JPEG one side too long", jpegClaiming(16385, 16), false},
      {"JPEG too many pixels", jpegClaiming(16384, 4097), false},
      {"JPEG 60000 x 60000", jpegClaiming(60000, 60000), false},
      {"BMP 100000 x 100000", bmpClaiming(100000, 100000), true},
      {"BMP one side too long", bmpClaiming(16385, 10), false},
      {"BMP too many pixels", bmpClaiming(10000, 10000), false},
      {"PNG 100000 x 100000", png, false},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    const Result<Picture> decoded = decodePicture(test.bytes, QSize(16, 16));
    ASSERT_FALSE(decoded.ok());
    const Failure failure = decoded.status().failure();
    EXPECT_TRUE(failure == Failure::TooLarge || (test.qtRefusesFirst && failure == Failure::System))
        << decoded.status().text();
  }
  EXPECT_EQ(decodePicture(jpegClaiming(60000, 60000)).status().detail(),
            "60000 x 60000 is larger than 16384 x 16384");
  EXPECT_EQ(decodePicture(jpegClaiming(16384, 4097)).status().detail(),
            "16384 x 4097 needs more than 256 MB");
  // Within the pixel limits, but its coefficients would take more than libjpeg may use.
  std::string cmyk = quartersJpeg(16, 16, {.colours = JpegColours::Cmyk, .progressive = true});
  testing::setJpegSize(cmyk, 8192, 8192);
  EXPECT_EQ(decodePicture(cmyk, QSize(16, 16)).status().text(),
            "Cannot read the picture: needs more than 512 MB to decode");
  // Exactly at the limit the header is taken; the missing data decodes grey.
  const Result<Picture> atLimit = decodePicture(jpegClaiming(16384, 4096), QSize(16, 16));
  ASSERT_TRUE(atLimit.ok()) << atLimit.status().text();
  EXPECT_EQ(atLimit->image.size(), QSize(2048, 512));
}

TEST(PictureLimits, EndlessProgressiveScansAreStopped) {
  const std::string bytes = makeJpeg(64, 64, testing::photoLike(), {.scanPerCoefficient = true});
  const Result<Picture> decoded = decodePicture(bytes, QSize(8, 8));
  ASSERT_FALSE(decoded.ok());
  EXPECT_EQ(decoded.status().detail(), "damaged JPEG: more scans than a picture needs");
}

TEST(PictureBadInput, UnreadableBytesFailWithAReason) {
  const std::string jpeg = quartersJpeg(16, 16);
  const struct {
    const char* name;
    std::string bytes;
    const char* detailStart;
  } cases[] = {
      {"empty", "", "empty"},
      {"text", "Not a picture at all", "not a picture"},
      {"SOI alone", "\xFF\xD8\xFF", "damaged JPEG: "},
      {"JPEG cut in its header", jpeg.substr(0, 120), "damaged JPEG: "},
      {"JPEG with a zero width",
       [&] {
         std::string b = jpeg;
         testing::setJpegSize(b, 0, 16);
         return b;
       }(),
       "damaged JPEG: "},
      {"EMF", std::string("\x01\x00\x00\x00\x6C\x00\x00\x00", 8) + std::string(32, '\0') + " EMF",
       "not a picture"},
      {"WMF", std::string("\xD7\xCD\xC6\x9A\x00\x00", 6) + std::string(16, '\0'), "not a picture"},
      {"PNG signature alone", "\x89PNG\r\n\x1a\n", "damaged PNG"},
      {"BMP header cut", "BM\x36\x00\x00\x00", "damaged BMP"},
      {"GIF header alone", "GIF89a", "damaged GIF"},
      {"ICO header alone", std::string("\0\0\1\0\1\0", 6), "damaged ICO"},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    const Result<Picture> decoded = decodePicture(test.bytes, QSize(16, 16));
    ASSERT_FALSE(decoded.ok());
    EXPECT_EQ(decoded.status().failure(), Failure::System);
    EXPECT_EQ(decoded.status().message(), "Cannot read the picture");
    EXPECT_EQ(decoded.status().detail().rfind(test.detailStart, 0), 0u) << decoded.status().detail();
  }
}

TEST(ReadPicture, ReadsFilesAndNamesThemInFailures) {
  testing::TempDir dir;
  const Result<Picture> good = readPicture(dir.write("photo.jpg", quartersJpeg(320, 240)), QSize(40, 30));
  ASSERT_TRUE(good.ok()) << good.status().text();
  EXPECT_EQ(good->image.size(), QSize(40, 30));
  EXPECT_EQ(good->fullSize, QSize(320, 240));

  const std::string text = dir.write("notes.jpg", "just text");
  const Result<Picture> bad = readPicture(text);
  ASSERT_FALSE(bad.ok());
  EXPECT_EQ(bad.status().message(), "Cannot read " + files::shownPath(text) + " as a picture");
  EXPECT_EQ(bad.status().detail(), "not a picture");

  for (const auto& file :
       testing::unreadableFiles(dir, ".jpg", quartersJpeg(16, 16), kMaxPictureFileBytes + 1)) {
    SCOPED_TRACE(file.what);
    EXPECT_EQ(readPicture(file.path).status().failure(), file.failure);
  }
}

}  // namespace
}  // namespace sw
