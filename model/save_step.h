#pragma once
// The model side of the start page and of the save step.

#include <string>

#include "platform/status.h"

namespace sw {

struct Project;

// NotFound when no regular file of that name exists; otherwise the result of LoadProject.
Status LoadProjectIfExists(Project& project, const std::string& path);

// The editor's save to `path` (1251, taken literally): the ".bak" copy of an existing file,
// RenumberPrograms, the new file written to a temporary file, read back and checked, then put
// in place of the old one. A refused or failed save leaves the old file, a fresh ".bak" copy and
// no temporary file. `hostTarget`, when given, is the exact host name of `path` (the command
// line knows it) and is used instead of converting the name.
Status SaveProjectStep(Project& project, const std::string& path, const std::string& hostTarget = {});

// A project file name typed without a full path names a file in the project root folder;
// a full path (and any name when there is no root folder) is taken as typed.
std::string ResolveProjectFileName(const Project& project, const std::string& typed);

}  // namespace sw
