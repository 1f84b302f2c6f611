#include "support/jpeg_fixtures.h"

#include <QBuffer>
#include <QByteArray>
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <utility>

#include <jpeglib.h>

namespace sw::testing {

namespace {

// libjpeg's error manager, first, and where a failure jumps back to.
struct Errors {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

[[noreturn]] void jumpBack(j_common_ptr info) { std::longjmp(reinterpret_cast<Errors*>(info->err)->jump, 1); }
void ignoreMessage(j_common_ptr, int) {}

void useErrors(Errors& errors) {
  jpeg_std_error(&errors.manager);
  errors.manager.error_exit = jumpBack;
  errors.manager.emit_message = ignoreMessage;
}

using RowFiller = std::function<void(int y, unsigned char* row)>;

struct Compression {
  Errors errors;
  jpeg_compress_struct info;
  unsigned char* buffer;
  unsigned long size;
};

// One DC scan, then each AC coefficient of each component in three successive approximations.
std::vector<jpeg_scan_info> scanPerCoefficient() {
  std::vector<jpeg_scan_info> scans;
  scans.push_back({3, {0, 1, 2, 0}, 0, 0, 0, 0});
  for (int component = 0; component < 3; ++component) {
    for (int k = 1; k < 64; ++k) {
      for (const auto& [high, low] : {std::pair{0, 2}, std::pair{2, 1}, std::pair{1, 0}}) {
        scans.push_back({1, {component, 0, 0, 0}, k, k, high, low});
      }
    }
  }
  return scans;
}

void setUp(jpeg_compress_struct& info, int width, int height, const JpegOptions& options,
           const std::vector<jpeg_scan_info>& scans) {
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  switch (options.colours) {
    case JpegColours::YCbCr:
      info.input_components = 3;
      info.in_color_space = JCS_RGB;
      break;
    case JpegColours::Gray:
      info.input_components = 1;
      info.in_color_space = JCS_GRAYSCALE;
      break;
    case JpegColours::Cmyk:
    case JpegColours::Ycck:
      info.input_components = 4;
      info.in_color_space = JCS_CMYK;
      break;
  }
  jpeg_set_defaults(&info);
  if (options.colours == JpegColours::Ycck) jpeg_set_colorspace(&info, JCS_YCCK);
  if (options.colours == JpegColours::Cmyk && !options.adobeMarker) info.write_Adobe_marker = FALSE;
  jpeg_set_quality(&info, options.quality, TRUE);
  if (options.progressive) jpeg_simple_progression(&info);
  if (!scans.empty()) {
    info.scan_info = scans.data();
    info.num_scans = static_cast<int>(scans.size());
  }
  info.restart_in_rows = options.restartRows;
}

// No object with a destructor is made here after setjmp: libjpeg's failures jump back to it.
bool compress(Compression& c, int width, int height, const JpegOptions& options,
              const std::vector<jpeg_scan_info>& scans, const RowFiller& fill, unsigned char* row) {
  if (setjmp(c.errors.jump) != 0) return false;
  jpeg_create_compress(&c.info);
  jpeg_mem_dest(&c.info, &c.buffer, &c.size);
  setUp(c.info, width, height, options, scans);
  jpeg_start_compress(&c.info, TRUE);
  while (c.info.next_scanline < c.info.image_height) {
    fill(static_cast<int>(c.info.next_scanline), row);
    JSAMPROW rows[1] = {row};
    jpeg_write_scanlines(&c.info, rows, 1);
  }
  jpeg_finish_compress(&c.info);
  return true;
}

// Black taken out first, the rest as inks (0 = none); stored inverted where Adobe's convention
// holds.
void putInks(unsigned char* at, QRgb colour, bool inverted) {
  const int k = 255 - std::max({qRed(colour), qGreen(colour), qBlue(colour)});
  const int light[3] = {qRed(colour), qGreen(colour), qBlue(colour)};
  for (int i = 0; i < 3; ++i) {
    const int ink = k == 255 ? 0 : (255 - light[i] - k) * 255 / (255 - k);
    at[i] = static_cast<unsigned char>(inverted ? 255 - ink : ink);
  }
  at[3] = static_cast<unsigned char>(inverted ? 255 - k : k);
}

void putPixel(unsigned char* row, int x, QRgb colour, const JpegOptions& options) {
  const auto index = static_cast<std::size_t>(x);
  switch (options.colours) {
    case JpegColours::YCbCr:
      row[3 * index] = static_cast<unsigned char>(qRed(colour));
      row[3 * index + 1] = static_cast<unsigned char>(qGreen(colour));
      row[3 * index + 2] = static_cast<unsigned char>(qBlue(colour));
      break;
    case JpegColours::Gray:
      row[index] = static_cast<unsigned char>(qGray(colour));
      break;
    case JpegColours::Cmyk:
    case JpegColours::Ycck:
      putInks(row + 4 * index, colour, options.colours == JpegColours::Ycck || options.adobeMarker);
      break;
  }
}

struct Decompression {
  Errors errors;
  jpeg_decompress_struct info;
};

bool decompress(Decompression& d, std::string_view jpeg, unsigned denominator, PlainJpeg& out) {
  if (setjmp(d.errors.jump) != 0) return false;
  jpeg_create_decompress(&d.info);
  jpeg_mem_src(&d.info, reinterpret_cast<const unsigned char*>(jpeg.data()),
               static_cast<unsigned long>(jpeg.size()));
  jpeg_read_header(&d.info, TRUE);
  d.info.out_color_space = JCS_RGB;
  d.info.scale_num = 1;
  d.info.scale_denom = denominator;
  jpeg_start_decompress(&d.info);
  out.width = static_cast<int>(d.info.output_width);
  out.height = static_cast<int>(d.info.output_height);
  out.rgb.resize(3 * static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));
  while (d.info.output_scanline < d.info.output_height) {
    JSAMPROW rows[1] = {out.rgb.data() + 3 * static_cast<std::size_t>(out.width) * d.info.output_scanline};
    jpeg_read_scanlines(&d.info, rows, 1);
  }
  jpeg_finish_decompress(&d.info);
  return true;
}

}  // namespace

std::string makeJpeg(int width, int height, const PixelAt& pixelAt, const JpegOptions& options) {
  Compression c{};
  useErrors(c.errors);
  c.info.err = &c.errors.manager;
  std::vector<unsigned char> row(4 * static_cast<std::size_t>(std::max(width, 1)));
  const RowFiller fill = [&](int y, unsigned char* into) {
    for (int x = 0; x < width; ++x) putPixel(into, x, pixelAt(x, y), options);
  };
  const std::vector<jpeg_scan_info> scans =
      options.scanPerCoefficient ? scanPerCoefficient() : std::vector<jpeg_scan_info>();
  const bool written = compress(c, width, height, options, scans, fill, row.data());
  jpeg_destroy_compress(&c.info);
  std::string bytes(reinterpret_cast<const char*>(c.buffer), c.size);
  std::free(c.buffer);
  if (!written) throw std::runtime_error("cannot write a JPEG fixture");
  return bytes;
}

std::string makeJpeg(const QImage& picture, const JpegOptions& options) {
  return makeJpeg(
      picture.width(), picture.height(), [&picture](int x, int y) { return picture.pixel(x, y); }, options);
}

PixelAt quarters(int width, int height, QRgb topLeft, QRgb topRight, QRgb bottomLeft, QRgb bottomRight) {
  return [=](int x, int y) {
    const bool right = x >= width / 2;
    if (y < height / 2) return right ? topRight : topLeft;
    return right ? bottomRight : bottomLeft;
  };
}

PixelAt photoLike() {
  return [](int x, int y) {
    auto hash = static_cast<unsigned>(x) * 2654435761u ^ static_cast<unsigned>(y) * 40503u;
    hash ^= hash >> 15;
    const int noise = static_cast<int>(hash & 31u) - 16;
    auto channel = [noise](int value) { return std::clamp(value + noise, 0, 255); };
    return qRgb(channel((x / 7) % 256), channel((y / 5) % 256), channel(((x + y) / 11) % 256));
  };
}

void setJpegSize(std::string& jpeg, int width, int height) {
  auto byteAt = [&jpeg](std::size_t at) { return static_cast<unsigned char>(jpeg[at]); };
  auto put16 = [&jpeg](std::size_t at, int value) {
    jpeg[at] = static_cast<char>((value >> 8) & 0xFF);
    jpeg[at + 1] = static_cast<char>(value & 0xFF);
  };
  std::size_t at = 2;
  while (at + 9 <= jpeg.size() && byteAt(at) == 0xFF) {
    const unsigned marker = byteAt(at + 1);
    // SOF0 to SOF15, without DHT (C4), JPG (C8) and DAC (CC), which share the range.
    if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
      put16(at + 5, height);
      put16(at + 7, width);
      return;
    }
    at += 2 + (static_cast<std::size_t>(byteAt(at + 2)) << 8 | byteAt(at + 3));
  }
  throw std::runtime_error("no frame header in the JPEG fixture");
}

QRgb PlainJpeg::pixel(int x, int y) const {
  const std::size_t at =
      3 * (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x));
  return qRgb(rgb[at], rgb[at + 1], rgb[at + 2]);
}

PlainJpeg decodeJpegPlainly(std::string_view jpeg, unsigned denominator) {
  Decompression d{};
  useErrors(d.errors);
  d.info.err = &d.errors.manager;
  PlainJpeg out;
  const bool decoded = decompress(d, jpeg, denominator, out);
  jpeg_destroy_decompress(&d.info);
  return decoded ? out : PlainJpeg();
}

std::string encodedWithQt(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return bytes.toStdString();
}

}  // namespace sw::testing
