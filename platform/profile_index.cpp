#include "platform/profile_index.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/text.h"

namespace sw::profile {
namespace {

// FNV-1a over the folded bytes, so names that differ only in letter case hash alike.
std::uint32_t foldedHash(std::string_view name, std::uint64_t seed) {
  const auto& fold = text::lowerCaseTable();
  std::uint64_t hash = 14695981039346656037ull ^ (seed * 0x9E3779B97F4A7C15ull);
  for (char c : name) {
    hash ^= fold[static_cast<unsigned char>(c)];
    hash *= 1099511628211ull;
  }
  return static_cast<std::uint32_t>(hash ^ (hash >> 29));
}

bool foldedEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  const auto& fold = text::lowerCaseTable();
  for (std::size_t i = 0; i < a.size(); ++i)
    if (fold[static_cast<unsigned char>(a[i])] != fold[static_cast<unsigned char>(b[i])]) return false;
  return true;
}

// Text beyond what 32-bit offsets address is not read; no real profile comes near it.
constexpr std::size_t kMaxText = std::numeric_limits<std::uint32_t>::max() - 1;

}  // namespace

std::string_view stripBlanks(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && isProfileBlank(text[begin])) ++begin;
  while (end > begin && isProfileBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

std::string_view cutAtZero(std::string_view text) {
  if (text.empty()) return text;
  const void* zero = std::memchr(text.data(), '\0', text.size());
  return zero ? text.substr(0, static_cast<const char*>(zero) - text.data()) : text;
}

// ---- IdTable ----

std::size_t IdTable::slotsFor(std::size_t ids) {
  std::size_t size = 4;
  while (size < ids * 2) size *= 2;
  return size;
}

template <typename Same>
std::uint32_t IdTable::find(std::span<const Slot> table, std::uint32_t hashBits, Same same) {
  if (table.empty()) return kNone;
  const std::size_t mask = table.size() - 1;
  for (std::size_t i = hashBits & mask;; i = (i + 1) & mask) {
    const Slot& slot = table[i];
    if (slot.id == kNone) return kNone;
    if (slot.hashBits == hashBits && same(slot.id)) return slot.id;
  }
}

template <typename Same>
bool IdTable::insert(std::span<Slot> table, std::uint32_t hashBits, std::uint32_t id, Same same) {
  const std::size_t mask = table.size() - 1;
  for (std::size_t i = hashBits & mask;; i = (i + 1) & mask) {
    Slot& slot = table[i];
    if (slot.id == kNone) {
      slot = {id, hashBits};
      return true;
    }
    if (slot.hashBits == hashBits && same(slot.id)) return false;
  }
}

// ---- ProfileIndex ----

ProfileIndex::ProfileIndex(std::string text, std::vector<bool> inexact)
    : text_(std::move(text)), inexact_(std::move(inexact)) {
  if (text_.size() > kMaxText) text_.resize(kMaxText);
  inexact_.resize(inexact_.empty() ? 0 : text_.size());
  // A rough guess of the line count keeps the tables from growing step by step.
  lines_.reserve(text_.size() / 32 + 1);
  keySlots_.reserve(text_.size() / 16 + 1);
  bool keepLines = true;
  openSection({}, keepLines);  // the unnamed section before the first header always exists

  const char* const data = text_.data();
  const std::size_t size = text_.size();
  // Most files hold no zero byte at all: then no name or value needs searching for one.
  hasZero_ = size > 0 && std::memchr(data, '\0', size) != nullptr;
  auto nextOf = [&](char wanted, std::size_t from) {
    const void* found = from < size ? std::memchr(data + from, wanted, size - from) : nullptr;
    return found ? static_cast<std::size_t>(static_cast<const char*>(found) - data) : size;
  };
  // Each search result is kept until the scan passes it, so every byte is searched once.
  std::size_t nextLf = nextOf('\n', 0);
  std::size_t nextCr = nextOf('\r', 0);
  for (std::size_t pos = 0; pos < size;) {
    // CR LF, LF and a lone CR all end a line; the empty line between CR and LF is skipped.
    if (nextLf < pos) nextLf = nextOf('\n', pos);
    if (nextCr < pos) nextCr = nextOf('\r', pos);
    const std::size_t end = nextLf < nextCr ? nextLf : nextCr;
    parseLine(std::string_view(data + pos, end - pos), keepLines);
    pos = end + 1;
  }
  closeSection();
  lines_.shrink_to_fit();
  keySlots_.shrink_to_fit();
}

void ProfileIndex::parseLine(std::string_view rawLine, bool& keepLines) {
  const std::string_view line = stripBlanks(rawLine);
  if (line.empty()) return;
  if (line.front() == '[') {
    // The name runs to the last ']' of the line; what follows it is ignored.
    const std::size_t close = line.rfind(']');
    if (close != std::string_view::npos) {
      openSection(line.substr(1, close - 1), keepLines);
      return;
    }
  }
  if (keepLines) addLine(line);
}

std::uint32_t ProfileIndex::offsetOf(std::string_view part) const {
  return part.empty() ? 0 : static_cast<std::uint32_t>(part.data() - text_.data());
}

bool ProfileIndex::isInexact(std::string_view part) const {
  if (inexact_.empty() || part.empty()) return false;
  const std::size_t begin = offsetOf(part);
  for (std::size_t i = begin; i < begin + part.size(); ++i)
    if (inexact_[i]) return true;
  return false;
}

void ProfileIndex::openSection(std::string_view rawName, bool& keepLines) {
  if (!sections_.empty()) closeSection();
  const std::string_view name = cutZero(stripBlanks(rawName));
  ProfileSection section;
  section.nameBegin = offsetOf(name);
  section.nameSize = static_cast<std::uint32_t>(name.size());
  section.inexactName = isInexact(name);
  section.firstLine = section.endLine = static_cast<std::uint32_t>(lines_.size());
  const auto id = static_cast<std::uint32_t>(sections_.size());
  sections_.push_back(section);
  if (sections_.size() * 2 > sectionSlots_.size()) growSectionTable();
  keepLines = IdTable::insert(sectionSlots_, foldedHash(name, 0), id,
                              [&](std::uint32_t other) { return sameName(sections_[other], sections_[id]); });
}

void ProfileIndex::growSectionTable() {
  const std::vector<IdTable::Slot> old = std::move(sectionSlots_);
  sectionSlots_.assign(IdTable::slotsFor(std::max<std::size_t>(sections_.size(), 8)), IdTable::Slot{});
  // The stored ids are distinct: none needs comparing.
  for (const IdTable::Slot& slot : old)
    if (slot.id != IdTable::kNone)
      IdTable::insert(sectionSlots_, slot.hashBits, slot.id, [](std::uint32_t) { return false; });
}

void ProfileIndex::addLine(std::string_view line) {
  ProfileLine entry;
  std::string_view name = line;
  const std::size_t equals = line.find('=');
  if (equals != std::string_view::npos) {
    name = stripBlanks(line.substr(0, equals));
    const std::string_view value = cutZero(stripBlanks(line.substr(equals + 1)));
    entry.hasValue = true;
    entry.valueBegin = offsetOf(value);
    entry.valueSize = static_cast<std::uint32_t>(value.size());
  }
  name = cutZero(name);
  entry.nameBegin = offsetOf(name);
  entry.nameSize = static_cast<std::uint32_t>(name.size());
  entry.inexactName = isInexact(name);
  lines_.push_back(entry);
}

// Names decoded from characters that 1251 lacks equal nothing, as their originals would not.
template <typename Named>
bool ProfileIndex::sameName(const Named& a, const Named& b) const {
  return !a.inexactName && !b.inexactName && foldedEqual(name(a), name(b));
}

void ProfileIndex::closeSection() {
  ProfileSection& section = sections_.back();
  section.endLine = static_cast<std::uint32_t>(lines_.size());
  const std::size_t count = section.endLine - section.firstLine;
  if (count == 0) return;
  section.slotBegin = static_cast<std::uint32_t>(keySlots_.size());
  section.slotCount = static_cast<std::uint32_t>(IdTable::slotsFor(count));
  keySlots_.resize(keySlots_.size() + section.slotCount);
  const std::span<IdTable::Slot> table(keySlots_.data() + section.slotBegin, section.slotCount);
  // The first line of a name wins; later ones are only listed.
  for (std::uint32_t id = section.firstLine; id < section.endLine; ++id) {
    IdTable::insert(table, foldedHash(name(lines_[id]), 1), id,
                    [&](std::uint32_t other) { return sameName(lines_[other], lines_[id]); });
  }
}

std::optional<std::uint32_t> ProfileIndex::findSection(std::string_view name) const {
  const std::uint32_t id = IdTable::find(sectionSlots_, foldedHash(name, 0), [&](std::uint32_t other) {
    return !sections_[other].inexactName && foldedEqual(this->name(sections_[other]), name);
  });
  if (id == IdTable::kNone) return std::nullopt;
  return id;
}

const ProfileLine* ProfileIndex::findLine(std::uint32_t section, std::string_view key) const {
  const ProfileSection& owner = sections_[section];
  const std::span<const IdTable::Slot> table(keySlots_.data() + owner.slotBegin, owner.slotCount);
  const std::uint32_t id = IdTable::find(table, foldedHash(key, 1), [&](std::uint32_t line) {
    return !lines_[line].inexactName && foldedEqual(name(lines_[line]), key);
  });
  return id == IdTable::kNone ? nullptr : &lines_[id];
}

}  // namespace sw::profile
