#include <gtest/gtest.h>

#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include "widgets/TFillStyleComboBox.h"
#include "widgets/TLineWidthComboBox.h"

using kurvio::TFillStyleComboBox;
using kurvio::TLineWidthComboBox;

namespace {

QImage RenderItem(const kurvio::TPictureComboBox& box, int index, int width = 100) {
  QImage image(width, box.ItemHeight(), QImage::Format_RGB32);
  image.fill(Qt::magenta);
  QPainter painter(&image);
  box.DrawItem(painter, image.rect(), index, false);
  return image;
}

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

// A width's item shows a line of the same width the curves are drawn with.
TEST(PickerGui, LineWidthItemsShowLinesOfTheirWidth) {
  TLineWidthComboBox box;
  box.SetLineColor(16711680);
  box.SetMaxLineWidth(TLineWidthComboBox::kLargestLineWidth);
  const QColor blue(Qt::blue);
  for (int width = 1; width <= 5; ++width) {
    SCOPED_TRACE(width);
    const QImage item = RenderItem(box, width - 1);
    int rows = 0, firstRow = -1;
    for (int y = 0; y < item.height(); ++y)
      if (item.pixelColor(50, y) == blue) {
        if (firstRow < 0) firstRow = y;
        ++rows;
      }
    EXPECT_EQ(rows, width);
    EXPECT_EQ(firstRow, 8 - width / 2);
    // Ends are pulled in by the width: from left + 6 + width to right - 6 - width.
    EXPECT_EQ(item.pixelColor(6 + width, 8), blue);
    EXPECT_NE(item.pixelColor(5 + width, 8), blue);
    EXPECT_EQ(item.pixelColor(99 - 6 - width, 8), blue);
    EXPECT_NE(item.pixelColor(100 - 6 - width, 8), blue);
  }
  // Very wide lines in a narrow item draw nothing rather than a reversed line.
  const QImage narrow = RenderItem(box, TLineWidthComboBox::kLargestLineWidth - 1, 40);
  EXPECT_NE(narrow.pixelColor(20, 8), blue);
  // The closed box shows the chosen one.
  box.resize(145, 23);
  box.SetLineWidth(5);
  const QImage image = box.grab().toImage();
  int lineRows = 0;
  for (int y = 0; y < image.height(); ++y) lineRows += image.pixelColor(40, y) == blue;
  EXPECT_EQ(lineRows, 5);
}

}  // namespace
