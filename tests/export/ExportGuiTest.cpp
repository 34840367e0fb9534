// SPDX-License-Identifier: GPL-3.0-or-later
// The export routine on the main window: metafile files and their names, the
// clipboard, printing to Qt's PDF output, PNG, SVG and PDF files, and the
// shared state around every export.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QPrinter>
#include <QWidget>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "app/MainWindow.h"
#include "export/Export.h"
#include "export/ExportReadBack.h"
#include "export/SvgReadBack.h"
#include "export/WmfReader.h"
#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "settings/ProgramFiles.h"
#include "settings/Settings.h"
#include "support/TempDir.h"
#include "support/WindowTestSettings.h"
#include "term/Term.h"

namespace kurvio {
namespace {

using testing::RasterisePdf;
using testing::ReadWmf;
using testing::WmfFile;

// Whether a pixel within `reach` rows of (x, y) is dark.
bool DarkNear(const QImage& image, int x, int y, int reach) {
  for (int dy = -reach; dy <= reach; ++dy)
    if (image.valid(x, y + dy) && qGray(image.pixel(x, y + dy)) < 100) return true;
  return false;
}

class ExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseDefaultSettingsIn(dir);
    box.resize(400, 300);
    LastPictureFormat = PictureFormat::Wmf;
    AskSaveFileName = [this](QWidget*, const QString& title, const QString&, const QString& name,
                             QString& selected) {
      titles.push_back(title);
      opensWith.push_back(selected);
      opensWithName.push_back(name);
      if (!answerFilter.isEmpty()) selected = answerFilter;
      return name.isEmpty() ? answer : answerAgain;
    };
    AskReplaceFile = [this](QWidget*, const QString& q) {
      questions.push_back(q);
      return replace;
    };
    ReportExportError = [this](QWidget*, const QString& m) { errors.push_back(m); };
  }
  void TearDown() override {
    AskSaveFileName = nullptr;
    AskReplaceFile = nullptr;
    ReportExportError = nullptr;
    RenameFile = &std::rename;
    AccessFile = &::access;
  }
  // A window with a coordinate system and a line, that records the state it drew in.
  ExportTarget SimpleTarget() {
    return {.redraw = [this](const DrawFrame& frame) {
              seen = frame;
              DrawCoordinateSystem(frame);
              frame.canvas->MoveTo(0, 0);
              frame.canvas->LineTo(frame.width, frame.height);
            },
            .redrawOnScreen = [this] { ++screenRedraws; },
            .paintBox = &box,
            .view = {x1, x2, y1, y2}};
  }
  QString Path(const std::string& name) const { return QString::fromStdString(dir.File(name)); }

  TempDir dir;
  QWidget box;
  QString answer;
  QString answerAgain;   // when the dialog opens again after a "Nein"; cancels when empty
  QString answerFilter;  // the filter the user picks; the first one when empty
  bool replace = false;
  std::vector<QString> titles, opensWith, opensWithName, questions, errors;
  DrawFrame seen;  // the frame the export drew in
  int screenRedraws = 0;
};

TEST_F(ExportTest, TheTypedExtensionDecidesTheFormatElseTheFilter) {
  using F = PictureFormat;
  const struct {
    const char* chosen;
    F filtered;
    bool jpegOffered;
    const char* written;
    F format;
  } cases[] = {
      {"/d/bild.png", F::Wmf, false, "/d/bild.png", F::Png},
      {"/d/bild.SVG", F::Png, false, "/d/bild.SVG", F::Svg},
      {"/d/bild.pdf", F::Jpeg, true, "/d/bild.pdf", F::Pdf},
      {"/d/bild.jpeg", F::Wmf, true, "/d/bild.jpeg", F::Jpeg},
      {"/d/bild.jpg", F::Wmf, false, "/d/bild.jpg.wmf", F::Wmf},  // not offered there
      {"/d/kurve", F::Wmf, false, "/d/kurve.wmf", F::Wmf},
      {"/d/kurve", F::Jpeg, true, "/d/kurve.jpg", F::Jpeg},
      {"/d/Kurve 1.5 a", F::Wmf, false, "/d/Kurve 1.5 a.wmf", F::Wmf},  // only the last dot
      {"/d/kurve.wmf.png", F::Wmf, false, "/d/kurve.wmf.png", F::Png},
      {"/d/a.png/kurve", F::Svg, false, "/d/a.png/kurve.svg", F::Svg},  // a folder's dot
      {"/d/kurve.", F::Png, false, "/d/kurve.png", F::Png},
  };
  for (const auto& c : cases) {
    const PictureFile file = ChoosePictureFile(c.chosen, c.filtered, c.jpegOffered);
    EXPECT_EQ(file.path, c.written) << c.chosen;
    EXPECT_EQ(file.format, c.format) << c.chosen;
  }
}

// Cancelling changes nothing, not even the screen. The dialog asked about
// "kurve"; replacing "kurve.wmf" needs its own yes. A write-protected file
// would be replaced by the rename that ends a save; it is refused before
// anything is asked (permission bits do not stop root, hence the hook).
TEST_F(ExportTest, ExistingFilesAreReplacedOnlyWhenAllowed) {
  answer.clear();
  EXPECT_FALSE(SaveWmfFile(kMainWindowExport, SimpleTarget(), nullptr));
  EXPECT_EQ(screenRedraws, 0);
  static std::string protectedFile;
  protectedFile = dir.File("kurve.wmf");
  WriteBytes(protectedFile, "old");
  answer = Path("kurve");
  EXPECT_FALSE(SaveWmfFile(kMainWindowExport, SimpleTarget(), nullptr));
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_TRUE(questions[0].contains("kurve.wmf"));
  EXPECT_EQ(ReadBytes(protectedFile), "old");

  AccessFile = [](const char* path, int mode) {
    if (path == protectedFile && (mode & W_OK)) {
      errno = EACCES;
      return -1;
    }
    return ::access(path, mode);
  };
  replace = true;
  answer = Path("kurve.wmf");
  EXPECT_FALSE(SaveWmfFile(kMainWindowExport, SimpleTarget(), nullptr));
  EXPECT_EQ(errors, std::vector<QString>{QStringLiteral("Die Datei „%1“ ist schreibgeschützt und "
                                                        "wird nicht ersetzt.")
                                             .arg(Path("kurve.wmf"))});
  EXPECT_EQ(questions.size(), 1u);
  EXPECT_EQ(ReadBytes(protectedFile), "old");
  AccessFile = &::access;
  EXPECT_TRUE(SaveWmfFile(kMainWindowExport, SimpleTarget(), nullptr));
  EXPECT_EQ(ReadWmf(ReadBytes(protectedFile)).error, "");
  // The metafile is drawn in a frame of its own: four times the screen's plot, pens with it.
  EXPECT_TRUE(seen.forExport && seen.lineScale == 4.0 && (seen.world == WorldWindow{x1, x2, y1, y2}));
  EXPECT_EQ((std::vector{seen.width, seen.height}), (std::vector{401 * 4, 301 * 4}));
}

// "Nein" to replacing a file asks again, with the name and format; the title names every format.
TEST_F(ExportTest, NoToReplacingAFileAsksForTheNameAgain) {
  WriteBytes(dir.File("kurve.svg"), "old");
  answer = Path("kurve");
  answerFilter = "SVG-Grafik (*.svg)";
  answerAgain = Path("neu");
  EXPECT_TRUE(SaveWmfFile(kMainWindowExport, SimpleTarget(), nullptr));
  EXPECT_EQ(opensWithName, (std::vector<QString>{QString(), Path("kurve")}));
  EXPECT_EQ(opensWith[1], "SVG-Grafik (*.svg)");
  EXPECT_EQ(ReadBytes(dir.File("kurve.svg")), "old");
  EXPECT_EQ(testing::ReadSvg(ReadBytes(dir.File("neu.svg"))).error, "");

  for (const char* format : {"WMF", "PNG", "SVG", "PDF"}) EXPECT_TRUE(titles[0].contains(format));
  answerAgain.clear();
  EXPECT_FALSE(SaveWmfOrJpeg(kMainWindowExport, SimpleTarget(), nullptr));  // cancelled then
  EXPECT_TRUE(titles.back().contains("JPEG") && !titles[0].contains("JPEG"));
}

// A JPEG file is the window's picture as libjpeg reads it back: the line across it dark,
// the ground away from the axes white.
TEST_F(ExportTest, AJpegReadsBackAsThePicture) {
  answer = Path("kurve.jpg");
  EXPECT_TRUE(SaveWmfOrJpeg(kMainWindowExport, SimpleTarget(), nullptr));
  const QImage jpeg = testing::DecodeJpeg(ReadBytes(dir.File("kurve.jpg")));
  ASSERT_EQ(jpeg.size(), QSize(400, 300));  // the plot on the screen
  EXPECT_TRUE(DarkNear(jpeg, 100, 75, 1));
  EXPECT_GT(qGray(jpeg.pixel(300, 40)), 240);
  EXPECT_TRUE(errors.empty());
}

// A picture wider than high turns the A4 page.
TEST_F(ExportTest, AWidePictureTurnsThePdfPage) {
  const std::string pdf = RenderPicture(kMainWindowExport, SimpleTarget(), PictureFormat::Pdf);
  EXPECT_NE(pdf.find("/MediaBox [0 0 842"), std::string::npos);  // 842 × 595 points
}

// A missing folder fails before the rename, a read-only disk at it.
TEST_F(ExportTest, FailedSavesSayWhy) {
  RenameFile = [](const char*, const char*) {
    errno = EROFS;
    return -1;
  };
  const std::pair<const char*, const char*> cases[] = {
      {"fehlt/kurve.wmf", "Der Ordner existiert nicht."}, {"kurve.wmf", "schreibgeschützt"}};
  for (const auto& [path, reason] : cases) {
    errors.clear();
    const int redraws = screenRedraws;
    EXPECT_FALSE(WriteWmfFile(kMainWindowExport, SimpleTarget(), Path(path), nullptr));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].contains(reason)) << errors[0].toStdString();
    EXPECT_TRUE(errors[0].contains("konnte nicht gespeichert werden"));
    EXPECT_EQ(screenRedraws, redraws + 1);
  }
  EXPECT_FALSE(QFile::exists(Path("kurve.wmf")));
}

// The main window with its own redraw: x^3-3x, its derivative and a tangent.
class MainWindowExportTest : public ExportTest {
 protected:
  void SetUp() override {
    ExportTest::SetUp();
    UseSettingsIn(dir, "[Funktionsterme]\nf(x,t,a,b)=x^3-3x\n");
    form = std::make_unique<TForm1>();
    form->resize(1000, 700);
    form->show();
    QApplication::processEvents();
    // f' and the tangent ticked, the point at x = 2.
    for (const char* name : {"BitCheckBox1", "BitCheckBox4"})
      QTest::mouseClick(form->findChild<QWidget*>(QString::fromLatin1(name)), Qt::LeftButton, {},
                        QPoint(5, 5));
    TypeInto(form.get(), form->findChild<QLineEdit*>(QStringLiteral("Edit11")), "2");
    ASSERT_TRUE(ShowDerivative && form->ShowTangent);
    ASSERT_EQ(PointX0, 2);
  }
  void TearDown() override {
    form.reset();
    MainTerm.reset();
    ExportTest::TearDown();
  }
  ExportTarget Target() {
    const auto redraw = [this] {
      form->darstellen2();
      form->darstellen();
    };
    return {.redraw = [this, redraw](const DrawFrame& frame) { form->DrawInFrame(frame, redraw); },
            .redrawOnScreen = [this, redraw] { ++screenRedraws, redraw(); },
            .paintBox = form->paintBox,
            .view = {x1, x2, y1, y2}};
  }
  std::unique_ptr<TForm1> form;
};

// Every format of the file button and the clipboard holds the x-axis or the
// curve's minimum (1, -2) where the export drew them.
TEST_F(MainWindowExportTest, EveryFormatHoldsTheAxisAndTheCurvesMinimum) {
  const int W = (form->paintBox->width() + 1) * 4, H = (form->paintBox->height() + 1) * 4;
  const struct {
    const char* typed;
    const char* filter;
  } cases[] = {{"kurve", ""},
               {"bild", "PNG-Bild (*.png)"},
               {"bild.SVG", "SVG-Grafik (*.svg)"},
               {"bild.v2", "PDF-Dokument (*.pdf)"}};
  for (const auto& c : cases) {
    answer = Path(c.typed);
    answerFilter = c.filter;
    ASSERT_TRUE(SaveWmfFile(kMainWindowExport, Target(), form.get())) << c.typed;
  }
  ASSERT_TRUE(CopyWmfToClipboard(kMainWindowExport, Target()));
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(screenRedraws, 5);
  DrawFrame drawn;  // the coordinates the export drew with
  drawn.world = {x1, x2, y1, y2};
  drawn.width = W, drawn.height = H;
  const int axisRow = drawn.ScreenY(0), minimumX = drawn.ScreenX(1), minimumY = drawn.ScreenY(-2);

  // The metafile's picture itself is kept with the window's pictures.
  const WmfFile f = ReadWmf(ReadBytes(dir.File("kurve.wmf")));
  ASSERT_EQ(f.error, "");
  EXPECT_EQ((std::vector{f.right, f.bottom}), (std::vector{W, H}));

  const QImage png(Path("bild.png"));  // four times the screen size
  ASSERT_EQ(png.size(), QSize(W, H));
  for (int x : {W / 10, W * 9 / 10}) EXPECT_TRUE(DarkNear(png, x, axisRow, 2)) << x;
  EXPECT_TRUE(DarkNear(png, minimumX, minimumY, 4));

  // SVG: a vector picture at the metafile's scale.
  const testing::SvgPicture svg = testing::ReadSvg(ReadBytes(dir.File("bild.SVG")));
  ASSERT_EQ(svg.error, "");
  EXPECT_EQ(svg.viewBox, QStringLiteral("0 0 %1 %2").arg(W).arg(H));
  EXPECT_NEAR(svg.widthMm, W / 384.0 * 25.4, 0.5);  // the metafile's 384 pixels per inch
  EXPECT_TRUE(testing::SvgPassesNear(svg, QPointF(minimumX, minimumY), 3.0));

  // The clipboard: the metafile under each of its types, and a PNG at half the size.
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(mime, nullptr);
  for (const char* type : kWmfMimeTypes) {
    const QByteArray data = mime->data(type);
    EXPECT_EQ(ReadWmf(std::string(data.constData(), data.size())).right, W) << type;
  }
  const QImage copied = QImage::fromData(mime->data("image/png"), "PNG");
  ASSERT_EQ(copied.size(), QSize(W / 2, H / 2));
  EXPECT_TRUE(DarkNear(copied, minimumX / 2, minimumY / 2, 3));

  // PDF: the picture, higher than wide here, fills an upright A4 page within
  // margins of 1 cm, centred; at 100 pixels per inch the page is 827 × 1170 pixels.
  ASSERT_LT(W, H);
  if (!testing::HavePdftoppm()) GTEST_SKIP() << "no pdftoppm";
  const QImage page = RasterisePdf(dir.File("bild.v2.pdf"), 100, dir.File("seite"))
                          .convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(page.size(), QSize(827, 1170));
  const double fit = std::min((827 - 200 / 2.54) / W, (1170 - 200 / 2.54) / H);
  const QPointF corner((827 - fit * W) / 2, (1170 - fit * H) / 2);
  const QPointF minimum = corner + fit * QPointF(minimumX, minimumY);
  EXPECT_TRUE(DarkNear(page, std::lround(minimum.x()), std::lround(minimum.y()), 2));
  const int axisOnPage = std::lround(corner.y() + fit * axisRow);
  EXPECT_TRUE(DarkNear(page, std::lround(corner.x() + fit * W / 10), axisOnPage, 1));
  EXPECT_FALSE(DarkNear(page, std::lround(corner.x()) - 3, axisOnPage, 1));  // nothing beyond it
}

TEST_F(MainWindowExportTest, FailedOrBusyPrintingDrawsNothing) {
  auto pdfPrinter = [this](const char* name) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(Path(name));
    return printer;
  };
  EXPECT_FALSE(PrintGraphic(kMainWindowExport, Target(), *pdfPrinter("fehlt/druck.pdf")));
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_TRUE(errors[0].startsWith("Die Grafik konnte nicht gedruckt werden."));
  EXPECT_EQ(screenRedraws, 1);
  // A print started from within a running print does nothing at all.
  errors.clear();
  const auto inner = pdfPrinter("innen.pdf");
  bool innerResult = true;
  ExportTarget target = Target();
  target.redraw = [&, redraw = target.redraw](const DrawFrame& frame) {
    innerResult = PrintGraphic(kMainWindowExport, Target(), *inner);
    redraw(frame);
  };
  EXPECT_TRUE(PrintGraphic(kMainWindowExport, target, *pdfPrinter("aussen.pdf")));
  EXPECT_FALSE(innerResult);
  EXPECT_FALSE(QFile::exists(Path("innen.pdf")));
  EXPECT_TRUE(QFile::exists(Path("aussen.pdf")));
  EXPECT_TRUE(errors.empty());
}

}  // namespace
}  // namespace kurvio
