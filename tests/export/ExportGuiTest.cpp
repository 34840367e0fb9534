// The export routine on the main window: metafile files and their names, the
// clipboard, printing to Qt's PDF output, JPEG files, and the shared state
// around every export.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImageReader>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QWidget>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/MainWindow.h"
#include "export/Export.h"
#include "export/ExportReadBack.h"
#include "export/JpegWriter.h"
#include "export/SvgReadBack.h"
#include "export/Wmf2svg.h"
#include "export/WmfCanvas.h"
#include "export/WmfReader.h"
#include "plot/PaintBox.h"
#include "plot/PlotFrame.h"
#include "settings/ProgramFiles.h"
#include "settings/Settings.h"
#include "support/TempDir.h"
#include "term/Term.h"

namespace kurvio {
namespace {

using testing::DecodeJpeg;
using testing::RasterisePdf;
using testing::ReadWmf;
using testing::SvgLine;
using testing::WmfFile;

// The drawing state every export must leave as it found it.
struct DrawingState {
  Canvas* canvas;
  int width, height;
  double lineScale;
  bool exportDrawing;
  static DrawingState Now() {
    return {DrawCanvas, PlotWidth, PlotHeight, LineScale, ExportDrawing};
  }
  bool operator==(const DrawingState&) const = default;
};

class ExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgramDir = dir.Dir();
    UserDir = dir.Dir();
    SetDefaultSettings();
    box.resize(400, 300);
    LastPictureFormat = PictureFormat::Wmf;
    AskSaveFileName = [this](QWidget*, const QString& title, const QString& filter,
                             QString& selected) {
      titles.push_back(title);
      filters.push_back(filter);
      opensWith.push_back(selected);
      if (!answerFilter.isEmpty()) selected = answerFilter;
      return answer;
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
    DrawCanvas = nullptr;
  }
  // A window with a coordinate system and a line, that records the state it drew in.
  ExportTarget SimpleTarget() {
    return {[this] {
              seen = DrawingState::Now();
              DrawCoordinateSystem();
              DrawCanvas->MoveTo(0, 0);
              DrawCanvas->LineTo(PlotWidth, PlotHeight);
            },
            [this] { ++screenRedraws; }, &box};
  }
  QString Path(const char* name) const { return QString::fromStdString(dir.File(name)); }

  TempDir dir;
  QWidget box;
  QString answer;
  QString answerFilter;  // the filter the user picks; the first one when empty
  bool replace = false;
  std::vector<QString> titles, filters, opensWith, questions, errors;
  DrawingState seen{};
  int screenRedraws = 0;
};

TEST_F(ExportTest, MetafileSizeAndScaleFollowTheWindowVariant) {
  struct Case {
    const ExportVariant& variant;
    int width, height, inch;
    double lineScale;
    int fontHeight;  // 8 pt × factor, at 96 per inch
  } cases[] = {
      {kMainWindowExport, 1604, 1204, 384, 4.0, -51},  // round(8 × 4.8) = 38 pt
      {kUnitCircleExport, 1604, 1204, 384, 4.0, -51},
      {kAnalysisWindowExport, 802, 602, 192, 2.0, -21},  // 16 pt
  };
  QFont font("Arial");
  font.setPointSize(8);
  box.setFont(font);
  for (const Case& c : cases) {
    DrawCanvas = reinterpret_cast<Canvas*>(0x1234);
    PlotWidth = 17, PlotHeight = 19, LineScale = 1.0, ExportDrawing = false;
    const DrawingState before = DrawingState::Now();
    const WmfFile f = ReadWmf(RenderWmf(c.variant, SimpleTarget()));
    ASSERT_EQ(f.error, "");
    EXPECT_EQ(f.right, c.width);
    EXPECT_EQ(f.bottom, c.height);
    EXPECT_EQ(f.inch, c.inch);
    EXPECT_EQ(seen.width, c.width);
    EXPECT_EQ(seen.height, c.height);
    EXPECT_EQ(seen.lineScale, c.lineScale);
    EXPECT_TRUE(seen.exportDrawing);
    const auto texts = f.Ops(0x0521);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0].font->FontHeight(), c.fontHeight);
    EXPECT_EQ(texts[0].font->FontFace(), "Arial");
    EXPECT_TRUE(DrawingState::Now() == before);
    if (testing::HaveWmf2svg()) {
      bool ok = false;
      testing::Wmf2svg(RenderWmf(c.variant, SimpleTarget()), c.width, c.height, ok);
      EXPECT_TRUE(ok);
    }
  }
}

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
      {"/d/bild.Wmf", F::Pdf, false, "/d/bild.Wmf", F::Wmf},
      {"/d/bild.jpeg", F::Wmf, true, "/d/bild.jpeg", F::Jpeg},
      {"/d/bild.jpg", F::Png, true, "/d/bild.jpg", F::Jpeg},
      {"/d/bild.jpg", F::Wmf, false, "/d/bild.jpg.wmf", F::Wmf},  // not offered there
      {"/d/kurve", F::Wmf, false, "/d/kurve.wmf", F::Wmf},
      {"/d/kurve", F::Jpeg, true, "/d/kurve.jpg", F::Jpeg},
      {"/d/bild", F::Wmf, true, "/d/bild.wmf", F::Wmf},  // the metafile where JPEG is offered
      {"/d/Kurve 1.5 a", F::Wmf, false, "/d/Kurve 1.5 a.wmf", F::Wmf},  // only the last dot
      {"/d/kurve.png.bmp", F::Pdf, false, "/d/kurve.png.bmp.pdf", F::Pdf},
      {"/d/kurve.wmf.png", F::Wmf, false, "/d/kurve.wmf.png", F::Png},
      {"/d/a.png/kurve", F::Svg, false, "/d/a.png/kurve.svg", F::Svg},  // a folder's dot
      {"/d/kurve.", F::Png, false, "/d/kurve.png", F::Png},
  };
  for (const auto& c : cases) {
    const PictureFile file = ChoosePictureFile(c.chosen, c.filtered, c.jpegOffered);
    EXPECT_EQ(file.path, c.written) << c.chosen;
    EXPECT_EQ(file.format, c.format) << c.chosen;
  }
  EXPECT_EQ(QtFileFilter("Windows Metadatei (*.wmf)|*.wmf|JPEG-Datei (*.jpg)|*.jpg"),
            "Windows Metadatei (*.wmf);;JPEG-Datei (*.jpg)");
  EXPECT_EQ(FormatOfFilter("Windows Metadatei (*.wmf)"), PictureFormat::Wmf);
  EXPECT_EQ(FormatOfFilter("JPEG-Datei (*.jpg)"), PictureFormat::Jpeg);
  EXPECT_EQ(FormatOfFilter("PDF-Dokument (*.pdf)"), PictureFormat::Pdf);
  EXPECT_EQ(FormatOfFilter(""), PictureFormat::Wmf);
}

// Whatever filter is selected, the file is what its name says; the dialog
// opens with the format saved last, where the button offers it.
TEST_F(ExportTest, TheFileWrittenIsWhatItsNameSaysAndTheDialogRemembersTheFormat) {
  const std::string wmf("\xD7\xCD\xC6\x9A", 4), png("\x89PNG\r\n\x1A\n", 8),
      jpeg("\xFF\xD8\xFF", 3);
  QImage bitmap(400, 300, QImage::Format_RGB32);
  ExportTarget target = SimpleTarget();
  target.bitmap = &bitmap;
  const QString W = "Windows Metadatei (*.wmf)", P = "PNG-Bild (*.png)", S = "SVG-Grafik (*.svg)",
                D = "PDF-Dokument (*.pdf)", J = "JPEG-Datei (*.jpg)";
  const struct {
    const char* typed;
    bool sequences;     // the sequences window's button, which offers JPEG
    QString opensWith;  // the filter selected when the dialog opens
    QString filter;     // the one the user selects; none: as it opened
    const char* written;
    std::string magic;
    std::size_t within;  // how far into the file the magic stands
  } cases[] = {
      {"a.png", false, W, W, "a.png", png, 0},
      {"b.svg", false, P, P, "b.svg", "<svg", 200},
      {"c.PDF", false, S, {}, "c.PDF", "%PDF", 0},
      {"Kurve 1.5 a", false, D, W, "Kurve 1.5 a.wmf", wmf, 0},
      {"e.jpg", true, W, {}, "e.jpg", jpeg, 0},
      {"f.jpeg", true, J, P, "f.jpeg", jpeg, 0},
      {"g", false, W, {}, "g.wmf", wmf, 0},  // JPEG is not offered here
      {"h.wmf", true, W, J, "h.wmf", wmf, 0},
  };
  for (const auto& c : cases) {
    answer = Path(c.typed);
    answerFilter = c.filter;
    opensWith.clear();
    EXPECT_TRUE(c.sequences ? SaveWmfOrJpeg(kAnalysisWindowExport, target, nullptr)
                            : SaveWmfFile(kMainWindowExport, target, nullptr))
        << c.typed;
    ASSERT_EQ(opensWith.size(), 1u);
    EXPECT_EQ(opensWith[0], c.opensWith) << c.typed;
    EXPECT_LE(ReadBytes(dir.File(c.written)).find(c.magic), c.within) << c.written;
  }
  int files = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.Dir())) ++files;
  EXPECT_EQ(files, static_cast<int>(std::size(cases)));
  EXPECT_TRUE(errors.empty());
}

TEST_F(ExportTest, SaveDialogNamesTheMetafile) {
  for (const char* typed : {"kurve", "kurve.wmf"}) {
    QFile::remove(Path("kurve.wmf"));
    answer = Path(typed);
    EXPECT_TRUE(SaveWmfFile(kMainWindowExport, SimpleTarget(), nullptr)) << typed;
    EXPECT_EQ(ReadWmf(ReadBytes(dir.File("kurve.wmf"))).error, "") << typed;
  }
  EXPECT_EQ(titles[0], "Erstellte Grafik speichern");
  EXPECT_EQ(filters[0],
            "Windows Metadatei (*.wmf);;PNG-Bild (*.png);;SVG-Grafik (*.svg);;"
            "PDF-Dokument (*.pdf)");
  EXPECT_EQ(screenRedraws, 2);
  EXPECT_TRUE(questions.empty());
  EXPECT_TRUE(errors.empty());

  // Cancelling changes nothing, not even the screen.
  answer.clear();
  EXPECT_FALSE(SaveWmfFile(kMainWindowExport, SimpleTarget(), nullptr));
  EXPECT_EQ(screenRedraws, 2);

  // The dialog asked about "kurve"; replacing "kurve.wmf" needs its own yes.
  WriteBytes(dir.File("kurve.wmf"), "old");
  answer = Path("kurve");
  replace = false;
  EXPECT_FALSE(SaveWmfFile(kMainWindowExport, SimpleTarget(), nullptr));
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_TRUE(questions[0].contains("kurve.wmf"));
  EXPECT_EQ(ReadBytes(dir.File("kurve.wmf")), "old");
  replace = true;
  EXPECT_TRUE(SaveWmfFile(kMainWindowExport, SimpleTarget(), nullptr));
  EXPECT_NE(ReadBytes(dir.File("kurve.wmf")), "old");
}

// A write-protected file would be replaced by the rename that ends a save; it is
// refused before anything is asked. (Permission bits do not stop root, hence the hook.)
TEST_F(ExportTest, AWriteProtectedFileIsRefusedAndKept) {
  static std::string protectedFile;
  protectedFile = dir.File("kurve.wmf");
  WriteBytes(protectedFile, "old");
  AccessFile = [](const char* path, int mode) {
    if (path == protectedFile && (mode & W_OK)) {
      errno = EACCES;
      return -1;
    }
    return ::access(path, mode);
  };
  replace = true;
  for (const char* typed : {"kurve", "kurve.wmf"}) {
    errors.clear();
    answer = Path(typed);
    EXPECT_FALSE(SaveWmfFile(kMainWindowExport, SimpleTarget(), nullptr)) << typed;
    EXPECT_EQ(errors, std::vector<QString>{QStringLiteral("Die Datei „%1“ ist schreibgeschützt und "
                                                          "wird nicht ersetzt.")
                                               .arg(Path("kurve.wmf"))});
  }
  EXPECT_TRUE(questions.empty());
  EXPECT_EQ(ReadBytes(protectedFile), "old");
  answer = Path("andere.wmf");  // another file is written as before
  EXPECT_TRUE(SaveWmfFile(kMainWindowExport, SimpleTarget(), nullptr));
}

// The sequences window's file button. Its JPEG is the window's own off-screen
// bitmap, redrawn with DrawCanvas on it, on the background colour.
TEST_F(ExportTest, SequenceWindowWritesMetafileOrJpeg) {
  Farben::Hintergrund = RGB(200, 230, 255);
  QImage bitmap(400, 300, QImage::Format_RGB32);
  bitmap.fill(Qt::black);  // what the screen left; the export paints over it
  ExportTarget target = SimpleTarget();
  target.bitmap = &bitmap;
  target.redraw = [this] {
    seen = DrawingState::Now();
    ASSERT_NE(DrawCanvas, nullptr);
    DrawCanvas->pen.color = RGB(255, 0, 0);
    DrawCanvas->brush = {RGB(255, 0, 0), BrushStyle::Solid};
    DrawCanvas->Rectangle(100, 100, 200, 150);
  };
  DrawCanvas = nullptr;
  answer = Path("folge.WMF");
  EXPECT_TRUE(SaveWmfOrJpeg(kAnalysisWindowExport, target, nullptr));
  EXPECT_EQ(titles.back(), "Erstellte Grafik speichern");
  EXPECT_EQ(filters.back(),
            "Windows Metadatei (*.wmf);;JPEG-Datei (*.jpg);;PNG-Bild (*.png);;"
            "SVG-Grafik (*.svg);;PDF-Dokument (*.pdf)");
  const WmfFile f = ReadWmf(ReadBytes(dir.File("folge.WMF")));
  EXPECT_EQ(f.error, "");
  EXPECT_EQ(f.right, 802);
  EXPECT_EQ(f.Count(0x041B), 1);              // the rectangle
  EXPECT_EQ(qGray(bitmap.pixel(10, 10)), 0);  // a metafile leaves the bitmap alone

  auto near = [](QColor a, QColor b) {
    return std::abs(a.red() - b.red()) <= 12 && std::abs(a.green() - b.green()) <= 12 &&
           std::abs(a.blue() - b.blue()) <= 12;
  };
  const QColor background(200, 230, 255);
  struct Case {
    const char* chosen;
    const char* written;
    QImage* bitmap;
  } cases[] = {{"folge.jpg", "folge.jpg", &bitmap},
               {"ohne", "ohne.jpg", nullptr}};  // no bitmap: one stands in
  answerFilter = "JPEG-Datei (*.jpg)";
  for (const Case& c : cases) {
    target.bitmap = c.bitmap;
    answer = Path(c.chosen);
    seen = {};
    ASSERT_TRUE(SaveWmfOrJpeg(kAnalysisWindowExport, target, nullptr)) << c.chosen;
    EXPECT_TRUE(seen.exportDrawing);
    EXPECT_EQ(seen.width, 400);
    EXPECT_EQ(seen.height, 300);
    EXPECT_EQ(seen.lineScale, 1.0);
    EXPECT_EQ(DrawCanvas, nullptr);
    EXPECT_FALSE(ExportDrawing);
    const QImage back = DecodeJpeg(ReadBytes(dir.File(c.written)));
    ASSERT_EQ(back.size(), QSize(400, 300)) << c.chosen;
    EXPECT_TRUE(near(back.pixelColor(150, 125), QColor(255, 0, 0))) << c.chosen;
    for (const QPoint corner : {QPoint(5, 5), QPoint(394, 294)})
      EXPECT_TRUE(near(back.pixelColor(corner), background)) << c.chosen;
  }
  EXPECT_TRUE(near(bitmap.pixelColor(150, 125), QColor(255, 0, 0)));
  EXPECT_FALSE(QFile::exists(Path("folge.png")));

  // With the PNG filter the name is kept and the picture is four times the
  // screen, not the bitmap; the bitmap is left alone.
  bitmap.fill(Qt::black);
  answerFilter = "PNG-Bild (*.png)";
  answer = Path("folge.png");
  ASSERT_TRUE(SaveWmfOrJpeg(kAnalysisWindowExport, target, nullptr));
  const QImage png(Path("folge.png"));
  EXPECT_EQ(png.size(), QSize(401 * 4, 301 * 4));
  EXPECT_TRUE(near(png.pixelColor(150, 125), QColor(255, 0, 0)));
  EXPECT_TRUE(near(png.pixelColor(5, 5), background));
  EXPECT_EQ(qGray(bitmap.pixel(150, 125)), 0);
  EXPECT_EQ(screenRedraws, 4);
  EXPECT_TRUE(errors.empty());
}

TEST_F(ExportTest, FailedSavesSayWhy) {
  struct Case {
    const char* what;
    int renameErrno;  // 0: the real file system decides
    const char* path;
    const char* reason;
  } cases[] = {
      {"missing folder", 0, "fehlt/kurve.wmf", "Der Ordner existiert nicht."},
      {"read-only", EROFS, "kurve.wmf", "schreibgeschützt"},
      {"full disk", ENOSPC, "kurve.wmf", "kein Platz"},
  };
  static int renameErrno = 0;
  for (const Case& c : cases) {
    errors.clear();
    renameErrno = c.renameErrno;
    if (c.renameErrno)
      RenameFile = [](const char*, const char*) {
        errno = renameErrno;
        return -1;
      };
    DrawCanvas = reinterpret_cast<Canvas*>(0x99);
    const DrawingState before = DrawingState::Now();
    const int redraws = screenRedraws;
    EXPECT_FALSE(WriteWmfFile(kMainWindowExport, SimpleTarget(), Path(c.path), nullptr)) << c.what;
    ASSERT_EQ(errors.size(), 1u) << c.what;
    EXPECT_TRUE(errors[0].contains(c.reason)) << errors[0].toStdString();
    EXPECT_TRUE(errors[0].contains("konnte nicht gespeichert werden")) << c.what;
    EXPECT_TRUE(DrawingState::Now() == before) << c.what;
    EXPECT_EQ(screenRedraws, redraws + 1);
    RenameFile = &std::rename;
  }
  EXPECT_FALSE(QFile::exists(Path("kurve.wmf")));
  QString why;
  EXPECT_FALSE(WriteJpeg(QImage(), Path("leer.jpg"), &why));
  EXPECT_FALSE(why.isEmpty());
}

TEST_F(ExportTest, ClipboardHoldsMetafileSvgAndPng) {
  QFont font("Arial");
  font.setPointSize(8);
  box.setFont(font);
  EXPECT_TRUE(CopyWmfToClipboard(kMainWindowExport, SimpleTarget()));
  EXPECT_EQ(screenRedraws, 1);
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(mime, nullptr);
  for (const char* type : kWmfMimeTypes) {
    ASSERT_TRUE(mime->hasFormat(type)) << type;
    const QByteArray data = mime->data(type);
    const WmfFile f = ReadWmf(std::string(data.constData(), data.size()));
    EXPECT_EQ(f.error, "");
    EXPECT_EQ(f.right, 1604);
  }
  ASSERT_TRUE(mime->hasFormat("image/png"));
  const QImage png = QImage::fromData(mime->data("image/png"), "PNG");
  EXPECT_EQ(png.size(), QSize(802, 602));
  ASSERT_TRUE(mime->hasFormat("image/svg+xml"));
  const QByteArray svg = mime->data("image/svg+xml");
  EXPECT_TRUE(svg.contains("<svg"));
  EXPECT_TRUE(svg.contains("viewBox=\"0 0 1604 1204\""));
}

TEST_F(ExportTest, JpegKeepsSizeAndPixels) {
  QImage picture(321, 203, QImage::Format_RGB32);
  picture.fill(Qt::white);
  {
    QPainter p(&picture);
    p.setPen(QPen(Qt::red, 1));
    p.drawLine(0, 100, 320, 100);
    p.setPen(QPen(Qt::blue, 2));
    p.drawEllipse(50, 20, 120, 160);
    p.drawText(200, 50, "f(x) = x³");
  }
  ASSERT_TRUE(WriteJpeg(picture, Path("bild.jpg")));
  const QImage back = DecodeJpeg(ReadBytes(dir.File("bild.jpg")));
  ASSERT_EQ(back.size(), picture.size());
  int worst = 0;
  double total = 0;
  for (int y = 0; y < back.height(); ++y)
    for (int x = 0; x < back.width(); ++x) {
      const QColor a = picture.pixelColor(x, y), b = back.pixelColor(x, y);
      const int d = std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                              std::abs(a.blue() - b.blue())});
      worst = std::max(worst, d);
      total += d;
    }
  EXPECT_LE(worst, 24);
  EXPECT_LT(total / (back.width() * back.height()), 1.0);
}

TEST_F(ExportTest, TextWidthsMatchLiberationSans) {
  QFont font("Liberation Sans");
  font.setPixelSize(1000);
  if (QFontInfo(font).family() != "Liberation Sans") GTEST_SKIP() << "no Liberation Sans";
  const QFontMetricsF metrics(font);
  WmfCanvas canvas(100, 100, 1.0);
  canvas.font.size = 750;  // 1000 units
  for (const char* text : {"x", "y", "f(x) = 0,5x^2 - 3", "Wendepunkt", "ÄÖÜäöüß", "-12,25"}) {
    const double expected = metrics.horizontalAdvance(QString::fromUtf8(text));
    EXPECT_NEAR(canvas.TextWidth(text), expected, expected * 0.01 + 2) << text;
  }
  EXPECT_NEAR(canvas.TextHeight("X"), metrics.ascent() + metrics.descent(), 20);
}

// The main window with its own redraw: x^3-3x, its derivative and a tangent.
class MainWindowExportTest : public ExportTest {
 protected:
  void SetUp() override {
    ExportTest::SetUp();
    DecimalSeparator = ',';
    TermFxtab = "x^3-3x";
    form = std::make_unique<TForm1>();
    form->resize(1000, 700);
    form->show();
    QApplication::processEvents();
    x1 = -7, x2 = 7, y1 = -7, y2 = 7;
    form->darstellen2();
    form->darstellen();
  }
  void TearDown() override {
    form.reset();
    MainTerm.reset();
    ExportTest::TearDown();
  }
  ExportTarget Target() {
    return {[this] {
              form->darstellen2();
              form->darstellen();
            },
            [this] {
              ++screenRedraws;
              form->darstellen2();
              form->darstellen();
            },
            form->paintBox};
  }
  std::unique_ptr<TForm1> form;
};

TEST_F(MainWindowExportTest, Wmf2svgFindsAxesTickAndCurve) {
  if (!testing::HaveWmf2svg()) GTEST_SKIP() << "no wmf2svg";
  ShowDerivative = true;
  form->ShowTangent = true;
  PointX0 = 2;
  const int w = form->paintBox->width(), h = form->paintBox->height();
  answer = Path("kurve");
  ASSERT_TRUE(SaveWmfFile(kMainWindowExport, Target(), form.get()));
  const std::string wmf = ReadBytes(dir.File("kurve.wmf"));
  const WmfFile f = ReadWmf(wmf);
  ASSERT_EQ(f.error, "");
  const int W = (w + 1) * 4, H = (h + 1) * 4;
  ASSERT_EQ(f.right, W);
  ASSERT_EQ(f.bottom, H);
  if (const QByteArray out = qgetenv("KURVIO_WMF_DIR"); !out.isEmpty())
    WriteBytes(out.toStdString() + "/kurve.wmf", wmf);

  bool ok = false;
  const std::string svg = testing::Wmf2svg(wmf, W, H, ok);
  ASSERT_TRUE(ok);
  // The axes span the picture; wmf2svg maps it by an offset and a scale.
  const std::vector<SvgLine> lines = testing::SvgLines(svg);
  ASSERT_FALSE(lines.empty());
  auto longest = [&](bool horizontal) {
    SvgLine best{};
    double length = -1;
    for (const SvgLine& l : lines) {
      const bool isHorizontal = std::fabs(l.y1 - l.y2) < 0.01;
      const bool isVertical = std::fabs(l.x1 - l.x2) < 0.01;
      const double d = horizontal ? std::fabs(l.x2 - l.x1) : std::fabs(l.y2 - l.y1);
      if ((horizontal ? isHorizontal : isVertical) && d > length) length = d, best = l;
    }
    return best;
  };
  const SvgLine xAxis = longest(true), yAxis = longest(false);
  auto toX = [&](double sx) {
    return (sx - std::min(xAxis.x1, xAxis.x2)) / std::fabs(xAxis.x2 - xAxis.x1) * W;
  };
  auto toY = [&](double sy) {
    return (sy - std::min(yAxis.y1, yAxis.y2)) / std::fabs(yAxis.y2 - yAxis.y1) * H;
  };

  // Coordinates the export drew with.
  PlotWidth = W, PlotHeight = H;
  const double axisRow = ScreenY(0), axisColumn = ScreenX(0), tickColumn = ScreenX(1);
  const double bottomOfMinimum = ScreenY(-2);
  const double tickHalf = 16;  // Scaled(4)
  EXPECT_NEAR(toY(xAxis.y1), axisRow, 1.0);
  EXPECT_NEAR(toX(yAxis.x1), axisColumn, 1.0);

  bool tick = false;
  for (const SvgLine& l : lines)
    if (std::fabs(toX(l.x1) - tickColumn) < 1.5 && std::fabs(toX(l.x2) - tickColumn) < 1.5 &&
        std::fabs(std::fabs(toY(l.y2) - toY(l.y1)) - 2 * tickHalf) < 1.5)
      tick = true;
  EXPECT_TRUE(tick) << "no tick at x = 1";

  // The curve passes its minimum (1, -2).
  bool minimum = false;
  for (const std::string& list : testing::SvgAttributes(svg, "polyline", "points")) {
    const std::vector<double> n = testing::SvgNumbers(list);
    for (std::size_t i = 0; i + 1 < n.size(); i += 2)
      if (std::fabs(toX(n[i]) - tickColumn) < 2.5 &&
          std::fabs(toY(n[i + 1]) - bottomOfMinimum) < 1.5)
        minimum = true;
  }
  EXPECT_TRUE(minimum) << "the curve misses (1, -2)";
  ShowDerivative = false;
}

TEST_F(MainWindowExportTest, ClipboardPicturesMatchTheWindow) {
  ShowDerivative = true;
  ASSERT_TRUE(CopyWmfToClipboard(kMainWindowExport, Target()));
  ShowDerivative = false;
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(mime, nullptr);
  const QSize box = form->paintBox->size();
  const QImage png = QImage::fromData(mime->data("image/png"), "PNG");
  EXPECT_EQ(png.size(), (box + QSize(1, 1)) * 2);
  // The curve's minimum (1, -2) is drawn in the PNG too.
  PlotWidth = png.width(), PlotHeight = png.height();
  bool dark = false;
  for (int dy = -3; dy <= 3; ++dy)
    dark = dark || qGray(png.pixel(ScreenX(1), ScreenY(-2) + dy)) < 100;
  EXPECT_TRUE(dark);
  if (const QByteArray out = qgetenv("KURVIO_WMF_DIR"); !out.isEmpty()) {
    QFile svg(out + "/clipboard.svg");
    if (svg.open(QIODevice::WriteOnly)) svg.write(mime->data("image/svg+xml"));
    png.save(out + "/clipboard.png");
  }
}

struct AxisMeasure {
  int row = -1;
  int left = 0;
  int length = 0;  // pixels
};

// The x-axis: the longest dark horizontal run of a band of two rows (a thin
// line may fall between two rows), taken on over short gaps where a label's
// box covers it.
AxisMeasure LongestRun(const QImage& page) {
  auto dark = [&](int x, int y) {
    return std::min(page.constScanLine(y)[x], page.constScanLine(y + 1)[x]) < 128;
  };
  AxisMeasure best;
  for (int y = 0; y + 1 < page.height(); ++y) {
    int run = 0;
    for (int x = 0; x <= page.width(); ++x) {
      if (x < page.width() && dark(x, y)) {
        ++run;
        continue;
      }
      if (run > best.length) best = {y, x - run, run};
      run = 0;
    }
  }
  if (best.row < 0) return best;
  constexpr int kGap = 60;
  int right = best.left + best.length - 1;
  for (int x = right + 1; x < page.width() && x - right <= kGap; ++x)
    if (dark(x, best.row)) right = x;
  int left = best.left;
  for (int x = left - 1; x >= 0 && left - x <= kGap; --x)
    if (dark(x, best.row)) left = x;
  return {best.row, left, right - left + 1};
}

// The darkness summed across the line at one column: its width in pixels.
double InkAcross(const QImage& page, int column, int row) {
  double ink = 0;
  for (int y = row - 12; y <= row + 12; ++y) ink += (255 - qGray(page.pixel(column, y))) / 255.0;
  return ink;
}

TEST_F(MainWindowExportTest, PrintsToScaleOnPdf) {
  if (!testing::HavePdftoppm()) GTEST_SKIP() << "no pdftoppm";
  constexpr int kDpi = 600;
  struct Case {
    int percent;
    double centimetres;
  } cases[] = {{100, 14.0}, {50, 7.0}};
  double ink[2] = {0, 0};
  for (int i = 0; i < 2; ++i) {
    DruckenProzent = cases[i].percent;
    const std::string pdf = dir.File("druck" + std::to_string(i) + ".pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf));
    DrawCanvas = reinterpret_cast<Canvas*>(0x42);
    const DrawingState before = DrawingState::Now();
    ASSERT_TRUE(PrintGraphic(kMainWindowExport, Target(), printer));
    EXPECT_TRUE(DrawingState::Now() == before);
    EXPECT_EQ(screenRedraws, i + 1);
    EXPECT_TRUE(errors.empty());
    if (const QByteArray out = qgetenv("KURVIO_PDF_DIR"); !out.isEmpty())
      QFile::copy(QString::fromStdString(pdf), out + "/druck" + QString::number(i) + ".pdf");
    const QImage page = RasterisePdf(pdf, kDpi, dir.File("seite" + std::to_string(i)));
    ASSERT_FALSE(page.isNull());
    const AxisMeasure axis = LongestRun(page);
    const double cm = axis.length / (kDpi / 2.54);
    EXPECT_NEAR(cm, cases[i].centimetres, 0.05) << cases[i].percent << " %";
    // Between the ticks at 0.5 (away from the y-axis and the curve).
    ink[i] = InkAcross(page, axis.left + static_cast<int>(axis.length * 7.5 / 14), axis.row);
  }
  // 0.2 mm at 100 per cent, half of it at 50.
  EXPECT_NEAR(ink[0], 0.2 / 25.4 * kDpi, 0.8);
  EXPECT_NEAR(ink[1] / ink[0], 0.5, 0.1);
}

TEST_F(MainWindowExportTest, FailedOrBusyPrintingDrawsNothing) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(Path("fehlt/druck.pdf"));
  EXPECT_FALSE(PrintGraphic(kMainWindowExport, Target(), printer));
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_TRUE(errors[0].startsWith("Die Grafik konnte nicht gedruckt werden."));
  EXPECT_EQ(screenRedraws, 1);

  // A print started from within a running print does nothing at all.
  errors.clear();
  QPrinter inner(QPrinter::HighResolution);
  inner.setOutputFormat(QPrinter::PdfFormat);
  inner.setOutputFileName(Path("innen.pdf"));
  bool innerResult = true;
  ExportTarget target = Target();
  const auto redraw = target.redraw;
  target.redraw = [&] {
    innerResult = PrintGraphic(kMainWindowExport, Target(), inner);
    redraw();
  };
  QPrinter outer(QPrinter::HighResolution);
  outer.setOutputFormat(QPrinter::PdfFormat);
  outer.setOutputFileName(Path("aussen.pdf"));
  EXPECT_TRUE(PrintGraphic(kMainWindowExport, target, outer));
  EXPECT_FALSE(innerResult);
  EXPECT_FALSE(QFile::exists(Path("innen.pdf")));
  EXPECT_TRUE(QFile::exists(Path("aussen.pdf")));
  EXPECT_TRUE(errors.empty());
}

TEST_F(MainWindowExportTest, MetafileFilterWritesTheMetafileAsBefore) {
  answer = Path("kurve.bmp");  // no extension of a format offered: the filter's is appended
  answerFilter = "Windows Metadatei (*.wmf)";
  ASSERT_TRUE(SaveWmfFile(kMainWindowExport, Target(), form.get()));
  EXPECT_FALSE(QFileInfo::exists(Path("kurve.bmp")));
  EXPECT_EQ(ReadBytes(dir.File("kurve.bmp.wmf")), RenderWmf(kMainWindowExport, Target()));
}

// Whether a pixel within `reach` rows of (x, y) is dark.
bool DarkNear(const QImage& image, int x, int y, int reach) {
  for (int dy = -reach; dy <= reach; ++dy)
    if (image.valid(x, y + dy) && qGray(image.pixel(x, y + dy)) < 100) return true;
  return false;
}

TEST_F(MainWindowExportTest, FileButtonWritesPngSvgAndPdf) {
  const QSize box = form->paintBox->size();
  const int W = (box.width() + 1) * 4, H = (box.height() + 1) * 4;
  struct Case {
    const char* typed;
    const char* filter;
    const char* written;
  } cases[] = {{"bild", "PNG-Bild (*.png)", "bild.png"},
               {"bild.SVG", "SVG-Grafik (*.svg)", "bild.SVG"},
               {"bild.v2", "PDF-Dokument (*.pdf)", "bild.v2.pdf"}};
  const DrawingState before = DrawingState::Now();
  for (const Case& c : cases) {
    answer = Path(c.typed);
    answerFilter = c.filter;
    ASSERT_TRUE(SaveWmfFile(kMainWindowExport, Target(), form.get())) << c.filter;
    EXPECT_TRUE(QFileInfo::exists(Path(c.written))) << c.written;
  }
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(screenRedraws, 3);
  EXPECT_TRUE(DrawingState::Now() == before);
  if (const QByteArray out = qgetenv("KURVIO_WMF_DIR"); !out.isEmpty())
    for (const Case& c : cases) QFile::copy(Path(c.written), out + "/" + c.written);

  // Where the export drew the x-axis and the curve's minimum (1, -2).
  PlotWidth = W, PlotHeight = H;
  const int axisRow = ScreenY(0), minimumX = ScreenX(1), minimumY = ScreenY(-2);

  // PNG: four times the screen size.
  const QImage png(Path("bild.png"));
  ASSERT_EQ(png.size(), QSize(W, H));
  for (int x : {W / 10, W * 9 / 10}) EXPECT_TRUE(DarkNear(png, x, axisRow, 2)) << x;
  EXPECT_TRUE(DarkNear(png, minimumX, minimumY, 4));

  // SVG: a vector picture at the metafile's scale.
  const testing::SvgPicture svg = testing::ReadSvg(ReadBytes(dir.File("bild.SVG")));
  ASSERT_EQ(svg.error, "");
  EXPECT_EQ(svg.viewBox, QStringLiteral("0 0 %1 %2").arg(W).arg(H));
  // The x-axis among the lines across the picture (the grid's are the others).
  const std::vector<double> across = testing::SvgHorizontalLines(svg, W - 1);
  EXPECT_EQ(std::count_if(across.begin(), across.end(),
                          [&](double row) { return std::abs(row - axisRow) <= 1.0; }),
            1);
  EXPECT_TRUE(testing::SvgPassesNear(svg, QPointF(minimumX, minimumY), 3.0));

  // PDF: one page of the picture's size (to the point, which is 5.3 pixels
  // here); at the metafile's 384 pixels per inch it shows the picture pixel
  // for pixel.
  if (!testing::HavePdftoppm()) GTEST_SKIP() << "no pdftoppm";
  const QImage page = RasterisePdf(dir.File("bild.v2.pdf"), 384, dir.File("seite"));
  ASSERT_FALSE(page.isNull());
  EXPECT_NEAR(page.width(), W, 6);
  EXPECT_NEAR(page.height(), H, 6);
  // The grid's lines are as long as the axis.
  bool axis = false;
  for (const testing::DarkRun& line : testing::HorizontalLines(page, W * 9 / 10))
    axis = axis || std::abs(line.row - axisRow) <= 3;
  EXPECT_TRUE(axis);
  EXPECT_TRUE(DarkNear(page.convertToFormat(QImage::Format_RGB32), minimumX, minimumY, 4));
}

}  // namespace
}  // namespace kurvio
