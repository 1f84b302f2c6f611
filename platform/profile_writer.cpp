#include "platform/profile_writer.h"

#include <optional>
#include <vector>

#include "platform/file_io.h"
#include "platform/file_replace.h"
#include "platform/profile_encoding.h"
#include "platform/profile_index.h"
#include "platform/text.h"

namespace sw {
namespace {

using profile::cutAtZero;
using profile::stripBlanks;

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// One line of the file: its text without the line end, and where the next line starts.
struct RawLine {
  std::size_t begin = 0;
  std::size_t end = 0;
  std::size_t next = 0;
};

std::vector<RawLine> splitLines(std::string_view bytes, std::size_t from) {
  std::vector<RawLine> lines;
  for (std::size_t pos = from; pos < bytes.size();) {
    const std::size_t end = std::min(bytes.find_first_of("\r\n", pos), bytes.size());
    std::size_t next = end;
    if (next < bytes.size()) next += bytes.compare(next, 2, "\r\n") == 0 ? 2 : 1;
    lines.push_back({pos, end, next});
    pos = next;
  }
  return lines;
}

// A name or value may not carry a line break into the file (it would add lines) nor a zero
// byte (nothing after it could be read back): a break becomes one blank.
std::string oneLine(std::string_view text) {
  text = cutAtZero(text);
  std::string out;
  out.reserve(text.size());
  profile::appendOnOneLine(out, text);
  return out;
}

// Reads and finds lines exactly as the reader does, in raw bytes of either encoding.
class ProfileEditor {
 public:
  ProfileEditor(std::string bytes, bool utf8) : bytes_(std::move(bytes)), utf8_(utf8) {
    lines_ = splitLines(bytes_, utf8_ ? kUtf8Mark.size() : 0);
  }

  void setString(std::string_view section, std::string_view key, std::string_view value) {
    applyString(section, key, value);
    // The lines are found again, so that the next key is set in the file as it now stands.
    lines_ = splitLines(bytes_, utf8_ ? kUtf8Mark.size() : 0);
  }

  const std::string& bytes() const { return bytes_; }

 private:
  void applyString(std::string_view section, std::string_view key, std::string_view value) {
    const std::optional<std::size_t> header = findSection(section);
    if (!header) {
      appendSection(section, key, value);
      return;
    }
    const std::size_t first = *header == kStart ? 0 : *header + 1;
    std::size_t last = first;  // one past the section's last line
    while (last < lines_.size() && !headerName(lines_[last])) ++last;
    for (std::size_t i = first; i < last; ++i) {
      const auto name = keyName(lines_[i]);
      if (name && matches(*name, key)) {
        replaceLine(lines_[i], std::string(*name) + "=" + encode(value));
        return;
      }
    }
    insertKey(*header, first, last, key, value);
  }

  static constexpr std::size_t kStart = static_cast<std::size_t>(-1);

  std::string_view text(const RawLine& line) const {
    return std::string_view(bytes_).substr(line.begin, line.end - line.begin);
  }

  // The section name of a header line, or nullopt for any other line.
  std::optional<std::string_view> headerName(const RawLine& raw) const {
    const std::string_view line = stripBlanks(text(raw));
    if (line.empty() || line.front() != '[') return std::nullopt;
    const std::size_t close = line.rfind(']');
    if (close == std::string_view::npos) return std::nullopt;
    return cutAtZero(stripBlanks(line.substr(1, close - 1)));
  }

  // The key name of a non-empty ordinary line (its whole text when it has no '=').
  std::optional<std::string_view> keyName(const RawLine& raw) const {
    const std::string_view line = stripBlanks(text(raw));
    if (line.empty()) return std::nullopt;
    const std::size_t equals = line.find('=');
    return cutAtZero(stripBlanks(line.substr(0, equals)));
  }

  bool matches(std::string_view fileName, std::string_view wanted) const {
    if (!utf8_) return text::equalsNoCase(fileName, wanted);
    const auto decoded = profile::decodeProfileBytes(std::string(kUtf8Mark) + std::string(fileName));
    for (bool inexact : decoded.inexact)
      if (inexact) return false;
    return text::equalsNoCase(decoded.text, wanted);
  }

  std::string encode(std::string_view cp1251) const {
    return utf8_ ? text::toUtf8(cp1251) : std::string(cp1251);
  }

  // The header line of the first section of that name; kStart for the part before any header.
  std::optional<std::size_t> findSection(std::string_view section) const {
    if (section.empty()) return kStart;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      const auto name = headerName(lines_[i]);
      if (name && matches(*name, section)) return i;
    }
    return std::nullopt;
  }

  void replaceLine(const RawLine& line, const std::string& replacement) {
    bytes_.replace(line.begin, line.end - line.begin, replacement);
  }

  // After the section's last non-blank line (or its header), before trailing blank lines.
  void insertKey(std::size_t header, std::size_t first, std::size_t last, std::string_view key,
                 std::string_view value) {
    std::size_t after = header;  // kStart: nothing before the new line but the file's start
    for (std::size_t i = first; i < last; ++i)
      if (!stripBlanks(text(lines_[i])).empty()) after = i;
    std::string insertion = encode(std::string(key) + "=" + std::string(value)) + "\r\n";
    std::size_t at = utf8_ ? kUtf8Mark.size() : 0;
    if (after != kStart) {
      const RawLine& line = lines_[after];
      at = line.next;
      if (line.next == line.end) insertion.insert(0, "\r\n");  // the last line had no line end
    }
    bytes_.insert(at, insertion);
  }

  void appendSection(std::string_view section, std::string_view key, std::string_view value) {
    if (!bytes_.empty() && bytes_.back() != '\n' && bytes_.back() != '\r' &&
        bytes_.size() > (utf8_ ? kUtf8Mark.size() : 0))
      bytes_ += "\r\n";
    std::string lines;
    lines.append("[").append(section).append("]\r\n").append(key).append("=").append(value).append("\r\n");
    bytes_ += encode(lines);
  }

  std::string bytes_;
  bool utf8_;
  std::vector<RawLine> lines_;
};

Status cannotWrite(const std::string& hostPath, Failure failure, std::string detail) {
  return Status::failed(failure, files::unableToWrite(files::shownPath(hostPath)), std::move(detail));
}

// The file's bytes now, empty when it is not there yet; what cannot be replaced is refused
// before it is read.
Result<std::string> currentBytes(const std::string& hostPath) {
  if (Status replaceable = files::checkReplaceable(hostPath); !replaceable) return replaceable;
  Result<std::string> bytes = files::readFile(hostPath);
  if (bytes) return bytes;
  if (bytes.status().failure() == Failure::NotFound) return std::string();
  return cannotWrite(hostPath, bytes.status().failure(), bytes.status().detail());
}

}  // namespace

Status writeProfileString(const std::string& hostPath, std::string_view section, std::string_view key,
                          std::string_view value) {
  return writeProfileStrings(hostPath, {{section, key, value}});
}

Status writeProfileStrings(const std::string& hostPath, const std::vector<ProfileEntry>& entries,
                           bool durable) {
  Result<std::string> bytes = currentBytes(hostPath);
  if (!bytes) return bytes.status();
  if (bytes->starts_with("\xFF\xFE") || bytes->starts_with("\xFE\xFF"))
    return cannotWrite(hostPath, Failure::Refused, "UTF-16 files are not written");

  const bool utf8 = bytes->starts_with(kUtf8Mark);
  ProfileEditor editor(std::move(bytes).value(), utf8);
  for (const ProfileEntry& entry : entries)
    editor.setString(stripBlanks(oneLine(entry.section)), stripBlanks(oneLine(entry.key)),
                     oneLine(entry.value));
  files::ReplaceOptions options;
  options.durable = durable;
  return files::replaceFile(hostPath, editor.bytes(), options);
}

namespace profile {

void appendOnOneLine(std::string& out, std::string_view text) {
  // Nearly every text has no line break: two vectorised searches settle that.
  if (text.find('\r') == std::string_view::npos && text.find('\n') == std::string_view::npos) {
    out.append(text);
    return;
  }
  const char* run = text.data();
  const char* const end = run + text.size();
  for (const char* p = run; p < end; ++p) {
    if (*p != '\r' && *p != '\n') continue;
    out.append(run, p);
    out += ' ';
    if (*p == '\r' && p + 1 < end && p[1] == '\n') ++p;
    run = p + 1;
  }
  out.append(run, end);
}

}  // namespace profile
}  // namespace sw
