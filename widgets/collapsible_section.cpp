#include "widgets/collapsible_section.h"

#include <QEvent>
#include <QFont>
#include <QLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <algorithm>

#include "widgets/section_activation.h"
#include "widgets/section_scroll_area.h"

namespace sw {
namespace {

const QString kUnfoldedCaption = QStringLiteral("-");
const QString kFoldedCaption = QStringLiteral("+");

}  // namespace

CollapsibleSection::CollapsibleSection(QWidget* parent) : CollapsibleSection(QString(), parent) {}

CollapsibleSection::CollapsibleSection(const QString& title, QWidget* parent) : QGroupBox(title, parent) {
  foldButton_ = new QPushButton(kUnfoldedCaption, this);
  foldButton_->setFixedSize(kFoldButtonSize, kFoldButtonSize);
  QFont caption;
  caption.setPixelSize(kFoldCaptionPixels);
  foldButton_->setFont(caption);
  // Enter in a dialog must not fold a section.
  foldButton_->setAutoDefault(false);
  connect(foldButton_, &QPushButton::clicked, this, [this] { SectionScrollArea::Button1Click(foldButton_); });
  // Heights are the section's own: fixed, whatever room the stack offers.
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  watchActivatingPresses();
  updateHeight();
  placeFoldButton();
}

CollapsibleSection::~CollapsibleSection() = default;

QString CollapsibleSection::foldButtonName() const { return foldButton_->objectName(); }

void CollapsibleSection::setFoldButtonName(const QString& name) { foldButton_->setObjectName(name); }

void CollapsibleSection::setDesignHeight(int height) {
  designHeight_ = std::max(0, height);
  updateHeight();
}

void CollapsibleSection::setFoldButtonInset(const QPoint& inset) {
  foldButtonInset_ = inset;
  placeFoldButton();
}

bool CollapsibleSection::isFolded() const { return foldButton_->text() != kUnfoldedCaption; }

int CollapsibleSection::foldedHeight() const {
  return std::max(foldButton_->height() + kFoldedExtra, titleLineHeight());
}

int CollapsibleSection::expandedHeight() const { return isFolded() ? storedHeight_ : height(); }

int CollapsibleSection::neededHeight() const {
  int needed = minimumSizeHint().height();
  // Word-wrapped texts need more lines as the section gets narrower.
  if (layout() && layout()->hasHeightForWidth())
    needed = std::max(needed, layout()->totalMinimumHeightForWidth(width()));
  return needed;
}

void CollapsibleSection::toggle() {
  if (!isFolded()) {
    updateHeight();
    storedHeight_ = height();
    foldButton_->setText(kFoldedCaption);
    hideContents();
    setFixedHeight(foldedHeight());
  } else {
    foldButton_->setText(kUnfoldedCaption);
    showContents();
    // The stored height, unless the fonts changed meanwhile and the contents need more.
    setFixedHeight(std::max(storedHeight_, neededHeight()));
  }
  cornered_ = true;
  placeFoldButton();
  emit foldedChanged(isFolded());
}

bool CollapsibleSection::event(QEvent* event) {
  const bool handled = QGroupBox::event(event);
  switch (event->type()) {
    case QEvent::Polish:
    case QEvent::LayoutRequest:
    case QEvent::FontChange:
    case QEvent::StyleChange:
      updateHeight();
      break;
    default:
      break;
  }
  return handled;
}

void CollapsibleSection::resizeEvent(QResizeEvent* event) {
  QGroupBox::resizeEvent(event);
  placeFoldButton();
  if (event->size().width() != event->oldSize().width() && layout() && layout()->hasHeightForWidth())
    updateHeight();
}

void CollapsibleSection::mousePressEvent(QMouseEvent* event) {
  QGroupBox::mousePressEvent(event);
  // A press that a control inside passed on (a label) is not on the section's own surface.
  surfacePressed_ = event->button() == Qt::LeftButton && !childAt(event->position().toPoint());
  if (surfacePressed_) event->accept();
}

void CollapsibleSection::mouseReleaseEvent(QMouseEvent* event) {
  QGroupBox::mouseReleaseEvent(event);
  const bool click =
      surfacePressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  surfacePressed_ = false;
  if (click && bringIntoViewOnClick_) SectionScrollArea::FlatGroupBoxClick(this);
}

int CollapsibleSection::titleLineHeight() const {
  QStyleOptionGroupBox option;
  initStyleOption(&option);
  const QRect title = style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, this);
  // The title and one line of the frame under it.
  return title.bottom() + 2;
}

void CollapsibleSection::updateHeight() {
  setFixedHeight(isFolded() ? foldedHeight() : std::max(designHeight_, neededHeight()));
}

void CollapsibleSection::placeFoldButton() {
  const QPoint inset = cornered_ ? QPoint() : foldButtonInset_;
  foldButton_->move(width() - foldButton_->width() - inset.x(), inset.y());
  // Above any control a form put near the corner.
  foldButton_->raise();
}

void CollapsibleSection::hideContents() {
  hiddenContents_.clear();
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child == foldButton_ || child->isWindow()) continue;
    // Controls hidden on purpose stay hidden; the others would also show once the section does.
    if (child->isHidden() && child->testAttribute(Qt::WA_WState_ExplicitShowHide)) continue;
    hiddenContents_.append(child);
    child->hide();
  }
}

void CollapsibleSection::showContents() {
  for (const QPointer<QWidget>& child : std::as_const(hiddenContents_)) {
    if (child) child->show();
  }
  hiddenContents_.clear();
}

}  // namespace sw
