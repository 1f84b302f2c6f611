#include "dialogs/file_list_fit.h"

#include <QEvent>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QListView>
#include <QSplitter>
#include <QTreeView>

namespace sw::dialogs {
namespace {

// Size, type and date; the name column keeps the width the user gives it.
constexpr int kFirstDetailColumn = 1;
constexpr int kLastDetailColumn = 3;

class SideBarFit : public QObject {
 public:
  SideBarFit(QFileDialog& dialog, QListView& sideBar, QSplitter& splitter)
      : QObject(&dialog), sideBar_(sideBar), splitter_(splitter) {
    dialog.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) widen();
    return QObject::eventFilter(watched, event);
  }

 private:
  void widen() {
    QList<int> sizes = splitter_.sizes();
    if (sizes.size() < 2) return;
    const int needed = sideBar_.sizeHintForColumn(0) + 2 * sideBar_.frameWidth() + 4;
    const int extra = needed - sizes[0];
    // The file list keeps most of the width: the side bar takes at most a third of it.
    if (extra <= 0 || sizes[1] - extra < 2 * needed) return;
    sizes[0] += extra;
    sizes[1] -= extra;
    splitter_.setSizes(sizes);
  }

  QListView& sideBar_;
  QSplitter& splitter_;
};

}  // namespace

void fitFileLists(QFileDialog& dialog) {
  auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
  auto* files = dialog.findChild<QFileSystemModel*>();
  if (details != nullptr && files != nullptr) {
    QObject::connect(files, &QFileSystemModel::directoryLoaded, details, [details] {
      for (int column = kFirstDetailColumn; column <= kLastDetailColumn; ++column)
        details->resizeColumnToContents(column);
    });
  }
  auto* sideBar = dialog.findChild<QListView*>(QStringLiteral("sidebar"));
  auto* splitter = dialog.findChild<QSplitter*>(QStringLiteral("splitter"));
  if (sideBar != nullptr && splitter != nullptr) new SideBarFit(dialog, *sideBar, *splitter);
}

}  // namespace sw::dialogs
