#pragma once
// libjpeg's decompressor, held so that nothing it does can leave the process or jump through
// C++ code: every step runs under its own setjmp, and a fatal error ends only that step, with
// libjpeg's message kept. Warnings (damaged data libjpeg survives) are counted, never printed.

#include <QSize>
#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdio>  // before jpeglib.h, which uses FILE
#include <string>
#include <string_view>

#include <jpeglib.h>

namespace sw::jpeg {

// libjpeg's own buffers (whole-picture coefficients for progressive files among them) are held
// to this; coefficients take two bytes a sample, so three full-resolution components of the
// largest picture allowed still fit.
inline constexpr std::uint64_t kMaxWorkingBytes = std::uint64_t{512} << 20;
// Each scan passes over the whole coefficient buffer; real files have a dozen or so.
inline constexpr int kMaxScans = 500;

class Decompressor {
 public:
  Decompressor();
  ~Decompressor();
  Decompressor(const Decompressor&) = delete;
  Decompressor& operator=(const Decompressor&) = delete;

  // Each step gives true, or false with message() saying why. `bytes` must outlive the object.
  bool readHeader(std::string_view bytes);
  // Sets the scale 1 / `denominator` and works out the output size for it.
  bool setScale(unsigned denominator);
  bool start();
  // Decodes the rows into `first` and the following scanlines, `stride` bytes apart; the
  // scanlines must hold output width x the colour space's bytes. Rows decoded before a failure
  // stay written (rowsDecoded()).
  bool readRows(unsigned char* first, std::size_t stride);

  QSize fullSize() const;
  QSize outputSize() const;
  int rowsDecoded() const { return static_cast<int>(info_.output_scanline); }
  J_COLOR_SPACE fileColours() const { return info_.jpeg_color_space; }
  bool sawAdobeMarker() const { return info_.saw_Adobe_marker != 0; }
  void setOutputColours(J_COLOR_SPACE colours) { info_.out_color_space = colours; }

  // Why the last step failed, in libjpeg's words.
  std::string message() const { return errors_.message; }
  // The last step failed because libjpeg would have needed more memory than it may use.
  bool outOfMemory() const { return errors_.outOfMemory; }

  // The error manager comes first, so that libjpeg's pointer to it leads back to the rest.
  struct Errors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    bool outOfMemory;
  };

 private:
  template <typename Step>
  bool guarded(Step&& step);

  Errors errors_{};
  jpeg_progress_mgr progress_{};
  jpeg_decompress_struct info_{};
  bool created_ = false;
};

}  // namespace sw::jpeg
