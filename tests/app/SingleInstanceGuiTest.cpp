// SPDX-License-Identifier: GPL-3.0-or-later
// One running Kurvio: the real program started a second time hands its file to
// the first and ends without a window of its own; a socket left by a crashed
// copy does not stand in the way, and a copy that cannot listen runs on its own.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <cstring>

#include "app/SingleInstance.h"

namespace kurvio {
namespace {

// What a copy that crashed leaves behind: a socket file no one listens on.
void LeaveStaleSocket(const QString& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const QByteArray name = QFile::encodeName(path);
  ASSERT_LT(std::size_t(name.size()), sizeof address.sun_path);
  std::memcpy(address.sun_path, name.constData(), name.size());
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  ::close(fd);
}

TEST(SingleInstance, SecondStartHandsItsFileToTheFirstAndEnds) {
#ifndef KURVIO_EXECUTABLE
  GTEST_SKIP() << "no program built";
#else
  QTemporaryDir dir;
  const QString socket = dir.filePath(QStringLiteral("instance"));
  SingleInstance first(socket);
  ASSERT_FALSE(first.HandOverOrListen({}));
  ASSERT_TRUE(first.IsListening());
  QSignalSpy asked(&first, &SingleInstance::openRequested);

  const struct {
    QStringList args;
    QString received;
  } rows[] = {
      // Relative to the second copy's folder; UTF-8, a backslash and a line break kept.
      {{QStringLiteral("März\\1\n.kurvio")}, dir.path() + QStringLiteral("/März\\1\n.kurvio")},
      {{}, QString()},  // without a file: the running program only comes to the front
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.received.toStdString());
    QProcess copy;
    copy.setWorkingDirectory(dir.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("KURVIO_INSTANCE_SOCKET"), socket);
    copy.setProcessEnvironment(environment);
    copy.start(QStringLiteral(KURVIO_EXECUTABLE),
               QStringList{QStringLiteral("-platform"), QStringLiteral("offscreen")} + row.args);
    ASSERT_TRUE(asked.wait(10000)) << copy.readAllStandardError().toStdString();
    // A copy that opened a window of its own would still run.
    ASSERT_TRUE(copy.waitForFinished(10000));
    EXPECT_EQ(copy.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(copy.exitCode(), 0);
    EXPECT_EQ(asked.takeFirst().at(0).toString().toStdString(), row.received.toStdString());
  }
#endif
}

TEST(SingleInstance, StaleSocketIsReplacedAndNoPlaceToListenStillRuns) {
  QTemporaryDir dir;
  const QString stale = dir.filePath(QStringLiteral("stale"));
  LeaveStaleSocket(stale);
  SingleInstance afterCrash(stale);
  EXPECT_FALSE(afterCrash.HandOverOrListen(QStringLiteral("/tmp/Stunde.kurvio")));
  EXPECT_TRUE(afterCrash.IsListening());

  SingleInstance nowhere(dir.filePath(QStringLiteral("no/such/folder/instance")));
  EXPECT_FALSE(nowhere.HandOverOrListen({}));
  EXPECT_FALSE(nowhere.IsListening());
}

}  // namespace
}  // namespace kurvio
