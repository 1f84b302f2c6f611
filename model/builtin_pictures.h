#pragma once
// The pictures every display list starts with: small 0 ordinary group, 1 expanded group,
// 2 locked group, 3 default program picture; large 0 default program picture.

namespace sw {

class ImageList;

inline constexpr int kBuiltinSmallPictures = 4;
inline constexpr int kBuiltinLargePictures = 1;

// Clears both lists, then appends the built-in pictures.
void FillBuiltinPictures(ImageList& small, ImageList& large);

}  // namespace sw
