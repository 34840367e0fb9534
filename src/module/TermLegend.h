// "Term im Bild": the check box of every graph window and the legend of the
// window's terms that it shows in the picture.
#pragma once

#include <QStringList>
#include <functional>

#include "plot/CurveTracer.h"

class QWidget;

namespace kurvio {

class TBitCheckBox;

// The box "Term im Bild" (legendBox): off, unless the window reopens with a kept
// lesson that had it on; a click runs `redraw`.
TBitCheckBox* LegendBox(QWidget* parent, std::function<void()> redraw);

// While `box` is ticked: `lines` as the picture's legend, in the corner that
// `curve` crosses least (plot/Legend.h). Nothing at all while it is not.
void DrawTermLegend(const TBitCheckBox* box, const QStringList& lines,
                    const CurveBatchFunction& curve);

}  // namespace kurvio
