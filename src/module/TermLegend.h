// SPDX-License-Identifier: GPL-3.0-or-later
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

// The box "Werte im Bild" (valuesInPictureBox): the user's choice (ValuesInPicture), kept
// for him; a click keeps the new choice and runs `redraw`.
TBitCheckBox* ValuesInPictureBox(QWidget* parent, std::function<void()> redraw);

// While `box` is ticked: `lines` as the picture's legend, in the corner that
// `curve` crosses least (plot/Legend.h). With "Werte im Bild" the readouts of the box's
// window follow (TAnalysisWindow::PictureValues), also without the terms. Nothing while
// neither is on.
void DrawTermLegend(const DrawFrame& frame, const TBitCheckBox* box, const QStringList& lines,
                    const CurveBatchFunction& curve);

}  // namespace kurvio
