#include "platform/jpeg_segments.h"

#include <cstring>

namespace sw::jpeg {

namespace {

constexpr unsigned char kMarkerByte = 0xFF;
constexpr unsigned char kStartOfScan = 0xDA;
constexpr unsigned char kEndOfImage = 0xD9;

unsigned byteAt(std::string_view jpeg, std::size_t at) { return static_cast<unsigned char>(jpeg[at]); }

// Markers without a length: TEM and the restart markers (SOI is past by then).
bool standsAlone(unsigned code) { return code == 0x01 || (code >= 0xD0 && code <= 0xD7); }

// Where compressed data starting at `from` ends: the next FF that begins a marker, not a stuffed
// zero or a restart marker; npos when it runs to the end.
std::size_t endOfCompressedData(std::string_view jpeg, std::size_t from) {
  while (from < jpeg.size()) {
    const void* found = std::memchr(jpeg.data() + from, kMarkerByte, jpeg.size() - from);
    if (!found) return std::string_view::npos;
    const auto at = static_cast<std::size_t>(static_cast<const char*>(found) - jpeg.data());
    if (at + 1 >= jpeg.size()) return std::string_view::npos;
    const unsigned next = byteAt(jpeg, at + 1);
    if (next != 0x00 && next != kMarkerByte && !(next >= 0xD0 && next <= 0xD7)) return at;
    from = at + 1;
  }
  return std::string_view::npos;
}

}  // namespace

std::size_t wholeSegmentsLength(std::string_view jpeg) {
  std::size_t at = 2;  // past SOI
  // Every turn moves `at` forward, so the loop ends within the data.
  while (at < jpeg.size()) {
    if (byteAt(jpeg, at) != kMarkerByte) return jpeg.size();
    const std::size_t markerStart = at;
    while (at < jpeg.size() && byteAt(jpeg, at) == kMarkerByte) ++at;  // fill bytes
    if (at >= jpeg.size()) return markerStart;
    const unsigned code = byteAt(jpeg, at);
    ++at;
    if (code == kEndOfImage) return jpeg.size();
    if (standsAlone(code)) continue;
    if (at + 2 > jpeg.size()) return markerStart;
    const std::size_t length = byteAt(jpeg, at) << 8 | byteAt(jpeg, at + 1);
    if (length < 2) return jpeg.size();
    if (length > jpeg.size() - at) return markerStart;
    at += length;
    if (code == kStartOfScan) {
      at = endOfCompressedData(jpeg, at);
      if (at == std::string_view::npos) return jpeg.size();
    }
  }
  return jpeg.size();
}

}  // namespace sw::jpeg
