#include "widgets/collapsible_section.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include "section_form.h"
#include "support/wait_until.h"

namespace sw {
namespace {

using testing::makeSection;
using testing::SectionForm;
using testing::waitUntil;

QPoint cornerOf(const CollapsibleSection& section) {
  return {section.width() - section.foldButton()->width(), 0};
}

TEST(CollapsibleSection, FoldButtonIsNamedSmallAndStartsUnfolded) {
  SectionForm form;
  form.showActive();
  CollapsibleSection* general = form.section("GroupBox4");
  auto* button = general->findChild<QPushButton*>(QStringLiteral("Button2"));
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button, general->foldButton());
  EXPECT_EQ(button->size(), QSize(16, 16));
  EXPECT_EQ(button->text(), QStringLiteral("-"));
  EXPECT_FALSE(general->isFolded());
  EXPECT_EQ(general->title(), QStringLiteral(u" Общие свойства "));
  EXPECT_EQ(button->pos(), cornerOf(*general));
}

TEST(CollapsibleSection, FoldThenUnfoldGivesBackTheHeight) {
  SectionForm form;
  form.showActive();
  for (const char* name : {"GroupBox4", "GroupBox5", "GroupBox18"}) {
    CollapsibleSection* section = form.section(name);
    const int expanded = section->height();
    section->foldButton()->click();
    EXPECT_TRUE(section->isFolded()) << name;
    EXPECT_EQ(section->foldButton()->text(), QStringLiteral("+")) << name;
    EXPECT_EQ(section->height(), 22) << name;
    EXPECT_EQ(section->expandedHeight(), expanded) << name;
    section->foldButton()->click();
    EXPECT_EQ(section->foldButton()->text(), QStringLiteral("-")) << name;
    EXPECT_EQ(section->height(), expanded) << name;
  }
}

TEST(CollapsibleSection, FoldedShowsOnlyTitleLineAndButton) {
  SectionForm form;
  form.showActive();
  CollapsibleSection* general = form.section("GroupBox4");
  auto* edit = general->findChild<QLineEdit*>();
  auto* purposelyHidden = general->findChildren<QLabel*>().last();
  purposelyHidden->hide();
  general->foldButton()->click();
  EXPECT_FALSE(edit->isVisible());
  EXPECT_TRUE(general->foldButton()->isVisible());
  // The title line fits the folded height.
  EXPECT_LE(general->fontMetrics().height(), general->height());
  general->foldButton()->click();
  EXPECT_TRUE(edit->isVisible());
  EXPECT_FALSE(purposelyHidden->isVisible());
}

TEST(CollapsibleSection, ButtonStandsInTheCornerAfterToggleAndResize) {
  CollapsibleSection section;
  section.setFoldButtonInset(QPoint(1, 2));
  section.resize(623, 60);
  section.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&section));
  // As the form placed it until the first toggle: 1 from the right, 2 from the top.
  EXPECT_EQ(section.foldButton()->pos(), QPoint(606, 2));
  section.foldButton()->click();
  EXPECT_EQ(section.foldButton()->pos(), QPoint(607, 0));
  section.resize(400, section.height());
  ASSERT_TRUE(waitUntil([&] { return section.width() == 400; }));
  EXPECT_EQ(section.foldButton()->pos(), QPoint(384, 0));

  SectionForm form;
  form.showActive();
  CollapsibleSection* commands = form.section("GroupBox7");
  commands->foldButton()->click();
  form.resize(form.width() + 120, form.height());
  ASSERT_TRUE(waitUntil([&] { return commands->width() == form.area->viewport()->width(); }));
  EXPECT_EQ(commands->foldButton()->pos(), cornerOf(*commands));
}

TEST(CollapsibleSection, ContentsNeedingMoreThanTheDesignHeightAreNotClipped) {
  auto* section =
      makeSection("GroupBox18", QStringLiteral(u" Проверка наличия программы "), "Button12", 75, 8);
  QFont big = section->font();
  big.setPixelSize(24);
  section->setFont(big);
  SectionForm form;
  form.area->addSection(section);
  form.showActive();
  ASSERT_TRUE(waitUntil([&] { return section->height() > 75; }));
  EXPECT_EQ(section->height(), section->neededHeight());
  for (const QWidget* control : section->findChildren<QWidget*>()) {
    if (control == section->foldButton()) continue;
    EXPECT_LE(control->geometry().bottom(), section->contentsRect().bottom());
  }
  // Unfolding keeps what the contents need.
  const int expanded = section->height();
  section->foldButton()->click();
  section->foldButton()->click();
  EXPECT_EQ(section->height(), expanded);
}

TEST(CollapsibleSection, FontGrownWhileFoldedUnfoldsToWhatTheContentsNeed) {
  SectionForm form;
  form.showActive();
  CollapsibleSection* registry = form.section("GroupBox6");
  registry->foldButton()->click();
  QFont big = registry->font();
  big.setPixelSize(30);
  registry->setFont(big);
  registry->foldButton()->click();
  EXPECT_GT(registry->height(), 125);
  EXPECT_EQ(registry->height(), registry->neededHeight());
}

TEST(CollapsibleSection, ShorterContentsKeepTheDesignHeight) {
  CollapsibleSection section(QStringLiteral(u" По завершению процесса установки "));
  section.setProperty("designHeight", 120);
  new QVBoxLayout(&section);
  section.layout()->addWidget(new QLineEdit(&section));
  section.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&section));
  EXPECT_EQ(section.height(), 120);
}

}  // namespace
}  // namespace sw
