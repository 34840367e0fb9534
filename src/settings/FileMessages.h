// SPDX-License-Identifier: GPL-3.0-or-later
// The program's messages about its own files (settings, example lists, the
// function list): one place that shows them, which tests can replace.
#pragma once

#include <QString>
#include <functional>
#include <string>

#include "settings/Settings.h"

class QWidget;

namespace kurvio {

// Receives each message instead of a message box ("Fehler") when set.
extern std::function<void(QWidget* parent, const QString& message)> ReportFileError;
void ShowFileError(QWidget* parent, const QString& message);

// A path as the user sees it.
QString ShownPath(const std::string& path);

// Tells the user when a save of the settings failed; true when it went well.
bool ReportSettingsSave(QWidget* parent, const SettingsSave& save);

// Reads the settings (LoadSettings); an unreadable "Kurvio.ini" is reported,
// once while the program runs, and the defaults stand.
void LoadSettingsOrReport(QWidget* parent);

}  // namespace kurvio
