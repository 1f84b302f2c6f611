// Temporary file beside the target, written, synced, checked, renamed over the target.

#include "platform/file_replace.h"

#include <QFile>
#include <cerrno>
#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/file_io.h"
#include "platform/host_path.h"
#include "platform/signal_cleanup.h"
#include "platform/temporary_file.h"
#include "platform/write_test_hook.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace sw::files {
namespace {

namespace fs = std::filesystem;
using test_hook::errorAtWriteStep;
using test_hook::WriteStep;

// Links followed before a chain counts as a loop, as the kernel's own limit.
constexpr int kMaxLinkHops = 40;
constexpr const char* kReadOnlyDetail = "the file is read-only";

// The file a replacement replaces, as it is now.
struct Target {
  std::string hostPath;   // the end of the link chain when links are followed
  bool existing = false;  // a regular file is there, whose permissions and owner carry over
#ifndef _WIN32
  mode_t mode = 0;
  uid_t owner = 0;
  gid_t group = 0;
#endif
};

Status unableTo(const std::string& shown, Failure failure, std::string detail) {
  return Status::failed(failure, unableToWrite(shown), std::move(detail));
}

Status systemFailure(const std::string& shown, int error) {
  return unableTo(shown, error == ENOENT ? Failure::NotFound : Failure::System, systemReason(error));
}

Status systemFailure(const std::string& shown, const std::error_code& error) {
#ifdef _WIN32
  return unableTo(shown, Failure::System, QString::fromLocal8Bit(error.message()).toStdString());
#else
  return systemFailure(shown, error.value());
#endif
}

std::string describe(fs::file_type type) {
  switch (type) {
    case fs::file_type::directory:
      return "it is a folder";
    case fs::file_type::character:
      return "it is a character device";
    case fs::file_type::block:
      return "it is a block device";
    case fs::file_type::fifo:
      return "it is a pipe";
    case fs::file_type::socket:
      return "it is a socket";
    default:
      return "it is not a regular file";
  }
}

// Where a chain of symbolic links ends (that file may not exist yet); a relative link counts
// from the folder of the link.
Result<std::string> endOfLinks(const std::string& hostPath, const std::string& shown) {
  std::string current = hostPath;
  for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
    const fs::path path = fsPath(current);
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(path, error))) return current;
    const fs::path destination = fs::read_symlink(path, error);
    if (error) return systemFailure(shown, error);
    current = hostText(destination.is_absolute() ? destination : path.parent_path() / destination);
  }
  return systemFailure(shown, ELOOP);
}

#ifdef _WIN32
std::string windowsReason(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  const std::string reason =
      QString::fromWCharArray(text, static_cast<qsizetype>(length)).trimmed().toStdString();
  LocalFree(text);
  return reason;
}

Result<Target> inspectRegularFile(const std::string& hostPath, const std::string& shown) {
  const DWORD attributes = GetFileAttributesW(fsPath(hostPath).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
    return unableTo(shown, Failure::ReadOnly, kReadOnlyDetail);
  return Target{hostPath, true};
}
#else
// Read-only as Windows' profile functions see it: this process may not write the file, or its
// mode has no write bit at all (which, like the read-only attribute, stops the superuser too).
Status refuseReadOnly(const std::string& hostPath, mode_t mode, const std::string& shown) {
  if ((mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return unableTo(shown, Failure::ReadOnly, kReadOnlyDetail);
  if (::faccessat(AT_FDCWD, hostPath.c_str(), W_OK, AT_EACCESS) == 0) return {};
  const int error = errno;
  if (error == EACCES || error == EPERM) return unableTo(shown, Failure::ReadOnly, kReadOnlyDetail);
  if (error == EROFS) return unableTo(shown, Failure::ReadOnly, systemReason(error));
  return systemFailure(shown, error);
}

Result<Target> inspectRegularFile(const std::string& hostPath, const std::string& shown) {
  struct stat info {};
  if (::stat(hostPath.c_str(), &info) != 0) return systemFailure(shown, errno);
  if (Status writable = refuseReadOnly(hostPath, info.st_mode, shown); !writable) return writable;
  return Target{hostPath, true, static_cast<mode_t>(info.st_mode & 07777), info.st_uid, info.st_gid};
}
#endif

// The file to replace and what it is now; refuses whatever must not be replaced.
Result<Target> locate(const std::string& targetHostPath, const ReplaceOptions& options,
                      const std::string& shown) {
  std::string hostPath = targetHostPath;
  if (options.followLinks) {
    Result<std::string> end = endOfLinks(targetHostPath, shown);
    if (!end) return end.status();
    hostPath = std::move(end).value();
  }
  std::error_code error;
  const fs::file_type type = fs::symlink_status(fsPath(hostPath), error).type();
  // Nothing there yet, or a link that is itself replaced by a regular file.
  if (type == fs::file_type::not_found || type == fs::file_type::symlink) return Target{hostPath};
  if (error) return systemFailure(shown, error);
  if (type != fs::file_type::regular) return unableTo(shown, Failure::NotRegularFile, describe(type));
  return inspectRegularFile(hostPath, shown);
}

// 0, or the errno of the first write that failed.
int writeAll(int descriptor, std::string_view bytes, const std::string& targetHostPath) {
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    if (const int injected = errorAtWriteStep(WriteStep::Write, targetHostPath)) return injected;
#ifdef _WIN32
    const int written =
        _write(descriptor, data, left > (1u << 30) ? (1u << 30) : static_cast<unsigned>(left));
#else
    const ssize_t written = ::write(descriptor, data, left);
    if (written < 0 && errno == EINTR) continue;
#endif
    if (written < 0) return errno;
    // A write that takes nothing of a non-empty buffer would repeat for ever.
    if (written == 0) return ENOSPC;
    data += written;
    left -= static_cast<std::size_t>(written);
  }
  return 0;
}

int syncToDisk(int descriptor, const std::string& targetHostPath) {
  if (const int injected = errorAtWriteStep(WriteStep::Flush, targetHostPath)) return injected;
#ifdef _WIN32
  return _commit(descriptor) == 0 ? 0 : errno;
#else
  int result;
  do {
    result = ::fsync(descriptor);
  } while (result != 0 && errno == EINTR);
  return result == 0 ? 0 : errno;
#endif
}

Status writeAndClose(TemporaryFile& temporary, std::string_view bytes, const std::string& targetHostPath,
                     const std::string& shown, bool durable) {
  OpenFile& file = temporary.file();
  if (const int error = writeAll(file.descriptor(), bytes, targetHostPath))
    return systemFailure(shown, error);
  if (durable) {
    if (const int error = syncToDisk(file.descriptor(), targetHostPath)) return systemFailure(shown, error);
  }
  // The bytes are synced already; EINTR only says that close itself was interrupted.
  if (const int error = file.close(); error != 0 && error != EINTR) return systemFailure(shown, error);
  return {};
}

#ifdef _WIN32
Status carryOverPermissions(const Target&, const std::string&, const std::string&) { return {}; }

Status renameOver(const std::string& temporary, const std::string& target, const std::string& shown,
                  bool durable) {
  const DWORD flags = MOVEFILE_REPLACE_EXISTING | (durable ? MOVEFILE_WRITE_THROUGH : 0);
  if (MoveFileExW(fsPath(temporary).c_str(), fsPath(target).c_str(), flags)) return {};
  return unableTo(shown, Failure::System, windowsReason(GetLastError()));
}
#else
// The file-creation mask. Linux shows it without changing it; elsewhere it is set and set back,
// which a file created by another thread at that instant would notice.
mode_t processUmask() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (status.open(QIODevice::ReadOnly)) {
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
      if (!line.startsWith("Umask:")) continue;
      bool ok = false;
      const unsigned mask = line.mid(6).trimmed().toUInt(&ok, 8);
      if (ok) return static_cast<mode_t>(mask & 0777);
    }
  }
  const mode_t mask = ::umask(022);
  ::umask(mask);
  return mask;
}

Status carryOverPermissions(const Target& target, const std::string& temporary, const std::string& shown) {
  if (target.existing) {
    // Owner and group carry over only where this process may give them (EPERM elsewhere).
    [[maybe_unused]] const int ownerCarried = ::chown(temporary.c_str(), target.owner, target.group);
  }
  const mode_t mode = target.existing ? target.mode : 0666 & ~processUmask();
  if (::chmod(temporary.c_str(), mode) != 0) return systemFailure(shown, errno);
  return {};
}

// The rename is only durable once the folder's entry is on the disk; some file systems cannot
// sync a folder, and the file is in place either way.
void syncFolderOf(const std::string& hostPath) {
  const std::string folder = fsPath(hostPath).parent_path().native();
  const int descriptor = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return;
  ::fsync(descriptor);
  ::close(descriptor);
}

Status renameOver(const std::string& temporary, const std::string& target, const std::string& shown,
                  bool durable) {
  if (::rename(temporary.c_str(), target.c_str()) != 0) return systemFailure(shown, errno);
  if (durable) syncFolderOf(target);
  return {};
}
#endif

Status putInPlace(TemporaryFile& temporary, const std::string& realTarget, const std::string& targetHostPath,
                  const std::string& shown, bool durable) {
  if (const int injected = errorAtWriteStep(WriteStep::Rename, targetHostPath))
    return systemFailure(shown, injected);
  Status renamed = renameOver(temporary.hostPath(), realTarget, shown, durable);
  if (renamed) temporary.markRenamed();
  return renamed;
}

std::string shownName(const std::string& targetHostPath, const ReplaceOptions& options) {
  return options.shownName.empty() ? shownPath(targetHostPath) : options.shownName;
}

}  // namespace

std::string unableToWrite(const std::string& shownName) { return "Unable to write to " + shownName; }

Status checkReplaceable(const std::string& targetHostPath, const ReplaceOptions& options) {
  return locate(targetHostPath, options, shownName(targetHostPath, options)).status();
}

Status replaceFile(const std::string& targetHostPath, std::string_view bytes, const ReplaceOptions& options) {
  const std::string shown = shownName(targetHostPath, options);
  const Result<Target> target = locate(targetHostPath, options, shown);
  if (!target) return target.status();
  prepareSignalCleanup();
  if (const int injected = errorAtWriteStep(WriteStep::Open, targetHostPath))
    return systemFailure(shown, injected);
  Result<TemporaryFile> temporary = TemporaryFile::createBeside(target->hostPath);
  if (!temporary) return unableTo(shown, temporary.status().failure(), temporary.status().detail());
  if (Status written = writeAndClose(*temporary, bytes, targetHostPath, shown, options.durable); !written)
    return written;
  if (options.verify) {
    if (Status verdict = options.verify(temporary->hostPath()); !verdict) return verdict;
  }
  if (Status kept = carryOverPermissions(*target, temporary->hostPath(), shown); !kept) return kept;
  return putInPlace(*temporary, target->hostPath, targetHostPath, shown, options.durable);
}

Status copyFile(const std::string& sourceHostPath, const std::string& targetHostPath,
                const ReplaceOptions& options) {
  Result<std::string> bytes = readFile(sourceHostPath);
  if (!bytes) return bytes.status();
  return replaceFile(targetHostPath, *bytes, options);
}

}  // namespace sw::files
