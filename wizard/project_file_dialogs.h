#pragma once
// The open and save dialogs for project files (`OpenIniDialog`, `SaveIniDialog`), made when
// first needed: a file dialog costs more to build than the rest of the window's start.

#include <QString>

class QFileDialog;
class QWidget;

namespace sw {

class ProjectFileDialogs {
 public:
  explicit ProjectFileDialogs(QWidget& owner) : owner_(owner) {}

  QFileDialog& open();
  QFileDialog& save();

 private:
  QWidget& owner_;
  QFileDialog* open_ = nullptr;
  QFileDialog* save_ = nullptr;
};

}  // namespace sw
