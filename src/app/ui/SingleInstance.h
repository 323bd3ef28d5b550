// One running copy per program directory. The first copy holds the directory's
// lock (the one tintorb-cli takes) and listens on a local socket named after
// the directory; a second start asks it to come to the front and ends;
// `tintorb --pick` asks it to pick and waits for the text.
#pragma once

#include <QPointer>
#include <QSocketNotifier>
#include <QString>
#include <QWidget>
#include <functional>
#include <string>

#include "core/FolderLock.h"

namespace tintorb {

// The local socket name of a program directory (per user, per directory).
QString InstanceServerName(const QString& dir);
// Where that socket lives: in the temporary directory.
QString InstanceSocketPath(const QString& dir);

class TSingleInstance : public QObject {
  Q_OBJECT
 public:
  enum class TStart {
    First,           // this copy runs (Locked() tells whether it holds the lock)
    AnotherRunning,  // the running copy was asked to come to the front
    Busy,            // the lock is held, but nobody answers (tintorb-cli at work)
  };

  explicit TSingleInstance(const QString& dir);
  ~TSingleInstance() override;

  // Waits up to waitMs for a lock held by someone who does not answer.
  TStart Acquire(int waitMs = 5000);
  bool Locked() const { return lock_.Locked(); }
  // Why a First start holds no lock (errno), 0 when it holds one.
  int LockError() const { return lock_.Locked() ? 0 : lock_.Error(); }
  // The window a second start brings to the front.
  void SetWindow(QWidget* window) { window_ = window; }
  // Serves "pick FORM" requests: `reply` sends the one answer line; it is
  // harmless after the asking process has gone.
  using TReply = std::function<void(const QByteArray& line)>;
  using TPickHandler = std::function<void(const QString& form, TReply reply)>;
  void SetPickHandler(TPickHandler handler) { pick_ = std::move(handler); }

 private:
  bool AskRunningCopy();
  void Listen();
  void OnConnection();
  void StopListening();

  QString dir_;
  std::string path_;
  TFolderLock lock_;
  int listener_ = -1;
  QSocketNotifier* notifier_ = nullptr;
  QPointer<QWidget> window_;
  TPickHandler pick_;
};

// Brings a window to the front, restoring it when minimised.
void BringToFront(QWidget* window);

}  // namespace tintorb
