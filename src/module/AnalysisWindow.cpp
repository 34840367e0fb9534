// SPDX-License-Identifier: GPL-3.0-or-later
#include "module/AnalysisWindow.h"

#include <QFontInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollArea>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "module/Controls.h"
#include "module/DrawOn.h"
#include "module/FrameWait.h"
#include "module/HelpWindow.h"
#include "module/PictureFrame.h"
#include "module/SettingsLaunch.h"
#include "module/TermEdit.h"
#include "module/TermLegend.h"
#include "module/ViewCheck.h"
#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "plot/ZoomBox.h"
#include "settings/Preferences.h"
#include "widgets/TBitCheckBox.h"

namespace kurvio {

TAnalysisWindow::TAnalysisWindow(QWidget* parent, WindowState lesson)
    : TModuleDialog(parent), lesson_(std::move(lesson)) {
  if (lesson_.opening) lesson_.opening();
  lessonRestored_ =
      WindowsKeepLessons() && !lesson_.name.empty() && RestoreWindowState(lesson_, &keptLesson_);
  if (ChosenLineWidth != 0) LineWidth = ChosenLineWidth;
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
}

void TAnalysisWindow::RedrawPicture() {
  ScalePanelTexts();
  if (shown_) FormPaint();
}

QStringList TAnalysisWindow::PictureValues() const {
  QStringList lines;
  for (const auto& line : pictureValues_)
    if (const QString text = line(); !text.isEmpty()) lines << text;
  return lines;
}

void TAnalysisWindow::ShowInPicture(std::function<QString()> line) {
  pictureValues_.push_back(std::move(line));
}

void TAnalysisWindow::ShowInPicture(const QString& name, const QLabel* label) {
  ShowInPicture([name, label] {
    const QString text = label->text().trimmed();
    if (!label->isVisibleTo(label->window()) || text.isEmpty() || text == QStringLiteral("?"))
      return QString();
    return name + text;
  });
}

namespace {
constexpr const char* kReadoutProperty = "kurvioReadout";
}

void TAnalysisWindow::ScaleLikeReadouts(QWidget* widget) {
  widget->setProperty(kReadoutProperty, true);
}

void TAnalysisWindow::ScalePanelTexts() {
  if (!panel_ || panelScaled_ == PresentationMode) return;
  panelScaled_ = PresentationMode;
  const int normalPanelWidth = std::max(panelMinWidth_, panel_->minimumSizeHint().width());
  const char* const kOwnFont = "kurvioOwnFont";
  for (QWidget* w : panel_->findChildren<QWidget*>()) {
    if (!qobject_cast<QLabel*>(w) && !qobject_cast<TBitCheckBox*>(w) &&
        !w->property(kReadoutProperty).toBool())
      continue;
    if (PresentationMode) {
      w->setProperty(kOwnFont, w->font());
      QFont large = w->font();
      large.setPixelSize(2 * QFontInfo(w->font()).pixelSize());
      w->setFont(large);
    } else if (const QVariant own = w->property(kOwnFont); own.isValid()) {
      w->setFont(own.value<QFont>());
    }
    // A check box's least height is its text's, so the doubled text is not squeezed.
    if (qobject_cast<TBitCheckBox*>(w)) w->setMinimumHeight(w->minimumSizeHint().height());
    w->updateGeometry();
  }
  if (panelScroll_) {
    // Every row at its preferred width, so that nothing is cut off on the right, and half
    // as wide again as without the mode, for readouts that are still empty.
    panel_->adjustSize();
    FitPanel(panelScroll_, PresentationMode ? std::max(3 * normalPanelWidth / 2,
                                                       panel_->sizeHint().width())
                                            : panelMinWidth_);
  }
}

void TAnalysisWindow::KeepLesson() {
  if (lesson_.name.empty()) return;
  LessonValues own;
  KeepOwnLesson(own);
  KeepWindowState(lesson_, own);
}

void TAnalysisWindow::KeepOwnLesson(LessonValues& own) const {
  for (const TBitCheckBox* box : rememberedBoxes_)
    own.SetFlag(box->objectName().toStdString(), box->Checked());
}

void TAnalysisWindow::RememberBoxes(std::initializer_list<TBitCheckBox*> boxes) {
  for (TBitCheckBox* box : boxes) {
    box->SetChecked(keptLesson_.Flag(box->objectName().toStdString(), box->Checked()));
    rememberedBoxes_.push_back(box);
  }
}

void TAnalysisWindow::Delay(int ms) { WaitFrame(ms, 15); }

void TAnalysisWindow::OpenSettings() {
  OpenSettingsFrom(this, [this] { FormPaint(); });
  FormPaint();
}

void TAnalysisWindow::WertePruefen() {
  kurvio::WertePruefen(PlotView(), [this] { InitWerte(); });
}

void TAnalysisWindow::InitWerte() { kurvio::InitWerte(PlotView()); }

std::optional<PlotSpot> TAnalysisWindow::SpotAt(int column, int row) const {
  if (!pointerBox_) return std::nullopt;
  const int w = pointerBox_->width(), h = pointerBox_->height();
  if (column < 0 || column >= w || row < 0 || row >= h) return std::nullopt;
  const int plotHeight = LayoutPlotHeight(pointerLayout, h);
  if (pointerLayout == PictureLayout::TwoPlots && row >= plotHeight)
    return SpotInView(column, row - plotHeight, w, plotHeight);
  if (row < plotHeight) return SpotInView(column, row, w, plotHeight);
  PlotSpot onLadder = SpotInView(column, 0, w, 1);
  onLadder.y = (y1 + y2) / 2;
  onLadder.hasY = false;
  return onLadder;
}

void TAnalysisWindow::ZoomAt(const PlotSpot& spot, double factor) {
  if (viewPad_) viewPad_->ZoomAbout(spot.x, spot.y, factor);
}

void TAnalysisWindow::ResetView() {
  if (viewPad_) viewPad_->resetButton->click();
}

QLabel* TAnalysisWindow::WatchPointer(TPaintBox* paintBox, QWidget* parent) {
  pointerBox_ = paintBox;
  auto* pointer =
      new PlotPointer(this, paintBox, parent,
                      {[this](int column, int row) { return SpotAt(column, row); },
                       [this](const PlotSpot& spot, double factor) { ZoomAt(spot, factor); },
                       [this] { ResetView(); }});
  return pointer->Readout();
}

void TAnalysisWindow::WatchPaintBox(TPaintBox* paintBox) {
  connect(paintBox, &TPaintBox::Resized, this, [this] {
    if (shown_) FormPaint();
  });
  connect(paintBox, &TPaintBox::MouseDown, this, [this](Qt::MouseButton button, int, int) {
    if (button == Qt::RightButton) OpenSettings();
  });
}

TAnalysisWindow::~TAnalysisWindow() = default;

void TAnalysisWindow::WatchZoomBox(QImage& picture, std::function<void()> zoomed,
                                   std::function<bool()> enabled) {
  zoomBox_ = std::make_unique<ZoomBox>(picture, *paintBox_);
  connect(paintBox_, &TPaintBox::MouseDown, this,
          [this, enabled = std::move(enabled)](Qt::MouseButton button, int x, int y) {
            if (button == Qt::LeftButton && (!enabled || enabled())) zoomBox_->Begin(x, y);
          });
  connect(paintBox_, &TPaintBox::MouseMove, this, [this](int x, int y) { zoomBox_->Move(x, y); });
  connect(paintBox_, &TPaintBox::MouseUp, this,
          [this, zoomed = std::move(zoomed)](Qt::MouseButton button, int x, int y) {
            if (button != Qt::LeftButton) return;
            const std::optional<WorldWindow> view = zoomBox_->End(frame_, x, y);
            if (!view) return;
            SetSettingsView(*view);
            WertePruefen();
            zoomed();
          });
}

double TAnalysisWindow::ColumnX(int column) const {
  return x1 + (x2 - x1) * column / std::max(paintBox_->width(), 1);
}

void TAnalysisWindow::WatchDragAlongX(DragAlongX drag) {
  auto shared = std::make_shared<DragAlongX>(std::move(drag));
  connect(paintBox_, &TPaintBox::MouseDown, this,
          [this, shared](Qt::MouseButton button, int x, int) {
            if (button != Qt::LeftButton) return;
            dragging_ = true;
            shared->pressed(x);
          });
  connect(paintBox_, &TPaintBox::MouseMove, this, [this, shared](int x, int) {
    if (dragging_) shared->moved(x);
  });
  connect(paintBox_, &TPaintBox::MouseUp, this, [this, shared](Qt::MouseButton, int, int) {
    dragging_ = false;
    if (shared->released) shared->released();
  });
}

TViewPad* TAnalysisWindow::MakeViewPad(QWidget* parent, std::function<void()> check,
                                       std::function<void()> reset,
                                       std::function<void(bool zoomed)> changed,
                                       const ViewPadNames& names) {
  auto* pad = new TViewPad(parent, names);
  viewPad_ = pad;
  pad->Check = std::move(check);
  pad->Reset = std::move(reset);
  pad->Changed = [pad, changed = std::move(changed)] {
    if (changed) changed(pad->LastChangeWasZoom());
  };
  return pad;
}

QToolButton* TAnalysisWindow::MakeHelpButton(QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setText(QStringLiteral("?"));
  button->setFixedSize(23, 22);
  connect(button, &QToolButton::clicked, this, [this] { TForm18::Execute(this); });
  return button;
}

ButtonColumn TAnalysisWindow::MakeButtons(QWidget* parent, std::function<ExportTarget()> target,
                                          ExportVariant variant, std::function<void()> saveFile) {
  ButtonColumnActions actions;
  actions.openSettings = [this] { OpenSettings(); };
  actions.variant = variant;
  actions.target = std::move(target);
  actions.saveFile = std::move(saveFile);
  return MakeButtonColumn(this, parent, std::move(actions));
}

QVBoxLayout* TAnalysisWindow::MakeFrameLayout(TPaintBox*& paintBox, QWidget*& panel) {
  frameLayout_ = new QVBoxLayout(this);
  frameLayout_->setContentsMargins(9, 9, 0, 9);
  frameLayout_->setSpacing(4);
  auto* outer = new QHBoxLayout;
  outer->setSpacing(4);
  frameLayout_->addLayout(outer, 1);
  row_ = outer;
  paintBox = new TPaintBox(this);
  paintBox->setMinimumSize(200, 150);
  paintBox_ = paintBox;
  outer->addWidget(paintBox, 1);
  panelScroll_ = ScrollingPanel(this, panel);
  panel_ = panel;
  outer->addWidget(panelScroll_);
  auto* column = new QVBoxLayout(panel);
  column->setContentsMargins(4, 0, 4, 0);
  column->setSpacing(4);
  return column;
}

QWidget* TAnalysisWindow::AddSideColumn(int width) {
  auto* side = new QWidget(this);
  side->setFixedWidth(width);
  row_->insertWidget(1, side);
  return side;
}

QLabel* TAnalysisWindow::AddStatusLine() {
  auto* line = new QLabel(this);
  line->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  line->setMinimumWidth(1);  // a long text must not widen the window
  line->setTextInteractionFlags(Qt::TextSelectableByMouse);
  frameLayout_->setContentsMargins(9, 9, 0, 2);
  frameLayout_->addWidget(line);
  return line;
}

void TAnalysisWindow::FinishPanel(int minWidth) {
  if (auto* column = qobject_cast<QVBoxLayout*>(panel_->layout())) {
    column->addWidget(WatchPointer(paintBox_, panel_));
    column->addStretch();
  }
  panelScroll_->setWidget(panel_);
  panelMinWidth_ = minWidth;
  FitPanel(panelScroll_, minWidth);
  ScalePanelTexts();
}

QLineEdit* TAnalysisWindow::AddTermRow(QWidget* panel, QVBoxLayout* column, const QString& label,
                                       QToolButton*& help) {
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(label, panel));
  auto* term = new QLineEdit(panel);
  LimitTermField(term, kTermFieldLength);
  row->addWidget(term, 1);
  help = MakeHelpButton(panel);
  row->addWidget(help);
  column->addLayout(row);
  return term;
}

QLineEdit* TAnalysisWindow::AddCommentRow(QWidget* panel, QVBoxLayout* column) {
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(QStringLiteral(";"), panel));
  auto* comment = new QLineEdit(panel);
  comment->setMaxLength(100);
  row->addWidget(comment, 1);
  column->addLayout(row);
  return comment;
}

TAnalysisWindow::ExampleControls TAnalysisWindow::AddExampleControls(QWidget* panel,
                                                                     QVBoxLayout* column) {
  ExampleControls c{};
  column->addWidget(new QLabel(QStringLiteral("Beispiele"), panel));
  c.list = new QListWidget(panel);
  c.list->setMinimumHeight(90);
  column->addWidget(c.list);
  auto* buttons = new QHBoxLayout;
  c.get = ToolButton(panel, QStringLiteral("Holen"), QStringLiteral("Aus Liste holen"));
  c.add = ToolButton(panel, QStringLiteral("Übernehmen"), QStringLiteral("In Liste übernehmen"));
  c.remove = ToolButton(panel, QStringLiteral("Löschen"), QStringLiteral("Eintrag löschen"));
  for (QToolButton* b : {c.get, c.add, c.remove}) buttons->addWidget(b);
  buttons->addStretch();
  column->addLayout(buttons);
  return c;
}

TAnalysisWindow::BottomControls TAnalysisWindow::AddViewPadAndButtons(
    QWidget* panel, QVBoxLayout* column, std::function<void(bool zoomed)> changed,
    std::function<ExportTarget()> target, std::function<void()> saveFile,
    const ViewPadNames& names) {
  auto* row = new QHBoxLayout;
  BottomControls c{
      MakeViewPad(
          panel, [this] { WertePruefen(); }, [this] { InitWerte(); }, std::move(changed), names),
      MakeButtons(panel, std::move(target), kAnalysisWindowExport, std::move(saveFile))};
  row->addWidget(c.pad);
  row->addWidget(c.buttons.panel);
  row->addStretch();
  column->addLayout(row);
  return c;
}

ExportTarget TAnalysisWindow::ExportPicture(std::function<void()> redraw, PictureLayout layout,
                                            QImage* bitmap) {
  ExportTarget target = WindowPicture(frames_, frame_, std::move(redraw), paintBox_);
  target.layout = layout;
  target.bitmap = bitmap;
  return target;
}

void TAnalysisWindow::FitPictureToPaintBox(QImage& bitmap, PictureLayout layout) {
  const QSize size = (paintBox_ ? paintBox_->size() : QSize()).expandedTo(QSize(1, 1));
  if (bitmap.size() != size) bitmap = QImage(size, QImage::Format_RGB32);
  SetPlotSize(size.width(), std::max(LayoutPlotHeight(layout, size.height()), 1));
}

void TAnalysisWindow::BeginFrame() {
  frame_ = frames_.Begin(plotWidth_, plotHeight_);
}

QVBoxLayout* TAnalysisWindow::AddSwitchedPanel(QWidget* panel, QVBoxLayout* column,
                                               const QString& caption, const char* name,
                                               TBitCheckBox*& box, QWidget*& switched) {
  box = Named(CheckBox(panel, caption), name);
  column->addWidget(box);
  switched = new QWidget(panel);
  auto* inner = new QVBoxLayout(switched);
  inner->setContentsMargins(0, 0, 0, 0);
  column->addWidget(switched);
  switched->setVisible(false);
  return inner;
}

TBitCheckBox* TAnalysisWindow::AddLegendBox(QWidget* panel, QVBoxLayout* column,
                                            std::function<void()> redraw) {
  TBitCheckBox* box = LegendBox(panel, redraw);
  column->addWidget(box);
  valuesBox_ = ValuesInPictureBox(panel, std::move(redraw));
  column->addWidget(valuesBox_);
  return box;
}

void TAnalysisWindow::showEvent(QShowEvent* event) {
  // A window without readouts has no values to put into its picture.
  if (valuesBox_) valuesBox_->setVisible(!pictureValues_.empty());
  TModuleDialog::showEvent(event);
  shown_ = true;
  closing_ = false;
  FormPaint();
}

void TAnalysisWindow::done(int result) {
  // A running animation ends after its frame; the window is destroyed only
  // once the start window's exec has returned.
  AnimationRunning = false;
  if (!closing_) {
    closing_ = true;
    FormClose();
    if (WindowsKeepLessons()) KeepLesson();
  }
  TModuleDialog::done(result);
}

}  // namespace kurvio
