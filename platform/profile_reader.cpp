#include "platform/profile_reader.h"

#include "platform/file_io.h"
#include "platform/profile_encoding.h"
#include "platform/profile_index.h"

namespace sw {

using profile::cutAtZero;
using profile::ProfileIndex;
using profile::stripBlanks;

struct ProfileFile::Index {
  ProfileIndex parsed;
  // Per section: whether its key list starts with a name, which is what makes it exist.
  std::vector<bool> listsKeys;
};

namespace {

// A list may fill its buffer up to two bytes short of the end: the last name is cut there.
constexpr std::size_t kListLimit = kProfileListBufferSize - 2;
// Larger files are refused; nothing a profile holds comes anywhere near it.
constexpr std::uint64_t kMaxFileSize = std::uint64_t{1} << 30;

// Copies a value into a buffer of `bufferSize` bytes, removing a matching pair of quotes.
// A quoted text is cut together with its closing quote, and that quote (or the last byte
// kept in its place) is dropped only when the whole quoted text fitted.
std::string copyEntry(std::string_view value, std::size_t bufferSize, bool stripQuotes) {
  bool quoted = false;
  if (stripQuotes && value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    quoted = true;
    value.remove_prefix(1);
  }
  std::string out(value.substr(0, bufferSize - 1));
  if (quoted && value.size() <= bufferSize) out.pop_back();
  return out;
}

// Names as the buffer holds them: each followed by a zero byte, cut at the buffer's end.
ProfileList listOf(const std::vector<std::string_view>& names) {
  ProfileList list;
  std::size_t used = 0;
  for (std::string_view name : names) {
    if (used + name.size() + 1 <= kListLimit) {
      list.names.emplace_back(name);
      used += name.size() + 1;
      continue;
    }
    const std::size_t room = kListLimit - used;
    if (room > 0) list.names.emplace_back(name.substr(0, room));
    list.count = kListLimit;
    return list;
  }
  list.count = used;
  return list;
}

// The list a key-list call returns when it finds nothing: the default text itself.
ProfileList defaultList(std::optional<std::string_view> defaultText) {
  ProfileList list;
  if (!defaultText) return list;
  std::string text = copyEntry(cutAtZero(*defaultText), kProfileListBufferSize, true);
  list.count = text.size();
  if (!text.empty()) list.names.push_back(std::move(text));
  return list;
}

// Trailing blanks of a default are dropped, though never its first byte; tabs stay.
std::string_view trimDefault(std::string_view text) {
  std::size_t end = text.size();
  while (end > 1 && text[end - 1] == ' ') --end;
  return text.substr(0, end);
}

// A line a key list names: one with '=' whose name is not a comment.
bool isListed(const ProfileIndex& parsed, const profile::ProfileLine& line) {
  const std::string_view name = parsed.name(line);
  return line.hasValue && (name.empty() || name.front() != ';');
}

std::vector<bool> sectionsListingKeys(const ProfileIndex& parsed) {
  std::vector<bool> lists(parsed.sections().size(), false);
  for (std::uint32_t section = 0; section < lists.size(); ++section) {
    for (auto* line = parsed.linesBegin(section); line != parsed.linesEnd(section); ++line) {
      if (!isListed(parsed, *line)) continue;
      lists[section] = !parsed.name(*line).empty();
      break;
    }
  }
  return lists;
}

const ProfileIndex& emptyIndex() {
  static const ProfileIndex empty;
  return empty;
}

}  // namespace

ProfileFile::ProfileFile() : index_(std::make_unique<Index>()) {}
ProfileFile::~ProfileFile() = default;
ProfileFile::ProfileFile(ProfileFile&&) noexcept = default;
ProfileFile& ProfileFile::operator=(ProfileFile&&) noexcept = default;

ProfileFile ProfileFile::parse(std::string bytes) {
  ProfileFile file;
  profile::DecodedProfile decoded = profile::decodeProfileBytes(std::move(bytes));
  file.index_->parsed = ProfileIndex(std::move(decoded.text), std::move(decoded.inexact));
  file.index_->listsKeys = sectionsListingKeys(file.index_->parsed);
  return file;
}

ProfileFile ProfileFile::fromBytes(std::string_view bytes) { return parse(std::string(bytes)); }

Result<ProfileFile> ProfileFile::read(const std::string& hostPath) {
  Result<std::string> bytes = files::readFile(hostPath, kMaxFileSize);
  if (!bytes) return bytes.status();
  return parse(std::move(bytes).value());
}

ProfileList ProfileFile::sectionList() const {
  const ProfileIndex& parsed = index_ ? index_->parsed : emptyIndex();
  std::vector<std::string_view> names;
  for (const auto& section : parsed.sections())
    if (section.nameSize > 0) names.push_back(parsed.name(section));
  return listOf(names);
}

ProfileList ProfileFile::keyList(std::string_view section,
                                 std::optional<std::string_view> defaultText) const {
  const ProfileIndex& parsed = index_ ? index_->parsed : emptyIndex();
  // Unlike a value lookup, a list lookup takes the section name as given, blanks included.
  const auto found = parsed.findSection(cutAtZero(section));
  std::vector<std::string_view> names;
  if (found) {
    for (auto* line = parsed.linesBegin(*found); line != parsed.linesEnd(*found); ++line) {
      if (isListed(parsed, *line)) names.push_back(parsed.name(*line));
    }
  }
  // A list that starts with an empty name reads as empty to the caller.
  if (names.empty() || names.front().empty()) return defaultList(defaultText);
  return listOf(names);
}

ProfileValue ProfileFile::value(std::string_view section, std::string_view key,
                                std::optional<std::string_view> defaultText) const {
  const ProfileIndex& parsed = index_ ? index_->parsed : emptyIndex();
  const auto found = parsed.findSection(stripBlanks(cutAtZero(section)));
  if (found) {
    const auto* line = parsed.findLine(*found, stripBlanks(cutAtZero(key)));
    // A line without '=' is found, but gives the default.
    if (line && line->hasValue) return {copyEntry(parsed.value(*line), kProfileValueBufferSize, true)};
  }
  if (!defaultText) return {};
  return {copyEntry(trimDefault(cutAtZero(*defaultText)), kProfileValueBufferSize, true)};
}

std::string ProfileFile::readString(std::string_view section, std::string_view key,
                                    std::string_view defaultText) const {
  return value(section, key, defaultText).value;
}

std::vector<std::string> ProfileFile::sectionNames() const { return sectionList().names; }

std::vector<std::string> ProfileFile::keyNames(std::string_view section) const {
  return keyList(section).names;
}

// The same answer as a non-empty key list, worked out once per section when the file is
// parsed: the loader asks this for every reference entry, and sections can be long.
bool ProfileFile::sectionExists(std::string_view section) const {
  if (!index_) return false;
  const auto found = index_->parsed.findSection(cutAtZero(section));
  return found && index_->listsKeys[*found];
}

}  // namespace sw
