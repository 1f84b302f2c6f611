// Temporary file beside the target, written, synced, checked, renamed over the target.

#include "platform/file_replace.h"

#include <QRandomGenerator>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "platform/file_io.h"
#include "platform/host_path.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#else
#include <io.h>
#endif

namespace sw::files {
namespace {

namespace fs = std::filesystem;

Status writeFailure(const ReplaceOptions& options, const std::string& target, int error) {
  const std::string shown = options.shownName.empty() ? shownPath(target) : options.shownName;
  return Status::failed(Failure::System, unableToWrite(shown), systemReason(error));
}

std::string randomSuffix() {
  return std::to_string(QRandomGenerator::global()->generate64() % 1000000000ull);
}

bool writeAll(int descriptor, std::string_view bytes) {
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
#ifdef _WIN32
    const int written =
        _write(descriptor, data, left > (1u << 30) ? (1u << 30) : static_cast<unsigned>(left));
#else
    const ssize_t written = ::write(descriptor, data, left);
    if (written < 0 && errno == EINTR) continue;
#endif
    if (written <= 0) return false;
    data += written;
    left -= static_cast<std::size_t>(written);
  }
  return true;
}

bool syncToDisk(int descriptor) {
#ifdef _WIN32
  return _commit(descriptor) == 0;
#else
  return ::fsync(descriptor) == 0;
#endif
}

}  // namespace

std::string unableToWrite(const std::string& shownName) { return "Unable to write to " + shownName; }

Status replaceFile(const std::string& targetHostPath, std::string_view bytes, const ReplaceOptions& options) {
  const std::string temporary = targetHostPath + "." + randomSuffix() + ".tmp";
  Result<OpenFile> file = OpenFile::open(temporary, OpenFile::Mode::CreateNew);
  if (!file) {
    const std::string shown = options.shownName.empty() ? shownPath(targetHostPath) : options.shownName;
    return Status::failed(file.status().failure(), unableToWrite(shown), file.status().detail());
  }
  if (!writeAll(file->descriptor(), bytes) || !syncToDisk(file->descriptor())) {
    const int error = errno;
    file->close();
    std::error_code ignored;
    fs::remove(fsPath(temporary), ignored);
    return writeFailure(options, targetHostPath, error);
  }
  if (const int error = file->close()) {
    std::error_code ignored;
    fs::remove(fsPath(temporary), ignored);
    return writeFailure(options, targetHostPath, error);
  }
  if (options.verify) {
    Status verdict = options.verify(temporary);
    if (!verdict) {
      std::error_code ignored;
      fs::remove(fsPath(temporary), ignored);
      return verdict;
    }
  }
  std::error_code error;
  const fs::perms permissions = fs::status(fsPath(targetHostPath), error).permissions();
  if (!error) fs::permissions(fsPath(temporary), permissions, error);
  fs::rename(fsPath(temporary), fsPath(targetHostPath), error);
  if (error) {
    std::error_code ignored;
    fs::remove(fsPath(temporary), ignored);
    return writeFailure(options, targetHostPath, error.value());
  }
  return {};
}

Status copyFile(const std::string& sourceHostPath, const std::string& targetHostPath,
                const ReplaceOptions& options) {
  Result<std::string> bytes = readFile(sourceHostPath);
  if (!bytes) return bytes.status();
  return replaceFile(targetHostPath, *bytes, options);
}

}  // namespace sw::files
