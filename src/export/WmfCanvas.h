// SPDX-License-Identifier: GPL-3.0-or-later
// The canvas on a 16-bit Windows metafile with a placeable header: what the
// "WMF" buttons save and put on the clipboard.
//
// Coordinates in the file are 16-bit, so every line and shape is clipped to
// the picture (and to the clip rectangle) in double precision before it is
// rounded. Hatched brushes and dashed pens are written as plain lines, which
// all readers show alike, and text without a Windows-1252 byte goes out in
// the symbol font. Text is measured with Arial proportions, so the canvas
// needs no font engine.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "export/WmfGeometry.h"
#include "plot/Canvas.h"

namespace kurvio {

class WmfCanvas : public Canvas {
 public:
  // A picture of width × height logical units (at most kMaxSize each), where
  // `scale` units make one screen pixel of 1/96 inch: this fixes the size the
  // picture has when pasted and the spacing of hatch lines.
  WmfCanvas(int width, int height, double scale);

  static constexpr int kMaxSize = 32000;
  // Font sizes are points of a device with 96 units per inch.
  static constexpr double kUnitsPerPoint = 96.0 / 72.0;

  int Width() const { return width_; }
  int Height() const { return height_; }

  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Polyline(const std::vector<Point>& points) override;
  void Polygon(const std::vector<Point>& points) override;
  void Rectangle(int left, int top, int right, int bottom) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void Arc(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) override;
  void Pie(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) override;
  void FillRect(int left, int top, int right, int bottom) override;
  void TextOut(int x, int y, const std::string& text) override;
  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;
  void SetClipRect(int left, int top, int right, int bottom) override;
  void ResetClip() override;
  void SetOrigin(int x, int y) override;
  void ShiftOrigin(int dx, int dy) override;

  // Completes the picture and returns the whole file. Later drawing is ignored.
  const std::string& Finish();

 private:
  enum Kind { kPen, kBrush, kFont, kKinds };
  struct Slot {
    bool used = false;
    int kind = 0;
    std::string data;  // the object's structure as written
    std::uint64_t lastUse = 0;
  };
  // What the playing device holds; written only when it has to change.
  struct DeviceState {
    int selected[kKinds] = {-1, -1, -1};
    int rop2 = 13;
    int bkMode = 1;
    std::uint32_t bkColor = kUnknownColor;
    std::uint32_t textColor = kUnknownColor;
  };
  static constexpr std::uint32_t kUnknownColor = 0xFFFFFFFF;

  void Emit(std::uint16_t function, const std::string& params);
  void Select(Kind kind, const std::string& data);
  void SelectPen(int style, int width, Color color);
  void SelectBrush(int style, Color color);
  void SelectFont(bool symbol);
  void SetRop2(PenMode mode);
  void SetBkMode(int mode);
  void SetBkColor(Color color);
  void SetTextColor(Color color);
  void SelectShapePen();
  void SelectShapeBrush();

  DPoint Device(int x, int y) const;
  void Flush();
  // Lines along the points in the pen, clipped.
  void DrawLines(const DPolyline& device, const Pen& linePen);
  void EmitRun(const DPolyline& run);
  void EmitMoveTo(Point p);
  // A closed shape that may reach out of the picture: filled and outlined piecewise.
  void DrawClippedShape(const DPolyline& device);
  void DrawHatch(const DPolyline& device);
  void DrawBoxShape(std::uint16_t function, const ClipBox& box, const DPolyline& outline,
                    const std::string& extra);
  bool Inside(const ClipBox& b) const;
  int FontEm() const;

  int width_;
  int height_;
  double scale_;
  std::string records_;
  std::uint32_t maxRecord_ = 0;
  std::vector<Slot> slots_;
  std::uint64_t useClock_ = 0;
  DeviceState device_;
  std::optional<DeviceState> saved_;  // while a clip rectangle is set
  bool hasDevicePos_ = false;
  Point devicePos_;
  Point origin_;
  ClipBox picture_;
  ClipBox box_;  // the picture, cut to the clip rectangle
  DPolyline pending_;
  Pen pendingPen_;
  bool finished_ = false;
  std::string file_;
};

}  // namespace kurvio
