#include "module/AnalysisWindow.h"

#include <QShowEvent>
#include <QToolButton>

#include "module/FrameWait.h"
#include "module/HelpWindow.h"
#include "module/SettingsLaunch.h"
#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "plot/ViewPad.h"

namespace kurvio {

TAnalysisWindow::TAnalysisWindow(QWidget* parent) : TModuleDialog(parent) {
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
}

void TAnalysisWindow::Delay(int ms) { WaitFrame(ms, 15); }

void TAnalysisWindow::OpenSettings() {
  OpenSettingsFrom(this, [this] { FormPaint(); });
  FormPaint();
}

void TAnalysisWindow::WatchPaintBox(TPaintBox* paintBox) {
  connect(paintBox, &TPaintBox::Resized, this, [this] {
    if (shown_) FormPaint();
  });
  connect(paintBox, &TPaintBox::MouseDown, this, [this](Qt::MouseButton button, int, int) {
    if (button == Qt::RightButton) OpenSettings();
  });
}

TViewPad* TAnalysisWindow::MakeViewPad(QWidget* parent, std::function<void()> check,
                                       std::function<void()> reset,
                                       std::function<void(bool zoomed)> changed) {
  auto* pad = new TViewPad(parent);
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
                                          ExportVariant variant) {
  ButtonColumnActions actions;
  actions.openSettings = [this] { OpenSettings(); };
  actions.variant = variant;
  actions.target = std::move(target);
  return MakeButtonColumn(this, parent, std::move(actions));
}

void TAnalysisWindow::showEvent(QShowEvent* event) {
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
  }
  LineScale = 1.0;
  TModuleDialog::done(result);
}

}  // namespace kurvio
