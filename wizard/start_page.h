#pragma once
// The start page: a new project, the last one or any existing one, with the project's file name
// and root folder. It only collects them and says when they are complete (the window enables
// Next); the choice takes effect when the window leaves the page.

#include <QWidget>
#include <memory>
#include <string>

namespace Ui {
class StartPage;
}

namespace sw {

class ProjectFileDialogs;

class StartPage : public QWidget {
  Q_OBJECT

 public:
  enum class Choice { None, NewProject, LastProject, OpenProject };

  explicit StartPage(QWidget* parent = nullptr);
  ~StartPage() override;

  // The window's open and save dialogs for project files, and what it remembers of the last
  // project (1251; `lastExists`: its file is there, so it may be chosen).
  void setProjectDialogs(ProjectFileDialogs* dialogs);
  void setLastProject(const std::string& file, const std::string& rootFolder, bool lastExists);
  // A project given on the command line: "open an existing project" with its names filled in.
  void preselectProject(const QString& file, const QString& rootFolder);

  Choice choice() const;
  QString fileName() const;
  QString rootFolder() const;
  // Both names are given, so Next may be pressed.
  bool isComplete() const;

 signals:
  void completeChanged(bool complete);

 public slots:
  void NewProjectRbClick();
  void OpenProjectRbClick();
  void LastProjectRbClick();
  void FileNameEditChange();
  void RootFolderEditChange();
  void SelFileBtClick();
  void RootFolderEditBtClick();

 private:
  void applyEnablingRule();

  std::unique_ptr<Ui::StartPage> ui_;
  ProjectFileDialogs* projectDialogs_ = nullptr;
  std::string lastProject_;
  std::string lastRootDir_;
};

}  // namespace sw
