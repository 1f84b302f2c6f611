#pragma once
// Writing the model as a project file: renumbering, the exact layout (empty first line, an
// empty line before every line holding '[', CR LF, code page 1251), and the text of one
// program section.

#include <string>

namespace sw {

struct Project;
struct TInstallItem;

struct SaveResult {
  bool ok = true;
  std::string message;  // for people, 1251, in the editor's words; empty when ok
};

void RenumberPrograms(Project& project);
// The whole file as SaveProject writes it.
std::string ProjectFileText(const Project& project);
// Appends one program section (without the blank-line layout) to `out`.
void WriteProgram(std::string& out, const TInstallItem& program);
// Writes the file to a temporary file in the same folder, reads it back and checks that every
// program comes back faithfully, then puts it in place of the old file. A refused or failed
// save leaves the old file untouched and says why.
SaveResult SaveProject(const Project& project, const std::string& path);

}  // namespace sw
