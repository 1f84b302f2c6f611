#include "platform/temporary_file.h"

#include <QRandomGenerator>
#include <cstdint>
#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/host_path.h"
#include "platform/text.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace sw::files {
namespace {

namespace fs = std::filesystem;

// NAME_MAX of the common file systems; a file system that reports less gets less.
constexpr std::size_t kNameLimit = 255;
constexpr std::size_t kRandomLength = 8;
// A name can only be taken by another writer's temporary file, so a few tries always do.
constexpr int kCreateAttempts = 16;

#ifdef _WIN32
constexpr std::string_view kSeparators = "/\\";
#else
constexpr std::string_view kSeparators = "/";
#endif

// The longest start of `name` of at most `limit` bytes that ends between two characters; a
// byte that belongs to no UTF-8 character (a raw 1251 name) is a character of its own.
std::size_t characterBoundaryAtMost(std::string_view name, std::size_t limit) {
  std::size_t boundary = 0;
  for (std::size_t pos = 0; pos < name.size();) {
    text::nextUtf8(name, pos);
    if (pos > limit) break;
    boundary = pos;
  }
  return boundary;
}

std::string randomTag() {
  static constexpr std::string_view kDigits = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::uint64_t value = QRandomGenerator::global()->generate64();
  std::string tag;
  for (std::size_t i = 0; i < kRandomLength; ++i) {
    tag += kDigits[value % kDigits.size()];
    value /= kDigits.size();
  }
  return tag;
}

// The longest file name the folder takes (`folder` ends with a separator or is empty).
std::size_t nameLimitIn([[maybe_unused]] const std::string& folder) {
#ifndef _WIN32
  const long limit = ::pathconf(folder.empty() ? "." : fsPath(folder).c_str(), _PC_NAME_MAX);
  if (limit > 0 && static_cast<std::size_t>(limit) < kNameLimit) return static_cast<std::size_t>(limit);
#endif
  return kNameLimit;
}

bool nameTaken(const std::string& hostPath) {
  std::error_code error;
  return fs::exists(fs::symlink_status(fsPath(hostPath), error));
}

}  // namespace

std::string temporaryName(std::string_view targetName, std::string_view randomTag, std::size_t nameLimit) {
  constexpr std::string_view kExtension = ".tmp";
  const std::size_t endingSize = 1 + randomTag.size() + kExtension.size();
  const std::size_t room = nameLimit > endingSize ? nameLimit - endingSize : 0;
  std::string name(targetName.substr(0, characterBoundaryAtMost(targetName, room)));
  name.append(".").append(randomTag).append(kExtension);
  return name;
}

Result<TemporaryFile> TemporaryFile::createBeside(const std::string& targetHostPath) {
  const std::size_t nameStart = targetHostPath.find_last_of(kSeparators) + 1;  // npos + 1 == 0
  const std::string folder = targetHostPath.substr(0, nameStart);
  const std::string_view targetName = std::string_view(targetHostPath).substr(nameStart);
  const std::size_t nameLimit = nameLimitIn(folder);
  Status failure;
  for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
    std::string path = folder + temporaryName(targetName, randomTag(), nameLimit);
    // Known to the signal handlers before the file exists, so that no instant leaves it behind.
    SignalCleanupEntry cleanup(path);
    Result<OpenFile> file = OpenFile::open(path, OpenFile::Mode::CreateNew);
    if (file) return TemporaryFile(std::move(path), std::move(file).value(), std::move(cleanup));
    failure = file.status();
    if (!nameTaken(path)) break;
  }
  return failure;
}

TemporaryFile::TemporaryFile(std::string hostPath, OpenFile file, SignalCleanupEntry cleanup)
    : hostPath_(std::move(hostPath)), file_(std::move(file)), cleanup_(std::move(cleanup)) {}

TemporaryFile::TemporaryFile(TemporaryFile&& other) noexcept
    : hostPath_(std::exchange(other.hostPath_, {})),
      file_(std::move(other.file_)),
      cleanup_(std::move(other.cleanup_)),
      renamed_(other.renamed_) {}

void TemporaryFile::markRenamed() {
  renamed_ = true;
  cleanup_ = SignalCleanupEntry();
}

TemporaryFile::~TemporaryFile() {
  file_.close();
  if (renamed_ || hostPath_.empty()) return;
  std::error_code ignored;
  fs::remove(fsPath(hostPath_), ignored);
}

}  // namespace sw::files
