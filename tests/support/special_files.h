#pragma once
// Files that readers must refuse or survive without spending disk or memory on them: sparse
// files far larger than their data, and named pipes that nobody writes to.

#include <cstdint>
#include <string>
#include <string_view>

#include "support/temp_dir.h"

namespace sw::testing {

// Writes `head` and extends the file to `size` bytes without writing the rest (a sparse file
// where the file system has them). Returns its host path.
std::string writeSparseFile(const TempDir& dir, std::string_view relative, std::string_view head,
                            std::uint64_t size);

// A named pipe below the folder, or an empty string where the system has none.
std::string makeNamedPipe(const TempDir& dir, std::string_view relative);

}  // namespace sw::testing
