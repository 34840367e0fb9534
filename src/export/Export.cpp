// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/Export.h"

#include <unistd.h>

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QMessageBox>
#include <QMimeData>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>
#include <QSvgGenerator>
#include <QTransform>
#include <QWidget>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <exception>
#include <limits>
#include <memory>

#include "export/ExportFile.h"
#include "export/JpegWriter.h"
#include "export/PictureDialog.h"
#include "export/WmfCanvas.h"
#include "export/Worksheet.h"
#include "plot/PlotFrame.h"
#include "plot/PresentationCanvas.h"
#include "plot/QtCanvas.h"
#include "settings/ProgramFiles.h"
#include "settings/ProgramPrinter.h"
#include "settings/Settings.h"

namespace kurvio {

std::function<QString(QWidget*, const QString&, const QString&, const QString&, QString&)>
    AskSaveFileName;
std::function<bool(QWidget*, const QString&)> AskReplaceFile;
std::function<void(QWidget*, const QString&)> ReportExportError;
PictureFormat LastPictureFormat = PictureFormat::Wmf;
WorksheetChoice LastWorksheetChoice;

namespace {

constexpr double kPdfMarginMm = 10;

// Every file button offers today's formats after its own.
const QString kWmfFilter = QStringLiteral(
    "Windows Metadatei (*.wmf)|*.wmf|PNG-Bild (*.png)|*.png|SVG-Grafik (*.svg)|*.svg|"
    "PDF-Dokument (*.pdf)|*.pdf");
const QString kSequenceFilter = QStringLiteral(
    "Windows Metadatei (*.wmf)|*.wmf|JPEG-Datei (*.jpg)|*.jpg|PNG-Bild (*.png)|*.png|"
    "SVG-Grafik (*.svg)|*.svg|PDF-Dokument (*.pdf)|*.pdf");

struct FormatName {
  PictureFormat format;
  const char* pattern;    // as the filter shows it
  const char* extension;  // as the file gets it
  const char* alias;      // another extension that names the format, or ""
};
constexpr FormatName kFormats[] = {{PictureFormat::Wmf, "(*.wmf)", ".wmf", ""},
                                   {PictureFormat::Jpeg, "(*.jpg)", ".jpg", ".jpeg"},
                                   {PictureFormat::Png, "(*.png)", ".png", ""},
                                   {PictureFormat::Svg, "(*.svg)", ".svg", ""},
                                   {PictureFormat::Pdf, "(*.pdf)", ".pdf", ""}};

void ShowError(QWidget* parent, const QString& message) {
  if (ReportExportError) {
    ReportExportError(parent, message);
    return;
  }
  QMessageBox::critical(parent, QStringLiteral("Fehler"), message);
}

bool AskReplace(QWidget* parent, const QString& path) {
  const QString question =
      QStringLiteral("Die Datei „%1“ existiert bereits.\nSoll sie ersetzt werden?")
          .arg(QDir::toNativeSeparators(path));
  if (AskReplaceFile) return AskReplaceFile(parent, question);
  return QMessageBox::question(parent, QStringLiteral("Speichern"), question,
                               QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

// The name the user chose, and in `format` the format of the filter chosen and
// in `worksheet` the worksheet choice. The dialog opens with `name`, the filter
// of the last format saved, if it offers it, and the last worksheet choice.
QString AskFileName(QWidget* parent, bool withJpeg, const QString& name, PictureFormat& format,
                    WorksheetChoice& worksheet) {
  const QString qtFilter = QtFileFilter(withJpeg ? kSequenceFilter : kWmfFilter);
  const QStringList filters = qtFilter.split(QStringLiteral(";;"));
  QString selected = filters.first();
  for (const QString& f : filters)
    if (FormatOfFilter(f) == LastPictureFormat) selected = f;
  const QString title = QStringLiteral("Grafik speichern als %1").arg(PictureFormatNames(withJpeg));
  worksheet = LastWorksheetChoice;
  QString chosen;
  if (AskSaveFileName) {
    chosen = AskSaveFileName(parent, title, qtFilter, name, selected);
  } else {
    const PictureDialogAnswer answer =
        AskPictureFile(parent, title, qtFilter, name, selected, LastWorksheetChoice);
    chosen = answer.chosen;
    selected = answer.filter;
    worksheet = answer.worksheet;
  }
  format = FormatOfFilter(selected);
  return chosen;
}

int ClampToInt(long long v) {
  return static_cast<int>(std::clamp<long long>(v, 0, std::numeric_limits<int>::max()));
}

// The plot size on screen: from the paint box; a pixel without one.
QSize ScreenPlotSize(const ExportTarget& target) {
  if (target.paintBox)
    return {target.paintBox->width(), LayoutPlotHeight(target.layout, target.paintBox->height())};
  return {1, 1};
}

QString FontFamily(const ExportTarget& target) {
  return target.paintBox ? target.paintBox->font().family() : QStringLiteral("Arial");
}

double FontPoints(const ExportTarget& target) {
  if (!target.paintBox) return 8.0;
  const QFont f = target.paintBox->font();
  if (f.pointSizeF() > 0) return f.pointSizeF();
  return f.pixelSize() > 0 ? f.pixelSize() * 72.0 / 96.0 : 8.0;
}

int FontSize(double points) {
  return static_cast<int>(std::clamp(std::round(points), 1.0, 10000.0));
}

// The plot and the whole picture on a scaled target.
struct ScaledPicture {
  int width = 1;
  int plotHeight = 1;
  int height = 1;
};

// The plot is `scale` times the screen's plus one pixel each way; the picture
// takes in what the window draws below the plot, all of it within `limit`.
ScaledPicture ScalePicture(const ExportTarget& target, double scale, int limit) {
  const QSize screen = ScreenPlotSize(target);
  ScaledPicture p;
  p.width = std::clamp(RoundPixel((std::max(screen.width(), 0) + 1) * scale), 1, limit);
  int plot = std::clamp(RoundPixel((std::max(screen.height(), 0) + 1) * scale), 1, limit);
  // A smaller plot when the picture below it would not fit; each pass shrinks it.
  while (plot > 1 && LayoutPictureHeight(target.layout, plot) > limit)
    plot = std::max(1, static_cast<int>(static_cast<long long>(plot) * limit /
                                        LayoutPictureHeight(target.layout, plot)));
  p.plotHeight = plot;
  p.height = std::clamp(LayoutPictureHeight(target.layout, plot), 1, limit);
  return p;
}

// The target's picture drawn on `device` in a frame for export width × plotHeight
// large, with pens and offsets `lineScale` times the screen's.
void Redraw(const ExportTarget& target, Canvas& device, int width, int plotHeight,
            double lineScale) {
  if (!target.redraw) return;
  PictureCanvas shown(device, target.presentation, target.axes.background);
  DrawFrame frame;
  frame.canvas = shown.get();
  frame.world = target.view;
  frame.width = width;
  frame.height = plotHeight;
  frame.lineScale = lineScale;
  frame.forExport = true;
  frame.presentation = target.presentation;
  frame.axes = target.axes;
  target.redraw(frame);
}

void RedrawOnScreen(const ExportTarget& target) {
  if (target.redrawOnScreen) target.redrawOnScreen();
}

// The picture drawn through QtCanvas on a device whose resolution is the
// metafile's (96 × scale per inch), so that it matches the metafile.
// `placement`, when given, moves and scales the picture on the device; it is
// clipped to its own rectangle then.
void DrawOnDevice(QPaintDevice* device, const ExportVariant& variant, const ExportTarget& target,
                  const ScaledPicture& picture, bool antialiased,
                  const QTransform* placement = nullptr) {
  QtCanvas canvas(device, antialiased);
  canvas.SpanWideLines(target.presentation);
  if (placement) {
    canvas.painter().setTransform(*placement);
    canvas.SetClipRect(0, 0, picture.width, picture.height);
  }
  canvas.font.name = FontFamily(target).toStdString();
  canvas.font.size = FontSize(FontPoints(target) * variant.wmfFontFactor / variant.wmfLineScale);
  Redraw(target, canvas, picture.width, picture.plotHeight, variant.wmfLineScale);
}

QByteArray RenderSvg(const ExportVariant& variant, const ExportTarget& target) {
  const double scale = variant.wmfLineScale;
  const ScaledPicture picture = ScalePicture(target, scale, WmfCanvas::kMaxSize);
  const QSize size(picture.width, picture.height);
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setResolution(static_cast<int>(std::lround(96 * scale)));
    DrawOnDevice(&generator, variant, target, picture, true);
  }
  return buffer.data();
}

// The picture `scale` times the screen size, on the window's background.
QByteArray RenderPng(const ExportVariant& variant, const ExportTarget& target, double scale) {
  ExportVariant png = variant;
  png.wmfFontFactor = variant.wmfFontFactor / variant.wmfLineScale * scale;
  png.wmfLineScale = scale;
  const ScaledPicture picture = ScalePicture(target, png.wmfLineScale, 16000);
  QImage image(picture.width, picture.height, QImage::Format_RGB32);
  if (image.isNull()) return {};
  const int dotsPerMeter = static_cast<int>(std::lround(scale * 96 / 0.0254));
  image.setDotsPerMeterX(dotsPerMeter);
  image.setDotsPerMeterY(dotsPerMeter);
  image.fill(ToQColor(target.axes.background));
  DrawOnDevice(&image, png, target, picture, true);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

// An A4 page that a worksheet can take as it is: the picture drawn as at the
// metafile's scale, then scaled as a whole (pens and texts with it) to fill the
// page within its margins, and centred.
QByteArray RenderPdf(const ExportVariant& variant, const ExportTarget& target) {
  const double scale = variant.wmfLineScale;
  const ScaledPicture picture = ScalePicture(target, scale, WmfCanvas::kMaxSize);
  const int dpi = static_cast<int>(std::lround(96 * scale));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setCreator(QStringLiteral("Kurvio"));
    writer.setResolution(dpi);
    const bool wide = picture.width > picture.height;
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                     wide ? QPageLayout::Landscape : QPageLayout::Portrait,
                                     QMarginsF()));
    const double margin = kPdfMarginMm / 25.4 * dpi;
    const double fit = std::min((writer.width() - 2 * margin) / picture.width,
                                (writer.height() - 2 * margin) / picture.height);
    QTransform placement;
    placement.translate((writer.width() - fit * picture.width) / 2,
                        (writer.height() - fit * picture.height) / 2);
    placement.scale(fit, fit);
    DrawOnDevice(&writer, variant, target, picture, true, &placement);
  }
  return bytes;
}

// The window's redraw on its off-screen bitmap, as the JPEG file shows it: at
// screen size, on the background colour. False when nothing can paint on it.
bool DrawJpegPicture(QImage& image, const ExportTarget& target) {
  const QSize screen = ScreenPlotSize(target);
  image.fill(ToQColor(target.axes.background));
  QtCanvas canvas(&image);
  if (!canvas.painter().isActive()) return false;
  canvas.SpanWideLines(target.presentation);
  canvas.font.name = FontFamily(target).toStdString();
  canvas.font.size = FontSize(FontPoints(target));
  Redraw(target, canvas, screen.width(), screen.height(), 1.0);
  return true;
}

bool Printing = false;

}  // namespace

int LayoutPlotHeight(PictureLayout layout, int paintBoxHeight) {
  const int h = std::max(paintBoxHeight, 0);
  switch (layout) {
    case PictureLayout::TwoPlots:
      return h / 2 + h % 2;  // (h + 1) div 2
    case PictureLayout::PlotAndLadder:
    case PictureLayout::PlotAndRails:
      return h / 5 * 4;
    case PictureLayout::OnePlot:
      break;
  }
  return h;
}

int LayoutPictureHeight(PictureLayout layout, int plotHeight) {
  const long long h = std::max(plotHeight, 0);
  switch (layout) {
    case PictureLayout::TwoPlots:
      return ClampToInt(2 * h);
    case PictureLayout::PlotAndLadder:
    case PictureLayout::PlotAndRails:
      // The lower fifth of the paint box below the upper four fifths.
      return ClampToInt(5 * h / 4);
    case PictureLayout::OnePlot:
      break;
  }
  return ClampToInt(h);
}

int LayoutPrintHeight(PictureLayout layout, int plotHeight) {
  if (layout == PictureLayout::PlotAndLadder)
    return ClampToInt(4 * static_cast<long long>(std::max(plotHeight, 0)) / 3);
  return LayoutPictureHeight(layout, plotHeight);
}

QString QtFileFilter(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList names;
  for (int i = 0; i < parts.size(); i += 2) names << parts[i];
  return names.join(QStringLiteral(";;"));
}

PictureFile ChoosePictureFile(const QString& chosen, PictureFormat filtered, bool jpegOffered) {
  // Only the file's own name: a dot in a folder name is no extension.
  const int slash = chosen.lastIndexOf(QLatin1Char('/'));
  const int dot = chosen.lastIndexOf(QLatin1Char('.'));
  const QString typed = dot > slash ? chosen.mid(dot).toLower() : QString();
  const char* appended = ".wmf";
  for (const FormatName& f : kFormats) {
    if (f.format == filtered) appended = f.extension;
    const bool offered = f.format != PictureFormat::Jpeg || jpegOffered;
    if (offered && !typed.isEmpty() &&
        (typed == QLatin1String(f.extension) || typed == QLatin1String(f.alias)))
      return {chosen, f.format};
  }
  // "bild." takes the extension without a second dot.
  const QString extension =
      QString::fromLatin1(appended).mid(chosen.endsWith(QLatin1Char('.')) ? 1 : 0);
  return {chosen + extension, filtered};
}

PictureFormat FormatOfFilter(const QString& qtFilter) {
  for (const FormatName& f : kFormats)
    if (qtFilter.contains(QLatin1String(f.pattern))) return f.format;
  return PictureFormat::Wmf;
}

bool PrintGraphic(const ExportVariant& variant, const ExportTarget& target) {
  return PrintGraphic(variant, target, ProgramPrinter());
}

namespace {

// The picture at the print scale; the reason when nothing was printed, else empty.
QString PrintScaled(const ExportVariant& variant, const ExportTarget& target, QPrinter& printer) {
  QString failure;
  {
    QtCanvas canvas(&printer);
    if (!canvas.painter().isActive()) {
      failure = QStringLiteral("Der Drucker ist nicht bereit.");
    } else {
      const int resolution = printer.resolution();
      const QPageLayout layout = printer.pageLayout();
      const QRect page = layout.paintRectPixels(resolution);
      const QRectF pageMm = layout.paintRect(QPageLayout::Millimeter);
      // Printer pixels per centimetre.
      const double cx = page.width() * 10.0 / pageMm.width();
      const double cy = page.height() * 10.0 / pageMm.height();
      const double percent = DruckenProzent / 100.0;
      const QSize screen = ScreenPlotSize(target);
      const int screenWidth = std::max(screen.width(), 1);
      const int screenHeight = std::max(screen.height(), 1);
      const WorldWindow& view = target.view;
      const TickSteps steps = TickStepsFor(view, target.axes, screenWidth, screenHeight);
      const double autoX = steps.autoX > 0 ? steps.autoX : 1.0;
      const double autoY = steps.autoY > 0 ? steps.autoY : 1.0;
      const double fx = variant.unitCircleWidth
                            ? percent * 0.5263 * 13 / autoX / screenWidth * cx
                            : std::fabs(view.x2 - view.x1) * percent / autoX / screenWidth * cx;
      const double fy = std::fabs(view.y2 - view.y1) * percent / autoY / screenHeight * cy;
      if (!(fx > 0 && fy > 0 && std::isfinite(fx) && std::isfinite(fy))) {
        failure = QStringLiteral("Für dieses Koordinatensystem gibt es keinen Druckmaßstab.");
      } else {
        // Far beyond any paper; a bound keeps a broken window from stalling the printer.
        const int width = std::clamp(RoundPixel(screenWidth * fx), 1, 1000000);
        const int height = std::clamp(RoundPixel(screenHeight * fy), 1, 1000000);
        const double lineScale = variant.penFromHeightFactor ? fy : percent * 0.020532 * cx;
        // The plot's (0, 0) lies the unprintable margin inside the printable area.
        const int left = page.left();
        const int top = page.top();
        canvas.SetOrigin(left, top);
        const int reach = static_cast<int>(std::lround(lineScale));
        // The clip takes in what the window draws below its plot; moving the
        // origin down to a lower plot leaves it where it is.
        canvas.SetClipRect(0, 0, width + reach, LayoutPrintHeight(target.layout, height) + reach);
        canvas.font.name = FontFamily(target).toStdString();
        canvas.font.size = FontSize(FontPoints(target) * lineScale / printer.logicalDpiX() *
                                    variant.printFontFactor);
        Redraw(target, canvas, width, height, lineScale);
        canvas.ResetClip();
        if (!canvas.painter().end())
          failure = QStringLiteral("Der Druckauftrag wurde abgebrochen.");
      }
      if (!failure.isEmpty() && canvas.painter().isActive()) printer.abort();
    }
  }
  return failure;
}

WorksheetFont WorksheetFontFor(const ExportVariant& variant, const ExportTarget& target) {
  return {FontFamily(target).toStdString(),
          FontSize(FontPoints(target) * variant.wmfFontFactor / variant.wmfLineScale)};
}

}  // namespace

bool PrintGraphic(const ExportVariant& variant, const ExportTarget& target, QPrinter& printer) {
  if (Printing || printer.printerState() == QPrinter::Active) return false;
  Printing = true;
  QString failure;
  try {
    const WorksheetChoice worksheet = LastWorksheetChoice;
    failure = worksheet.worksheet
                  ? PrintWorksheet(target, printer, WorksheetFontFor(variant, target),
                                   worksheet.HidesSolution())
                  : PrintScaled(variant, target, printer);
  } catch (const std::exception& e) {
    failure = QString::fromLocal8Bit(e.what());
  }
  Printing = false;
  if (!failure.isEmpty())
    ShowError(target.paintBox,
              QStringLiteral("Die Grafik konnte nicht gedruckt werden.\n") + failure);
  RedrawOnScreen(target);
  return failure.isEmpty();
}

std::string RenderWmf(const ExportVariant& variant, const ExportTarget& target) {
  const ScaledPicture picture = ScalePicture(target, variant.wmfLineScale, WmfCanvas::kMaxSize);
  WmfCanvas canvas(picture.width, picture.height, variant.wmfLineScale);
  canvas.font.name = FontFamily(target).toStdString();
  canvas.font.size = FontSize(FontPoints(target) * variant.wmfFontFactor);
  Redraw(target, canvas, picture.width, picture.plotHeight, variant.wmfLineScale);
  return canvas.Finish();
}

namespace {

// Reports a failed save with its reason and redraws the window; true when it succeeded.
bool FinishSave(const ExportTarget& target, const QString& path, const QString& failure,
                QWidget* parent) {
  if (!failure.isEmpty())
    ShowError(parent, QStringLiteral("Die Datei „%1“ konnte nicht gespeichert werden.\n%2")
                          .arg(QDir::toNativeSeparators(path), failure));
  RedrawOnScreen(target);
  return failure.isEmpty();
}

}  // namespace

bool WriteWmfFile(const ExportVariant& variant, const ExportTarget& target, const QString& path,
                  QWidget* parent) {
  QString failure;
  try {
    const std::string bytes = RenderWmf(variant, target);
    WriteExportFile(path, bytes, &failure);
  } catch (const std::exception& e) {
    failure = QString::fromLocal8Bit(e.what());
  }
  return FinishSave(target, path, failure, parent);
}

std::string RenderPicture(const ExportVariant& variant, const ExportTarget& target,
                          PictureFormat format) {
  QByteArray bytes;
  switch (format) {
    case PictureFormat::Png:
      bytes = RenderPng(variant, target, kPngFileScale);
      break;
    case PictureFormat::Svg:
      bytes = RenderSvg(variant, target);
      break;
    case PictureFormat::Pdf:
      bytes = RenderPdf(variant, target);
      break;
    case PictureFormat::Wmf:
      return RenderWmf(variant, target);
    case PictureFormat::Jpeg:
      break;
  }
  return bytes.toStdString();
}

std::string RenderWorksheet(const ExportVariant& variant, const ExportTarget& target,
                            PictureFormat format, bool hideSolution, QString* failure) {
  QString reason;
  QByteArray bytes;
  const WorksheetFont font = WorksheetFontFor(variant, target);
  if (format == PictureFormat::Pdf)
    bytes = RenderWorksheetPdf(target, font, hideSolution, &reason);
  else if (format == PictureFormat::Svg)
    bytes = RenderWorksheetSvg(target, font, hideSolution, &reason);
  else
    reason = QStringLiteral("Ein Arbeitsblatt wird als PDF oder SVG gespeichert.");
  if (bytes.isEmpty() && reason.isEmpty())
    reason = QStringLiteral("Das Bild konnte nicht gezeichnet werden.");
  if (failure) *failure = bytes.isEmpty() ? reason : QString();
  return bytes.toStdString();
}

bool WritePictureFile(const ExportVariant& variant, const ExportTarget& target,
                      PictureFormat format, const QString& path, QWidget* parent) {
  QString failure;
  try {
    const std::string bytes = RenderPicture(variant, target, format);
    if (bytes.empty())
      failure = QStringLiteral("Das Bild konnte nicht gezeichnet werden.");
    else
      WriteExportFile(path, bytes, &failure);
  } catch (const std::exception& e) {
    failure = QString::fromLocal8Bit(e.what());
  }
  return FinishSave(target, path, failure, parent);
}

namespace {

enum class WriteAnswer { Write, Refused, AskAgain };

// The dialog asked about the name as typed; the name written may differ. A
// write-protected file is refused: the new file would be renamed over it, which
// its protection does not stop.
WriteAnswer MayWrite(QWidget* parent, const QString& chosen, const QString& path) {
  if (!QFileInfo::exists(path)) return WriteAnswer::Write;
  if (AccessFile(QFile::encodeName(path).constData(), W_OK) != 0 && errno != ENOENT) {
    ShowError(parent, QStringLiteral("Die Datei „%1“ ist schreibgeschützt und wird nicht ersetzt.")
                          .arg(QDir::toNativeSeparators(path)));
    return WriteAnswer::Refused;
  }
  return path == chosen || AskReplace(parent, path) ? WriteAnswer::Write : WriteAnswer::AskAgain;
}

// The window's redraw on its off-screen bitmap, as a JPEG file.
bool WriteJpegFile(const ExportTarget& target, const QString& path, QWidget* parent) {
  QString failure;
  try {
    QImage scratch;
    QImage* image = target.bitmap;
    if (!image || image->isNull()) {
      // A window without its bitmap yet: one of the picture's size stands in.
      const QSize screen = ScreenPlotSize(target);
      scratch = QImage(std::clamp(screen.width(), 1, 16000),
                       std::clamp(LayoutPictureHeight(target.layout, screen.height()), 1, 16000),
                       QImage::Format_RGB32);
      image = &scratch;
    }
    if (image->isNull() || !DrawJpegPicture(*image, target))
      failure = QStringLiteral("Das Bild konnte nicht gezeichnet werden.");
    else
      WriteJpeg(*image, path, &failure);
  } catch (const std::exception& e) {
    failure = QString::fromLocal8Bit(e.what());
  }
  return FinishSave(target, path, failure, parent);
}

// The worksheet of the target as a PDF or SVG file under `path`; nothing is
// written when the view does not fit on the page.
bool WriteWorksheetFile(const ExportVariant& variant, const ExportTarget& target,
                        PictureFormat format, bool hideSolution, const QString& path,
                        QWidget* parent) {
  QString failure;
  try {
    const std::string bytes = RenderWorksheet(variant, target, format, hideSolution, &failure);
    if (failure.isEmpty()) WriteExportFile(path, bytes, &failure);
  } catch (const std::exception& e) {
    failure = QString::fromLocal8Bit(e.what());
  }
  return FinishSave(target, path, failure, parent);
}

// A file button: the dialog, the name, the format, and the file.
bool SavePicture(const ExportVariant& variant, const ExportTarget& target, QWidget* parent,
                 bool withJpeg) {
  PictureFile file{QString(), PictureFormat::Wmf};
  QString chosen;
  WorksheetChoice worksheet;
  for (;;) {
    PictureFormat filtered = PictureFormat::Wmf;
    chosen = AskFileName(parent, withJpeg, chosen, filtered, worksheet);
    if (chosen.isEmpty()) return false;
    LastWorksheetChoice = worksheet;
    file = ChoosePictureFile(chosen, filtered, withJpeg);
    LastPictureFormat = file.format;
    const WriteAnswer answer = MayWrite(parent, chosen, file.path);
    if (answer == WriteAnswer::Refused) return false;
    if (answer == WriteAnswer::Write) break;
  }
  if (worksheet.worksheet) {
    if (file.format == PictureFormat::Pdf || file.format == PictureFormat::Svg)
      return WriteWorksheetFile(variant, target, file.format, worksheet.HidesSolution(), file.path,
                                parent);
    ShowError(parent, QStringLiteral("Ein Arbeitsblatt (1 Einheit = 1 cm) wird als PDF oder SVG "
                                     "gespeichert, nicht als „%1“.")
                          .arg(QFileInfo(file.path).fileName()));
    return false;
  }
  switch (file.format) {
    case PictureFormat::Wmf:
      return WriteWmfFile(variant, target, file.path, parent);
    case PictureFormat::Jpeg:
      return WriteJpegFile(target, file.path, parent);
    case PictureFormat::Png:
    case PictureFormat::Svg:
    case PictureFormat::Pdf:
      break;
  }
  return WritePictureFile(variant, target, file.format, file.path, parent);
}

}  // namespace

QString PictureFormatNames(bool withJpeg) {
  return withJpeg ? QStringLiteral("WMF-Metadatei, JPEG, PNG, SVG oder PDF")
                  : QStringLiteral("WMF-Metadatei, PNG, SVG oder PDF");
}

QString SavePictureHint(bool withJpeg) {
  return QStringLiteral("Grafik als %1 speichern").arg(PictureFormatNames(withJpeg));
}

bool SaveWmfFile(const ExportVariant& variant, const ExportTarget& target, QWidget* parent) {
  return SavePicture(variant, target, parent, false);
}

bool CopyWmfToClipboard(const ExportVariant& variant, const ExportTarget& target) {
  bool ok = false;
  try {
    const std::string wmf = RenderWmf(variant, target);
    auto mime = std::make_unique<QMimeData>();
    const QByteArray bytes(wmf.data(), static_cast<qsizetype>(wmf.size()));
    for (const char* type : kWmfMimeTypes) mime->setData(QString::fromLatin1(type), bytes);
    mime->setData(QStringLiteral("image/svg+xml"), RenderSvg(variant, target));
    mime->setData(QStringLiteral("image/png"), RenderPng(variant, target, kPngClipboardScale));
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
      clipboard->setMimeData(mime.release());
      ok = true;
    }
  } catch (const std::exception& e) {
    ShowError(target.paintBox, QStringLiteral("Die Grafik konnte nicht in die Zwischenablage "
                                              "kopiert werden.\n") +
                                   QString::fromLocal8Bit(e.what()));
  }
  RedrawOnScreen(target);
  return ok;
}

bool SaveWmfOrJpeg(const ExportVariant& variant, const ExportTarget& target, QWidget* parent) {
  return SavePicture(variant, target, parent, true);
}

bool SaveTextFile(QWidget* parent, const QString& title, const QString& filter,
                  const QString& extension, const std::string& bytes) {
  QString chosen, path;
  for (;;) {
    QString selected = filter;
    chosen = AskSaveFileName
                 ? AskSaveFileName(parent, title, filter, chosen, selected)
                 : QFileDialog::getSaveFileName(parent, title, chosen, filter, &selected);
    if (chosen.isEmpty()) return false;
    path = QFileInfo(chosen).suffix().isEmpty() ? chosen + extension : chosen;
    const WriteAnswer answer = MayWrite(parent, chosen, path);
    if (answer == WriteAnswer::Refused) return false;
    if (answer == WriteAnswer::Write) break;
  }
  QString failure;
  if (WriteExportFile(path, bytes, &failure)) return true;
  ShowError(parent, QStringLiteral("Die Datei „%1“ konnte nicht gespeichert werden.\n%2")
                        .arg(QDir::toNativeSeparators(path), failure));
  return false;
}

}  // namespace kurvio
