#pragma once
// Copying a folder tree (the demo project) into a test's own folder.

#include <string>

namespace sw::testing {

// Copies every file and folder below `from` into `to` (host paths); false on any failure.
bool copyTree(const std::string& from, const std::string& to);

}  // namespace sw::testing
