#include <QDir>
#include <QImage>
#include <QString>
#include <ostream>

#include "cli/command_support.h"
#include "cli/commands.h"
#include "cli/project_json.h"
#include "cli/project_session.h"
#include "platform/image_list.h"

namespace sw::cli {
namespace {

const CommandSyntax kDumpSyntax{
    "dump", "dump PROJECT --root DIR [--pictures OUTDIR]", {"root", "pictures"}, {"root"}, 1};

QString pictureFileName(const QDir& folder, const char* prefix, int index) {
  return folder.filePath(
      QStringLiteral("%1-%2.png").arg(QLatin1String(prefix)).arg(index, 3, 10, QLatin1Char('0')));
}

// Every slot of the list as PREFIX-NNN.png; false (with a message) when a file cannot be written.
bool writePictures(const ImageList& list, const char* prefix, const QDir& folder, std::ostream& err) {
  for (int index = 0; index < list.count(); ++index) {
    const QString file = pictureFileName(folder, prefix, index);
    if (!list.at(index).save(file, "PNG")) {
      reportError(err, "dump", "cannot write " + file.toStdString());
      return false;
    }
  }
  return true;
}

}  // namespace

int runDump(const Arguments& args, std::ostream& out, std::ostream& err) {
  ParsedOptions parsed;
  if (!parseCommand(kDumpSyntax, args, parsed, err)) return kExitUsage;

  QDir pictureFolder;
  const auto pictures = parsed.values.find("pictures");
  const bool withPictures = pictures != parsed.values.end();
  if (withPictures) {
    pictureFolder.setPath(QString::fromStdString(absolutePath(pictures->second)));
    if (!pictureFolder.mkpath(QStringLiteral("."))) {
      reportError(err, "dump", "cannot create the folder " + pictureFolder.path().toStdString());
      return kExitUsage;
    }
  }

  ProjectSession session(modelPath(parsed.values.at("root")));
  const bool loaded = session.open(modelPath(parsed.positional.front()));
  WriteProjectJson(out, session.project(), loaded);
  out.flush();

  if (withPictures && !(writePictures(session.smallPictures(), "small", pictureFolder, err) &&
                        writePictures(session.largePictures(), "large", pictureFolder, err))) {
    return kExitUsage;
  }
  if (!loaded) {
    reportError(err, "dump", "the project did not load: " + parsed.positional.front());
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace sw::cli
