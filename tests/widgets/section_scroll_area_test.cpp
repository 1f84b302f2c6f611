#include "widgets/section_scroll_area.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpacerItem>
#include <QTest>
#include <QVBoxLayout>

#include "section_form.h"
#include "support/wait_until.h"
#include "widgets/collapsible_section.h"

namespace sw {
namespace {

using testing::SectionForm;
using testing::waitUntil;

// Each section's top in the content, and the content's height, must follow from the heights.
void expectStackedWithoutGaps(const SectionScrollArea& area) {
  int top = 0;
  for (const CollapsibleSection* section : area.sections()) {
    EXPECT_EQ(section->y(), top) << section->objectName().toStdString();
    EXPECT_EQ(section->x(), 0);
    EXPECT_EQ(section->width(), area.viewport()->width()) << section->objectName().toStdString();
    top += section->height();
  }
  const int client = area.viewport()->height();
  EXPECT_EQ(area.verticalScrollBar()->maximum(), std::max(0, top - client));
  if (top > client) {
    EXPECT_EQ(area.widget()->height(), top);
  }
}

TEST(SectionScrollArea, StacksItsSectionsTopAlignedWithoutGaps) {
  SectionForm form;
  form.showActive();
  const SectionScrollArea& area = *form.area;
  EXPECT_EQ(area.frameShape(), QFrame::NoFrame);
  EXPECT_EQ(area.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  ASSERT_EQ(area.sections().size(), 5);
  EXPECT_EQ(form.section("GroupBox4")->height(), 393);
  EXPECT_EQ(form.section("GroupBox5")->height(), 148);
  expectStackedWithoutGaps(area);

  // Everything folded is shorter than the visible part: still stacked from the top.
  for (CollapsibleSection* section : area.sections()) section->foldButton()->click();
  ASSERT_TRUE(waitUntil([&] { return form.section("GroupBox18")->y() == 4 * 22; }));
  expectStackedWithoutGaps(area);
}

TEST(SectionScrollArea, FoldingTheFirstSectionMovesTheNextUpAtOnce) {
  SectionForm form;
  form.showActive();
  const int before = form.area->verticalScrollBar()->maximum();
  form.section("GroupBox4")->foldButton()->click();
  // No event loop in between: the next section and the range move with the click.
  EXPECT_EQ(form.section("GroupBox5")->y(), 22);
  EXPECT_EQ(form.area->verticalScrollBar()->maximum(), before - (393 - 22));
  expectStackedWithoutGaps(*form.area);
  form.section("GroupBox4")->foldButton()->click();
  EXPECT_EQ(form.section("GroupBox5")->y(), 393);
}

TEST(SectionScrollArea, AFoldOutOfViewBringsTheTitleLineBack) {
  SectionForm form;
  form.showActive();
  // At the end of a long panel, the first section's title is far above the visible part.
  form.scrollTo(form.area->verticalScrollBar()->maximum());
  CollapsibleSection* general = form.section("GroupBox4");
  ASSERT_LT(form.topInView(general), -200);
  general->foldButton()->click();
  EXPECT_EQ(form.topInView(general), 0);

  // The last section folded at the very end: the shorter content pulls the view up, and the
  // title line with its "+" stays in view.
  CollapsibleSection* check = form.section("GroupBox18");
  form.scrollTo(form.area->verticalScrollBar()->maximum());
  check->foldButton()->click();
  const int top = form.topInView(check);
  EXPECT_GE(top, 0);
  EXPECT_LE(top + 22, form.area->viewport()->height());
  EXPECT_TRUE(check->foldButton()->isVisible());
}

TEST(SectionScrollArea, BringIntoViewScrollsJustFarEnough) {
  // Tops in the content: 0, 393, 541, 799 and 924; 200 pixels visible.
  SectionForm form(200);
  form.showActive();
  SectionScrollArea& area = *form.area;
  ASSERT_EQ(area.viewport()->height(), 200);
  ASSERT_EQ(form.section("GroupBox18")->y(), 924);
  CollapsibleSection* general = form.section("GroupBox4");
  CollapsibleSection* depends = form.section("GroupBox5");
  CollapsibleSection* commands = form.section("GroupBox7");
  CollapsibleSection* registry = form.section("GroupBox6");
  struct Case {
    const char* what;
    CollapsibleSection* section;
    int from;
    int to;
  };
  const Case cases[] = {
      {"in view", depends, 380, 380},
      {"starts above", depends, 450, 393},
      {"taller, starts above", general, 10, 0},
      {"taller, starts at the top", general, 0, 0},
      {"below, fits: bottom to the bottom", registry, 0, 924 - 200},
      {"bottom below, fits", registry, 700, 924 - 200},
      {"taller, below", commands, 0, 541},
      {"taller, top in view", commands, 500, 541},
  };
  for (const Case& c : cases) {
    form.scrollTo(c.from);
    ASSERT_EQ(form.scrollPosition(), c.from) << c.what;
    area.bringIntoView(c.section);
    EXPECT_EQ(form.scrollPosition(), c.to) << c.what;
  }
}

TEST(SectionScrollArea, AClickOnAControlDoesNotScrollOneOnTheSectionDoes) {
  SectionForm form;
  form.showActive();
  CollapsibleSection* depends = form.section("GroupBox5");
  // The section's top 40 pixels above the visible part; its controls below still in view.
  const int start = depends->y() + 40;
  form.scrollTo(start);
  auto* edit = depends->findChildren<QLineEdit*>().last();
  auto* label = depends->findChildren<QLabel*>().last();
  auto* check = depends->findChild<QCheckBox*>();
  ASSERT_GT(form.topInView(edit), 0);

  QTest::mouseClick(edit, Qt::LeftButton);
  QTest::mouseClick(check, Qt::LeftButton);
  // A label passes the press on to the section, but it is still a control.
  QTest::mouseClick(label, Qt::LeftButton);
  EXPECT_EQ(form.scrollPosition(), start);
  EXPECT_TRUE(check->isChecked());

  const QPoint emptySpace(depends->width() / 2, depends->height() - 8);
  ASSERT_EQ(depends->childAt(emptySpace), nullptr);
  QTest::mouseClick(depends, Qt::RightButton, {}, emptySpace);
  EXPECT_EQ(form.scrollPosition(), start);
  QTest::mouseClick(depends, Qt::LeftButton, {}, emptySpace);
  EXPECT_EQ(form.topInView(depends), 0);

  // The section without the click (environment variables) scrolls only on fold or unfold.
  depends->setBringIntoViewOnClick(false);
  form.scrollTo(start);
  QTest::mouseClick(depends, Qt::LeftButton, {}, emptySpace);
  EXPECT_EQ(form.scrollPosition(), start);
  depends->foldButton()->click();
  EXPECT_EQ(form.topInView(depends), 0);
}

TEST(SectionScrollArea, ThePressThatActivatesTheWindowBringsTheSectionIntoView) {
  SectionForm form;
  form.showActive();
  CollapsibleSection* depends = form.section("GroupBox5");
  auto* check = depends->findChild<QCheckBox*>();
  const int start = depends->y() + 40;

  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  ASSERT_FALSE(form.isActiveWindow());
  form.scrollTo(start);
  QTest::mouseClick(check, Qt::LeftButton);
  EXPECT_EQ(form.topInView(depends), 0);
  // The press went on to the control as usual.
  EXPECT_TRUE(check->isChecked());

  // Window systems report the activation just before the press that caused it.
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  form.scrollTo(start);
  QTest::mouseClick(check, Qt::LeftButton);
  EXPECT_EQ(form.topInView(depends), 0);
  form.scrollTo(start);
  QTest::mouseClick(check, Qt::LeftButton);
  EXPECT_EQ(form.scrollPosition(), start);
}

TEST(SectionScrollArea, FoldButtonsClickedByNameBeforeTheFirstShow) {
  SectionForm form;
  EXPECT_TRUE(SectionScrollArea::clickFoldButtons(form, {"Button4", "Button5", "Button6", "Button12"}));
  EXPECT_FALSE(SectionScrollArea::clickFoldButtons(form, {"Button99"}));
  form.section("GroupBox4")->findChild<QCheckBox*>()->setObjectName("Button99");
  EXPECT_FALSE(SectionScrollArea::clickFoldButtons(form, {"Button99"}));
  EXPECT_FALSE(form.section("GroupBox4")->findChild<QCheckBox*>()->isChecked());
  form.showActive();
  EXPECT_FALSE(form.section("GroupBox4")->isFolded());
  int top = 393;
  for (const char* name : {"GroupBox5", "GroupBox7", "GroupBox6", "GroupBox18"}) {
    CollapsibleSection* section = form.section(name);
    EXPECT_TRUE(section->isFolded()) << name;
    EXPECT_EQ(section->y(), top) << name;
    EXPECT_EQ(section->foldButton()->pos(), QPoint(section->width() - 16, 0)) << name;
    top += 22;
  }
  // Unfolding one gives it its design height.
  form.section("GroupBox7")->foldButton()->click();
  EXPECT_EQ(form.section("GroupBox7")->height(), form.section("GroupBox7")->designHeight());
}

// The steps of the code uic generates for a page: properties right after each section is made,
// the controls after them, the contents handed to the area last, titles and translatable
// properties at the very end; the layout keeps Designer's spacing and closing spacer.
TEST(SectionScrollArea, WorksAsAFormBuildsIt) {
  QWidget page;
  auto* pageLayout = new QVBoxLayout(&page);
  auto* area = new SectionScrollArea(&page);
  area->setObjectName("HeaderScrollBox");
  area->setWidgetResizable(true);
  auto* contents = new QWidget();
  auto* column = new QVBoxLayout(contents);
  auto* description = new CollapsibleSection(contents);
  description->setObjectName("GroupBox10");
  description->setDesignHeight(120);
  auto* fields = new QFormLayout(description);
  fields->addRow(new QLabel(QStringLiteral("Caption"), description), new QLineEdit(description));
  column->addWidget(description);
  auto* properties = new CollapsibleSection(contents);
  properties->setObjectName("GroupBox12");
  properties->setDesignHeight(225);
  column->addWidget(properties);
  column->addItem(new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Expanding));
  area->setWidget(contents);
  pageLayout->addWidget(area);
  description->setTitle(QStringLiteral(u" Описание проекта "));
  description->setProperty("foldButtonName", QStringLiteral("Button22"));
  description->setProperty("foldButtonInset", QPoint(1, 0));
  properties->setTitle(QStringLiteral(u" Главные свойства проекта "));
  properties->setProperty("foldButtonName", QStringLiteral("Button23"));
  page.resize(646, 400);

  page.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
  ASSERT_EQ(area->sections(), (QList<CollapsibleSection*>{description, properties}));
  EXPECT_EQ(description->height(), 120);
  EXPECT_EQ(properties->y(), 120);
  auto* button = page.findChild<QPushButton*>("Button22");
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->pos(), QPoint(description->width() - 17, 0));
  button->click();
  EXPECT_EQ(properties->y(), 22);
  EXPECT_EQ(button->pos(), QPoint(description->width() - 16, 0));
}

}  // namespace
}  // namespace sw
