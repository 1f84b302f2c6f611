// Files of the host: existence tests on Windows-style paths, delete, the drive of a path and
// the executable's folder.

#include "platform/files.h"

#include <QCoreApplication>
#include <QDir>
#include <filesystem>

#include "platform/host_path.h"
#include "platform/text.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace sw::files {
namespace {

namespace fs = std::filesystem;

fs::file_status statusOf(std::string_view windowsPath) {
  if (windowsPath.empty()) return fs::file_status(fs::file_type::not_found);
  std::error_code error;
  return fs::status(fsPath(hostPath(windowsPath)), error);
}

bool isDriveLetterPath(std::string_view path) { return path.size() >= 2 && path[1] == ':'; }
bool isUncPath(std::string_view path) { return path.size() >= 2 && path[0] == '\\' && path[1] == '\\'; }

// "\\server\share" of a UNC path: everything before the separator that follows the share.
std::string uncDrive(std::string_view path) {
  const std::size_t serverEnd = path.find('\\', 2);
  if (serverEnd == std::string_view::npos) return std::string(path);
  const std::size_t shareEnd = path.find('\\', serverEnd + 1);
  return std::string(path.substr(0, shareEnd));
}

#ifndef _WIN32
// The mount point of the file system holding the nearest existing folder of `hostAbsolute`.
std::string mountPointOf(const std::string& hostAbsolute) {
  std::error_code error;
  fs::path folder = fs::path(fsPath(hostAbsolute)).lexically_normal();
  while (!fs::is_directory(folder, error) && folder.has_relative_path()) folder = folder.parent_path();
  folder = fs::canonical(folder, error);
  if (error) return "/";
  struct stat info {};
  if (::stat(folder.c_str(), &info) != 0) return "/";
  while (folder.has_relative_path()) {
    const fs::path parent = folder.parent_path();
    struct stat parentInfo {};
    if (::stat(parent.c_str(), &parentInfo) != 0 || parentInfo.st_dev != info.st_dev) break;
    folder = parent;
  }
  return hostText(folder);
}

std::string realExecutablePath() {
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  return error ? std::string() : hostText(self);
}
#endif

}  // namespace

bool fileExists(std::string_view windowsPath) { return fs::is_regular_file(statusOf(windowsPath)); }

bool folderExists(std::string_view windowsPath) { return fs::is_directory(statusOf(windowsPath)); }

bool deleteFile(const std::string& hostPath) {
  std::error_code error;
  const fs::path path = fsPath(hostPath);
  // Like deleting a file on Windows: a folder is not removed.
  if (fs::is_directory(fs::symlink_status(path, error))) return false;
  return fs::remove(path, error) && !error;
}

std::string driveOf(std::string_view windowsPath) {
  if (isDriveLetterPath(windowsPath)) return std::string(windowsPath.substr(0, 2));
  if (isUncPath(windowsPath)) return uncDrive(windowsPath);
#ifndef _WIN32
  if (!windowsPath.empty() && windowsPath[0] == '/')
    return text::fromUtf8(mountPointOf(hostPath(windowsPath)));
#endif
  return {};
}

std::string executableFolder() {
  std::string executable;
#ifndef _WIN32
  executable = realExecutablePath();
#endif
  std::string folder;
  if (!executable.empty()) {
    folder = hostText(fs::path(fsPath(executable)).parent_path());
  } else if (QCoreApplication::instance() != nullptr) {
    folder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdString();
  }
  // The root folder keeps its only separator.
  while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
  return text::fromUtf8(folder);
}

}  // namespace sw::files
