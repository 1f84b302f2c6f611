#include <QDir>
#include <QImage>
#include <QString>
#include <ostream>

#include "cli/command_support.h"
#include "cli/commands.h"
#include "platform/files.h"
#include "platform/icon_extractor.h"

namespace sw::cli {
namespace {

const CommandSyntax kIconsSyntax{"icons", "icons FILE [--out OUTDIR]", {"out"}, {}, 1};

QString iconFileName(const QDir& folder, const char* prefix, int index) {
  return folder.filePath(
      QStringLiteral("%1-%2.png").arg(QLatin1String(prefix)).arg(index, 3, 10, QLatin1Char('0')));
}

// Writes one picture; a missing picture (a broken image in the file) is reported, not written.
bool writeIcon(const QImage& icon, const QDir& folder, const char* prefix, int index, std::ostream& err) {
  const QString file = iconFileName(folder, prefix, index);
  if (icon.isNull()) {
    reportError(err, "icons", "icon " + std::to_string(index) + " has no " + prefix + " picture");
    return true;
  }
  if (!icon.save(file, "PNG")) {
    reportError(err, "icons", "cannot write " + file.toStdString());
    return false;
  }
  return true;
}

}  // namespace

int runIcons(const Arguments& args, std::ostream& out, std::ostream& err) {
  ParsedOptions parsed;
  if (!parseCommand(kIconsSyntax, args, parsed, err)) return kExitUsage;

  // The file is found as the editor finds it: a model path, letter case resolved on POSIX.
  const std::string file = modelPath(parsed.positional.front());
  const bool isFile = files::fileExists(file);
  if (!isFile && !files::folderExists(file)) {
    reportError(err, "icons", "no such file: " + absolutePath(parsed.positional.front()));
    return kExitUsage;
  }
  const IconSource source = isFile ? IconSource::fromFile(files::hostPath(file)) : IconSource();
  out << source.count() << '\n';
  out.flush();

  const auto outOption = parsed.values.find("out");
  if (outOption == parsed.values.end()) return kExitOk;
  QDir folder(QString::fromStdString(absolutePath(outOption->second)));
  if (!folder.mkpath(QStringLiteral("."))) {
    reportError(err, "icons", "cannot create the folder " + folder.path().toStdString());
    return kExitUsage;
  }
  for (int i = 0; i < source.count(); ++i) {
    if (!writeIcon(source.extract(i, kSmallIconSize), folder, "small", i, err) ||
        !writeIcon(source.extract(i, kLargeIconSize), folder, "large", i, err)) {
      return kExitUsage;
    }
  }
  return kExitOk;
}

}  // namespace sw::cli
