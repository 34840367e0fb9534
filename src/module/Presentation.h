// SPDX-License-Identifier: GPL-3.0-or-later
// Presentation mode for a projector, switched in the start window, in the
// settings dialog and with F11 in every window; it applies at once to every
// open window and is remembered for the user.
#pragma once

class QAbstractButton;
class QWidget;

namespace kurvio {

// Sets the mode, saves it for the user, ticks every presentation switch and
// lets every open window draw again.
void SetPresentation(bool on);
// F11 in `window` turns presentation mode on or off.
void AddPresentationKey(QWidget* window);
// Every open window draws its picture again (after a choice that changes every picture).
void RedrawOpenWindows();
// A check box "Präsentation" (objectName "presentationBox") that shows and switches the mode.
QAbstractButton* MakePresentationBox(QWidget* parent);

}  // namespace kurvio
