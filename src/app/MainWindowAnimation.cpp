// SPDX-License-Identifier: GPL-3.0-or-later
// Animation, the view pad and the mouse of the main window.
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QToolButton>
#include <algorithm>
#include <cmath>

#include "app/Family.h"
#include "app/MainWindow.h"
#include "module/AnimationLoop.h"
#include "module/Cursors.h"
#include "module/FrameWait.h"
#include "module/ViewPad.h"
#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "plot/ZoomBox.h"
#include "settings/Preferences.h"
#include "settings/Settings.h"
#include "settings/WindowState.h"
#include "term/NumberFormat.h"
#include "widgets/TBitCheckBox.h"
#include "widgets/TSwitch.h"

namespace kurvio {

void TForm1::ConnectAnimation() {
  connect(aSwitch, &TSwitch::OnClick, this, [this] { SwitchClick(0); });
  connect(bSwitch, &TSwitch::OnClick, this, [this] { SwitchClick(1); });
  connect(cSwitch, &TSwitch::OnClick, this, [this] { SwitchClick(2); });
  connect(tSwitch, &TSwitch::OnClick, this, [this] { SwitchClick(3); });
  connect(pointSwitch, &TSwitch::OnClick, this, &TForm1::onPointSwitchClicked);
  for (QToolButton* b : {aDirectionButton, bDirectionButton, cDirectionButton, tDirectionButton,
                         pointDirectionButton})
    connect(b, &QToolButton::clicked, this, &TForm1::onDirectionClicked);

  viewPad->Check = [] { WertePruefen(); };
  viewPad->Reset = [] { InitWerte(); };
  viewPad->Changed = [this] { ViewChanged(); };
  zoomBox_ = std::make_unique<ZoomBox>(layers_.BackBuffer(), *paintBox);
  connect(zoomBoxCheck, &TBitCheckBox::OnClick, this, &TForm1::UpdateCursor);
  connect(paintBox, &TPaintBox::MouseDown, this, &TForm1::onPaintBoxMouseDown);
  connect(paintBox, &TPaintBox::MouseMove, this, &TForm1::onPaintBoxMouseMove);
  connect(paintBox, &TPaintBox::MouseUp, this, &TForm1::onPaintBoxMouseUp);
  controlPanel->installEventFilter(this);
}

TSwitch* TForm1::SwitchOf(int index) const {
  switch (index) {
    case 0:
      return aSwitch;
    case 1:
      return bSwitch;
    case 2:
      return cSwitch;
    default:
      return tSwitch;
  }
}

void TForm1::Delay(int ms) { WaitFrame(ms, 15); }

void TForm1::SwitchClick(int index) {
  TSwitch* own = SwitchOf(index);
  AnimationRunning = true;
  for (TSwitch* other : {aSwitch, bSwitch, cSwitch, pointSwitch, tSwitch})
    if (other != own) other->SetChecked(false);
  ParamRef p = FamilyParam(index);
  AnimationStep = p.upper - p.lower;
  QLineEdit* field = RowOf(index).value;
  const bool alive = RunAnimation(
      this,
      [&] {
        if (SpectrumOn)
          Farben::Zeichenstift =
              static_cast<int>(SpectrumColor(Spectrum, p.value, p.lower, p.upper));
        p.value += AnimationStep / std::max(Schrittzahl, 1);
        field->setText(QString::fromStdString(FormatNumber(Nachkommastellen, p.value)));
        if (ShowDerivative) darstellen2();
        darstellen();
        if (FixFamily) ObjektEinfuegen();
        if (p.value > p.upper) AnimationStep = -AnimationStep;
        if (p.value < p.lower) AnimationStep = -AnimationStep;
        if (!own->Checked()) AnimationRunning = false;
      },
      [this] { Delay(FrameDelay); });
  if (!alive) return;
  // The final value moves onto the scroll grid through the scroll bar's handler.
  SetScrollBarFromValue(index, false);
}

void TForm1::onPointSwitchClicked() {
  AnimationRunning = true;
  AnimationStep = (x2 - x1) / (2.0 * std::max(Schrittzahl, 1));
  for (TSwitch* other : {aSwitch, bSwitch, cSwitch, tSwitch}) other->SetChecked(false);
  RunAnimation(
      this,
      [this] {
        PointX0 += AnimationStep;
        pointXField->setText(QString::fromStdString(FormatNumber(Nachkommastellen, PointX0)));
        darstellen();
        if (PointX0 > x2) AnimationStep = -AnimationStep;
        if (PointX0 < x1) AnimationStep = -AnimationStep;
        if (!pointSwitch->Checked()) AnimationRunning = false;
      },
      [this] { Delay(FrameDelay); });
}

void TForm1::onDirectionClicked() { AnimationStep = -AnimationStep; }

void TForm1::ViewChanged() {
  darstellen2();
  darstellen();
}

void TForm1::done(int result) {
  // A close during an animation ends its loop after the current frame; the
  // window is destroyed only once the loop has returned.
  for (TSwitch* s : {aSwitch, bSwitch, cSwitch, pointSwitch, tSwitch}) s->SetChecked(false);
  AnimationRunning = false;
  if (WindowsKeepLessons()) KeepLesson();
  TModuleDialog::done(result);
}

void TForm1::KeepLesson() {
  LessonValues own;
  KeepOwnLesson(own);
  KeepWindowState(MainWindowLesson(), own);
}

void TForm1::UpdateCursor() {
  if (zoomBoxCheck->Checked())
    paintBox->setCursor(ProgramCursor(1));
  else if (tangentBox->Checked() || slopeTriangleBox->Checked() || moveVertexBox->Checked())
    paintBox->setCursor(ProgramCursor(4));
  else
    paintBox->unsetCursor();
}

void TForm1::openSettings() {
  FixedCurves.DeleteAll();
  UpdateDeleteButtons();
  darstellen2();
  darstellen();
  if (OpenSettingsDialog) OpenSettingsDialog(this);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  // The right button on the control panel opens the settings as on the graph.
  if (watched == controlPanel && event->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
    openSettings();
    return true;
  }
  return TModuleDialog::eventFilter(watched, event);
}

void TForm1::onPaintBoxMouseDown(Qt::MouseButton button, int x, int y) {
  if (button == Qt::RightButton) {
    openSettings();
    return;
  }
  if (button != Qt::LeftButton) return;
  if (zoomBoxCheck->Checked()) {
    paintBox->setCursor(ProgramCursor(1));
    zoomBox_->Begin(x, y);
  } else {
    Dragging = true;
  }
}

void TForm1::onPaintBoxMouseMove(int x, int y) {
  if (zoomBox_->Active()) {
    zoomBox_->Move(x, y);
    return;
  }
  if (!Dragging) return;
  const int w = std::max(paintBox->width(), 1);
  const int h = std::max(paintBox->height(), 1);
  const double xm = x1 + (x2 - x1) * x / w;
  PointX0 = xm;
  const int tab = familyTabs->currentIndex();
  if (MoveVertex && (tab == 1 || tab == 2)) {
    const double ym = y2 - (y2 - y1) * y / h;
    if (tab == 1 && ParamA != 0) {  // with a = 0 there is no vertex to move
      ParamB = -2 * ParamA * xm;
      ParamC = ParamB * ParamB / (4 * ParamA) + ym;
    } else if (tab == 2) {
      ParamB = xm;
      ParamC = ym;
    }
    for (int i : {1, 2}) {
      ShowParameter(i);
      SetScrollBarFromValue(i, false);
    }
  }
  darstellen();
}

void TForm1::onPaintBoxMouseUp(Qt::MouseButton button, int x, int y) {
  Q_UNUSED(button);
  Dragging = false;
  if (const std::optional<WorldWindow> view = zoomBox_->End(frame_, x, y)) {
    SetSettingsView(*view);
    WertePruefen();
    ViewChanged();
  }
}

}  // namespace kurvio
