#pragma once
// A borderless area that scrolls vertically only and stacks collapsible sections
// (collapsible_section.h) top-aligned, in order, each as wide as the area, with no space between
// them: the content is exactly as high as its sections together, and a section that changes its
// height moves every section below it at once.
//
// In a Qt Designer form:
//  1. Place a QScrollArea and promote it to sw::SectionScrollArea, header
//     "widgets/section_scroll_area.h" (Designer's default widgetResizable = true is needed).
//     Leave frameShape and the scroll bar policies alone: the class makes the area borderless
//     with no horizontal scroll bar.
//  2. Give the area's contents widget a vertical layout (QVBoxLayout); a vertical spacer after
//     the last section is optional. The area sets the layout's spacing and margins to 0.
//  3. Put a QGroupBox per section into that layout, in stacking order, and promote each to
//     sw::CollapsibleSection, header "widgets/collapsible_section.h". Set its objectName
//     (GroupBox10) and title; add the dynamic properties foldButtonName (string, "Button22"),
//     designHeight (int, 120), and where needed bringIntoViewOnClick (bool, false) and
//     foldButtonInset (point: right and top distance until the first toggle). The section makes
//     its fold button itself, so the form has none: find it by its name or foldButton().
//  4. Lay out the section's controls with an ordinary layout of the group box.
// In code, addSection() appends a section and makes the contents widget on first use.
//
// The handlers. The fold buttons, the sections' own surfaces and the activating press are wired
// by the sections themselves to the static handlers below, so an area works in any form without
// connections. They are static because each finds the area of the section it is given; a window
// that must expose them under these names (the main window's Button1Click, FlatGroupBoxClick and
// GroupBoxMouseActivate) declares slots of those names that forward here.

#include <QList>
#include <QScrollArea>
#include <QStringList>

class QAbstractButton;
class QVBoxLayout;

namespace sw {

class CollapsibleSection;

class SectionScrollArea : public QScrollArea {
  Q_OBJECT

 public:
  explicit SectionScrollArea(QWidget* parent = nullptr);

  // Appends `section` below the last one (before a closing spacer).
  void addSection(CollapsibleSection* section);
  // The sections in stacking order.
  QList<CollapsibleSection*> sections() const;

  // The area that holds `widget` (a section or anything inside one); null outside any area.
  static SectionScrollArea* of(const QWidget* widget);

  // The click of every fold button: toggles the button's section and brings it into view.
  static void Button1Click(QAbstractButton* foldButton);
  // A click on a section's own surface (not on a control inside): brings it into view.
  static void FlatGroupBoxClick(CollapsibleSection* section);
  // The mouse press that activates the window, over a section or a control inside it (see
  // section_activation.h): brings the section into view.
  static void GroupBoxMouseActivate(CollapsibleSection* section);
  // Clicks the fold buttons named, found below `root`, in the given order (the window folds
  // sections this way when first shown); returns false when a name is no fold button there.
  static bool clickFoldButtons(const QWidget& root, const QStringList& buttonNames);

 public slots:
  // Scrolls just far enough that `section` (a widget of the contents) is in view: a section
  // above the visible part, or taller than it, gets its top edge at the top of the visible
  // part; one below it gets its bottom edge at the bottom. Nothing moves for a section in view.
  void bringIntoView(QWidget* section);

 protected:
  bool event(QEvent* event) override;

 private:
  QVBoxLayout* column() const;
  QVBoxLayout* makeColumn();
  void tidyColumn();
  void settle();
};

}  // namespace sw
