// SPDX-License-Identifier: GPL-3.0-or-later
#include "module/HelpWindow.h"

#include "module/ModuleDialog.h"

#include <QEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

namespace kurvio {
namespace {

// Columns line up in the fixed-pitch font of the text field.
const char* const kHelpText =
    "Funktionen:\n"
    "\n"
    "  abs     sgn     int     maxint  fak\n"
    "  deg     rad     sqr     sqrt    normal\n"
    "  phi     exp     lg      ln      ld\n"
    "  sin     cos     tan     cot\n"
    "  arcsin  arccos  arctan  arccot\n"
    "  sinh    cosh    tanh    coth\n"
    "\n"
    "Operatoren:\n"
    "\n"
    "  +  -  *  /  ^   (  )\n"
    "\n"
    "Konstanten:\n"
    "\n"
    "  pi   Kreiszahl      π = 3,141592654\n"
    "  e    Eulersche Zahl e = 2,718281829\n"
    "\n"
    "Variable und Parameter:\n"
    "\n"
    "  x    Variable (im Fenster zur Integralfunktion heißt die Variable t)\n"
    "  t    Parameter\n"
    "  a    Parameter\n"
    "  b    Parameter\n"
    "  c    Parameter\n"
    "  n    Index einer Folge a(n) (nur im Fenster zu Folgen; dort gibt es kein x)\n"
    "\n"
    "Syntaxregeln:\n"
    "\n"
    "- Ein Term wird von links nach rechts ausgewertet, mit den üblichen\n"
    "  Vorrangregeln: ^ vor * und /, * und / vor + und -.\n"
    "  Auch ^ wird von links ausgewertet: 2^3^2 = (2^3)^2 = 64;\n"
    "  für 2^(3^2) sind Klammern nötig.\n"
    "- Mit runden Klammern ( ) werden Teilterme zusammengefasst.\n"
    "- Ein Nenner, der eine Summe, eine Differenz oder ein Produkt ist, muss\n"
    "  in Klammern stehen (1/2x bedeutet (1/2)·x, gemeint ist 1/(2x)):\n"
    "      -x/(3-2x)(x+4)     bedeutet   (-x/(3-2x))·(x+4),\n"
    "      -x/((3-2x)(x+4))   hat den Nenner (3-2x)(x+4).\n"
    "- Das Argument einer Funktion muss in Klammern stehen:\n"
    "  sin(x), sin(2x), sqrt(x^2+1); sin x oder sinx sind Fehler.\n"
    "- ^ leitet einen Exponenten ein: x^2, 2^x, e^(-x), x^(1/3).\n"
    "  Ein Vorzeichen gehört zum Exponenten: 2^-1 = 0,5;\n"
    "  e^-x^2 bedeutet e^(-(x^2)).\n"
    "- Ein Minuszeichen als Vorzeichen gilt für die ganze Potenz: -x^2 = -(x^2).\n"
    "- Auf *, /, + oder - darf kein Vorzeichen folgen:\n"
    "  statt 3*-x schreibt man 3*(-x) oder -3x.\n"
    "- Das Multiplikationszeichen darf weggelassen werden:\n"
    "  2x = 2*x,  ax = a*x,  3sin(x) = 3*sin(x),  (x+1)(x-1),  2pi.\n"
    "  Jeder Buchstabe außerhalb eines Funktionsnamens steht für sich: ab = a*b.\n"
    "- Nach einer Zahl wird e als Zehnerpotenz gelesen: 2e3 = 2000,\n"
    "  1e-3 = 0,001. Für 2·e oder 2·exp(x) schreibt man 2*e bzw. 2*exp(x).\n"
    "- Dezimalzahlen mit Komma oder Punkt: 2,5 = 2.5. Vor und nach dem Komma\n"
    "  muss eine Ziffer stehen: 0,5 (nicht ,5) und 5 oder 5,0 (nicht 5,).\n"
    "- Groß- und Kleinschreibung sowie Leerzeichen spielen keine Rolle.\n"
    "- Was hinter { steht, ist Kommentar: x^2 {Normalparabel}.\n"
    "- In Zahlenfeldern dürfen Terme ohne x und t stehen: pi/2, sqrt(2), 1/3.\n"
    "\n"
    "Die Funktionen:\n"
    "\n"
    "  abs(x)     Betrag |x|\n"
    "  sgn(x)     Vorzeichen: 1 für x > 0, 0 für x = 0, -1 für x < 0\n"
    "             (auch sign(x))\n"
    "  int(x)     ganzzahliger Anteil, zur Null hin abgeschnitten:\n"
    "             int(2,7) = 2, int(-2,5) = -2\n"
    "  maxint(x)  größte ganze Zahl, die kleiner oder gleich x ist:\n"
    "             maxint(2,7) = 2, maxint(-2,5) = -3\n"
    "  fak(x)     Fakultät x! = 1·2·3·...·x für ganze Zahlen x ≥ 0,\n"
    "             fak(0) = 1; für x > 32 wird 32! genommen\n"
    "  deg(x)     Umrechnung vom Bogenmaß ins Gradmaß: x·180/π\n"
    "  rad(x)     Umrechnung vom Gradmaß ins Bogenmaß: x·π/180\n"
    "  sqr(x)     Quadrat x²\n"
    "  sqrt(x)    Quadratwurzel √x für x ≥ 0 (auch wurzel(x))\n"
    "  normal(x)  Dichte der Standardnormalverteilung: e^(-x²/2) / √(2π)\n"
    "  phi(x)     Verteilungsfunktion Φ(x) der Standardnormalverteilung\n"
    "             (Fläche unter normal links von x)\n"
    "  exp(x)     Exponentialfunktion e^x\n"
    "  lg(x)      Zehnerlogarithmus (Basis 10) für x > 0\n"
    "  ln(x)      natürlicher Logarithmus (Basis e) für x > 0\n"
    "  ld(x)      Zweierlogarithmus (Basis 2) für x > 0\n"
    "  sin(x)     Sinus, x im Bogenmaß\n"
    "  cos(x)     Kosinus, x im Bogenmaß\n"
    "  tan(x)     Tangens sin(x)/cos(x)\n"
    "  cot(x)     Kotangens cos(x)/sin(x)\n"
    "  arcsin(x)  Arkussinus, Umkehrfunktion des Sinus:\n"
    "             -1 ≤ x ≤ 1, Werte von -π/2 bis π/2\n"
    "  arccos(x)  Arkuskosinus, Umkehrfunktion des Kosinus:\n"
    "             -1 ≤ x ≤ 1, Werte von 0 bis π\n"
    "  arctan(x)  Arkustangens, Umkehrfunktion des Tangens:\n"
    "             Werte zwischen -π/2 und π/2\n"
    "  arccot(x)  Arkuskotangens π/2 - arctan(x):\n"
    "             Werte zwischen 0 und π\n"
    "  sinh(x)    Sinus hyperbolicus (e^x - e^(-x))/2\n"
    "  cosh(x)    Kosinus hyperbolicus (e^x + e^(-x))/2\n"
    "  tanh(x)    Tangens hyperbolicus sinh(x)/cosh(x)\n"
    "  coth(x)    Kotangens hyperbolicus cosh(x)/sinh(x) für x ≠ 0\n";

}  // namespace

TForm18::TForm18(QWidget* parent) : TModuleDialog(parent) {
  setWindowTitle(QStringLiteral("Hilfe"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  Memo1 = new QPlainTextEdit(this);
  Memo1->setReadOnly(true);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  Memo1->setPlainText(HelpText());
  Memo1->viewport()->installEventFilter(this);
  layout->addWidget(Memo1);
  resize(600, 520);
  InstallFieldKeys(false);
}

QString TForm18::HelpText() { return QString::fromUtf8(kHelpText); }

void TForm18::Execute(QWidget* owner) {
  TForm18 form(owner);
  form.exec();
}

bool TForm18::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Memo1->viewport() && event->type() == QEvent::MouseButtonPress) {
    close();
    return true;
  }
  return TModuleDialog::eventFilter(watched, event);
}

void TForm18::showEvent(QShowEvent* event) {
  TModuleDialog::showEvent(event);
  if (event->spontaneous()) return;
  CentreOnScreen(this);
}

}  // namespace kurvio
