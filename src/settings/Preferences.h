// SPDX-License-Identifier: GPL-3.0-or-later
// What every user keeps for himself, in "Ansicht.ini" in his own directory
// rather than in Kurvio.ini, which may serve a whole school: the presentation
// mode for a projector, the line width chosen last and whether the windows
// reopen with the lesson they were closed with.
#pragma once

namespace kurvio {

// Lines, markers and texts of every picture at least twice as large, and pale
// colours strong (plot/PresentationCanvas.h). Off unless the user turns it on.
extern bool PresentationMode;
// f'(x) and f''(x) written out as terms where a window shows derivatives.
extern bool ShowDerivativeTerms;
// The windows keep their terms, parameters and view in state files of their own.
extern bool RememberLessons;
// The readouts of a window in the picture's legend, under its terms ("Werte im Bild").
extern bool ValuesInPicture;
// One unit as long on the y-axis as on the x-axis in every plot (plot/PlotFrame.h).
extern bool EqualUnits;
// The width last chosen in the settings dialog or a window's line box; 0 while
// the user has chosen none, and the windows start with 1 as they always did.
extern int ChosenLineWidth;

inline constexpr const char* kPreferencesFileName = "Ansicht.ini";

// Reads the file; a missing or broken file, or a value that does not convert,
// gives everything off and no width.
void LoadPreferences();
// Writes the file into the user directory; false when it cannot be written.
bool SavePreferences();

// The line width a window opens with.
int StartLineWidth();
// Keeps `width` (1..20) as the chosen line width and saves it.
void ChooseLineWidth(int width);

}  // namespace kurvio
