#include "app/ui/SingleInstance.h"

#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>

#include "core/FolderLock.h"

namespace tintorb {

namespace {

const QByteArray kRaise = "raise\n";
const QByteArray kDone = "ok\n";
const QByteArray kPick = "pick ";

}  // namespace

QString InstanceServerName(const QString& dir) {
  const QString canonical = QFileInfo(dir).canonicalFilePath();
  const QByteArray hash = QCryptographicHash::hash((canonical.isEmpty() ? dir : canonical).toUtf8(),
                                                   QCryptographicHash::Sha1)
                              .toHex()
                              .left(20);
  return QStringLiteral("tintorb-%1-%2").arg(::getuid()).arg(QString::fromLatin1(hash));
}

void BringToFront(QWidget* window) {
  if (!window) return;
  window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
  window->show();
  window->raise();
  window->activateWindow();
}

TSingleInstance::TSingleInstance(const QString& dir)
    : dir_(dir),
      name_(InstanceServerName(dir)),
      lock_(QString::fromStdString(LockFilePath(dir.toStdString()))) {
  // Held for the whole run, however long: only a dead owner makes it stale.
  lock_.setStaleLockTime(0);
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  connect(&server_, &QLocalServer::newConnection, this, &TSingleInstance::OnConnection);
}

TSingleInstance::~TSingleInstance() = default;

TSingleInstance::TStart TSingleInstance::Acquire(int waitMs) {
  const std::string lockPath = LockFilePath(dir_.toStdString());
  QElapsedTimer waited;
  waited.start();
  int staleRemovals = 0;
  for (;;) {
    if (lock_.tryLock(0)) {
      Listen();
      return TStart::First;
    }
    if (lock_.error() != QLockFile::LockFailedError) {
      // A read-only or full directory: no lock, but a copy may still answer.
      if (AskRunningCopy()) return TStart::AnotherRunning;
      Listen();
      return TStart::First;
    }
    // QLockFile keeps a file without a readable owner forever; a file nobody
    // holds is taken over.
    if (!LockFileHeld(lockPath) && staleRemovals++ < 3) {
      lock_.removeStaleLockFile();
      continue;
    }
    if (AskRunningCopy()) return TStart::AnotherRunning;
    if (waited.elapsed() >= waitMs) return TStart::Busy;
    QThread::msleep(100);
  }
}

bool TSingleInstance::AskRunningCopy() {
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (!socket.waitForConnected(1000)) return false;
  socket.write(kRaise);
  if (!socket.waitForBytesWritten(1000)) return false;
  // The answer says the window was handled; a copy that is busy closing may
  // never answer, which still means it runs.
  socket.waitForReadyRead(2000);
  return true;
}

void TSingleInstance::Listen() {
  // Holding the lock, any socket of that name is a dead copy's.
  if (!server_.listen(name_)) {
    QLocalServer::removeServer(name_);
    server_.listen(name_);
  }
}

void TSingleInstance::OnConnection() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      if (!socket->canReadLine()) return;
      const QByteArray line = socket->readLine();
      if (line.startsWith(kPick) && pick_) {
        // Answered when the pick ends, however long the user takes.
        disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
        QPointer<QLocalSocket> to(socket);
        return pick_(QString::fromUtf8(line.mid(kPick.size()).trimmed()),
                     [to](const QByteArray& answer) {
                       if (!to) return;
                       to->write(answer);
                       to->disconnectFromServer();
                     });
      }
      if (line == kRaise) BringToFront(window_);
      socket->write(kDone);
      socket->disconnectFromServer();
    });
  }
}

}  // namespace tintorb
