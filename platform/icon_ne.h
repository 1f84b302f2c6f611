#pragma once
// The icon resources of a 16-bit NE file (icon libraries, old executables): the resource
// table's type records read in order, every count and offset checked against the file.

#include <optional>
#include <string_view>

#include "platform/icon_directory.h"

namespace sw::icons {

// Nothing when the bytes are not an NE file. Groups are listed only when the file also has an
// icon type record.
std::optional<IconResources> readNeIcons(std::string_view file);

}  // namespace sw::icons
