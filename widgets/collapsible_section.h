#pragma once
// A titled section of a long form that folds down to its title line. Its fold button stands in
// the top right corner ("-" while unfolded, "+" while folded); a click on it folds or unfolds the
// section and brings it into view in the SectionScrollArea that holds it (section_scroll_area.h
// describes how a form sets up an area and its sections).
//
// Heights: unfolded, a section is its design height high, or higher where the system's fonts
// make its contents need more (the minimum of its layout), so that nothing inside is clipped;
// folded, it is the fold button's height + 6 (22 pixels), or the title line's height where a
// far larger font needs more, and its controls are hidden. Folding stores the height the section
// had; unfolding gives it back.
//
// While folded, the section owns the visibility of the controls it hid: a control that code
// hides while its section is folded comes back on unfolding, so hide it after unfolding.

#include <QGroupBox>
#include <QList>
#include <QPoint>
#include <QPointer>
#include <QString>

class QPushButton;

namespace sw {

class CollapsibleSection : public QGroupBox {
  Q_OBJECT
  // The fold button's object name (Button22, Button3, ...), as forms and tests find it.
  Q_PROPERTY(QString foldButtonName READ foldButtonName WRITE setFoldButtonName)
  // The stated expanded height; 0 leaves the height to what the contents need.
  Q_PROPERTY(int designHeight READ designHeight WRITE setDesignHeight)
  // Whether a click on the section's own surface brings it into view (FlatGroupBoxClick).
  Q_PROPERTY(bool bringIntoViewOnClick READ bringIntoViewOnClick WRITE setBringIntoViewOnClick)
  // Where the fold button stands until its first toggle: its distance from the section's right
  // and top edges, as the form placed it; every toggle puts it exactly in the corner.
  Q_PROPERTY(QPoint foldButtonInset READ foldButtonInset WRITE setFoldButtonInset)
  Q_PROPERTY(bool folded READ isFolded NOTIFY foldedChanged STORED false DESIGNABLE false)

 public:
  static constexpr int kFoldButtonSize = 16;
  // The folded height is the fold button's height plus this.
  static constexpr int kFoldedExtra = 6;
  // The caption's size, so that "+" and "-" fit the small button at any font.
  static constexpr int kFoldCaptionPixels = 12;

  explicit CollapsibleSection(QWidget* parent = nullptr);
  explicit CollapsibleSection(const QString& title, QWidget* parent = nullptr);
  ~CollapsibleSection() override;

  QPushButton* foldButton() const { return foldButton_; }
  QString foldButtonName() const;
  void setFoldButtonName(const QString& name);
  int designHeight() const { return designHeight_; }
  void setDesignHeight(int height);
  bool bringIntoViewOnClick() const { return bringIntoViewOnClick_; }
  void setBringIntoViewOnClick(bool on) { bringIntoViewOnClick_ = on; }
  QPoint foldButtonInset() const { return foldButtonInset_; }
  void setFoldButtonInset(const QPoint& inset);

  // Folded exactly when the fold button's caption is not "-".
  bool isFolded() const;
  int foldedHeight() const;
  // The height the section has unfolded: its height now, or the stored one while folded.
  int expandedHeight() const;
  // The height the contents need at the section's width: title, frame and layout minimum.
  int neededHeight() const;

  // Folds an unfolded section or unfolds a folded one and puts the fold button in the corner.
  // Bringing the section into view is the area's part (SectionScrollArea::Button1Click).
  void toggle();

 signals:
  void foldedChanged(bool folded);

 protected:
  bool event(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  int titleLineHeight() const;
  void updateHeight();
  void placeFoldButton();
  void hideContents();
  void showContents();

  QPushButton* foldButton_ = nullptr;
  int designHeight_ = 0;
  int storedHeight_ = 0;
  bool bringIntoViewOnClick_ = true;
  QPoint foldButtonInset_;
  bool cornered_ = false;
  bool surfacePressed_ = false;
  QList<QPointer<QWidget>> hiddenContents_;
};

}  // namespace sw
