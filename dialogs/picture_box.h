#pragma once
// The widgets that show a picture in the picture dialog and its preview window: a box that
// draws the picture scaled to fit with its proportions kept and centred, and the panel around
// it that shows a caption ("(None)", "Invalid image") where there is no picture to draw.

#include <QFrame>
#include <QImage>
#include <QString>
#include <QWidget>

class PictureBox : public QWidget {
  Q_OBJECT

 public:
  explicit PictureBox(QWidget* parent = nullptr);

  void setPicture(const QImage& picture);
  const QImage& picture() const { return picture_; }

 signals:
  void doubleClicked();
  // Drawing failed (the scaled picture could not be made); the picture is dropped.
  void paintFailed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  QImage picture_;
  QImage scaled_;  // the picture at the size last drawn
};

// The panel that hosts a PictureBox: a failure while drawing becomes its caption instead of an
// error.
class TSilentPaintPanel : public QFrame {
  Q_OBJECT

 public:
  explicit TSilentPaintPanel(QWidget* parent = nullptr);

  QString caption() const { return caption_; }
  void setCaption(const QString& caption);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString caption_;
};
