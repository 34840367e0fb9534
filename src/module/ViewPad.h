// SPDX-License-Identifier: GPL-3.0-or-later
// The view pad every graph window offers under "Koordinatensys.": zoom out,
// zoom in, eight shifts by a tenth of the view and the reset to the start
// values in the centre. The window supplies its own check of the view, its
// reset and its redraw.
#pragma once

#include <QGroupBox>
#include <functional>

class QGridLayout;
class QToolButton;

namespace kurvio {

// The design names of the pad's buttons; most windows use these.
struct ViewPadNames {
  const char* zoomOut = "SpeedButton3";
  const char* zoomIn = "SpeedButton7";
  const char* upLeft = "SpeedButton21";
  const char* up = "SpeedButton11";
  const char* upRight = "SpeedButton20";
  const char* left = "SpeedButton8";
  const char* reset = "SpeedButton22";
  const char* right = "SpeedButton9";
  const char* downLeft = "SpeedButton18";
  const char* down = "SpeedButton10";
  const char* downRight = "SpeedButton19";
};

class TViewPad : public QGroupBox {
  Q_OBJECT

 public:
  explicit TViewPad(QWidget* parent = nullptr, const ViewPadNames& names = {});

  QToolButton *zoomOutButton, *zoomInButton;
  QToolButton *upLeftButton, *upButton, *upRightButton, *leftButton, *resetButton, *rightButton,
      *downLeftButton, *downButton, *downRightButton;
  // Room below the pad for a window's own controls (the main window's "Zoom").
  QGridLayout* Grid() const { return grid_; }

  // After a zoom or shift: the window's check of the view (WertePruefen).
  std::function<void()> Check;
  // The centre button: the view's start values (InitWerte), without a check.
  std::function<void()> Reset;
  // After every change: the window redraws.
  std::function<void()> Changed;
  // The wheel: a zoom by `factor` about the world point (x, y), checked and
  // redrawn as the zoom buttons do; nothing while the button it stands for
  // ("Zoom in" below 1, "Zoom out" above) is disabled.
  void ZoomAbout(double x, double y, double factor);
  // Whether the last change was a zoom (some windows reset their animation step then).
  bool LastChangeWasZoom() const { return lastWasZoom_; }

 private:
  void Apply(const std::function<void()>& change, bool check, bool zoom = false);
  QGridLayout* grid_;
  bool lastWasZoom_ = false;
};

}  // namespace kurvio
