#include "export/ExportFile.h"

#include <QFile>
#include <cerrno>
#include <cstring>

#include "settings/ProgramFiles.h"

namespace kurvio {

QString WriteFailureReason(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
      return QStringLiteral("Keine Schreibberechtigung für diesen Ordner.");
    case EROFS:
      return QStringLiteral("Der Datenträger ist schreibgeschützt.");
    case ENOSPC:
    case EDQUOT:
      return QStringLiteral("Auf dem Datenträger ist kein Platz mehr.");
    case ENOENT:
    case ENOTDIR:
      return QStringLiteral("Der Ordner existiert nicht.");
    case EISDIR:
      return QStringLiteral("Unter diesem Namen gibt es einen Ordner.");
    case ENAMETOOLONG:
      return QStringLiteral("Der Dateiname ist zu lang.");
    case 0:
      return QStringLiteral("Unbekannter Fehler.");
    default:
      return QString::fromLocal8Bit(std::strerror(error));
  }
}

bool WriteExportFile(const QString& path, const std::string& bytes, QString* reason) {
  errno = 0;
  if (WriteFileAtomically(QFile::encodeName(path).toStdString(), bytes)) return true;
  const int error = errno;
  if (reason) *reason = WriteFailureReason(error);
  return false;
}

}  // namespace kurvio
