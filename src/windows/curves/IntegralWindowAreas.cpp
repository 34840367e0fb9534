// SPDX-License-Identifier: GPL-3.0-or-later
// The integral window's areas: the integral beside the area, cut where f (or f - g)
// changes sign, and the lower and upper sums with their strips.
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <memory>
#include <vector>

#include "module/Controls.h"
#include "module/IntegerField.h"
#include "module/TermEdit.h"
#include "plot/Canvas.h"
#include "plot/PlotFrame.h"
#include "settings/IniFile.h"
#include "settings/Settings.h"
#include "term/NumberFormat.h"
#include "term/Poles.h"
#include "term/Term.h"
#include "widgets/TBitCheckBox.h"
#include "widgets/TSwitch.h"
#include "windows/curves/IntegralWindow.h"

namespace kurvio {
namespace {

// The pieces below the axis: a light vermilion beside the usual area colour, apart
// for every eye and on a projector.
constexpr Color kAreaBelow = 0x0099BBFF;
// The strips of the sums: light blue, edged darker where they are wide enough to tell apart.
constexpr Color kStripFill = 0x00FFD8A8;
constexpr Color kStripEdge = 0x00B55A00;
constexpr int kSwitchStepMs = 800;

}  // namespace

void TForm7::BuildAreaPanel(QWidget* panel, QVBoxLayout* column) {
  QVBoxLayout* inner =
      AddSwitchedPanel(panel, column, QStringLiteral("Fläche"), "areaBox", areaBox, areaPanel);
  signedIntegralReadout = Named(new QLabel(areaPanel), "integralReadout");
  areaReadout = Named(new QLabel(areaPanel), "areaReadout");
  auto* gRow = new QHBoxLayout;
  gRow->addWidget(new QLabel(QStringLiteral("g(t) ="), areaPanel));
  secondTermField = Named(new QLineEdit(areaPanel), "secondTermField");
  LimitTermField(secondTermField, kTermFieldLength);
  gRow->addWidget(secondTermField, 1);
  inner->addLayout(gRow);
  betweenBox = Named(CheckBox(areaPanel, QStringLiteral("Fläche zwischen f und g")), "betweenBox");
  inner->addWidget(betweenBox);
  piecesList = Named(new QListWidget(areaPanel), "piecesList");
  piecesList->setMinimumHeight(90);
  ScaleLikeReadouts(piecesList);
  for (QWidget* w : std::initializer_list<QWidget*>{signedIntegralReadout, areaReadout, piecesList})
    inner->addWidget(w);
}

void TForm7::BuildSumsPanel(QWidget* panel, QVBoxLayout* column) {
  QVBoxLayout* inner = AddSwitchedPanel(panel, column, QStringLiteral("Ober- und Untersumme"),
                                        "sumsBox", sumsBox, sumsPanel);
  auto* countRow = new QHBoxLayout;
  countRow->addWidget(new QLabel(QStringLiteral("n ="), sumsPanel));
  sumsCountField = Named(NumberField(sumsPanel, 60), "sumsCountField");
  countRow->addWidget(sumsCountField);
  sumsSwitch = Named(AnimationSwitch(sumsPanel), "sumsSwitch");
  countRow->addWidget(sumsSwitch);
  sumsKindBox = Named(new QComboBox(sumsPanel), "sumsKindBox");
  sumsKindBox->addItems({QStringLiteral("Untersumme"), QStringLiteral("Obersumme"),
                         QStringLiteral("Trapezsumme"), QStringLiteral("Mittelsumme")});
  countRow->addWidget(sumsKindBox);
  countRow->addStretch();
  inner->addLayout(countRow);
  sumsCountBar = Named(new QScrollBar(Qt::Horizontal, sumsPanel), "sumsCountBar");
  sumsCountBar->setRange(1, kMaxStripCount);
  inner->addWidget(sumsCountBar);
  sumsReadout = Named(new QLabel(sumsPanel), "sumsReadout");
  sumsIntegralReadout = Named(new QLabel(sumsPanel), "sumsIntegralReadout");
  inner->addWidget(sumsReadout);
  inner->addWidget(sumsIntegralReadout);
  sumsTimer_ = new QTimer(this);
  sumsTimer_->setInterval(kSwitchStepMs);

  OnExit(sumsCountField, [this] { onSumsCountLeft(); });
  connect(sumsCountBar, &QScrollBar::valueChanged, this, [this](int n) {
    SumsCount = n;
    ShowSumsCount();
    animieren();
  });
  connect(sumsKindBox, &QComboBox::currentIndexChanged, this, [this] { animieren(); });
  connect(sumsSwitch, &TSwitch::OnClick, this, [this] {
    if (!sumsSwitch->Checked()) {
      sumsTimer_->stop();
      return;
    }
    SumsCount = 1;
    ShowSumsCount();
    animieren();
    sumsTimer_->start();
  });
  connect(sumsTimer_, &QTimer::timeout, this, [this] { StepSumsAnimation(); });
  connect(sumsBox, &TBitCheckBox::OnClick, this, [this] {
    ShowSums = sumsBox->Checked();
    sumsPanel->setVisible(ShowSums);
    if (!ShowSums) {
      sumsTimer_->stop();
      sumsSwitch->SetChecked(false);
    }
    animieren();
  });
}

void TForm7::ShowSumsCount() {
  sumsCountField->setText(QString::number(SumsCount));
  const QSignalBlocker quiet(sumsCountBar);
  sumsCountBar->setValue(std::min(SumsCount, kMaxStripCount));
}

void TForm7::onSumsCountLeft() {
  // A count outside 1 … 1000 is taken as the nearest one; what is no number keeps n.
  SumsCount = std::clamp(ReadIntegerEdit(sumsCountField, SumsCount), 1, kMaxStripCount);
  ShowSumsCount();
  animieren();
}

void TForm7::StepSumsAnimation() {
  int n = 1;
  if (SumsCount < kMaxSwitchedCount)
    while (n <= SumsCount) n *= 2;
  SumsCount = n;
  ShowSumsCount();
  animieren();
}

const TForm7::FeatureSearch& TForm7::SearchFeatures(FeatureSearch& search, const std::string& key,
                                                    const TermNode* root, double lo, double hi) {
  const double from = std::min(x1, lo), to = std::max(x2, hi);
  const bool same = search.term == key && search.a == ParamA && search.b == ParamB &&
                    search.c == ParamC;
  if (same && (search.narrow ? search.from == lo && search.to == hi
                             : search.from <= from && search.to >= to))
    return search;
  // Over the view, so that moving x within it searches nothing; where the view holds too
  // many turns (sin 20t), over the interval alone, and so on while the term stays.
  const bool narrow = same && search.narrow;
  search = {key, ParamA, ParamB, ParamC, from, to, narrow, {}, {}};
  const TermHandle inX = TermInX(root);
  const TermInputs fixed{0, 0, ParamA, ParamB, ParamC, 0};
  if (!narrow) search.features = FindCurveFeatures(inX, fixed, from, to);
  if (narrow || !search.features.limit.empty()) {
    search.narrow = true;
    search.from = lo;
    search.to = hi;
    search.features = lo < hi ? FindCurveFeatures(inX, fixed, lo, hi) : CurveFeatures{};
  }
  search.turns = TurnsOf(search.features,
                         RoughBreaks(root, search.from, search.to, ParamA, ParamB, ParamC));
  return search;
}

void TForm7::FindAreaPieces(double x0, double x) {
  const double lo = std::min(x0, x), hi = std::max(x0, x);
  areaPieces_.clear();
  piecesList->clear();
  const auto show = [this](const QString& integral, const QString& area) {
    signedIntegralReadout->setText(QStringLiteral("Integral: ") + integral);
    areaReadout->setText(QStringLiteral("Fläche: ") + area);
  };
  const QString none = QStringLiteral("nicht definiert");
  // The signed total: of f, which F(x) shows too, or of f - g; F(x) stays the integral of f.
  const Quadrature total = Between() ? PieceIntegral(x0, x) : frameIntegral_;
  const QString totalText = QString::fromStdString(IntegralText(total));
  if (totalText.isEmpty()) return show(none, none);
  if (!(lo < hi)) return show(totalText, QString::fromStdString(FormatReadout(Nachkommastellen, 0)));

  const std::string key = termField->text().toStdString() +
                          (Between() ? "\n" + secondTermField->text().toStdString() : "");
  const FeatureSearch& search = SearchFeatures(Between() ? betweenSearch_ : curveSearch_, key,
                                               Between() ? difference_.get() : MainTerm.get(), lo,
                                               hi);
  // Without every zero the pieces, and so the area, are not known; a stretch where f = 0
  // adds nothing to it.
  if (!search.features.limit.empty() && !search.features.zeroStretch)
    return show(totalText, QString::fromStdString(search.features.limit));
  // A zero within the ten digits of a typed bound is that bound (sin t up to 2π).
  const double near = 1e-9 * std::max({hi - lo, std::fabs(lo), std::fabs(hi)});
  std::vector<double> cuts{lo};
  for (const SpecialPoint& p : search.features.points)
    if (p.kind == PointKind::Zero && p.x > lo + near && p.x < hi - near) cuts.push_back(p.x);
  cuts.push_back(hi);

  double area = 0, error = 0;
  for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
    const Quadrature q = PieceIntegral(cuts[i], cuts[i + 1]);
    if (!q.exists || IntegralText(q).empty()) {
      areaPieces_.clear();
      return show(none, none);
    }
    areaPieces_.push_back({cuts[i], cuts[i + 1], q});
    area += std::fabs(q.value);
    error += q.error;
  }
  // The exact forms of the zeros, as the curve discussion writes them; looked up once
  // for each search.
  const std::string exactKey = key + "\n" + FormatReal(search.a, '.') + ";" +
                               FormatReal(search.b, '.') + ";" + FormatReal(search.c, '.') + ";" +
                               FormatReal(search.from, '.') + ";" + FormatReal(search.to, '.');
  if (cuts.size() > 2 && exactKey != exactKey_) {
    exactKey_ = exactKey;
    const TermHandle inX = TermInX(Between() ? difference_.get() : MainTerm.get());
    exactZeros_ = ExactPointsOf(inX.get(), ParamA, ParamB, ParamC, search.from, search.to);
  }
  const auto end = [&](double v) {
    return v == x0 || v == x ? GivenNumberText(v) : PlaceText(v, Nachkommastellen, exactZeros_, 0);
  };
  for (const AreaPiece& p : areaPieces_)
    piecesList->addItem(QString::fromStdString("[" + end(p.from) + "; " + end(p.to) +
                                               "]: " + IntegralText(p.integral)));
  const std::string areaText = FormatCertain(Nachkommastellen, area, error);
  show(totalText, areaText.empty() ? none : QString::fromStdString(areaText));
}

Quadrature TForm7::PieceIntegral(double a, double b) {
  if (!Between()) return IntegralOfView(a, b);
  const TermInputs fixed{0, 0, ParamA, ParamB, ParamC, 0};
  if (AnyPointInside(FindPoles(difference_, BatchInput::XT, fixed, std::min(a, b), std::max(a, b)),
                     a, b))
    return {};
  return Integrate(IntegrandOf(difference_), a, b,
                   RoughBreaks(difference_.get(), std::min(a, b), std::max(a, b), ParamA, ParamB,
                               ParamC));
}

void TForm7::FindSums(double x0, double x) {
  sums_ = {};
  const int kind = std::clamp(sumsKindBox->currentIndex(), 0, 3);
  const QString name =
      QString(QStringLiteral("UOTM")[kind]) + QStringLiteral("(%1)").arg(SumsCount);
  const QString none = QStringLiteral("nicht definiert");
  // The sums approach the integral of f: where it does not exist, neither do they.
  const std::string integral = IntegralText(frameIntegral_);
  sumsIntegralReadout->setText(QStringLiteral("Integral: ") +
                               (integral.empty() ? none : QString::fromStdString(integral)));
  if (integral.empty()) return sumsReadout->setText(name + QStringLiteral(" = ") + none);
  const auto sumKind = static_cast<SumKind>(kind);
  std::vector<double> turns;
  // Only the lower and upper sums look between the sides of a strip.
  if (sumKind == SumKind::Lower || sumKind == SumKind::Upper) {
    const FeatureSearch& search = SearchFeatures(curveSearch_, termField->text().toStdString(),
                                                 MainTerm.get(), std::min(x0, x), std::max(x0, x));
    if (!search.features.limit.empty() && !search.features.zeroStretch)
      return sumsReadout->setText(name + QStringLiteral(": ") +
                                  QString::fromStdString(search.features.limit));
    turns = search.turns;
  }
  sums_ = SumOfStrips(IntegrandOf(MainTerm), x0, x, SumsCount, sumKind, turns);
  // What adding n heights may round away.
  double magnitude = 0;
  for (const SumStrip& s : sums_.strips)
    magnitude += (s.to - s.from) * (std::fabs(s.left) + std::fabs(s.right));
  const std::string shown =
      sums_.exists ? FormatCertain(Nachkommastellen, sums_.value,
                                   4 * (SumsCount + 2) * DBL_EPSILON * magnitude)
                   : "";
  sumsReadout->setText(name + QStringLiteral(" = ") +
                       (shown.empty() ? none : QString::fromStdString(shown)));
}

void TForm7::DrawStrips() {
  if (sums_.strips.empty()) return;
  Canvas& c = *frame_.canvas;
  const Brush saved = c.brush;
  c.brush = {kStripFill, BrushStyle::Solid, true};
  // An edge of its own only where a strip is a few pixels wide; narrower ones make a surface.
  const double pixels =
      (sums_.strips.front().to - sums_.strips.front().from) / (x2 - x1) * frame_.width;
  const Pen savedPen = c.pen;
  c.pen.color = kStripEdge;
  c.pen.style = pixels >= 4 ? PenStyle::Solid : PenStyle::Clear;
  c.pen.width = frame_.Scaled(1);
  const int axis = frame_.ScreenY(0);
  for (const SumStrip& s : sums_.strips) {
    const int left = frame_.ScreenX(s.from), right = frame_.ScreenX(s.to);
    if (right < -1 || left > frame_.width + 1) continue;
    if (s.left == s.right) {
      const int top = frame_.ScreenY(s.left);
      c.Rectangle(left, std::min(top, axis), right + 1, std::max(top, axis) + 1);
    } else {
      c.Polygon({{left, axis}, {left, frame_.ScreenY(s.left)}, {right, frame_.ScreenY(s.right)}, {right, axis}});
    }
  }
  c.brush = saved;
  c.pen = savedPen;
}

void TForm7::onSecondTermFieldLeft() {
  CompileSecondTerm();
  Redraw();
}

void TForm7::CompileSecondTerm() {
  secondTerm_.reset();
  if (!secondTermField->text().trimmed().isEmpty() && !CheckTermEdit(secondTermField, secondTerm_))
    secondTerm_.reset();
  MakeDifference();
}

void TForm7::MakeDifference() {
  difference_.reset();
  if (!secondTerm_ || !MainTerm) return;
  // f - g with t read as x, evaluated with x = t like f itself.
  difference_ = std::make_unique<TermNode>();
  difference_->kind = kSub;
  difference_->left = TermInX(MainTerm.get());
  difference_->right = TermInX(secondTerm_.get());
}

void TForm7::ShadePiece(double from, double to, bool below) {
  Canvas& c = *frame_.canvas;
  const int first = std::max(frame_.ScreenX(from), -1), last = std::min(frame_.ScreenX(to), frame_.width + 1);
  if (first > last) return;
  const std::size_t columns = static_cast<std::size_t>(last - first + 1);
  std::vector<double> t(columns), f(columns);
  const auto defined = std::make_unique<bool[]>(columns);
  for (int col = first; col <= last; ++col)
    t[col - first] = std::clamp(x1 + col * (x2 - x1) / std::max(frame_.width, 1), from, to);
  EvalTermBatch(MainTerm, BatchInput::XT, {0, 0, ParamA, ParamB, ParamC, 0}, t.data(), columns,
                f.data(), defined.get());
  // The lower edge: the axis, or g for the area between the graphs.
  std::vector<double> g(columns, 0.0);
  const auto gDefined = std::make_unique<bool[]>(columns);
  if (Between())
    EvalTermBatch(secondTerm_, BatchInput::XT, {0, 0, ParamA, ParamB, ParamC, 0}, t.data(),
                  columns, g.data(), gDefined.get());
  std::vector<Point> area;
  area.reserve(2 * columns);
  for (int col = first; col <= last; ++col)
    area.push_back({col, defined[col - first] ? frame_.ScreenY(f[col - first]) : frame_.ScreenY(0)});
  for (int col = last; col >= first; --col)
    area.push_back({col, frame_.ScreenY(Between() && gDefined[col - first] ? g[col - first] : 0.0)});
  const Color colour = below ? kAreaBelow : Farben::flaeche;
  const Brush saved = c.brush;
  c.brush = {colour, static_cast<BrushStyle>(std::clamp(FlaechenStil, 0, 7)), true};
  c.pen.color = colour;
  c.pen.width = frame_.Scaled(1);
  c.Polygon(area);
  c.brush = saved;
}

}  // namespace kurvio
