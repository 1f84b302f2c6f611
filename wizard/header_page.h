#pragma once
// Page 1 of the wizard: the project's description, its main properties, the runtime's interface
// options and the user environment variables, in four sections of a scrolling area. The window
// fills it from the model with ShowHeaderPage and copies it back with StoreHeaderPage; nothing
// else on the page changes the model.

#include <QList>
#include <QWidget>
#include <memory>

class QLineEdit;

namespace Ui {
class HeaderPage;
}

namespace sw {

struct Project;

class HeaderPage : public QWidget {
  Q_OBJECT

 public:
  explicit HeaderPage(QWidget* parent = nullptr);
  ~HeaderPage() override;

  // The project the page shows and stores; it must outlive the page.
  void setProject(Project& project);
  void ShowHeaderPage();
  void StoreHeaderPage();

  void scrollToTop();

  // The edits of paths, which carry the shared edit menu.
  QList<QLineEdit*> pathEdits() const;

 public slots:
  void Button8Click();
  void AdduserEnvBtClick();
  void DelUserEnvBtClick();
  void UserEnvListEdStringsChange();
  void PrRootEditBtClick();
  void PrScrShotFolderEditBtClick();
  void PrTagEditBtClick();
  void PrIconLibEditBtClick();
  void PrReadMeFileEditBtClick();
  void PrLicenseFileEditBtClick();

 private:
  std::unique_ptr<Ui::HeaderPage> ui_;
  Project* project_ = nullptr;
};

}  // namespace sw
