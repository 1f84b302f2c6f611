#include <QImage>
#include <ostream>

#include "cli/command_support.h"
#include "cli/commands.h"
#include "cli/picture_files.h"
#include "platform/files.h"
#include "platform/icon_extractor.h"

namespace sw::cli {
namespace {

const CommandSyntax kIconsSyntax{"icons", "icons FILE [--out OUTDIR]", {"out"}, {}, 1};

// Writes one picture; a missing picture (a broken image in the file) is reported, not written.
Status writeIcon(const QImage& icon, const std::string& folder, const char* prefix, int index,
                 std::ostream& err) {
  if (icon.isNull()) {
    reportError(err, "icons", "icon " + std::to_string(index) + " has no " + prefix + " picture");
    return {};
  }
  return writePng(icon, pictureFileName(folder, prefix, index));
}

}  // namespace

int runIcons(const Arguments& args, std::ostream& out, std::ostream& err) {
  ParsedOptions parsed;
  if (!parseCommand(kIconsSyntax, args, parsed, err)) return kExitUsage;

  // The file is found as the editor finds it: a model path, letter case resolved on POSIX.
  const std::string file = modelPath(parsed.positional.front());
  if (!files::fileExists(file) && !files::folderExists(file)) {
    reportError(err, "icons", "no such file: " + absolutePath(parsed.positional.front()));
    return kExitUsage;
  }
  // A folder, like a file without icons, has none; a file that cannot be read is an error.
  IconSource source;
  if (files::fileExists(file)) {
    Result<IconSource> opened = IconSource::open(files::hostPath(file));
    if (!opened) {
      reportError(err, "icons", "", opened.status());
      return kExitUsage;
    }
    source = std::move(opened).value();
  }
  out << source.count() << '\n';
  out.flush();

  const auto outOption = parsed.values.find("out");
  if (outOption == parsed.values.end()) return kExitOk;
  const std::string folder = absolutePath(outOption->second);
  if (Status made = makePictureFolder(folder); !made) {
    reportError(err, "icons", "", made);
    return kExitUsage;
  }
  for (int i = 0; i < source.count(); ++i) {
    Status written = writeIcon(source.extract(i, kSmallIconSize), folder, "small", i, err);
    if (written) written = writeIcon(source.extract(i, kLargeIconSize), folder, "large", i, err);
    if (!written) {
      reportError(err, "icons", "", written);
      return kExitUsage;
    }
  }
  return kExitOk;
}

}  // namespace sw::cli
