#pragma once
// The one way the core replaces a file: a new file is written beside it, synced, checked, and
// renamed over it, so that the old file is either untouched or wholly replaced.

#include <functional>
#include <string>
#include <string_view>

#include "platform/status.h"

namespace sw::files {

// Every member has an initializer, so that callers may name only what they set:
// `{.followLinks = false}`.
struct ReplaceOptions {
  // A target that is a symbolic link: true replaces the file it leads to, in that file's own
  // folder, and keeps the link; false replaces the link itself by a regular file.
  bool followLinks = true;
  // How messages name the target (UTF-8); the host path when empty.
  std::string shownName{};
  // Runs on the complete, synced temporary file (its host path) before it takes the target's
  // place; a failure stops the replacement and is what replaceFile returns.
  std::function<Status(const std::string& temporaryHostPath)> verify{};
  // Outputs that can be made again (the pictures of a dump) need not wait for the disk; a
  // project file and its backup always do.
  bool durable = true;
};

// Replaces (or creates) the file at `targetHostPath`, taken literally, by `bytes`. Refuses,
// before anything is opened or written, a target that is not a regular file (NotRegularFile:
// folder, device, pipe, socket) and a read-only file (ReadOnly: the process may not write it,
// or its mode has no write bit at all), both as "Unable to write to <name>" with a detail that
// says why. The new file keeps the old one's permissions and, where the process may set them,
// its owner and group; a new file gets the permissions any new file gets. Every failure is
// "Unable to write to <name>" with the system's reason as detail (or the verify hook's
// status); the target is then untouched and no temporary file remains, also when the process
// ends by SIGINT or SIGTERM during the write.
Status replaceFile(const std::string& targetHostPath, std::string_view bytes,
                   const ReplaceOptions& options = {});

// The refusals of replaceFile alone, for a caller that must know before it prepares the bytes.
Status checkReplaceable(const std::string& targetHostPath, const ReplaceOptions& options = {});

// Makes `targetHostPath` a copy of the regular file at `sourceHostPath` the way replaceFile
// writes (the source is read whole first): an interrupted copy leaves the old target intact.
// A source that cannot be read gives readFile's failure ("Cannot read <source>").
Status copyFile(const std::string& sourceHostPath, const std::string& targetHostPath,
                const ReplaceOptions& options = {});

// "Unable to write to <name>": the editor's words for a file it cannot write.
std::string unableToWrite(const std::string& shownName);

}  // namespace sw::files
