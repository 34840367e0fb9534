// SPDX-License-Identifier: GPL-3.0-or-later
// The frame every analysis window shares: opened maximised by the start
// window, painted on showing and whenever its drawing area changes size, the
// view pad with the window's own check and reset, "Einstellungen" and the
// right mouse button opening the settings dialog, the help button, the export
// buttons with the window's picture, "&Beenden", Enter and Escape, the frame
// wait and closing during an animation. A window adds its picture and controls.
#pragma once

#include <QStringList>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "export/Export.h"
#include "module/ButtonColumn.h"
#include "module/ModuleDialog.h"
#include "module/PlotPointer.h"
#include "module/ViewPad.h"
#include "module/PictureFrame.h"
#include "plot/DrawFrame.h"
#include "settings/WindowState.h"

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QScrollArea;
class QToolButton;
class QVBoxLayout;

namespace kurvio {

class TBitCheckBox;
class TPaintBox;
class ZoomBox;

class TAnalysisWindow : public TModuleDialog {
  Q_OBJECT

 public:
  // `lesson`: what the window keeps of its lesson in its state file when the
  // user wants the windows to remember (RememberLessons); it is put back into
  // the settings before the window builds its controls from them.
  explicit TAnalysisWindow(QWidget* parent = nullptr, WindowState lesson = {});
  ~TAnalysisWindow() override;
  void RedrawPicture() override;
  // The lines "Werte im Bild" puts into the picture's legend: the window's readouts
  // as they read now, those that show nothing left out.
  QStringList PictureValues() const;

  // Waits between two frames of an animation: more than ms + 15 milliseconds,
  // handling the user's events (at least once).
  virtual void Delay(int ms);
  // "Einstellungen" and the right mouse button: the settings dialog, modally;
  // afterwards the window paints again with the changed settings.
  virtual void OpenSettings();
  // The check and reset of the coordinate window x1..y2 after a zoom or shift;
  // a window with a view of its own rules overrides them.
  virtual void WertePruefen();
  virtual void InitWerte();

  // The mouse over the picture (see WatchPointer): the world point under a pixel
  // of the paint box, by `pointerLayout` over the view x1..y2 (the ladder has no y);
  // the wheel's zoom about it and Ctrl+0, by default as the view pad's zoom and
  // reset buttons. A window without a view pad does neither.
  virtual std::optional<PlotSpot> SpotAt(int column, int row) const;
  // The frame of the last drawing on screen (no canvas): how the picture maps the view.
  const DrawFrame& ShownFrame() const { return frame_; }
  // Runs `draw`, a drawing of the window, in `exportFrame` as an export does.
  void DrawInFrame(const DrawFrame& exportFrame, std::function<void()> draw) {
    frames_.ExportRedraw(frame_, std::move(draw))(exportFrame);
  }
  virtual void ZoomAt(const PlotSpot& spot, double factor);
  virtual void ResetView();

 protected:
  // Takes the sizes from the paint box and draws everything (on showing and on resizing).
  virtual void FormPaint() = 0;
  // When the window closes (after any animation was told to stop): save what it keeps.
  virtual void FormClose() {}
  // After FormClose: writes the window's state file from the settings and
  // KeepOwnLesson. A window that holds part of its lesson elsewhere puts it
  // there for the moment.
  void KeepLesson() override;
  // The window's own values, its remembered boxes first; a window with points
  // or fixed objects adds them.
  virtual void KeepOwnLesson(LessonValues& own) const;
  // True when the window opened with the lesson of its state file.
  bool LessonRestored() const { return lessonRestored_; }
  // The window's own values as its state file held them when it opened (none
  // without a file): each read falls back to the window's opening value.
  const LessonValues& KeptLesson() const { return keptLesson_; }
  // Check boxes kept with the lesson under their design names: each takes its
  // kept state now, without running its click handler, and is kept on closing.
  void RememberBoxes(std::initializer_list<TBitCheckBox*> boxes);

  // The drawing area: a resize paints again, the right button opens the settings.
  void WatchPaintBox(TPaintBox* paintBox);
  // The zoom box on `picture`, what the paint box of MakeFrameLayout shows:
  // drawn with the left button whenever `enabled` allows (always without it);
  // a box taken as the new view is checked (WertePruefen), then `zoomed` draws.
  void WatchZoomBox(QImage& picture, std::function<void()> zoomed,
                    std::function<bool()> enabled = {});
  // The readout of the coordinates under the pointer, made in `parent` (FinishPanel
  // puts it at the end of the panel), the wheel and Ctrl+0 on `paintBox`.
  QLabel* WatchPointer(TPaintBox* paintBox, QWidget* parent);
  // How the paint box is divided into plots, for SpotAt.
  PictureLayout pointerLayout = PictureLayout::OnePlot;
  // A point dragged along x with the left button on the paint box of
  // MakeFrameLayout: `pressed` with the mouse column as the button goes down,
  // `moved` on every move while it is down, `released` as it comes up.
  struct DragAlongX {
    std::function<void(int column)> pressed, moved;
    std::function<void()> released = {};
  };
  void WatchDragAlongX(DragAlongX drag);
  // The x of the view x1..x2 at a column of that paint box, by the box's width.
  double ColumnX(int column) const;
  // The view pad "Koordinatensys.": `check` after a zoom or shift, `reset` for the
  // centre button, then `changed(zoomed)`.
  TViewPad* MakeViewPad(QWidget* parent, std::function<void()> check, std::function<void()> reset,
                        std::function<void(bool zoomed)> changed, const ViewPadNames& names = {});
  // The help button beside the term field: the help window on the term language.
  QToolButton* MakeHelpButton(QWidget* parent);
  // "Einstellungen", "Drucken", "WMF - Datei", "WMF - Clipb." and "&Beenden";
  // the exports draw the picture that `target` describes.
  // `saveFile` replaces the metafile of "WMF - Datei" (the sequences window's WMF or JPEG).
  ButtonColumn MakeButtons(QWidget* parent, std::function<ExportTarget()> target,
                           ExportVariant variant = kAnalysisWindowExport,
                           std::function<void()> saveFile = {});

  // The window's layout: the paint box on the left, a scrolling control panel on the
  // right whose column of rows is returned; the window fills it, then calls FinishPanel.
  QVBoxLayout* MakeFrameLayout(TPaintBox*& paintBox, QWidget*& panel);
  void FinishPanel(int minWidth);
  // An empty column `width` pixels wide between the paint box and the panel, in
  // which a window places controls beside rows of its picture.
  QWidget* AddSideColumn(int width);
  // A status line along the bottom of the window, under the paint box and the panel.
  QLabel* AddStatusLine();
  // "f(x) =" (the window's label), the term field of at most 150 characters and the help button.
  QLineEdit* AddTermRow(QWidget* panel, QVBoxLayout* column, const QString& label,
                        QToolButton*& help);
  // ";" and the comment field of an example (at most 100 characters).
  QLineEdit* AddCommentRow(QWidget* panel, QVBoxLayout* column);
  // "Beispiele", the list box and its three buttons.
  struct ExampleControls {
    QListWidget* list;
    QToolButton *get, *add, *remove;
  };
  ExampleControls AddExampleControls(QWidget* panel, QVBoxLayout* column);
  // The view pad (checked by WertePruefen, reset by InitWerte) and the button
  // column side by side (see MakeViewPad and MakeButtons).
  struct BottomControls {
    TViewPad* pad;
    ButtonColumn buttons;
  };
  BottomControls AddViewPadAndButtons(QWidget* panel, QVBoxLayout* column,
                                      std::function<void(bool zoomed)> changed,
                                      std::function<ExportTarget()> target,
                                      std::function<void()> saveFile = {},
                                      const ViewPadNames& names = {});
  // The export's picture: `redraw` draws it on the paint box of MakeFrameLayout
  // in `layout`; the JPEG path draws on `bitmap`.
  // While it draws, BeginFrame gives the export's frame.
  ExportTarget ExportPicture(std::function<void()> redraw,
                             PictureLayout layout = PictureLayout::OnePlot,
                             QImage* bitmap = nullptr);

  // On painting: fits `bitmap` to the paint box of MakeFrameLayout (at least
  // 1 × 1) and sets the plot size for `layout` from it.
  void FitPictureToPaintBox(QImage& bitmap, PictureLayout layout = PictureLayout::OnePlot);
  // The plot size on screen, as FitPictureToPaintBox set it last (or a window
  // of two plots sets it by SetPlotSize).
  void SetPlotSize(int width, int height) { plotWidth_ = width, plotHeight_ = height; }
  // Begins a drawing: frame_ becomes the export's frame while an export draws,
  // otherwise the screen's plot in the view of the settings (PictureFrame), with
  // no canvas until DrawOn gives it one.
  void BeginFrame();
  // The frame of the drawing under way (see BeginFrame).
  DrawFrame frame_;

  // "Term im Bild" as a row of the panel (module/TermLegend.h); a click runs `redraw`.
  // "Term im Bild" and under it "Werte im Bild" (valuesInPictureBox), both running `redraw`.
  TBitCheckBox* AddLegendBox(QWidget* panel, QVBoxLayout* column, std::function<void()> redraw);
  // A check box (named `name`) with a panel of its own under it, hidden at first, that the
  // window shows while the box is ticked; returns the layout to fill the panel with.
  QVBoxLayout* AddSwitchedPanel(QWidget* panel, QVBoxLayout* column, const QString& caption,
                                const char* name, TBitCheckBox*& box, QWidget*& switched);
  // A readout for "Werte im Bild": `line` gives its line as the picture shows it, or an
  // empty text while the readout shows nothing.
  void ShowInPicture(std::function<QString()> line);
  // A label shown as it reads, behind `name` ("m_s = "); not while hidden, empty or "?".
  void ShowInPicture(const QString& name, const QLabel* label);
  // A panel widget other than a label or check box whose text presentation mode doubles
  // like the readouts' (a list of values).
  static void ScaleLikeReadouts(QWidget* widget);

  bool Shown() const { return shown_; }
  void showEvent(QShowEvent* event) override;
  void done(int result) override;

 private:
  // In presentation mode the panel's readouts and check-box texts twice their size, and
  // the panel as wide as they need; back to the window's own font without it.
  void ScalePanelTexts();
  std::vector<std::function<QString()>> pictureValues_;
  TBitCheckBox* valuesBox_ = nullptr;  // "Werte im Bild"
  bool panelScaled_ = false;
  int panelMinWidth_ = 0;
  WindowState lesson_;
  bool lessonRestored_ = false;
  LessonValues keptLesson_;
  std::vector<TBitCheckBox*> rememberedBoxes_;
  bool shown_ = false;
  bool closing_ = false;
  QVBoxLayout* frameLayout_ = nullptr;
  QHBoxLayout* row_ = nullptr;
  QScrollArea* panelScroll_ = nullptr;
  QWidget* panel_ = nullptr;
  TPaintBox* paintBox_ = nullptr;
  std::unique_ptr<ZoomBox> zoomBox_;
  TViewPad* viewPad_ = nullptr;
  TPaintBox* pointerBox_ = nullptr;
  bool dragging_ = false;
  int plotWidth_ = 1, plotHeight_ = 1;
  WindowFrames frames_;
};

}  // namespace kurvio
