#include "dialogs/browse_folder_dialog.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGuiApplication>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>

#include "ui_browse_folder_dialog.h"

namespace sw::dialogs {
namespace {

#ifdef _WIN32
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseSensitive;
#endif

// The absolute, cleaned path of an existing folder; empty for anything else.
QString existingFolder(const QString& hostPath) {
  if (hostPath.isEmpty()) return {};
  const QFileInfo info(hostPath);
  return info.isDir() ? QDir::cleanPath(info.absoluteFilePath()) : QString();
}

bool isSameOrInside(const QString& folder, const QString& root) {
  if (root.isEmpty() || folder.compare(root, kPathCase) == 0) return true;
  const QString prefix = root.endsWith(u'/') ? root : root + u'/';
  return folder.startsWith(prefix, kPathCase);
}

// The selection keeps its colours when the tree loses the focus, so the choice stays visible.
void showSelectionAlways(QWidget& view) {
  QPalette palette = view.palette();
  for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
    palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
  view.setPalette(palette);
}

}  // namespace

BrowseFolderDialog::BrowseFolderDialog(QWidget* owner, const QString& title, const QString& browseRoot,
                                       const QString& startFolder, bool relative, bool allowRelative)
    : QDialog(owner),
      ui_(std::make_unique<Ui::BrowseFolderDlg>()),
      incomingRelative_(relative),
      allowRelative_(allowRelative) {
  ui_->setupUi(this);
  ui_->FolderTitleLabel->setText(title);
  ui_->RelativePathCb->setChecked(allowRelative && relative);
  ui_->RelativePathCb->setEnabled(allowRelative);
  connect(ui_->OkBt, &QPushButton::clicked, this, &QDialog::accept);
  connect(ui_->CancelBt, &QPushButton::clicked, this, &QDialog::reject);

  const QString root = existingFolder(browseRoot);
  setUpTree(root);
  const QString start = existingFolder(startFolder);
  if (!start.isEmpty() && isSameOrInside(start, root)) startFolder_ = start;
  selectStartFolder();
  ui_->OkBt->setEnabled(ui_->FolderTree->selectionModel()->hasSelection());
}

BrowseFolderDialog::~BrowseFolderDialog() = default;

void BrowseFolderDialog::setUpTree(const QString& root) {
  model_ = new QFileSystemModel(this);
  model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  QTreeView* tree = ui_->FolderTree;
  tree->setModel(model_);
  for (int column = 1; column < model_->columnCount(); ++column) tree->hideColumn(column);
  showSelectionAlways(*tree);
  connect(tree->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &BrowseFolderDialog::selectionChanged);
  // Rows arrive, and are sorted, after the folder has been listed: each of these moves the rows.
  connect(model_, &QFileSystemModel::directoryLoaded, this, &BrowseFolderDialog::keepStartFolderInView);
  connect(model_, &QAbstractItemModel::layoutChanged, this, &BrowseFolderDialog::keepStartFolderInView);
  connect(model_, &QAbstractItemModel::rowsInserted, this, &BrowseFolderDialog::keepStartFolderInView);
  if (root.isEmpty()) {
    model_->setRootPath(QString());
    return;
  }
  // The root folder itself is the one top item, so that it can be chosen too: the tree shows
  // the root's parent with every other child hidden.
  rootItem_ = model_->index(root);
  const QModelIndex parent = rootItem_.parent();
  model_->setRootPath(parent.isValid() ? model_->filePath(parent) : QString());
  tree->setRootIndex(parent);
  connect(model_, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex& where) {
    if (where == rootItem_.parent()) hideSiblingsOfRoot();
  });
  hideSiblingsOfRoot();
  tree->expand(rootItem_);
}

void BrowseFolderDialog::hideSiblingsOfRoot() {
  const QModelIndex parent = rootItem_.parent();
  for (int row = 0; row < model_->rowCount(parent); ++row)
    ui_->FolderTree->setRowHidden(row, parent, model_->index(row, 0, parent) != rootItem_);
}

void BrowseFolderDialog::selectStartFolder() {
  if (startFolder_.isEmpty()) return;
  // The model makes the items of an existing path at once; their folders load later.
  const QModelIndex item = model_->index(startFolder_);
  if (!item.isValid()) return;
  QTreeView* tree = ui_->FolderTree;
  for (QModelIndex parent = item.parent(); parent.isValid(); parent = parent.parent()) tree->expand(parent);
  tree->setCurrentIndex(item);
  tree->scrollTo(item);
}

void BrowseFolderDialog::keepStartFolderInView() {
  // Folders loaded above the preselected one push it down; the user's own choice is left alone.
  // One scroll after the model has settled serves every change of this pass.
  if (startFolder_.isEmpty() || scrollQueued_) return;
  scrollQueued_ = true;
  QTimer::singleShot(0, this, [this] {
    scrollQueued_ = false;
    if (chosenFolder() == QDir::toNativeSeparators(startFolder_))
      ui_->FolderTree->scrollTo(ui_->FolderTree->currentIndex());
  });
}

void BrowseFolderDialog::selectionChanged() {
  ui_->OkBt->setEnabled(ui_->FolderTree->selectionModel()->hasSelection());
  centreOnOwner();
}

QString BrowseFolderDialog::chosenFolder() const {
  const QModelIndexList rows = ui_->FolderTree->selectionModel()->selectedRows();
  if (rows.isEmpty()) return {};
  // cleanPath drops a trailing separator but keeps a root ("/", "C:/") whole.
  return QDir::toNativeSeparators(QDir::cleanPath(model_->filePath(rows.first())));
}

bool BrowseFolderDialog::isRelative() const {
  return allowRelative_ ? ui_->RelativePathCb->isChecked() : incomingRelative_;
}

void BrowseFolderDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  centreOnOwner();
  keepStartFolderInView();
}

void BrowseFolderDialog::centreOnOwner() {
  QRect area;
  if (parentWidget() != nullptr) {
    area = parentWidget()->window()->frameGeometry();
  } else if (QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
    area = screen->availableGeometry();
  }
  const QRect frame = frameGeometry();
  // Integer division rounds toward zero, also when the dialog is the larger.
  move(area.left() + (area.width() - frame.width()) / 2, area.top() + (area.height() - frame.height()) / 2);
}

}  // namespace sw::dialogs
