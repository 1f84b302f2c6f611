#include "model/program_pictures.h"

#include <QImage>
#include <cstdint>
#include <string>

#include "model/builtin_pictures.h"
#include "model/paths.h"
#include "model/project.h"
#include "model/project_reader.h"
#include "platform/files.h"
#include "platform/icon_extractor.h"
#include "platform/icon_lists.h"
#include "platform/image_list.h"

namespace sw {

namespace {

// The Windows-style path of a program's icon file; empty when it has none.
std::string ProgramIconPath(const Project& project, const std::string& iconFile, const std::string& folder) {
  if (iconFile.empty()) return {};
  const std::string file = StripLeadMarker(ExpandVariables(iconFile));
  if (IsAbsolutePath(iconFile)) return file;
  return ProgramFolderPath(project, folder) + file;
}

// Appends a program's picture pair; a missing size is made from the other so that the two
// lists always grow together. Returns the small index, or the default picture.
int AppendPicturePair(Project& project, QImage small, QImage large) {
  if (small.isNull() && large.isNull()) return kDefaultProgramPicture;
  if (small.isNull()) {
    small = large.scaled(kSmallIconSize, kSmallIconSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  if (large.isNull()) {
    large = small.scaled(kLargeIconSize, kLargeIconSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  const int index = AppendSmallIcon(*project.SmallProgramImages, small, project.IconBackgroundColor);
  project.LargeProgramImages->append(large);
  return index;
}

int LibraryPicture(Project& project, std::int32_t iconNumber, const LoadContext& context) {
  const int available = context.librarySmall != nullptr ? context.librarySmall->count() : 0;
  const std::int32_t index = iconNumber < 0 ? 0 : iconNumber;
  if (index >= available) return project.BuiltinImageCount - 1;
  const int small = project.SmallProgramImages->appendCopy(*context.librarySmall, index);
  const bool largeCopied = context.libraryLarge != nullptr &&
                           project.LargeProgramImages->appendCopy(*context.libraryLarge, index) >= 0;
  if (!largeCopied) {
    // The library's small picture is already drawn on the background: scale it up as it is.
    project.LargeProgramImages->append(context.librarySmall->at(index).scaled(
        kLargeIconSize, kLargeIconSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  }
  return small;
}

}  // namespace

void ResetProgramPictureLists(Project& project) {
  project.BuiltinImageCount = kBuiltinSmallPictures;
  ImageList* small = project.SmallProgramImages;
  ImageList* large = project.LargeProgramImages;
  if (small == nullptr || large == nullptr) return;
  if (small->count() < kBuiltinSmallPictures || large->count() < kBuiltinLargePictures) {
    FillBuiltinPictures(*small, *large);
    return;
  }
  small->truncate(kBuiltinSmallPictures);
  large->truncate(kBuiltinLargePictures);
}

int LoadProgramPictures(Project& project, const std::string& iconFile, const std::string& folder,
                        std::int32_t iconNumber, LoadContext& context) {
  if (project.SmallProgramImages == nullptr || project.LargeProgramImages == nullptr) {
    return kDefaultProgramPicture;
  }
  if (iconFile.empty() && !project.Settings.CommonIconLib.empty()) {
    return LibraryPicture(project, iconNumber, context);
  }
  if (iconFile.empty() && iconNumber < 0) return kDefaultProgramPicture;
  const std::string path = ProgramIconPath(project, iconFile, folder);
  QImage small = ExtractOneIcon(path, iconNumber, true, context.icons);
  QImage large = ExtractOneIcon(path, iconNumber, false, context.icons);
  // Each program's file is parsed once per load, but its bytes are not kept past its pictures.
  if (context.icons != nullptr) context.icons->releaseBytes();
  return AppendPicturePair(project, std::move(small), std::move(large));
}

namespace {

// A copy of picture `index` appended to `list`, or of `fallback` when `index` holds none.
int appendOwnCopy(ImageList& list, int index, int fallback) {
  int copy = list.appendCopy(list, index);
  if (copy < 0) copy = list.appendCopy(list, fallback);
  return copy >= 0 ? copy : list.append(QImage());
}

}  // namespace

bool ReplaceProgramPictures(const Project& project, ImageList& small, ImageList& large, TInstallItem& program,
                            const QImage& icon16, const QImage& icon32) {
  if (icon16.isNull() && icon32.isNull()) return false;
  const bool shared = program.SmallImage < project.BuiltinImageCount || program.SmallImage >= small.count() ||
                      program.LargeImage < kBuiltinLargePictures || program.LargeImage >= large.count();
  if (shared) {
    // Both lists grow together, so that the pair's indices keep following each other.
    program.SmallImage = appendOwnCopy(small, program.SmallImage, kDefaultProgramPicture);
    program.LargeImage = appendOwnCopy(large, program.LargeImage, kDefaultLargeProgramPicture);
  }
  if (!icon16.isNull())
    small.replace(program.SmallImage,
                  SmallIconCell(small.width(), small.height(), icon16, project.IconBackgroundColor));
  if (!icon32.isNull()) large.replace(program.LargeImage, icon32);
  return true;
}

}  // namespace sw
