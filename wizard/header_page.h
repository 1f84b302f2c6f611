#pragma once
// PLACEHOLDER

#include <QWidget>

namespace sw {

struct Project;

class HeaderPage : public QWidget {
 public:
  explicit HeaderPage(QWidget* parent = nullptr) : QWidget(parent) {}

  void setProject(Project& project) { project_ = &project; }
  void ShowHeaderPage() {}
  void StoreHeaderPage() {}
  void scrollToTop() {}
  void foldAtStart() {}

 private:
  Project* project_ = nullptr;
};

}  // namespace sw
