#include "widgets/section_activation.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPointer>
#include <QWidget>

#include "widgets/collapsible_section.h"
#include "widgets/section_scroll_area.h"

namespace sw {
namespace {

CollapsibleSection* enclosingSection(QWidget* widget) {
  for (; widget && !widget->isWindow(); widget = widget->parentWidget()) {
    if (auto* section = qobject_cast<CollapsibleSection*>(widget)) return section;
  }
  return nullptr;
}

// One filter on the application sees every press, also those on controls that take them.
class ActivatingPressWatcher : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (event->type() == QEvent::WindowActivate && widget->isWindow()) {
      activated_ = widget;
      activatedAt_.start();
    } else if (event->type() == QEvent::MouseButtonPress) {
      pressed(widget);
    }
    return false;
  }

 private:
  void pressed(QWidget* widget) {
    QWidget* window = widget->window();
    const bool justActivated =
        activated_ == window && activatedAt_.isValid() && activatedAt_.elapsed() <= kActivatingPressMs;
    // Only the first press after an activation can be the one that caused it. (A press that a
    // control passes on to its parents comes here again; bringing into view twice moves nothing.)
    if (activated_ == window) activated_ = nullptr;
    if (window->isActiveWindow() && !justActivated) return;
    if (CollapsibleSection* section = enclosingSection(widget))
      SectionScrollArea::GroupBoxMouseActivate(section);
  }

  QPointer<QWidget> activated_;
  QElapsedTimer activatedAt_;
};

}  // namespace

void watchActivatingPresses() {
  static QPointer<ActivatingPressWatcher> watcher;
  if (watcher || !qApp) return;
  watcher = new ActivatingPressWatcher(qApp);
  qApp->installEventFilter(watcher);
}

}  // namespace sw
