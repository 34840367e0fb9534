// SPDX-License-Identifier: GPL-3.0-or-later
// The start of every analysis-window test: the program's files in a fresh
// folder, a German decimal separator and the default settings, which a
// LoadSettings without a file also makes the start values; settings as a
// teacher's Kurvio.ini holds them; and typing into a window's field as a user
// does.
#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <string>

#include "plot/PlotFrame.h"
#include "settings/Preferences.h"
#include "settings/Settings.h"
#include "support/TempDir.h"

namespace kurvio {

// The program's files in `dir`, and the decimal separator of a German desktop.
inline void UseFolder(const TempDir& dir) {
  ProgramDir = dir.Dir();
  UserDir = dir.Dir();
  DecimalSeparator = ',';
}

inline void UseDefaultSettingsIn(const TempDir& dir) {
  UseFolder(dir);
  SetDefaultSettings();
  LoadSettings();
  LoadPreferences();  // a box an earlier test ticked does not linger
}

// The settings of a Kurvio.ini in the user's folder of `dir` holding `lines`
// ("[Section]" and "key=value" lines as the program writes them, Latin-1),
// read as the program reads them at its start; every key it leaves out has
// its default.
inline void UseSettingsIn(const TempDir& dir, const std::string& lines) {
  WriteBytes(dir.File(kSettingsFileName), lines);
  SetDefaultSettings();
  LoadSettings();
}

// The preferences of an Ansicht.ini in the user's folder of `dir` holding
// `lines` ("[Ansicht]" and "key=value"), read as the program reads them.
inline void UsePreferencesIn(const TempDir& dir, const std::string& lines) {
  WriteBytes(dir.File(kPreferencesFileName), lines);
  LoadPreferences();
}

// A fresh start of the program with its files in `dir`, before it has read
// them: what a start without files finds, and the pen width it starts with.
inline void FreshStartIn(const TempDir& dir) {
  {
    const TempDir empty;
    UseDefaultSettingsIn(empty);
  }
  ResetLineDefaults();
  UseFolder(dir);
}

// The window active, the field focused, the text in it, then Return.
inline void TypeInto(QWidget* window, QLineEdit* edit, const QString& text) {
  QApplication::setActiveWindow(window);
  edit->setFocus();
  edit->setText(text);
  QTest::keyClick(edit, Qt::Key_Return);
}

}  // namespace kurvio
