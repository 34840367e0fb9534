// SPDX-License-Identifier: GPL-3.0-or-later
// The save dialog of the picture buttons: Qt's own file dialog (a desktop's
// dialog cannot hold controls of the program), with the worksheet choice
// below the file type: "Arbeitsblatt (1 Einheit = 1 cm)" (worksheetBox) and
// under it "Lösung ausblenden" (hideSolutionBox), which only a worksheet has.
#pragma once

#include <QString>
#include <functional>

#include "export/Export.h"

class QFileDialog;
class QWidget;

namespace kurvio {

// Runs the dialog; true when it was accepted. Empty means exec(); tests set
// the dialog's controls and accept it instead.
extern std::function<bool(QFileDialog& dialog)> ShowPictureDialog;

struct PictureDialogAnswer {
  QString chosen;  // empty when cancelled
  QString filter;  // the filter chosen
  WorksheetChoice worksheet;
};

// Asks under `title` with the Qt `filter`, opening with `name`, the filter
// `selected` and the worksheet choice `worksheet`. Ticking the worksheet picks
// the PDF filter unless PDF or SVG is chosen already; choosing another format
// unticks it.
PictureDialogAnswer AskPictureFile(QWidget* parent, const QString& title, const QString& filter,
                                   const QString& name, const QString& selected,
                                   const WorksheetChoice& worksheet);

}  // namespace kurvio
