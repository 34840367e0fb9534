// The settings dialog driven through its fields and buttons on the offscreen
// platform: what it stores in the globals, what it shows and what it writes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "module/SettingsDialog.h"
#include "plot/PlotFrame.h"
#include "settings/FileMessages.h"
#include "settings/ProgramFiles.h"
#include "settings/ProgramPrinter.h"
#include "settings/Settings.h"
#include "support/TempDir.h"
#include "support/WindowFixture.h"
#include "term/Term.h"
#include "widgets/TBitCheckBox.h"
#include "widgets/TColorButton.h"
#include "widgets/TFillStyleComboBox.h"
#include "widgets/TLineWidthComboBox.h"

namespace kurvio {
namespace {

class SettingsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgramDir = dir.Dir();
    UserDir = dir.Dir();
    DecimalSeparator = ',';
    SetDefaultSettings();
    AutoTickSteps = true;
    ManualXTickStep = ManualYTickStep = 1.0;
    TrigAxisMode = false;
    FlaechenStil = 0;
    ComputeTickSteps();
    SyntaxErrorReporter = [this](const std::string& m) { messages.push_back(m); };
  }
  void TearDown() override {
    form.reset();
    SyntaxErrorReporter = nullptr;
    SetDefaultSettings();
    // What SetDefaultSettings leaves alone.
    AutoTickSteps = true;
    ManualXTickStep = ManualYTickStep = 1.0;
    FrameDelay = 0;
    Tangentenlaenge = 1.0;
    FlaechenStil = 0;
    ComputeTickSteps();
  }
  // Opens the dialog on the globals as they stand.
  void Open() {
    form = std::make_unique<TForm2>(
        nullptr, [this] { ++redraws; }, [this] { ++stepChanges; });
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }
  // Types into a field and leaves it with Enter, as a user does.
  void Type(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
  }
  void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
  void Click(TBitCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 5)); }

  TempDir dir;
  std::vector<std::string> messages;
  std::unique_ptr<TForm2> form;
  int redraws = 0;
  int stepChanges = 0;
};

TEST_F(SettingsDialogTest, DesignNames) {
  Open();
  ExpectDesignNames(form.get(), "kurvio::TColorButton",
                    {"ColorButton1", "ColorButton2", "ColorButton3", "ColorButton4", "ColorButton5",
                     "ColorButton6", "ColorButton7", "ColorButton8", "ColorButton9"});
  ExpectDesignNames(form.get(), "QLineEdit",
                    {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6", "Edit7", "Edit8",
                     "Edit9", "Edit10", "Edit11"});
  ExpectDesignNames(form.get(), "QAbstractButton",
                    {"SpeedButton50", "SpeedButton52", "SpeedButton53", "SpeedButton60",
                     "SpeedButton61", "SpeedButton1", "Button1", "Button2", "Button3"});
  ExpectDesignNames(form.get(), {{"FillStyleComboBox1", "kurvio::TFillStyleComboBox"},
                                 {"TrackBar1", "QSlider"},
                                 {"LineWidthComboBox1", "kurvio::TLineWidthComboBox"},
                                 {"BitCheckBox1", "kurvio::TBitCheckBox"}});
}

TEST_F(SettingsDialogTest, ShowingFillsEveryControlFromTheGlobals) {
  x1 = -2, x2 = 12, y1 = -0.5, y2 = 250;
  edmax = 1.5;
  Nachkommastellen = 3;
  DruckenProzent = 150;
  Schrittzahl = 500;
  FrameDelay = 40;
  Gitter = 3;
  Skalierung = false;
  Tangentenlaenge = 3.4;
  LineWidth = 4;
  Farben::Zeichenstift = 255;
  Farben::flaeche = 65280;
  FlaechenStil = 5;
  AutoTickSteps = false;
  ManualXTickStep = 0.25;
  ManualYTickStep = 50;
  Open();

  EXPECT_EQ(form->xFromField->text(), " -2,000     ");
  EXPECT_EQ(form->xToField->text(), " 12,000     ");
  EXPECT_EQ(form->yToField->text(), "  2,500 E+2");
  EXPECT_EQ(form->edMaxField->text(), "  1,500     ");
  EXPECT_EQ(form->decimalsField->text(), "3");
  EXPECT_EQ(form->printPercentField->text(), "150");
  EXPECT_EQ(form->stepsField->text(), "500");
  EXPECT_EQ(form->delayField->text(), "40");
  EXPECT_TRUE(form->solidGridButton->isChecked());
  EXPECT_TRUE(form->labelsOffButton->isChecked());
  EXPECT_FALSE(form->labelsOnButton->isChecked());
  EXPECT_EQ(form->tangentLengthSlider->value(), 3);
  EXPECT_EQ(form->lineWidthBox->LineWidth(), 4);
  EXPECT_EQ(form->curveColorButton->SelectionColor(), 255);
  EXPECT_EQ(form->areaColorButton->SelectionColor(), 65280);
  EXPECT_EQ(form->fillStyleBox->FillStyle(), 5);
  EXPECT_EQ(form->fillStyleBox->BrushColor(), 65280);
  // Manual spacing: the fields are open and show the manual values.
  EXPECT_FALSE(form->autoTicksBox->Checked());
  EXPECT_TRUE(form->xTickField->isEnabled());
  EXPECT_EQ(form->xTickField->text(), "  0,250     ");
  EXPECT_EQ(form->yTickField->text(), " 50,000     ");
  // Filling writes nothing back and redraws nothing.
  EXPECT_EQ(Tangentenlaenge, 3.4);
  EXPECT_EQ(redraws, 0);
  EXPECT_EQ(stepChanges, 0);
}

TEST_F(SettingsDialogTest, AutomaticSpacingShowsTheCurrentStepsInClosedFields) {
  y1 = -70, y2 = 70;
  ComputeTickSteps();  // as the last drawing left them: 1 and 10
  Open();
  EXPECT_TRUE(form->autoTicksBox->Checked());
  EXPECT_FALSE(form->xTickField->isEnabled());
  EXPECT_FALSE(form->yTickField->isEnabled());
  EXPECT_EQ(form->xTickField->text(), "  1,00     ");
  EXPECT_EQ(form->yTickField->text(), " 10,00     ");
}

// Typed one after the other into the window -7..7: expressions are taken, an
// undefined one brings the old value back silently, and the window never becomes
// empty or reversed, though widening on the far side first lets the near side follow.
TEST_F(SettingsDialogTest, WorldWindowFieldsTakeExpressionsAndStayOrdered) {
  const struct {
    QLineEdit* TForm2::*field;
    const char* typed;
    double* global;
    double stored;
    QString shown;  // empty: not looked at
  } cases[] = {
      {&TForm2::xToField, "pi", &x2, 3.141592654, "  3,14     "},
      {&TForm2::xFromField, "-sqrt(16)", &x1, -4, {}},
      {&TForm2::yFromField, "-1/0", &y1, -7, " -7,00     "},
      {&TForm2::yToField, "1e3", &y2, 1000, "  1,00 E+3"},
      {&TForm2::edMaxField, "0,5", &edmax, 0.5, {}},
      {&TForm2::xFromField, "10", &x1, -4, " -4,00     "},  // beyond x2
      {&TForm2::xToField, "-4", &x2, 3.14, "  3,14     "},  // equal to x1: the shown value
      {&TForm2::yFromField, "2000", &y1, -7, {}},
      {&TForm2::yToField, "-8", &y2, 1000, {}},
      {&TForm2::xToField, "20", &x2, 20, {}},
      {&TForm2::xFromField, "10", &x1, 10, {}},
  };
  Open();
  for (const auto& c : cases) {
    QLineEdit* field = form.get()->*c.field;
    Type(field, c.typed);
    EXPECT_DOUBLE_EQ(*c.global, c.stored) << c.typed;
    if (!c.shown.isEmpty()) {
      EXPECT_EQ(field->text(), c.shown) << c.typed;
    }
  }
  EXPECT_TRUE(messages.empty());

  Type(form->xToField, "2x");  // a syntax error keeps the text, the focus and the value
  EXPECT_EQ(messages, std::vector<std::string>{"Syntaxfehler: unbekanntes Symbol "});
  EXPECT_EQ(x2, 20);
  EXPECT_EQ(form->xToField->text(), "2x");
  EXPECT_TRUE(form->xToField->hasFocus());
}

TEST_F(SettingsDialogTest, ManualSpacingGivesWayWhenTicksAreTooFewOrTooMany) {
  Open();
  Click(form->autoTicksBox);  // manual
  ASSERT_TRUE(form->xTickField->isEnabled());
  struct Case {
    const char* typed;
    double stored;
    const char* shown;
  };
  // Window -7..7: 0.5 gives 28 ticks, 5 about 3, 0.7 exactly 20, 14/22 rounds to 1.
  const Case cases[] = {
      {"0,5", 1, "  1,00     "},   {"5", 5, "  5,00     "},           {"0,7", 0.7, "  0,70     "},
      {"14/22", 1, "  1,00     "}, {"0", 1, "  1,00     "},           {"-2", 1, "  1,00     "},
      {"1/0", 1, "  1,00     "},   {"14/3", 14.0 / 3, "  4,67     "},
  };
  for (const Case& c : cases) {
    ManualXTickStep = 1;
    Type(form->xTickField, c.typed);
    EXPECT_DOUBLE_EQ(ManualXTickStep, c.stored) << c.typed;
    EXPECT_EQ(form->xTickField->text(), c.shown) << c.typed;
    EXPECT_FALSE(AutoTickSteps) << c.typed;
  }
  // The y field measures against y1..y2.
  y1 = 0, y2 = 100;
  Type(form->yTickField, "2");  // 50 ticks
  EXPECT_EQ(ManualYTickStep, 10);
  Type(form->yTickField, "20");
  EXPECT_EQ(ManualYTickStep, 20);
  EXPECT_TRUE(messages.empty());
}

TEST_F(SettingsDialogTest, SwitchingAutomaticOffAndOn) {
  // Steps 0.5 and 10; without decimals the field shows 0.5 rounded.
  x1 = -3.5, x2 = 3.5;
  y1 = -70, y2 = 70;
  ComputeTickSteps();
  Nachkommastellen = 0;
  Open();
  Click(form->autoTicksBox);
  EXPECT_FALSE(AutoTickSteps);
  EXPECT_TRUE(form->xTickField->isEnabled());
  EXPECT_TRUE(form->yTickField->isEnabled());
  EXPECT_EQ(ManualXTickStep, 0.5);
  EXPECT_EQ(ManualYTickStep, 10);

  x1 = -50, x2 = 50;
  Click(form->autoTicksBox);
  EXPECT_TRUE(AutoTickSteps);
  EXPECT_FALSE(form->xTickField->isEnabled());
  EXPECT_EQ(XTickStep, 10);
  EXPECT_EQ(form->xTickField->text(), "  10     ");
}

TEST_F(SettingsDialogTest, IntegerFieldsFallBackAndClamp) {
  struct Case {
    QLineEdit* TForm2::*field;
    const char* typed;
    int* global;
    int stored;
  };
  const Case cases[] = {
      {&TForm2::stepsField, "10", &Schrittzahl, 200},
      {&TForm2::stepsField, "3001", &Schrittzahl, 200},
      {&TForm2::stepsField, "abc", &Schrittzahl, 200},
      {&TForm2::stepsField, "20", &Schrittzahl, 20},
      {&TForm2::stepsField, "3000", &Schrittzahl, 3000},
      {&TForm2::printPercentField, "300", &DruckenProzent, 100},
      {&TForm2::printPercentField, "19", &DruckenProzent, 100},
      {&TForm2::printPercentField, "x", &DruckenProzent, 100},
      {&TForm2::printPercentField, "200", &DruckenProzent, 200},
      {&TForm2::delayField, "5000", &FrameDelay, 1000},
      {&TForm2::delayField, "-5", &FrameDelay, 0},
      {&TForm2::delayField, "zz", &FrameDelay, 0},
      {&TForm2::delayField, "250", &FrameDelay, 250},
      {&TForm2::decimalsField, "7", &Nachkommastellen, 4},
      {&TForm2::decimalsField, "-1", &Nachkommastellen, 0},
      {&TForm2::decimalsField, "", &Nachkommastellen, 2},
      {&TForm2::decimalsField, "2,5", &Nachkommastellen, 2},
      {&TForm2::decimalsField, "3", &Nachkommastellen, 3},
      {&TForm2::decimalsField, "99999999999", &Nachkommastellen, 2},
  };
  Open();
  for (const Case& c : cases) {
    *c.global = 123;
    QLineEdit* field = form.get()->*c.field;
    Type(field, c.typed);
    EXPECT_EQ(*c.global, c.stored) << c.typed;
    EXPECT_EQ(field->text(), QString::number(c.stored)) << c.typed;
  }
  EXPECT_TRUE(messages.empty());
}

TEST_F(SettingsDialogTest, StepCountTellsTheOwner) {
  Open();
  Type(form->stepsField, "400");
  EXPECT_EQ(Schrittzahl, 400);
  EXPECT_EQ(stepChanges, 1);
  EXPECT_FALSE(form->stepsField->hasFocus());  // Enter moved on without closing the dialog
  EXPECT_TRUE(form->isVisible());
}

TEST_F(SettingsDialogTest, GridAndLabelButtons) {
  Open();
  EXPECT_TRUE(form->noGridButton->isChecked());  // the defaults have no grid
  Click(form->solidGridButton);
  EXPECT_EQ(Gitter, 3);
  EXPECT_FALSE(form->noGridButton->isChecked());
  Click(form->dottedGridButton);
  EXPECT_EQ(Gitter, 2);
  EXPECT_FALSE(form->solidGridButton->isChecked());
  Click(form->noGridButton);
  EXPECT_EQ(Gitter, 1);
  Click(form->labelsOffButton);
  EXPECT_FALSE(Skalierung);
  EXPECT_FALSE(form->labelsOnButton->isChecked());
  Click(form->labelsOnButton);
  EXPECT_TRUE(Skalierung);
}

TEST_F(SettingsDialogTest, ColoursLineAndFill) {
  Open();
  form->curveColorButton->SetSelectionColor(255);
  EXPECT_EQ(Farben::Zeichenstift, 255);
  EXPECT_EQ(redraws, 1);
  form->areaColorButton->SetSelectionColor(12345);
  EXPECT_EQ(Farben::flaeche, 12345);
  EXPECT_EQ(form->fillStyleBox->BrushColor(), 12345);
  const struct {
    TColorButton* button;
    Color* global;
  } others[] = {{form->derivativeColorButton, &Farben::fStrich},
                {form->secondDerivativeColorButton, &Farben::f2Strich},
                {form->secantColorButton, &Farben::Sekante},
                {form->triangleColorButton, &Farben::Dreieck},
                {form->tangentColorButton, &Farben::Tangente},
                {form->backgroundColorButton, &Farben::Hintergrund},
                {form->gridColorButton, &Farben::Gitter}};
  int colour = 1000;
  for (const auto& o : others) {
    o.button->SetSelectionColor(++colour);
    EXPECT_EQ(*o.global, static_cast<Color>(colour));
  }
  EXPECT_EQ(redraws, 1);  // only the curve colour redraws the owner

  form->tangentLengthSlider->setValue(6);
  EXPECT_EQ(Tangentenlaenge, 6);
  form->lineWidthBox->setCurrentIndex(2);
  emit form->lineWidthBox->activated(2);
  EXPECT_EQ(LineWidth, 3);
  form->fillStyleBox->setCurrentIndex(6);
  emit form->fillStyleBox->activated(6);
  EXPECT_EQ(FlaechenStil, 6);
}

TEST_F(SettingsDialogTest, SaveButtonsWriteTheFile) {
  Open();
  Type(form->xToField, "12");
  Click(form->solidGridButton);
  Click(form->saveButton);
  x2 = 0;
  Gitter = 2;
  LoadSettings();
  EXPECT_EQ(x2, 12);
  EXPECT_EQ(Gitter, 3);

  // Defaults: no grid, and the dialog shows them at once.
  Schrittzahl = 700;
  LineWidth = 4;
  Click(form->defaultsButton);
  EXPECT_EQ(Gitter, 1);
  EXPECT_EQ(LineWidth, 1);
  EXPECT_EQ(x2, 7);
  EXPECT_TRUE(form->noGridButton->isChecked());
  EXPECT_EQ(form->xToField->text(), "  7,00     ");
  EXPECT_EQ(form->stepsField->text(), "200");
  EXPECT_EQ(redraws, 1);
  EXPECT_EQ(stepChanges, 1);
  Gitter = 3;
  x2 = 0;
  LoadSettings();
  EXPECT_EQ(Gitter, 1);
  EXPECT_EQ(x2, 7);
  EXPECT_NE(ReadBytes(dir.File("Kurvio.ini")).find("Gitter=1\r\n"), std::string::npos);
}

TEST_F(SettingsDialogTest, AFailedSaveIsReportedWithTheFile) {
  Open();
  std::vector<QString> reported;
  ReportFileError = [&reported](QWidget*, const QString& m) { reported.push_back(m); };
  RenameFile = [](const char*, const char*) {
    errno = ENOSPC;
    return -1;
  };
  const QString path = QString::fromStdString(dir.File("Kurvio.ini"));
  for (QPushButton* button : {form->saveButton, form->defaultsButton}) {
    Click(button);
    ASSERT_FALSE(reported.empty());
    EXPECT_TRUE(reported.back().contains(path)) << reported.back().toStdString();
    EXPECT_TRUE(reported.back().contains(QStringLiteral("kein Platz")))
        << reported.back().toStdString();
  }
  EXPECT_EQ(reported.size(), 2u);
  RenameFile = &std::rename;
  ReportFileError = nullptr;
  Click(form->saveButton);  // saved: no word
}

TEST_F(SettingsDialogTest, OkClosesAndEscapeToo) {
  Open();
  Click(form->okButton);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(form->result(), QDialog::Accepted);
  Open();
  QTest::keyClick(form->xFromField, Qt::Key_Escape);
  EXPECT_FALSE(form->isVisible());
}

TEST_F(SettingsDialogTest, PrinterSetUpWorksOnTheProgramPrinter) {
  Open();
  QPrinter* seen = nullptr;
  QTimer::singleShot(0, [&] {
    if (auto* dialog = qobject_cast<QPageSetupDialog*>(QApplication::activeModalWidget())) {
      seen = dialog->printer();
      dialog->reject();
    }
  });
  Click(form->printerSetupButton);
  EXPECT_EQ(seen, &ProgramPrinter());
}

}  // namespace
}  // namespace kurvio
