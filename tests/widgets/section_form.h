#pragma once
// A test window shaped like the program panel: a section area 277 pixels wide holding the panel's
// five sections with their design heights, each with a few ordinary controls.

#include <QWidget>

#include "widgets/collapsible_section.h"
#include "widgets/section_scroll_area.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace sw::testing {

// A section named `name` with fold button `button`, set up through properties by name as a form
// sets them, with `rows` label and edit pairs and a check box, closed by a stretch.
CollapsibleSection* makeSection(const char* name, const QString& title, const char* button, int designHeight,
                                int rows = 2);

class SectionForm : public QWidget {
 public:
  // `visibleHeight` is the height of the area's visible part.
  explicit SectionForm(int visibleHeight = 300);

  // Shows the window, lets its layouts settle and makes it the active window, long enough ago
  // that the next press is an ordinary one.
  void showActive();
  // The section named `name` (GroupBox4, GroupBox5, ...).
  CollapsibleSection* section(const char* name) const;
  int scrollPosition() const;
  void scrollTo(int position);
  // Where `section`'s top stands in the visible part (negative above it).
  int topInView(const QWidget* section) const;

  SectionScrollArea* area = nullptr;
};

}  // namespace sw::testing
