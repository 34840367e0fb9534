#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>

#include "widgets/TSwitch.h"

using kurvio::TSwitch;

namespace {

// The signals of a switch in the order they arrive, with the state each one saw.
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
const QStringList kOn{"Changed+", "Checked+", "Click+"};
const QStringList kOff{"Changed-", "UnChecked-", "Click-"};

TEST(SwitchGui, OnlyALeftClickOnTheRaisedHalfToggles) {
  TSwitch s;
  EventLog log(&s);
  QTest::mouseClick(&s, Qt::LeftButton, {}, kRightHalf);  // the pressed half
  QTest::mouseClick(&s, Qt::RightButton, {}, kLeftHalf);
  EXPECT_TRUE(log.entries.isEmpty());
  QTest::mouseClick(&s, Qt::LeftButton, {}, kLeftHalf);
  QTest::mouseClick(&s, Qt::LeftButton, {}, kLeftHalf);  // now the pressed half
  QTest::mouseClick(&s, Qt::LeftButton, {}, kRightHalf);
  EXPECT_FALSE(s.Checked());
  EXPECT_EQ(log.entries, kOn + kOff);
  s.SetCheckedLeft(false);  // mirrored: the left half is raised when checked
  s.SetChecked(true);
  EXPECT_TRUE(s.IsOnRaisedHalf(kLeftHalf.x()));
  EXPECT_FALSE(s.IsOnRaisedHalf(kRightHalf.x()));
  s.SetChecked(false);
  EXPECT_EQ(log.entries.size(), 6);  // code fires nothing
}

TEST(SwitchGui, SpaceAndEnterToggleButARepeatedKeyDoesNot) {
  TSwitch s;
  EventLog log(&s);
  for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) QTest::keyClick(&s, key);
  EXPECT_EQ(log.entries, kOn + kOff + kOn);
  QTest::keyPress(&s, Qt::Key_Space, {}, -1);
  QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
  QCoreApplication::sendEvent(&s, &repeat);
  QTest::keyClick(&s, Qt::Key_A);
  EXPECT_FALSE(s.Checked());
  EXPECT_EQ(log.entries.size(), 12);
}

// A window's click handler runs an animation loop that processes events; the
// user clicks the same switch off during it. The nested click must reach the
// handler with the new state, and the outer handler then sees the switch off.
TEST(SwitchGui, ClickDuringTheHandlersLoopIsHandledNested) {
  TSwitch s;
  s.show();
  QStringList seen;
  bool userClicksOff = true;
  QObject::connect(&s, &TSwitch::OnClick, [&] {
    seen << (s.Checked() ? "on" : "off");
    if (!s.Checked() || !userClicksOff) return;
    userClicksOff = false;
    for (int frame = 0; frame < 5 && s.Checked(); ++frame) {
      if (frame == 2) QTest::mouseClick(&s, Qt::LeftButton, {}, kRightHalf);
      QCoreApplication::processEvents();
    }
    seen << (s.Checked() ? "still on" : "ended off");
  });
  QTest::mouseClick(&s, Qt::LeftButton, {}, kLeftHalf);
  EXPECT_EQ(seen, QStringList({"on", "off", "ended off"}));
  QTest::keyClick(&s, Qt::Key_Space);
  EXPECT_TRUE(s.Checked());
}

}  // namespace
