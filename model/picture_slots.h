#pragma once
// The display picture lists of the program tree: their cell sizes and the built-in pictures
// every load starts from, in one place.

namespace sw {

inline constexpr int kSmallPictureWidth = 16;
inline constexpr int kSmallPictureHeight = 20;
inline constexpr int kLargePictureSize = 32;

// Slots of the small list that hold the built-in pictures.
inline constexpr int kGroupPicture = 0;
inline constexpr int kExpandedGroupPicture = 1;
inline constexpr int kLockedGroupPicture = 2;
inline constexpr int kDefaultProgramPicture = 3;
inline constexpr int kBuiltinSmallPictures = 4;

// The large list starts with the default program picture alone.
inline constexpr int kDefaultLargeProgramPicture = 0;
inline constexpr int kBuiltinLargePictures = 1;

}  // namespace sw
