// The one place where the core opens files for reading, and whole-file reads on top of it.

#include "platform/file_io.h"

#include <cerrno>
#include <filesystem>
#include <limits>

#include "platform/host_path.h"
#include "platform/text.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace sw::files {
namespace {

#ifdef _WIN32
int openDescriptor(const std::string& hostPath, OpenFile::Mode mode) {
  const std::wstring wide = fsPath(hostPath).wstring();
  int descriptor = -1;
  if (mode == OpenFile::Mode::Read) {
    _wsopen_s(&descriptor, wide.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT, _SH_DENYNO, 0);
  } else {
    _wsopen_s(&descriptor, wide.c_str(), _O_WRONLY | _O_BINARY | _O_CREAT | _O_EXCL | _O_NOINHERIT,
              _SH_DENYNO, _S_IREAD | _S_IWRITE);
  }
  return descriptor;
}

bool isRegular(int descriptor, std::uint64_t* size) {
  struct _stat64 info {};
  if (_fstat64(descriptor, &info) != 0) return false;
  if (size) *size = static_cast<std::uint64_t>(info.st_size);
  return (info.st_mode & _S_IFMT) == _S_IFREG;
}

long long readSome(int descriptor, char* into, std::size_t count) {
  const unsigned chunk = count > (1u << 30) ? (1u << 30) : static_cast<unsigned>(count);
  return _read(descriptor, into, chunk);
}

int closeDescriptor(int descriptor) { return _close(descriptor); }
#else
int openDescriptor(const std::string& hostPath, OpenFile::Mode mode) {
  // O_NONBLOCK: opening a pipe or a terminal for reading must not wait for a writer; the
  // descriptor is refused below before anything is read from it.
  const int flags = mode == OpenFile::Mode::Read ? O_RDONLY | O_NONBLOCK | O_CLOEXEC
                                                 : O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC;
  int descriptor;
  do {
    descriptor = ::open(fsPath(hostPath).c_str(), flags, 0600);
  } while (descriptor < 0 && errno == EINTR);
  if (descriptor >= 0 && mode == OpenFile::Mode::Read) {
    const int status = ::fcntl(descriptor, F_GETFL);
    if (status >= 0) ::fcntl(descriptor, F_SETFL, status & ~O_NONBLOCK);
  }
  return descriptor;
}

bool isRegular(int descriptor, std::uint64_t* size) {
  struct stat info {};
  if (::fstat(descriptor, &info) != 0) return false;
  if (size) *size = static_cast<std::uint64_t>(info.st_size);
  return S_ISREG(info.st_mode);
}

long long readSome(int descriptor, char* into, std::size_t count) {
  ssize_t got;
  do {
    got = ::read(descriptor, into, count);
  } while (got < 0 && errno == EINTR);
  return got;
}

int closeDescriptor(int descriptor) { return ::close(descriptor); }
#endif

Status cannotRead(const std::string& hostPath, Failure failure, std::string detail) {
  return Status::failed(failure, "Cannot read " + shownPath(hostPath), std::move(detail));
}

Status tooLarge(const std::string& hostPath, std::uint64_t size, std::uint64_t maxBytes) {
  return cannotRead(hostPath, Failure::TooLarge,
                    "the file has " + std::to_string(size) + " bytes, more than the " +
                        std::to_string(maxBytes) + " that are read");
}

// Opens a file for reading and checks what it is and how large.
Result<OpenFile> openForReading(const std::string& hostPath, std::uint64_t maxBytes, std::uint64_t& size) {
  Result<OpenFile> file = OpenFile::open(hostPath, OpenFile::Mode::Read);
  if (!file) return file.status();
  size = file->size();
  if (size > maxBytes) return tooLarge(hostPath, size, maxBytes);
  return file;
}

}  // namespace

Result<OpenFile> OpenFile::open(const std::string& hostPath, Mode mode) {
  if (hostPath.empty()) return cannotRead(hostPath, Failure::NotFound, systemReason(ENOENT));
  const int descriptor = openDescriptor(hostPath, mode);
  if (descriptor < 0) {
    const int error = errno;
    const Failure failure = error == ENOENT   ? Failure::NotFound
                            : error == EISDIR ? Failure::NotRegularFile
                                              : Failure::System;
    const std::string verb = mode == Mode::Read ? "Cannot read " : "Cannot create ";
    return Status::failed(failure, verb + shownPath(hostPath), systemReason(error));
  }
  OpenFile file(descriptor);
  if (!isRegular(descriptor, nullptr)) {
    return Status::failed(Failure::NotRegularFile, "Cannot read " + shownPath(hostPath),
                          "not a regular file");
  }
  return file;
}

OpenFile::~OpenFile() { close(); }

OpenFile::OpenFile(OpenFile&& other) noexcept : descriptor_(other.release()) {}

OpenFile& OpenFile::operator=(OpenFile&& other) noexcept {
  if (this != &other) {
    close();
    descriptor_ = other.release();
  }
  return *this;
}

std::uint64_t OpenFile::size() const {
  std::uint64_t size = 0;
  if (descriptor_ >= 0) isRegular(descriptor_, &size);
  return size;
}

int OpenFile::release() {
  const int descriptor = descriptor_;
  descriptor_ = -1;
  return descriptor;
}

int OpenFile::close() {
  if (descriptor_ < 0) return 0;
  const int result = closeDescriptor(descriptor_);
  const int error = result == 0 ? 0 : errno;
  descriptor_ = -1;
  return error;
}

Result<std::string> readFile(const std::string& hostPath, std::uint64_t maxBytes) {
  std::uint64_t size = 0;
  Result<OpenFile> file = openForReading(hostPath, maxBytes, size);
  if (!file) return file.status();
  if (size > std::numeric_limits<std::size_t>::max()) return tooLarge(hostPath, size, maxBytes);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  std::size_t filled = 0;
  // One read normally does it; the loop only serves systems that hand out less at a time.
  while (filled < bytes.size()) {
    const long long got = readSome(file->descriptor(), bytes.data() + filled, bytes.size() - filled);
    if (got < 0) return cannotRead(hostPath, Failure::System, systemReason(errno));
    if (got == 0) break;  // the file shrank since its size was asked
    filled += static_cast<std::size_t>(got);
  }
  bytes.resize(filled);
  return bytes;
}

FileBytes::FileBytes(std::string owned) : owned_(std::move(owned)), view_(owned_) {}
FileBytes::~FileBytes() = default;

FileBytes::FileBytes(FileBytes&& other) noexcept
    : mapping_(std::move(other.mapping_)), owned_(std::move(other.owned_)) {
  view_ = mapping_ ? other.view_ : std::string_view(owned_);
  other.view_ = {};
}

FileBytes& FileBytes::operator=(FileBytes&& other) noexcept {
  if (this != &other) {
    mapping_ = std::move(other.mapping_);
    owned_ = std::move(other.owned_);
    view_ = mapping_ ? other.view_ : std::string_view(owned_);
    other.view_ = {};
  }
  return *this;
}

Result<FileBytes> mapFile(const std::string& hostPath, std::uint64_t maxBytes) {
  std::uint64_t size = 0;
  Result<OpenFile> file = openForReading(hostPath, maxBytes, size);
  if (!file) return file.status();
  if (size == 0) return FileBytes();
  auto mapping = std::make_unique<QFile>();
  // QFile maps through the descriptor opened here, so the name never passes through Qt.
  if (mapping->open(file->descriptor(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    file->release();
    if (size <= static_cast<std::uint64_t>(std::numeric_limits<qint64>::max())) {
      if (uchar* data = mapping->map(0, static_cast<qint64>(size))) {
        FileBytes bytes;
        bytes.view_ = std::string_view(reinterpret_cast<const char*>(data), static_cast<std::size_t>(size));
        bytes.mapping_ = std::move(mapping);
        return bytes;
      }
    }
  }
  Result<std::string> read = readFile(hostPath, maxBytes);
  if (!read) return read.status();
  return FileBytes(std::move(read).value());
}

std::string shownPath(const std::string& hostPath) {
  // UTF-8 stays as it is; a byte that is not UTF-8 (a name copied raw from a Windows disc)
  // shows as the 1251 character it most likely is.
  const std::string_view bytes = hostPath;
  std::string shown;
  shown.reserve(bytes.size());
  for (std::size_t pos = 0; pos < bytes.size();) {
    const std::size_t start = pos;
    const bool invalid = text::nextUtf8(bytes, pos) == 0xFFFD && pos == start + 1;
    if (invalid) {
      shown += text::toUtf8(text::fromHostName(bytes.substr(start, 1)));
    } else {
      shown += bytes.substr(start, pos - start);
    }
  }
  return shown;
}

}  // namespace sw::files
