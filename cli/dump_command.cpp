#include <ostream>

#include "cli/command_support.h"
#include "cli/commands.h"
#include "cli/picture_files.h"
#include "cli/project_json.h"
#include "model/project_document.h"
#include "platform/image_list.h"

namespace sw::cli {
namespace {

const CommandSyntax kDumpSyntax{
    "dump", "dump PROJECT --root DIR [--pictures OUTDIR]", {"root", "pictures"}, {"root"}, 1};

// Every slot of the list as PREFIX-NNN.png.
Status writePictures(const ImageList& list, const char* prefix, const std::string& folder) {
  for (int index = 0; index < list.count(); ++index) {
    if (Status written = writePng(list.at(index), pictureFileName(folder, prefix, index)); !written) {
      return written;
    }
  }
  return {};
}

}  // namespace

int runDump(const Arguments& args, std::ostream& out, std::ostream& err) {
  ParsedOptions parsed;
  if (!parseCommand(kDumpSyntax, args, parsed, err)) return kExitUsage;

  const auto pictures = parsed.values.find("pictures");
  const bool withPictures = pictures != parsed.values.end();
  const std::string pictureFolder = withPictures ? absolutePath(pictures->second) : std::string();
  if (withPictures) {
    if (Status made = makePictureFolder(pictureFolder); !made) {
      reportError(err, "dump", "", made);
      return kExitUsage;
    }
  }

  ProjectDocument document;
  const Status loaded =
      document.open(modelPath(parsed.positional.front()), modelPath(parsed.values.at("root")));
  WriteProjectJson(out, document.project(), loaded.ok());
  out.flush();

  if (withPictures) {
    Status written = writePictures(document.smallPictures(), "small", pictureFolder);
    if (written) written = writePictures(document.largePictures(), "large", pictureFolder);
    if (!written) {
      reportError(err, "dump", "", written);
      return kExitUsage;
    }
  }
  if (!loaded) {
    reportError(err, "dump", "the project did not load: ", loaded);
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace sw::cli
