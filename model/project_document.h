#pragma once
// The project the editor's window and the command line work on: the model with its two display
// picture lists and the colour small icons are drawn on, the project root folder and file
// name, and the three things both do with a project: create a new one, open one, save it.

#include <QColor>
#include <string>

#include "model/project.h"
#include "platform/image_list.h"
#include "platform/status.h"

namespace sw {

class ProfileFile;

class ProjectDocument {
 public:
  // A document as the editor's window starts one: empty lists, the built-in pictures handed to
  // the model, SELF set (to the program's folder, before editor mode), editor mode on. The
  // pictures are drawn into the lists when first needed, which keeps the window's start quick.
  ProjectDocument();
  ProjectDocument(const ProjectDocument&) = delete;
  ProjectDocument& operator=(const ProjectDocument&) = delete;

  Project& project() { return project_; }
  const Project& project() const { return project_; }
  ImageList& smallPictures();
  const ImageList& smallPictures() const;
  ImageList& largePictures();
  const ImageList& largePictures() const;

  // The program tree's background, on which small icons are drawn; set it before a load.
  QRgb iconBackgroundColor() const { return project_.IconBackgroundColor; }
  void setIconBackgroundColor(QRgb color);

  // ProjectRootFolder and ProjectFileName (1251): the names as the user gave them.
  const std::string& rootFolder() const { return project_.ProjectRootFolder; }
  const std::string& fileName() const { return fileName_; }
  // The file the name stands for: a name without a folder lives in the root folder.
  std::string filePath() const;
  // A project was created or loaded, and no load has failed since.
  bool isOpen() const { return open_; }

  // "Создать новый проект": takes the names, clears the groups and dates the project today;
  // every other setting keeps its value.
  void createNew(const std::string& fileName, const std::string& rootFolder);
  // "Открыть существующий проект": takes the names, clears the groups and loads the file when
  // it exists. The status says why a project did not load.
  Status open(const std::string& fileName, const std::string& rootFolder);
  // The same for a file its caller has read and parsed already (a check that reads the file's
  // lines too); `fileName` must name that file.
  Status open(const std::string& fileName, const std::string& rootFolder, const ProfileFile& file);
  // The save step to `fileName`: the ".bak" copy, renumbering, the checked replacement of the
  // file. Only a save that succeeded makes `fileName` the document's file name.
  // `hostFile`, when given, is the exact host name of `fileName` (the command line knows it).
  Status save(const std::string& fileName, const std::string& hostFile = {});

 private:
  void fillBuiltinPictures() const;
  // Takes the names and clears the groups, as both ways of opening do first.
  void startOpening(const std::string& fileName, const std::string& rootFolder);

  mutable ImageList small_{kSmallPictureWidth, kSmallPictureHeight};
  mutable ImageList large_{kLargePictureSize, kLargePictureSize};
  Project project_;
  std::string fileName_;
  bool open_ = false;
};

// Today's date in the system locale's short format, as 1251 text.
std::string TodayShortDate();

}  // namespace sw
