#pragma once
// Reads an INI file the way the Windows private-profile functions do: the file is parsed
// once into an index, and every query is a hash lookup. All names and values are code page
// 1251 bytes; files with a UTF-8 or UTF-16 byte-order mark are converted to 1251 on load.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/status.h"

namespace sw {

// Buffer sizes of the profile calls the runtime makes.
inline constexpr std::size_t kProfileListBufferSize = 16384;
inline constexpr std::size_t kProfileValueBufferSize = 2048;

// A name list as the buffer-based call returns it: `count` is the call's return value,
// `names` what the first `count` bytes of the buffer hold, split at each zero byte.
struct ProfileList {
  std::size_t count = 0;
  std::vector<std::string> names;
};

// A value as the buffer-based call returns it (`value.size()` is the returned length).
struct ProfileValue {
  std::string value;
};

class ProfileFile {
 public:
  ProfileFile();
  ~ProfileFile();
  ProfileFile(ProfileFile&&) noexcept;
  ProfileFile& operator=(ProfileFile&&) noexcept;

  // Parses raw file bytes (time linear in their size).
  static ProfileFile fromBytes(std::string_view bytes);
  // Reads a file given as a host path with one read of its exact size, and parses it. Fails
  // with NotFound for a missing file, NotRegularFile for a folder, pipe or device (never
  // waiting on one), TooLarge above 1 GiB (never a file cut short), System otherwise.
  static Result<ProfileFile> read(const std::string& hostPath);

  // The three calls of the runtime, with its buffer sizes. A null default stands for a NULL
  // pointer passed as the default.
  ProfileList sectionList() const;
  ProfileList keyList(std::string_view section, std::optional<std::string_view> defaultText = "") const;
  ProfileValue value(std::string_view section, std::string_view key,
                     std::optional<std::string_view> defaultText) const;

  // Conveniences for the model, answering exactly as the calls above.
  std::string readString(std::string_view section, std::string_view key, std::string_view defaultText) const;
  std::vector<std::string> sectionNames() const;
  std::vector<std::string> keyNames(std::string_view section) const;
  // A section exists for the runtime when its key list is not empty.
  bool sectionExists(std::string_view section) const;

 private:
  static ProfileFile parse(std::string bytes);

  struct Index;
  std::unique_ptr<Index> index_;
};

}  // namespace sw
