// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt side hands paths and the locale's decimal separator to the settings core.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLocale>

#include "settings/ProgramFiles.h"
#include "settings/Settings.h"
#include "settings/SettingsStartup.h"

namespace kurvio {
namespace {

TEST(SettingsStartupTest, PathsAndSeparatorComeFromQt) {
  const QLocale saved;
  for (const auto& [locale, separator] :
       {std::pair{QLocale(QLocale::German, QLocale::Germany), ','},
        std::pair{QLocale(QLocale::English, QLocale::UnitedStates), '.'},
        std::pair{QLocale(QLocale::French, QLocale::France), ','}}) {
    QLocale::setDefault(locale);
    InitSettingsEnvironment();
    EXPECT_EQ(DecimalSeparator, separator) << locale.name().toStdString();
  }
  QLocale::setDefault(saved);
  InitSettingsEnvironment();
  // The build tree is no installed copy: its files stay beside the executable.
  EXPECT_EQ(ProgramDir, QCoreApplication::applicationDirPath().toStdString() + "/");
  EXPECT_FALSE(ProgramDirShared);
  ASSERT_FALSE(UserDir.empty());
  EXPECT_EQ(UserDir.back(), '/');
  EXPECT_NE(UserDir, ProgramDir);
  ProgramDir.clear();
  UserDir.clear();
  DecimalSeparator = ',';
}

}  // namespace
}  // namespace kurvio
