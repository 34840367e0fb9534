#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "widgets/TFillStyleComboBox.h"
#include "widgets/TLineWidthComboBox.h"

using kurvio::TFillStyleComboBox;
using kurvio::TLineWidthComboBox;

namespace {

TEST(PickerGui, ValuesStayInRangeAndOnlyTheUserFiresOnChange) {
  TFillStyleComboBox fill;
  QSignalSpy fillChanges(&fill, &TFillStyleComboBox::OnChange);
  fill.SetFillStyle(5);
  fill.SetFillStyle(8);
  fill.SetFillStyle(-1);
  EXPECT_EQ(fill.FillStyle(), 5);
  fill.SetMaxFillStyle(3);
  EXPECT_EQ(fill.count(), 4);
  EXPECT_EQ(fill.FillStyle(), 3);
  fill.SetMaxFillStyle(99);
  EXPECT_EQ(fill.count(), 8);
  EXPECT_EQ(fillChanges.count(), 0);
  fill.SetFillStyle(0);
  QTest::keyClick(&fill, Qt::Key_Down);
  EXPECT_EQ(fill.FillStyle(), 1);
  EXPECT_EQ(fillChanges.count(), 1);

  TLineWidthComboBox line;
  QSignalSpy lineChanges(&line, &TLineWidthComboBox::OnChange);
  QTest::keyClick(&line, Qt::Key_Down);
  QTest::keyClick(&line, Qt::Key_Down);
  EXPECT_EQ(line.LineWidth(), 3);
  EXPECT_EQ(lineChanges.count(), 2);
  line.SetLineWidth(6);
  line.SetLineWidth(0);
  EXPECT_EQ(line.currentIndex(), 2);
  line.SetMaxLineWidth(8);
  EXPECT_EQ(line.LineWidth(), 3);
  line.SetMaxLineWidth(2);
  EXPECT_EQ(line.LineWidth(), 2);
  line.SetMaxLineWidth(1000000);
  EXPECT_EQ(line.count(), TLineWidthComboBox::kLargestLineWidth);
}

}  // namespace
