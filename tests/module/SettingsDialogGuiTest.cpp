// SPDX-License-Identifier: GPL-3.0-or-later
// The settings dialog driven through its fields and buttons: what it stores
// in the globals, what it shows and what it writes.
#include <QCheckBox>
#include <gtest/gtest.h>

#include <QPushButton>
#include <QToolButton>
#include <cerrno>
#include <cstdio>

#include "module/PictureFrame.h"
#include "module/SettingsDialog.h"
#include "settings/FileMessages.h"
#include "settings/ProgramFiles.h"
#include "settings/Preferences.h"
#include "support/KeptText.h"
#include "support/WindowFixture.h"
#include "widgets/TColorButton.h"
#include "widgets/TFillStyleComboBox.h"

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
    ComputeTickSteps({x1, x2, y1, y2}, SettingsAxes(), 700, 700);
  }
  void TearDown() override {
    WindowTest::TearDown();
    SetDefaultSettings();
    AutoTickSteps = true;  // what SetDefaultSettings leaves alone
    ManualXTickStep = ManualYTickStep = 1.0;
    FrameDelay = 0;
    Tangentenlaenge = 1.0;
    FlaechenStil = 0;
    ComputeTickSteps({x1, x2, y1, y2}, SettingsAxes(), 700, 700);
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

// Typed one after the other: the field's text, the globals, the owner's counts and the focus
// after each, kept in tests/pictures/module/settings-dialog.txt (KURVIO_UPDATE_PICTURES=1
// rewrites it; read the diff). The manual spacing gives way below 2 or above 20 ticks; the
// integer fields (three set to 123 before each entry) fall back or clamp one step beyond their
// ranges; the window takes expressions, keeps its value for an undefined one and never becomes
// empty or reversed, though widening on the far side first lets the near side follow.
TEST_F(SettingsDialogTest, FieldsAsKept) {
  const std::pair<const char*, const char*> typed[] = {
      {"Edit5", "0,5"},  {"Edit5", "0,7"},       {"Edit5", "14/22"}, {"Edit5", "1/0"},
      {"Edit7", "19"},   {"Edit7", "3001"},      {"Edit7", "abc"},   {"Edit7", "20"},
      {"Edit7", "3000"}, {"Edit8", "201"},       {"Edit8", "19"},    {"Edit8", "200"},
      {"Edit8", "20"},   {"Edit9", "1001"},      {"Edit9", "-1"},    {"Edit9", "1000"},
      {"Edit10", "5"},   {"Edit10", "-1"},       {"Edit10", "4"},    {"Edit10", ""},
      {"Edit2", "pi"},   {"Edit1", "-sqrt(16)"}, {"Edit3", "-1/0"},  {"Edit4", "1e3"},
      {"Edit1", "10"},   {"Edit2", "-4"},        {"Edit2", "20"},    {"Edit1", "10"},
      {"Edit3", "0"},    {"Edit4", "100"},       {"Edit6", "2"},
  };
  OpenDialog();
  Click("BitCheckBox1");  // manual spacing
  std::string produced;
  for (const auto& [field, text] : typed) {
    Schrittzahl = DruckenProzent = FrameDelay = 123;
    Type(field, text);
    produced += std::string(field) + " " + text + ": \"" + Text(field).toStdString() + "\" |";
    for (const double v : {x1, x2, y1, y2, ManualXTickStep, ManualYTickStep})
      produced += " " + testing::KeptNumber(v);
    for (const int v : {int{AutoTickSteps}, Schrittzahl, DruckenProzent, FrameDelay,
                        Nachkommastellen, redraws, stepChanges})
      produced += " " + std::to_string(v);
    const QWidget* focus = QApplication::focusWidget();
    produced += " focus " + (focus ? focus->objectName().toStdString() : "-") + "\n";
  }
  EXPECT_TRUE(testing::MatchesKept("module/settings-dialog.txt", produced));
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(form->isVisible());  // Enter moves on without closing the dialog

  Type("Edit2", "2x");  // a syntax error keeps the text, the focus and the value
  EXPECT_EQ(messages, std::vector<std::string>{"Syntaxfehler: unbekanntes Symbol „x“ an Stelle 2 "
                                               "— in Zahlenfeldern stehen weder x noch t"});
  EXPECT_EQ(x2, 20);
  EXPECT_EQ(Text("Edit2"), "2x");
  EXPECT_TRUE(form->xToField->hasFocus());
}

TEST_F(SettingsDialogTest, GridLabelColourLineAndFillControlsSetTheirGlobals) {
  OpenDialog();
  auto* equalUnits = form->findChild<QCheckBox*>(QStringLiteral("equalUnitsBox"));
  ASSERT_NE(equalUnits, nullptr);
  EXPECT_FALSE(equalUnits->isChecked());  // off unless the user turns it on
  equalUnits->click();
  EXPECT_TRUE(EqualUnits);
  EqualUnits = false;
  LoadPreferences();  // kept for the user
  EXPECT_TRUE(EqualUnits);
  equalUnits->click();
  EXPECT_FALSE(EqualUnits);
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
  form->saveButton->click();  // saved: no word
  EXPECT_TRUE(ReportSettingsSave(form.get(), {}));
  EXPECT_FALSE(ReportSettingsSave(form.get(), {SettingsSave::kUnreadable, "/x/Kurvio.ini"}));
  EXPECT_FALSE(ReportSettingsSave(form.get(), {SettingsSave::kFailed, "/x/Kurvio.ini", EROFS}));
  ASSERT_EQ(reported.size(), 3u);
  EXPECT_TRUE(reported[1].contains(QStringLiteral("nicht überschrieben")));
  EXPECT_TRUE(reported[2].contains(QStringLiteral("schreibgeschützt")));
  ReportFileError = nullptr;
}

}  // namespace
}  // namespace kurvio
