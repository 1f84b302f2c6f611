#include "support/special_files.h"

#include <filesystem>
#include <stdexcept>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace sw::testing {

std::string writeSparseFile(const TempDir& dir, std::string_view relative, std::string_view head,
                            std::uint64_t size) {
  const std::string path = dir.write(relative, head);
  std::filesystem::resize_file(path, size);
  return path;
}

std::string makeNamedPipe(const TempDir& dir, std::string_view relative) {
#ifdef _WIN32
  (void)dir;
  (void)relative;
  return {};
#else
  const std::string path = dir.file(relative);
  if (::mkfifo(path.c_str(), 0600) != 0) throw std::runtime_error("cannot make the pipe " + path);
  return path;
#endif
}

std::vector<UnreadableFile> unreadableFiles(const TempDir& dir, std::string_view extension,
                                            std::string_view head, std::uint64_t tooLarge) {
  const std::string suffix(extension);
  std::vector<UnreadableFile> files = {
      {"missing", dir.file("missing" + suffix), Failure::NotFound},
      {"folder", dir.path(), Failure::NotRegularFile},
      {"too large", writeSparseFile(dir, "huge" + suffix, head, tooLarge), Failure::TooLarge},
  };
  if (const std::string pipe = makeNamedPipe(dir, "pipe" + suffix); !pipe.empty())
    files.push_back({"pipe nobody writes to", pipe, Failure::NotRegularFile});
  if (std::filesystem::exists("/dev/zero")) files.push_back({"device", "/dev/zero", Failure::NotRegularFile});
  return files;
}

}  // namespace sw::testing
