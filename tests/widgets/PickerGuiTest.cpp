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

TEST(PickerGui, FillStyleItemsAreOutlinedSolidClearOrHatched) {
  TFillStyleComboBox box;
  box.SetBrushColor(255);
  const QColor base = box.palette().color(QPalette::Base);
  const QImage clear = RenderItem(box, 1);
  // Outline from (4, 2) to (95, 13): the right and bottom corner lie outside.
  EXPECT_EQ(clear.pixelColor(4, 2), QColor(Qt::black));
  EXPECT_EQ(clear.pixelColor(95, 13), QColor(Qt::black));
  for (QPoint p : {QPoint(96, 13), QPoint(95, 14), QPoint(3, 8)})
    EXPECT_EQ(clear.pixelColor(p), base);
  for (int y = 3; y <= 12; ++y)
    for (int x = 5; x <= 94; ++x) ASSERT_EQ(clear.pixelColor(x, y), base) << x << "," << y;
  const QImage solid = RenderItem(box, 0);
  EXPECT_EQ(solid.pixelColor(50, 8), QColor(Qt::red));
  EXPECT_EQ(solid.pixelColor(4, 8), QColor(Qt::black));
  const QImage hatch = RenderItem(box, 2);  // the pattern colour mixed with the background
  int red = 0, plain = 0;
  for (int y = 3; y <= 12; ++y) {
    red += hatch.pixelColor(50, y) == QColor(Qt::red);
    plain += hatch.pixelColor(50, y) == base;
  }
  EXPECT_GT(red, 0);
  EXPECT_GT(plain, 0);
  EXPECT_EQ(TFillStyleComboBox::BrushStyleOf(7), Qt::DiagCrossPattern);
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
