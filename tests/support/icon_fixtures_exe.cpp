// PE and NE builders of the icon fixtures: a minimal header, one resource section or table.

#include <algorithm>
#include <stdexcept>

#include "support/fixture_bytes.h"
#include "support/icon_fixtures.h"

namespace sw::testing {

namespace {

constexpr std::uint32_t kSubdirectory = 0x80000000u;
constexpr std::uint32_t kResourceRva = 0x1000;
constexpr std::uint32_t kResourceFileOffset = 0x200;
constexpr std::uint32_t kPeOffset = 0x80;
constexpr std::uint32_t kFarAwayRva = 0x00F00000;

std::uint32_t alignUp(std::uint32_t value, std::uint32_t alignment) {
  return (value + alignment - 1) / alignment * alignment;
}

std::string groupDirectory(const std::vector<IconImage>& images, int firstIconId) {
  std::string out;
  int id = firstIconId;
  appendIconDirectory(out, images, [&id](std::string& entry, const IconImage&) {
    appendU16(entry, static_cast<std::uint32_t>(id++));
  });
  return out;
}

// The bytes of a resource section, laid out directories first, then data entries, names, data.
class ResourceSection {
 public:
  std::size_t directory(int namedCount, int idCount) {
    const std::size_t pos = bytes_.size();
    bytes_.append(12, '\0');
    appendU16(bytes_, static_cast<std::uint32_t>(namedCount));
    appendU16(bytes_, static_cast<std::uint32_t>(idCount));
    bytes_.append(static_cast<std::size_t>(8 * (namedCount + idCount)), '\0');
    return pos;
  }
  std::size_t dataEntry() {
    const std::size_t pos = bytes_.size();
    bytes_.append(16, '\0');
    return pos;
  }
  std::size_t name(const std::string& text) {
    const std::size_t pos = bytes_.size();
    appendU16(bytes_, static_cast<std::uint32_t>(text.size()));
    for (const char c : text) appendU16(bytes_, static_cast<unsigned char>(c));
    return pos;
  }
  std::size_t data(const std::string& content) {
    padTo(bytes_, 4);
    const std::size_t pos = bytes_.size();
    bytes_ += content;
    return pos;
  }
  void setEntry(std::size_t dir, int index, std::uint32_t nameOrId, std::uint32_t target) {
    const std::size_t pos = dir + 16 + 8 * static_cast<std::size_t>(index);
    putU32(bytes_, pos, nameOrId);
    putU32(bytes_, pos + 4, target);
  }
  void setData(std::size_t entry, std::uint32_t rva, std::size_t size) {
    putU32(bytes_, entry, rva);
    putU32(bytes_, entry + 4, static_cast<std::uint32_t>(size));
  }
  std::string& bytes() { return bytes_; }

 private:
  std::string bytes_;
};

struct GroupLanguage {
  std::uint32_t language;
  std::string directory;
};

struct IconResource {
  int id;
  const IconImage* image;
};

std::string buildResources(const std::vector<IconGroup>& groups, PeFault fault) {
  std::vector<IconResource> icons;
  std::vector<std::vector<GroupLanguage>> languages;
  int nextId = 1;
  for (const IconGroup& group : groups) {
    std::vector<GroupLanguage> entries;
    entries.push_back({0x0409, groupDirectory(group.images, nextId)});
    for (const IconImage& image : group.images) icons.push_back({nextId++, &image});
    if (!group.otherLanguageImages.empty()) {
      entries.push_back({0x0419, groupDirectory(group.otherLanguageImages, nextId)});
      for (const IconImage& image : group.otherLanguageImages) icons.push_back({nextId++, &image});
    }
    languages.push_back(std::move(entries));
  }
  const int namedCount = static_cast<int>(
      std::count_if(groups.begin(), groups.end(), [](const IconGroup& g) { return !g.name.empty(); }));

  ResourceSection section;
  const std::size_t root = section.directory(0, 2);
  const std::size_t iconType = section.directory(0, static_cast<int>(icons.size()));
  const std::size_t groupType = section.directory(namedCount, static_cast<int>(groups.size()) - namedCount);
  std::vector<std::size_t> iconLanguageDirs;
  for (std::size_t i = 0; i < icons.size(); ++i) iconLanguageDirs.push_back(section.directory(0, 1));
  std::vector<std::size_t> groupLanguageDirs;
  for (const auto& entries : languages)
    groupLanguageDirs.push_back(section.directory(0, static_cast<int>(entries.size())));
  std::vector<std::size_t> iconEntries;
  for (std::size_t i = 0; i < icons.size(); ++i) iconEntries.push_back(section.dataEntry());
  std::vector<std::vector<std::size_t>> groupEntries;
  for (const auto& entries : languages) {
    std::vector<std::size_t> positions;
    for (std::size_t l = 0; l < entries.size(); ++l) positions.push_back(section.dataEntry());
    groupEntries.push_back(positions);
  }
  std::vector<std::size_t> names;
  for (const IconGroup& group : groups) names.push_back(group.name.empty() ? 0 : section.name(group.name));

  const bool unsorted = fault == PeFault::UnsortedRoot;
  section.setEntry(root, unsorted ? 1 : 0, 3, kSubdirectory | static_cast<std::uint32_t>(iconType));
  section.setEntry(root, unsorted ? 0 : 1, 14, kSubdirectory | static_cast<std::uint32_t>(groupType));
  for (std::size_t i = 0; i < icons.size(); ++i) {
    section.setEntry(iconType, static_cast<int>(i), static_cast<std::uint32_t>(icons[i].id),
                     kSubdirectory | static_cast<std::uint32_t>(iconLanguageDirs[i]));
    section.setEntry(iconLanguageDirs[i], 0, 0x0409, static_cast<std::uint32_t>(iconEntries[i]));
    const std::size_t pos = section.data(icons[i].image->data);
    section.setData(iconEntries[i], kResourceRva + static_cast<std::uint32_t>(pos),
                    icons[i].image->data.size());
  }
  for (std::size_t g = 0; g < groups.size(); ++g) {
    const std::uint32_t nameOrId = groups[g].name.empty()
                                       ? static_cast<std::uint32_t>(groups[g].id)
                                       : kSubdirectory | static_cast<std::uint32_t>(names[g]);
    std::uint32_t target = kSubdirectory | static_cast<std::uint32_t>(groupLanguageDirs[g]);
    if (g == 0 && fault == PeFault::GroupPointsToRoot)
      target = kSubdirectory | static_cast<std::uint32_t>(root);
    if (g == 0 && fault == PeFault::GroupPointsToItself)
      target = kSubdirectory | static_cast<std::uint32_t>(groupType);
    section.setEntry(groupType, static_cast<int>(g), nameOrId, target);
    for (std::size_t l = 0; l < languages[g].size(); ++l) {
      section.setEntry(groupLanguageDirs[g], static_cast<int>(l), languages[g][l].language,
                       static_cast<std::uint32_t>(groupEntries[g][l]));
      const std::size_t pos = section.data(languages[g][l].directory);
      std::uint32_t rva = kResourceRva + static_cast<std::uint32_t>(pos);
      if (g == 0 && fault == PeFault::DataOutsideSections) rva = kFarAwayRva;
      section.setData(groupEntries[g][l], rva, languages[g][l].directory.size());
    }
  }
  padTo(section.bytes(), 0x200);
  return section.bytes();
}

void appendOptionalHeader(std::string& out, bool pe32plus, std::uint32_t imageSize, std::uint32_t resourceRva,
                          std::uint32_t resourceSize) {
  const std::size_t start = out.size();
  appendU16(out, pe32plus ? 0x20B : 0x10B);
  out.append(pe32plus ? 22 : 26, '\0');  // linker version, code sizes, entry point, bases
  if (pe32plus) {
    appendU32(out, 0x80000000u);  // image base, 8 bytes
    appendU32(out, 1);
  } else {
    appendU32(out, 0x10000000u);
  }
  appendU32(out, 0x1000);  // section alignment
  appendU32(out, 0x200);   // file alignment
  appendU16(out, 4);       // operating system version
  appendU16(out, 0);
  appendU32(out, 0);  // image version
  appendU16(out, 4);  // subsystem version
  appendU16(out, 0);
  appendU32(out, 0);  // Win32 version value
  appendU32(out, imageSize);
  appendU32(out, kResourceFileOffset);  // size of headers
  appendU32(out, 0);                    // checksum
  appendU16(out, 2);                    // subsystem: GUI
  appendU16(out, 0);
  out.append(pe32plus ? 36 : 20, '\0');  // stack and heap sizes, loader flags
  appendU32(out, 16);                    // number of data directories
  for (int i = 0; i < 16; ++i) {
    appendU32(out, i == 2 ? resourceRva : 0);
    appendU32(out, i == 2 ? resourceSize : 0);
  }
  if (out.size() - start != (pe32plus ? 240u : 224u)) throw std::logic_error("optional header size");
}

}  // namespace

std::string makePeFile(const std::vector<IconGroup>& groups, bool pe32plus, PeFault fault) {
  const std::string resources = buildResources(groups, fault);
  const auto resourceSize = static_cast<std::uint32_t>(resources.size());
  std::uint32_t resourceRva = kResourceRva;
  if (fault == PeFault::ResourcesOutsideSections) resourceRva = kFarAwayRva;
  if (fault == PeFault::NoResources) resourceRva = 0;

  std::string out = "MZ";
  out.resize(0x3C, '\0');
  appendU32(out, kPeOffset);
  out.resize(kPeOffset, '\0');
  out += std::string("PE\0\0", 4);
  appendU16(out, pe32plus ? 0x8664 : 0x14C);  // machine
  appendU16(out, 1);                          // one section
  appendU32(out, 0);
  appendU32(out, 0);
  appendU32(out, 0);
  appendU16(out, pe32plus ? 240 : 224);
  appendU16(out, pe32plus ? 0x2022 : 0x2102);  // executable DLL
  appendOptionalHeader(out, pe32plus, kResourceRva + alignUp(resourceSize, 0x1000), resourceRva,
                       fault == PeFault::NoResources ? 0 : resourceSize);
  out += std::string(".rsrc\0\0\0", 8);
  appendU32(out, resourceSize);  // virtual size
  appendU32(out, kResourceRva);
  appendU32(out, resourceSize);  // size of raw data
  appendU32(out, kResourceFileOffset);
  out.append(12, '\0');         // relocations, line numbers
  appendU32(out, 0x40000040u);  // initialised data, readable
  out.resize(kResourceFileOffset, '\0');
  out += resources;
  return out;
}

std::string makeNeFile(const std::vector<std::vector<IconImage>>& groups, int alignShift, bool withIconType) {
  constexpr std::uint32_t neOffset = 0x80;
  constexpr std::uint32_t tableOffset = 0x40;  // from the NE header
  std::size_t iconCount = 0;
  for (const auto& images : groups) iconCount += images.size();
  const std::size_t tableSize = 2 + (withIconType ? 8 + 12 * iconCount : 0) + 8 + 12 * groups.size() + 2;

  std::string out = "MZ";
  out.resize(0x3C, '\0');
  appendU32(out, neOffset);
  out.resize(neOffset, '\0');
  out += "NE";
  out.resize(neOffset + 0x24, '\0');
  appendU16(out, tableOffset);
  out.resize(neOffset + tableOffset + tableSize, '\0');

  // Resource data follows the table, each block on an alignment boundary.
  const std::uint32_t unit = 1u << alignShift;
  std::string table;
  appendU16(table, static_cast<std::uint32_t>(alignShift));
  auto place = [&](const std::string& data) {
    padTo(out, unit);
    const std::size_t pos = out.size();
    out += data;
    appendU16(table, static_cast<std::uint32_t>(pos >> alignShift));
    appendU16(table, alignUp(static_cast<std::uint32_t>(data.size()), unit) >> alignShift);
  };
  if (withIconType) {
    appendU16(table, 0x8003);
    appendU16(table, static_cast<std::uint32_t>(iconCount));
    appendU32(table, 0);
    int id = 1;
    for (const auto& images : groups) {
      for (const IconImage& image : images) {
        place(image.data);
        appendU16(table, 0x1C30);  // moveable, pure, discardable
        appendU16(table, 0x8000u | static_cast<std::uint32_t>(id++));
        appendU32(table, 0);
      }
    }
  }
  appendU16(table, 0x800E);
  appendU16(table, static_cast<std::uint32_t>(groups.size()));
  appendU32(table, 0);
  int firstId = 1;
  for (std::size_t g = 0; g < groups.size(); ++g) {
    place(groupDirectory(groups[g], firstId));
    firstId += static_cast<int>(groups[g].size());
    appendU16(table, 0x1C30);
    appendU16(table, 0x8000u | static_cast<std::uint32_t>(g + 1));
    appendU32(table, 0);
  }
  appendU16(table, 0);
  padTo(out, unit);
  if (table.size() != tableSize) throw std::logic_error("resource table size");
  out.replace(neOffset + tableOffset, table.size(), table);
  return out;
}

}  // namespace sw::testing
