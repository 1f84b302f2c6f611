#pragma once
// The parsed form of a profile file: sections in file order and, for the first section of
// each name, its lines in file order with a hash index from folded key name to first line.
// Names and values are views into the index's own copy of the (1251) text.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sw::profile {

// Bytes removed from both ends of lines, names and values.
inline constexpr std::string_view kProfileBlanks(" \t\v\f\x1A");
// The same set by byte value, so that the parser's inner loops test a byte with one load.
inline constexpr std::array<bool, 256> kIsProfileBlank = [] {
  std::array<bool, 256> blank{};
  for (const char c : kProfileBlanks) blank[static_cast<unsigned char>(c)] = true;
  return blank;
}();
inline bool isProfileBlank(char c) { return kIsProfileBlank[static_cast<unsigned char>(c)]; }
std::string_view stripBlanks(std::string_view text);
// A zero byte ends a name or value, as it would end a C string.
std::string_view cutAtZero(std::string_view text);

// One non-empty line of a section: a key line (with '=') or a line without '='.
struct ProfileLine {
  std::uint32_t nameBegin = 0;
  std::uint32_t nameSize = 0;
  std::uint32_t valueBegin = 0;
  std::uint32_t valueSize = 0;
  bool hasValue = false;
  bool inexactName = false;  // decoded from a character 1251 lacks: no lookup can match it
};

struct ProfileSection {
  std::uint32_t nameBegin = 0;
  std::uint32_t nameSize = 0;
  // Lines are kept for the first section of a name only; later ones can never be read.
  std::uint32_t firstLine = 0;
  std::uint32_t endLine = 0;
  // This section's slice of the key slots: a small hash table of its own, built when the
  // section ends, so that filling and probing it stay within a few cache lines.
  std::uint32_t slotBegin = 0;
  std::uint32_t slotCount = 0;  // a power of two, or 0 without lines
  bool inexactName = false;
};

// Open-addressing hash tables of 32-bit ids, each in a run of slots whose count is a power of
// two. The owner keeps the slots, so that one vector can hold many small tables side by side,
// and supplies the hash and the comparison of ids.
struct IdTable {
  static constexpr std::uint32_t kNone = 0xFFFFFFFFu;
  struct Slot {
    std::uint32_t id = kNone;
    std::uint32_t hashBits = 0;
  };
  // Slots for a table of `ids` ids: a power of two, at least 4, at most half full.
  static std::size_t slotsFor(std::size_t ids);
  // The id stored under `hashBits` for which `same(id)` holds, or kNone.
  template <typename Same>
  static std::uint32_t find(std::span<const Slot> table, std::uint32_t hashBits, Same same);
  // Stores `id` unless `same` finds it there; returns whether it was stored. The table must have
  // a free slot.
  template <typename Same>
  static bool insert(std::span<Slot> table, std::uint32_t hashBits, std::uint32_t id, Same same);
};

class ProfileIndex {
 public:
  ProfileIndex() : ProfileIndex(std::string()) {}
  // Parses 1251 text (already decoded); linear in its size.
  explicit ProfileIndex(std::string text, std::vector<bool> inexact = {});

  std::string_view name(const ProfileSection& section) const {
    return view(section.nameBegin, section.nameSize);
  }
  std::string_view name(const ProfileLine& line) const { return view(line.nameBegin, line.nameSize); }
  std::string_view value(const ProfileLine& line) const { return view(line.valueBegin, line.valueSize); }

  // Every section in file order; the first is the unnamed one before any header.
  const std::vector<ProfileSection>& sections() const { return sections_; }
  // The lines of a section found by `findSection`, in file order.
  const ProfileLine* linesBegin(std::uint32_t section) const {
    return lines_.data() + sections_[section].firstLine;
  }
  const ProfileLine* linesEnd(std::uint32_t section) const {
    return lines_.data() + sections_[section].endLine;
  }

  // The first section of a name (letter case folded), compared exactly as given.
  std::optional<std::uint32_t> findSection(std::string_view name) const;
  // The first line of a key name in that section.
  const ProfileLine* findLine(std::uint32_t section, std::string_view key) const;

 private:
  std::string_view view(std::uint32_t begin, std::uint32_t size) const {
    return std::string_view(text_).substr(begin, size);
  }
  std::uint32_t offsetOf(std::string_view part) const;
  bool isInexact(std::string_view part) const;
  void parseLine(std::string_view line, bool& keepLines);
  void openSection(std::string_view name, bool& keepLines);
  void addLine(std::string_view line);
  void closeSection();
  void growSectionTable();
  template <typename Named>
  bool sameName(const Named& a, const Named& b) const;

  std::string_view cutZero(std::string_view text) const { return hasZero_ ? cutAtZero(text) : text; }

  std::string text_;
  bool hasZero_ = false;
  std::vector<bool> inexact_;
  std::vector<ProfileSection> sections_;
  std::vector<ProfileLine> lines_;
  std::vector<IdTable::Slot> sectionSlots_;  // first section of each folded name
  std::vector<IdTable::Slot> keySlots_;      // the sections' key tables, one after another
};

}  // namespace sw::profile
