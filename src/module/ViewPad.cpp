// SPDX-License-Identifier: GPL-3.0-or-later
#include "module/ViewPad.h"

#include <QGridLayout>
#include <QToolButton>

#include "module/Controls.h"
#include "module/PictureFrame.h"
#include "plot/PlotFrame.h"

namespace kurvio {
namespace {

// Changes the view of the settings by `change` with `args`.
template <typename... Args>
void ChangeView(void (*change)(WorldWindow&, Args...), Args... args) {
  WorldWindow view = SettingsView();
  change(view, args...);
  SetSettingsView(view);
}

}  // namespace
namespace {

QToolButton* PadButton(QWidget* parent, Qt::ArrowType arrow, const QString& text,
                       const QString& hint, const char* designName) {
  auto* button = new QToolButton(parent);
  if (arrow != Qt::NoArrow)
    button->setArrowType(arrow);
  else
    button->setText(text);
  button->setToolTip(hint);
  button->setFixedSize(22, 22);
  return Named(button, designName);
}

}  // namespace

TViewPad::TViewPad(QWidget* parent, const ViewPadNames& names)
    : QGroupBox(QStringLiteral("Koordinatensys."), parent) {
  grid_ = new QGridLayout(this);
  grid_->setSpacing(1);
  grid_->setContentsMargins(3, 3, 3, 3);
  const QString shift = QStringLiteral("Koordinatensystem verschieben");
  zoomOutButton =
      PadButton(this, Qt::NoArrow, QStringLiteral("−"), QStringLiteral("Zoom out"), names.zoomOut);
  zoomInButton =
      PadButton(this, Qt::NoArrow, QStringLiteral("+"), QStringLiteral("Zoom in"), names.zoomIn);
  upLeftButton = PadButton(this, Qt::NoArrow, QStringLiteral("↖"), shift, names.upLeft);
  upButton = PadButton(this, Qt::UpArrow, {}, shift, names.up);
  upRightButton = PadButton(this, Qt::NoArrow, QStringLiteral("↗"), shift, names.upRight);
  leftButton = PadButton(this, Qt::LeftArrow, {}, shift, names.left);
  resetButton = PadButton(this, Qt::NoArrow, QStringLiteral("•"),
                          QStringLiteral("Anfangswerte setzen"), names.reset);
  rightButton = PadButton(this, Qt::RightArrow, {}, shift, names.right);
  downLeftButton = PadButton(this, Qt::NoArrow, QStringLiteral("↙"), shift, names.downLeft);
  downButton = PadButton(this, Qt::DownArrow, {}, shift, names.down);
  downRightButton = PadButton(this, Qt::NoArrow, QStringLiteral("↘"), shift, names.downRight);
  grid_->addWidget(zoomOutButton, 0, 0);
  grid_->addWidget(zoomInButton, 0, 2);
  grid_->addWidget(upLeftButton, 1, 0);
  grid_->addWidget(upButton, 1, 1);
  grid_->addWidget(upRightButton, 1, 2);
  grid_->addWidget(leftButton, 2, 0);
  grid_->addWidget(resetButton, 2, 1);
  grid_->addWidget(rightButton, 2, 2);
  grid_->addWidget(downLeftButton, 3, 0);
  grid_->addWidget(downButton, 3, 1);
  grid_->addWidget(downRightButton, 3, 2);

  auto on = [this](QToolButton* button, std::function<void()> change, bool zoom = false) {
    connect(button, &QToolButton::clicked, this,
            [this, change, zoom] { Apply(change, true, zoom); });
  };
  on(
      zoomOutButton, [] { ChangeView(ZoomWorldWindow, 0.5); }, true);
  on(
      zoomInButton, [] { ChangeView(ZoomWorldWindow, -0.25); }, true);
  on(upLeftButton, [] { ChangeView(ShiftWorldWindow, -1, 1); });
  on(upButton, [] { ChangeView(ShiftWorldWindow, 0, 1); });
  on(upRightButton, [] { ChangeView(ShiftWorldWindow, 1, 1); });
  on(leftButton, [] { ChangeView(ShiftWorldWindow, -1, 0); });
  on(rightButton, [] { ChangeView(ShiftWorldWindow, 1, 0); });
  on(downLeftButton, [] { ChangeView(ShiftWorldWindow, -1, -1); });
  on(downButton, [] { ChangeView(ShiftWorldWindow, 0, -1); });
  on(downRightButton, [] { ChangeView(ShiftWorldWindow, 1, -1); });
  connect(resetButton, &QToolButton::clicked, this, [this] {
    Apply(
        [this] {
          if (Reset) Reset();
        },
        false);
  });
}

void TViewPad::ZoomAbout(double x, double y, double factor) {
  if (!(factor < 1 ? zoomInButton : zoomOutButton)->isEnabled()) return;
  Apply([x, y, factor] { ChangeView(ZoomWorldWindowAbout, x, y, factor); }, true, true);
}

void TViewPad::Apply(const std::function<void()>& change, bool check, bool zoom) {
  lastWasZoom_ = zoom;
  change();
  if (check && Check) Check();
  if (Changed) Changed();
}

}  // namespace kurvio
