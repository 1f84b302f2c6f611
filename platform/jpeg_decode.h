#pragma once
// JPEG pictures decoded with libjpeg at the smallest of its scales that still covers the area
// the picture is shown in: a preview of a large photo decodes a fraction of its pixels.

#include <QSize>
#include <string_view>

#include "platform/picture_reader.h"

namespace sw::jpeg {

// JPEG files start with SOI and the first marker's FF.
bool isJpeg(std::string_view bytes);

// As decodePicture for JPEG bytes. Output is RGB32 whatever the file's colours (gray, RGB,
// YCbCr, CMYK, YCCK). Damaged data that libjpeg survives still gives a picture; a file whose
// data ends early gives the rows it has, and so does one libjpeg gives up on halfway (the rest
// grey). A header that cannot be read, or that claims more than the limits, is a failure.
Result<Picture> decodeJpeg(std::string_view bytes, QSize cover);

}  // namespace sw::jpeg
