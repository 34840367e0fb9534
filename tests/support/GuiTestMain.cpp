// SPDX-License-Identifier: GPL-3.0-or-later
// Entry of the GUI tests: a QApplication on the offscreen platform with a
// German default locale and Qt's German texts, as the program runs in class.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>

#include "app/Translations.h"
#include "plot/PlotFrame.h"
#include "settings/FileMessages.h"

namespace {

// A file message a test did not ask for fails that test instead of waiting for
// a message box nobody can close; every test starts with the default pen.
class UnexpectedFileMessages : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override {
    kurvio::ReportFileError = [](QWidget*, const QString& message) {
      ADD_FAILURE() << "unexpected message: " << message.toStdString();
    };
    kurvio::ResetLineDefaults();  // a test that prints or changes the pen leaves no trace
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  QApplication app(argc, argv);
  kurvio::InstallGermanQtTranslations();
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new UnexpectedFileMessages);
  return RUN_ALL_TESTS();
}
