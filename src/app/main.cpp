// SPDX-License-Identifier: GPL-3.0-or-later
// Kurvio: the start window runs until it is closed. --help and --version
// answer on the terminal without opening a window. A lesson file named on the
// command line opens once the start window shows; while Kurvio already runs, a
// new start hands its file to the running program and ends.
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>

#include "app/CommandLine.h"
#include "app/SingleInstance.h"
#include "app/StartWindow.h"
#include "app/Translations.h"
#include "module/TermEdit.h"
#include "settings/SettingsStartup.h"

int main(int argc, char** argv) {
  const kurvio::CommandLine line = kurvio::ReadCommandLine(argc, argv);
  switch (line.action) {
    case kurvio::CommandLine::kHelp:
      std::fputs(kurvio::HelpText().c_str(), stdout);
      return 0;
    case kurvio::CommandLine::kVersion:
      std::fputs(kurvio::VersionText().c_str(), stdout);
      return 0;
    case kurvio::CommandLine::kUnknown:
      std::fputs(kurvio::UnknownOptionText(line.unknown).c_str(), stderr);
      return 2;
    case kurvio::CommandLine::kSecondFile:
      std::fputs(kurvio::SecondFileText(line.unknown).c_str(), stderr);
      return 2;
    case kurvio::CommandLine::kRun:
      break;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kurvio"));
  QApplication::setApplicationDisplayName(QStringLiteral("Kurvio"));
  QApplication::setApplicationVersion(QStringLiteral(KURVIO_VERSION));
  // Relative to where this copy was started, also when the running one opens it.
  const QString lessonPath =
      line.lessonFile.empty()
          ? QString()
          : QFileInfo(QFile::decodeName(line.lessonFile.c_str())).absoluteFilePath();
  kurvio::SingleInstance instance(kurvio::InstanceSocketName());
  if (instance.HandOverOrListen(lessonPath)) return 0;  // before any settings are touched

  kurvio::InstallGermanQtTranslations();
  kurvio::InitSettingsEnvironment();
  kurvio::InstallSyntaxErrorDialog();
  kurvio::TForm4 start;
  // A later start's file: the window in front (a module window is modal over
  // the start window) comes up, and the start window opens the lesson.
  QObject::connect(&instance, &kurvio::SingleInstance::openRequested, &start,
                   [&start](const QString& path) {
                     QWidget* front = QApplication::activeModalWidget();
                     if (!front) front = &start;
                     front->setWindowState(front->windowState() & ~Qt::WindowMinimized);
                     front->raise();
                     front->activateWindow();
                     if (!path.isEmpty()) start.OpenLessonFile(path);
                   });
  start.show();
  if (!lessonPath.isEmpty()) {
    QTimer::singleShot(0, &start, [&start, lessonPath] { start.OpenLessonFile(lessonPath); });
  }
  return app.exec();
}
