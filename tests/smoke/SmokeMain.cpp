// Starts the program's start window and main window in a real X server and
// checks that they paint: the picture of the screen is not one flat colour
// and shows the curve of the main window. With KURVIO_PNG_DIR set it also
// saves pictures of the windows (start, main, animation, zoom box, settings,
// help, info and every analysis window) to look at.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
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
#include "plot/Canvas.h"
#include "plot/PaintBox.h"
#include "settings/Settings.h"
#include "settings/SettingsStartup.h"
#include "widgets/TBitCheckBox.h"
#include "widgets/TColorButton.h"
#include "widgets/TSwitch.h"
#include "windows/curves/CurveDiscussionWindow.h"
#include "windows/curves/IntegralWindow.h"
#include "windows/curves/TangentWindow.h"
#include "windows/limits/BisectionTableWindow.h"
#include "windows/limits/BisectionWindow.h"
#include "windows/limits/CovariationWindow.h"
#include "windows/limits/LimitsWindow.h"
#include "windows/limits/SequencesWindow.h"
#include "windows/trig/UnitCircleWindow.h"

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
    // The tangent window: x^3-3x, P at 1, Q on its way, three fixed secants and every display on.
    start.OnModuleShown = [&](QDialog* module) {
      auto* form = static_cast<kurvio::TForm8*>(module);
      form->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
      QTimer::singleShot(600, form, [&, form] {
        form->findChild<QLineEdit*>("Edit1")->setText(QStringLiteral("x^3-3x"));
        form->onTermFieldLeft();
        kurvio::xP = 1;
        auto* colour = form->findChild<kurvio::TColorButton*>("ColorButton1");
        for (double q : {-1.5, -0.5, 2.5}) {
          kurvio::xQ = q;
          colour->SetSelectionColor(static_cast<int>(kurvio::RGB(128, 0, 128)));
          form->onFixSecant();
        }
        colour->SetSelectionColor(static_cast<int>(kurvio::RGB(255, 0, 0)));
        kurvio::xQ = 1.8;
        for (const char* box :
             {"BitCheckBox1", "BitCheckBox2", "BitCheckBox3", "BitCheckBox4", "BitCheckBox5"})
          form->findChild<kurvio::TBitCheckBox*>(box)->SetChecked(true);
        form->onDisplayBoxClicked();
        QApplication::processEvents();
        const QImage shot = GrabScreen();
        if (!dir.isEmpty()) shot.save(QString::fromLocal8Bit(dir) + "/smoke-tangent.png");
        if (DistinctColours(shot) < 8) {
          std::fprintf(stderr, "smoke: the tangent window painted nothing\n");
          ++failures;
        }
        form->close();
      });
    };
    start.findChild<QPushButton*>("SpeedButton9")->click();
    // The curve discussion: x^3-3x with f', f'', the trace of f' and the slope triangle.
    start.OnModuleShown = [&](QDialog* module) {
      auto* form = static_cast<kurvio::TForm3*>(module);
      form->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
      QTimer::singleShot(600, form, [&, form] {
        form->findChild<QLineEdit*>("Edit1")->setText(QStringLiteral("x^3-3x"));
        form->onTermFieldLeft();
        for (const char* box : {"BitCheckBox1", "BitCheckBox2", "BitCheckBox4"})
          form->findChild<kurvio::TBitCheckBox*>(box)->SetChecked(true);
        form->onDisplayBoxClicked();
        kurvio::PointX0 = -1.5;
        form->findChild<kurvio::TBitCheckBox*>("BitCheckBox3")->SetChecked(true);
        form->onTraceBoxClicked();
        for (double x = -1.5; x <= 1.21; x += 0.05) {
          kurvio::PointX0 = x;
          form->animieren();
        }
        QApplication::processEvents();
        const QImage shot = GrabScreen();
        if (!dir.isEmpty()) shot.save(QString::fromLocal8Bit(dir) + "/smoke-discussion.png");
        if (DistinctColours(shot) < 8) {
          std::fprintf(stderr, "smoke: the curve discussion painted nothing\n");
          ++failures;
        }
        form->close();
      });
    };
    start.findChild<QPushButton*>("SpeedButton6")->click();
    // The integral function of sin(t)+1 from -2 to 2.
    start.OnModuleShown = [&](QDialog* module) {
      auto* form = static_cast<kurvio::TForm7*>(module);
      form->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
      QTimer::singleShot(600, form, [&, form] {
        form->findChild<QLineEdit*>("Edit1")->setText(QStringLiteral("sin(t)+1"));
        form->onTermFieldLeft();
        form->findChild<QLineEdit*>("Edit3")->setText(QStringLiteral("-2"));
        form->onX0FieldLeft();
        form->findChild<QLineEdit*>("Edit4")->setText(QStringLiteral("2"));
        form->onXFieldLeft();
        QApplication::processEvents();
        const QImage shot = GrabScreen();
        if (!dir.isEmpty()) shot.save(QString::fromLocal8Bit(dir) + "/smoke-integral.png");
        if (DistinctColours(shot) < 8) {
          std::fprintf(stderr, "smoke: the integral window painted nothing\n");
          ++failures;
        }
        form->close();
      });
    };
    start.findChild<QPushButton*>("SpeedButton7")->click();
    // Each window below: set up in `setUp`, then pictured as `name` and checked to paint.
    const auto shoot = [&](QDialog* form, const char* name) {
      QApplication::processEvents();
      const QImage shot = GrabScreen();
      if (!dir.isEmpty()) shot.save(QString::fromLocal8Bit(dir) + "/smoke-" + name + ".png");
      if (DistinctColours(shot) < 8) {
        std::fprintf(stderr, "smoke: the window %s painted nothing\n", name);
        ++failures;
      }
      form->close();
    };
    // Limits and continuity: a jump at 1 with the labels.
    start.OnModuleShown = [&](QDialog* module) {
      auto* form = static_cast<kurvio::TForm11*>(module);
      form->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
      QTimer::singleShot(600, form, [&, form] {
        kurvio::xP = 1;
        form->f1Field->setText(QStringLiteral("x"));
        form->onF1FieldLeft();
        form->f2Field->setText(QStringLiteral("x+2"));
        form->onF2FieldLeft();
        // ε and δ of 0,5: a quarter of the bars' full scale edmax = 2.
        form->epsilonBar->setValue(50);
        form->deltaBar->setValue(50);
        form->labelsBox->SetChecked(true);
        form->onLabelsBoxClicked();
        shoot(form, "limits");
      });
    };
    start.findChild<QPushButton*>("SpeedButton2")->click();
    // Bisection of x^3-x-1 on [0, 2] after five steps, with guide lines and labels, and its table.
    start.OnModuleShown = [&](QDialog* module) {
      auto* form = static_cast<kurvio::TForm13*>(module);
      form->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
      QTimer::singleShot(600, form, [&, form] {
        form->termField->setText(QStringLiteral("x^3-x-1"));
        form->onTermFieldLeft();
        form->startAField->setText(QStringLiteral("0"));
        form->onStartAFieldLeft();
        form->startBField->setText(QStringLiteral("2"));
        form->onStartBFieldLeft();
        form->guideLinesBox->SetChecked(true);
        form->labelsBox->SetChecked(true);
        for (int i = 0; i < 5; ++i) form->onRepeatClicked();
        shoot(form, "bisection");
        kurvio::TForm14 table(form, form->a0, form->b0, form->eps, form->d);
        table.show();
        QApplication::processEvents();
        if (!dir.isEmpty())
          table.grab().save(QString::fromLocal8Bit(dir) + "/smoke-bisection-table.png");
        table.close();
      });
    };
    start.findChild<QPushButton*>("SpeedButton4")->click();
    // Sequences: 1/n with its limit, n0, the strip and the number line.
    start.OnModuleShown = [&](QDialog* module) {
      auto* form = static_cast<kurvio::TForm15*>(module);
      form->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
      QTimer::singleShot(600, form, [&, form] {
        form->termField->setText(QStringLiteral("1/n"));
        form->onTermFieldLeft();
        form->epsilonBar->setValue(100);  // ε = 0,1 of max ε = 1
        kurvio::y1 = -0.5;
        kurvio::y2 = 1.5;
        form->determineLimitBox->SetChecked(true);
        form->onDetermineLimitClicked();
        for (kurvio::TBitCheckBox* box :
             {form->connectPointsBox, form->findN0Box, form->markLimitBox, form->numberLineBox})
          box->SetChecked(true);
        form->onDisplayBoxClicked();
        shoot(form, "sequences");
      });
    };
    start.findChild<QPushButton*>("SpeedButton5")->click();
    // Covariation: 0,5x^2-2 in the Cartesian view with three fixed arrows, then a guess.
    start.OnModuleShown = [&](QDialog* module) {
      auto* form = static_cast<kurvio::TForm12*>(module);
      form->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
      QTimer::singleShot(600, form, [&, form] {
        form->termField->setText(QStringLiteral("0,5x^2-2"));
        form->onTermFieldLeft();
        for (kurvio::TBitCheckBox* box : {form->graphBox, form->arrowBox, form->cartesianBox})
          box->SetChecked(true);
        form->onDisplayBoxClicked();
        // x is dragged to its places, as a pupil would, on the rails' range -7..7.
        const auto dragTo = [form](double x) {
          const int column = static_cast<int>((x + 7) / 14 * form->paintBox->width());
          form->onPaintBoxMouseDown(Qt::LeftButton, column, 20);
          form->onPaintBoxMouseUp(Qt::LeftButton, column, 20);
        };
        for (double x : {-3.0, -1.0, 1.0}) {
          dragTo(x);
          form->onFixArrowClicked();
        }
        dragTo(2.5);
        QApplication::processEvents();
        if (!dir.isEmpty())
          GrabScreen().save(QString::fromLocal8Bit(dir) + "/smoke-covariation.png");
        form->guessBox->SetChecked(true);
        form->onGuessBoxClicked();
        form->familyButtons[1]->click();  // "y = a(x-u) ²+v"
        shoot(form, "covariation-guess");
      });
    };
    start.findChild<QPushButton*>("SpeedButton3")->click();
    // The unit circle in tangent mode with the cotangent, in degrees, at 40°.
    start.OnModuleShown = [&](QDialog* module) {
      auto* form = static_cast<kurvio::TForm5*>(module);
      form->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
      QTimer::singleShot(600, form, [&, form] {
        form->tangentModeButton->setChecked(true);
        form->onModeClicked();
        form->findChild<kurvio::TBitCheckBox*>("BitCheckBox3")->SetChecked(true);
        form->findChild<kurvio::TBitCheckBox*>("BitCheckBox2")->SetChecked(false);
        form->onDisplayBoxClicked();
        form->findChild<QScrollBar*>("ScrollBar1")->setValue(40);
        shoot(form, "unitcircle");
      });
    };
    start.findChild<QPushButton*>("SpeedButton8")->click();
    start.close();
  });
  app.exec();
  std::printf("smoke: %s\n", failures == 0 ? "1 passed, 0 failed" : "0 passed, 1 failed");
  return failures == 0 ? 0 : 1;
}
