#pragma once
// PLACEHOLDER

#include <QWidget>

namespace sw {

struct Project;

class StagesPage : public QWidget {
 public:
  explicit StagesPage(QWidget* parent = nullptr) : QWidget(parent) {}

  void setProject(Project& project) { project_ = &project; }
  void ShowStagesPage() {}
  void StoreStagesPage() {}
  void scrollToTop() {}
  void foldAtStart() {}

 private:
  Project* project_ = nullptr;
};

}  // namespace sw
