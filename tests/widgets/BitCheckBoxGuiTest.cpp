#include <gtest/gtest.h>

#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>

#include "widgets/CheckGlyphs.h"
#include "widgets/TBitCheckBox.h"

using kurvio::TBitCheckBox;

namespace {

// Columns [from, to) of the image that hold a pixel other than the background.
bool HasInk(const QImage& image, int from, int to, const QColor& background) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = from; x < to; ++x)
      if (image.pixelColor(x, y) != background) return true;
  return false;
}

// The darkest grey level within r.
int Darkest(const QImage& image, const QRect& r) {
  int darkest = 255;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x)
      darkest = std::min(darkest, qGray(image.pixel(x, y)));
  return darkest;
}

// A 20 x 10 bitmap without alpha of two images: green (with a magenta
// transparent corner) and blue.
QPixmap TwoImageGlyph() {
  QImage image(20, 10, QImage::Format_RGB32);
  image.fill(Qt::green);
  QPainter painter(&image);
  painter.fillRect(10, 0, 10, 10, Qt::blue);
  painter.end();
  image.setPixelColor(0, 9, Qt::magenta);
  image.setPixelColor(1, 9, Qt::magenta);
  return QPixmap::fromImage(image);
}

TEST(BitCheckBoxGui, Defaults) {
  TBitCheckBox box;
  EXPECT_EQ(box.size(), QSize(97, 17));
  EXPECT_FALSE(box.Checked());
  EXPECT_EQ(box.State(), kurvio::cbUnchecked);
  EXPECT_FALSE(box.AllowGrayed());
  EXPECT_EQ(box.Alignment(), kurvio::taRightJustify);
  EXPECT_TRUE(box.focusPolicy() & Qt::TabFocus);
  EXPECT_EQ(box.ImageWidth(), 0);
}

TEST(BitCheckBoxGui, WithoutBitmapsOnlyTheCaptionIsDrawn) {
  TBitCheckBox box;
  box.SetColor(16777215);
  box.SetCaption(QStringLiteral("Tangente"));
  const QColor white(Qt::white);
  for (kurvio::TCheckBoxState state : {kurvio::cbUnchecked, kurvio::cbChecked}) {
    box.SetState(state);
    const QImage image = box.grab().toImage();
    EXPECT_EQ(box.CaptionRect().left(), 4);
    // Columns 0..2 would hold a box; the first letter may lean one pixel left of 4.
    EXPECT_FALSE(HasInk(image, 0, 3, white));
    EXPECT_TRUE(HasInk(image, 4, box.CaptionRect().right() + 1, white));
    EXPECT_FALSE(HasInk(image, box.CaptionRect().right() + 2, image.width(), white));
  }
  box.SetCaption(QString());
  EXPECT_FALSE(HasInk(box.grab().toImage(), 0, box.width(), white));
}

TEST(BitCheckBoxGui, ClicksCycleGrayedOnlyWhenAllowed) {
  TBitCheckBox box;
  box.SetCaption(QStringLiteral("Zoom"));
  box.show();
  QSignalSpy clicks(&box, &TBitCheckBox::OnClick);
  std::vector<kurvio::TCheckBoxState> seen;
  for (int i = 0; i < 4; ++i) {
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(5, 8));
    seen.push_back(box.State());
  }
  EXPECT_EQ(seen, (std::vector{kurvio::cbChecked, kurvio::cbUnchecked, kurvio::cbChecked,
                               kurvio::cbUnchecked}));
  EXPECT_EQ(clicks.count(), 4);
  EXPECT_EQ(box.window()->focusWidget(), &box);

  box.SetAllowGrayed(true);
  seen.clear();
  for (int i = 0; i < 4; ++i) {
    QTest::keyClick(&box, Qt::Key_Space);
    seen.push_back(box.State());
  }
  EXPECT_EQ(seen, (std::vector{kurvio::cbGrayed, kurvio::cbChecked, kurvio::cbUnchecked,
                               kurvio::cbGrayed}));
  EXPECT_FALSE(box.Checked());

  // A release outside the box is no click; setting the state from code fires nothing.
  QTest::mousePress(&box, Qt::LeftButton, {}, QPoint(5, 8));
  QTest::mouseRelease(&box, Qt::LeftButton, {}, QPoint(200, 8));
  box.SetChecked(true);
  EXPECT_TRUE(box.Checked());
  EXPECT_EQ(clicks.count(), 8);
}

TEST(BitCheckBoxGui, GlyphImagesTransparencyAndDisabledLook) {
  TBitCheckBox box;
  box.SetColor(16777215);
  box.SetCaption(QStringLiteral("f' "));
  box.SetCheckedGlyph(TwoImageGlyph());
  box.SetCheckedNumGlyphs(2);
  box.SetChecked(true);
  EXPECT_EQ(box.ImageWidth(), 10);
  EXPECT_EQ(box.CaptionRect().left(), 14);

  const int top = (17 - 10) / 2;
  QImage image = box.grab().toImage();
  EXPECT_EQ(image.pixelColor(5, top + 4), QColor(Qt::green));
  EXPECT_EQ(image.pixelColor(0, top + 9), QColor(Qt::white));   // transparent colour
  EXPECT_EQ(image.pixelColor(10, top + 4), QColor(Qt::white));  // second image not shown

  EXPECT_LT(Darkest(image, box.CaptionRect()), 60);
  box.setEnabled(false);
  image = box.grab().toImage();
  EXPECT_EQ(image.pixelColor(5, top + 4), QColor(Qt::blue));
  // Embossed caption: grey text, nothing darker.
  const int darkest = Darkest(image, box.CaptionRect());
  EXPECT_GE(darkest, 100);
  EXPECT_LE(darkest, 160);

  // With one image the disabled box keeps it.
  box.SetCheckedNumGlyphs(1);
  EXPECT_EQ(box.ImageWidth(), 20);
  image = box.grab().toImage();
  EXPECT_EQ(image.pixelColor(5, top + 4), QColor(Qt::green));
  EXPECT_EQ(image.pixelColor(15, top + 4), QColor(Qt::blue));

  // Caption left of the box: the box moves to the right edge.
  box.setEnabled(true);
  box.SetCheckedNumGlyphs(2);
  box.SetAlignment(kurvio::taLeftJustify);
  EXPECT_EQ(box.CaptionRect().left(), 1);
  image = box.grab().toImage();
  EXPECT_EQ(image.pixelColor(box.width() - 5, top + 4), QColor(Qt::green));
  EXPECT_EQ(image.pixelColor(5, top + 4), QColor(Qt::white));
}

TEST(BitCheckBoxGui, StandardGlyphsShowTheState) {
  TBitCheckBox box;
  kurvio::UseStandardCheckGlyphs(box);
  EXPECT_EQ(box.ImageWidth(), kurvio::kCheckGlyphSize);
  const QImage unchecked = box.grab().toImage();
  box.SetChecked(true);
  const QImage checked = box.grab().toImage();
  // The tick lies in the middle of the box.
  const int top = (17 - kurvio::kCheckGlyphSize) / 2;
  EXPECT_EQ(unchecked.pixelColor(5, top + 7), QColor(Qt::white));
  EXPECT_EQ(checked.pixelColor(5, top + 7), QColor(Qt::black));
}

}  // namespace
