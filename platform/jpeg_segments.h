#pragma once
// Where a JPEG's last whole segment ends. libjpeg survives data that stops inside compressed
// rows (it warns and decodes the rest as grey), but not data that stops inside a marker's
// header, which is where a download cut between the scans of a progressive file ends.

#include <cstddef>
#include <string_view>

namespace sw::jpeg {

// The length of `jpeg` without a marker segment cut short at its end; the whole length when
// the data ends at a segment boundary, inside compressed data, after EOI, or somewhere the
// markers cannot be followed (libjpeg then judges it).
std::size_t wholeSegmentsLength(std::string_view jpeg);

}  // namespace sw::jpeg
