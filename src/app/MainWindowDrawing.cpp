// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing of the main window: the live picture over the fixed layer, the
// family member with its extras, and the fixed curves.
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "app/Family.h"
#include "app/MainWindow.h"
#include "module/DerivativeTerms.h"
#include "module/DrawOn.h"
#include "module/TermEdit.h"
#include "module/TermLegend.h"
#include "module/ValueTable.h"
#include "plot/CurveLabel.h"
#include "plot/CurveTracer.h"
#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "plot/QtCanvas.h"
#include "settings/Settings.h"
#include "term/NumberFormat.h"
#include "term/Term.h"
#include "term/TermBatch.h"
#include "widgets/TBitCheckBox.h"

namespace kurvio {
namespace {

constexpr Color kSilver = RGB(192, 192, 192);
constexpr Color kGreen = RGB(0, 128, 0);
constexpr Color kRed = RGB(255, 0, 0);
// The value table shows the member drawn and at most this many fixed ones, the newest.
constexpr std::size_t kTableFixedCurves = 10;

// The value and slope of the current family member at x (kinds 4 and 7).
bool ValueAndSlope(int kind, double x, double& y, double& m) {
  y = FamilyValue(kind, x);
  if (!TermDefined) return false;
  m = FamilyValue(kind == 7 ? 8 : 5, x);
  return TermDefined;
}

// The term families (kinds 4, 5, 7 and 8, as FamilyValue computes them) one
// batch per curve; the others have no term and get an empty function.
CurveBatchFunction FamilyCurve(int kind) {
  const TermInputs fixed{0, ParamT, ParamA, ParamB, ParamC, 0};
  switch (kind) {
    case 4:
      return TermCurve(MainTerm, BatchInput::X, fixed);
    case 5:
      return DerivativeCurve(MainTerm, 1, fixed);
    case 7:
    case 8:
      return [kind, fixed](const double* x, std::size_t count, double* values, bool* defined) {
        std::vector<double> shifted(x, x + count);
        for (double& u : shifted) u -= fixed.b;
        EvalDerivativeBatch(MainTerm, kind == 7 ? 0 : 1, fixed, shifted.data(), count, values,
                            defined);
        for (std::size_t i = 0; i < count; ++i)
          values[i] = kind == 7 ? values[i] * fixed.a + fixed.c : values[i] * fixed.a;
      };
    default:
      return {};
  }
}

}  // namespace

void TForm1::ShowVertexLabel() {
  if ((CurveKind == 2 || CurveKind == 3) && ParamA != 0 && (MoveVertex || MarkVertex)) {
    double xS, yS;
    FamilyVertex(CurveKind, xS, yS);
    vertexLabel->setText(QString::fromStdString(VertexLabel(xS, yS)));
    vertexLabel->setVisible(true);
  } else {
    vertexLabel->setVisible(false);
  }
}

void TForm1::BeginFrame() {
  if (!frames_.Exporting()) layers_.Resize(paintBox->width(), paintBox->height());
  frame_ = frames_.Begin(layers_.FixedLayer().width(), layers_.FixedLayer().height());
}

void TForm1::darstellen() {
  ShowVertexLabel();
  derivativeTerms->Update();
  BeginFrame();
  if (!frame_.forExport) layers_.BackBuffer().fill(ToQColor(Farben::Hintergrund));
  DrawOn(layers_.BackBuffer(), paintBox->font(), frame_, [this] {
    const int kind = CurveKind;
    CurveColor = Farben::Zeichenstift;
    KurveZeichnen(x1, x2, x1, x2);
    if (ShowDerivative) {
      CurveKind = kind == 7 ? 8 : 5;
      CurveColor = Farben::fStrich;
      KurveZeichnen(x1, x2, x1, x2);
      LabelCurve(CurveFrame(frame_), "f'", FamilyCurve(CurveKind));
      CurveKind = kind;
    }
    if (ShowTangent && (kind == 4 || kind == 7)) DrawTangent(false);
  });
  if (FixDrawing) {
    // An insertion: the curve goes into the fixed layer at once, without a rebuild.
    DrawOn(layers_.FixedLayer(), paintBox->font(), frame_, [this] {
      CurveColor = Farben::Zeichenstift;
      KurveZeichnen(x1, x2, x1, x2);
      if (ShowTangent && (CurveKind == 4 || CurveKind == 7)) DrawTangent(true);
    });
  }
  if (!frame_.forExport) layers_.CombineAnd();
  // Over both layers, so that nothing shows through the legend.
  if (legendBox->Checked())
    DrawOn(layers_.BackBuffer(), paintBox->font(), frame_, [this] {
      const int kind = CurveKind;
      CurveBatchFunction curve = FamilyCurve(kind);
      if (!curve) curve = PointByPoint([kind](double x) { return FamilyValue(kind, x); });
      DrawTermLegend(frame_, legendBox, LegendLines(), curve);
    });
  if (!frame_.forExport) paintBox->Show();
  valueTable->Refresh();
}

QString TForm1::TableFunction() const {
  if (CurrentTab() == 3)
    return familyCaption->text() + QStringLiteral(" mit f(x) = ") + DrawnTermText(shiftedTermField);
  return QStringLiteral("y = ") + DrawnTermText(termField);
}

std::vector<FixedCurve> TForm1::TableCurves() const {
  std::vector<FixedCurve> curves;
  FixedCurve entry;
  for (std::size_t i = 1; i <= kTableFixedCurves && FixedCurves.Read(i, entry); ++i)
    curves.insert(curves.begin(), entry);
  return curves;
}

QStringList TForm1::TableColumns() const {
  const std::vector<FixedCurve> fixed = TableCurves();
  const FixedCurve current{ParamA, ParamB, ParamC, ParamT};
  // A fixed member's column names the parameters in which the members differ.
  const bool shifted = CurrentTab() == 3;
  const char* const names[] = {"a", shifted ? "u" : "b", shifted ? "v" : "c", "t"};
  const auto values = [](const FixedCurve& f) { return std::array{f.a, f.b, f.c, f.t}; };
  const auto suffix = [&](const FixedCurve& curve) {
    QStringList parts;
    for (std::size_t p = 0; p < (shifted ? 3u : 4u); ++p) {
      const bool differs = std::any_of(fixed.begin(), fixed.end(), [&](const FixedCurve& f) {
        return values(f)[p] != values(current)[p];
      });
      if (differs)
        parts << QString::fromLatin1(names[p]) + QStringLiteral(" = ") +
                     QString::fromStdString(FormatNumberBare(Nachkommastellen, values(curve)[p]))
                         .trimmed();
    }
    return parts.isEmpty() ? QString()
                           : QStringLiteral(" (") + parts.join(QStringLiteral("; ")) + ")";
  };
  QStringList columns{QStringLiteral("y") + suffix(current)};
  if (ShowDerivative) columns << QStringLiteral("y'") + suffix(current);
  for (const FixedCurve& f : fixed) columns << QStringLiteral("y") + suffix(f);
  return columns;
}

std::vector<QString> TForm1::TableCells(const std::vector<double>& xs) {
  const int kind = CurveKind;
  const std::vector<FixedCurve> fixed = TableCurves();
  const std::size_t perRow = (ShowDerivative ? 2 : 1) + fixed.size();
  std::vector<QString> cells(xs.size() * perRow);
  const auto column = [&](std::size_t c, int k) {
    for (std::size_t r = 0; r < xs.size(); ++r) {
      const double y = FamilyValue(k, xs[r]);
      cells[r * perRow + c] = CellText(y, TermDefined);
    }
  };
  column(0, kind);
  if (ShowDerivative) column(1, kind == 7 ? 8 : 5);
  const double a = ParamA, b = ParamB, c = ParamC, t = ParamT;
  for (std::size_t i = 0; i < fixed.size(); ++i) {
    ParamA = fixed[i].a;
    ParamB = fixed[i].b;
    ParamC = fixed[i].c;
    ParamT = fixed[i].t;
    column(perRow - fixed.size() + i, kind);
  }
  ParamA = a;
  ParamB = b;
  ParamC = c;
  ParamT = t;
  return cells;
}

QStringList TForm1::LegendLines() const {
  const int tab = CurrentTab();
  QStringList lines;
  lines << (tab == 4 ? QStringLiteral("y = ") + DrawnTermText(termField) : familyCaption->text());
  if (tab == 3) lines << QStringLiteral("f(x) = ") + DrawnTermText(shiftedTermField);
  QStringList values;
  const QLabel* const labels[] = {aLabel, bLabel, cLabel, tLabel};
  const int count = tab == 0 ? 2 : tab == 4 ? 4 : 3;
  for (int i = 0; i < count; ++i)
    values << labels[i]->text() + QLatin1Char(' ') +
                  QString::fromStdString(FormatNumberBare(Nachkommastellen, FamilyParam(i).value))
                      .trimmed();
  lines << values.join(QStringLiteral("   "));
  return lines;
}

void TForm1::darstellen2() {
  BeginFrame();
  if (!frame_.forExport) layers_.FixedLayer().fill(ToQColor(Farben::Hintergrund));
  DrawOn(layers_.FixedLayer(), paintBox->font(), frame_, [this] {
    frame_.axes.xName = "x";
    frame_.axes.yName = "y";
    DrawCoordinateSystem(frame_);
    const double a = ParamA, b = ParamB, c = ParamC, t = ParamT;
    const int width = LineWidth;
    const Color color = CurveColor;
    FixedCurve entry;
    for (std::size_t i = 1; FixedCurves.Read(i, entry); ++i) {
      ParamA = entry.a;
      ParamB = entry.b;
      ParamC = entry.c;
      ParamT = entry.t;
      CurveColor = entry.color;
      LineWidth = entry.lineWidth;
      KurveZeichnen(x1, x2, x1, x2);
    }
    ParamA = a;
    ParamB = b;
    ParamC = c;
    ParamT = t;
    LineWidth = width;
    CurveColor = color;
  });
}

void TForm1::DrawTangent(bool intoFixedLayer) {
  const int kind = CurveKind;
  const double a = ParamA, b = ParamB, c = ParamC, t = ParamT;
  const double x0 = PointX0;
  double y0, m;
  // A tangent needs a defined value and slope at x0.
  if (!ValueAndSlope(kind, x0, y0, m)) return;
  const double half = std::cos(std::atan2(m, 1.0)) * Tangentenlaenge;
  if (intoFixedLayer) {
    CurveKind = 1;
    CurveColor = Farben::Zeichenstift;
    ParamA = m;
    ParamB = y0 - x0 * m;
    KurveZeichnen(x1, x2, x0 - half, x0 + half);
  } else {
    CurveKind = 6;
    frame_.canvas->pen.color = kSilver;
    WorldLine(frame_, x0, 0, x0, y0);
    ParamA = m;
    ParamB = y0 - x0 * m;
    CurveColor = Farben::Tangente;
    const double L = half * XTickStep;
    KurveZeichnen(x1, x2, x0 - L, x0 + L);
  }
  ParamA = a;
  ParamB = b;
  ParamC = c;
  ParamT = t;
  CurveKind = kind;
  if (!intoFixedLayer) MarkTangentPoint(x0, y0, m);
}

void TForm1::MarkTangentPoint(double x0, double y0, double m) {
  if (!(x1 < x0 && x0 < x2 && y1 < y0 && y0 < y2)) return;
  Canvas& c = *frame_.canvas;
  const int X = frame_.ScreenX(x0), Y = frame_.ScreenY(y0), r = frame_.Scaled(3);
  c.pen.color = Farben::Tangente;
  c.pen.width = frame_.Scaled(2);
  c.Ellipse(X - r, Y - r, X + r + 1, Y + r + 1);
  c.pen.width = frame_.Scaled(1);
  const bool shifted = CurveKind == 7;
  const double curvature =
      EvalDerivative(MainTerm, 2, shifted ? x0 - ParamB : x0, ParamT, ParamA, ParamB, ParamC, 0) *
      (shifted ? ParamA : 1.0);
  const double shown = ZeroWithin(m, SlopeRounding(x0, y0, TermDefined ? curvature : std::nan("")));
  const std::string text = "m = " + FormatGeneral(shown, 5, DecimalSeparator);
  // Beside the tangent, on the side it does not run to: below right of a rising one.
  const int gap = frame_.Scaled(8), height = c.TextHeight(text), width = c.TextWidth(text);
  const Point below{X + gap, Y + gap / 2}, above{X - gap - width, Y - gap / 2 - height};
  const Point belowLeft{X - gap - width, Y + gap / 2}, aboveRight{X + gap, Y - gap / 2 - height};
  const Color color = c.font.color;
  const Brush brush = c.brush;
  c.font.color = Farben::Tangente;
  c.brush = {Farben::Hintergrund, BrushStyle::Solid};
  if (shown >= 0)
    TextOutClear(frame_, text, {below, above, aboveRight, belowLeft});
  else
    TextOutClear(frame_, text, {belowLeft, aboveRight, above, below});
  c.font.color = color;
  c.brush = brush;
}

void TForm1::DrawVertexMark() {
  // Only the parabola families have a vertex to mark.
  if (!(CurveKind == 2 || CurveKind == 3) || !(MoveVertex || MarkVertex) || ParamA == 0) return;
  double xS, yS;
  FamilyVertex(CurveKind, xS, yS);
  if (!(x1 < xS && xS < x2 && y1 < yS && yS < y2)) return;
  const int px = frame_.ScreenX(xS), py = frame_.ScreenY(yS);
  frame_.canvas->pen.width = frame_.Scaled(2);
  frame_.canvas->Ellipse(px - 3, py - 3, px + 4, py + 4);
}

void TForm1::DrawSlopeTriangle() {
  const int kind = CurveKind;
  if (kind != 1 && kind != 4 && kind != 7) return;
  const double x0 = PointX0;
  double y0, run, rise;
  if (kind == 1) {
    y0 = ParamA * x0 + ParamB;
    run = StepWidth;
    rise = ParamA * (x0 + run) + ParamB - y0;
  } else {
    run = 1;
    if (!ValueAndSlope(kind, x0, y0, rise)) return;
  }
  Canvas& c = *frame_.canvas;
  const Point p0{frame_.ScreenX(x0), frame_.ScreenY(y0)};
  const Point p1{frame_.ScreenX(x0 + run), frame_.ScreenY(y0)};
  const Point p2{frame_.ScreenX(x0 + run), frame_.ScreenY(y0 + rise)};
  c.brush = {Farben::Dreieck, BrushStyle::Solid, true};
  c.Polygon({p0, p1, p2});
  c.brush.area = false;
  c.pen.width = frame_.Scaled(2);
  c.pen.color = kGreen;
  c.MoveTo(p0.x, p0.y);
  c.LineTo(p1.x, p1.y);
  c.pen.color = kRed;
  c.LineTo(p2.x, p2.y);
  if (kind != 1 && ShowDerivative) WorldLine(frame_, x0, 0, x0, rise);
  c.pen.width = frame_.Scaled(1);
}

void TForm1::KurveZeichnen(double scaleFrom, double scaleTo, double from, double to) {
  if (!frame_.canvas) return;
  DrawVertexMark();
  if (ShowTriangle) DrawSlopeTriangle();
  const int kind = CurveKind;
  if (const CurveBatchFunction curve = FamilyCurve(kind))
    TraceCurve(CurveFrame(frame_), curve, scaleFrom, scaleTo, from, to, 2);
  else
    TraceValueCurve(CurveFrame(frame_), [kind](double x) { return FamilyValue(kind, x); }, scaleFrom, scaleTo,
                    from, to, 2);
}

void TForm1::Farbverlauf(int n) {
  QImage strip(64, 10, QImage::Format_RGB32);
  {
    QPainter painter(&strip);
    for (int i = 0; i < 64; ++i) {
      painter.setPen(ToQColor(SpectrumTableColor(n, n == 12 ? 3 * i : 4 * i)));
      painter.drawLine(i, 0, i, 9);
    }
  }
  spectrumImage->setPixmap(QPixmap::fromImage(strip));
}

}  // namespace kurvio
