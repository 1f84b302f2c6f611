#pragma once
// A check box whose caption wraps onto further lines when its column is narrower than the
// caption, as in the program panel's narrow column with a wide system font; on one line it
// looks like any check box. Its text stays the caption exactly.

#include <QCheckBox>

namespace sw {

class WrappingCheckBox : public QCheckBox {
  Q_OBJECT

 public:
  explicit WrappingCheckBox(QWidget* parent = nullptr);
  explicit WrappingCheckBox(const QString& text, QWidget* parent = nullptr);

  // As wide as the box, the spacing and the longest word.
  QSize minimumSizeHint() const override;
  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;
  // The whole box reacts to the mouse, also the caption's further lines.
  bool hitButton(const QPoint& position) const override;

 private:
  // The box's size around a caption of `textSize`, as the style lays out a check box.
  QSize sizeAround(const QSize& textSize) const;
  int textWidthFor(int width) const;

  // Layouts ask for the same width again and again; the last answer is kept for its caption.
  struct HeightForWidth {
    int width = -1;
    int height = 0;
    QString text;
  };
  mutable HeightForWidth lastHeight_;
};

}  // namespace sw
