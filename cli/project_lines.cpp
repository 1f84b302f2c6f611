#include "cli/project_lines.h"

#include "platform/profile_index.h"
#include "platform/text.h"

namespace sw::cli {
namespace {

// The reader drops one pair of quotes around a value.
std::string_view unquoted(std::string_view value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
    return value.substr(1, value.size() - 2);
  return value;
}

}  // namespace

ProjectLines::ProjectLines(std::string text, std::size_t longValue)
    : text_(std::move(text)), longValue_(longValue) {
  current_ = &sections_[std::string()];  // the unnamed section before the first header
  const std::string_view all(text_);
  int number = 1;
  std::size_t pos = 0;
  while (pos < all.size()) {
    std::size_t end = all.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = all.size();
    addLine(all.substr(pos, end - pos), number++);
    // CR LF is one line break, as are a lone CR and a lone LF.
    if (end + 1 < all.size() && all[end] == '\r' && all[end + 1] == '\n') ++end;
    pos = end + 1;
  }
}

void ProjectLines::addLine(std::string_view rawLine, int number) {
  const std::string_view line = profile::stripBlanks(rawLine);
  if (line.empty()) return;
  if (line.front() == '[') {
    const std::size_t close = line.rfind(']');
    if (close != std::string_view::npos) {
      currentName_ = profile::cutAtZero(profile::stripBlanks(line.substr(1, close - 1)));
      const auto [found, added] = sections_.try_emplace(text::lowerCase(currentName_));
      current_ = added ? &found->second : nullptr;
      if (current_ != nullptr) {
        current_->line = number;
        current_->firstKey = current_->endKey = static_cast<std::uint32_t>(keys_.size());
      }
      return;
    }
  }
  if (current_ == nullptr) return;
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return;
  const std::string_view name = profile::cutAtZero(profile::stripBlanks(line.substr(0, equals)));
  const std::string_view value = unquoted(profile::stripBlanks(line.substr(equals + 1)));
  keys_.push_back({name, number});
  current_->endKey = static_cast<std::uint32_t>(keys_.size());
  // Only the first line of a name is read; a later one of the same name cannot be cut short.
  if (value.size() >= longValue_ && firstKeyLine(currentName_, name) == number)
    longValues_.push_back({std::string(currentName_), std::string(name), number, value.size()});
}

const ProjectLines::Section* ProjectLines::findSection(std::string_view section) const {
  const auto found = sections_.find(text::lowerCase(section));
  return found == sections_.end() ? nullptr : &found->second;
}

int ProjectLines::sectionLine(std::string_view section) const {
  const Section* found = findSection(section);
  return found == nullptr ? 0 : found->line;
}

int ProjectLines::firstKeyLine(std::string_view section, std::string_view key) const {
  const Section* found = findSection(section);
  if (found == nullptr) return 0;
  for (std::uint32_t k = found->firstKey; k < found->endKey; ++k)
    if (text::equalsNoCase(keys_[k].name, key)) return keys_[k].line;
  return 0;
}

int ProjectLines::keyLine(std::string_view section, std::string_view key) const {
  const int line = key.empty() ? 0 : firstKeyLine(section, key);
  return line != 0 ? line : sectionLine(section);
}

}  // namespace sw::cli
