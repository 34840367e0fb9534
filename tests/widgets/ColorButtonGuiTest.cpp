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

// A button in a shown window whose top-left corner lies at the given place of
// the screen.
struct Fixture {
  std::unique_ptr<QWidget> host = std::make_unique<QWidget>();
  TColorButton* button = new TColorButton(host.get());
  QSignalSpy changes{button, &TColorButton::OnChange};
  QSignalSpy defaults{button, &TColorButton::OnDefaultSelect};
  QSignalSpy drops{button, &TColorButton::OnDropChanged};

  explicit Fixture(QPoint at = QPoint(100, 100)) {
    host->setGeometry(at.x(), at.y(), 60, 30);
    button->move(0, 0);
    host->show();
  }
  TColorPopup* popup() const { return button->Popup(); }
  void Release(int cell) {
    QTest::mouseRelease(popup(), Qt::LeftButton, {}, popup()->CellRect(cell).center());
  }
};

TEST(ColorButtonGui, PaletteHoldsTheEightyColoursInOrder) {
  const auto& colors = TColorPopup::Colors();
  ASSERT_EQ(colors.size(), 80u);
  EXPECT_EQ(colors[0], 8404992);
  EXPECT_EQ(colors[7], 16744576);
  EXPECT_EQ(colors[18], 8421376);  // repeats within row 3
  EXPECT_EQ(colors[36], 255);
  EXPECT_EQ(colors[72], 0);
  EXPECT_EQ(colors[79], 16777215);
  // A repeated colour selects its first cell; the byte above RGB does not count.
  EXPECT_EQ(TColorPopup::IndexOfColor(255), 36);
  EXPECT_EQ(TColorPopup::IndexOfColor(0x01000000 | 255), 36);
  EXPECT_EQ(TColorPopup::IndexOfColor(16711935), 50);
  EXPECT_EQ(TColorPopup::IndexOfColor(0x123456), TColorPopup::NoCell);
}

TEST(ColorButtonGui, DefaultsAndLayout) {
  TColorButton button;
  EXPECT_EQ(button.size(), QSize(45, 22));
  EXPECT_EQ(button.SelectionColor(), 0);
  EXPECT_FALSE(button.Flat());
  EXPECT_TRUE(button.Transparent());
  EXPECT_EQ(button.IndicatorBorder(), kurvio::ibFlat);
  EXPECT_EQ(button.PopupSpacing(), 8);

  TColorPopup* popup = button.Popup();
  popup->UpdateLayout();
  EXPECT_EQ(popup->size(), QSize(8 * 18 + 4 + 16, 10 * 18 + 8));
  EXPECT_EQ(popup->CellRect(0), QRect(10, 4, 18, 18));
  EXPECT_EQ(popup->CellRect(9), QRect(28, 22, 18, 18));
  EXPECT_EQ(popup->CellRect(79), QRect(7 * 18 + 10, 9 * 18 + 4, 18, 18));
  EXPECT_TRUE(popup->CellRect(80).isEmpty());
  EXPECT_TRUE(popup->CellRect(TColorPopup::DefaultTextCell).isEmpty());
  EXPECT_EQ(popup->CellAt(QPoint(10, 4)), 0);
  EXPECT_EQ(popup->CellAt(QPoint(9, 4)), TColorPopup::NoCell);
  EXPECT_EQ(popup->CellAt(QPoint(10 + 8 * 18, 4)), TColorPopup::NoCell);

  button.SetPopupSpacing(-5);
  EXPECT_EQ(button.PopupSpacing(), 0);
  button.SetDefaultText(QStringLiteral("&Standard"));
  popup->UpdateLayout();
  const QRect text = popup->CellRect(TColorPopup::DefaultTextCell);
  const int textHeight = popup->fontMetrics().height() + 4 * 2 + 2;
  EXPECT_EQ(text, QRect(2, 4, 8 * 18, textHeight));
  EXPECT_EQ(popup->size(), QSize(8 * 18 + 4, 10 * 18 + 8 + textHeight + 4));
  EXPECT_EQ(popup->CellRect(0).top(), 4 + textHeight + 4);
  EXPECT_EQ(popup->CellAt(text.center()), TColorPopup::DefaultTextCell);

  // A caption wider than the grid widens the window.
  button.SetDefaultText(QString(60, QLatin1Char('W')));
  popup->UpdateLayout();
  EXPECT_GT(popup->width(), 8 * 18 + 4);
  EXPECT_GT(popup->CellRect(TColorPopup::DefaultTextCell).width(), 8 * 18);
}

TEST(ColorButtonGui, ColourNotInPaletteOpensWithoutSelectionAndACellReplacesIt) {
  Fixture f;
  f.button->SetSelectionColor(0x123456);
  f.changes.clear();
  QTest::mousePress(f.button, Qt::LeftButton, {}, QPoint(10, 10));
  ASSERT_TRUE(f.button->DroppedDown());
  EXPECT_TRUE(f.popup()->isVisible());
  EXPECT_EQ(f.popup()->SelectedIndex(), TColorPopup::NoCell);
  EXPECT_EQ(f.drops.count(), 1);

  // The release of the opening press lands on the button, outside every cell.
  QTest::mouseRelease(f.popup(), Qt::LeftButton, {},
                      f.popup()->mapFromGlobal(f.button->mapToGlobal(QPoint(10, 10))));
  EXPECT_TRUE(f.button->DroppedDown());

  f.Release(4);
  EXPECT_EQ(f.button->SelectionColor(), 16711680);
  EXPECT_EQ(f.changes.count(), 1);
  EXPECT_FALSE(f.button->DroppedDown());
  EXPECT_FALSE(f.popup()->isVisible());
  EXPECT_EQ(f.drops.count(), 2);

  // Opening again selects the cell of the new colour.
  ASSERT_TRUE(f.button->DropDown());
  EXPECT_EQ(f.popup()->SelectedIndex(), 4);
}

TEST(ColorButtonGui, ChoosingTheSelectedColourClosesWithoutChange) {
  Fixture f;
  f.button->SetSelectionColor(255);
  f.changes.clear();
  ASSERT_TRUE(f.button->DropDown());
  EXPECT_EQ(f.popup()->SelectedIndex(), 36);
  f.Release(36);
  EXPECT_FALSE(f.button->DroppedDown());
  EXPECT_EQ(f.changes.count(), 0);
  // The repeated red cells hold the same colour as well.
  ASSERT_TRUE(f.button->DropDown());
  f.Release(38);
  EXPECT_FALSE(f.button->DroppedDown());
  EXPECT_EQ(f.changes.count(), 0);
}

TEST(ColorButtonGui, SettingTheColourFromCodeFiresOnlyOnADifference) {
  TColorButton button;
  QSignalSpy changes(&button, &TColorButton::OnChange);
  button.SetSelectionColor(0);
  EXPECT_EQ(changes.count(), 0);
  button.SetSelectionColor(65280);
  button.SetSelectionColor(65280);
  EXPECT_EQ(changes.count(), 1);
}

TEST(ColorButtonGui, PaletteIsPlacedBelowAboveAndInsideTheScreen) {
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  {
    Fixture f(QPoint(100, 100));
    ASSERT_TRUE(f.button->DropDown());
    const QPoint corner = f.button->mapToGlobal(QPoint(0, f.button->height() - 1));
    EXPECT_EQ(f.popup()->geometry().topLeft(), corner);
  }
  {
    Fixture f(QPoint(100, screen.bottom() - 40));
    ASSERT_TRUE(f.button->DropDown());
    const QRect popup = f.popup()->geometry();
    EXPECT_EQ(popup.bottom() + 1, f.button->mapToGlobal(QPoint(0, 0)).y());
    EXPECT_EQ(popup.left(), f.button->mapToGlobal(QPoint(0, 0)).x());
  }
  {
    Fixture f(QPoint(screen.right() - 50, 100));
    ASSERT_TRUE(f.button->DropDown());
    EXPECT_EQ(f.popup()->geometry().right(), screen.right());
  }
}

TEST(ColorButtonGui, EscapeAndAPressOutsideCloseWithoutChange) {
  Fixture f;
  f.button->SetSelectionColor(255);
  f.changes.clear();

  ASSERT_TRUE(f.button->DropDown());
  QTest::mouseMove(f.popup(), f.popup()->CellRect(3).center());
  EXPECT_EQ(f.popup()->HoveredIndex(), 3);
  QTest::keyClick(f.popup(), Qt::Key_Escape);
  EXPECT_FALSE(f.button->DroppedDown());

  ASSERT_TRUE(f.button->DropDown());
  // A press and release inside the window but between cells keeps it open.
  QTest::mouseClick(f.popup(), Qt::LeftButton, {}, QPoint(1, 1));
  EXPECT_TRUE(f.button->DroppedDown());
  QTest::mousePress(f.popup(), Qt::LeftButton, {}, QPoint(-20, f.popup()->height() + 20));
  EXPECT_FALSE(f.button->DroppedDown());

  EXPECT_EQ(f.button->SelectionColor(), 255);
  EXPECT_EQ(f.changes.count(), 0);
  EXPECT_EQ(f.drops.count(), 4);
}

TEST(ColorButtonGui, KeysChooseTheHoveredCell) {
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
    Fixture f;
    ASSERT_TRUE(f.button->DropDown());
    // Nothing hovered yet: the key does nothing.
    QTest::keyClick(f.popup(), key);
    EXPECT_TRUE(f.button->DroppedDown());
    QTest::mouseMove(f.popup(), QPoint(1, 1));
    QTest::mouseMove(f.popup(), f.popup()->CellRect(12).center());
    ASSERT_EQ(f.popup()->HoveredIndex(), 12);
    QTest::keyClick(f.popup(), key);
    EXPECT_FALSE(f.button->DroppedDown());
    EXPECT_EQ(f.button->SelectionColor(), TColorPopup::Colors()[12]);
    EXPECT_EQ(f.changes.count(), 1);
  }
}

TEST(ColorButtonGui, TextButtonAndItsAccelerator) {
  Fixture f;
  f.button->SetSelectionColor(255);
  f.changes.clear();
  f.button->SetDefaultText(QStringLiteral("&Standard"));

  ASSERT_TRUE(f.button->DropDown());
  ASSERT_TRUE(f.popup()->HasTextButton());
  f.Release(TColorPopup::DefaultTextCell);
  EXPECT_EQ(f.defaults.count(), 1);
  EXPECT_FALSE(f.button->DroppedDown());

  ASSERT_TRUE(f.button->DropDown());
  QTest::keyClick(f.popup(), Qt::Key_X);
  EXPECT_TRUE(f.button->DroppedDown());
  QTest::keyClick(f.popup(), Qt::Key_S);
  EXPECT_EQ(f.defaults.count(), 2);
  EXPECT_FALSE(f.button->DroppedDown());

  ASSERT_TRUE(f.button->DropDown());
  QTest::keyClick(f.popup(), Qt::Key_S, Qt::AltModifier);
  EXPECT_EQ(f.defaults.count(), 3);
  EXPECT_FALSE(f.button->DroppedDown());

  // Hovering the text button and pressing Enter chooses it too.
  ASSERT_TRUE(f.button->DropDown());
  QTest::mouseMove(f.popup(), f.popup()->CellRect(TColorPopup::DefaultTextCell).center());
  QTest::keyClick(f.popup(), Qt::Key_Return);
  EXPECT_EQ(f.defaults.count(), 4);

  EXPECT_EQ(f.changes.count(), 0);
  EXPECT_EQ(f.button->SelectionColor(), 255);

  // Without a caption there is no text button and no accelerator.
  f.button->SetDefaultText(QString());
  ASSERT_TRUE(f.button->DropDown());
  EXPECT_FALSE(f.popup()->HasTextButton());
  QTest::keyClick(f.popup(), Qt::Key_S);
  EXPECT_TRUE(f.button->DroppedDown());
  EXPECT_EQ(f.defaults.count(), 4);
}

TEST(ColorButtonGui, DropChangingMayRefuseAndHintsComeFromTheOwner) {
  Fixture f;
  bool allowOpen = false;
  bool allowClose = false;
  f.button->OnDropChanging = [&](TColorButton* sender, bool& allowed) {
    EXPECT_EQ(sender, f.button);
    allowed = sender->DroppedDown() ? allowClose : allowOpen;
  };
  QTest::mousePress(f.button, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_FALSE(f.button->DroppedDown());
  EXPECT_EQ(f.drops.count(), 0);

  allowOpen = true;
  ASSERT_TRUE(f.button->DropDown());
  QTest::keyClick(f.popup(), Qt::Key_Escape);
  EXPECT_TRUE(f.button->DroppedDown());
  allowClose = true;
  QTest::keyClick(f.popup(), Qt::Key_Escape);
  EXPECT_FALSE(f.button->DroppedDown());

  f.button->SetDefaultText(QStringLiteral("&Automatisch"));
  EXPECT_EQ(f.button->CellHint(5), QString());
  EXPECT_EQ(f.button->CellHint(TColorPopup::DefaultTextCell), QStringLiteral("Automatisch"));
  f.button->OnHint = [](TColorButton*, int cell, QString& hint) {
    if (cell >= 0) hint = QStringLiteral("Farbe %1").arg(cell);
  };
  EXPECT_EQ(f.button->CellHint(5), QStringLiteral("Farbe 5"));
}

TEST(ColorButtonGui, HidingTheButtonClosesItsPalette) {
  Fixture f;
  ASSERT_TRUE(f.button->DropDown());
  f.host->hide();
  EXPECT_FALSE(f.button->DroppedDown());
  EXPECT_FALSE(f.popup()->isVisible());
  EXPECT_EQ(f.drops.count(), 2);
}

TEST(ColorButtonGui, ButtonShowsTheColourInsideItsIndicator) {
  TColorButton button;
  button.SetSelectionColor(255);
  QImage image = button.grab().toImage();
  const QRect indicator = button.IndicatorRect();
  EXPECT_EQ(image.pixelColor(indicator.center()), QColor(255, 0, 0));
  // The flat border line sits just outside the colour.
  EXPECT_NE(image.pixelColor(indicator.left() - 1, indicator.center().y()), QColor(255, 0, 0));

  button.SetIndicatorBorder(kurvio::ibSunken);
  EXPECT_EQ(button.IndicatorRect().width(), indicator.width() - 2);
  image = button.grab().toImage();
  EXPECT_EQ(image.pixelColor(button.IndicatorRect().center()), QColor(255, 0, 0));
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
  EXPECT_TRUE(b->Down());
  b->SetDown(false);
  EXPECT_TRUE(b->Down());
  b->SetAllowAllUp(true);
  b->SetDown(false);
  EXPECT_FALSE(b->Down());
}

}  // namespace
