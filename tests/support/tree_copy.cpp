#include "support/tree_copy.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace sw::testing {

bool copyTree(const std::string& from, const std::string& to) {
  const QDir source(QString::fromStdString(from));
  const QDir target(QString::fromStdString(to));
  if (!target.mkpath(QStringLiteral("."))) return false;
  QDirIterator entries(source.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                       QDirIterator::Subdirectories);
  while (entries.hasNext()) {
    const QFileInfo entry(entries.next());
    const QString copy = target.filePath(source.relativeFilePath(entry.filePath()));
    const bool copied = entry.isDir()
                            ? target.mkpath(copy)
                            : target.mkpath(QFileInfo(copy).path()) && QFile::copy(entry.filePath(), copy);
    if (!copied) return false;
  }
  return true;
}

}  // namespace sw::testing
