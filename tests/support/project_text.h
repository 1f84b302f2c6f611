#pragma once
// A small builder of project file text for tests: sections and key lines in 1251, CR LF.

#include <string>
#include <string_view>

namespace sw::testing {

class ProjectText {
 public:
  // Starts with [Common_Info] Ver=2.0 unless `withVersion` is false.
  explicit ProjectText(bool withVersion = true);

  ProjectText& section(std::string_view name);
  ProjectText& key(std::string_view name, std::string_view value);
  // Any line as written (for malformed input).
  ProjectText& line(std::string_view text);
  // A program section "Installitem_%3.3d" with its Group and Caption.
  ProjectText& program(int number, std::string_view group, std::string_view caption);

  const std::string& bytes() const { return text_; }

 private:
  std::string text_;
};

// The smallest project that loads with a program: group G with program P, number `number`.
std::string oneProgramProject(int number = 0);

}  // namespace sw::testing
