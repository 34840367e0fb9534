// SPDX-License-Identifier: GPL-3.0-or-later
#include "module/NumberScroll.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>
#include <cmath>

#include "module/ModuleDialog.h"
#include "module/ScrollGrid.h"
#include "module/TermEdit.h"
#include "settings/Settings.h"
#include "term/NumberFormat.h"

namespace kurvio {

TNumberScroll::TNumberScroll(TModuleDialog* window, QLineEdit* field, QScrollBar* bar,
                             double& value, std::function<double()> lower,
                             std::function<double()> upper, std::function<void()> changed)
    : QObject(window),
      field_(field),
      bar_(bar),
      value_(value),
      lower_(std::move(lower)),
      upper_(std::move(upper)),
      changed_(std::move(changed)) {
  bar_->setMinimum(1);
  connect(bar_, &QScrollBar::valueChanged, this, &TNumberScroll::BarChange);
  window->OnExit(field_, [this] { FieldExit(); });
}

void TNumberScroll::SetMax(int max) {
  // A bar clipped to its new end must not change the value: only the position
  // the value then takes (PositionFromValue) counts.
  const QSignalBlocker quiet(bar_);
  bar_->setMaximum(std::max(max, 1));
}

void TNumberScroll::ShowValue() {
  field_->setText(QString::fromStdString(FormatNumber(Nachkommastellen, value_)));
}

void TNumberScroll::PositionFromValue() {
  bar_->setValue(kurvio::PositionFromValue(value_, lower_(), upper_(), bar_->maximum()));
}

void TNumberScroll::FollowView(int max) {
  const QSignalBlocker quiet(bar_);
  bar_->setMaximum(std::max(max, 1));
  PositionFromValue();
}

void TNumberScroll::SetValue(double v) {
  value_ = v;
  ShowValue();
  PositionFromValue();
}

void TNumberScroll::BarChange() {
  value_ = ValueFromPosition(bar_->value(), lower_(), upper_(), bar_->maximum());
  ShowValue();
  if (changed_) changed_();
}

void TNumberScroll::FieldExit() {
  ReadNumberEdit(field_, value_, value_);
  // The bar stands at the nearest step (at its end for a value beyond it), and the
  // value stays the one typed.
  {
    const QSignalBlocker quiet(bar_);
    PositionFromValue();
  }
  if (changed_) changed_();
}

int BarMaxForTicks(double width, double tickStep) {
  const double max = std::nearbyint(width / tickStep * 100.0);
  if (!(max >= 1.0)) return 1;  // NaN too
  return static_cast<int>(std::min(max, 1000000.0));
}

}  // namespace kurvio
