// "Term im Bild": the window's terms in its picture and in its exports only
// while the box is ticked.
#include <QClipboard>
#include <QMimeData>
#include <QPushButton>

#include "app/MainWindow.h"
#include "plot/PaintBox.h"
#include "support/WindowFixture.h"
#include "windows/curves/CurveDiscussionWindow.h"
#include "windows/curves/IntegralWindow.h"
#include "windows/curves/TangentWindow.h"
#include "windows/limits/BisectionWindow.h"
#include "windows/limits/CovariationWindow.h"
#include "windows/limits/LimitsWindow.h"
#include "windows/limits/SequencesWindow.h"

namespace kurvio {
namespace {

struct Row {
  const char* line;  // a line of the legend
  std::function<std::unique_ptr<QWidget>()> open;
  std::function<void(QWidget&)> draw;
};

template <class Window>
Row Of(const char* line, void (Window::*draw)()) {
  return {line, [] { return std::make_unique<Window>(); },
          [draw](QWidget& w) { (static_cast<Window&>(w).*draw)(); }};
}

TEST(TermLegend, ShowsTheTermsOnScreenAndInTheExportWhileTicked) {
  const Row rows[] = {
      Of<TForm1>("a = 1,00   b = 0,00   c = 0,00   t = 0,00", &TForm1::darstellen),
      Of<TForm3>("f(x) = x^3/4-x", &TForm3::Redraw),
      Of<TForm7>("f(t) = sin(t)+1", &TForm7::Redraw),
      Of<TForm8>("f(x) = x^3/4-x", &TForm8::animieren),
      Of<TForm11>("f(x) = x   für x ≤ xo", &TForm11::animieren),
      Of<TForm12>("f(x) = x^2/2-2", &TForm12::animieren),
      Of<TForm13>("f(x) = x^3-x-1", &TForm13::animieren),
      Of<TForm15>("a(n) = 1/n", &TForm15::animieren),
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    TempDir dir;
    UseDefaultSettingsIn(dir);
    TermFx = "x^3/4-x", TermFt = "sin(t)+1", TermKovariation = "x^2/2-2";
    TermStetigkeitF1 = "x", TermBisektion = "x^3-x-1", TermFolgen = "1/n";
    TermSequenceMode = row.line[0] == 'a';
    const std::unique_ptr<QWidget> w = row.open();
    w->resize(1100, 750);
    w->show();
    QApplication::processEvents();
    auto* paintBox = w->findChild<TPaintBox*>();
    for (bool ticked : {false, true}) {
      if (ticked) {
        const QImage before = paintBox->grab().toImage();
        QTest::mouseClick(w->findChild<TBitCheckBox*>("legendBox"), Qt::LeftButton, {}, {5, 5});
        EXPECT_NE(paintBox->grab().toImage(), before) << "redrawn at once";
      }
      testing::RecordingCanvas log;
      DrawCanvas = &log;
      ExportDrawing = true;
      row.draw(*w);
      ExportDrawing = false;
      DrawCanvas = nullptr;
      const auto drawn = std::ranges::find(log.texts, std::string(row.line),
                                           &testing::TextCall::text) != log.texts.end();
      EXPECT_EQ(drawn, ticked);
      w->findChild<QPushButton*>("SpeedButton23")->click();
      const QByteArray svg =
          QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("image/svg+xml"));
      EXPECT_EQ(svg.contains(row.line), ticked);
    }
    TermSequenceMode = false;
  }
  MainTerm.reset();
}

}  // namespace
}  // namespace kurvio
