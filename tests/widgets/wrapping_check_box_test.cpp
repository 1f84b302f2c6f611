#include "widgets/wrapping_check_box.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

namespace sw {
namespace {

const QString kCaption = QStringLiteral("Перезагрузить после установки программы");

// In a column narrower than its caption the box keeps its caption, wraps it onto more lines,
// gets the height of those lines from its layout, and reacts to a click on the last line.
TEST(WrappingCheckBox, WrapsInANarrowColumnAndKeepsItsCaption) {
  QWidget column;
  auto* layout = new QVBoxLayout(&column);
  auto* box = new WrappingCheckBox(kCaption);
  layout->addWidget(box);
  layout->addStretch();
  const int oneLine = box->sizeHint().height();
  EXPECT_EQ(box->heightForWidth(box->sizeHint().width()), oneLine);
  EXPECT_LT(box->minimumSizeHint().width(), box->sizeHint().width() / 2);
  EXPECT_GE(box->minimumSizeHint().width(),
            box->fontMetrics().horizontalAdvance(QStringLiteral("Перезагрузить")));

  column.resize(box->sizeHint().width() * 2 / 3, 200);
  column.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&column));
  EXPECT_LE(box->width(), column.width());
  EXPECT_GT(box->height(), oneLine);
  EXPECT_EQ(box->height(), box->heightForWidth(box->width()));
  EXPECT_EQ(box->text(), kCaption);

  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 3, box->height() - 3));
  EXPECT_TRUE(box->isChecked());
}

}  // namespace
}  // namespace sw
