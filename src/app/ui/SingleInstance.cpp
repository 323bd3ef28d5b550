#include "app/ui/SingleInstance.h"

#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include "core/LocalSocket.h"

namespace tintorb {

namespace {

const QByteArray kRaise = "raise\n";
const QByteArray kDone = "ok\n";
const QByteArray kPick = "pick ";
constexpr int kLineLimit = 4096;  // a request is one short line

// One asking process: reads its line, then waits for its end, so that an
// answer given later to a process that has gone writes nowhere.
class TConnection : public QObject {
 public:
  using THandler = std::function<void(TConnection*, const QByteArray& line)>;

  TConnection(int fd, QObject* parent, THandler handler)
      : QObject(parent),
        fd_(fd),
        notifier_(fd, QSocketNotifier::Read, this),
        handler_(std::move(handler)) {
    connect(&notifier_, &QSocketNotifier::activated, this, &TConnection::OnReadable);
  }
  ~TConnection() override { CloseLocal(fd_); }

  void Answer(const QByteArray& line) {
    SendLocal(fd_, std::string_view(line.constData(), size_t(line.size())), 1000);
    Close();
  }

 private:
  void OnReadable() {
    char chunk[512];
    long got;
    while ((got = ReadLocal(fd_, chunk, sizeof chunk)) > 0)
      if (!asked_) buffer_.append(chunk, got);
    if (const qsizetype end = buffer_.indexOf('\n'); !asked_ && end >= 0) {
      asked_ = true;
      const QByteArray line = buffer_.left(end + 1);
      buffer_.clear();
      handler_(this, line);
    }
    if (got == 0 || buffer_.size() > kLineLimit) Close();
  }

  void Close() {
    notifier_.setEnabled(false);
    CloseLocal(fd_);
    fd_ = -1;
    deleteLater();
  }

  int fd_;
  QSocketNotifier notifier_;
  THandler handler_;
  QByteArray buffer_;
  bool asked_ = false;
};

}  // namespace

QString InstanceServerName(const QString& dir) {
  const QString canonical = QFileInfo(dir).canonicalFilePath();
  const QByteArray hash = QCryptographicHash::hash((canonical.isEmpty() ? dir : canonical).toUtf8(),
                                                   QCryptographicHash::Sha1)
                              .toHex()
                              .left(20);
  return QStringLiteral("tintorb-%1-%2").arg(::getuid()).arg(QString::fromLatin1(hash));
}

QString InstanceSocketPath(const QString& dir) {
  return QDir::cleanPath(QDir::tempPath()) + u'/' + InstanceServerName(dir);
}

void BringToFront(QWidget* window) {
  if (!window) return;
  window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
  window->show();
  window->raise();
  window->activateWindow();
}

TSingleInstance::TSingleInstance(const QString& dir)
    : dir_(dir), path_(QFile::encodeName(InstanceSocketPath(dir)).toStdString()) {}

TSingleInstance::~TSingleInstance() {
  StopListening();
}

TSingleInstance::TStart TSingleInstance::Acquire(int waitMs) {
  const std::string dir = dir_.toStdString();
  QElapsedTimer waited;
  waited.start();
  for (;;) {
    switch (lock_.TryLock(dir)) {
      case TFolderLock::TResult::Locked:
        Listen();
        return TStart::First;
      case TFolderLock::TResult::CannotLock:
        // No lock to be had (LockError() says why), but a copy may still answer.
        if (AskRunningCopy()) return TStart::AnotherRunning;
        Listen();
        return TStart::First;
      case TFolderLock::TResult::HeldByOther:
        break;
    }
    if (AskRunningCopy()) return TStart::AnotherRunning;
    if (waited.elapsed() >= waitMs) return TStart::Busy;
    QThread::msleep(100);
  }
}

bool TSingleInstance::AskRunningCopy() {
  const int fd = ConnectLocal(path_, 1000);
  if (fd < 0) return false;
  const bool asked = SendLocal(fd, kRaise.toStdString(), 1000);
  // The answer says the window was handled; a copy that is busy closing may
  // never answer, which still means it runs.
  if (asked) WaitReadable(fd, 2000);
  CloseLocal(fd);
  return asked;
}

void TSingleInstance::Listen() {
  // Holding the lock, any socket of that name is a dead copy's.
  StopListening();
  listener_ = ListenLocal(path_);
  if (listener_ < 0) return;
  notifier_ = new QSocketNotifier(listener_, QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &TSingleInstance::OnConnection);
}

void TSingleInstance::StopListening() {
  if (listener_ < 0) return;
  delete notifier_;
  notifier_ = nullptr;
  CloseLocal(listener_);
  listener_ = -1;
  ::unlink(path_.c_str());
}

void TSingleInstance::OnConnection() {
  for (int fd; (fd = AcceptLocal(listener_)) >= 0;) {
    new TConnection(fd, this, [this](TConnection* connection, const QByteArray& line) {
      if (line.startsWith(kPick) && pick_) {
        // Answered when the pick ends, however long the user takes.
        QPointer<TConnection> to(connection);
        return pick_(QString::fromUtf8(line.mid(kPick.size()).trimmed()),
                     [to](const QByteArray& answer) {
                       if (to) to->Answer(answer);
                     });
      }
      if (line == kRaise) BringToFront(window_);
      connection->Answer(kDone);
    });
  }
}

}  // namespace tintorb
