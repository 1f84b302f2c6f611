// Temporary file beside the target, read back, checked, renamed over the target.

#include "model/verified_file.h"

#include <QFile>
#include <QRandomGenerator>
#include <QString>
#include <filesystem>
#include <system_error>

#include "platform/files.h"
#include "platform/host_path.h"
#include "platform/profile_reader.h"

#if defined(Q_OS_UNIX)
#include <unistd.h>
#endif

namespace sw {
namespace {

// A fresh, not yet existing name beside the target; the file is created exclusively.
bool CreateTemporaryBeside(const QString& target, QFile& file) {
  for (int attempt = 0; attempt < 16; ++attempt) {
    const QString suffix = QString::number(QRandomGenerator::global()->generate64(), 36);
    file.setFileName(target + QStringLiteral(".") + suffix + QStringLiteral(".tmp"));
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return true;
    if (file.error() != QFileDevice::OpenError || !QFile::exists(file.fileName())) return false;
  }
  return false;
}

// Bytes written and on the disk before the rename makes them the target.
bool WriteAll(QFile& file, std::string_view bytes) {
  const auto size = static_cast<qint64>(bytes.size());
  if (file.write(bytes.data(), size) != size || !file.flush()) return false;
#if defined(Q_OS_UNIX)
  if (::fsync(file.handle()) != 0) return false;
#endif
  file.close();
  return file.error() == QFileDevice::NoError;
}

}  // namespace

std::string UnableToWriteMessage(const std::string& shownPath) { return "Unable to write to " + shownPath; }

SaveResult ReplaceVerified(const std::string& hostTarget, std::string_view bytes,
                           const std::string& shownPath,
                           const std::function<SaveResult(const ProfileFile&)>& check) {
  const QString target = QString::fromStdString(hostTarget);
  const SaveResult failed{false, UnableToWriteMessage(shownPath)};
  QFile temporary;
  if (!CreateTemporaryBeside(target, temporary)) return failed;
  const std::string temporaryHost = temporary.fileName().toStdString();
  if (!WriteAll(temporary, bytes)) {
    temporary.remove();
    return failed;
  }

  bool readable = false;
  const ProfileFile written = ProfileFile::load(temporaryHost, &readable);
  SaveResult verdict = readable ? check(written) : failed;
  if (!verdict.ok) {
    QFile::remove(temporary.fileName());
    return verdict;
  }

  // The new file keeps the permissions of the one it replaces.
  if (QFile::exists(target)) temporary.setPermissions(QFile::permissions(target));
  std::error_code error;
  std::filesystem::rename(files::fsPath(temporaryHost), files::fsPath(hostTarget), error);
  files::clearPathCache();
  if (error) {
    QFile::remove(temporary.fileName());
    return failed;
  }
  return {};
}

}  // namespace sw
