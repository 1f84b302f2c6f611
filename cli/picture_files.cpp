#include "cli/picture_files.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <cstdio>
#include <filesystem>

#include "platform/file_io.h"
#include "platform/file_replace.h"
#include "platform/host_path.h"

namespace sw::cli {

Status makePictureFolder(const std::string& hostFolder) {
  std::error_code error;
  std::filesystem::create_directories(files::fsPath(hostFolder), error);
  if (!error && std::filesystem::is_directory(files::fsPath(hostFolder), error)) return {};
  return Status::failed(Failure::System, "cannot create the folder " + files::shownPath(hostFolder),
                        error ? error.message() : "a file of that name is in the way");
}

std::string pictureFileName(const std::string& hostFolder, const char* prefix, int index) {
  char name[32];
  std::snprintf(name, sizeof name, "%s-%03d.png", prefix, index);
  return hostFolder + "/" + name;
}

Status writePng(const QImage& picture, const std::string& hostPath) {
  QByteArray encoded;
  QBuffer buffer(&encoded);
  buffer.open(QIODevice::WriteOnly);
  if (!picture.save(&buffer, "PNG")) {
    return Status::failed(Failure::System, "cannot write " + files::shownPath(hostPath),
                          "the PNG encoder failed");
  }
  files::ReplaceOptions options;
  options.shownName = files::shownPath(hostPath);
  options.durable = false;
  return files::replaceFile(
      hostPath, std::string_view(encoded.constData(), static_cast<std::size_t>(encoded.size())), options);
}

}  // namespace sw::cli
