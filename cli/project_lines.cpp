#include "cli/project_lines.h"

#include "platform/profile_index.h"
#include "platform/text.h"

namespace sw::cli {
namespace {

std::string keyId(std::string_view foldedSection, std::string_view key) {
  std::string id(foldedSection);
  id += '\n';
  id += text::lowerCase(key);
  return id;
}

// The reader drops one pair of quotes around a value.
std::string_view unquoted(std::string_view value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
    return value.substr(1, value.size() - 2);
  return value;
}

}  // namespace

ProjectLines::ProjectLines(std::string_view text, std::size_t longValue) : longValue_(longValue) {
  sections_.emplace(std::string(), 0);  // the unnamed section before the first header
  int number = 1;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    addLine(text.substr(pos, end - pos), number++);
    // CR LF is one line break, as are a lone CR and a lone LF.
    if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++end;
    pos = end + 1;
  }
}

void ProjectLines::addLine(std::string_view rawLine, int number) {
  const std::string_view line = profile::stripBlanks(rawLine);
  if (line.empty()) return;
  if (line.front() == '[') {
    const std::size_t close = line.rfind(']');
    if (close != std::string_view::npos) {
      currentName_ = std::string(profile::cutAtZero(profile::stripBlanks(line.substr(1, close - 1))));
      currentSection_ = text::lowerCase(currentName_);
      readable_ = sections_.emplace(currentSection_, number).second;
      return;
    }
  }
  if (!readable_) return;
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return;
  const std::string_view name = profile::cutAtZero(profile::stripBlanks(line.substr(0, equals)));
  const std::string_view value = unquoted(profile::stripBlanks(line.substr(equals + 1)));
  if (!keys_.emplace(keyId(currentSection_, name), KeyPlace{number, value.size()}).second) return;
  if (value.size() >= longValue_)
    longValues_.push_back({currentName_, std::string(name), number, value.size()});
}

int ProjectLines::sectionLine(std::string_view section) const {
  const auto found = sections_.find(text::lowerCase(section));
  return found == sections_.end() ? 0 : found->second;
}

const KeyPlace* ProjectLines::key(std::string_view section, std::string_view key) const {
  const auto found = keys_.find(keyId(text::lowerCase(section), key));
  return found == keys_.end() ? nullptr : &found->second;
}

int ProjectLines::keyLine(std::string_view section, std::string_view key) const {
  if (const KeyPlace* place = this->key(section, key)) return place->line;
  return sectionLine(section);
}

}  // namespace sw::cli
