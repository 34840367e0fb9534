// SPDX-License-Identifier: GPL-3.0-or-later
// Grabs the X server's screen for the tour of the real program: saves it as a
// PNG when a file is named, and fails when the picture is one flat colour or
// nearly so (the window under test painted nothing).
//   kurvio_grab MIN_COLOURS [FILE.png]
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <cstdlib>
#include <set>

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: kurvio_grab MIN_COLOURS [FILE.png]\n");
    return 2;
  }
  const int minColours = std::atoi(argv[1]);
  const QImage shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
  if (argc > 2 && !shot.save(QString::fromLocal8Bit(argv[2]))) {
    std::fprintf(stderr, "kurvio_grab: cannot write %s\n", argv[2]);
    return 1;
  }
  std::set<QRgb> colours;
  for (int y = 0; y < shot.height(); y += 3)
    for (int x = 0; x < shot.width(); x += 3) colours.insert(shot.pixel(x, y));
  std::printf("kurvio_grab: %zu colours\n", colours.size());
  return static_cast<int>(colours.size()) >= minColours ? 0 : 1;
}
