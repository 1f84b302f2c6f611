#include "widgets/collapsible_section.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "section_form.h"
#include "support/wait_until.h"

namespace sw {
namespace {

using testing::makeSection;
using testing::SectionForm;
using testing::waitUntil;

TEST(CollapsibleSection, FoldsToItsTitleLineAndUnfoldsToTheHeightItHad) {
  SectionForm form;
  form.showActive();
  CollapsibleSection* general = form.section("GroupBox4");
  EXPECT_EQ(general->findChild<QPushButton*>(QStringLiteral("Button2")), general->foldButton());
  EXPECT_EQ(general->foldButton()->size(), QSize(16, 16));
  auto* edit = general->findChild<QLineEdit*>();
  auto* purposelyHidden = general->findChildren<QLabel*>().last();
  purposelyHidden->hide();
  for (const char* name : {"GroupBox4", "GroupBox5", "GroupBox18"}) {
    CollapsibleSection* section = form.section(name);
    EXPECT_EQ(section->foldButton()->text(), QStringLiteral("-")) << name;
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

  // Folded, only the title line and the button show; a control hidden before stays hidden.
  general->foldButton()->click();
  EXPECT_FALSE(edit->isVisible());
  EXPECT_TRUE(general->foldButton()->isVisible());
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
  EXPECT_EQ(commands->foldButton()->pos(), QPoint(commands->width() - 16, 0));
}

TEST(CollapsibleSection, ContentsNeedingMoreThanTheDesignHeightAreNotClipped) {
  auto* section =
      makeSection("GroupBox3", QStringLiteral(u" По завершению процесса установки "), "Button27", 60, 8);
  QFont big = section->font();
  big.setPixelSize(24);
  section->setFont(big);
  SectionForm form;
  form.area->addSection(section);
  form.showActive();
  ASSERT_TRUE(waitUntil([&] { return section->height() > 60; }));
  EXPECT_EQ(section->height(), section->neededHeight());
  for (const QWidget* control : section->findChildren<QWidget*>()) {
    if (control == section->foldButton()) continue;
    EXPECT_LE(control->geometry().bottom(), section->contentsRect().bottom());
  }
  // Unfolding keeps what the contents need, also when the font grew while folded.
  const int expanded = section->height();
  section->foldButton()->click();
  section->foldButton()->click();
  EXPECT_EQ(section->height(), expanded);
  section->foldButton()->click();
  big.setPixelSize(30);
  section->setFont(big);
  section->foldButton()->click();
  EXPECT_GT(section->height(), expanded);
  EXPECT_EQ(section->height(), section->neededHeight());
}

TEST(CollapsibleSection, AFarLargerFontKeepsTheFoldedTitleAndCaptionWhole) {
  SectionForm form;
  form.showActive();
  CollapsibleSection* registry = form.section("GroupBox6");
  QFont huge = registry->font();
  huge.setPixelSize(40);
  registry->setFont(huge);
  registry->foldButton()->click();
  EXPECT_GE(registry->height(), registry->fontMetrics().height());
  EXPECT_LE(registry->foldButton()->fontMetrics().height(), registry->foldButton()->height());
  EXPECT_EQ(form.section("GroupBox18")->y(), registry->y() + registry->height());
}

}  // namespace
}  // namespace sw
