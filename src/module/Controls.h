// SPDX-License-Identifier: GPL-3.0-or-later
// Controls made the same way in every window: number fields, small buttons,
// check boxes with the program's glyphs, the animation switch, and the
// control panel that scrolls when the window is lower than the panel.
#pragma once

#include <QString>

class QLineEdit;
class QScrollArea;
class QToolButton;
class QWidget;

namespace kurvio {

class TBitCheckBox;

// Gives a control its design name as objectName (what style sheets, accessibility
// tools and outside checks find it by) and its caption, or else its hint, as its
// accessible name. Call it where the control is made, after its caption is set.
void SetDesignName(QWidget* control, const char* designName);
template <class Control>
Control* Named(Control* control, const char* designName) {
  SetDesignName(control, designName);
  return control;
}
class TSwitch;

QLineEdit* NumberField(QWidget* parent, int width);
// At least 23 × 22, wider for a longer caption.
QToolButton* ToolButton(QWidget* parent, const QString& text, const QString& hint);
// "↔": reverses an animation's direction.
QToolButton* DirectionButton(QWidget* parent);
TBitCheckBox* CheckBox(QWidget* parent, const QString& caption, const QString& hint = {});
// "EIN" green, "AUS" red, hint "Animation".
TSwitch* AnimationSwitch(QWidget* parent);

// A scroll area in `parent` around a new panel; fill the panel, then call FitPanel.
QScrollArea* ScrollingPanel(QWidget* parent, QWidget*& panel);
// The area takes the panel's width: at least `minWidth`, and what its rows need.
void FitPanel(QScrollArea* area, int minWidth);

}  // namespace kurvio
