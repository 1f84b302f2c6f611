#pragma once
// The pictures every display list starts with (their slots are in picture_slots.h).

#include "model/picture_slots.h"

namespace sw {

class ImageList;

// Clears both lists, then appends the built-in pictures.
void FillBuiltinPictures(ImageList& small, ImageList& large);

}  // namespace sw
