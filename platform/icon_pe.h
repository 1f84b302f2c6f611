#pragma once
// The icon resources of a 32- or 64-bit PE file: the resource tree read to depth exactly three
// (type, name, language), every directory by a linear scan, every offset checked.

#include <optional>
#include <string_view>

#include "platform/icon_directory.h"

namespace sw::icons {

// Nothing when the bytes are not a PE file; empty resources when it has no icon groups.
std::optional<IconResources> readPeIcons(std::string_view file);

}  // namespace sw::icons
