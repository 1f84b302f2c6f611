#pragma once
// Builders of icon-bearing files for tests, benchmarks and fuzz seeds: ICO files, 32- and
// 64-bit PE DLLs with icon groups and 16-bit NE icon libraries, all generated here in code.

#include <QColor>
#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

#include "support/fixture_bytes.h"

namespace sw::testing {

// One image of an icon: the fields of its directory entry and its encoded bytes.
struct IconImage {
  int width = 0;  // as claimed in the directory entry; 256 is stored as 0
  int height = 0;
  int colourCount = 0;
  int bitCount = 0;
  std::string data;
};

// The directory of an ICO file or of an icon group, up to each entry's last field (the image
// offset in a file, the icon resource id in a group), which `appendTail` writes.
template <typename Tail>
void appendIconDirectory(std::string& out, const std::vector<IconImage>& images, Tail appendTail) {
  appendU16(out, 0);
  appendU16(out, 1);
  appendU16(out, static_cast<std::uint32_t>(images.size()));
  for (const IconImage& image : images) {
    appendU8(out, entryByte(image.width));
    appendU8(out, entryByte(image.height));
    appendU8(out, image.colourCount);
    appendU8(out, 0);
    appendU16(out, 1);
    appendU16(out, static_cast<std::uint32_t>(image.bitCount));
    appendU32(out, static_cast<std::uint32_t>(image.data.size()));
    appendTail(out, image);
  }
}

struct DibOptions {
  bool zeroAlpha = false;   // 32 bits only: every alpha byte 0, transparency from the AND mask
  bool maskAllSet = false;  // every AND bit 1, whatever the picture's alpha
};

// A picture encoded as an icon bitmap: header, palette (1, 4, 8 bits), colour rows, AND mask.
// Pixels with alpha below 128 get AND bit 1; their colour is kept in the colour rows. For
// 1/4/8 bits the palette holds the picture's distinct colours in order of first appearance
// (colours beyond the palette map to entry 0).
IconImage dibImage(const QImage& picture, int bitCount, DibOptions options = {});
IconImage pngImage(const QImage& picture);

QImage solidPicture(int width, int height, QRgb colour);

// Little-endian patching of fixture bytes (for corrupting a field in a test).
void putU16(std::string& bytes, std::size_t pos, std::uint16_t value);
void putU32(std::string& bytes, std::size_t pos, std::uint32_t value);

// An ICO file: 6-byte header, one 16-byte entry per image, then the images in order.
std::string makeIco(const std::vector<IconImage>& images);
// One 32-bit alpha image of `size` x `size`, filled with `colour`.
std::string makeIcoFile(int size, QRgb colour);

// An icon group of a PE or NE file.
struct IconGroup {
  int id = 1;        // numeric ID, used when `name` is empty
  std::string name;  // ASCII name of a named group
  std::vector<IconImage> images;
  // When not empty: the group is present in a second language, listed after the first.
  std::vector<IconImage> otherLanguageImages;
};

enum class PeFault {
  None,
  UnsortedRoot,              // the group type listed before the icon type in the root
  GroupPointsToRoot,         // the first group's name entry points back to the root directory
  GroupPointsToItself,       // the first group's name entry points at the group type directory
  DataOutsideSections,       // the first group's data entry carries an RVA outside every section
  ResourcesOutsideSections,  // the resource data directory's RVA lies outside every section
  NoResources,               // no resource section at all
};

// A PE DLL whose resource section holds the groups in the order given (entries stored in
// that order), their icon images numbered from 1.
std::string makePeFile(const std::vector<IconGroup>& groups, bool pe32plus = false,
                       PeFault fault = PeFault::None);

// A PE DLL with `groupCount` numbered icon groups (IDs 1..groupCount); group i holds a 16x16 and
// a 32x32 32-bit alpha image filled with iconLibraryColour(i).
std::string makeIconLibraryDll(int groupCount, bool pe32plus = false);
QRgb iconLibraryColour(int i);

// A 16-bit NE icon library: one icon group resource per entry of `groups`, in order, its
// images as icon resources. `withIconType` false leaves out the icon type record.
std::string makeNeFile(const std::vector<std::vector<IconImage>>& groups, int alignShift = 4,
                       bool withIconType = true);

}  // namespace sw::testing
