// SPDX-License-Identifier: GPL-3.0-or-later
// One running Kurvio per user and display: a second start hands its lesson file
// to the program already running, over a local socket, instead of a second copy
// fighting the first over the settings files.
//
// Protocol: the second copy sends one line, the absolute path in UTF-8 (a
// backslash and a line break in the name escaped as \\ and \n), an empty line
// when it was started without a file; the running program answers "ok\n" and
// then opens the file and comes to the front.
#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

namespace kurvio {

// The socket the running program listens on: KURVIO_INSTANCE_SOCKET when set;
// otherwise "kurvio-<uid>-<display>" in $XDG_RUNTIME_DIR (or the temporary
// folder). Empty on the offscreen and minimal platforms, where no one sees a
// window to come to the front and each copy runs on its own.
QString InstanceSocketName();

class SingleInstance : public QObject {
  Q_OBJECT
 public:
  // An empty socket name makes every call a no-op: the program runs on its own.
  explicit SingleInstance(QString socketName, QObject* parent = nullptr);

  // Hands `lessonPath` (absolute; empty: just come to the front) to a program
  // already listening and returns true once it has acknowledged. Otherwise
  // returns false and this process listens for the ones started after it, where
  // it can: a socket left by a crashed copy is removed, one owned by another
  // user is left alone, and a copy that cannot listen runs all the same.
  bool HandOverOrListen(const QString& lessonPath);
  bool IsListening() const { return server_.isListening(); }

 signals:
  // A later start asked for `lessonPath` (empty: only to come to the front).
  void openRequested(const QString& lessonPath);

 private:
  void Listen();
  void Answer(class QLocalSocket* socket);

  QString socketName_;
  QLocalServer server_;
};

}  // namespace kurvio
