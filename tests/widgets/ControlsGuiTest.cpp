// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own controls driven by mouse and keys: which clicks and keys
// change their state, which signals they send, the values they accept, and
// where the colour button's palette opens.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "widgets/TBitCheckBox.h"
#include "widgets/TColorButton.h"
#include "widgets/TColorPopup.h"
#include "widgets/TFillStyleComboBox.h"
#include "widgets/TLineWidthComboBox.h"
#include "widgets/TRichButton.h"
#include "widgets/TSwitch.h"

using namespace kurvio;

namespace {

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

TEST(SwitchGui, ALeftClickOnEitherHalfToggles) {
  TSwitch s;
  EventLog log(&s);
  QTest::mouseClick(&s, Qt::RightButton, {}, kLeftHalf);
  EXPECT_TRUE(log.entries.isEmpty());
  QTest::mouseClick(&s, Qt::LeftButton, {}, kRightHalf);  // the pressed half
  QTest::mouseClick(&s, Qt::LeftButton, {}, kLeftHalf);   // now the pressed half
  QTest::mouseClick(&s, Qt::LeftButton, {}, kLeftHalf);
  EXPECT_TRUE(s.Checked());
  EXPECT_EQ(log.entries, kOn + kOff + kOn);
  s.SetChecked(false);
  EXPECT_EQ(log.entries.size(), 9);  // code fires nothing
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

TEST(RichButtonGui, PressReleaseAndStickyState) {
  TRichButton button;
  button.resize(120, 60);
  button.show();
  QSignalSpy clicks(&button, &TRichButton::OnClick);
  QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(10, 10));
  button.setEnabled(false);  // disabled while down: up again, and no click
  EXPECT_EQ(button.State(), rbUp);
  button.setEnabled(true);
  QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(button.State(), rbDown);
  QTest::mouseMove(&button, QPoint(200, 10));
  EXPECT_EQ(button.State(), rbUp);
  QTest::mouseMove(&button, QPoint(20, 20));
  EXPECT_EQ(button.State(), rbDown);
  QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(200, 10));
  EXPECT_EQ(button.State(), rbUp);
  EXPECT_EQ(clicks.count(), 0);
  QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(button.State(), rbUp);
  QTest::keyClick(&button, Qt::Key_Space);
  EXPECT_EQ(clicks.count(), 2);

  button.SetAllowDown(true);
  QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(button.State(), rbSticky);
  QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(10, 10));  // released outside: stays
  QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(-5, 10));
  EXPECT_EQ(button.State(), rbSticky);
  QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(button.State(), rbUp);
  EXPECT_EQ(clicks.count(), 4);
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

// A button in a shown window whose top-left corner lies at the given place of the screen.
struct Fixture {
  std::unique_ptr<QWidget> host = std::make_unique<QWidget>();
  TColorButton* button = new TColorButton(host.get());
  QSignalSpy changes{button, &TColorButton::OnChange};
  QSignalSpy defaults{button, &TColorButton::OnDefaultSelect};
  QSignalSpy drops{button, &TColorButton::OnDropChanged};

  explicit Fixture(QPoint at = QPoint(100, 100), int color = 255) {
    host->setGeometry(at.x(), at.y(), 60, 30);
    host->show();
    button->SetSelectionColor(color);
    changes.clear();
  }
  TColorPopup* popup() const { return button->Popup(); }
  void Release(int cell) {
    QTest::mouseRelease(popup(), Qt::LeftButton, {}, popup()->CellRect(cell).center());
  }
};

TEST(ColorButtonGui, PaletteColoursAndTheirCells) {
  // A repeated colour selects its first cell; the byte above RGB does not count.
  EXPECT_EQ(TColorPopup::IndexOfColor(0x01000000 | 255), 36);
  EXPECT_EQ(TColorPopup::IndexOfColor(16711935), 50);
  EXPECT_EQ(TColorPopup::IndexOfColor(0x123456), TColorPopup::NoCell);
  TColorButton button;
  TColorPopup* popup = button.Popup();
  popup->UpdateLayout();
  EXPECT_EQ(popup->CellAt(QPoint(10, 4)), 0);
  EXPECT_EQ(popup->CellAt(QPoint(9, 4)), TColorPopup::NoCell);
  EXPECT_EQ(popup->CellAt(QPoint(10 + 8 * 18, 4)), TColorPopup::NoCell);
  EXPECT_EQ(popup->CellAt(popup->CellRect(79).center()), 79);
  EXPECT_EQ(popup->height(), popup->CellRect(79).bottom() + 1 + popup->CellRect(0).top());  // edges
  button.SetDefaultText(QString(60, QLatin1Char('W')));  // a wide caption widens the window
  popup->UpdateLayout();
  EXPECT_GT(popup->width(), 8 * 18 + 4);
  EXPECT_EQ(popup->CellAt(popup->CellRect(TColorPopup::DefaultTextCell).center()),
            TColorPopup::DefaultTextCell);
}

TEST(ColorButtonGui, ACellChangesTheColourOnlyWhenItDiffers) {
  Fixture f(QPoint(100, 100), 0x123456);
  QTest::mousePress(f.button, Qt::LeftButton, {}, QPoint(10, 10));
  ASSERT_TRUE(f.button->DroppedDown());
  EXPECT_EQ(f.popup()->SelectedIndex(), TColorPopup::NoCell);
  // The release of the opening press lands on the button, outside every cell.
  QTest::mouseRelease(f.popup(), Qt::LeftButton, {},
                      f.popup()->mapFromGlobal(f.button->mapToGlobal(QPoint(10, 10))));
  EXPECT_TRUE(f.button->DroppedDown());
  f.Release(4);
  EXPECT_EQ(f.button->SelectionColor(), 16711680);
  EXPECT_FALSE(f.popup()->isVisible());
  ASSERT_TRUE(f.button->DropDown());
  EXPECT_EQ(f.popup()->SelectedIndex(), 4);
  f.Release(4);  // the selected colour: closes without a change
  EXPECT_FALSE(f.button->DroppedDown());
  f.button->SetSelectionColor(16711680);
  EXPECT_EQ(f.changes.count(), 1);
  f.button->SetSelectionColor(255);
  ASSERT_TRUE(f.button->DropDown());
  f.Release(38);  // a repeated red cell
  EXPECT_EQ(f.changes.count(), 2);
  EXPECT_EQ(f.drops.count(), 6);
}

TEST(ColorButtonGui, PaletteIsPlacedBelowAboveAndInsideTheScreen) {
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  Fixture below(QPoint(100, 100)), above(QPoint(100, screen.bottom() - 40)),
      right(QPoint(screen.right() - 50, 100));
  for (Fixture* f : {&below, &above, &right}) ASSERT_TRUE(f->button->DropDown());
  EXPECT_EQ(below.popup()->geometry().topLeft(),
            below.button->mapToGlobal(QPoint(0, below.button->height() - 1)));
  EXPECT_EQ(above.popup()->geometry().bottomLeft() + QPoint(0, 1),
            above.button->mapToGlobal(QPoint(0, 0)));
  EXPECT_EQ(right.popup()->geometry().right(), screen.right());
}

TEST(ColorButtonGui, EscapeAPressOutsideOrHidingCloseWithoutChange) {
  Fixture f;
  ASSERT_TRUE(f.button->DropDown());
  QTest::keyClick(f.popup(), Qt::Key_Escape);
  EXPECT_FALSE(f.button->DroppedDown());
  ASSERT_TRUE(f.button->DropDown());
  QTest::mouseClick(f.popup(), Qt::LeftButton, {}, QPoint(1, 1));  // between cells: stays
  EXPECT_TRUE(f.button->DroppedDown());
  QTest::mousePress(f.popup(), Qt::LeftButton, {}, QPoint(-20, f.popup()->height() + 20));
  EXPECT_FALSE(f.button->DroppedDown());
  ASSERT_TRUE(f.button->DropDown());
  f.host->hide();
  EXPECT_FALSE(f.popup()->isVisible());
  EXPECT_EQ(f.button->SelectionColor(), 255);
  EXPECT_EQ(f.changes.count(), 0);
  EXPECT_EQ(f.drops.count(), 6);
}

TEST(ColorButtonGui, KeysChooseTheHoveredCell) {
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
    Fixture f;
    ASSERT_TRUE(f.button->DropDown());
    QTest::keyClick(f.popup(), key);  // nothing hovered yet
    EXPECT_TRUE(f.button->DroppedDown());
    QTest::mouseMove(f.popup(), QPoint(1, 1));
    QTest::mouseMove(f.popup(), f.popup()->CellRect(12).center());
    ASSERT_EQ(f.popup()->HoveredIndex(), 12);
    QTest::keyClick(f.popup(), key);
    EXPECT_FALSE(f.button->DroppedDown());
    EXPECT_EQ(f.button->SelectionColor(), TColorPopup::Colors()[12]);
  }
}

TEST(ColorButtonGui, TextButtonItsAcceleratorAndTheOwnersVeto) {
  Fixture f;
  f.button->SetDefaultText(QStringLiteral("&Standard"));
  ASSERT_TRUE(f.button->DropDown());
  f.Release(TColorPopup::DefaultTextCell);
  EXPECT_FALSE(f.button->DroppedDown());
  ASSERT_TRUE(f.button->DropDown());
  QTest::keyClick(f.popup(), Qt::Key_X);
  EXPECT_TRUE(f.button->DroppedDown());
  QTest::keyClick(f.popup(), Qt::Key_S);
  ASSERT_TRUE(f.button->DropDown());
  QTest::keyClick(f.popup(), Qt::Key_S, Qt::AltModifier);
  ASSERT_TRUE(f.button->DropDown());
  QTest::mouseMove(f.popup(), f.popup()->CellRect(TColorPopup::DefaultTextCell).center());
  QTest::keyClick(f.popup(), Qt::Key_Return);
  EXPECT_EQ(f.defaults.count(), 4);
  EXPECT_EQ(f.changes.count(), 0);
  f.button->SetDefaultText(QString());  // no caption, no accelerator
  ASSERT_TRUE(f.button->DropDown());
  QTest::keyClick(f.popup(), Qt::Key_S);
  EXPECT_TRUE(f.button->DroppedDown());
  EXPECT_EQ(f.defaults.count(), 4);
  QTest::keyClick(f.popup(), Qt::Key_Escape);

  bool allowClose = false;
  f.button->OnDropChanging = [&](TColorButton* sender, bool& allowed) {
    allowed = sender->DroppedDown() && allowClose;
  };
  QTest::mousePress(f.button, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_FALSE(f.button->DroppedDown());
  f.button->OnDropChanging = [&](TColorButton* sender, bool& allowed) {
    allowed = !sender->DroppedDown() || allowClose;
  };
  ASSERT_TRUE(f.button->DropDown());
  QTest::keyClick(f.popup(), Qt::Key_Escape);
  EXPECT_TRUE(f.button->DroppedDown());
  allowClose = true;
  QTest::keyClick(f.popup(), Qt::Key_Escape);
  EXPECT_FALSE(f.button->DroppedDown());
}

TEST(ColorButtonGui, GroupedButtonsKeepOneDown) {
  QWidget host;
  auto* a = new TColorButton(&host);
  auto* b = new TColorButton(&host);
  a->SetDown(true);
  EXPECT_FALSE(a->Down());  // no group, no down state
  a->SetGroupIndex(1);
  b->SetGroupIndex(1);
  const QRect up = a->IndicatorRect();
  a->SetDown(true);
  EXPECT_EQ(a->IndicatorRect(), up.translated(1, 1));  // the colour sinks with the button
  b->SetDown(true);
  EXPECT_FALSE(a->Down());
  EXPECT_EQ(a->IndicatorRect(), up);
  b->SetDown(false);
  EXPECT_TRUE(b->Down());
  b->SetAllowAllUp(true);
  b->SetDown(false);
  EXPECT_FALSE(b->Down());
}

}  // namespace
