// Starts the program's start window, its main window and every analysis window
// in a real X server and checks that they paint: the picture of the screen is
// not one flat colour. With KURVIO_PNG_DIR set it also saves pictures of the
// windows (start, main, animation, zoom box, settings, help, info and every
// analysis window) to look at.
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

#include <QLineEdit>
#include <QPlainTextEdit>

#include "app/InfoWindow.h"
#include "app/MainWindow.h"
#include "app/StartWindow.h"
#include "module/HelpWindow.h"
#include "module/SettingsDialog.h"
#include "settings/Settings.h"
#include "settings/SettingsStartup.h"
#include "widgets/TBitCheckBox.h"
#include "widgets/TSwitch.h"

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
    start.OnModuleShown = [&](QDialog* module) {
      auto* form = static_cast<kurvio::TForm1*>(module);
      // Without a window manager "maximised" does nothing: fill the screen by hand.
      form->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
      QTimer::singleShot(800, form, [&, form] {
        form->termField->setText(QStringLiteral("x^3-3x"));
        form->onTermFieldLeft();
        const QImage mainShot = GrabScreen();
        if (!dir.isEmpty()) mainShot.save(QString::fromLocal8Bit(dir) + "/smoke-main.png");
        if (DistinctColours(mainShot) < 8) {
          std::fprintf(stderr, "smoke: the main window painted nothing\n");
          ++failures;
        }
        // An animation of a, pictured halfway, then switched off.
        QTimer::singleShot(400, form, [&, form] {
          if (!dir.isEmpty())
            GrabScreen().save(QString::fromLocal8Bit(dir) + "/smoke-animation.png");
          form->aSwitch->SetChecked(false);
        });
        form->aSwitch->SetChecked(true);
        form->SwitchClick(0);
        // A zoom box being drawn.
        form->zoomBoxCheck->SetChecked(true);
        form->onPaintBoxMouseDown(Qt::LeftButton, 120, 100);
        form->onPaintBoxMouseMove(380, 300);
        if (!dir.isEmpty()) GrabScreen().save(QString::fromLocal8Bit(dir) + "/smoke-zoombox.png");
        form->onPaintBoxMouseUp(Qt::LeftButton, 380, 300);
        // The settings dialog over the main window.
        kurvio::TForm2 settings(form);
        settings.show();
        QApplication::processEvents();
        if (!dir.isEmpty()) GrabScreen().save(QString::fromLocal8Bit(dir) + "/smoke-settings.png");
        settings.close();
        // The help and info windows, at the start and at the end of the help text.
        kurvio::TForm18 help(form);
        help.show();
        QApplication::processEvents();
        if (!dir.isEmpty()) {
          help.grab().save(QString::fromLocal8Bit(dir) + "/smoke-help.png");
          help.Memo1->moveCursor(QTextCursor::End);
          help.grab().save(QString::fromLocal8Bit(dir) + "/smoke-help-end.png");
        }
        help.close();
        kurvio::TForm9 info(form);
        info.show();
        QApplication::processEvents();
        if (!dir.isEmpty()) info.grab().save(QString::fromLocal8Bit(dir) + "/smoke-info.png");
        info.close();
        form->close();
      });
    };
    start.openMainWindow();
    // Every analysis window, opened by its button.
    const struct {
      const char* button;
      const char* name;
    } modules[] = {{"SpeedButton9", "tangent"},     {"SpeedButton6", "discussion"},
                   {"SpeedButton7", "integral"},    {"SpeedButton2", "limits"},
                   {"SpeedButton4", "bisection"},   {"SpeedButton5", "sequences"},
                   {"SpeedButton3", "covariation"}, {"SpeedButton8", "unitcircle"}};
    for (const auto& m : modules) {
      start.OnModuleShown = [&](QDialog* form) {
        form->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
        QTimer::singleShot(600, form, [&, form] {
          const QImage shot = GrabScreen();
          if (!dir.isEmpty()) shot.save(QString::fromLocal8Bit(dir) + "/smoke-" + m.name + ".png");
          if (DistinctColours(shot) < 8) {
            std::fprintf(stderr, "smoke: the window %s painted nothing\n", m.name);
            ++failures;
          }
          form->close();
        });
      };
      start.findChild<QPushButton*>(m.button)->click();
    }
    start.close();
  });
  app.exec();
  std::printf("smoke: %s\n", failures == 0 ? "1 passed, 0 failed" : "0 passed, 1 failed");
  return failures == 0 ? 0 : 1;
}
