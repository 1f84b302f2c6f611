#include "support/temp_dir.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace sw::testing {

std::vector<std::string> namesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TempDir::TempDir() {
  if (!dir_.isValid()) throw std::runtime_error("cannot create a temporary folder");
  // Removed below, by bytes: Qt cannot name files whose names are not UTF-8.
  dir_.setAutoRemove(false);
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path(), ignored);
}

std::string TempDir::path() const { return dir_.path().toStdString(); }

std::string TempDir::file(std::string_view relative) const { return path() + "/" + std::string(relative); }

std::string TempDir::write(std::string_view relative, std::string_view bytes) const {
  const std::string target = file(relative);
  std::filesystem::create_directories(std::filesystem::path(target).parent_path());
  std::ofstream out(target, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + target);
  return target;
}

std::string TempDir::read(std::string_view relative) const {
  std::ifstream in(file(relative), std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

}  // namespace sw::testing
