#include "dialogs/picture_box.h"

#include <QPainter>

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents, false);
}

void PictureBox::setPicture(const QImage& picture) {
  picture_ = picture;
  scaled_ = QImage();
  update();
}

void PictureBox::paintEvent(QPaintEvent*) {
  if (picture_.isNull() || width() <= 0 || height() <= 0) return;
  const QSize fitted = picture_.size().scaled(size(), Qt::KeepAspectRatio);
  if (scaled_.size() != fitted) {
    scaled_ = picture_.scaled(fitted, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (scaled_.isNull()) {
      picture_ = QImage();
      emit paintFailed();
      return;
    }
  }
  QPainter painter(this);
  painter.drawImage(QPoint((width() - scaled_.width()) / 2, (height() - scaled_.height()) / 2), scaled_);
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event) {
  QWidget::mouseDoubleClickEvent(event);
  emit doubleClicked();
}

TSilentPaintPanel::TSilentPaintPanel(QWidget* parent) : QFrame(parent) {}

void TSilentPaintPanel::setCaption(const QString& caption) {
  caption_ = caption;
  update();
}

void TSilentPaintPanel::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  if (caption_.isEmpty()) return;
  QPainter painter(this);
  painter.drawText(contentsRect(), Qt::AlignCenter, caption_);
}
