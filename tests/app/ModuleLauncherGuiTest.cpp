// The start window's launch of a module window: settings first or not, the
// mode flags around the window, maximised and modal, deleted afterwards.
#include <gtest/gtest.h>

#include <QDialog>
#include <QPointer>
#include <QTimer>

#include "app/ModuleLauncher.h"
#include "module/AnimationLoop.h"
#include "module/FrameWait.h"
#include "plot/PlotFrame.h"
#include "settings/Settings.h"
#include "support/TempDir.h"
#include "term/Term.h"

namespace kurvio {
namespace {

class ModuleLauncherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgramDir = dir.Dir();
    UserDir = dir.Dir();
    WriteBytes(dir.File("Kurvio.ini"), "[Parameter]\r\na=2\r\n");
    NumberLineMode = TermSequenceMode = false;
  }
  void TearDown() override { NumberLineMode = TermSequenceMode = AnimationRunning = false; }

  // Launches a plain dialog; `inside` runs while it is shown modally.
  void Launch(const ModuleLaunch& launch, const std::function<void(QDialog&)>& inside) {
    LaunchModule(&owner, launch, [&](QWidget* parent) {
      auto* window = new QDialog(parent);
      made = window;
      QTimer::singleShot(0, window, [&, window] {
        modal = window->isModal() || window->isVisible();
        inside(*window);
        if (window->isVisible()) window->close();
      });
      return window;
    });
  }

  TempDir dir;
  QWidget owner;
  QPointer<QDialog> made;
  bool modal = false;
};

TEST_F(ModuleLauncherTest, ShownMaximisedWithItsOwnerAndDeletedAfter) {
  Launch({}, [&](QDialog& window) {
    EXPECT_EQ(window.parentWidget(), &owner);
    EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(window.isVisible());
  });
  EXPECT_TRUE(modal);
  EXPECT_TRUE(made.isNull());
}

TEST_F(ModuleLauncherTest, ClosedDuringAnAnimationClearsTheFlagsAfterTheLoop) {
  bool flagDuringLoop = false;
  Launch({.numberLineMode = true}, [&](QDialog& window) {
    QTimer::singleShot(40, &window, [&window] {
      AnimationRunning = false;
      window.close();
    });
    AnimationRunning = true;
    RunAnimation(
        &window, [&] { flagDuringLoop = NumberLineMode; }, [] { WaitFrame(5, 0); });
  });
  EXPECT_TRUE(flagDuringLoop);
  EXPECT_FALSE(NumberLineMode);
  EXPECT_TRUE(made.isNull());
}

}  // namespace
}  // namespace kurvio
