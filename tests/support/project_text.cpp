#include "support/project_text.h"

#include "model/project_keys.h"

namespace sw::testing {

ProjectText::ProjectText(bool withVersion) {
  if (withVersion) section("Common_Info").key("Ver", "2.0");
}

ProjectText& ProjectText::section(std::string_view name) {
  text_ += '[';
  text_ += name;
  text_ += "]\r\n";
  return *this;
}

ProjectText& ProjectText::key(std::string_view name, std::string_view value) {
  text_ += name;
  text_ += '=';
  text_ += value;
  text_ += "\r\n";
  return *this;
}

ProjectText& ProjectText::line(std::string_view text) {
  text_ += text;
  text_ += "\r\n";
  return *this;
}

ProjectText& ProjectText::program(int number, std::string_view group, std::string_view caption) {
  return section(ProgramSectionName(number)).key("Group", group).key("Caption", caption);
}

std::string oneProgramProject(int number) {
  return ProjectText().section("SoftwareGroup").key("G", "").program(number, "G", "P").bytes();
}

}  // namespace sw::testing
