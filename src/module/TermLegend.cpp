#include "module/TermLegend.h"

#include <string>
#include <vector>

#include "module/Controls.h"
#include "plot/Legend.h"
#include "widgets/TBitCheckBox.h"

namespace kurvio {

TBitCheckBox* LegendBox(QWidget* parent, std::function<void()> redraw) {
  const QString caption = QStringLiteral("Term im Bild");
  TBitCheckBox* box = Named(CheckBox(parent, caption), "legendBox");
  box->setAccessibleName(caption);  // a check box of its own kind, no button
  QObject::connect(box, &TBitCheckBox::OnClick, box, std::move(redraw));
  return box;
}

void DrawTermLegend(const TBitCheckBox* box, const QStringList& lines,
                    const CurveBatchFunction& curve) {
  if (!box || !box->Checked()) return;
  std::vector<std::string> texts;
  for (const QString& line : lines) texts.push_back(line.toStdString());
  DrawLegend(texts, curve);
}

}  // namespace kurvio
