// SPDX-License-Identifier: GPL-3.0-or-later
// The mouse over a window's picture: the wheel zooms about the point under the
// pointer, Ctrl+0 puts back the start view, and a label in the control panel
// reads the world coordinates under the pointer. The label stays hidden while
// the pointer is not over a plot, and it is never part of the picture.
#pragma once

#include <QObject>
#include <functional>
#include <optional>

class QLabel;
class QWidget;

namespace kurvio {

class TPaintBox;

// A world point under the pointer. Where the picture has no y axis (a number
// line) hasY is false and y is the middle of the view, so that a zoom there
// keeps the height centred; likewise hasX.
struct PlotSpot {
  double x = 0, y = 0;
  bool hasX = true, hasY = true;
};

// The point of pixel (column, row) in a plot `width` × `height` pixels showing x1..x2 × y1..y2.
PlotSpot SpotInView(int column, int row, int width, int height);

// "x = 1,25   y = -0,50" with the number of decimals of the settings.
QString SpotText(const PlotSpot& spot);

// The zoom factor of a wheel turned by whole notches (positive: zoom in by 0.8 each).
double WheelZoomFactor(int notches);

class PlotPointer : public QObject {
  Q_OBJECT

 public:
  struct Hooks {
    // The point under a pixel of the paint box; none outside every plot.
    std::function<std::optional<PlotSpot>(int column, int row)> spotAt;
    // Zooms by `factor` about `spot`, with the window's check and redraw.
    std::function<void(const PlotSpot& spot, double factor)> zoom;
    // Ctrl+0: the window's start view.
    std::function<void()> reset;
  };

  // Watches `paintBox` and the keys reaching `window`; the readout is made in `parent`.
  PlotPointer(QWidget* window, TPaintBox* paintBox, QWidget* parent, Hooks hooks);

  QLabel* Readout() const { return readout_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Show(int column, int row);
  void Turn(int column, int row, int angleDelta);

  Hooks hooks_;
  QLabel* readout_;
  int wheelRest_ = 0;  // a touchpad's part of a notch
};

}  // namespace kurvio
