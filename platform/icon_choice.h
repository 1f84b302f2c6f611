#pragma once
// Which image of an icon directory is shown at a given size.

#include <vector>

#include "platform/icon_directory.h"

namespace sw::icons {

// The entry for `size` x `size`: the first entry nearest in |dW| + |dH| fixes the pair of
// distances; among the entries with that exact pair, the depth nearest 32 bits, then the
// earliest. -1 for an empty directory.
int chooseIconEntry(const std::vector<IconDirEntry>& entries, int size);

}  // namespace sw::icons
