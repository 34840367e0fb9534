// Kurvio: the start window runs until it is closed.
#include <QApplication>

#include "app/StartWindow.h"
#include "app/Translations.h"
#include "settings/SettingsStartup.h"
#include "term/TermEdit.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kurvio"));
  QApplication::setApplicationDisplayName(QStringLiteral("Kurvio"));
  kurvio::InstallGermanQtTranslations();
  kurvio::InitSettingsEnvironment();
  kurvio::InstallSyntaxErrorDialog();
  kurvio::TForm4 start;
  start.show();
  return app.exec();
}
