// The settings dialog driven through its fields and buttons: what it stores
// in the globals, what it shows and what it writes.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QSlider>
#include <QToolButton>
#include <cerrno>
#include <cstdio>

#include "module/SettingsDialog.h"
#include "settings/FileMessages.h"
#include "settings/ProgramFiles.h"
#include "support/WindowFixture.h"
#include "widgets/TColorButton.h"
#include "widgets/TFillStyleComboBox.h"
#include "widgets/TLineWidthComboBox.h"

namespace kurvio {
namespace {

class SettingsDialogTest : public WindowTest<TForm2> {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    SetDefaultSettings();  // no grid, unlike a missing file
    AutoTickSteps = true;
    ManualXTickStep = ManualYTickStep = 1.0;
    TrigAxisMode = false;
    ComputeTickSteps();
  }
  void TearDown() override {
    WindowTest::TearDown();
    SetDefaultSettings();
    AutoTickSteps = true;  // what SetDefaultSettings leaves alone
    ManualXTickStep = ManualYTickStep = 1.0;
    FrameDelay = 0;
    Tangentenlaenge = 1.0;
    FlaechenStil = 0;
    ComputeTickSteps();
  }
  // Opens the dialog on the globals as they stand, with an owner that counts.
  void OpenDialog() {
    form = std::make_unique<TForm2>(
        nullptr, [this] { ++redraws; }, [this] { ++stepChanges; });
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }
  int redraws = 0, stepChanges = 0;
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

// Typed one after the other into the window -7..7: expressions are taken, an
// undefined one brings the old value back silently, and the window never becomes
// empty or reversed, though widening on the far side first lets the near side follow.
TEST_F(SettingsDialogTest, WorldWindowFieldsTakeExpressionsAndStayOrdered) {
  const struct {
    const char* field;
    const char* typed;
    double* global;
    double stored;
    QString shown;  // empty: not looked at
  } cases[] = {
      {"Edit2", "pi", &x2, 3.141592654, "  3,14     "},
      {"Edit1", "-sqrt(16)", &x1, -4, {}},
      {"Edit3", "-1/0", &y1, -7, " -7,00     "},
      {"Edit4", "1e3", &y2, 1000, "  1,00 E+3"},
      {"Edit1", "10", &x1, -4, " -4,00     "},    // beyond x2
      {"Edit2", "-4", &x2, 3.14, "  3,14     "},  // equal to x1: the shown value
      {"Edit2", "20", &x2, 20, {}},
      {"Edit1", "10", &x1, 10, {}},
  };
  OpenDialog();
  for (const auto& c : cases) {
    Type(c.field, c.typed);
    EXPECT_DOUBLE_EQ(*c.global, c.stored) << c.typed;
    if (!c.shown.isEmpty()) {
      EXPECT_EQ(Text(c.field), c.shown) << c.typed;
    }
  }
  EXPECT_TRUE(messages.empty());

  Type("Edit2", "2x");  // a syntax error keeps the text, the focus and the value
  EXPECT_EQ(messages, std::vector<std::string>{"Syntaxfehler: unbekanntes Symbol "});
  EXPECT_EQ(x2, 20);
  EXPECT_EQ(Text("Edit2"), "2x");
  EXPECT_TRUE(form->xToField->hasFocus());
}

TEST_F(SettingsDialogTest, ManualSpacingGivesWayWhenTicksAreTooFewOrTooMany) {
  OpenDialog();
  Click("BitCheckBox1");  // manual
  ASSERT_TRUE(form->xTickField->isEnabled());
  // Window -7..7: 0.5 gives 28 ticks, 0.7 exactly 20, 14/22 rounds to 1.
  const struct {
    const char* typed;
    double stored;
    const char* shown;
  } cases[] = {
      {"0,5", 1, "  1,00     "},
      {"0,7", 0.7, "  0,70     "},
      {"14/22", 1, "  1,00     "},
      {"1/0", 1, "  1,00     "},
  };
  for (const auto& c : cases) {
    ManualXTickStep = 1;
    Type("Edit5", c.typed);
    EXPECT_DOUBLE_EQ(ManualXTickStep, c.stored) << c.typed;
    EXPECT_EQ(Text("Edit5"), c.shown) << c.typed;
    EXPECT_FALSE(AutoTickSteps) << c.typed;
  }
  y1 = 0, y2 = 100;  // the y field measures against y1..y2
  Type("Edit6", "2");
  EXPECT_EQ(ManualYTickStep, 10);
  EXPECT_TRUE(messages.empty());
}

TEST_F(SettingsDialogTest, IntegerFieldsFallBackAndClamp) {
  const struct {
    const char* field;
    const char* typed;
    int* global;
    int stored;
  } cases[] = {
      {"Edit7", "19", &Schrittzahl, 200},    {"Edit7", "3001", &Schrittzahl, 200},
      {"Edit7", "abc", &Schrittzahl, 200},   {"Edit7", "20", &Schrittzahl, 20},
      {"Edit7", "3000", &Schrittzahl, 3000}, {"Edit8", "201", &DruckenProzent, 100},
      {"Edit8", "19", &DruckenProzent, 100}, {"Edit8", "200", &DruckenProzent, 200},
      {"Edit8", "20", &DruckenProzent, 20},  {"Edit9", "1001", &FrameDelay, 1000},
      {"Edit9", "-1", &FrameDelay, 0},       {"Edit9", "1000", &FrameDelay, 1000},
      {"Edit10", "5", &Nachkommastellen, 4}, {"Edit10", "-1", &Nachkommastellen, 0},
      {"Edit10", "", &Nachkommastellen, 2},  {"Edit10", "4", &Nachkommastellen, 4},
  };
  OpenDialog();
  for (const auto& c : cases) {
    *c.global = 123;
    Type(c.field, c.typed);
    EXPECT_EQ(*c.global, c.stored) << c.field << " " << c.typed;
    EXPECT_EQ(Text(c.field), QString::number(c.stored)) << c.field << " " << c.typed;
  }
  EXPECT_TRUE(messages.empty());
  // The step count tells the owner; Enter moves on without closing the dialog.
  EXPECT_EQ(stepChanges, 5);
  EXPECT_FALSE(form->stepsField->hasFocus());
  EXPECT_TRUE(form->isVisible());
}

TEST_F(SettingsDialogTest, GridLabelColourLineAndFillControlsSetTheirGlobals) {
  OpenDialog();
  EXPECT_TRUE(form->noGridButton->isChecked());  // the defaults have no grid
  const struct {
    QToolButton* TForm2::*button;
    int grid;
    bool labels;
  } buttons[] = {{&TForm2::solidGridButton, 3, true},
                 {&TForm2::dottedGridButton, 2, true},
                 {&TForm2::labelsOffButton, 2, false},
                 {&TForm2::noGridButton, 1, false},
                 {&TForm2::labelsOnButton, 1, true}};
  for (const auto& b : buttons) {
    (form.get()->*b.button)->click();
    EXPECT_EQ(Gitter, b.grid);
    EXPECT_EQ(Skalierung, b.labels);
  }
  EXPECT_FALSE(form->solidGridButton->isChecked());

  form->curveColorButton->SetSelectionColor(255);
  EXPECT_EQ(Farben::Zeichenstift, 255);
  EXPECT_EQ(redraws, 1);
  form->areaColorButton->SetSelectionColor(12345);
  EXPECT_EQ(Farben::flaeche, 12345);
  EXPECT_EQ(form->fillStyleBox->BrushColor(), 12345);
  EXPECT_EQ(redraws, 1);  // only the curve colour redraws the owner

  form->fillStyleBox->setCurrentIndex(6);
  emit form->fillStyleBox->activated(6);
  EXPECT_EQ(FlaechenStil, 6);
}

TEST_F(SettingsDialogTest, SaveButtonsWriteTheFile) {
  OpenDialog();
  Type("Edit2", "12");
  form->solidGridButton->click();
  form->saveButton->click();
  x2 = 0;
  Gitter = 2;
  LoadSettings();
  EXPECT_EQ(x2, 12);
  EXPECT_EQ(Gitter, 3);

  // Defaults: no grid, and the dialog shows them at once.
  Schrittzahl = 700;
  LineWidth = 4;
  form->defaultsButton->click();
  EXPECT_EQ(LineWidth, 1);
  EXPECT_TRUE(form->noGridButton->isChecked());
  EXPECT_EQ(Text("Edit2"), "  7,00     ");
  EXPECT_EQ(Text("Edit7"), "200");
  EXPECT_EQ(redraws, 1);
  EXPECT_EQ(stepChanges, 1);
  Gitter = 3;
  LoadSettings();
  EXPECT_EQ(Gitter, 1);
}

TEST_F(SettingsDialogTest, AFailedSaveIsReportedWithTheFile) {
  OpenDialog();
  std::vector<QString> reported;
  ReportFileError = [&reported](QWidget*, const QString& m) { reported.push_back(m); };
  RenameFile = [](const char*, const char*) {
    errno = ENOSPC;
    return -1;
  };
  const QString path = QString::fromStdString(dir.File("Kurvio.ini"));
  form->defaultsButton->click();
  ASSERT_EQ(reported.size(), 1u);
  EXPECT_TRUE(reported[0].contains(path)) << reported[0].toStdString();
  EXPECT_TRUE(reported[0].contains(QStringLiteral("kein Platz")));
  RenameFile = &std::rename;
  ReportFileError = nullptr;
  form->saveButton->click();  // saved: no word
}

}  // namespace
}  // namespace kurvio
