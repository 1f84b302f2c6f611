#pragma once
// The folder browser: the caller's title above a tree of folders, an optional checkbox that
// asks for a relative path, OK and Cancel. It stays centred on its owner when shown and
// whenever the selection changes.

#include <QDialog>
#include <QPersistentModelIndex>
#include <QString>
#include <memory>

class QFileSystemModel;

namespace Ui {
class BrowseFolderDlg;
}

namespace sw::dialogs {

class BrowseFolderDialog : public QDialog {
  Q_OBJECT

 public:
  // `browseRoot` and `startFolder` are host paths; an empty or missing browse root offers the
  // whole file system, a missing start folder preselects nothing. With `allowRelative` false the
  // checkbox is unchecked and disabled.
  BrowseFolderDialog(QWidget* owner, const QString& title, const QString& browseRoot,
                     const QString& startFolder, bool relative, bool allowRelative);
  ~BrowseFolderDialog() override;

  // The selected folder as an absolute host path without a trailing separator ("/" stays "/");
  // empty when none is selected.
  QString chosenFolder() const;
  // The checkbox's state; the incoming flag when relative paths are not allowed.
  bool isRelative() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void setUpTree(const QString& root);
  void hideSiblingsOfRoot();
  void selectStartFolder();
  void keepStartFolderInView();
  void selectionChanged();
  void centreOnOwner();

  std::unique_ptr<Ui::BrowseFolderDlg> ui_;
  QFileSystemModel* model_ = nullptr;
  // The browse root's item, the tree's only top item; invalid for the whole file system.
  QPersistentModelIndex rootItem_;
  QString startFolder_;
  bool incomingRelative_ = false;
  bool allowRelative_ = true;
  bool scrollQueued_ = false;
};

}  // namespace sw::dialogs
