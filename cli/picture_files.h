#pragma once
// The PNG files that `dump --pictures` and `icons --out` write: PREFIX-NNN.png in a folder
// given on the command line, named by host bytes so that no folder name is changed on the way.

#include <string>

#include "platform/status.h"

class QImage;

namespace sw::cli {

// Creates the folder (and its parents) when missing.
Status makePictureFolder(const std::string& hostFolder);
// FOLDER/PREFIX-NNN.png: the index in three digits or more.
std::string pictureFileName(const std::string& hostFolder, const char* prefix, int index);
Status writePng(const QImage& picture, const std::string& hostPath);

}  // namespace sw::cli
