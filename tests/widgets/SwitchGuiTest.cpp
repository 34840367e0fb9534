#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <memory>

#include "widgets/TSwitch.h"

using kurvio::TSwitch;

namespace {

// Records the signals of a switch in the order they arrive, with the state
// each one saw.
struct EventLog {
  QStringList entries;
  explicit EventLog(TSwitch* s) {
    auto add = [this, s](const char* name) {
      entries << QString::fromLatin1(name) + (s->Checked() ? "+" : "-");
    };
    QObject::connect(s, &TSwitch::OnChanged, [add] { add("Changed"); });
    QObject::connect(s, &TSwitch::OnChecked, [add] { add("Checked"); });
    QObject::connect(s, &TSwitch::OnUnChecked, [add] { add("UnChecked"); });
    QObject::connect(s, &TSwitch::OnClick, [add] { add("Click"); });
  }
};

const QPoint kLeftHalf(10, 12);
const QPoint kRightHalf(70, 12);

TEST(SwitchGui, Defaults) {
  TSwitch s;
  EXPECT_EQ(s.size(), QSize(83, 24));
  EXPECT_EQ(s.CaptionOn(), QStringLiteral("EIN"));
  EXPECT_EQ(s.CaptionOff(), QStringLiteral("AUS"));
  EXPECT_FALSE(s.Checked());
  EXPECT_TRUE(s.CheckedLeft());
  EXPECT_EQ(s.Slope(), 6);
  EXPECT_EQ(s.SideLength(), 6);
  EXPECT_EQ(s.OnColor(), 255);
  EXPECT_EQ(s.OffColor(), 128);
  EXPECT_EQ(s.TopColor(), 12632256);
  EXPECT_EQ(s.SideColor(), 12632256);
  EXPECT_EQ(s.FontColor(), 16777215);
  EXPECT_EQ(s.font().pointSize(), 7);
  EXPECT_EQ(s.focusPolicy(), Qt::StrongFocus);
}

TEST(SwitchGui, RockerTipsWithTheState) {
  TSwitch s;
  // Unchecked with CheckedLeft: the left half is up.
  TSwitch::Geometry g = s.ComputeGeometry();
  EXPECT_EQ(g.fh, 24 - 6 - 4);
  EXPECT_EQ(g.hw, -39);
  EXPECT_EQ(g.cx, 41);
  EXPECT_EQ(g.s, -6);
  EXPECT_TRUE(s.IsOnRaisedHalf(kLeftHalf.x()));
  EXPECT_FALSE(s.IsOnRaisedHalf(kRightHalf.x()));
  EXPECT_LT(g.captionRect.center().x(), g.cx);

  s.SetChecked(true);
  g = s.ComputeGeometry();
  EXPECT_EQ(g.hw, 39);
  EXPECT_EQ(g.s, 6);
  EXPECT_TRUE(s.IsOnRaisedHalf(kRightHalf.x()));
  EXPECT_GT(g.captionRect.center().x(), g.cx);

  s.SetCheckedLeft(false);
  EXPECT_TRUE(s.IsOnRaisedHalf(kLeftHalf.x()));
  EXPECT_FALSE(s.IsOnRaisedHalf(kRightHalf.x()));
}

TEST(SwitchGui, OnlyTheRaisedHalfToggles) {
  TSwitch s;
  EventLog log(&s);
  QTest::mouseClick(&s, Qt::LeftButton, {}, kRightHalf);  // pressed half
  EXPECT_FALSE(s.Checked());
  EXPECT_TRUE(log.entries.isEmpty());
  QTest::mouseClick(&s, Qt::RightButton, {}, kLeftHalf);
  EXPECT_FALSE(s.Checked());
  EXPECT_TRUE(log.entries.isEmpty());

  QTest::mouseClick(&s, Qt::LeftButton, {}, kLeftHalf);
  EXPECT_TRUE(s.Checked());
  EXPECT_EQ(log.entries, QStringList({"Changed+", "Checked+", "Click+"}));

  log.entries.clear();
  QTest::mouseClick(&s, Qt::LeftButton, {}, kLeftHalf);  // now the pressed half
  EXPECT_TRUE(log.entries.isEmpty());
  QTest::mouseClick(&s, Qt::LeftButton, {}, kRightHalf);
  EXPECT_FALSE(s.Checked());
  EXPECT_EQ(log.entries, QStringList({"Changed-", "UnChecked-", "Click-"}));
}

TEST(SwitchGui, SpaceAndEnterToggleButARepeatedKeyDoesNot) {
  TSwitch s;
  EventLog log(&s);
  QTest::keyClick(&s, Qt::Key_Space);
  EXPECT_TRUE(s.Checked());
  QTest::keyClick(&s, Qt::Key_Return);
  EXPECT_FALSE(s.Checked());
  QTest::keyClick(&s, Qt::Key_Enter);
  EXPECT_TRUE(s.Checked());
  EXPECT_EQ(log.entries, QStringList({"Changed+", "Checked+", "Click+", "Changed-", "UnChecked-",
                                      "Click-", "Changed+", "Checked+", "Click+"}));
  log.entries.clear();
  QTest::keyPress(&s, Qt::Key_Space, {}, -1);
  QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
  QCoreApplication::sendEvent(&s, &repeat);
  EXPECT_FALSE(s.Checked());
  EXPECT_EQ(log.entries.size(), 3);
  QTest::keyClick(&s, Qt::Key_A);
  EXPECT_FALSE(s.Checked());
}

TEST(SwitchGui, SettingTheStateFromCodeFiresNothing) {
  TSwitch s;
  EventLog log(&s);
  s.SetChecked(true);
  s.SetChecked(true);
  s.SetChecked(false);
  EXPECT_TRUE(log.entries.isEmpty());
}

// A window's click handler runs an animation loop that processes events; the
// user clicks the same switch off during it. The nested click must reach the
// handler with the new state, and the outer handler then sees the switch off.
TEST(SwitchGui, ClickDuringTheHandlersLoopIsHandledNested) {
  TSwitch s;
  s.show();
  QStringList seen;
  int depth = 0;
  bool userClicksOff = true;
  QObject::connect(&s, &TSwitch::OnClick, [&] {
    seen << (s.Checked() ? "on" : "off");
    if (!s.Checked() || depth > 0 || !userClicksOff) return;
    userClicksOff = false;
    ++depth;
    for (int frame = 0; frame < 5 && s.Checked(); ++frame) {
      if (frame == 2) QTest::mouseClick(&s, Qt::LeftButton, {}, kRightHalf);
      QCoreApplication::processEvents();
    }
    --depth;
    seen << (s.Checked() ? "still on" : "ended off");
  });
  QTest::mouseClick(&s, Qt::LeftButton, {}, kLeftHalf);
  EXPECT_EQ(seen, QStringList({"on", "off", "ended off"}));
  EXPECT_FALSE(s.Checked());
  // The switch works normally afterwards.
  QTest::keyClick(&s, Qt::Key_Space);
  EXPECT_TRUE(s.Checked());
}

TEST(SwitchGui, PaintsTheStateHalfAndTheFrame) {
  TSwitch s;
  s.SetOnColor(65280);  // green, as the animation switches use it
  s.SetOffColor(255);
  QImage image = s.grab().toImage();
  TSwitch::Geometry g = s.ComputeGeometry();
  const QPoint stateInside = g.stateHalf.boundingRect().center();
  EXPECT_EQ(image.pixelColor(stateInside), QColor(255, 0, 0));
  EXPECT_EQ(image.pixelColor(1, 5), QColor(128, 128, 128));
  EXPECT_EQ(image.pixelColor(40, s.height() - 1), QColor(Qt::white));

  s.SetChecked(true);
  image = s.grab().toImage();
  g = s.ComputeGeometry();
  EXPECT_EQ(image.pixelColor(g.stateHalf.boundingRect().center()), QColor(0, 255, 0));
  EXPECT_EQ(image.pixelColor(g.otherHalf.boundingRect().topLeft() + QPoint(4, 2)),
            QColor(255, 0, 0));
  // The caption is drawn on the raised half.
  s.SetCaptionOn(QString());
  const QImage blank = s.grab().toImage();
  EXPECT_NE(image.copy(g.captionRect), blank.copy(g.captionRect));
  EXPECT_EQ(image.copy(g.stateHalf.boundingRect()), blank.copy(g.stateHalf.boundingRect()));
}

}  // namespace
