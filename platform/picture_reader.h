#pragma once
// Reading pictures for the editor's previews: JPEG through libjpeg, at the smallest scale that
// still covers the area they are shown in, so that a large photo previews at once; BMP, ICO, PNG
// and GIF through Qt's readers. Every decoder is held to a pixel and memory limit: a file that
// claims more is unreadable, never a huge allocation.

#include <QImage>
#include <QSize>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/status.h"

namespace sw {

// Pictures larger than this (either side, or in total pixels and bytes) are not decoded.
inline constexpr int kMaxPictureSide = 16384;
inline constexpr std::uint64_t kMaxPictureBytes = std::uint64_t{256} << 20;
// Files larger than this are not read as pictures.
inline constexpr std::uint64_t kMaxPictureFileBytes = std::uint64_t{256} << 20;

struct Picture {
  QImage image;    // ARGB32 or RGB32; at least `cover` where the full picture is as large
  QSize fullSize;  // the picture's own size, as the file gives it
};

// The picture in `bytes`, told apart by its content, not by a name. With a valid `cover`, a JPEG
// is decoded at the smallest of the scales 1/8, 1/4, 1/2 and 1 whose result still covers `cover`
// (both sides at least as large, or the full size); other formats are decoded whole (an ICO
// file: its first image; a GIF: its first frame). A JPEG whose data is damaged or ends early
// gives what libjpeg could decode. Unreadable pictures give a failure whose detail says why:
// System for "not a picture" or a damaged file (EMF and WMF included), TooLarge beyond the
// limits (refused from the header, before anything is allocated), OutOfMemory.
Result<Picture> decodePicture(std::string_view bytes, QSize cover = QSize());

// The same for a file given by its host path (a regular file only). The file's own failures
// (NotFound, NotRegularFile, TooLarge over kMaxPictureFileBytes, System) are passed on;
// decoding failures say "Cannot read <path> as a picture".
Result<Picture> readPicture(const std::string& hostPath, QSize cover = QSize());

// The failure of picture bytes that cannot be decoded, `detail` saying why.
Status pictureFailure(Failure failure, std::string detail);

// TooLarge, saying which limit, for a picture of `size` beyond the limits above; ok otherwise.
Status checkPictureSize(QSize size);

}  // namespace sw
