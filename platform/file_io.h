#pragma once
// Opening and reading files. Every file of the core is opened here, by its host path (UTF-8 on
// Windows, the host's own bytes on POSIX), so that no other code meets the differences of the
// systems' file names. Readers take regular files only and never more than they are allowed.

#include <QFile>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/status.h"

namespace sw::files {

// An open file descriptor, closed with the object.
class OpenFile {
 public:
  enum class Mode {
    Read,       // an existing file, read only
    CreateNew,  // a new file that must not exist yet, write only, readable by the owner only
  };
  // Opens a regular file: a folder, device, pipe or socket is refused (NotRegularFile) before
  // anything could block on it.
  static Result<OpenFile> open(const std::string& hostPath, Mode mode);

  OpenFile() = default;
  ~OpenFile();
  OpenFile(OpenFile&& other) noexcept;
  OpenFile& operator=(OpenFile&& other) noexcept;

  int descriptor() const { return descriptor_; }
  // The size the system reports now.
  std::uint64_t size() const;
  // Gives the descriptor up: it is no longer closed by this object.
  int release();
  // Closes now and tells whether the system reported an error (a write may only fail here).
  int close();

 private:
  explicit OpenFile(int descriptor) : descriptor_(descriptor) {}
  int descriptor_ = -1;
};

// The whole of a regular file, read with one read of its exact size. NotFound for a missing
// file, NotRegularFile for anything else, TooLarge above `maxBytes`.
inline constexpr std::uint64_t kMaxReadBytes = std::uint64_t{1} << 30;
Result<std::string> readFile(const std::string& hostPath, std::uint64_t maxBytes = kMaxReadBytes);

// The bytes of a regular file, mapped into memory so that only the pages a parser touches are
// read; where the system cannot map the file, it is read once instead.
class FileBytes {
 public:
  FileBytes() = default;
  explicit FileBytes(std::string owned);
  ~FileBytes();
  FileBytes(FileBytes&&) noexcept;
  FileBytes& operator=(FileBytes&&) noexcept;

  std::string_view bytes() const { return view_; }
  bool mapped() const { return mapping_ != nullptr; }

 private:
  friend Result<FileBytes> mapFile(const std::string& hostPath, std::uint64_t maxBytes);
  std::unique_ptr<QFile> mapping_;  // keeps the mapping alive
  std::string owned_;
  std::string_view view_;
};

Result<FileBytes> mapFile(const std::string& hostPath, std::uint64_t maxBytes);

// A host path as people read it in messages (UTF-8).
std::string shownPath(const std::string& hostPath);

}  // namespace sw::files
