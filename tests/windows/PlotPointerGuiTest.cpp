// SPDX-License-Identifier: GPL-3.0-or-later
// F1 in every window; the readout, the wheel and Ctrl+0 over every picture.
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QWheelEvent>
#include <array>

#include "app/MainWindow.h"
#include "app/StartWindow.h"
#include "module/HelpWindow.h"
#include "module/SettingsDialog.h"
#include "module/WindowHelp.h"
#include "plot/PaintBox.h"
#include "support/WindowFixture.h"
#include "term/NumberFormat.h"
#include "windows/curves/CurveDiscussionWindow.h"
#include "windows/curves/IntegralWindow.h"
#include "windows/curves/TangentWindow.h"
#include "windows/limits/BisectionWindow.h"
#include "windows/limits/CovariationWindow.h"
#include "windows/limits/LimitsWindow.h"
#include "windows/limits/SequencesWindow.h"
#include "windows/trig/UnitCircleWindow.h"

namespace kurvio {
namespace {

using PlotPointerTest = WindowTest<QDialog>;

template <class Window>
QDialog* Make() {
  return new Window;
}

std::array<double, 4> View() { return {x1, x2, y1, y2}; }

// The window that owns the help opened by `action`, closing it.
QWidget* HelpOwner(const std::function<void()>& action) {
  QWidget* owner = nullptr;
  QTimer::singleShot(0, [&] {
    QWidget* help = QApplication::activeModalWidget();
    if (qobject_cast<TForm18*>(help) || qobject_cast<TWindowHelp*>(help)) {
      owner = help->parentWidget();
      help->close();
    }
  });
  action();
  return owner;
}

// In every window F1 opens the help; over a picture the readout shows the point under the
// pointer, the wheel zooms about it and Ctrl+0 puts back the start view, fields untouched.
TEST_F(PlotPointerTest, HelpReadoutWheelAndCtrl0InEveryWindow) {
  using enum PictureLayout;
  // clang-format off
  const struct {
    QDialog* (*make)();
    PictureLayout layout = OnePlot;
    bool zooms = true, indexAxis = false;
  } rows[] = {
      {Make<TForm4>}, {Make<TForm2>}, {Make<TForm1>}, {Make<TForm3>, TwoPlots},
      {Make<TForm5>, OnePlot, false}, {Make<TForm7>, TwoPlots}, {Make<TForm8>}, {Make<TForm11>},
      {Make<TForm12>, PlotAndRails}, {Make<TForm13>, PlotAndLadder},
      {Make<TForm15>, OnePlot, true, true}};
  // clang-format on
  for (const auto& row : rows) {
    UseDefaultSettingsIn(dir);
    form.reset(row.make());
    SCOPED_TRACE(form->metaObject()->className());
    form->resize(1100, 750);
    form->show();
    QApplication::processEvents();
    QWidget* focus = form->focusWidget() ? form->focusWidget() : form.get();
    EXPECT_EQ(HelpOwner([&] { QTest::keyClick(focus, Qt::Key_F1); }), form.get());
    if (auto* start = qobject_cast<TForm4*>(form.get())) {
      start->ConfirmClose = [] { return true; };
      EXPECT_EQ(HelpOwner([start] { start->helpButton->click(); }), start);
    }
    auto* box = form->findChild<TPaintBox*>();
    if (!box) continue;
    auto* readout = Find<QLabel>("cursorReadout");
    // The first row of the lower of two plots, else a row in the upper part of the plot.
    const int plot = LayoutPlotHeight(row.layout, box->height());
    const int top = row.layout == TwoPlots ? plot : 0;
    const QPoint at(box->width() * 3 / 10, top > 0 ? top : plot / 3);
    const auto pointer = [&] {
      DrawFrame under;  // the plot under the pointer, in the view of the settings
      under.world = {x1, x2, y1, y2};
      under.width = box->width();
      under.height = plot;
      return std::pair{under.WorldX(at.x()), under.WorldY(at.y() - top)};
    };
    const auto turn = [&](int delta) {
      QWheelEvent wheel(at, box->mapToGlobal(at), {}, {0, delta}, {}, {}, Qt::NoScrollPhase, 0);
      QApplication::sendEvent(box, &wheel);
    };
    const auto fieldTexts = [this] {
      QStringList texts;
      for (const QLineEdit* field : form->findChildren<QLineEdit*>()) texts << field->text();
      return texts;
    };
    const auto start = View();
    const QStringList fields = fieldTexts();

    QMouseEvent move(QEvent::MouseMove, at, box->mapToGlobal(at), {}, {}, {});
    QApplication::sendEvent(box, &move);
    const auto [wx, wy] = pointer();
    const auto shown = [](double v) {
      return QString::fromStdString(FormatNumberBare(Nachkommastellen, v)).trimmed();
    };
    EXPECT_EQ(readout->text(), "x = " + shown(wx) + "   y = " + shown(wy));
    EXPECT_TRUE(readout->isVisible());
    for (const auto& [delta, factor] : {std::pair{120, 0.8}, std::pair{-120, 1.25}}) {
      const auto before = View();
      const auto [x, y] = pointer();
      turn(delta);
      const double f = row.zooms ? factor : 1.0;
      std::array<double, 4> expected{x - (x - before[0]) * f, x + (before[1] - x) * f,
                                     y - (y - before[2]) * f, y + (before[3] - y) * f};
      if (row.indexAxis) expected[0] = -expected[1] / 12;
      for (int i = 0; i < 4; ++i) EXPECT_DOUBLE_EQ(View()[i], expected[i]) << delta << " " << i;
    }
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(box, &leave);
    EXPECT_FALSE(readout->isVisible());

    turn(240);
    QTest::keyClick(focus, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(View(), start);
    EXPECT_EQ(fieldTexts(), fields);
  }
}

}  // namespace
}  // namespace kurvio
