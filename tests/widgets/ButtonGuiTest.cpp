#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include "widgets/TRichButton.h"
#include "widgets/TSMButton.h"

using kurvio::TRichButton;

namespace {

TEST(RichButtonGui, WithoutAllowDownItReturnsUpWhenReleasedOutside) {
  TRichButton button;
  button.resize(120, 60);
  button.show();
  QSignalSpy clicks(&button, &TRichButton::OnClick);
  QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(button.State(), kurvio::rbDown);
  QTest::mouseMove(&button, QPoint(200, 10));
  EXPECT_EQ(button.State(), kurvio::rbUp);
  QTest::mouseMove(&button, QPoint(20, 20));
  EXPECT_EQ(button.State(), kurvio::rbDown);
  QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(200, 10));
  EXPECT_EQ(button.State(), kurvio::rbUp);
  EXPECT_EQ(clicks.count(), 0);

  QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(button.State(), kurvio::rbUp);
  EXPECT_EQ(clicks.count(), 1);
  QTest::keyClick(&button, Qt::Key_Space);
  EXPECT_EQ(clicks.count(), 2);
}

TEST(RichButtonGui, AllowDownMakesAClickStick) {
  TRichButton button;
  button.resize(120, 60);
  button.show();
  button.SetAllowDown(true);
  QSignalSpy clicks(&button, &TRichButton::OnClick);
  QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(button.State(), kurvio::rbSticky);
  // A press released outside leaves it stuck.
  QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(-5, 10));
  EXPECT_EQ(button.State(), kurvio::rbSticky);
  QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(button.State(), kurvio::rbUp);
  EXPECT_EQ(clicks.count(), 2);
}

TEST(RichButtonGui, TextAreaLiesInsideFramesAndMovesWhileDown) {
  TRichButton button;
  EXPECT_EQ(button.size(), QSize(75, 25));
  button.resize(100, 50);
  EXPECT_EQ(button.TextRect(), QRect(2, 2, 96, 46));
  button.SetFocus(true);
  button.SetBorderWidth(3);
  button.SetBevelInner(kurvio::bvLowered);
  EXPECT_EQ(button.TextRect(), QRect(9, 9, 82, 32));
  EXPECT_EQ(button.RichView()->geometry(), button.TextRect());

  button.SetState(kurvio::rbDown);
  const QRect down = button.TextRect();
  EXPECT_EQ(down.topLeft(), QPoint(13, 11));
  EXPECT_EQ(down.bottomRight(), QPoint(90, 40));
  EXPECT_EQ(button.RichView()->geometry(), down);

  // Frames wider than the button leave no room rather than a negative one.
  button.SetBorderWidth(100);
  EXPECT_FALSE(button.RichView()->isVisibleTo(&button));
}

TEST(RichButtonGui, FocusFrameLightsUnderTheMouse) {
  TRichButton button;
  button.resize(100, 50);
  button.SetFocus(true);
  button.SetFocusColor(255);
  button.SetColor(12632256);
  EXPECT_EQ(button.grab().toImage().pixelColor(0, 0), QColor(192, 192, 192));
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QCoreApplication::sendEvent(&button, &enter);
  EXPECT_TRUE(button.MouseOver());
  EXPECT_EQ(button.grab().toImage().pixelColor(0, 0), QColor(Qt::red));
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(&button, &leave);
  EXPECT_EQ(button.grab().toImage().pixelColor(0, 0), QColor(192, 192, 192));
}

TEST(RichButtonGui, LinesArePlainOrFormatted) {
  TRichButton button;
  button.SetLines({QStringLiteral("Funktionsgraphen"), QStringLiteral("y = mx+c")});
  QTextDocument* doc = button.RichView()->document();
  EXPECT_EQ(doc->blockCount(), 2);
  EXPECT_EQ(doc->toPlainText(), QStringLiteral("Funktionsgraphen\ny = mx+c"));

  button.SetLines({QStringLiteral("<b>Funktionsgraphen</b>"), QStringLiteral("y = ax²+bx+c")});
  button.SetAlignment(kurvio::taCenter);
  EXPECT_EQ(doc->blockCount(), 2);
  EXPECT_EQ(doc->firstBlock().text(), QStringLiteral("Funktionsgraphen"));
  EXPECT_EQ(doc->lastBlock().text(), QStringLiteral("y = ax²+bx+c"));
  EXPECT_GT(doc->firstBlock().begin().fragment().charFormat().fontWeight(), QFont::Normal);
  EXPECT_EQ(doc->lastBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
            Qt::AlignHCenter);
}

TEST(SMButtonGui, LongCaptionsWrap) {
  kurvio::TSMButton button(QStringLiteral("Letztes Objekt in der Liste löschen"));
  EXPECT_TRUE(button.WordWrap());
  button.resize(90, 60);
  EXPECT_GE(button.CaptionLineCount(), 2);
  EXPECT_GT(button.heightForWidth(90), button.heightForWidth(400));
  button.SetWordWrap(false);
  EXPECT_EQ(button.CaptionLineCount(), 1);
  kurvio::TSMButton plain;
  EXPECT_EQ(plain.size(), QSize(75, 25));
}

}  // namespace
