// The column of buttons every graph window has: "Einstellungen", the three
// export buttons and "&Beenden", wired to the settings dialog, the export
// routine with the window's constants and redraw, and closing the window.
#pragma once

#include <functional>

#include "export/Export.h"

class QPushButton;
class QWidget;

namespace kurvio {

class TModuleDialog;

struct ButtonColumnActions {
  // "Einstellungen".
  std::function<void()> openSettings;
  // The export constants of the window and its picture, made at each click.
  ExportVariant variant = kAnalysisWindowExport;
  std::function<ExportTarget()> target;
  // Replaces writing a metafile on "WMF - Datei" (the sequences window also writes JPEG).
  std::function<void()> saveFile;
};

struct ButtonColumn {
  QWidget* Panel;              // the column; the window places it
  QPushButton* SpeedButton14;  // "Einstellungen"
  QPushButton* SpeedButton15;  // "Drucken"
  QPushButton* SpeedButton17;  // "WMF - Datei"
  QPushButton* SpeedButton23;  // "WMF - Clipb."
  QPushButton* Close;          // "&Beenden", under the window's own design name
};

// Makes the column in `parent` and wires it; "&Beenden" becomes the window's close button.
ButtonColumn MakeButtonColumn(TModuleDialog* window, QWidget* parent, ButtonColumnActions actions);

}  // namespace kurvio
