#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "widgets/TColorButton.h"
#include "widgets/TColorPopup.h"

using kurvio::TColorButton;
using kurvio::TColorPopup;

namespace {

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
  a->SetDown(true);
  b->SetDown(true);
  EXPECT_FALSE(a->Down());
  b->SetDown(false);
  EXPECT_TRUE(b->Down());
  b->SetAllowAllUp(true);
  b->SetDown(false);
  EXPECT_FALSE(b->Down());
}

}  // namespace
