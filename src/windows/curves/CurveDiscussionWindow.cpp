#include "windows/curves/CurveDiscussionWindow.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "module/AnimationLoop.h"
#include "module/Controls.h"
#include "module/Cursors.h"
#include "module/ExampleFiles.h"
#include "module/ExampleList.h"
#include "module/FrameWait.h"
#include "plot/CurveTracer.h"
#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "module/ViewPad.h"
#include "settings/Settings.h"
#include "term/NumberFormat.h"
#include "term/Term.h"
#include "term/TermEdit.h"
#include "term/TermText.h"
#include "widgets/TBitCheckBox.h"
#include "widgets/TSwitch.h"

namespace kurvio {
namespace {

constexpr Color kLightGrey = 12632256;
constexpr Color kDarkGreen = 32768;
constexpr Color kRed = 255;

// f, f' and f'' with the settings' a, b, c; t and n are 0.
double F(int order, double x) {
  if (order == 0) return EvalTerm(MainTerm, x, 0, ParamA, ParamB, ParamC, 0);
  return EvalDerivative(MainTerm, order, x, 0, ParamA, ParamB, ParamC, 0);
}

void Line(int xa, int ya, int xb, int yb) {
  DrawCanvas->MoveTo(xa, ya);
  DrawCanvas->LineTo(xb, yb);
}

// "f'(x0) = value", or "nicht definiert" where the derivative does not exist.
QString Readout(const char* name, double x0, double v, bool defined) {
  return QString::fromUtf8(name) + QStringLiteral("(") +
         QString::fromStdString(FormatNumberBare(4, x0)).trimmed() + QStringLiteral(") =") +
         (defined ? QString::fromStdString(FormatNumberBare(4, v))
                  : QStringLiteral(" nicht definiert"));
}

}  // namespace

TForm3::TForm3(QWidget* parent) : TAnalysisWindow(parent) {
  setWindowTitle(QStringLiteral("Monotonie, Krümmungsverhalten - Kurvendiskussion"));
  BuildLayout();
  picture_ = std::make_unique<TwoPlotPicture>(*PaintBox1);
  ConnectHandlers();
  InstallFieldKeys(false);

  Edit1->setText(TermToDisplay(TermFx));
  ShowX0();
  CompileTermQuietly(MainTerm, DisplayToTerm(Edit1->text()), true);
  if (!TermDefined) CompileTerm(MainTerm, "0", true);
  LineScale = 1.0;
  PaintBox1->setCursor(ProgramCursor(4));
  examples_->LoadLines();
}

TForm3::~TForm3() = default;

void TForm3::BuildLayout() {
  QWidget* panel = nullptr;
  QVBoxLayout* column = MakeFrameLayout(PaintBox1, panel);
  Edit1 = AddTermRow(panel, column, QStringLiteral("f(x) ="), SpeedButton28);
  Edit2 = AddCommentRow(panel, column);

  auto* xRow = new QHBoxLayout;
  xRow->addWidget(new QLabel(QStringLiteral("x ="), panel));
  Edit3 = NumberField(panel, 90);
  xRow->addWidget(Edit3);
  SpeedButton13 = ToolButton(panel, QStringLiteral("0"), QStringLiteral("Anfangswerte setzen"));
  xRow->addWidget(SpeedButton13);
  Switch4 = AnimationSwitch(panel);
  xRow->addWidget(Switch4);
  SpeedButton2 = DirectionButton(panel);
  xRow->addWidget(SpeedButton2);
  xRow->addStretch();
  column->addLayout(xRow);

  auto* boxes = new QHBoxLayout;
  BitCheckBox1 = CheckBox(panel, QStringLiteral("f' "));
  BitCheckBox2 = CheckBox(panel, QStringLiteral("f'' "));
  BitCheckBox3 = CheckBox(panel, QStringLiteral("f' erzeugen"));
  for (TBitCheckBox* b : {BitCheckBox1, BitCheckBox2, BitCheckBox3}) boxes->addWidget(b);
  column->addLayout(boxes);
  BitCheckBox4 = CheckBox(panel, QStringLiteral("Steigungsdreieck"));
  column->addWidget(BitCheckBox4);
  Label2 = new QLabel(panel);
  Label3 = new QLabel(panel);
  column->addWidget(Label2);
  column->addWidget(Label3);

  const ExampleControls examples = AddExampleControls(panel, column);
  ListBox1 = examples.list;
  SpeedButton1 = examples.get;
  SpeedButton4 = examples.add;
  SpeedButton5 = examples.remove;

  const BottomControls bottom = AddViewPadAndButtons(
      panel, column,
      [this](bool zoomed) {
        if (zoomed) AnimationStep = (x2 - x1) / std::max(PlotWidth, 1);
        Redraw();
      },
      [this] { return ExportPicture([this] { Redraw(); }, PictureLayout::TwoPlots); });
  GroupBox1 = bottom.pad;
  SpeedButton3 = GroupBox1->zoomOutButton;
  SpeedButton7 = GroupBox1->zoomInButton;
  SpeedButton22 = GroupBox1->resetButton;
  SpeedButton14 = bottom.buttons.settingsButton;
  SpeedButton15 = bottom.buttons.printButton;
  SpeedButton17 = bottom.buttons.wmfFileButton;
  SpeedButton23 = bottom.buttons.wmfClipboardButton;
  SpeedButton6 = bottom.buttons.closeButton;
  FinishPanel(300);
}

void TForm3::ConnectHandlers() {
  OnExit(Edit1, [this] { Edit1Exit(); });
  OnExit(Edit3, [this] { Edit3Exit(); });
  connect(SpeedButton13, &QToolButton::clicked, this, &TForm3::SpeedButton13Click);
  connect(Switch4, &TSwitch::OnClick, this, &TForm3::Switch4Click);
  connect(SpeedButton2, &QToolButton::clicked, this, &TForm3::SpeedButton2Click);
  for (TBitCheckBox* box : {BitCheckBox1, BitCheckBox2, BitCheckBox4})
    connect(box, &TBitCheckBox::OnClick, this, &TForm3::DisplayCheckBoxClick);
  connect(BitCheckBox3, &TBitCheckBox::OnClick, this, &TForm3::BitCheckBox3Click);
  WatchPaintBox(PaintBox1);
  connect(PaintBox1, &TPaintBox::MouseDown, this, &TForm3::PaintBox1MouseDown);
  connect(PaintBox1, &TPaintBox::MouseMove, this, &TForm3::PaintBox1MouseMove);
  connect(PaintBox1, &TPaintBox::MouseUp, this, &TForm3::PaintBox1MouseUp);

  // Examples: the term, ";  " and the comment.
  examples_ = new TExampleList(this, {ListBox1, SpeedButton1, SpeedButton4, SpeedButton5, Edit1},
                               "Bsp1.txt");
  examples_->BuildEntry = [this] { return JoinShownExample(Edit1->text(), Edit2->text()); };
  examples_->Apply = [this](int row, const std::string& entry) {
    Edit1->setText(TermToDisplay(ExampleTerm(entry)));
    Edit2->setText(ShownExampleRest(examples_->Shown(row)));
    Edit1Exit();
  };
}

void TForm3::ShowX0() {
  Edit3->setText(QString::fromStdString(FormatNumber(Nachkommastellen, PointX0)));
}

void TForm3::FormPaint() {
  picture_->Resize();
  ExportDrawing = false;
  darstellen();
  animieren();
}

void TForm3::FormClose() {
  AnimationRunning = false;
  Switch4->SetChecked(false);
  examples_->SaveLines();
}

void TForm3::Delay(int ms) {
  if (ms <= 0)
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  else
    WaitFrame(ms, 0);
}

void TForm3::KurveZeichnen(double scaleFrom, double scaleTo, double from, double to) {
  const TermInputs fixed{0, 0, ParamA, ParamB, ParamC, 0};
  if (CurveKind == 0)
    TraceCurve(TermCurve(MainTerm, BatchInput::X, fixed), scaleFrom, scaleTo, from, to);
  else
    TraceCurve(DerivativeCurve(MainTerm, CurveKind, fixed), scaleFrom, scaleTo, from, to);
}

void TForm3::Redraw() {
  darstellen();
  animieren();
}

void TForm3::darstellen() {
  const QFont font = PaintBox1->font();
  picture_->DrawStatic(TwoPlotPicture::Upper, font, [this] {
    XAxisName = "x";
    YAxisName = "y";
    DrawCoordinateSystem();
    CurveKind = 0;
    CurveColor = Farben::Zeichenstift;
    KurveZeichnen(x1, x2, x1, x2);
  });
  picture_->DrawStatic(TwoPlotPicture::Lower, font, [this] {
    XAxisName = "x";
    YAxisName = "y'";
    DrawCoordinateSystem();
    if (ShowFirst) {
      CurveKind = 1;
      CurveColor = Farben::fStrich;
      KurveZeichnen(x1, x2, x1, x2);
    }
    if (ShowSecond) {
      CurveKind = 2;
      CurveColor = Farben::f2Strich;
      KurveZeichnen(x1, x2, x1, x2);
    }
  });
}

void TForm3::animieren() {
  const QFont font = PaintBox1->font();
  const double x0 = PointX0;
  const double y0 = F(0, x0);
  const double m = F(1, x0);
  const bool slopeDefined = TermDefined;
  const double m2 = ShowSecond ? F(2, x0) : 0.0;
  const bool curvatureDefined = ShowSecond && TermDefined;
  picture_->DrawFrame(TwoPlotPicture::Upper, font, [&] {
    Canvas& c = *DrawCanvas;
    c.pen.color = kLightGrey;
    c.pen.width = Scaled(1);
    c.pen.style = PenStyle::Solid;
    // From the point to the x-axis, and on to the bottom when the lower plot has something.
    Line(ScreenX(x0), ScreenY(y0), ScreenX(x0), ScreenY(0));
    if (ShowFirst || ShowSecond) c.LineTo(ScreenX(x0), PlotHeight);
    // The tangent, with its overhang, wherever f has a slope.
    if (!slopeDefined) return;
    const double d = std::cos(std::atan(m)) * Tangentenlaenge * XTickStep;
    const double intercept = y0 - m * x0;
    CurveColor = Farben::Tangente;
    TraceCurve(
        [&](double x) {
          TermDefined = true;
          return m * x + intercept;
        },
        x1, x2, x0 - d, x0 + d);
    if (ShowTriangle) {
      const Brush saved = c.brush;
      c.brush = {Farben::Dreieck, BrushStyle::Solid};
      c.pen.color = Farben::Tangente;
      c.pen.width = Scaled(LineWidth);
      c.Polygon({{ScreenX(x0), ScreenY(y0)},
                 {ScreenX(x0 + 1), ScreenY(y0)},
                 {ScreenX(x0 + 1), ScreenY(y0 + m)}});
      c.brush = saved;
      c.pen.width = Scaled(2);
      c.pen.color = kDarkGreen;
      Line(ScreenX(x0), ScreenY(y0), ScreenX(x0 + 1), ScreenY(y0));
      c.pen.color = kRed;
      Line(ScreenX(x0 + 1), ScreenY(y0), ScreenX(x0 + 1), ScreenY(y0 + m));
    }
  });
  picture_->DrawFrame(TwoPlotPicture::Lower, font, [&] {
    Canvas& c = *DrawCanvas;
    const int X = ScreenX(x0);
    if (ShowFirst && slopeDefined) {
      c.pen.color = kLightGrey;
      c.pen.width = Scaled(1);
      Line(X, 0, X, ScreenY(m));
      c.pen.color = kRed;
      c.pen.width = Scaled(2);
      Line(X, ScreenY(0), X, ScreenY(m));
    }
    if (curvatureDefined) {
      c.pen.color = kLightGrey;
      c.pen.width = Scaled(1);
      Line(X, 0, X, ScreenY(0));
      c.pen.color = Farben::f2Strich;
      c.pen.width = Scaled(2);
      Line(X + 1, ScreenY(0), X + 1, ScreenY(m2));
    }
    if (ShowTrace) {
      if (x0 <= TraceAnchor && x0 < TraceLo) TraceLo = x0;
      if (x0 > TraceAnchor && x0 > TraceHi) TraceHi = x0;
      CurveKind = 1;
      CurveColor = Farben::fStrich;
      KurveZeichnen(x1, x2, TraceLo, TraceHi);
    }
  });
  Label2->setText(ShowFirst ? Readout("f'", x0, m, slopeDefined) : QString());
  Label3->setText(ShowSecond ? Readout("f''", x0, m2, curvatureDefined) : QString());
}

void TForm3::Edit1Exit() {
  CheckTermEdit(Edit1);
  TermFx = DisplayToTerm(Edit1->text()).substr(0, kTermSettingLength);
  darstellen();
  animieren();
}

void TForm3::Edit3Exit() {
  ReadNumberEdit(Edit3, PointX0, PointX0);
  animieren();
}

void TForm3::SpeedButton13Click() {
  PointX0 = 0;
  ShowX0();
  animieren();
}

void TForm3::Switch4Click() {
  AnimationRunning = true;
  AnimationStep = (x2 - x1) / std::max(PlotWidth, 1);
  RunAnimation(
      this,
      [this] {
        PointX0 += AnimationStep;
        ShowX0();
        animieren();
        if (PointX0 > x2) AnimationStep = -AnimationStep;
        if (PointX0 < x1) AnimationStep = -AnimationStep;
        if (!Switch4->Checked()) AnimationRunning = false;
      },
      [this] { Delay(FrameDelay); });
}

void TForm3::SpeedButton2Click() { AnimationStep = -AnimationStep; }

void TForm3::DisplayCheckBoxClick() {
  ShowFirst = BitCheckBox1->Checked();
  ShowSecond = BitCheckBox2->Checked();
  ShowTriangle = BitCheckBox4->Checked();
  darstellen();
  animieren();
}

void TForm3::BitCheckBox3Click() {
  ShowTrace = BitCheckBox3->Checked();
  if (ShowTrace)
    TraceAnchor = TraceLo = TraceHi = PointX0;
  else
    animieren();
}

double TForm3::MouseX(int column) const {
  return x1 + (x2 - x1) * column / std::max(PaintBox1->width(), 1);
}

void TForm3::PaintBox1MouseDown(Qt::MouseButton button, int x, int) {
  if (button != Qt::LeftButton) return;
  PointX0 = MouseX(x);
  TraceAnchor = TraceLo = TraceHi = PointX0;
  Dragging = true;
}

void TForm3::PaintBox1MouseMove(int x, int) {
  if (!Dragging) return;
  PointX0 = MouseX(x);
  ShowX0();
  animieren();
}

void TForm3::PaintBox1MouseUp(Qt::MouseButton, int, int) { Dragging = false; }

}  // namespace kurvio
