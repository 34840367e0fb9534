// The settings globals with their load defaults, and the two reset routines.
#include "settings/Settings.h"

namespace kurvio {

std::string ProgramDir;
std::string UserDir;
char DecimalSeparator = ',';

namespace Farben {
int Hintergrund = 16777215;
int Zeichenstift = 0;
int Gitter = 8421504;
int Tangente = 16711680;
int Sekante = 8388736;
int Dreieck = 65535;
int fStrich = 255;
int f2Strich = 128;
int sinus = 16711680;
int cosinus = 255;
int tangens = 128;
int cotangens = 8388736;
int flaeche = 65535;
int bogen = 32768;
int winkel = 65280;
int epsilon = 12632256;
int delta = 32768;
int fvondelta = 255;
}  // namespace Farben

int DruckenProzent = 100;
double Tangentenlaenge = 1.0;
int Nachkommastellen = 2;
double ParamA = 1.0, ParamA1 = -4.0, ParamA2 = 4.0;
double ParamB = 0.0, ParamB1 = -4.0, ParamB2 = 4.0;
double ParamC = 0.0, ParamC1 = -4.0, ParamC2 = 4.0;
double ParamT = 0.0, ParamT1 = -4.0, ParamT2 = 4.0;
double xP = 1.0, xQ = 2.0;
double FolgenGrenzwert = 0.0;
double edmax = 2.0;
double x1 = -7.0, x2 = 7.0, y1 = -7.0, y2 = 7.0;
std::string TermFxtab, TermFx, TermFt, TermAfxuv, TermStetigkeitF1, TermStetigkeitF2,
    TermKovariation, TermBisektion, TermFolgen;
int Schrittzahl = 200;
int Schrittzahl2 = 2;
int FrameDelay = 0;
bool Skalierung = true;
int Gitter = 2;

double PointX0 = 0.0;
bool ShowDerivative = false;
bool SpectrumOn = false;
bool FixFamily = false;
bool FixDrawing = false;
std::function<void()> ResetDrawingDefaults;

StartValuesRecord StartValues;

void SetDefaultSettings() {
  Farben::Hintergrund = 16777215;
  Farben::Zeichenstift = 0;
  Farben::Gitter = 13421772;
  Farben::Tangente = 16711680;
  Farben::Dreieck = 65535;
  Farben::fStrich = 255;
  Farben::f2Strich = 128;
  Farben::flaeche = 32768;
  Farben::epsilon = 12320767;
  Farben::delta = 47872;
  Farben::fvondelta = 255;
  DruckenProzent = 100;
  Nachkommastellen = 2;
  ParamA = 1.0, ParamA1 = -4.0, ParamA2 = 4.0;
  ParamB = 0.0, ParamB1 = -4.0, ParamB2 = 4.0;
  ParamC = 0.0, ParamC1 = -4.0, ParamC2 = 4.0;
  ParamT = 0.0, ParamT1 = -4.0, ParamT2 = 4.0;
  xP = 1.0, xQ = 2.0;
  FolgenGrenzwert = 0.0;
  edmax = 2.0;
  x1 = -7.0, x2 = 7.0, y1 = -7.0, y2 = 7.0;
  for (std::string* term : {&TermFxtab, &TermFx, &TermFt, &TermAfxuv, &TermStetigkeitF1,
                            &TermStetigkeitF2, &TermKovariation, &TermBisektion, &TermFolgen})
    term->clear();
  Schrittzahl = 200;
  Skalierung = true;
  Gitter = 1;

  if (ResetDrawingDefaults) ResetDrawingDefaults();
  PointX0 = 0.0;
  ShowDerivative = false;
  SpectrumOn = false;
  FixFamily = false;
  FixDrawing = false;
}

void SetDefaultCircleColours() {
  Farben::sinus = 16711680;
  Farben::cosinus = 255;
  Farben::tangens = 16711935;
  Farben::cotangens = 8388736;
  Farben::winkel = 65280;
  Farben::bogen = 32768;
  Schrittzahl2 = 4;
}

}  // namespace kurvio
