#pragma once
// The icon lists of the program pictures: all icons of one file put into a pair of image
// lists, small icons drawn on the background colour of the program tree.

#include <QColor>
#include <QImage>
#include <string>

namespace sw {

class ImageList;
class IconSourceCache;

// The program tree's background until the window says otherwise: small icons are drawn on it,
// and it is then the transparent colour of their pictures (the project document holds it).
inline constexpr QRgb kDefaultIconBackground = 0xFFFFFFFFu;

// Draws a 16 x 16 icon on `background` in a cell of the list's size, centred horizontally
// and (height - 16) / 2 from the top, and appends it with that colour transparent. Returns the
// new index.
int AppendSmallIcon(ImageList& list, const QImage& icon16, QRgb background);
// The cell AppendSmallIcon appends, for a list of `width` x `height`: the icon drawn on
// `background`, which is then transparent.
QImage SmallIconCell(int width, int height, const QImage& icon16, QRgb background);

// Appends all icons of a file (Windows-style path, 1251) to the given lists (either may be
// null), small icons drawn on `background`; returns the number of icons, 0 for a missing file
// or one without icons. With a cache, a file already parsed in it is not parsed again, and the
// cache's bytes are released when the icons are appended.
int AppendFileIcons(const std::string& file, ImageList* small, ImageList* large, QRgb background,
                    IconSourceCache* cache = nullptr);
// Replaces the lists' contents by all icons of the file (small icons not drawn on the
// background); a file without icons leaves the lists untouched and returns 0.
int LoadFileIcons(const std::string& file, ImageList* small, ImageList* large);

}  // namespace sw
