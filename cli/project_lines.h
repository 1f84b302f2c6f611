#pragma once
// Where things stand in a project file: the line of each section header and of each key the
// reader can see (the first section of a name, the first key of a name in it), and the length
// of that key's value. A report points people at these lines.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace sw::cli {

struct KeyPlace {
  int line = 0;
  std::size_t valueSize = 0;  // bytes of the value as the file holds it, blanks and quotes cut
};

// A key line whose value is too long for the reader, in file order.
struct LongValue {
  std::string section;
  std::string key;
  int line = 0;
  std::size_t size = 0;
};

class ProjectLines {
 public:
  // `text` is the file's 1251 text (decoded when it had a byte-order mark).
  explicit ProjectLines(std::string_view text, std::size_t longValue);

  // The header line of a section, 0 when the file has none; names match without letter case.
  int sectionLine(std::string_view section) const;
  // The line of a key, or of its section when the key is missing (0 when both are).
  int keyLine(std::string_view section, std::string_view key) const;
  const KeyPlace* key(std::string_view section, std::string_view key) const;
  const std::vector<LongValue>& longValues() const { return longValues_; }

 private:
  void addLine(std::string_view line, int number);

  std::size_t longValue_;
  std::unordered_map<std::string, int> sections_;   // folded name -> header line
  std::unordered_map<std::string, KeyPlace> keys_;  // folded "section\nkey"
  std::vector<LongValue> longValues_;
  std::string currentName_;     // as written
  std::string currentSection_;  // folded
  bool readable_ = true;        // the first section of its name
};

}  // namespace sw::cli
