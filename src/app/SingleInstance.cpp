// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SingleInstance.h"

#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocalSocket>
#include <QLockFile>
#include <QTimer>

namespace kurvio {
namespace {

// A running program answers at once from its event loop; one that keeps
// silent longer hangs, and the new copy then runs on its own.
constexpr int kConnectMs = 1000;
constexpr int kAnswerMs = 5000;
constexpr int kLockMs = 3000;
constexpr qsizetype kLongestLine = 64 * 1024;  // far beyond any path
constexpr char kAnswer[] = "ok\n";

QByteArray EncodeLine(const QString& path) {
  QByteArray line;
  for (const char c : path.toUtf8()) {
    if (c == '\\') {
      line += "\\\\";
    } else if (c == '\n') {
      line += "\\n";
    } else {
      line += c;
    }
  }
  return line + '\n';
}

QString DecodeLine(const QByteArray& line) {
  QByteArray bytes;
  for (qsizetype i = 0; i < line.size(); ++i) {
    char c = line[i];
    if (c == '\\' && i + 1 < line.size()) {
      c = line[++i];
      if (c == 'n') c = '\n';
    }
    bytes += c;
  }
  return QString::fromUtf8(bytes);
}

// QLocalServer puts a bare name in the temporary folder.
QString SocketPath(const QString& name) {
  return name.contains(u'/') ? name : QDir::tempPath() + u'/' + name;
}

}  // namespace

QString InstanceSocketName() {
  const QString given = qEnvironmentVariable("KURVIO_INSTANCE_SOCKET");
  if (!given.isEmpty()) return given;
  const QString platform = QGuiApplication::platformName();
  if (platform == u"offscreen" || platform == u"minimal") return {};
  // A copy on another display shows its windows where this user cannot see them.
  QString display = platform;
  if (platform == u"xcb") {
    display = qEnvironmentVariable("DISPLAY");
  } else if (platform.startsWith(u"wayland")) {
    display = qEnvironmentVariable("WAYLAND_DISPLAY", QStringLiteral("wayland-0"));
  }
  for (QChar& c : display) {
    if (!(c.isDigit() || (c.toLower() >= u'a' && c.toLower() <= u'z'))) c = u'_';
  }
  QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::tempPath();
  return folder + QStringLiteral("/kurvio-%1-%2").arg(::getuid()).arg(display);
}

SingleInstance::SingleInstance(QString socketName, QObject* parent)
    : QObject(parent), socketName_(std::move(socketName)) {
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  connect(&server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = server_.nextPendingConnection()) Answer(socket);
  });
}

bool SingleInstance::HandOverOrListen(const QString& lessonPath) {
  if (socketName_.isEmpty()) return false;
  const QString path = SocketPath(socketName_);
  // Another user's socket (in a shared temporary folder) is neither told our
  // files nor replaced.
  const QFileInfo existing(path);
  if (existing.exists() && existing.ownerId() != ::getuid()) return false;

  // Copies started together (several files opened at once) take turns here, so
  // that one listens and the others find it.
  QLockFile turn(path + QStringLiteral(".lock"));
  if (!turn.tryLock(kLockMs)) return false;
  QLocalSocket socket;
  socket.connectToServer(path);
  if (!socket.waitForConnected(kConnectMs)) {
    // Nothing there, or a socket file left by a copy that crashed; a server
    // that is only slow to accept is left alone.
    if (socket.error() != QLocalSocket::SocketTimeoutError) Listen();
    return false;
  }
  turn.unlock();

  socket.write(EncodeLine(lessonPath));
  socket.flush();
  QByteArray answer;
  const QDeadlineTimer deadline(kAnswerMs);
  while (!answer.endsWith('\n') && answer.size() < 16) {
    if (!socket.bytesAvailable() && !socket.waitForReadyRead(int(deadline.remainingTime()))) break;
    answer += socket.readAll();
  }
  return answer == kAnswer;
}

void SingleInstance::Listen() {
  const QString path = SocketPath(socketName_);
  QLocalServer::removeServer(path);
  server_.listen(path);  // where it cannot, this copy runs on its own
}

void SingleInstance::Answer(QLocalSocket* socket) {
  connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
  auto readLine = [this, socket] {
    if (!socket->canReadLine()) {
      if (socket->bytesAvailable() > kLongestLine) socket->abort();
      return;
    }
    socket->disconnect(this);  // one line per connection
    QByteArray line = socket->readLine();
    line.chop(1);
    socket->write(kAnswer);
    socket->disconnectFromServer();
    // Opening a lesson may ask or warn in a dialog of its own: the answer goes
    // out first, and the socket's handler is left before that.
    QTimer::singleShot(0, this, [this, path = DecodeLine(line)] { emit openRequested(path); });
  };
  connect(socket, &QLocalSocket::readyRead, this, readLine);
  readLine();
}

}  // namespace kurvio
