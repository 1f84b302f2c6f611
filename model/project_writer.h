#pragma once
// Writing the model as a project file: the exact layout (empty first line, an empty line
// before every line holding '[', CR LF, code page 1251), the text of one program section, and
// the checked replacement of the file on disk.

#include <string>

#include "platform/status.h"

namespace sw {

struct Project;
struct TInstallItem;

// The whole file as SaveProject writes it.
std::string ProjectFileText(const Project& project);
// Appends one program section (without the blank-line layout) to `out`.
void WriteProgram(std::string& out, const TInstallItem& program);
// Writes the file beside `hostTarget` (the file named, taken literally), reads it back and
// checks that every program comes back faithfully, then puts it in place of the old file. A
// refused or failed save leaves the old file untouched and says why; `shownName` (UTF-8)
// names the file in the message.
Status SaveProject(const Project& project, const std::string& hostTarget, const std::string& shownName);

}  // namespace sw
