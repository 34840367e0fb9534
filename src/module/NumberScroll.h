// SPDX-License-Identifier: GPL-3.0-or-later
// A number field coupled with a scroll bar: the bar's position n of Max
// stands for lower + (upper - lower)·n / Max. Typing a value moves the bar;
// moving the bar (also when code sets its position) puts the bar's value into
// the field. A typed value stays as typed: the bar only moves to the nearest step
// (to its end for a value beyond it).
#pragma once

#include <QObject>
#include <functional>

class QLineEdit;
class QScrollBar;

namespace kurvio {

class TModuleDialog;

class TNumberScroll : public QObject {
  Q_OBJECT

 public:
  // `value` is the variable the pair shows; `lower` and `upper` give the
  // bar's ends when asked (they may follow the view); `changed` redraws.
  TNumberScroll(TModuleDialog* window, QLineEdit* field, QScrollBar* bar, double& value,
                std::function<double()> lower, std::function<double()> upper,
                std::function<void()> changed);

  // The bar's range 1..max (at least 1), without running the change handler when
  // that clips the bar; call PositionFromValue afterwards.
  void SetMax(int max);
  // The field shows the value (FormatNumber with the settings' decimals).
  void ShowValue();
  // The bar takes the position of the value; its change handler runs when it moves.
  void PositionFromValue();
  // After a change of the view: the bar takes its new range 1..max and stands where the
  // value is now (at its end for a value outside), and the value stays as it is.
  void FollowView(int max);
  // Sets the value, shows it and moves the bar (a reset button).
  void SetValue(double v);

  // The bar's change handler: the value from the position, shown; then `changed`.
  void BarChange();
  // The field's leave handler: the typed expression (an undefined one keeps the
  // old value), the bar moves to its nearest step without changing it, then `changed`.
  void FieldExit();

  QLineEdit* Field() const { return field_; }
  QScrollBar* Bar() const { return bar_; }

 private:
  QLineEdit* field_;
  QScrollBar* bar_;
  double& value_;
  std::function<double()> lower_, upper_;
  std::function<void()> changed_;
};

// round(width / tickStep · 100): a hundred bar positions per tick step, within 1..1000000.
int BarMaxForTicks(double width, double tickStep);

}  // namespace kurvio
