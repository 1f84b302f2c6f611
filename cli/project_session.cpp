#include "cli/project_session.h"

#include <QDate>
#include <QLocale>

#include "model/builtin_pictures.h"
#include "model/paths.h"
#include "model/save_step.h"
#include "platform/text.h"

namespace sw::cli {

ProjectSession::ProjectSession(const std::string& rootFolder) {
  CreateProjectLists(project_);
  FillBuiltinPictures(small_, large_);
  project_.SmallProgramImages = &small_;
  project_.LargeProgramImages = &large_;
  project_.BuiltinImageCount = small_.count();
  SetSelfVariable(project_);
  project_.EditorMode = true;
  project_.ProjectRootFolder = rootFolder;
}

bool ProjectSession::open(const std::string& projectFile) {
  ClearGroups(project_);
  return LoadProjectIfExists(project_, projectFile);
}

void ProjectSession::createNew() {
  ClearGroups(project_);
  project_.Settings.Date = TodayShortDate();
}

std::string TodayShortDate() {
  return text::fromQString(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
}

}  // namespace sw::cli
