#include "platform/jpeg_decompressor.h"

#include <algorithm>
#include <limits>

#include <jerror.h>

namespace sw::jpeg {

namespace {

// Rows handed to libjpeg per call: enough for its widest upsampling group.
constexpr int kRowsPerCall = 16;

Decompressor::Errors& errorsOf(j_common_ptr info) {
  return *reinterpret_cast<Decompressor::Errors*>(info->err);
}

[[noreturn]] void stopWith(j_common_ptr info, const char* reason) {
  Decompressor::Errors& errors = errorsOf(info);
  std::snprintf(errors.message, sizeof errors.message, "%s", reason);
  std::longjmp(errors.jump, 1);
}

// libjpeg's error_exit: it must not return, and the default one calls exit().
[[noreturn]] void stopOnError(j_common_ptr info) {
  Decompressor::Errors& errors = errorsOf(info);
  const int code = errors.manager.msg_code;
  errors.outOfMemory = code == JERR_NO_BACKING_STORE || code == JERR_OUT_OF_MEMORY;
  errors.manager.format_message(info, errors.message);
  std::longjmp(errors.jump, 1);
}

void countWarning(j_common_ptr info, int level) {
  if (level < 0) ++info->err->num_warnings;
}

void printNothing(j_common_ptr) {}

// Called between the input passes; a file of thousands of tiny scans would otherwise pass over
// the whole coefficient buffer thousands of times.
void limitScans(j_common_ptr info) {
  if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans) {
    stopWith(info, "more scans than a picture needs");
  }
}

}  // namespace

Decompressor::Decompressor() {
  jpeg_std_error(&errors_.manager);
  errors_.manager.error_exit = stopOnError;
  errors_.manager.emit_message = countWarning;
  errors_.manager.output_message = printNothing;
  progress_.progress_monitor = limitScans;
  info_.err = &errors_.manager;
}

Decompressor::~Decompressor() {
  // Safe after any failure: libjpeg frees what it has and leaves the object empty.
  if (created_) jpeg_destroy_decompress(&info_);
}

// No object with a destructor may live in `step`: a failure jumps straight back here.
template <typename Step>
bool Decompressor::guarded(Step&& step) {
  errors_.message[0] = '\0';
  errors_.outOfMemory = false;
  if (setjmp(errors_.jump) != 0) return false;
  step();
  return true;
}

bool Decompressor::readHeader(std::string_view bytes) {
  if (bytes.size() > std::numeric_limits<unsigned long>::max()) {
    std::snprintf(errors_.message, sizeof errors_.message, "more bytes than libjpeg takes");
    return false;
  }
  created_ = true;
  return guarded([this, bytes] {
    jpeg_create_decompress(&info_);
    info_.mem->max_memory_to_use = static_cast<long>(kMaxWorkingBytes);
    info_.progress = &progress_;
    jpeg_mem_src(&info_, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info_, TRUE);
  });
}

bool Decompressor::setScale(unsigned denominator) {
  return guarded([this, denominator] {
    info_.scale_num = 1;
    info_.scale_denom = denominator;
    jpeg_calc_output_dimensions(&info_);
  });
}

bool Decompressor::start() {
  return guarded([this] { jpeg_start_decompress(&info_); });
}

bool Decompressor::readRows(unsigned char* first, std::size_t stride) {
  return guarded([this, first, stride] {
    JSAMPROW rows[kRowsPerCall];
    // Each call gives at least one row, so the output height bounds the calls; a call that
    // gives none (a source that suspends) ends the loop rather than spinning.
    while (info_.output_scanline < info_.output_height) {
      const JDIMENSION next = info_.output_scanline;
      const JDIMENSION count = std::min<JDIMENSION>(kRowsPerCall, info_.output_height - next);
      for (JDIMENSION i = 0; i < count; ++i) rows[i] = first + stride * (next + i);
      if (jpeg_read_scanlines(&info_, rows, count) == 0) break;
    }
  });
}

// JPEG sizes are 16-bit: they fit an int.
QSize Decompressor::fullSize() const {
  return {static_cast<int>(info_.image_width), static_cast<int>(info_.image_height)};
}

QSize Decompressor::outputSize() const {
  return {static_cast<int>(info_.output_width), static_cast<int>(info_.output_height)};
}

}  // namespace sw::jpeg
