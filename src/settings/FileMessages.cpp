// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/FileMessages.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>

#include "settings/ProgramFiles.h"

namespace kurvio {

std::function<void(QWidget*, const QString&)> ReportFileError;

void ShowFileError(QWidget* parent, const QString& message) {
  if (ReportFileError)
    ReportFileError(parent, message);
  else
    QMessageBox::critical(parent, QStringLiteral("Fehler"), message);
}

QString ShownPath(const std::string& path) {
  return QDir::toNativeSeparators(QFile::decodeName(QByteArray::fromStdString(path)));
}

bool ReportSettingsSave(QWidget* parent, const SettingsSave& save) {
  switch (save.outcome) {
    case SettingsSave::kSaved:
      return true;
    case SettingsSave::kUnreadable:
      ShowFileError(parent, QStringLiteral("Die Einstellungsdatei „%1“ konnte nicht gelesen "
                                           "werden; sie wird nicht überschrieben. Die "
                                           "Einstellungen wurden nicht gespeichert.")
                                .arg(ShownPath(save.path)));
      return false;
    case SettingsSave::kFailed:
      ShowFileError(
          parent, QStringLiteral("Die Einstellungen konnten nicht in „%1“ gespeichert werden. %2")
                      .arg(ShownPath(save.path), QString::fromUtf8(WriteFailureText(save.error))));
      return false;
  }
  return false;
}

void LoadSettingsOrReport(QWidget* parent) {
  static bool reported = false;
  if (LoadSettings() || reported) return;
  reported = true;
  ShowFileError(parent, QStringLiteral("Die Einstellungsdatei „%1“ konnte nicht gelesen werden; "
                                       "es gelten die Grundeinstellungen.")
                            .arg(ShownPath(PathForReading(kSettingsFileName))));
}

}  // namespace kurvio
