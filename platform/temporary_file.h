#pragma once
// The temporary file a replacement writes: created beside the file it will replace, under a
// name that fits the file system's limit and says whose temporary it is, and removed when the
// guard goes (every failure path) or the process gets SIGINT or SIGTERM, unless it has taken
// the target's place.

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/file_io.h"
#include "platform/signal_cleanup.h"
#include "platform/status.h"

namespace sw::files {

class TemporaryFile {
 public:
  // A new, empty file, readable and writable by the owner only, in the folder of
  // `targetHostPath`. A failure's detail is the system's reason.
  static Result<TemporaryFile> createBeside(const std::string& targetHostPath);

  TemporaryFile(TemporaryFile&& other) noexcept;
  TemporaryFile& operator=(TemporaryFile&&) = delete;
  ~TemporaryFile();

  const std::string& hostPath() const { return hostPath_; }
  OpenFile& file() { return file_; }
  // The file has been renamed into the target's place: nothing is left to remove.
  void markRenamed();

 private:
  TemporaryFile(std::string hostPath, OpenFile file, SignalCleanupEntry cleanup);

  std::string hostPath_;
  OpenFile file_;
  SignalCleanupEntry cleanup_;
  bool renamed_ = false;
};

// "<target name>.<random>.tmp", with the target's name cut at a character boundary so that the
// whole has at most `nameLimit` bytes.
std::string temporaryName(std::string_view targetName, std::string_view randomTag, std::size_t nameLimit);

}  // namespace sw::files
