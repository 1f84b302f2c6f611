#include "dialogs/relative_path_strip.h"

#include <QCheckBox>
#include <QEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

#include "ui_relative_path_strip.h"

namespace sw::dialogs {
namespace {

constexpr int kRowGap = 4;

}  // namespace

RelativePathStrip::RelativePathStrip(QFileDialog& dialog)
    : QObject(&dialog), dialog_(dialog), ui_(std::make_unique<Ui::RelativePathStrip>()) {
  auto* panel = new QWidget(&dialog);
  ui_->setupUi(panel);
  fileTypeLabel_ = dialog.findChild<QWidget*>(QStringLiteral("fileTypeLabel"));
  fileTypeList_ = dialog.findChild<QWidget*>(QStringLiteral("fileTypeCombo"));
  auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
  if (grid != nullptr) {
    // The labels must fit the label column, whatever the dialog's own labels need.
    const int labelWidth = std::max(ui_->PachLabel->sizeHint().width(), ui_->CmdLabel->sizeHint().width());
    grid->setColumnMinimumWidth(0, std::max(grid->columnMinimumWidth(0), labelWidth));
    grid->addWidget(panel, grid->rowCount(), 0, 1, grid->columnCount());
  }
  if (fileTypeList_ != nullptr) fileTypeList_->installEventFilter(this);
  setParametersShown(true);
}

RelativePathStrip::~RelativePathStrip() = default;

QCheckBox& RelativePathStrip::relativeBox() const { return *ui_->AbcCb; }
QLineEdit& RelativePathStrip::parametersEdit() const { return *ui_->CmdEdit; }
QWidget& RelativePathStrip::panel() const { return *ui_->AbcCb->parentWidget(); }

void RelativePathStrip::setParametersShown(bool shown) {
  ui_->CmdLabel->setVisible(shown);
  ui_->CmdEdit->setVisible(shown);
  followFileTypeList();
}

bool RelativePathStrip::eventFilter(QObject* watched, QEvent* event) {
  if (watched == fileTypeList_ && (event->type() == QEvent::Resize || event->type() == QEvent::Move)) {
    followFileTypeList();
  }
  return QObject::eventFilter(watched, event);
}

// The checkbox and the parameters field start under the file-type list, the field as wide as the
// list; the labels take the room before them.
void RelativePathStrip::followFileTypeList() {
  QWidget& panel = this->panel();
  const int rowHeight = std::max({ui_->AbcCb->sizeHint().height(), ui_->CmdEdit->sizeHint().height(),
                                  ui_->PachLabel->sizeHint().height()});
  const bool twoRows = !ui_->CmdEdit->isHidden();
  panel.setFixedHeight(twoRows ? 2 * rowHeight + kRowGap : rowHeight);

  int fieldLeft = ui_->AbcCb->x();
  int fieldWidth = ui_->CmdEdit->width();
  if (fileTypeList_ != nullptr && fileTypeLabel_ != nullptr) {
    fieldLeft = fileTypeList_->x() - panel.x();
    fieldWidth = fileTypeList_->width();
  }
  const int labelWidth = std::max(0, fieldLeft - kRowGap);
  ui_->PachLabel->setGeometry(0, 0, labelWidth, rowHeight);
  ui_->AbcCb->setGeometry(fieldLeft, 0, ui_->AbcCb->sizeHint().width(), rowHeight);
  ui_->CmdLabel->setGeometry(0, rowHeight + kRowGap, labelWidth, rowHeight);
  ui_->CmdEdit->setGeometry(fieldLeft, rowHeight + kRowGap, fieldWidth, rowHeight);
}

}  // namespace sw::dialogs
