#pragma once
// A temporary folder for one test, removed with its contents when the object goes.

#include <QTemporaryDir>
#include <string>
#include <string_view>
#include <vector>

namespace sw::testing {

// The names in a folder (host bytes), sorted.
std::vector<std::string> namesIn(const std::string& folder);

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  // Host path of the folder, without trailing separator.
  std::string path() const;
  // Host path of a file below the folder ('/'-separated relative name).
  std::string file(std::string_view relative) const;
  // Writes bytes to a file below the folder, creating its folders; returns its host path.
  std::string write(std::string_view relative, std::string_view bytes) const;
  std::string read(std::string_view relative) const;

 private:
  QTemporaryDir dir_;
};

}  // namespace sw::testing
