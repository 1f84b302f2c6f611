#include "widgets/up_down.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <limits>

namespace sw {

std::optional<int> decimalNumber(const QString& text) {
  qsizetype at = 0;
  const bool negative = !text.isEmpty() && text[0] == u'-';
  if (!text.isEmpty() && (text[0] == u'-' || text[0] == u'+')) at = 1;
  if (at == text.size()) return std::nullopt;
  long long value = 0;
  for (; at < text.size(); ++at) {
    const char16_t c = text[at].unicode();
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c - u'0');
    // One past the largest magnitude is still needed for the smallest negative number.
    if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int>::max()) return std::nullopt;
  return static_cast<int>(value);
}

namespace {

QToolButton* arrowButton(QWidget* parent, const char* name, Qt::ArrowType arrow) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setArrowType(arrow);
  button->setAutoRepeat(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  button->setMinimumSize(1, 1);
  return button;
}

}  // namespace

UpDown::UpDown(QWidget* parent) : QWidget(parent) {
  up_ = arrowButton(this, "UpButton", Qt::UpArrow);
  down_ = arrowButton(this, "DownButton", Qt::DownArrow);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(up_);
  layout->addWidget(down_);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  connect(up_, &QToolButton::clicked, this, &UpDown::stepUp);
  connect(down_, &QToolButton::clicked, this, &UpDown::stepDown);
}

void UpDown::setBuddy(QLineEdit* edit) {
  if (buddy_ != nullptr) buddy_->removeEventFilter(this);
  buddy_ = edit;
  if (buddy_ != nullptr) buddy_->installEventFilter(this);
  updateGeometry();
}

void UpDown::setRange(int minimum, int maximum) {
  minimum_ = minimum;
  maximum_ = std::max(minimum, maximum);
  setPosition(position_);
}

void UpDown::setPosition(int position) {
  const int clamped = std::clamp(position, minimum_, maximum_);
  if (clamped == position_) return;
  position_ = clamped;
  emit positionChanged(position_);
}

QSize UpDown::sizeHint() const {
  const int height = buddy_ != nullptr ? buddy_->sizeHint().height() : 22;
  return {17, height};
}

void UpDown::stepUp() { stepBy(1); }
void UpDown::stepDown() { stepBy(-1); }

void UpDown::stepBy(int steps) {
  // A number the user typed is where the step starts from, as if the arrows had put it there.
  if (buddy_ != nullptr) {
    if (const std::optional<int> typed = decimalNumber(buddy_->text())) setPosition(*typed);
  }
  setPosition(
      static_cast<int>(std::clamp<long long>(static_cast<long long>(position_) + steps, minimum_, maximum_)));
  if (buddy_ != nullptr) buddy_->setText(QString::number(position_));
}

bool UpDown::eventFilter(QObject* watched, QEvent* event) {
  // Only key presses are looked at: other events also arrive while the edit is being destroyed.
  if (event->type() == QEvent::KeyPress && watched == buddy_ && buddy_->isEnabled() &&
      !buddy_->isReadOnly()) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
      stepBy(key->key() == Qt::Key_Up ? 1 : -1);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void UpDown::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (delta == 0) {
    QWidget::wheelEvent(event);
    return;
  }
  stepBy(delta > 0 ? 1 : -1);
  event->accept();
}

}  // namespace sw
