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

  EXPECT_EQ(form->windowTitle(), "Einstellungen");
  EXPECT_EQ(form->Edit1->text(), " -2,000     ");
  EXPECT_EQ(form->Edit2->text(), " 12,000     ");
  EXPECT_EQ(form->Edit4->text(), "  2,500 E+2");
  EXPECT_EQ(form->Edit11->text(), "  1,500     ");
  EXPECT_EQ(form->Edit10->text(), "3");
  EXPECT_EQ(form->Edit8->text(), "150");
  EXPECT_EQ(form->Edit7->text(), "500");
  EXPECT_EQ(form->Edit9->text(), "40");
  EXPECT_TRUE(form->SpeedButton53->isChecked());
  EXPECT_TRUE(form->SpeedButton61->isChecked());
  EXPECT_FALSE(form->SpeedButton60->isChecked());
  EXPECT_EQ(form->TrackBar1->value(), 3);
  EXPECT_EQ(form->LineWidthComboBox1->LineWidth(), 4);
  EXPECT_EQ(form->ColorButton1->SelectionColor(), 255);
  EXPECT_EQ(form->ColorButton8->SelectionColor(), 65280);
  EXPECT_EQ(form->FillStyleComboBox1->FillStyle(), 5);
  EXPECT_EQ(form->FillStyleComboBox1->BrushColor(), 65280);
  // Manual spacing: the fields are open and show the manual values.
  EXPECT_FALSE(form->BitCheckBox1->Checked());
  EXPECT_TRUE(form->Edit5->isEnabled());
  EXPECT_EQ(form->Edit5->text(), "  0,250     ");
  EXPECT_EQ(form->Edit6->text(), " 50,000     ");
  // Filling writes nothing back and redraws nothing.
  EXPECT_EQ(Tangentenlaenge, 3.4);
  EXPECT_EQ(redraws, 0);
  EXPECT_EQ(stepChanges, 0);
  EXPECT_EQ(form->Edit7->maxLength(), 4);
  EXPECT_EQ(form->Edit9->maxLength(), 4);
  EXPECT_EQ(form->Edit8->maxLength(), 3);
}

TEST_F(SettingsDialogTest, AutomaticSpacingShowsTheCurrentStepsInClosedFields) {
  y1 = -70, y2 = 70;
  ComputeTickSteps();  // as the last drawing left them: 1 and 10
  Open();
  EXPECT_TRUE(form->BitCheckBox1->Checked());
  EXPECT_FALSE(form->Edit5->isEnabled());
  EXPECT_FALSE(form->Edit6->isEnabled());
  EXPECT_EQ(form->Edit5->text(), "  1,00     ");
  EXPECT_EQ(form->Edit6->text(), " 10,00     ");
}

TEST_F(SettingsDialogTest, WorldWindowFieldsTakeExpressions) {
  Open();
  Type(form->Edit2, "pi");
  EXPECT_DOUBLE_EQ(x2, 3.141592654);
  EXPECT_EQ(form->Edit2->text(), "  3,14     ");
  Type(form->Edit1, "-sqrt(16)");
  EXPECT_EQ(x1, -4);
  Type(form->Edit3, "-1/0");  // undefined: the old value comes back silently
  EXPECT_EQ(y1, -7);
  EXPECT_EQ(form->Edit3->text(), " -7,00     ");
  Type(form->Edit4, "1e3");
  EXPECT_EQ(y2, 1000);
  EXPECT_EQ(form->Edit4->text(), "  1,00 E+3");
  Type(form->Edit11, "0,5");
  EXPECT_EQ(edmax, 0.5);
  EXPECT_TRUE(messages.empty());
}

TEST_F(SettingsDialogTest, SyntaxErrorKeepsTextFocusAndValue) {
  Open();
  Type(form->Edit2, "2x");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Syntaxfehler: unbekanntes Symbol ");
  EXPECT_EQ(x2, 7);
  EXPECT_EQ(form->Edit2->text(), "2x");
  EXPECT_TRUE(form->Edit2->hasFocus());
}

TEST_F(SettingsDialogTest, WorldWindowNeverBecomesEmptyOrReversed) {
  Open();
  Type(form->Edit1, "10");  // beyond x2 = 7
  EXPECT_EQ(x1, -7);
  EXPECT_EQ(form->Edit1->text(), " -7,00     ");
  Type(form->Edit2, "-7");  // equal to x1
  EXPECT_EQ(x2, 7);
  EXPECT_EQ(form->Edit2->text(), "  7,00     ");
  Type(form->Edit3, "7");
  Type(form->Edit4, "-8");
  EXPECT_EQ(y1, -7);
  EXPECT_EQ(y2, 7);
  // Widening on the far side first lets the near side follow.
  Type(form->Edit2, "20");
  Type(form->Edit1, "10");
  EXPECT_EQ(x1, 10);
  EXPECT_EQ(x2, 20);
  EXPECT_TRUE(messages.empty());
}

TEST_F(SettingsDialogTest, ManualSpacingGivesWayWhenTicksAreTooFewOrTooMany) {
  Open();
  Click(form->BitCheckBox1);  // manual
  ASSERT_TRUE(form->Edit5->isEnabled());
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
    Type(form->Edit5, c.typed);
    EXPECT_DOUBLE_EQ(ManualXTickStep, c.stored) << c.typed;
    EXPECT_EQ(form->Edit5->text(), c.shown) << c.typed;
    EXPECT_FALSE(AutoTickSteps) << c.typed;
  }
  // The y field measures against y1..y2.
  y1 = 0, y2 = 100;
  Type(form->Edit6, "2");  // 50 ticks
  EXPECT_EQ(ManualYTickStep, 10);
  Type(form->Edit6, "20");
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
  Click(form->BitCheckBox1);
  EXPECT_FALSE(AutoTickSteps);
  EXPECT_TRUE(form->Edit5->isEnabled());
  EXPECT_TRUE(form->Edit6->isEnabled());
  EXPECT_EQ(ManualXTickStep, 0.5);
  EXPECT_EQ(ManualYTickStep, 10);

  x1 = -50, x2 = 50;
  Click(form->BitCheckBox1);
  EXPECT_TRUE(AutoTickSteps);
  EXPECT_FALSE(form->Edit5->isEnabled());
  EXPECT_EQ(XTickStep, 10);
  EXPECT_EQ(form->Edit5->text(), "  10     ");
}

TEST_F(SettingsDialogTest, IntegerFieldsFallBackAndClamp) {
  struct Case {
    QLineEdit* TForm2::*field;
    const char* typed;
    int* global;
    int stored;
  };
  const Case cases[] = {
      {&TForm2::Edit7, "10", &Schrittzahl, 200},
      {&TForm2::Edit7, "3001", &Schrittzahl, 200},
      {&TForm2::Edit7, "abc", &Schrittzahl, 200},
      {&TForm2::Edit7, "20", &Schrittzahl, 20},
      {&TForm2::Edit7, "3000", &Schrittzahl, 3000},
      {&TForm2::Edit8, "300", &DruckenProzent, 100},
      {&TForm2::Edit8, "19", &DruckenProzent, 100},
      {&TForm2::Edit8, "x", &DruckenProzent, 100},
      {&TForm2::Edit8, "200", &DruckenProzent, 200},
      {&TForm2::Edit9, "5000", &FrameDelay, 1000},
      {&TForm2::Edit9, "-5", &FrameDelay, 0},
      {&TForm2::Edit9, "zz", &FrameDelay, 0},
      {&TForm2::Edit9, "250", &FrameDelay, 250},
      {&TForm2::Edit10, "7", &Nachkommastellen, 4},
      {&TForm2::Edit10, "-1", &Nachkommastellen, 0},
      {&TForm2::Edit10, "", &Nachkommastellen, 2},
      {&TForm2::Edit10, "2,5", &Nachkommastellen, 2},
      {&TForm2::Edit10, "3", &Nachkommastellen, 3},
      {&TForm2::Edit10, "99999999999", &Nachkommastellen, 2},
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
  Type(form->Edit7, "400");
  EXPECT_EQ(Schrittzahl, 400);
  EXPECT_EQ(stepChanges, 1);
  EXPECT_FALSE(form->Edit7->hasFocus());  // Enter moved on without closing the dialog
  EXPECT_TRUE(form->isVisible());
}

TEST_F(SettingsDialogTest, GridAndLabelButtons) {
  Open();
  EXPECT_TRUE(form->SpeedButton50->isChecked());  // the defaults have no grid
  Click(form->SpeedButton53);
  EXPECT_EQ(Gitter, 3);
  EXPECT_FALSE(form->SpeedButton50->isChecked());
  Click(form->SpeedButton52);
  EXPECT_EQ(Gitter, 2);
  EXPECT_FALSE(form->SpeedButton53->isChecked());
  Click(form->SpeedButton50);
  EXPECT_EQ(Gitter, 1);
  Click(form->SpeedButton61);
  EXPECT_FALSE(Skalierung);
  EXPECT_FALSE(form->SpeedButton60->isChecked());
  Click(form->SpeedButton60);
  EXPECT_TRUE(Skalierung);
}

TEST_F(SettingsDialogTest, ColoursLineAndFill) {
  Open();
  form->ColorButton1->SetSelectionColor(255);
  EXPECT_EQ(Farben::Zeichenstift, 255);
  EXPECT_EQ(redraws, 1);
  form->ColorButton8->SetSelectionColor(12345);
  EXPECT_EQ(Farben::flaeche, 12345);
  EXPECT_EQ(form->FillStyleComboBox1->BrushColor(), 12345);
  const struct {
    TColorButton* button;
    Color* global;
  } others[] = {{form->ColorButton6, &Farben::fStrich},  {form->ColorButton7, &Farben::f2Strich},
                {form->ColorButton9, &Farben::Sekante},  {form->ColorButton4, &Farben::Dreieck},
                {form->ColorButton5, &Farben::Tangente}, {form->ColorButton2, &Farben::Hintergrund},
                {form->ColorButton3, &Farben::Gitter}};
  int colour = 1000;
  for (const auto& o : others) {
    o.button->SetSelectionColor(++colour);
    EXPECT_EQ(*o.global, static_cast<Color>(colour));
  }
  EXPECT_EQ(redraws, 1);  // only the curve colour redraws the owner

  form->TrackBar1->setValue(6);
  EXPECT_EQ(Tangentenlaenge, 6);
  form->LineWidthComboBox1->setCurrentIndex(2);
  emit form->LineWidthComboBox1->activated(2);
  EXPECT_EQ(LineWidth, 3);
  form->FillStyleComboBox1->setCurrentIndex(6);
  emit form->FillStyleComboBox1->activated(6);
  EXPECT_EQ(FlaechenStil, 6);
}

TEST_F(SettingsDialogTest, SaveButtonsWriteTheFile) {
  Open();
  Type(form->Edit2, "12");
  Click(form->SpeedButton53);
  Click(form->Button2);
  x2 = 0;
  Gitter = 2;
  LoadSettings();
  EXPECT_EQ(x2, 12);
  EXPECT_EQ(Gitter, 3);

  // Defaults: no grid, and the dialog shows them at once.
  Schrittzahl = 700;
  LineWidth = 4;
  Click(form->Button3);
  EXPECT_EQ(Gitter, 1);
  EXPECT_EQ(LineWidth, 1);
  EXPECT_EQ(x2, 7);
  EXPECT_TRUE(form->SpeedButton50->isChecked());
  EXPECT_EQ(form->Edit2->text(), "  7,00     ");
  EXPECT_EQ(form->Edit7->text(), "200");
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
  for (QPushButton* button : {form->Button2, form->Button3}) {
    Click(button);
    ASSERT_FALSE(reported.empty());
    EXPECT_TRUE(reported.back().contains(path)) << reported.back().toStdString();
    EXPECT_TRUE(reported.back().contains(QStringLiteral("kein Platz")))
        << reported.back().toStdString();
  }
  EXPECT_EQ(reported.size(), 2u);
  RenameFile = &std::rename;
  ReportFileError = nullptr;
  Click(form->Button2);  // saved: no word
}

TEST_F(SettingsDialogTest, OkClosesAndEscapeToo) {
  Open();
  Click(form->Button1);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(form->result(), QDialog::Accepted);
  Open();
  QTest::keyClick(form->Edit1, Qt::Key_Escape);
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
  Click(form->SpeedButton1);
  EXPECT_EQ(seen, &ProgramPrinter());
}

}  // namespace
}  // namespace kurvio
