#include "dialogs/preview_window.h"

#include <QScreen>
#include <algorithm>

#include "dialogs/dialog_runner.h"
#include "ui_preview_window.h"

namespace sw::dialogs {

PreviewWindow::PreviewWindow(const QImage& picture, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::PreviewForm>()) {
  ui_->setupUi(this);
  ui_->Panel->setBackgroundRole(QPalette::Base);
  ui_->Image->setPicture(picture);
  QScreen* monitor = screen();
  if (picture.width() > 0 && monitor != nullptr) {
    // The frame: what the window's client area has beyond the panel's inner area.
    const QMargins margins = ui_->panelLayout->contentsMargins();
    const int border = 2 * ui_->Panel->frameWidth();
    const QSize frame(margins.left() + margins.right() + border, margins.top() + margins.bottom() + border);
    resize(clientSizeFor(picture.size(), frame, monitor->geometry().size()));
  }
  if (monitor != nullptr) {
    const QRect area = monitor->geometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
  }
}

PreviewWindow::~PreviewWindow() = default;

QSize PreviewWindow::clientSizeFor(QSize picture, QSize frame, QSize monitor) {
  return {std::min(monitor.width() * 3 / 4, picture.width() + frame.width() + 10),
          std::min(monitor.height() * 3 / 4, picture.height() + frame.height() + 10)};
}

void showPreview(QWidget* parent, const QImage& picture) {
  PreviewWindow window(picture, parent);
  runDialog(window);
}

}  // namespace sw::dialogs
