// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the program's start window, its main window and every analysis window
// in a real X server and checks that they paint: the picture of the screen is
// not one flat colour. With KURVIO_PNG_DIR set it also saves the pictures.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <set>

#include "app/StartWindow.h"
#include "app/WindowTable.h"
#include "settings/Settings.h"
#include "settings/SettingsStartup.h"

namespace {

int DistinctColours(const QImage& image) {
  std::set<QRgb> colours;
  for (int y = 0; y < image.height(); y += 3)
    for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
  return static_cast<int>(colours.size());
}

QImage GrabScreen() {
  QApplication::processEvents();
  return QGuiApplication::primaryScreen()->grabWindow(0).toImage();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kurvio"));
  if (QGuiApplication::platformName() != QStringLiteral("xcb")) {
    std::fprintf(stderr, "smoke: needs an X server, got %s\n",
                 qPrintable(QGuiApplication::platformName()));
    return 1;
  }
  kurvio::InitSettingsEnvironment();
  // Defaults; what the windows write goes to a folder of its own.
  QTemporaryDir files;
  kurvio::ProgramDir = files.path().toStdString() + "/";
  const QDir shipped(QStringLiteral(KURVIO_DATA_DIR));
  for (const QString& name : shipped.entryList({QStringLiteral("*.txt")}, QDir::Files))
    QFile::copy(shipped.filePath(name), files.filePath(name));
  kurvio::UserDir = kurvio::ProgramDir;
  kurvio::TermFxtab = "x^3-3x";

  kurvio::TForm4 start;
  start.ConfirmClose = [] { return true; };
  start.show();
  const QByteArray dir = qgetenv("KURVIO_PNG_DIR");
  int failures = 0;
  QTimer::singleShot(500, [&] {
    const QImage startShot = GrabScreen();
    if (!dir.isEmpty()) start.grab().save(QString::fromLocal8Bit(dir) + "/smoke-start.png");
    if (DistinctColours(startShot) < 4) {
      std::fprintf(stderr, "smoke: the start window painted nothing\n");
      ++failures;
    }
    // Each window: filling the screen (without a window manager "maximised" does
    // nothing), pictured after it has painted, checked and closed.
    const auto shootWhenShown = [&](const char* name) {
      start.OnModuleShown = [&, name](QDialog* form) {
        form->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
        QTimer::singleShot(700, form, [&, form, name] {
          const QImage shot = GrabScreen();
          if (!dir.isEmpty()) shot.save(QString::fromLocal8Bit(dir) + "/smoke-" + name + ".png");
          if (DistinctColours(shot) < 8) {
            std::fprintf(stderr, "smoke: the window %s painted nothing\n", name);
            ++failures;
          }
          form->close();
        });
      };
    };
    shootWhenShown("TForm1");
    start.openMainWindow();
    // Every window of the start window's table, by its button.
    for (const kurvio::ModuleWindow& module : kurvio::ModuleWindows()) {
      shootWhenShown(module.className);
      start.findChild<QPushButton*>(module.startButton)->click();
    }
    start.close();
  });
  app.exec();
  std::printf("smoke: %s\n", failures == 0 ? "1 passed, 0 failed" : "0 passed, 1 failed");
  return failures == 0 ? 0 : 1;
}
