#include "platform/profile_index.h"

#include <array>
#include <cstring>
#include <limits>

#include "platform/text.h"

namespace sw::profile {
namespace {

const std::array<unsigned char, 256>& foldTable() {
  static const auto table = [] {
    std::array<unsigned char, 256> lower{};
    for (int b = 0; b < 256; ++b) lower[b] = text::toLower(static_cast<unsigned char>(b));
    return lower;
  }();
  return table;
}

// FNV-1a over the folded bytes, so names that differ only in letter case hash alike.
std::uint64_t foldedHash(std::string_view name, std::uint64_t seed) {
  const auto& fold = foldTable();
  std::uint64_t hash = 14695981039346656037ull ^ (seed * 0x9E3779B97F4A7C15ull);
  for (char c : name) {
    hash ^= fold[static_cast<unsigned char>(c)];
    hash *= 1099511628211ull;
  }
  return hash ^ (hash >> 29);
}

bool foldedEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  const auto& fold = foldTable();
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

void IdTable::reserve(std::size_t count) {
  std::size_t capacity = 16;
  while (capacity < count * 2) capacity *= 2;
  if (capacity > slots_.size()) {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(capacity, Slot{});
    used_ = 0;
    for (const Slot& slot : old) {
      if (slot.id == kEmpty) continue;
      std::size_t i = slot.hashBits & (slots_.size() - 1);
      while (slots_[i].id != kEmpty) i = (i + 1) & (slots_.size() - 1);
      slots_[i] = slot;
      ++used_;
    }
  }
}

void IdTable::grow() { reserve(slots_.empty() ? 8 : slots_.size()); }

template <typename Same>
std::uint32_t IdTable::find(std::uint64_t hash, Same same) const {
  if (slots_.empty()) return kEmpty;
  const auto bits = static_cast<std::uint32_t>(hash);
  for (std::size_t i = bits & (slots_.size() - 1);; i = (i + 1) & (slots_.size() - 1)) {
    const Slot& slot = slots_[i];
    if (slot.id == kEmpty) return kEmpty;
    if (slot.hashBits == bits && same(slot.id)) return slot.id;
  }
}

template <typename Same>
bool IdTable::insert(std::uint64_t hash, std::uint32_t id, Same same) {
  if ((used_ + 1) * 2 > slots_.size()) grow();
  const auto bits = static_cast<std::uint32_t>(hash);
  for (std::size_t i = bits & (slots_.size() - 1);; i = (i + 1) & (slots_.size() - 1)) {
    Slot& slot = slots_[i];
    if (slot.id == kEmpty) {
      slot = {id, bits};
      ++used_;
      return true;
    }
    if (slot.hashBits == bits && same(slot.id)) return false;
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
  const std::string_view name = cutAtZero(stripBlanks(rawName));
  ProfileSection section;
  section.nameBegin = offsetOf(name);
  section.nameSize = static_cast<std::uint32_t>(name.size());
  section.inexactName = isInexact(name);
  section.firstLine = section.endLine = static_cast<std::uint32_t>(lines_.size());
  const auto id = static_cast<std::uint32_t>(sections_.size());
  sections_.push_back(section);
  keepLines = sectionTable_.insert(foldedHash(name, 0), id, [&](std::uint32_t other) {
    return sameName(sections_[other], sections_[id]);
  });
}

void ProfileIndex::addLine(std::string_view line) {
  ProfileLine entry;
  std::string_view name = line;
  const std::size_t equals = line.find('=');
  if (equals != std::string_view::npos) {
    name = stripBlanks(line.substr(0, equals));
    const std::string_view value = cutAtZero(stripBlanks(line.substr(equals + 1)));
    entry.hasValue = true;
    entry.valueBegin = offsetOf(value);
    entry.valueSize = static_cast<std::uint32_t>(value.size());
  }
  name = cutAtZero(name);
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
  std::size_t capacity = 4;
  while (capacity < count * 2) capacity *= 2;
  section.slotBegin = static_cast<std::uint32_t>(keySlots_.size());
  section.slotCount = static_cast<std::uint32_t>(capacity);
  keySlots_.resize(keySlots_.size() + capacity);
  KeySlot* const table = keySlots_.data() + section.slotBegin;
  for (std::uint32_t id = section.firstLine; id < section.endLine; ++id) {
    const std::string_view key = name(lines_[id]);
    const auto bits = static_cast<std::uint32_t>(foldedHash(key, 1));
    // The first line of a name wins; later ones are only listed.
    for (std::size_t i = bits & (capacity - 1);; i = (i + 1) & (capacity - 1)) {
      if (table[i].line == IdTable::kEmpty) {
        table[i] = {id, bits};
        break;
      }
      if (table[i].hashBits == bits && sameName(lines_[table[i].line], lines_[id])) break;
    }
  }
}

std::optional<std::uint32_t> ProfileIndex::findSection(std::string_view name) const {
  const std::uint32_t id = sectionTable_.find(foldedHash(name, 0), [&](std::uint32_t other) {
    return !sections_[other].inexactName && foldedEqual(this->name(sections_[other]), name);
  });
  if (id == IdTable::kEmpty) return std::nullopt;
  return id;
}

const ProfileLine* ProfileIndex::findLine(std::uint32_t section, std::string_view key) const {
  const ProfileSection& owner = sections_[section];
  if (owner.slotCount == 0) return nullptr;
  const KeySlot* const table = keySlots_.data() + owner.slotBegin;
  const auto bits = static_cast<std::uint32_t>(foldedHash(key, 1));
  for (std::size_t i = bits & (owner.slotCount - 1);; i = (i + 1) & (owner.slotCount - 1)) {
    const KeySlot& slot = table[i];
    if (slot.line == IdTable::kEmpty) return nullptr;
    if (slot.hashBits == bits && !lines_[slot.line].inexactName && foldedEqual(name(lines_[slot.line]), key))
      return &lines_[slot.line];
  }
}

}  // namespace sw::profile
