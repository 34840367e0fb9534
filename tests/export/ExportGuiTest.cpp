// The export routine on the main window: metafile files and their names, the
// clipboard, printing to Qt's PDF output, JPEG, PNG, SVG and PDF files, and
// the shared state around every export.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFontMetricsF>
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

bool Near(QColor a, QColor b) {
  return std::abs(a.red() - b.red()) <= 12 && std::abs(a.green() - b.green()) <= 12 &&
         std::abs(a.blue() - b.blue()) <= 12;
}

// Whether a pixel within `reach` rows of (x, y) is dark.
bool DarkNear(const QImage& image, int x, int y, int reach) {
  for (int dy = -reach; dy <= reach; ++dy)
    if (image.valid(x, y + dy) && qGray(image.pixel(x, y + dy)) < 100) return true;
  return false;
}

class ExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgramDir = dir.Dir();
    UserDir = dir.Dir();
    SetDefaultSettings();
    box.resize(400, 300);
    LastPictureFormat = PictureFormat::Wmf;
    AskSaveFileName = [this](QWidget*, const QString&, const QString&, QString& selected) {
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
  QString Path(const std::string& name) const { return QString::fromStdString(dir.File(name)); }

  TempDir dir;
  QWidget box;
  QString answer;
  QString answerFilter;  // the filter the user picks; the first one when empty
  bool replace = false;
  std::vector<QString> opensWith, questions, errors;
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
    SCOPED_TRACE(c.width);
    DrawCanvas = reinterpret_cast<Canvas*>(0x1234);
    PlotWidth = 17, PlotHeight = 19, LineScale = 1.0, ExportDrawing = false;
    const DrawingState before = DrawingState::Now();
    const WmfFile f = ReadWmf(RenderWmf(c.variant, SimpleTarget()));
    ASSERT_EQ(f.error, "");
    EXPECT_EQ((std::vector{f.right, f.bottom, f.inch, seen.width, seen.height}),
              (std::vector{c.width, c.height, c.inch, c.width, c.height}));
    EXPECT_EQ(seen.lineScale, c.lineScale);
    EXPECT_TRUE(seen.exportDrawing);
    const auto texts = f.Ops(0x0521);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0].font->FontHeight(), c.fontHeight);
    EXPECT_EQ(texts[0].font->FontFace(), "Arial");
    EXPECT_TRUE(DrawingState::Now() == before);
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
    SCOPED_TRACE(c.typed);
    answer = Path(c.typed);
    answerFilter = c.filter;
    opensWith.clear();
    EXPECT_TRUE(c.sequences ? SaveWmfOrJpeg(kAnalysisWindowExport, target, nullptr)
                            : SaveWmfFile(kMainWindowExport, target, nullptr));
    EXPECT_EQ(opensWith, std::vector<QString>{c.opensWith});
    EXPECT_LE(ReadBytes(dir.File(c.written)).find(c.magic), c.within) << c.written;
  }
  int files = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.Dir())) ++files;
  EXPECT_EQ(files, static_cast<int>(std::size(cases)));
  EXPECT_TRUE(errors.empty());
  EXPECT_TRUE(questions.empty());
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
  for (const char* typed : {"kurve", "kurve.wmf"}) {
    errors.clear();
    answer = Path(typed);
    EXPECT_FALSE(SaveWmfFile(kMainWindowExport, SimpleTarget(), nullptr)) << typed;
    EXPECT_EQ(errors, std::vector<QString>{QStringLiteral("Die Datei „%1“ ist schreibgeschützt und "
                                                          "wird nicht ersetzt.")
                                               .arg(Path("kurve.wmf"))});
  }
  EXPECT_EQ(questions.size(), 1u);
  EXPECT_EQ(ReadBytes(protectedFile), "old");
  AccessFile = &::access;
  EXPECT_TRUE(SaveWmfFile(kMainWindowExport, SimpleTarget(), nullptr));
  EXPECT_EQ(ReadWmf(ReadBytes(protectedFile)).error, "");
}

// The sequences window's file button. Its JPEG is the window's own off-screen
// bitmap, redrawn with DrawCanvas on it, on the background colour; its PNG is
// four times the screen, and a metafile leaves the bitmap alone.
TEST_F(ExportTest, SequenceWindowWritesMetafileJpegOrPng) {
  Farben::Hintergrund = RGB(200, 230, 255);
  const QColor background(200, 230, 255), red(255, 0, 0);
  QImage bitmap(400, 300, QImage::Format_RGB32);
  bitmap.fill(Qt::black);  // what the screen left; the export paints over it
  ExportTarget target = SimpleTarget();
  target.redraw = [this] {
    seen = DrawingState::Now();
    ASSERT_NE(DrawCanvas, nullptr);
    DrawCanvas->pen.color = RGB(255, 0, 0);
    DrawCanvas->brush = {RGB(255, 0, 0), BrushStyle::Solid};
    DrawCanvas->Rectangle(100, 100, 200, 150);
  };
  struct Case {
    const char* chosen;
    const char* filter;
    bool bitmap;  // without one, one stands in
    const char* written;
    QSize size;
  } cases[] = {{"folge.WMF", "", true, "folge.WMF", {802, 602}},
               {"folge.jpg", "JPEG-Datei (*.jpg)", true, "folge.jpg", {400, 300}},
               {"ohne", "JPEG-Datei (*.jpg)", false, "ohne.jpg", {400, 300}},
               {"folge.png", "PNG-Bild (*.png)", true, "folge.png", {401 * 4, 301 * 4}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chosen);
    bitmap.fill(Qt::black);
    target.bitmap = c.bitmap ? &bitmap : nullptr;
    answer = Path(c.chosen);
    answerFilter = c.filter;
    seen = {};
    ASSERT_TRUE(SaveWmfOrJpeg(kAnalysisWindowExport, target, nullptr));
    EXPECT_TRUE(seen.exportDrawing);
    EXPECT_EQ(DrawCanvas, nullptr);
    EXPECT_FALSE(ExportDrawing);
    const std::string bytes = ReadBytes(dir.File(c.written));
    const bool jpeg = QString(c.filter).startsWith("JPEG");
    if (jpeg && c.bitmap)
      EXPECT_TRUE(Near(bitmap.pixelColor(150, 125), red));
    else
      EXPECT_EQ(qGray(bitmap.pixel(150, 125)), 0);
    if (QString(c.written).endsWith("WMF")) {
      const WmfFile f = ReadWmf(bytes);
      EXPECT_EQ(f.error, "");
      EXPECT_EQ(f.right, c.size.width());
      EXPECT_EQ(f.Count(0x041B), 1);  // the rectangle
      continue;
    }
    if (jpeg) {
      EXPECT_EQ((std::vector{seen.width, seen.height}), (std::vector{400, 300}));
      EXPECT_EQ(seen.lineScale, 1.0);
    }
    const QImage back = jpeg ? DecodeJpeg(bytes) : QImage(Path(c.written));
    ASSERT_EQ(back.size(), c.size);
    EXPECT_TRUE(Near(back.pixelColor(150, 125), red));
    for (const QPoint corner : {QPoint(5, 5), QPoint(394, 294)})
      EXPECT_TRUE(Near(back.pixelColor(corner), background));
  }
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
    SCOPED_TRACE(c.what);
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
    EXPECT_FALSE(WriteWmfFile(kMainWindowExport, SimpleTarget(), Path(c.path), nullptr));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].contains(c.reason)) << errors[0].toStdString();
    EXPECT_TRUE(errors[0].contains("konnte nicht gespeichert werden"));
    EXPECT_TRUE(DrawingState::Now() == before);
    EXPECT_EQ(screenRedraws, redraws + 1);
    RenameFile = &std::rename;
  }
  EXPECT_FALSE(QFile::exists(Path("kurve.wmf")));
  QString why;
  EXPECT_FALSE(WriteJpeg(QImage(), Path("leer.jpg"), &why));
  EXPECT_FALSE(why.isEmpty());
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
    ShowDerivative = true;
    form->ShowTangent = true;
    PointX0 = 2;
    form->darstellen2();
    form->darstellen();
  }
  void TearDown() override {
    form.reset();
    MainTerm.reset();
    ShowDerivative = false;
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

// Every format of the file button and the clipboard holds the x-axis, a tick
// at x = 1 or the curve's minimum (1, -2) where the export drew them.
TEST_F(MainWindowExportTest, EveryFormatHoldsTheAxisAndTheCurvesMinimum) {
  const int W = (form->paintBox->width() + 1) * 4, H = (form->paintBox->height() + 1) * 4;
  const struct {
    const char* typed;
    const char* filter;
  } cases[] = {{"kurve", ""},
               {"bild", "PNG-Bild (*.png)"},
               {"bild.SVG", "SVG-Grafik (*.svg)"},
               {"bild.v2", "PDF-Dokument (*.pdf)"}};
  const DrawingState before = DrawingState::Now();
  for (const auto& c : cases) {
    answer = Path(c.typed);
    answerFilter = c.filter;
    ASSERT_TRUE(SaveWmfFile(kMainWindowExport, Target(), form.get())) << c.typed;
  }
  ASSERT_TRUE(CopyWmfToClipboard(kMainWindowExport, Target()));
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(screenRedraws, 5);
  EXPECT_TRUE(DrawingState::Now() == before);
  PlotWidth = W, PlotHeight = H;  // the coordinates the export drew with
  const int axisRow = ScreenY(0), minimumX = ScreenX(1), minimumY = ScreenY(-2);

  const std::string wmf = ReadBytes(dir.File("kurve.wmf"));
  const WmfFile f = ReadWmf(wmf);
  ASSERT_EQ(f.error, "");
  ASSERT_EQ((std::vector{f.right, f.bottom}), (std::vector{W, H}));
  bool axis = false, tick = false, minimum = false;
  for (const testing::WmfOp& op : f.ops) {
    const auto& p = op.points;
    const bool line = (op.function == 0x0213 || op.function == 0x0325) && p.size() == 2;
    axis = axis || (line && std::abs(p[0].y - axisRow) <= 1 && p[0].y == p[1].y &&
                    std::abs(p[1].x - p[0].x) > W / 2);
    tick = tick || (line && std::abs(p[0].x - minimumX) <= 1 && p[0].x == p[1].x &&
                    std::abs(std::abs(p[1].y - p[0].y) - 32) <= 1);  // Scaled(4) each side
    for (const testing::WmfPoint& q : p)
      minimum = minimum || (op.function == 0x0325 && std::abs(q.x - minimumX) <= 2 &&
                            std::abs(q.y - minimumY) <= 1);
  }
  EXPECT_TRUE(axis);
  EXPECT_TRUE(tick) << "no tick at x = 1";
  EXPECT_TRUE(minimum) << "the curve misses (1, -2)";
  if (testing::HaveWmf2svg()) {
    bool ok = false;
    testing::Wmf2svg(wmf, W, H, ok);
    EXPECT_TRUE(ok);
  }

  const QImage png(Path("bild.png"));  // four times the screen size
  ASSERT_EQ(png.size(), QSize(W, H));
  for (int x : {W / 10, W * 9 / 10}) EXPECT_TRUE(DarkNear(png, x, axisRow, 2)) << x;
  EXPECT_TRUE(DarkNear(png, minimumX, minimumY, 4));

  // SVG: a vector picture at the metafile's scale; the x-axis among the lines
  // across the picture (the grid's are the others).
  const testing::SvgPicture svg = testing::ReadSvg(ReadBytes(dir.File("bild.SVG")));
  ASSERT_EQ(svg.error, "");
  EXPECT_EQ(svg.viewBox, QStringLiteral("0 0 %1 %2").arg(W).arg(H));
  const std::vector<double> across = testing::SvgHorizontalLines(svg, W - 1);
  EXPECT_EQ(std::count_if(across.begin(), across.end(),
                          [&](double row) { return std::abs(row - axisRow) <= 1.0; }),
            1);
  EXPECT_TRUE(testing::SvgPassesNear(svg, QPointF(minimumX, minimumY), 3.0));

  // The clipboard: the metafile under each of its types, the SVG, and a PNG at half the size.
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(mime, nullptr);
  for (const char* type : kWmfMimeTypes) {
    const QByteArray data = mime->data(type);
    const WmfFile copy = ReadWmf(std::string(data.constData(), data.size()));
    EXPECT_EQ(copy.error, "") << type;
    EXPECT_EQ(copy.right, W) << type;
  }
  EXPECT_TRUE(mime->data("image/svg+xml")
                  .contains(QStringLiteral("viewBox=\"0 0 %1 %2\"").arg(W).arg(H).toUtf8()));
  const QImage copied = QImage::fromData(mime->data("image/png"), "PNG");
  ASSERT_EQ(copied.size(), QSize(W / 2, H / 2));
  EXPECT_TRUE(DarkNear(copied, minimumX / 2, minimumY / 2, 3));

  // PDF: one page of the picture's size (to the point, 5.3 pixels here); at
  // the metafile's 384 pixels per inch it shows the picture pixel for pixel.
  if (!testing::HavePdftoppm()) GTEST_SKIP() << "no pdftoppm";
  const QImage page = RasterisePdf(dir.File("bild.v2.pdf"), 384, dir.File("seite"));
  ASSERT_FALSE(page.isNull());
  EXPECT_NEAR(page.width(), W, 6);
  EXPECT_NEAR(page.height(), H, 6);
  bool pageAxis = false;  // the grid's lines are as long as the axis
  for (const testing::DarkRun& run : testing::HorizontalLines(page, W * 9 / 10))
    pageAxis = pageAxis || std::abs(run.row - axisRow) <= 3;
  EXPECT_TRUE(pageAxis);
  EXPECT_TRUE(DarkNear(page.convertToFormat(QImage::Format_RGB32), minimumX, minimumY, 4));
}

// The x-axis: the longest dark horizontal line, taken on over the short gaps
// where a label's box covers it.
testing::DarkRun LongestRun(const QImage& page) {
  testing::DarkRun best;
  for (const testing::DarkRun& run : testing::HorizontalLines(page, page.width() / 4, 60))
    if (run.length > best.length) best = run;
  return best;
}

TEST_F(MainWindowExportTest, PrintsToScaleOnPdf) {
  if (!testing::HavePdftoppm()) GTEST_SKIP() << "no pdftoppm";
  constexpr int kDpi = 600;
  const struct {
    int percent;
    double centimetres;
  } cases[] = {{100, 14.0}, {50, 7.0}};
  double ink[2] = {0, 0};
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(cases[i].percent);
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
    const QImage page = RasterisePdf(pdf, kDpi, dir.File("seite" + std::to_string(i)));
    ASSERT_FALSE(page.isNull());
    const testing::DarkRun axis = LongestRun(page);
    EXPECT_NEAR(axis.length / (kDpi / 2.54), cases[i].centimetres, 0.05);
    // The darkness summed across the line between the ticks at 0.5 (away
    // from the y-axis and the curve): its width in pixels.
    const int column = axis.left + static_cast<int>(axis.length * 7.5 / 14);
    for (int y = axis.row - 12; y <= axis.row + 12; ++y)
      ink[i] += (255 - qGray(page.pixel(column, y))) / 255.0;
  }
  // 0.2 mm at 100 per cent, half of it at 50.
  EXPECT_NEAR(ink[0], 0.2 / 25.4 * kDpi, 0.8);
  EXPECT_NEAR(ink[1] / ink[0], 0.5, 0.1);
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
  target.redraw = [&, redraw = target.redraw] {
    innerResult = PrintGraphic(kMainWindowExport, Target(), *inner);
    redraw();
  };
  EXPECT_TRUE(PrintGraphic(kMainWindowExport, target, *pdfPrinter("aussen.pdf")));
  EXPECT_FALSE(innerResult);
  EXPECT_FALSE(QFile::exists(Path("innen.pdf")));
  EXPECT_TRUE(QFile::exists(Path("aussen.pdf")));
  EXPECT_TRUE(errors.empty());
}

}  // namespace
}  // namespace kurvio
