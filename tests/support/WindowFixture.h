// SPDX-License-Identifier: GPL-3.0-or-later
// One fixture for every window test: the program's files in a fresh folder
// with the default settings, messages collected instead of shown, the window
// opened at a fixed size, and its controls found by their design names, the
// way an outside check finds them.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "module/ExampleList.h"
#include "module/TermEdit.h"
#include "plot/PlotFrame.h"
#include "plot/QtCanvas.h"
#include "settings/Color.h"
#include "settings/Settings.h"
#include "support/RecordingCanvas.h"
#include "support/TempDir.h"
#include "support/WindowTestSettings.h"
#include "term/Term.h"
#include "widgets/TBitCheckBox.h"
#include "widgets/TSwitch.h"

namespace kurvio {

template <class Window>
class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseDefaultSettingsIn(dir);
    SyntaxErrorReporter = [this](const std::string& m) { messages.push_back(m); };
    ReportExampleListMessage = [this](QWidget*, const QString& m) {
      messages.push_back(m.toStdString());
    };
  }
  void TearDown() override {
    form.reset();
    SyntaxErrorReporter = nullptr;
    ReportExampleListMessage = nullptr;
    MainTerm.reset();
  }

  // Opens the window as the start window does, at a size every test can count on.
  Window& Open(int width = 1100, int height = 750) {
    form = std::make_unique<Window>();
    form->resize(width, height);
    form->show();
    QApplication::processEvents();
    return *form;
  }

  // The control with this design name; fails the test when there is none or more.
  template <class Control = QWidget>
  Control* Find(const char* name) const {
    const QList<Control*> found = form->template findChildren<Control*>(QString::fromLatin1(name));
    EXPECT_EQ(found.size(), 1) << name;
    return found.value(0);
  }

  // Types into a field as a user does: focus, text, Return.
  void Type(const char* field, const QString& text) {
    TypeInto(form.get(), Find<QLineEdit>(field), text);
  }
  // A click on a button, a check box or a switch.
  void Click(const char* name) {
    QWidget* control = Find(name);
    if (auto* s = qobject_cast<TSwitch*>(control)) {
      QTest::mouseClick(s, Qt::LeftButton, {}, QPoint(s->width() / 2, s->height() / 2));
      return;
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
      button->click();
    } else {
      QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(5, 5));
    }
    QApplication::processEvents();
  }
  QString Text(const char* name) const {
    QWidget* control = Find(name);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) return edit->text();
    if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
    return {};
  }
  // A readout as a number (decimal comma).
  double Number(const char* name) const {
    return Text(name).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
  }

  // The colour of a world point on a bitmap of the window, as it was last drawn.
  Color Pixel(const QImage& image, double x, double y) const {
    const DrawFrame& shown = form->ShownFrame();
    return FromQColor(image.pixelColor(shown.ScreenX(x), shown.ScreenY(y)));
  }
  // Whether the colour lies at a world point or a pixel beside it (lines drawn at a slant).
  bool Near(const QImage& image, double x, double y, Color colour) const {
    const DrawFrame& shown = form->ShownFrame();
    for (int dx = -1; dx <= 1; ++dx)
      for (int dy = -1; dy <= 1; ++dy)
        if (FromQColor(image.pixelColor(shown.ScreenX(x) + dx, shown.ScreenY(y) + dy)) == colour)
          return true;
    return false;
  }
  static bool AnyPixel(const QImage& image, Color colour) {
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (FromQColor(image.pixelColor(x, y)) == colour) return true;
    return false;
  }

  TempDir dir;
  std::unique_ptr<Window> form;
  std::vector<std::string> messages;

  // One frame drawn by `draw` as an export draws it, at the size and in the view of
  // the screen, on a canvas that records every call.
  testing::RecordingCanvas Record(std::function<void()> draw) {
    testing::RecordingCanvas canvas;
    DrawFrame frame = form->ShownFrame();
    frame.canvas = &canvas;
    frame.forExport = true;
    form->DrawInFrame(frame, std::move(draw));
    return canvas;
  }
  // How many calls of one kind ("Arc", "Ellipse", ...) a recording holds.
  static int Calls(const testing::RecordingCanvas& canvas, const std::string& name) {
    int n = 0;
    for (const std::string& c : canvas.calls) n += c.rfind(name + " ", 0) == 0;
    return n;
  }
};

}  // namespace kurvio
