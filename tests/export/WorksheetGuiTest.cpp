// SPDX-License-Identifier: GPL-3.0-or-later
// Worksheets from the windows' own buttons: the save dialog's worksheet choice,
// the PDF page with one unit measured on it, the SVG at its true size, the
// hidden solution, printing in the same session, and a view too large for the page.
#include <QCheckBox>
#include <QFileDialog>
#include <QPrinter>
#include <cstdlib>
#include <deque>
#include <functional>

#include "app/MainWindow.h"
#include "export/ExportReadBack.h"
#include "export/PictureDialog.h"
#include "export/SvgReadBack.h"
#include "export/WorksheetPage.h"
#include "settings/ProgramPrinter.h"
#include "support/WindowFixture.h"
#include "windows/curves/CurveDiscussionWindow.h"

namespace kurvio {
namespace {

using testing::DarkRun;

constexpr int kDpi = 254;  // ten pixels to the millimetre
constexpr double kPx = kDpi / 25.4;

std::string PdfText(const std::string& pdf) {
  const bool read = std::system(("pdftotext -q " + pdf + " " + pdf + ".txt").c_str()) == 0;
  return read ? ReadBytes(pdf + ".txt") : "";
}

// The rows of the short dark lines centred on column `x`: the ticks of a vertical axis there.
std::vector<int> TickRows(const QImage& page, int x) {
  std::vector<int> rows;
  for (const DarkRun& r : testing::HorizontalLines(page, 10))
    if (r.length < 40 && std::abs(r.left + r.length / 2 - x) <= 2) rows.push_back(r.row);
  return rows;
}

bool DarkAt(const QImage& page, double xMm, double yMm) {
  for (int dy = -2; dy <= 2; ++dy)
    for (int dx = -2; dx <= 2; ++dx) {
      const QPoint p(std::lround(xMm * kPx) + dx, std::lround(yMm * kPx) + dy);
      if (page.valid(p) && qGray(page.pixel(p)) < 100) return true;
    }
  return false;
}

// A window with x^3-3x (main window) or x^2/2-x (curve discussion) in the view
// -4..4 × -3..3, whose save dialog and printer the test answers.
template <class Window>
class WorksheetTest : public WindowTest<Window> {
 protected:
  void SetUp() override {
    WindowTest<Window>::SetUp();
    UseSettingsIn(this->dir,
                  "[Koordinatensystem]\nx1=-4\nx2=4\ny1=-3\ny2=3\n"
                  "[Funktionsterme]\nf(x,t,a,b)=x^3-3x\nf(x)=x^2/2-x\n");
    LastPictureFormat = PictureFormat::Wmf;
    printerFormat = ProgramPrinter().outputFormat();
    ReportExportError = [this](QWidget*, const QString& m) { errors.push_back(m); };
    ShowPictureDialog = [this](QFileDialog& dialog) {
      const auto* sheet = dialog.findChild<QCheckBox*>(QStringLiteral("worksheetBox"));
      const auto* hide = dialog.findChild<QCheckBox*>(QStringLiteral("hideSolutionBox"));
      EXPECT_TRUE(sheet && hide && !answers.empty());
      if (!sheet || !hide || answers.empty()) return false;
      EXPECT_EQ(sheet->text() + hide->text(), "Arbeitsblatt (1 Einheit = 1 cm)Lösung ausblenden");
      openedTicked = sheet->isChecked();
      openedHideEnabled = hide->isEnabled();
      answers.front()(dialog);
      answers.pop_front();
      hideEnabled = hide->isEnabled();
      return true;
    };
    this->Open();
  }
  void TearDown() override {
    ShowPictureDialog = nullptr;
    ReportExportError = nullptr;
    LastWorksheetChoice = {};
    LastPictureFormat = PictureFormat::Wmf;
    ProgramPrinter().setOutputFileName(QString());
    ProgramPrinter().setOutputFormat(printerFormat);
    WindowTest<Window>::TearDown();
  }
  std::string Path(const char* name) const { return this->dir.File(name); }
  // The user ticks the boxes named, then types `name` and saves.
  void Answer(std::vector<const char*> ticks, const char* name, const char* filter = nullptr) {
    answers.push_back([=, this](QFileDialog& dialog) {
      for (const char* box : ticks) dialog.findChild<QCheckBox*>(QString::fromLatin1(box))->click();
      if (filter) dialog.selectNameFilter(QString::fromLatin1(filter));
      filterShown = dialog.selectedNameFilter();
      dialog.selectFile(QString::fromStdString(Path(name)));
    });
  }
  QImage Page(const std::string& pdf) { return testing::RasterisePdf(pdf, kDpi, Path("seite")); }

  // The ticks of the y-axis (at 2, 1, -1, -2 in each plot) on a page where the
  // coordinate system's top-left corner is at (left, top) mm, where one unit of
  // 10 mm puts them; the line nearest to each (a curve may cross the axis elsewhere).
  static void ExpectTicksAtScale(const QImage& page, double left, double top, int plots = 1) {
    ASSERT_FALSE(page.isNull());
    const std::vector<int> rows = TickRows(page, std::lround((left + 40) * kPx));
    const auto nearest = [&](double mm) {
      double best = -1000;
      for (int row : rows)
        if (std::abs(row / kPx - mm) < std::abs(best - mm)) best = row / kPx;
      return best;
    };
    for (double plotTop = top; plotTop < top + 60 * plots; plotTop += 60) {
      for (double mm : {10, 20, 40, 50}) EXPECT_NEAR(nearest(plotTop + mm), plotTop + mm, 0.3);
      EXPECT_NEAR((nearest(plotTop + 50) - nearest(plotTop + 10)) / 4, 10.0, 0.1);
    }
  }
  static void ExpectA4(const QImage& page, bool landscape) {
    EXPECT_NEAR(page.width() / kPx, landscape ? 297 : 210, 0.2);
    EXPECT_NEAR(page.height() / kPx, landscape ? 210 : 297, 0.2);
  }

  std::deque<std::function<void(QFileDialog&)>> answers;
  // What the last dialog showed: the choice it opened with, and after the user's ticks.
  bool openedTicked = false, openedHideEnabled = false, hideEnabled = false;
  QString filterShown;
  std::vector<QString> errors;
  QPrinter::OutputFormat printerFormat = QPrinter::NativeFormat;
};

using MainWindowWorksheetTest = WorksheetTest<TForm1>;
using CurveDiscussionWorksheetTest = WorksheetTest<TForm3>;

// Unticked the dialog saves what it saved before. Ticked it picks PDF and writes a
// turned A4 page (the view is wider than high) with the view centred, one unit
// 10 mm long and the curve's minimum (1|-2) on its grid point; with the solution
// hidden the same coordinate system under the title without a point of the curve.
// The dialog opens again with the choice, which a PNG cannot take.
TEST_F(MainWindowWorksheetTest, TheSaveDialogWritesAPageWithOneUnitAsOneCentimetre) {
  Answer({}, "bild.png");
  Click("SpeedButton17");
  EXPECT_FALSE(openedTicked || openedHideEnabled);
  EXPECT_FALSE(QImage(QString::fromStdString(Path("bild.png"))).isNull());
  EXPECT_FALSE(LastWorksheetChoice.worksheet);

  Answer({"worksheetBox"}, "blatt");
  Click("SpeedButton17");
  EXPECT_TRUE(hideEnabled);
  EXPECT_EQ(filterShown, "PDF-Dokument (*.pdf)");
  const WorksheetPage layout = LayOutWorksheet({-4, 4, -3, 3}, 1);
  const QImage page = Page(Path("blatt.pdf"));
  ExpectA4(page, true);
  ExpectTicksAtScale(page, layout.left, layout.top);
  EXPECT_TRUE(DarkAt(page, layout.left + 50, layout.top + 50));
  EXPECT_TRUE(DarkAt(page, layout.left + 30, layout.top + 10));  // the maximum (-1|2)

  Answer({"hideSolutionBox"}, "leer.pdf");
  Answer({}, "blatt.png");
  Click("SpeedButton17");
  const QImage empty = Page(Path("leer.pdf"));
  ExpectTicksAtScale(empty, layout.left, layout.top);
  for (double x : {-2.0, -1.0, 0.5, 1.0, 2.0})
    EXPECT_FALSE(
        DarkAt(empty, layout.left + (x + 4) * 10, layout.top + (3 - x * x * x + 3 * x) * 10))
        << x;
  // The title, and a number at every tick (not only at the unit).
  const std::string text = PdfText(Path("leer.pdf"));
  for (const char* shown : {"Funktionsgraphen", "-3", "-2", "3"})
    EXPECT_NE(text.find(shown), std::string::npos) << shown;
  Click("SpeedButton17");
  EXPECT_TRUE(openedTicked);
  EXPECT_EQ(errors, std::vector<QString>{"Ein Arbeitsblatt (1 Einheit = 1 cm) wird als PDF oder "
                                         "SVG gespeichert, nicht als „blatt.png“."});
  EXPECT_FALSE(QFile::exists(QString::fromStdString(Path("blatt.png"))));
}

// An SVG worksheet is the picture alone at its true size: the title line and
// the coordinate system within 2 mm, a grid line every millimetre, the curve's
// minimum where its unit puts it.
TEST_F(MainWindowWorksheetTest, AnSvgWorksheetHasItsTrueSize) {
  Answer({"worksheetBox"}, "blatt", "SVG-Grafik (*.svg)");
  Click("SpeedButton17");
  const testing::SvgPicture svg = testing::ReadSvg(ReadBytes(Path("blatt.svg")));
  ASSERT_EQ(svg.error, "");
  EXPECT_NEAR(svg.widthMm, 84, 0.01);
  EXPECT_NEAR(svg.heightMm, 74, 0.01);
  const double pxPerMm = svg.viewBox.split(' ').value(2).toDouble() / svg.widthMm;
  ASSERT_GT(pxPerMm, 0);
  std::vector<double> rows = testing::SvgHorizontalLines(svg, 79 * pxPerMm);
  std::sort(rows.begin(), rows.end());
  rows.erase(
      std::unique(rows.begin(), rows.end(), [](double a, double b) { return std::abs(a - b) < 1; }),
      rows.end());
  ASSERT_EQ(rows.size(), 61u);  // y from -3 to 3 in tenths
  EXPECT_NEAR((rows.back() - rows.front()) / pxPerMm / 6, 10.0, 0.1);
  EXPECT_NEAR(rows.front() / pxPerMm, 12, 0.1);
  EXPECT_TRUE(testing::SvgPassesNear(svg, QPointF(52, 62) * pxPerMm, 0.1 * pxPerMm));
}

// The worksheet chosen in the save dialog is what "Drucken" prints in this
// session, on A4 turned for it; the printer's own page comes back afterwards.
// A view too large for the page is said, and neither saved nor printed.
TEST_F(MainWindowWorksheetTest, PrintingFollowsTheChoiceAndATooLargeViewIsSaid) {
  QPrinter& printer = ProgramPrinter();
  const QPageLayout before = printer.pageLayout();
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(Path("druck.pdf")));
  Answer({"worksheetBox"}, "blatt");
  Click("SpeedButton17");
  Click("SpeedButton15");
  const WorksheetPage layout = LayOutWorksheet({-4, 4, -3, 3}, 1);
  const QImage page = Page(Path("druck.pdf"));
  ExpectA4(page, true);
  ExpectTicksAtScale(page, layout.left, layout.top);
  EXPECT_TRUE(printer.pageLayout().isEquivalentTo(before));
  EXPECT_TRUE(errors.empty());

  UseSettingsIn(dir, "[Koordinatensystem]\nx1=-10\nx2=10\ny1=-10\ny2=10\n");
  Open();
  printer.setOutputFileName(QString::fromStdString(Path("gross.pdf")));
  Answer({}, "gross");
  Click("SpeedButton17");
  Click("SpeedButton15");
  const QString tooLarge = QStringLiteral(
      "Das Koordinatensystem ist für ein Arbeitsblatt zu groß: x von -10 bis 10 braucht 20 cm");
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_TRUE(errors[0].startsWith(QStringLiteral("Die Datei „%1“ konnte nicht gespeichert "
                                                  "werden.\n%2")
                                       .arg(QString::fromStdString(Path("gross.pdf")), tooLarge)))
      << errors[0].toStdString();
  EXPECT_TRUE(errors[1].startsWith("Die Grafik konnte nicht gedruckt werden.\n" + tooLarge));
  EXPECT_FALSE(QFile::exists(QString::fromStdString(Path("gross.pdf"))));
}

// Two plots stand one below the other, each at one unit to the centimetre, on
// an upright page: f' at (2|1) in the lower one with the solution, and the two
// empty coordinate systems under the title without it.
TEST_F(CurveDiscussionWorksheetTest, BothPlotsStandAtScaleOneBelowTheOther) {
  if (!Find<TBitCheckBox>("BitCheckBox1")->Checked()) Click("BitCheckBox1");
  Answer({"worksheetBox"}, "blatt");
  Answer({"hideSolutionBox"}, "leer");
  Click("SpeedButton17");
  Click("SpeedButton17");
  const WorksheetPage layout = LayOutWorksheet({-4, 4, -3, 3}, 2);
  const QImage solved = Page(Path("blatt.pdf"));
  ExpectA4(solved, false);
  ExpectTicksAtScale(solved, layout.left, layout.top, 2);
  EXPECT_TRUE(DarkAt(solved, layout.left + 60, layout.top + 80));
  const QImage empty = Page(Path("leer.pdf"));
  ExpectTicksAtScale(empty, layout.left, layout.top, 2);
  EXPECT_FALSE(DarkAt(empty, layout.left + 60, layout.top + 80));
  EXPECT_NE(PdfText(Path("leer.pdf")).find("Kurvendiskussion"), std::string::npos);
}

}  // namespace
}  // namespace kurvio
