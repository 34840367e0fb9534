#include "plot/ViewPad.h"

#include <QGridLayout>
#include <QToolButton>

#include "plot/PlotFrame.h"

namespace kurvio {
namespace {

QToolButton* PadButton(QWidget* parent, Qt::ArrowType arrow, const QString& text,
                       const QString& hint) {
  auto* button = new QToolButton(parent);
  if (arrow != Qt::NoArrow)
    button->setArrowType(arrow);
  else
    button->setText(text);
  button->setToolTip(hint);
  button->setFixedSize(22, 22);
  return button;
}

}  // namespace

TViewPad::TViewPad(QWidget* parent) : QGroupBox(QStringLiteral("Koordinatensys."), parent) {
  grid_ = new QGridLayout(this);
  grid_->setSpacing(1);
  grid_->setContentsMargins(3, 3, 3, 3);
  const QString shift = QStringLiteral("Koordinatensystem verschieben");
  SpeedButton3 = PadButton(this, Qt::NoArrow, QStringLiteral("−"), QStringLiteral("Zoom out"));
  SpeedButton7 = PadButton(this, Qt::NoArrow, QStringLiteral("+"), QStringLiteral("Zoom in"));
  SpeedButton21 = PadButton(this, Qt::NoArrow, QStringLiteral("↖"), shift);
  SpeedButton11 = PadButton(this, Qt::UpArrow, {}, shift);
  SpeedButton20 = PadButton(this, Qt::NoArrow, QStringLiteral("↗"), shift);
  SpeedButton8 = PadButton(this, Qt::LeftArrow, {}, shift);
  SpeedButton22 =
      PadButton(this, Qt::NoArrow, QStringLiteral("•"), QStringLiteral("Anfangswerte setzen"));
  SpeedButton9 = PadButton(this, Qt::RightArrow, {}, shift);
  SpeedButton18 = PadButton(this, Qt::NoArrow, QStringLiteral("↙"), shift);
  SpeedButton10 = PadButton(this, Qt::DownArrow, {}, shift);
  SpeedButton19 = PadButton(this, Qt::NoArrow, QStringLiteral("↘"), shift);
  grid_->addWidget(SpeedButton3, 0, 0);
  grid_->addWidget(SpeedButton7, 0, 2);
  grid_->addWidget(SpeedButton21, 1, 0);
  grid_->addWidget(SpeedButton11, 1, 1);
  grid_->addWidget(SpeedButton20, 1, 2);
  grid_->addWidget(SpeedButton8, 2, 0);
  grid_->addWidget(SpeedButton22, 2, 1);
  grid_->addWidget(SpeedButton9, 2, 2);
  grid_->addWidget(SpeedButton18, 3, 0);
  grid_->addWidget(SpeedButton10, 3, 1);
  grid_->addWidget(SpeedButton19, 3, 2);

  auto on = [this](QToolButton* button, std::function<void()> change, bool zoom = false) {
    connect(button, &QToolButton::clicked, this,
            [this, change, zoom] { Apply(change, true, zoom); });
  };
  on(
      SpeedButton3, [] { ZoomWorldWindow(0.5); }, true);
  on(
      SpeedButton7, [] { ZoomWorldWindow(-0.25); }, true);
  on(SpeedButton21, [] { ShiftWorldWindow(-1, 1); });
  on(SpeedButton11, [] { ShiftWorldWindow(0, 1); });
  on(SpeedButton20, [] { ShiftWorldWindow(1, 1); });
  on(SpeedButton8, [] { ShiftWorldWindow(-1, 0); });
  on(SpeedButton9, [] { ShiftWorldWindow(1, 0); });
  on(SpeedButton18, [] { ShiftWorldWindow(-1, -1); });
  on(SpeedButton10, [] { ShiftWorldWindow(0, -1); });
  on(SpeedButton19, [] { ShiftWorldWindow(1, -1); });
  connect(SpeedButton22, &QToolButton::clicked, this, [this] {
    Apply(
        [this] {
          if (Reset) Reset();
        },
        false);
  });
}

void TViewPad::Apply(const std::function<void()>& change, bool check, bool zoom) {
  lastWasZoom_ = zoom;
  change();
  if (check && Check) Check();
  if (Changed) Changed();
}

}  // namespace kurvio
