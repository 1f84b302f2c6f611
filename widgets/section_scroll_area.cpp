#include "widgets/section_scroll_area.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "widgets/collapsible_section.h"

namespace sw {
namespace {

// The scrolling rule along one direction: how far the scroll position moves for a section that
// starts at `start` (client coordinates, the scroll position applied) and is `length` long, in a
// client `client` long.
int scrollDelta(int start, int length, int client) {
  if (start < 0) return start;
  int end = start + length;
  if (end <= client) return 0;
  if (length > client) end = start + client;
  return end - client;
}

}  // namespace

SectionScrollArea::SectionScrollArea(QWidget* parent) : QScrollArea(parent) {
  setFrameShape(QFrame::NoFrame);
  setWidgetResizable(true);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void SectionScrollArea::addSection(CollapsibleSection* section) {
  QVBoxLayout* sections = column() ? column() : makeColumn();
  int at = sections->count();
  while (at > 0 && sections->itemAt(at - 1)->spacerItem()) --at;
  sections->insertWidget(at, section);
  tidyColumn();
}

QList<CollapsibleSection*> SectionScrollArea::sections() const {
  QList<CollapsibleSection*> found;
  if (QVBoxLayout* sections = column()) {
    for (int i = 0; i < sections->count(); ++i) {
      if (auto* section = qobject_cast<CollapsibleSection*>(sections->itemAt(i)->widget()))
        found.append(section);
    }
  }
  return found;
}

SectionScrollArea* SectionScrollArea::of(const QWidget* widget) {
  for (QWidget* up = widget ? widget->parentWidget() : nullptr; up; up = up->parentWidget()) {
    if (auto* area = qobject_cast<SectionScrollArea*>(up)) return area;
  }
  return nullptr;
}

void SectionScrollArea::Button1Click(QAbstractButton* foldButton) {
  auto* section = qobject_cast<CollapsibleSection*>(foldButton ? foldButton->parentWidget() : nullptr);
  if (!section || section->foldButton() != foldButton) return;
  section->toggle();
  if (SectionScrollArea* area = of(section)) area->bringIntoView(section);
}

void SectionScrollArea::FlatGroupBoxClick(CollapsibleSection* section) {
  if (SectionScrollArea* area = of(section)) area->bringIntoView(section);
}

void SectionScrollArea::GroupBoxMouseActivate(CollapsibleSection* section) {
  if (SectionScrollArea* area = of(section)) area->bringIntoView(section);
}

bool SectionScrollArea::clickFoldButtons(const QWidget& root, const QStringList& buttonNames) {
  bool allFound = true;
  for (const QString& name : buttonNames) {
    auto* button = root.findChild<QAbstractButton*>(name);
    auto* section = qobject_cast<CollapsibleSection*>(button ? button->parentWidget() : nullptr);
    if (section && section->foldButton() == button)
      button->click();
    else
      allFound = false;
  }
  return allFound;
}

void SectionScrollArea::bringIntoView(QWidget* section) {
  if (!section || !widget() || !widget()->isAncestorOf(section)) return;
  settle();
  const QRect r(section->mapTo(viewport(), QPoint(0, 0)), section->size());
  QScrollBar* vertical = verticalScrollBar();
  vertical->setValue(vertical->value() + scrollDelta(r.top(), r.height(), viewport()->height()));
  // Never moves while the sections are as wide as the area; kept so the rule is whole.
  QScrollBar* horizontal = horizontalScrollBar();
  horizontal->setValue(horizontal->value() + scrollDelta(r.left(), r.width(), viewport()->width()));
}

bool SectionScrollArea::event(QEvent* event) {
  if (event->type() == QEvent::Polish) tidyColumn();
  return QScrollArea::event(event);
}

QVBoxLayout* SectionScrollArea::column() const {
  return widget() ? qobject_cast<QVBoxLayout*>(widget()->layout()) : nullptr;
}

QVBoxLayout* SectionScrollArea::makeColumn() {
  if (!widget()) setWidget(new QWidget);
  if (!widget()->layout()) new QVBoxLayout(widget());
  return column();
}

void SectionScrollArea::tidyColumn() {
  QVBoxLayout* sections = column();
  if (!sections) return;
  // The content is exactly the sections: no space between them or around them.
  if (sections->spacing() != 0) sections->setSpacing(0);
  if (sections->contentsMargins() != QMargins()) sections->setContentsMargins(QMargins());
  // Top-aligned also when the form has no closing spacer.
  if (sections->alignment() != Qt::AlignTop) sections->setAlignment(Qt::AlignTop);
}

void SectionScrollArea::settle() {
  QVBoxLayout* sections = column();
  if (!sections) return;
  tidyColumn();
  // A section's new height reaches the layouts through posted events; the rule needs the new
  // positions and scroll range now. (A section not shown yet does not even mark its layout.)
  sections->invalidate();
  QEvent request(QEvent::LayoutRequest);
  QCoreApplication::sendEvent(this, &request);
  sections->activate();
}

}  // namespace sw
