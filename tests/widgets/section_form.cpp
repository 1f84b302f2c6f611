#include "section_form.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

#include "support/wait_until.h"
#include "widgets/section_activation.h"

namespace sw::testing {

CollapsibleSection* makeSection(const char* name, const QString& title, const char* button, int designHeight,
                                int rows) {
  auto* section = new CollapsibleSection;
  section->setObjectName(QString::fromLatin1(name));
  section->setTitle(title);
  section->setProperty("foldButtonName", QString::fromLatin1(button));
  section->setProperty("designHeight", designHeight);
  auto* column = new QVBoxLayout(section);
  for (int row = 0; row < rows; ++row) {
    column->addWidget(new QLabel(QStringLiteral(u"Поле %1").arg(row + 1), section));
    column->addWidget(new QLineEdit(section));
  }
  column->addWidget(new QCheckBox(QStringLiteral(u"Пункт выбран по умолчанию"), section));
  column->addStretch();
  return section;
}

SectionForm::SectionForm(int visibleHeight) {
  auto* page = new QVBoxLayout(this);
  page->setContentsMargins(QMargins());
  area = new SectionScrollArea(this);
  area->setObjectName(QStringLiteral("PrgScrollBox"));
  page->addWidget(area);
  area->addSection(makeSection("GroupBox4", QStringLiteral(u" Общие свойства "), "Button2", 393, 6));
  area->addSection(
      makeSection("GroupBox5", QStringLiteral(u" Зависимости и исключения "), "Button4", 148, 1));
  area->addSection(makeSection("GroupBox7", QStringLiteral(u" Команды установки "), "Button5", 258, 4));
  area->addSection(makeSection("GroupBox6", QStringLiteral(u" Работа с реестром "), "Button6", 125, 1));
  area->addSection(
      makeSection("GroupBox18", QStringLiteral(u" Проверка наличия программы "), "Button12", 75, 1));
  // As wide as the panel's sections plus a vertical scroll bar.
  resize(277 + area->verticalScrollBar()->sizeHint().width(), visibleHeight);
}

void SectionForm::showActive() {
  show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(this));
  activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(this));
  QTest::qWait(kActivatingPressMs + 50);
}

CollapsibleSection* SectionForm::section(const char* name) const {
  auto* found = area->findChild<CollapsibleSection*>(QString::fromLatin1(name));
  EXPECT_NE(found, nullptr) << name;
  return found;
}

int SectionForm::scrollPosition() const { return area->verticalScrollBar()->value(); }

void SectionForm::scrollTo(int position) { area->verticalScrollBar()->setValue(position); }

int SectionForm::topInView(const QWidget* section) const {
  return section->mapTo(area->viewport(), QPoint()).y();
}

}  // namespace sw::testing
