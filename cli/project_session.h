#pragma once
// A project set up as the editor's main window and start page set it up, for the commands
// that load, save or create a project.

#include <string>

#include "model/project.h"
#include "platform/image_list.h"

namespace sw::cli {

class ProjectSession {
 public:
  // Creates the lists and the display pictures, sets SELF before editor mode, turns editor
  // mode on and takes `rootFolder` (absolute, 1251) as the project root folder.
  explicit ProjectSession(const std::string& rootFolder);
  ProjectSession(const ProjectSession&) = delete;
  ProjectSession& operator=(const ProjectSession&) = delete;

  // "Открыть существующий проект": ClearGroups, then LoadProjectIfExists (path in 1251).
  bool open(const std::string& projectFile);
  // "Создать новый проект" in a fresh run: ClearGroups and Date := today (short format).
  void createNew();

  Project& project() { return project_; }
  const Project& project() const { return project_; }
  const ImageList& smallPictures() const { return small_; }
  const ImageList& largePictures() const { return large_; }

 private:
  ImageList small_{16, 20};
  ImageList large_{32, 32};
  Project project_;
};

// Today's date in the system locale's short format, as 1251 text.
std::string TodayShortDate();

}  // namespace sw::cli
