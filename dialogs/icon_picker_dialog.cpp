#include "dialogs/icon_picker_dialog.h"

#include <QEvent>
#include <QListWidget>
#include <QMessageBox>

#include "dialogs/dialog_runner.h"
#include "dialogs/icon_picker_file_dialog.h"
#include "dialogs/icon_picker_state.h"
#include "platform/files.h"
#include "platform/icon_lists.h"
#include "platform/text.h"
#include "ui_icon_picker_dialog.h"
#include "widgets/image_list_delegate.h"

namespace sw::dialogs {

TPicIconDlgFm::TPicIconDlgFm(QWidget* owner) : QDialog(owner), ui_(std::make_unique<Ui::TPicIconDlgFm>()) {
  ui_->setupUi(this);
  // A fixed border: the form's size, or what the system's fonts need beyond it.
  setFixedSize(size().expandedTo(sizeHint()));
  connect(ui_->IconLibFileRb, &QRadioButton::clicked, this, &TPicIconDlgFm::IconLibFileRbClick);
  connect(ui_->AnyIconFileRb, &QRadioButton::clicked, this, &TPicIconDlgFm::IconLibFileRbClick);
  connect(ui_->BrowseBt, &QPushButton::clicked, this, &TPicIconDlgFm::BrowseBtClick);
  connect(ui_->IconPiclist, &QListWidget::itemSelectionChanged, this, &TPicIconDlgFm::IconPiclistSelectItem);
  connect(ui_->OkBt, &QPushButton::clicked, this, &TPicIconDlgFm::OkBtClick);
  connect(ui_->CancelBt, &QPushButton::clicked, this, &TPicIconDlgFm::CancelBtClick);
  // The list draws its pictures from TempImagelist, by the index each item holds.
  ui_->IconPiclist->setItemDelegate(new ImageListDelegate(TempImagelist, ui_->IconPiclist));
  // A double click anywhere in the list counts, also on empty space.
  ui_->IconPiclist->viewport()->installEventFilter(this);
}

TPicIconDlgFm::~TPicIconDlgFm() = default;

bool TPicIconDlgFm::LoadIconList(const std::string& file) {
  if (!files::fileExists(file)) return false;
  const int count = LoadFileIcons(file, nullptr, &TempImagelist);
  if (count <= 0) {
    warnNoIcons();
    return false;
  }
  fillList(count);
  shownFile_ = file;
  return true;
}

void TPicIconDlgFm::startUse(bool library) {
  const IconPickerState& state = iconPickerState();
  ui_->IconFileEd->setText(text::toQString(state.currentIconFile));
  showIconsOf(state.currentIconFile);
  ui_->IconLibFileRb->setEnabled(!state.libraryPath.empty());
  (library ? ui_->IconLibFileRb : ui_->AnyIconFileRb)->setChecked(true);
  updateFileControls();
}

void TPicIconDlgFm::selectIcon(int index) {
  if (index < 0 || index >= ui_->IconPiclist->count()) return;
  ui_->IconPiclist->setCurrentRow(index);
  ui_->IconPiclist->scrollToItem(ui_->IconPiclist->item(index));
}

bool TPicIconDlgFm::libraryChosen() const { return ui_->IconLibFileRb->isChecked(); }

void TPicIconDlgFm::IconLibFileRbClick() {
  updateFileControls();
  const IconPickerState& state = iconPickerState();
  showIconsOf(libraryChosen() ? state.libraryPath : state.currentIconFile);
}

void TPicIconDlgFm::BrowseBtClick() {
  IconPickerState& state = iconPickerState();
  const std::string chosen = runOpenIconFileDlg(this, state.currentIconFile);
  if (chosen.empty() || !LoadIconList(chosen)) return;
  state.currentIconFile = chosen;
  ui_->IconFileEd->setText(text::toQString(chosen));
}

void TPicIconDlgFm::IconPiclistSelectItem() {
  const QList<QListWidgetItem*> selected = ui_->IconPiclist->selectedItems();
  ui_->OkBt->setEnabled(!selected.isEmpty());
  iconPickerState().selectedIconIndex = selected.isEmpty() ? -1 : ui_->IconPiclist->row(selected.first());
}

void TPicIconDlgFm::IconPiclistDblClick() {
  // The remembered index may be an earlier use's; only an icon selected now counts.
  if (!ui_->IconPiclist->selectedItems().isEmpty()) OkBtClick();
}

void TPicIconDlgFm::OkBtClick() { accept(); }

void TPicIconDlgFm::CancelBtClick() { reject(); }

bool TPicIconDlgFm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ui_->IconPiclist->viewport() && event->type() == QEvent::MouseButtonDblClick)
    IconPiclistDblClick();
  return QDialog::eventFilter(watched, event);
}

void TPicIconDlgFm::fillList(int count) {
  QListWidget* list = ui_->IconPiclist;
  list->setUpdatesEnabled(false);
  list->clear();
  for (int i = 0; i < count; ++i) {
    auto* item = new QListWidgetItem(QString::number(i), list);
    item->setData(ImageListDelegate::kImageIndexRole, i);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  }
  list->setUpdatesEnabled(true);
  // Clearing drops the selection without a signal.
  IconPiclistSelectItem();
}

void TPicIconDlgFm::showIconsOf(const std::string& file) {
  if (shownFile_ && sameIconFile(*shownFile_, file)) return;
  if (!LoadIconList(file)) {
    // The list shows what OK would return: a file that gives no icons shows none.
    ui_->IconPiclist->clear();
    IconPiclistSelectItem();
    shownFile_ = file;
  }
}

void TPicIconDlgFm::updateFileControls() {
  const bool anyFile = ui_->AnyIconFileRb->isChecked();
  ui_->IconFileEd->setEnabled(anyFile);
  ui_->BrowseBt->setEnabled(anyFile);
}

void TPicIconDlgFm::warnNoIcons() {
  QMessageBox box(QMessageBox::Warning, QStringLiteral(u"Смена значка"),
                  QStringLiteral(u"Этот файл не содержит значков"), QMessageBox::Ok, this);
  runDialog(box);
}

}  // namespace sw::dialogs
