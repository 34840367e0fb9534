#include <gtest/gtest.h>

#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>

#include "widgets/CheckGlyphs.h"
#include "widgets/TBitCheckBox.h"

using namespace kurvio;

namespace {

// Whether columns [from, to) hold a pixel other than white.
bool HasInk(const QImage& image, int from, int to) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = from; x < to; ++x)
      if (image.pixelColor(x, y) != QColor(Qt::white)) return true;
  return false;
}

int Darkest(const QImage& image, const QRect& r) {
  int darkest = 255;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x)
      darkest = std::min(darkest, qGray(image.pixel(x, y)));
  return darkest;
}

TEST(BitCheckBoxGui, WithoutBitmapsOnlyTheCaptionIsDrawn) {
  TBitCheckBox box;
  box.SetColor(16777215);
  box.SetCaption(QStringLiteral("Tangente"));
  for (TCheckBoxState state : {cbUnchecked, cbChecked}) {
    box.SetState(state);
    const QImage image = box.grab().toImage();
    EXPECT_FALSE(HasInk(image, 0, 3));  // the first letter may lean one pixel left of 4
    EXPECT_TRUE(HasInk(image, 4, box.CaptionRect().right() + 1));
    EXPECT_FALSE(HasInk(image, box.CaptionRect().right() + 2, image.width()));
  }
  box.SetCaption(QString());
  EXPECT_FALSE(HasInk(box.grab().toImage(), 0, box.width()));
}

TEST(BitCheckBoxGui, ClicksCycleGrayedOnlyWhenAllowed) {
  TBitCheckBox box;
  box.show();
  QSignalSpy clicks(&box, &TBitCheckBox::OnClick);
  std::vector<TCheckBoxState> seen;
  for (int i = 0; i < 3; ++i) {
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(5, 8));
    seen.push_back(box.State());
  }
  EXPECT_EQ(box.window()->focusWidget(), &box);
  box.SetAllowGrayed(true);
  for (int i = 0; i < 4; ++i) {
    QTest::keyClick(&box, Qt::Key_Space);
    seen.push_back(box.State());
  }
  EXPECT_EQ(seen, (std::vector{cbChecked, cbUnchecked, cbChecked, cbUnchecked, cbGrayed, cbChecked,
                               cbUnchecked}));
  // A release outside the box is no click; setting the state from code fires nothing.
  QTest::mousePress(&box, Qt::LeftButton, {}, QPoint(5, 8));
  QTest::mouseRelease(&box, Qt::LeftButton, {}, QPoint(200, 8));
  box.SetChecked(true);
  EXPECT_TRUE(box.Checked());
  EXPECT_EQ(clicks.count(), 7);
}

TEST(BitCheckBoxGui, GlyphImagesTransparencyAndDisabledLook) {
  // Two 10 x 10 images side by side: green with a magenta (transparent) corner, and blue.
  QImage glyph(20, 10, QImage::Format_RGB32);
  glyph.fill(Qt::green);
  QPainter(&glyph).fillRect(10, 0, 10, 10, Qt::blue);
  glyph.setPixelColor(0, 9, Qt::magenta);
  glyph.setPixelColor(1, 9, Qt::magenta);
  TBitCheckBox box;
  box.SetColor(16777215);
  box.SetCaption(QStringLiteral("f' "));
  box.SetCheckedGlyph(QPixmap::fromImage(glyph));
  box.SetCheckedNumGlyphs(2);
  box.SetChecked(true);
  EXPECT_EQ(box.CaptionRect().left(), 14);

  const int top = (17 - 10) / 2;
  QImage image = box.grab().toImage();
  EXPECT_EQ(image.pixelColor(5, top + 4), QColor(Qt::green));
  EXPECT_EQ(image.pixelColor(0, top + 9), QColor(Qt::white));
  EXPECT_EQ(image.pixelColor(10, top + 4), QColor(Qt::white));  // second image not shown
  EXPECT_LT(Darkest(image, box.CaptionRect()), 60);
  box.setEnabled(false);
  image = box.grab().toImage();
  EXPECT_EQ(image.pixelColor(5, top + 4), QColor(Qt::blue));
  const int darkest = Darkest(image, box.CaptionRect());  // embossed: grey, nothing darker
  EXPECT_GE(darkest, 100);
  EXPECT_LE(darkest, 160);

  box.SetCheckedNumGlyphs(1);  // one image: the disabled box keeps it
  image = box.grab().toImage();
  EXPECT_EQ(image.pixelColor(5, top + 4), QColor(Qt::green));
  EXPECT_EQ(image.pixelColor(15, top + 4), QColor(Qt::blue));

  box.setEnabled(true);  // caption left: the box moves to the right edge
  box.SetCheckedNumGlyphs(2);
  box.SetAlignment(taLeftJustify);
  EXPECT_EQ(box.CaptionRect().left(), 1);
  image = box.grab().toImage();
  EXPECT_EQ(image.pixelColor(box.width() - 5, top + 4), QColor(Qt::green));
  EXPECT_EQ(image.pixelColor(5, top + 4), QColor(Qt::white));
}

TEST(BitCheckBoxGui, StandardGlyphsShowTheState) {
  TBitCheckBox box;
  UseStandardCheckGlyphs(box);
  const int top = (17 - kCheckGlyphSize) / 2;
  EXPECT_EQ(box.grab().toImage().pixelColor(5, top + 7), QColor(Qt::white));
  box.SetChecked(true);
  EXPECT_EQ(box.grab().toImage().pixelColor(5, top + 7), QColor(Qt::black));
}

}  // namespace
