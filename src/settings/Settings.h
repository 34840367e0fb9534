// SPDX-License-Identifier: GPL-3.0-or-later
// The settings globals shared by every window, the snapshot StartValues and the
// routines that read and write them from Kurvio.ini (pure C++, no Qt).
//
// Colours are 0x00BBGGRR integers. Terms are 8-bit strings (byte 0xE3 for pi,
// 0xE8 for phi). The world window x1..y2, Skalierung and Gitter are the
// coordinate-system globals the plot frame draws with.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "settings/Color.h"

namespace kurvio {

// Directory of the program's files, with a trailing '/': the executable's own
// folder, or the shared data folder of an installed copy (ProgramFiles.h);
// Kurvio.ini and the example files are looked up there. Set at start-up.
extern std::string ProgramDir;
// Per-user directory (trailing '/'), used for writing when ProgramDir is shared
// or not writable and preferred for reading then. Set by the Qt side at start-up.
extern std::string UserDir;
// Decimal separator of the user's locale (',' or '.'), used when reals are
// written to the settings file. Set by the Qt side at start-up.
extern char DecimalSeparator;

// Section "Farben".
namespace Farben {
extern Color Hintergrund;
extern Color Zeichenstift;
extern Color Gitter;
extern Color Tangente;
extern Color Sekante;
extern Color Dreieck;
extern Color fStrich;
extern Color f2Strich;
extern Color sinus;
extern Color cosinus;
extern Color tangens;
extern Color cotangens;
extern Color flaeche;
extern Color bogen;
extern Color winkel;
extern Color epsilon;
extern Color delta;
extern Color fvondelta;
}  // namespace Farben

// Section "Faktor".
extern int DruckenProzent;      // "drucken%": printed size in percent
extern double Tangentenlaenge;  // "Tangentenlänge"
// Section "Eingabe".
extern int Nachkommastellen;
// Section "Parameter": the family parameters and their slider ranges.
extern double ParamA, ParamA1, ParamA2;
extern double ParamB, ParamB1, ParamB2;
extern double ParamC, ParamC1, ParamC2;
extern double ParamT, ParamT1, ParamT2;
// Section "xP xQ Koordinaten".
extern double xP, xQ;
// Section "Folgen Grenzwert", key "g".
extern double FolgenGrenzwert;
// Section "eps-delta-Umgebung maxRadius".
extern double edmax;
// Section "Koordinatensystem": the world window.
extern double x1, x2, y1, y2;
// Section "Funktionsterme" (each at most 120 characters).
extern std::string TermFxtab;         // "f(x,t,a,b)"
extern std::string TermFx;            // "f(x)"
extern std::string TermFt;            // "f(t)"
extern std::string TermAfxuv;         // "af(x-u)+v"
extern std::string TermStetigkeitF1;  // "Stetigkeit f1(x)"
extern std::string TermStetigkeitF2;  // "Stetigkeit f2(x)"
extern std::string TermKovariation;   // "Kovariation f(x)"
extern std::string TermBisektion;     // "Bisektion f(x)"
extern std::string TermFolgen;        // "Folgen a(n)"
// Section "Animation".
extern int Schrittzahl;
extern int Schrittzahl2;
extern int FrameDelay;  // "time": milliseconds per frame
// Section "Koordinatensystem", after the terms in the file.
extern bool Skalierung;  // label only the first tick of each axis
extern int Gitter;       // 1 no grid, 2 dotted, 3 solid

// Not in the file, reset by SetDefaultSettings.
extern double IntegralX0;  // lower bound of the integral window; 0 whenever it opens
extern double PointX0;     // x of the movable point of the main, discussion and integral windows
extern bool ShowDerivative;
extern bool SpectrumOn;
extern bool FixFamily;
extern bool FixDrawing;

// Fill pattern of areas (0 solid, 1 clear, 2..7 hatches); kept for the run only.
extern int FlaechenStil;

inline constexpr std::size_t kTermSettingLength = 120;
inline constexpr std::size_t kStartTermLength = 180;

// The values of the file as the last LoadSettings found them.
struct StartValuesRecord {
  struct {
    Color Hintergrund, Zeichenstift, Gitter, Tangente, Sekante, Dreieck, fStrich, f2Strich, sinus,
        cosinus, tangens, cotangens, flaeche, bogen, winkel, epsilon, delta, fvondelta;
  } Farben;
  int DruckenProzent;
  double Tangentenlaenge;
  int Nachkommastellen;
  double ParamA, ParamA1, ParamA2, ParamB, ParamB1, ParamB2;
  double ParamC, ParamC1, ParamC2, ParamT, ParamT1, ParamT2;
  double xP, xQ, FolgenGrenzwert, edmax;
  double x1, x2, y1, y2;
  std::string TermFxtab, TermFx, TermFt, TermAfxuv, TermStetigkeitF1, TermStetigkeitF2,
      TermKovariation, TermBisektion, TermFolgen;
  int Schrittzahl, Schrittzahl2, FrameDelay;
  bool Skalierung;
  int Gitter;
};
extern StartValuesRecord StartValues;

inline constexpr const char* kSettingsFileName = "Kurvio.ini";

// Reads Kurvio.ini into the globals and again into StartValues; a missing file
// or key, or a value that does not convert, gives the default. False when the
// file is there but cannot be read.
bool LoadSettings();

// How a save of the settings went: `path` is the file it was meant for.
struct SettingsSave {
  enum Outcome { kSaved, kUnreadable, kFailed } outcome = kSaved;
  std::string path;
  int error = 0;  // errno of a failed write
};
// Writes the globals into Kurvio.ini, keeping every other line of the file. A
// file that is there but cannot be read is left alone.
SettingsSave SaveSettings();
// The "Defaultwerte" values, without touching the file.
void SetDefaultSettings();
// The unit-circle colours and step count of its own reset.
void SetDefaultCircleColours();

class IniFile;
// The keys named "Section/key" as Kurvio.ini names them, read from `ini` into
// the globals (a missing key, or one that does not convert, leaves its global
// as it is; the world window and ranges stay usable) or written from them.
void ReadSettingKeys(const IniFile& ini, const std::vector<std::string>& keys);
void WriteSettingKeys(IniFile& ini, const std::vector<std::string>& keys);

}  // namespace kurvio
