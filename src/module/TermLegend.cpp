// SPDX-License-Identifier: GPL-3.0-or-later
#include "module/TermLegend.h"

#include <string>
#include <vector>

#include "module/AnalysisWindow.h"
#include "module/Controls.h"
#include "plot/Legend.h"
#include "settings/Preferences.h"
#include "widgets/TBitCheckBox.h"

namespace kurvio {

TBitCheckBox* LegendBox(QWidget* parent, std::function<void()> redraw) {
  const QString caption = QStringLiteral("Term im Bild");
  TBitCheckBox* box = Named(CheckBox(parent, caption), "legendBox");
  box->setAccessibleName(caption);  // a check box of its own kind, no button
  QObject::connect(box, &TBitCheckBox::OnClick, box, std::move(redraw));
  return box;
}

TBitCheckBox* ValuesInPictureBox(QWidget* parent, std::function<void()> redraw) {
  const QString caption = QStringLiteral("Werte im Bild");
  TBitCheckBox* box = Named(CheckBox(parent, caption), "valuesInPictureBox");
  box->setAccessibleName(caption);
  box->setToolTip(QStringLiteral("Die Werte dieses Fensters stehen im Bild unter dem Term: "
                                 "gro\u00df im Beamer und in jeder gespeicherten Grafik."));
  box->SetChecked(ValuesInPicture);
  QObject::connect(box, &TBitCheckBox::OnClick, box, [box, redraw = std::move(redraw)] {
    ValuesInPicture = box->Checked();
    SavePreferences();
    redraw();
  });
  return box;
}

void DrawTermLegend(const DrawFrame& frame, const TBitCheckBox* box, const QStringList& lines,
                    const CurveBatchFunction& curve) {
  if (!box) return;
  QStringList shown;
  if (box->Checked()) shown = lines;
  if (ValuesInPicture)
    if (const auto* window = qobject_cast<const TAnalysisWindow*>(box->window()))
      shown += window->PictureValues();
  if (shown.isEmpty()) return;
  std::vector<std::string> texts;
  for (const QString& line : shown) texts.push_back(line.toStdString());
  DrawLegend(frame, texts, curve);
}

}  // namespace kurvio
