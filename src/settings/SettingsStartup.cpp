#include "settings/SettingsStartup.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QStandardPaths>

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
  ProgramDir = DirWithSlash(QCoreApplication::applicationDirPath());
  UserDir = DirWithSlash(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
  DecimalSeparator = QLocale().decimalPoint() == QStringLiteral(",") ? ',' : '.';
}

}  // namespace kurvio
