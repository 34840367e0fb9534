// SPDX-License-Identifier: GPL-3.0-or-later
// Printing, metafile files, the metafile clipboard and JPEG files for every
// graph window. Each export runs the window's own redraw once more in a frame
// of its own: the target's canvas, the plot size and line scale scaled for the
// target, forExport raised. Afterwards, also when the export fails, the window
// is redrawn on screen.
#pragma once

#include <QString>
#include <functional>
#include <string>

#include "plot/DrawFrame.h"

class QImage;
class QPrinter;
class QWidget;

namespace kurvio {

// The constants in which the windows' exports differ.
struct ExportVariant {
  // Print: one automatic x tick interval across the page (false), or the
  // unit-circle window's 13 ticks of 0.5263.
  bool unitCircleWidth = false;
  // Print: the line scale is the height factor (true) or drucken%/100 × 0.020532 × cx.
  bool penFromHeightFactor = false;
  // Print: font size := round(size × line scale / dpi × printFontFactor).
  double printFontFactor = 330 * 0.39;
  // Metafile and clipboard: the line scale, and the font size factor.
  double wmfLineScale = 4.0;
  double wmfFontFactor = 4.0 * 1.2;
};

inline constexpr ExportVariant kMainWindowExport{};
inline constexpr ExportVariant kUnitCircleExport{true, true, 330 * 0.39, 4.0, 4.0 * 1.2};
// Curve discussion, tangent problem, integral function and the limit windows.
inline constexpr ExportVariant kAnalysisWindowExport{false, false, 330 * 0.39, 2.0, 2.0};

// How much a window draws below its plot; the exported picture holds all of it.
enum class PictureLayout {
  // The plot fills the paint box.
  OnePlot,
  // Two plots of equal height, one above the other (curve discussion, integral
  // function); the window moves the origin down by a plot's height for the lower one.
  TwoPlots,
  // The plot in the upper four fifths, the interval ladder below it (bisection).
  PlotAndLadder,
  // The plot in the upper four fifths, the number-line rails below it
  // (covariation); during an export the window takes the height of the whole
  // picture, in which it places the rails, from LayoutPictureHeight.
  PlotAndRails,
};

// The plot height on screen for a paint box of the given height.
int LayoutPlotHeight(PictureLayout layout, int paintBoxHeight);
// The height of the whole picture of a plot `plotHeight` high: the metafile's
// frame, and what the window draws into below its plot.
int LayoutPictureHeight(PictureLayout layout, int plotHeight);
// How far down the print clip reaches for a plot `plotHeight` high (before the
// reach of the pen is added); the ladder is given room beyond its picture.
int LayoutPrintHeight(PictureLayout layout, int plotHeight);

struct ExportTarget {
  // Draws the window's picture in the export's frame.
  std::function<void(const DrawFrame& frame)> redraw;
  // Redraws the window on screen once the export is over.
  std::function<void()> redrawOnScreen;
  // The drawing area: its width and LayoutPlotHeight of its height are the plot
  // size on screen, its font the text font.
  QWidget* paintBox = nullptr;
  PictureLayout layout = PictureLayout::OnePlot;
  // The window's off-screen bitmap, on which the JPEG picture is drawn.
  QImage* bitmap = nullptr;
  // The view the picture shows, its axes, and whether it is drawn for a projector.
  WorldWindow view;
  AxisStyle axes{};
  bool presentation = false;
};

// Dialogs, replaceable so that tests run without them; empty means Qt's own.
// The save dialog (asks before replacing the chosen file); empty when cancelled.
// It opens with `name` filled in (empty the first time, the name chosen before
// after a "Nein" to replacing its file). `selectedFilter` comes in as the filter
// to show selected and goes out as the one chosen.
extern std::function<QString(QWidget* parent, const QString& title, const QString& filter,
                             const QString& name, QString& selectedFilter)>
    AskSaveFileName;
// Asks whether an existing file may be replaced.
extern std::function<bool(QWidget* parent, const QString& question)> AskReplaceFile;
// Tells why an export failed.
extern std::function<void(QWidget* parent, const QString& message)> ReportExportError;

// Prints the picture so that one automatic tick interval is drucken%/100 cm,
// on the program's printer (ProgramPrinter) unless another one is given; a
// worksheet instead while LastWorksheetChoice holds one.
// False when nothing was printed (a job still running, or a failure, which is reported).
bool PrintGraphic(const ExportVariant& variant, const ExportTarget& target);
bool PrintGraphic(const ExportVariant& variant, const ExportTarget& target, QPrinter& printer);

// The formats of the file buttons. The metafile is the window's own; the
// others are today's formats for worksheets and web pages.
enum class PictureFormat { Wmf, Jpeg, Png, Svg, Pdf };

// The worksheet choice of the save dialog: a PDF or SVG with one unit as 1 cm
// on paper (export/Worksheet.h), with the window's picture or without it.
struct WorksheetChoice {
  bool worksheet = false;
  bool hideSolution = false;  // counts only for a worksheet
  bool HidesSolution() const { return worksheet && hideSolution; }
};
// The choice last made in the save dialog in this session: the dialog opens
// with it, and "Drucken" prints a worksheet while it holds one.
extern WorksheetChoice LastWorksheetChoice;

// The picture as a metafile, without redrawing the screen.
std::string RenderWmf(const ExportVariant& variant, const ExportTarget& target);
// The picture as a PNG (`scale` times the screen size, on the background
// colour), an SVG (a vector picture at the metafile's scale) or a PDF (an A4
// page, landscape for a picture wider than high, with the picture as large as
// the margins allow and centred), without redrawing the screen. Empty when the
// picture cannot be made.
std::string RenderPicture(const ExportVariant& variant, const ExportTarget& target,
                          PictureFormat format);
inline constexpr double kPngFileScale = 4.0;
inline constexpr double kPngClipboardScale = 2.0;

// The worksheet as a PDF or SVG file's bytes; empty with the reason in
// `failure` when the view is too large for the page or cannot be drawn.
std::string RenderWorksheet(const ExportVariant& variant, const ExportTarget& target,
                            PictureFormat format, bool hideSolution, QString* failure);

// The formats a file button saves in, as its hint and the save dialog's title name them.
QString PictureFormatNames(bool withJpeg);
// The hint of a file button.
QString SavePictureHint(bool withJpeg);

// "WMF - Datei": asks for the name, the format (metafile, PNG, SVG or PDF) and
// the worksheet choice (export/PictureDialog.h; AskSaveFileName leaves the
// choice as it stands), and writes the file under the name ChoosePictureFile
// makes: a worksheet when chosen, which only a PDF or SVG can be. The dialog
// opens with LastPictureFormat and LastWorksheetChoice; "Nein" to replacing a
// file opens it again with the name. False when cancelled or failed (a failure
// is reported).
bool SaveWmfFile(const ExportVariant& variant, const ExportTarget& target, QWidget* parent);
// Writes the metafile under `path` as it stands.
bool WriteWmfFile(const ExportVariant& variant, const ExportTarget& target, const QString& path,
                  QWidget* parent);
// Writes a PNG, SVG or PDF file under `path` as it stands.
bool WritePictureFile(const ExportVariant& variant, const ExportTarget& target,
                      PictureFormat format, const QString& path, QWidget* parent);
// "WMF - Clipb.": the picture on the clipboard as a metafile, an SVG and a PNG.
bool CopyWmfToClipboard(const ExportVariant& variant, const ExportTarget& target);

// The sequences window's file button: as SaveWmfFile, with JPEG offered too.
// The JPEG picture is the window's redraw on its off-screen bitmap
// (target.bitmap; one of the picture's size when it has none), filled with the
// background colour first, in a frame for export on it.
bool SaveWmfOrJpeg(const ExportVariant& variant, const ExportTarget& target, QWidget* parent);

// The save button of a table: asks for a file name under `title` with the one Qt `filter`,
// adds `extension` (".csv") to a name without one, asks before replacing a file the dialog
// did not ask about, refuses a write-protected one, and writes the bytes whole. False when
// cancelled or failed; a failure is reported as a picture file's is.
bool SaveTextFile(QWidget* parent, const QString& title, const QString& filter,
                  const QString& extension, const std::string& bytes);

// The format of the last picture saved in this session (the metafile at
// first); the save dialog opens with its filter when the button offers it.
extern PictureFormat LastPictureFormat;

// The file a save dialog's answer names, so that the file holds what its name
// says. The extension after the last "." of the file's own name, in upper or
// lower case, decides the format when the button offers it (".jpg" and ".jpeg"
// only with `jpegOffered`); the name is kept as typed. Otherwise the format of
// the chosen filter, `filtered`, is written and its extension appended to the
// whole name.
struct PictureFile {
  QString path;
  PictureFormat format;
};
PictureFile ChoosePictureFile(const QString& chosen, PictureFormat filtered, bool jpegOffered);
// The format of a filter the save dialog offers (Qt's form, "Text (*.a)");
// the metafile for any other.
PictureFormat FormatOfFilter(const QString& qtFilter);

// A filter written "Text (*.a)|*.a|…" as a Qt filter ("Text (*.a);;…").
QString QtFileFilter(const QString& filter);

// The clipboard formats of the metafile.
inline constexpr const char* kWmfMimeTypes[] = {
    "application/x-openoffice-wmf;windows_formatname=\"Image WMF\"", "image/wmf", "image/x-wmf"};

}  // namespace kurvio
