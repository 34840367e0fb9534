// SPDX-License-Identifier: GPL-3.0-or-later
// The program's 2-D drawing surface. Every drawing routine draws on a Canvas;
// the screen (QImage), the printer and the metafile writer implement it.
//
// The model is the classic GDI one: a current pen, brush and font, a current
// position for MoveTo/LineTo, shapes outlined with the pen and filled with the
// brush, lines that leave out their last pixel, and text drawn over the brush
// colour unless the brush is clear. Colours are 0x00BBGGRR integers.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "settings/Color.h"

namespace kurvio {

enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot, Clear };
// The dashes and gaps of a pen style in pen widths, in turn, as every device draws them;
// none for a solid pen. The dotted pen is one on, one off, as the classic one.
std::vector<double> DashPattern(PenStyle style);
enum class PenMode { Copy, NotXor };
// Solid, Clear and the six hatch patterns.
enum class BrushStyle {
  Solid,
  Clear,
  Horizontal,
  Vertical,
  FDiagonal,
  BDiagonal,
  Cross,
  DiagCross
};

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Pen {
  Color color = kBlack;
  int width = 1;
  PenStyle style = PenStyle::Solid;
  PenMode mode = PenMode::Copy;
};

struct Brush {
  Color color = kWhite;
  BrushStyle style = BrushStyle::Solid;
  // A strip or region that curves are drawn over, not a marker: presentation
  // mode keeps it light rather than strong.
  bool area = false;
};

struct Font {
  std::string name = "Arial";
  int size = 10;  // points
  Color color = kBlack;
  bool bold = false;
  bool italic = false;
  friend bool operator==(const Font&, const Font&) = default;
};

// A font named "Symbol" shows Latin letters as Greek ones ("e" as ε, "d" as δ,
// "p" as π, "a" as α).
bool IsSymbolFont(const std::string& name);
// The UTF-8 text that a symbol font shows for the given text.
std::string SymbolFontText(const std::string& text);

class Canvas {
 public:
  virtual ~Canvas() = default;

  // The state is kept here; backends read it when they draw.
  Pen pen;
  Brush brush;
  Font font;

  Point PenPos() const { return penPos_; }

  virtual void MoveTo(int x, int y) { penPos_ = {x, y}; }
  // Line from the current position to (x, y), without the end pixel.
  virtual void LineTo(int x, int y) = 0;
  // Lines from the current position through the points in turn, as that many
  // LineTo calls draw them: a curve hands over its points a run at a time.
  virtual void PolylineTo(std::span<const Point> points) {
    for (const Point& p : points) LineTo(p.x, p.y);
  }
  virtual void Polyline(const std::vector<Point>& points) = 0;
  virtual void Polygon(const std::vector<Point>& points) = 0;
  // Shapes in the box left <= x < right, top <= y < bottom.
  virtual void Rectangle(int left, int top, int right, int bottom) = 0;
  virtual void Ellipse(int left, int top, int right, int bottom) = 0;
  // Arc and pie of the ellipse in the box, counter-clockwise from the ray
  // towards (x3, y3) to the ray towards (x4, y4).
  virtual void Arc(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) = 0;
  virtual void Pie(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4) = 0;
  // Fills with the brush, no outline.
  virtual void FillRect(int left, int top, int right, int bottom) = 0;
  // UTF-8 text with its top-left corner at (x, y).
  virtual void TextOut(int x, int y, const std::string& text) = 0;
  virtual int TextWidth(const std::string& text) = 0;
  virtual int TextHeight(const std::string& text) = 0;
  // Drawing is limited to the rectangle until ResetClip.
  virtual void SetClipRect(int left, int top, int right, int bottom) = 0;
  virtual void ResetClip() = 0;
  // Device point of the logical (0, 0).
  virtual void SetOrigin(int x, int y) = 0;
  // Moves the logical (0, 0) by (dx, dy) from where it is now, so that a
  // picture's lower part can be drawn in its own coordinates below the upper
  // one (on the printer: below the page offsets). The clip rectangle stays
  // where it was set.
  virtual void ShiftOrigin(int dx, int dy) = 0;

 protected:
  void SetPenPos(int x, int y) { penPos_ = {x, y}; }

 private:
  Point penPos_;
};

// Text whose subscript digits ("x₀") are written as a smaller digit lowered after
// the letter before it, alike on every device: a metafile's 8-bit text has no such
// character. Other text goes to TextOut unchanged.
void WriteText(Canvas& c, int x, int y, const std::string& text);
int WrittenTextWidth(Canvas& c, const std::string& text);

}  // namespace kurvio
