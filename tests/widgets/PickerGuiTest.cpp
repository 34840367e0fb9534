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

TEST(PickerGui, FillStyleItemsAndLimits) {
  TFillStyleComboBox box;
  EXPECT_EQ(box.height(), 23);
  EXPECT_EQ(box.ItemHeight(), 16);
  EXPECT_EQ(box.MaxFillStyle(), 7);
  EXPECT_EQ(box.FillStyle(), 0);
  ASSERT_EQ(box.count(), 8);
  EXPECT_EQ(box.itemText(0), QStringLiteral("Ashurado 1"));
  EXPECT_EQ(box.itemText(7), QStringLiteral("Ashurado 8"));

  QSignalSpy changes(&box, &TFillStyleComboBox::OnChange);
  box.SetFillStyle(5);
  EXPECT_EQ(box.FillStyle(), 5);
  box.SetFillStyle(8);
  box.SetFillStyle(-1);
  EXPECT_EQ(box.FillStyle(), 5);
  EXPECT_EQ(changes.count(), 0);

  box.SetMaxFillStyle(3);
  EXPECT_EQ(box.count(), 4);
  EXPECT_EQ(box.FillStyle(), 3);
  box.SetFillStyle(4);
  EXPECT_EQ(box.FillStyle(), 3);
  box.SetMaxFillStyle(99);
  EXPECT_EQ(box.MaxFillStyle(), 7);
  EXPECT_EQ(box.count(), 8);
  EXPECT_EQ(changes.count(), 0);
}

TEST(PickerGui, ChoosingAnItemFiresOnChange) {
  TFillStyleComboBox fill;
  QSignalSpy fillChanges(&fill, &TFillStyleComboBox::OnChange);
  QTest::keyClick(&fill, Qt::Key_Down);
  EXPECT_EQ(fill.FillStyle(), 1);
  EXPECT_EQ(fillChanges.count(), 1);

  TLineWidthComboBox line;
  QSignalSpy lineChanges(&line, &TLineWidthComboBox::OnChange);
  QTest::keyClick(&line, Qt::Key_Down);
  QTest::keyClick(&line, Qt::Key_Down);
  EXPECT_EQ(line.LineWidth(), 3);
  EXPECT_EQ(lineChanges.count(), 2);
}

TEST(PickerGui, ClearFillStyleIsAnEmptyOutlinedRectangle) {
  TFillStyleComboBox box;
  box.SetBrushColor(255);
  const QColor base = box.palette().color(QPalette::Base);
  const QImage clear = RenderItem(box, 1);
  // Outline from (4, 2) to (95, 13): the right and bottom corner lie outside.
  EXPECT_EQ(clear.pixelColor(4, 2), QColor(Qt::black));
  EXPECT_EQ(clear.pixelColor(95, 13), QColor(Qt::black));
  EXPECT_EQ(clear.pixelColor(96, 13), base);
  EXPECT_EQ(clear.pixelColor(95, 14), base);
  EXPECT_EQ(clear.pixelColor(3, 8), base);
  for (int y = 3; y <= 12; ++y)
    for (int x = 5; x <= 94; ++x) ASSERT_EQ(clear.pixelColor(x, y), base) << x << "," << y;

  const QImage solid = RenderItem(box, 0);
  EXPECT_EQ(solid.pixelColor(50, 8), QColor(Qt::red));
  EXPECT_EQ(solid.pixelColor(4, 8), QColor(Qt::black));

  // A hatch mixes the pattern colour with the cleared background.
  const QImage hatch = RenderItem(box, 2);
  int red = 0;
  int plain = 0;
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
  EXPECT_EQ(box.ItemHeight(), 17);
  EXPECT_EQ(box.MaxLineWidth(), 5);
  EXPECT_EQ(box.LineWidth(), 1);
  ASSERT_EQ(box.count(), 5);
  EXPECT_EQ(box.itemText(4), QStringLiteral("Ancho 5"));

  box.SetLineWidth(3);
  EXPECT_EQ(box.currentIndex(), 2);
  box.SetLineWidth(6);
  box.SetLineWidth(0);
  EXPECT_EQ(box.LineWidth(), 3);

  box.SetLineColor(16711680);
  const QColor blue(Qt::blue);
  for (int width = 1; width <= 5; ++width) {
    const QImage item = RenderItem(box, width - 1);
    int rows = 0;
    int firstRow = -1;
    for (int y = 0; y < item.height(); ++y) {
      if (item.pixelColor(50, y) == blue) {
        if (firstRow < 0) firstRow = y;
        ++rows;
      }
    }
    EXPECT_EQ(rows, width) << "width " << width;
    EXPECT_EQ(firstRow, 8 - width / 2) << "width " << width;
    // Ends are pulled in by the width: from left + 6 + width to right - 6 - width.
    EXPECT_EQ(item.pixelColor(6 + width, 8), blue);
    EXPECT_NE(item.pixelColor(5 + width, 8), blue);
    EXPECT_EQ(item.pixelColor(99 - 6 - width, 8), blue);
    EXPECT_NE(item.pixelColor(100 - 6 - width, 8), blue);
  }

  box.SetMaxLineWidth(8);
  EXPECT_EQ(box.count(), 8);
  EXPECT_EQ(box.LineWidth(), 3);
  box.SetMaxLineWidth(2);
  EXPECT_EQ(box.LineWidth(), 2);
  box.SetMaxLineWidth(1000000);
  EXPECT_EQ(box.count(), TLineWidthComboBox::kLargestLineWidth);
  // Very wide lines in a narrow item draw nothing rather than a reversed line.
  const QImage narrow = RenderItem(box, TLineWidthComboBox::kLargestLineWidth - 1, 40);
  EXPECT_NE(narrow.pixelColor(20, 8), blue);
}

TEST(PickerGui, ClosedBoxShowsTheChosenPicture) {
  TLineWidthComboBox box;
  box.resize(145, 23);
  box.SetLineColor(255);
  box.SetLineWidth(5);
  const QImage image = box.grab().toImage();
  int red = 0;
  for (int y = 0; y < image.height(); ++y) red += image.pixelColor(40, y) == QColor(Qt::red);
  EXPECT_EQ(red, 5);
}

}  // namespace
