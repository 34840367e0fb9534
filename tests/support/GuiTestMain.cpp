// Entry of the GUI tests: a QApplication on the offscreen platform with a
// German default locale and Qt's German texts, as the program runs in class.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>

#include "app/Translations.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  QApplication app(argc, argv);
  kurvio::InstallGermanQtTranslations();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
