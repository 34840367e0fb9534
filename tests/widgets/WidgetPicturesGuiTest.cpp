// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own controls in their states, pixel for pixel, compared with
// the pictures kept in tests/pictures/widgets (support/KeptImage.h); then each sized to nothing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QEnterEvent>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <functional>
#include <memory>

#include "support/KeptImage.h"
#include "widgets/CheckGlyphs.h"
#include "widgets/TBitCheckBox.h"
#include "widgets/TColorButton.h"
#include "widgets/TColorPopup.h"
#include "widgets/TFillStyleComboBox.h"
#include "widgets/TLineWidthComboBox.h"
#include "widgets/TRichButton.h"
#include "widgets/TSMButton.h"
#include "widgets/TSwitch.h"

namespace kurvio {
namespace {

std::unique_ptr<QWidget> Switch(bool checked, bool checkedLeft) {
  auto s = std::make_unique<TSwitch>();
  s->SetOnColor(65280);
  s->SetOffColor(255);
  s->SetCheckedLeft(checkedLeft);
  s->SetChecked(checked);
  return s;
}

std::unique_ptr<QWidget> CheckBox(TCheckBoxState state, bool enabled, TAlignment alignment) {
  auto box = std::make_unique<TBitCheckBox>();
  UseStandardCheckGlyphs(*box);
  box->SetCaption(QStringLiteral("Tangente"));
  box->SetAllowGrayed(true);
  box->SetState(state);
  box->SetAlignment(alignment);
  box->setEnabled(enabled);
  box->resize(110, 17);
  return box;
}

// Two 10 x 10 images side by side, green with a magenta (see-through) corner and
// blue, the second the disabled look unless only one is used.
std::unique_ptr<QWidget> GlyphBox(bool enabled, int images) {
  QImage glyph(20, 10, QImage::Format_RGB32);
  glyph.fill(Qt::green);
  QPainter(&glyph).fillRect(10, 0, 10, 10, Qt::blue);
  glyph.setPixelColor(0, 9, Qt::magenta);
  glyph.setPixelColor(1, 9, Qt::magenta);
  auto box = std::make_unique<TBitCheckBox>();
  box->SetColor(16777215);
  box->SetCaption(QStringLiteral("f' "));
  box->SetCheckedGlyph(QPixmap::fromImage(glyph));
  box->SetCheckedNumGlyphs(images);
  box->SetChecked(true);
  box->setEnabled(enabled);
  return box;
}

std::unique_ptr<QWidget> RichButton(TRichButtonState state, bool mouseOver,
                                    TAlignment alignment = taLeftJustify) {
  auto button = std::make_unique<TRichButton>();
  button->SetLines({QStringLiteral("<b>Tangente</b>"), QStringLiteral("y = mx+c")});
  button->SetAlignment(alignment);
  button->SetFocus(true);
  button->SetFocusColor(255);
  button->SetBevelInner(bvLowered);
  button->SetBorderWidth(3);
  button->SetAllowDown(true);
  button->SetState(state);
  if (mouseOver) {
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(button.get(), &enter);
  }
  button->resize(140, 60);
  return button;
}

std::unique_ptr<QWidget> ColorButton(TIndicatorBorder border, bool flat = false, int colour = 255) {
  auto button = std::make_unique<TColorButton>();
  button->SetSelectionColor(colour);
  button->SetIndicatorBorder(border);
  button->SetFlat(flat);
  button->resize(60, 24);
  return button;
}

// The control shown in a window of its own and holding the focus.
std::unique_ptr<QWidget> Focused(std::unique_ptr<QWidget> widget) {
  widget->show();
  QApplication::setActiveWindow(widget.get());
  widget->setFocus();
  QApplication::processEvents();
  return widget;
}

// A widget that stands for a picture painted elsewhere.
std::unique_ptr<QWidget> Showing(const QImage& image) {
  auto label = std::make_unique<QWidget>();
  label->setProperty("picture", image);
  return label;
}

// A drop-down list's item as its list paints it.
std::unique_ptr<QWidget> Item(std::unique_ptr<TPictureComboBox> box, int index, int width = 100) {
  QImage image(width, box->ItemHeight(), QImage::Format_RGB32);
  image.fill(Qt::magenta);
  QPainter painter(&image);
  box->DrawItem(painter, image.rect(), index, false);
  return Showing(image);
}
std::unique_ptr<QWidget> FillItem(int style) {
  auto box = std::make_unique<TFillStyleComboBox>();
  box->SetBrushColor(255);
  return Item(std::move(box), style);
}
std::unique_ptr<QWidget> WidthItem(int width, int itemWidth = 100) {
  auto box = std::make_unique<TLineWidthComboBox>();
  box->SetLineColor(16711680);
  box->SetMaxLineWidth(TLineWidthComboBox::kLargestLineWidth);
  return Item(std::move(box), width - 1, itemWidth);
}

const struct {
  const char* name;
  std::function<std::unique_ptr<QWidget>()> make;
} kWidgets[] = {
    {"switch-off", [] { return Switch(false, true); }},
    {"switch-on", [] { return Switch(true, true); }},
    {"switch-on-mirrored", [] { return Switch(true, false); }},
    {"switch-focused", [] { return Focused(Switch(true, true)); }},
    {"checkbox-focused", [] { return Focused(CheckBox(cbChecked, true, taRightJustify)); }},
    {"checkbox-off", [] { return CheckBox(cbUnchecked, true, taRightJustify); }},
    {"checkbox-on", [] { return CheckBox(cbChecked, true, taRightJustify); }},
    {"checkbox-grayed", [] { return CheckBox(cbGrayed, true, taRightJustify); }},
    {"checkbox-on-disabled", [] { return CheckBox(cbChecked, false, taRightJustify); }},
    {"checkbox-caption-left", [] { return CheckBox(cbChecked, true, taLeftJustify); }},
    {"checkbox-without-glyphs",
     [] {
       auto box = std::make_unique<TBitCheckBox>();
       box->SetCaption(QStringLiteral("Tangente"));
       return box;
     }},
    {"glyphbox", [] { return GlyphBox(true, 2); }},
    {"glyphbox-disabled", [] { return GlyphBox(false, 2); }},
    {"glyphbox-disabled-one-image", [] { return GlyphBox(false, 1); }},
    {"richbutton-up", [] { return RichButton(rbUp, false); }},
    {"richbutton-down", [] { return RichButton(rbDown, false); }},
    {"richbutton-sticky-hovered", [] { return RichButton(rbSticky, true); }},
    {"colorbutton", [] { return ColorButton(ibFlat); }},
    {"colorbutton-sunken", [] { return ColorButton(ibSunken); }},
    {"smbutton",
     [] { return std::make_unique<TSMButton>(QStringLiteral("Letztes Objekt löschen")); }},
    {"fill-solid", [] { return FillItem(0); }},
    {"fill-clear", [] { return FillItem(1); }},
    {"fill-hatched", [] { return FillItem(7); }},
    {"width-1", [] { return WidthItem(1); }},
    {"width-4", [] { return WidthItem(4); }},
    {"width-2", [] { return WidthItem(2); }},
    {"width-3", [] { return WidthItem(3); }},
    {"width-5", [] { return WidthItem(5); }},
    // The widest line in a narrow item: nothing rather than a reversed line.
    {"width-widest-narrow", [] { return WidthItem(TLineWidthComboBox::kLargestLineWidth, 40); }},
    {"width-closed-box",
     [] {
       auto box = std::make_unique<TLineWidthComboBox>();
       box->SetLineColor(16711680);
       box->resize(145, 23);
       box->SetLineWidth(5);
       return std::unique_ptr<QWidget>(std::move(box));
     }},
    {"richbutton-centred", [] { return RichButton(rbUp, false, taCenter); }},
    {"colorbutton-flat", [] { return ColorButton(ibFlat, true); }},
    {"colorpopup-with-caption",
     [] {
       TColorButton button;
       button.SetSelectionColor(255);
       button.SetDefaultText(QStringLiteral("&Standard"));
       button.Popup()->UpdateLayout();
       return Showing(button.Popup()->grab().toImage().convertToFormat(QImage::Format_RGB32));
     }},
    // Odd properties a form may give a control.
    {"switch-odd",
     [] {
       auto s = std::make_unique<TSwitch>();
       s->SetSideLength(500);
       s->SetSlope(-300);
       return std::unique_ptr<QWidget>(std::move(s));
     }},
    {"checkbox-one-pixel-glyph",
     [] {
       auto box = std::make_unique<TBitCheckBox>();
       UseStandardCheckGlyphs(*box);
       QPixmap glyph(1, 1);
       glyph.fill(Qt::red);
       box->SetCheckedGlyph(glyph);
       box->SetCheckedNumGlyphs(7);
       box->SetChecked(true);
       return std::unique_ptr<QWidget>(std::move(box));
     }},
    {"colorbutton-no-colour", [] { return ColorButton(ibRaised, false, -1); }},
    {"richbutton-broken",
     [] {
       auto rich = std::make_unique<TRichButton>();
       rich->SetLines({QStringLiteral("<b>kaputt"), QString()});
       rich->SetBevelWidth(-4);
       rich->SetFocus(true);
       rich->SetFocusWidth(1000);
       return std::unique_ptr<QWidget>(std::move(rich));
     }},
    {"fill-closed-box", [] { return std::make_unique<TFillStyleComboBox>(); }},
};

QImage Grab(QWidget& widget) {
  const QVariant picture = widget.property("picture");
  if (picture.isValid()) return picture.value<QImage>();
  return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TEST(WidgetPictures, EveryControlLooksAsItsKeptPicture) {
  for (const auto& row : kWidgets) {
    SCOPED_TRACE(row.name);
    const std::unique_ptr<QWidget> widget = row.make();
    EXPECT_TRUE(testing::MatchesKeptImage("widgets/" + std::string(row.name) + ".png", Grab(*widget)));
    // Sized to nothing or nearly so by a form, it still paints and takes clicks and keys.
    for (const QSize size : {QSize(0, 0), QSize(1, 1), QSize(3, 2), QSize(300, 5)}) {
      widget->resize(size);
      widget->grab();
      if (size.isEmpty()) continue;
      QTest::mouseClick(widget.get(), Qt::LeftButton, {}, QPoint(0, 0));
      QTest::keyClick(widget.get(), Qt::Key_Space);
    }
  }
}

}  // namespace
}  // namespace kurvio
