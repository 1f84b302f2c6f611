#pragma once
// The one way the core replaces a file: a new file is written beside it, synced, checked, and
// renamed over it, so that the old file is either untouched or wholly replaced.

#include <functional>
#include <string>
#include <string_view>

#include "platform/status.h"

namespace sw::files {

struct ReplaceOptions {
  // A target that is a symbolic link: true replaces the file it leads to, in that file's own
  // folder, and keeps the link; false replaces the link itself by a regular file.
  bool followLinks = true;
  // How messages name the target (UTF-8); the host path when empty.
  std::string shownName;
  // Runs on the complete, synced temporary file (its host path) before it takes the target's
  // place; a failure stops the replacement and is what replaceFile returns.
  std::function<Status(const std::string& temporaryHostPath)> verify;
};

// Replaces (or creates) the file at `targetHostPath`, taken literally, by `bytes`. Refuses a
// target that is not a regular file (folder, device, pipe) and a read-only file ("Unable to
// write to <name>"). The new file keeps the old one's permissions and, where the process may
// set them, its owner and group. On any failure the target is untouched and no temporary file
// remains.
Status replaceFile(const std::string& targetHostPath, std::string_view bytes,
                   const ReplaceOptions& options = {});

// Copies a file through replaceFile, so that the copy it replaces is never truncated in place.
Status copyFile(const std::string& sourceHostPath, const std::string& targetHostPath,
                const ReplaceOptions& options);

// "Unable to write to <name>": the editor's words for a file it cannot write.
std::string unableToWrite(const std::string& shownName);

}  // namespace sw::files
