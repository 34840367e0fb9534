// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/PictureDialog.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QWidget>

namespace kurvio {

std::function<bool(QFileDialog&)> ShowPictureDialog;

namespace {

bool WorksheetFormat(const QString& filter) {
  const PictureFormat format = FormatOfFilter(filter);
  return format == PictureFormat::Pdf || format == PictureFormat::Svg;
}

}  // namespace

PictureDialogAnswer AskPictureFile(QWidget* parent, const QString& title, const QString& filter,
                                   const QString& name, const QString& selected,
                                   const WorksheetChoice& worksheet) {
  QFileDialog dialog(parent, title, name, filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.selectNameFilter(selected);

  auto* row = new QWidget(&dialog);
  auto* rowLayout = new QHBoxLayout(row);
  rowLayout->setContentsMargins(0, 0, 0, 0);
  auto* worksheetBox = new QCheckBox(QStringLiteral("Arbeitsblatt (1 Einheit = 1 cm)"), row);
  worksheetBox->setObjectName(QStringLiteral("worksheetBox"));
  worksheetBox->setToolTip(QStringLiteral(
      "Als PDF oder SVG: eine Einheit ist auf dem Papier genau 1 cm, mit Millimeterraster und "
      "nummerierten Achsen. Gilt in dieser Sitzung auch für „Drucken“."));
  auto* hideSolutionBox = new QCheckBox(QStringLiteral("Lösung ausblenden"), row);
  hideSolutionBox->setObjectName(QStringLiteral("hideSolutionBox"));
  hideSolutionBox->setToolTip(
      QStringLiteral("Nur das leere Koordinatensystem und die Titelzeile, ohne Kurven, Punkte "
                     "und Anzeigen"));
  worksheetBox->setChecked(worksheet.worksheet);
  hideSolutionBox->setChecked(worksheet.hideSolution);
  hideSolutionBox->setEnabled(worksheet.worksheet);
  rowLayout->addWidget(worksheetBox);
  rowLayout->addWidget(hideSolutionBox);
  rowLayout->addStretch();
  // Qt's own dialog lays itself out in a grid; the choice goes below the file type.
  if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
    grid->addWidget(row, grid->rowCount(), 0, 1, grid->columnCount());

  const QStringList filters = filter.split(QStringLiteral(";;"));
  QObject::connect(worksheetBox, &QCheckBox::toggled, &dialog, [&](bool on) {
    hideSolutionBox->setEnabled(on);
    if (!on || WorksheetFormat(dialog.selectedNameFilter())) return;
    for (const QString& f : filters)
      if (FormatOfFilter(f) == PictureFormat::Pdf) dialog.selectNameFilter(f);
  });
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& f) {
    if (!WorksheetFormat(f)) worksheetBox->setChecked(false);
  });

  const bool accepted =
      ShowPictureDialog ? ShowPictureDialog(dialog) : dialog.exec() == QDialog::Accepted;
  const QStringList files = dialog.selectedFiles();
  if (!accepted || files.isEmpty()) return {};
  return {files.first(),
          dialog.selectedNameFilter(),
          {worksheetBox->isChecked(), hideSolutionBox->isChecked()}};
}

}  // namespace kurvio
