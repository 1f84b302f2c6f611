#pragma once
// Up and down arrows bound to an ordinary edit that holds a number. The arrows step their own
// position within a range and write it into the edit; the edit itself stays free text, so a
// number outside the range is shown and kept as it is until the user steps it.

#include <QLineEdit>
#include <QPointer>
#include <QWidget>
#include <optional>

class QToolButton;

namespace sw {

// The whole text as a decimal integer (an optional sign, then digits only); none when it is
// not one or does not fit an int.
std::optional<int> decimalNumber(const QString& text);

class UpDown : public QWidget {
  Q_OBJECT

 public:
  explicit UpDown(QWidget* parent = nullptr);

  // The edit the arrows write to; its Up and Down keys step too.
  void setBuddy(QLineEdit* edit);
  QLineEdit* buddy() const { return buddy_; }

  void setRange(int minimum, int maximum);
  int minimum() const { return minimum_; }
  int maximum() const { return maximum_; }

  // Clamped to the range; the buddy's text does not change.
  void setPosition(int position);
  int position() const { return position_; }

  QSize sizeHint() const override;

 public slots:
  void stepUp();
  void stepDown();

 signals:
  void positionChanged(int position);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void stepBy(int steps);

  QToolButton* up_ = nullptr;
  QToolButton* down_ = nullptr;
  QPointer<QLineEdit> buddy_;
  int minimum_ = 0;
  int maximum_ = 100;
  int position_ = 0;
};

}  // namespace sw
