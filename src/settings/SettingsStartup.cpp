// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/SettingsStartup.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QStandardPaths>

#include "settings/ProgramFiles.h"
#include "settings/Settings.h"

namespace kurvio {
namespace {

std::string DirWithSlash(const QString& dir) {
  if (dir.isEmpty()) return {};
  std::string path = QFile::encodeName(dir).toStdString();
  if (path.back() != '/') path += '/';
  return path;
}

}  // namespace

void InitSettingsEnvironment() {
  // KURVIO_INSTALLED_DATA_PATH (set by the build): the shipped files of an
  // installed copy, relative to the installed executable's folder.
  const ProgramLocation location = LocateProgramDir(
      DirWithSlash(QCoreApplication::applicationDirPath()), KURVIO_INSTALLED_DATA_PATH);
  ProgramDir = location.dir;
  ProgramDirShared = location.shared;
  UserDir = DirWithSlash(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
  DecimalSeparator = QLocale().decimalPoint() == QStringLiteral(",") ? ',' : '.';
}

}  // namespace kurvio
