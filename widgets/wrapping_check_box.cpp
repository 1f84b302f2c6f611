#include "widgets/wrapping_check_box.h"

#include <QEvent>
#include <QRegularExpression>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <algorithm>
#include <climits>

namespace sw {
namespace {

constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;

}  // namespace

WrappingCheckBox::WrappingCheckBox(QWidget* parent) : QCheckBox(parent) {
  // A check box keeps its whole caption's width and one line's height; this one may give way
  // down to its longest word and grow by the lines that takes.
  QSizePolicy policy = sizePolicy();
  policy.setHorizontalPolicy(QSizePolicy::Preferred);
  policy.setVerticalPolicy(QSizePolicy::Minimum);
  policy.setHeightForWidth(true);
  setSizePolicy(policy);
}

WrappingCheckBox::WrappingCheckBox(const QString& text, QWidget* parent) : WrappingCheckBox(parent) {
  setText(text);
}

QSize WrappingCheckBox::sizeAround(const QSize& textSize) const {
  QStyleOptionButton option;
  initStyleOption(&option);
  return style()->sizeFromContents(QStyle::CT_CheckBox, &option, textSize, this);
}

// The caption's width in a box `width` wide: what the style leaves beside the indicator.
int WrappingCheckBox::textWidthFor(int width) const {
  const int around = sizeAround(QSize(0, 0)).width();
  return std::max(1, width - around);
}

QSize WrappingCheckBox::minimumSizeHint() const {
  int longestWord = 0;
  static const QRegularExpression blanks(QStringLiteral("\\s+"));
  for (const QString& word : text().split(blanks, Qt::SkipEmptyParts))
    longestWord = std::max(longestWord, fontMetrics().horizontalAdvance(word));
  const QSize box = sizeAround(QSize(longestWord, fontMetrics().height()));
  return {box.width(), QCheckBox::minimumSizeHint().height()};
}

int WrappingCheckBox::heightForWidth(int width) const {
  if (lastHeight_.width == width && lastHeight_.text == text()) return lastHeight_.height;
  const QRect caption =
      fontMetrics().boundingRect(QRect(0, 0, textWidthFor(width), INT_MAX / 2), kTextFlags, text());
  lastHeight_ = {width, sizeAround(caption.size()).height(), text()};
  return lastHeight_.height;
}

void WrappingCheckBox::changeEvent(QEvent* event) {
  // Another font or style measures the caption anew.
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) lastHeight_.width = -1;
  QCheckBox::changeEvent(event);
}

void WrappingCheckBox::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  QStyleOptionButton indicator = option;
  indicator.rect = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
  painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, indicator);
  const QRect contents = style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this);
  painter.drawItemText(contents, kTextFlags, option.palette, isEnabled(), text(), QPalette::WindowText);
  if (option.state & QStyle::State_HasFocus) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = painter.fontMetrics().boundingRect(contents, kTextFlags, text()).adjusted(-2, -1, 2, 1);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
  }
}

bool WrappingCheckBox::hitButton(const QPoint& position) const { return rect().contains(position); }

}  // namespace sw
