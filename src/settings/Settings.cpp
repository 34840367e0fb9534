// SPDX-License-Identifier: GPL-3.0-or-later
// The settings globals with their load defaults, and the two reset routines.
#include "settings/Settings.h"

#include <cerrno>
#include <cmath>

#include "settings/IniFile.h"
#include "settings/ProgramFiles.h"

namespace kurvio {

std::string ProgramDir;
std::string UserDir;
char DecimalSeparator = ',';

namespace Farben {
Color Hintergrund = 16777215;
Color Zeichenstift = 0;
Color Gitter = 8421504;
Color Tangente = 16711680;
Color Sekante = 8388736;
Color Dreieck = 65535;
Color fStrich = 255;
Color f2Strich = 128;
Color sinus = 16711680;
Color cosinus = 255;
Color tangens = 128;
Color cotangens = 8388736;
Color flaeche = 65535;
Color bogen = 32768;
Color winkel = 65280;
Color epsilon = 12632256;
Color delta = 32768;
Color fvondelta = 255;
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

double IntegralX0 = 0.0;
double PointX0 = 0.0;
bool ShowDerivative = false;
bool SpectrumOn = false;
bool FixFamily = false;
bool FixDrawing = false;
int FlaechenStil = 0;

StartValuesRecord StartValues;

namespace {

constexpr int kNoColour = 0xFFFFFF;

// Every key of the file in file order: the global, its field in StartValues and
// the default. Integers carry the range the settings dialogs accept; a value
// outside it (a hand-edited file) reads as the default, since a step count of
// 0 or a delay of hours would stall the windows that use it.
template <class Visitor>
void ForEachKey(Visitor&& v) {
  auto& s = StartValues;
  v("Farben", "Hintergrund", Farben::Hintergrund, s.Farben.Hintergrund, 16777215, 0, kNoColour);
  v("Farben", "Zeichenstift", Farben::Zeichenstift, s.Farben.Zeichenstift, 0, 0, kNoColour);
  v("Farben", "Gitter", Farben::Gitter, s.Farben.Gitter, 8421504, 0, kNoColour);
  v("Farben", "Tangente", Farben::Tangente, s.Farben.Tangente, 16711680, 0, kNoColour);
  v("Farben", "Sekante", Farben::Sekante, s.Farben.Sekante, 8388736, 0, kNoColour);
  v("Farben", "Dreieck", Farben::Dreieck, s.Farben.Dreieck, 65535, 0, kNoColour);
  v("Farben", "fStrich", Farben::fStrich, s.Farben.fStrich, 255, 0, kNoColour);
  v("Farben", "f2Strich", Farben::f2Strich, s.Farben.f2Strich, 128, 0, kNoColour);
  v("Farben", "sinus", Farben::sinus, s.Farben.sinus, 16711680, 0, kNoColour);
  v("Farben", "cosinus", Farben::cosinus, s.Farben.cosinus, 255, 0, kNoColour);
  v("Farben", "tangens", Farben::tangens, s.Farben.tangens, 128, 0, kNoColour);
  v("Farben", "cotangens", Farben::cotangens, s.Farben.cotangens, 8388736, 0, kNoColour);
  v("Farben", "flaeche", Farben::flaeche, s.Farben.flaeche, 65535, 0, kNoColour);
  v("Farben", "bogen", Farben::bogen, s.Farben.bogen, 32768, 0, kNoColour);
  v("Farben", "winkel", Farben::winkel, s.Farben.winkel, 65280, 0, kNoColour);
  v("Farben", "epsilon", Farben::epsilon, s.Farben.epsilon, 12632256, 0, kNoColour);
  v("Farben", "delta", Farben::delta, s.Farben.delta, 32768, 0, kNoColour);
  v("Farben", "fvondelta", Farben::fvondelta, s.Farben.fvondelta, 255, 0, kNoColour);
  v("Faktor", "drucken%", DruckenProzent, s.DruckenProzent, 100, 20, 200);
  v("Faktor", "Tangentenl\xE4nge", Tangentenlaenge, s.Tangentenlaenge, 1.0);
  v("Eingabe", "Nachkommastellen", Nachkommastellen, s.Nachkommastellen, 2, 0, 4);
  v("Parameter", "a", ParamA, s.ParamA, 1.0);
  v("Parameter", "a1", ParamA1, s.ParamA1, -4.0);
  v("Parameter", "a2", ParamA2, s.ParamA2, 4.0);
  v("Parameter", "b", ParamB, s.ParamB, 0.0);
  v("Parameter", "b1", ParamB1, s.ParamB1, -4.0);
  v("Parameter", "b2", ParamB2, s.ParamB2, 4.0);
  v("Parameter", "c", ParamC, s.ParamC, 0.0);
  v("Parameter", "c1", ParamC1, s.ParamC1, -4.0);
  v("Parameter", "c2", ParamC2, s.ParamC2, 4.0);
  v("Parameter", "t", ParamT, s.ParamT, 0.0);
  v("Parameter", "t1", ParamT1, s.ParamT1, -4.0);
  v("Parameter", "t2", ParamT2, s.ParamT2, 4.0);
  v("xP xQ Koordinaten", "xP", xP, s.xP, 1.0);
  v("xP xQ Koordinaten", "xQ", xQ, s.xQ, 2.0);
  v("Folgen Grenzwert", "g", FolgenGrenzwert, s.FolgenGrenzwert, 0.0);
  v("eps-delta-Umgebung maxRadius", "edmax", edmax, s.edmax, 2.0);
  v("Koordinatensystem", "x1", x1, s.x1, -7.0);
  v("Koordinatensystem", "x2", x2, s.x2, 7.0);
  v("Koordinatensystem", "y1", y1, s.y1, -7.0);
  v("Koordinatensystem", "y2", y2, s.y2, 7.0);
  v("Funktionsterme", "f(x,t,a,b)", TermFxtab, s.TermFxtab, "");
  v("Funktionsterme", "f(x)", TermFx, s.TermFx, "");
  v("Funktionsterme", "f(t)", TermFt, s.TermFt, "");
  v("Funktionsterme", "af(x-u)+v", TermAfxuv, s.TermAfxuv, "");
  v("Funktionsterme", "Stetigkeit f1(x)", TermStetigkeitF1, s.TermStetigkeitF1, "");
  v("Funktionsterme", "Stetigkeit f2(x)", TermStetigkeitF2, s.TermStetigkeitF2, "");
  v("Funktionsterme", "Kovariation f(x)", TermKovariation, s.TermKovariation, "");
  v("Funktionsterme", "Bisektion f(x)", TermBisektion, s.TermBisektion, "");
  v("Funktionsterme", "Folgen a(n)", TermFolgen, s.TermFolgen, "");
  v("Animation", "Schrittzahl", Schrittzahl, s.Schrittzahl, 200, 20, 3000);
  v("Animation", "Schrittzahl2", Schrittzahl2, s.Schrittzahl2, 2, 1, 20);
  v("Animation", "time", FrameDelay, s.FrameDelay, 0, 0, 1000);
  v("Koordinatensystem", "Skalierung", Skalierung, s.Skalierung, true);
  v("Koordinatensystem", "Gitter", Gitter, s.Gitter, 2, 1, 3);
}

// Reads into the globals, or into StartValues with the longer term limit. A
// key the file lacks, or holds out of range, takes its default; laid `over`
// an earlier file, it keeps the value that file gave.
struct Reader {
  const IniFile& ini;
  bool intoStartValues;
  bool over = false;

  template <class T>
  T& Target(T& global, T& start) const {
    return intoStartValues ? start : global;
  }
  template <class T>  // int and Color
  void operator()(const char* section, const char* key, T& global, T& start, int fallback, int lo,
                  int hi) const {
    T& to = Target(global, start);
    if (over) fallback = static_cast<int>(to);
    int v = ini.ReadInteger(section, key, fallback);
    if (v < lo || v > hi) v = fallback;
    to = static_cast<T>(v);
  }
  void operator()(const char* section, const char* key, double& global, double& start,
                  double fallback) const {
    double& to = Target(global, start);
    to = ini.ReadReal(section, key, over ? to : fallback);
  }
  void operator()(const char* section, const char* key, bool& global, bool& start,
                  bool fallback) const {
    bool& to = Target(global, start);
    to = ini.ReadBool(section, key, over ? to : fallback);
  }
  void operator()(const char* section, const char* key, std::string& global, std::string& start,
                  const char* fallback) const {
    const std::size_t limit = intoStartValues ? kStartTermLength : kTermSettingLength;
    std::string& to = Target(global, start);
    to = ini.ReadString(section, key, over ? to : std::string(fallback)).substr(0, limit);
  }
};

struct Writer {
  IniFile& ini;

  void operator()(const char* section, const char* key, int& global, int&, int, int, int) const {
    ini.WriteInteger(section, key, global);
  }
  void operator()(const char* section, const char* key, Color& global, Color&, int, int,
                  int) const {
    ini.WriteInteger(section, key, static_cast<int>(global));
  }
  void operator()(const char* section, const char* key, double& global, double&, double) const {
    ini.WriteReal(section, key, global, DecimalSeparator);
  }
  void operator()(const char* section, const char* key, bool& global, bool&, bool) const {
    ini.WriteBool(section, key, global);
  }
  void operator()(const char* section, const char* key, std::string& global, std::string&,
                  const char*) const {
    ini.WriteString(section, key, global);
  }
};

// The plot frame divides by x2 - x1 and the sliders by p2 - p1; a hand-edited
// file must not bring an empty or reversed world window or an empty range.
void KeepWindow(double& lo, double& hi, double defaultLo, double defaultHi) {
  if (!(lo < hi) || !std::isfinite(hi - lo)) lo = defaultLo, hi = defaultHi;
}
void KeepRange(double& lo, double& hi, double defaultLo, double defaultHi) {
  if (lo == hi || !std::isfinite(hi - lo)) lo = defaultLo, hi = defaultHi;
}

// The view, the parameter ranges and the largest radius, by the field names of StartValues.
struct Ranges {
  double x1 = -7.0, x2 = 7.0, y1 = -7.0, y2 = 7.0;
  double ParamA1 = -4.0, ParamA2 = 4.0, ParamB1 = -4.0, ParamB2 = 4.0;
  double ParamC1 = -4.0, ParamC2 = 4.0, ParamT1 = -4.0, ParamT2 = 4.0;
  double edmax = 2.0;
};

// An unusable pair in `v` takes the pair of `fallback`.
template <class Values>
void KeepUsable(Values& v, const Ranges& fallback = {}) {
  KeepWindow(v.x1, v.x2, fallback.x1, fallback.x2);
  KeepWindow(v.y1, v.y2, fallback.y1, fallback.y2);
  KeepRange(v.ParamA1, v.ParamA2, fallback.ParamA1, fallback.ParamA2);
  KeepRange(v.ParamB1, v.ParamB2, fallback.ParamB1, fallback.ParamB2);
  KeepRange(v.ParamC1, v.ParamC2, fallback.ParamC1, fallback.ParamC2);
  KeepRange(v.ParamT1, v.ParamT2, fallback.ParamT1, fallback.ParamT2);
  // The limit window divides by the largest radius.
  if (!(v.edmax > 0.0)) v.edmax = fallback.edmax;
}

// The globals seen through the field names of StartValues, for KeepUsable.
struct GlobalRanges {
  double &x1, &x2, &y1, &y2, &ParamA1, &ParamA2, &ParamB1, &ParamB2, &ParamC1, &ParamC2, &ParamT1,
      &ParamT2, &edmax;
};

GlobalRanges Globals() {
  return {x1,      x2,      y1,      y2,      ParamA1, ParamA2, ParamB1,
          ParamB2, ParamC1, ParamC2, ParamT1, ParamT2, edmax};
}

bool Listed(const std::vector<std::string>& keys, const char* section, const char* key) {
  const std::string name = std::string(section) + '/' + key;
  for (const std::string& k : keys)
    if (k == name) return true;
  return false;
}

// Reads only the named keys, each with its global as the fallback.
struct NamedKeysReader {
  const IniFile& ini;
  const std::vector<std::string>& keys;

  bool Named(const char* section, const char* key) const { return Listed(keys, section, key); }
  template <class T>
  void operator()(const char* section, const char* key, T& global, T&, int, int lo, int hi) const {
    if (!Named(section, key)) return;
    const int v = ini.ReadInteger(section, key, static_cast<int>(global));
    if (v >= lo && v <= hi) global = static_cast<T>(v);
  }
  void operator()(const char* section, const char* key, double& global, double&, double) const {
    if (Named(section, key)) global = ini.ReadReal(section, key, global);
  }
  void operator()(const char* section, const char* key, bool& global, bool&, bool) const {
    if (Named(section, key)) global = ini.ReadBool(section, key, global);
  }
  void operator()(const char* section, const char* key, std::string& global, std::string&,
                  const char*) const {
    if (Named(section, key))
      global = ini.ReadString(section, key, global).substr(0, kTermSettingLength);
  }
};

struct NamedKeysWriter {
  IniFile& ini;
  const std::vector<std::string>& keys;

  template <class... Rest>
  void operator()(const char* section, const char* key, Rest&&... rest) const {
    if (Listed(keys, section, key)) Writer{ini}(section, key, rest...);
  }
};

void KeepGlobalsUsable() {
  GlobalRanges globals = Globals();
  KeepUsable(globals);
}

}  // namespace

void ReadSettingKeys(const IniFile& ini, const std::vector<std::string>& keys) {
  // A pair that the file leaves unusable keeps the values it had: a window's
  // own opening view rather than the defaults of Kurvio.ini.
  const GlobalRanges g = Globals();
  const Ranges before{g.x1,      g.x2,      g.y1,      g.y2,      g.ParamA1, g.ParamA2, g.ParamB1,
                      g.ParamB2, g.ParamC1, g.ParamC2, g.ParamT1, g.ParamT2, g.edmax};
  ForEachKey(NamedKeysReader{ini, keys});
  GlobalRanges globals = Globals();
  KeepUsable(globals, before);
  KeepGlobalsUsable();
}

void WriteSettingKeys(IniFile& ini, const std::vector<std::string>& keys) {
  ForEachKey(NamedKeysWriter{ini, keys});
}

bool LoadSettings() {
  std::string content;
  // A file that is missing or cannot be read gives the defaults.
  const std::string path = PathForReading(kSettingsFileName);
  const bool readable = ReadWholeFile(path, content) != ReadResult::kFailed;
  // Where a school has its own defaults: the shipped file, then the school's,
  // then the user's own file over them. A school file that cannot be read is
  // passed over.
  const std::vector<std::string> school = SchoolSettingsFiles();
  std::vector<std::string> layers;
  const std::string shipped = ShippedPath(kSettingsFileName);
  const bool own = path != shipped;
  std::string layer;
  if (school.empty() || !own)
    layers.push_back(content);
  else if (!shipped.empty() && ReadWholeFile(shipped, layer) == ReadResult::kOk)
    layers.push_back(layer);
  for (const std::string& file : school)
    if (ReadWholeFile(file, layer) == ReadResult::kOk) layers.push_back(layer);
  if (!school.empty() && own) layers.push_back(content);
  for (std::size_t i = 0; i < layers.size(); ++i) {
    const IniFile ini(layers[i]);
    ForEachKey(Reader{ini, false, i > 0});
    ForEachKey(Reader{ini, true, i > 0});
  }
  KeepGlobalsUsable();
  KeepUsable(StartValues);
  return readable;
}

SettingsSave SaveSettings() {
  SettingsSave result;
  std::string content;
  // Lines the program does not know are kept, so a file that exists but
  // cannot be read is left alone rather than replaced by a stripped copy.
  const std::string readPath = PathForReading(kSettingsFileName);
  if (ReadWholeFile(readPath, content) == ReadResult::kFailed) {
    result.outcome = SettingsSave::kUnreadable;
    result.path = readPath;
    return result;
  }
  IniFile ini(content);
  ForEachKey(Writer{ini});
  const std::string path = PathForWriting(kSettingsFileName);
  result.path = path.empty() ? kSettingsFileName : path;
  if (path.empty()) {
    // Neither the program's folder nor a folder of the user's own can take it.
    result.outcome = SettingsSave::kFailed;
    result.error = kNoWritableFolder;
  } else if (!WriteFileAtomically(path, ini.Text())) {
    result.outcome = SettingsSave::kFailed;
    result.error = errno;
  }
  return result;
}

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
