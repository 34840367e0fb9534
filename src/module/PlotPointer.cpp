// SPDX-License-Identifier: GPL-3.0-or-later
#include "module/PlotPointer.h"

#include <QKeyEvent>
#include <QLabel>
#include <QSizePolicy>
#include <algorithm>

#include "module/Controls.h"
#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "settings/Settings.h"
#include "term/NumberFormat.h"

namespace kurvio {
namespace {

constexpr int kNotch = 120;
constexpr double kZoomIn = 0.8;
constexpr double kZoomOut = 1.25;

QString Coordinate(const char* name, double v) {
  return QString::fromLatin1(name) + QStringLiteral(" = ") +
         QString::fromStdString(FormatReadout(Nachkommastellen, v));
}

}  // namespace

PlotSpot SpotInView(int column, int row, int width, int height) {
  const int w = std::max(width, 1), h = std::max(height, 1);
  // As WorldX and WorldY map them, for a plot of its own size.
  return {static_cast<double>(column) / w * (x2 - x1) + x1,
          (1.0 - static_cast<double>(row) / h) * (y2 - y1) + y1};
}

QString SpotText(const PlotSpot& spot) {
  QString text;
  if (spot.hasX) text = Coordinate("x", spot.x);
  if (spot.hasY)
    text += (text.isEmpty() ? QString() : QStringLiteral("   ")) + Coordinate("y", spot.y);
  return text;
}

double WheelZoomFactor(int notches) {
  double factor = 1;
  for (int i = 0; i < notches; ++i) factor *= kZoomIn;
  for (int i = 0; i > notches; --i) factor *= kZoomOut;
  return factor;
}

PlotPointer::PlotPointer(QWidget* window, TPaintBox* paintBox, QWidget* parent, Hooks hooks)
    : QObject(window), hooks_(std::move(hooks)) {
  readout_ = Named(new QLabel(parent), "cursorReadout");
  readout_->setAccessibleName(QStringLiteral("Koordinaten am Mauszeiger"));
  readout_->setTextFormat(Qt::PlainText);
  // Hidden while empty, and keeping its room then, so that nothing moves as it comes and goes.
  QSizePolicy policy = readout_->sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  readout_->setSizePolicy(policy);
  readout_->setMinimumHeight(readout_->fontMetrics().height());
  readout_->hide();
  connect(paintBox, &TPaintBox::PointerAt, this, &PlotPointer::Show);
  connect(paintBox, &TPaintBox::PointerLeft, this, [this] { readout_->hide(); });
  connect(paintBox, &TPaintBox::Wheel, this, &PlotPointer::Turn);
  window->installEventFilter(this);
}

void PlotPointer::Show(int column, int row) {
  const std::optional<PlotSpot> spot = hooks_.spotAt ? hooks_.spotAt(column, row) : std::nullopt;
  readout_->setText(spot ? SpotText(*spot) : QString());
  readout_->setVisible(spot.has_value());
}

void PlotPointer::Turn(int column, int row, int angleDelta) {
  wheelRest_ += angleDelta;
  const int notches = wheelRest_ / kNotch;
  wheelRest_ -= notches * kNotch;
  if (notches == 0 || !hooks_.zoom || !hooks_.spotAt) return;
  const std::optional<PlotSpot> spot = hooks_.spotAt(column, row);
  if (!spot) return;
  hooks_.zoom(*spot, WheelZoomFactor(notches));
  Show(column, row);
}

bool PlotPointer::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && hooks_.reset) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_0 &&
        (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier) {
      hooks_.reset();
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace kurvio
