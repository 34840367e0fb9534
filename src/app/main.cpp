// Kurvio: the start window runs until it is closed. --help and --version
// answer on the terminal without opening a window.
#include <QApplication>
#include <cstdio>

#include "app/CommandLine.h"
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
    case kurvio::CommandLine::kRun:
      break;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kurvio"));
  QApplication::setApplicationDisplayName(QStringLiteral("Kurvio"));
  QApplication::setApplicationVersion(QStringLiteral(KURVIO_VERSION));
  kurvio::InstallGermanQtTranslations();
  kurvio::InitSettingsEnvironment();
  kurvio::InstallSyntaxErrorDialog();
  kurvio::TForm4 start;
  start.show();
  return app.exec();
}
