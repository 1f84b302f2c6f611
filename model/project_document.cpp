#include "model/project_document.h"

#include <QDate>
#include <QLocale>

#include "model/builtin_pictures.h"
#include "model/paths.h"
#include "model/project_reader.h"
#include "model/save_step.h"
#include "platform/files.h"
#include "platform/text.h"

namespace sw {

ProjectDocument::ProjectDocument() {
  CreateProjectLists(project_);
  project_.SmallProgramImages = &small_;
  project_.LargeProgramImages = &large_;
  project_.BuiltinImageCount = kBuiltinSmallPictures;
  SetSelfVariable(project_);
  project_.EditorMode = true;
}

void ProjectDocument::fillBuiltinPictures() const {
  if (small_.count() == 0 && large_.count() == 0) FillBuiltinPictures(small_, large_);
}

ImageList& ProjectDocument::smallPictures() {
  fillBuiltinPictures();
  return small_;
}

const ImageList& ProjectDocument::smallPictures() const {
  fillBuiltinPictures();
  return small_;
}

ImageList& ProjectDocument::largePictures() {
  fillBuiltinPictures();
  return large_;
}

const ImageList& ProjectDocument::largePictures() const {
  fillBuiltinPictures();
  return large_;
}

void ProjectDocument::setIconBackgroundColor(QRgb color) {
  project_.IconBackgroundColor = color | 0xFF000000u;
}

std::string ProjectDocument::filePath() const { return ResolveProjectFileName(project_, fileName_); }

void ProjectDocument::createNew(const std::string& fileName, const std::string& rootFolder) {
  fileName_ = fileName;
  project_.ProjectRootFolder = rootFolder;
  ClearGroups(project_);
  fillBuiltinPictures();
  project_.Settings.Date = TodayShortDate();
  open_ = true;
}

void ProjectDocument::startOpening(const std::string& fileName, const std::string& rootFolder) {
  fileName_ = fileName;
  project_.ProjectRootFolder = rootFolder;
  ClearGroups(project_);
  fillBuiltinPictures();
}

Status ProjectDocument::open(const std::string& fileName, const std::string& rootFolder) {
  startOpening(fileName, rootFolder);
  Status loaded = LoadProjectIfExists(project_, filePath());
  open_ = loaded.ok();
  return loaded;
}

Status ProjectDocument::open(const std::string& fileName, const std::string& rootFolder,
                             const ProfileFile& file) {
  startOpening(fileName, rootFolder);
  Status loaded = LoadProjectFromProfile(project_, file, text::toUtf8(filePath()));
  open_ = loaded.ok();
  return loaded;
}

Status ProjectDocument::save(const std::string& fileName, const std::string& hostFile) {
  const std::string path = ResolveProjectFileName(project_, fileName);
  Status saved = SaveProjectStep(project_, path, hostFile);
  // The save made files (the backup, the project) that earlier folder listings do not show.
  files::clearPathCache();
  if (saved) fileName_ = fileName;
  return saved;
}

std::string TodayShortDate() {
  return text::fromQString(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
}

}  // namespace sw
