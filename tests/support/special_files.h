#pragma once
// Files that readers must refuse or survive without spending disk or memory on them: sparse
// files far larger than their data, and named pipes that nobody writes to.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/status.h"
#include "support/temp_dir.h"

namespace sw::testing {

// Writes `head` and extends the file to `size` bytes without writing the rest (a sparse file
// where the file system has them). Returns its host path.
std::string writeSparseFile(const TempDir& dir, std::string_view relative, std::string_view head,
                            std::uint64_t size);

// A named pipe below the folder, or an empty string where the system has none.
std::string makeNamedPipe(const TempDir& dir, std::string_view relative);

// A file a reader must refuse before it reads anything, and how.
struct UnreadableFile {
  const char* what;
  std::string path;
  Failure failure;
};
// A missing file, a folder, a pipe nobody writes to, a device without end, and a sparse file of
// `tooLarge` bytes starting with `head`; `extension` names them (".ini").
std::vector<UnreadableFile> unreadableFiles(const TempDir& dir, std::string_view extension,
                                            std::string_view head, std::uint64_t tooLarge);

}  // namespace sw::testing
