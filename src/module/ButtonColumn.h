// SPDX-License-Identifier: GPL-3.0-or-later
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
  QWidget* panel;                   // the column; the window places it
  QPushButton* settingsButton;      // "Einstellungen", SpeedButton14
  QPushButton* printButton;         // "Drucken", SpeedButton15
  QPushButton* wmfFileButton;       // "WMF - Datei", SpeedButton17
  QPushButton* wmfClipboardButton;  // "WMF - Clipb.", SpeedButton23
  QPushButton* closeButton;         // "&Beenden", SpeedButton6 unless the window renames it
};

// Makes the column in `parent` and wires it; "&Beenden" becomes the window's close button.
ButtonColumn MakeButtonColumn(TModuleDialog* window, QWidget* parent, ButtonColumnActions actions);

}  // namespace kurvio
