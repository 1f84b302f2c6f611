#pragma once
// Where things stand in a project file: the line of each section header and of each key the
// reader can see (the first section of a name, the first key of a name in it), and the values
// too long for the reader. A report points people at these lines. Keys are looked up by going
// through their section's lines, which keeps the scan of a large file cheap.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace sw::cli {

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
  ProjectLines(std::string text, std::size_t longValue);

  // The header line of a section, 0 when the file has none; names match without letter case.
  int sectionLine(std::string_view section) const;
  // The line of a key, or of its section when the key is missing (0 when both are).
  int keyLine(std::string_view section, std::string_view key) const;
  const std::vector<LongValue>& longValues() const { return longValues_; }

 private:
  struct KeyLine {
    std::string_view name;
    int line = 0;
  };
  struct Section {
    int line = 0;
    std::uint32_t firstKey = 0;
    std::uint32_t endKey = 0;
  };

  void addLine(std::string_view line, int number);
  const Section* findSection(std::string_view section) const;
  // The first line of the key in the section, 0 when it has none.
  int firstKeyLine(std::string_view section, std::string_view key) const;

  std::string text_;
  std::size_t longValue_;
  std::unordered_map<std::string, Section> sections_;  // folded name -> its first section
  std::vector<KeyLine> keys_;                          // key lines of readable sections, in file order
  std::vector<LongValue> longValues_;
  Section* current_ = nullptr;  // null while in a section the reader cannot see
  std::string_view currentName_;
};

}  // namespace sw::cli
