// The desktop portal's Screenshot interface over D-Bus: one frozen frame of
// every screen (Screenshot), or one pixel from the desktop's own picker
// (PickColor), for sessions whose screen cannot be read directly.
#pragma once

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QElapsedTimer>
#include <QImage>
#include <QObject>
#include <QString>
#include <QVariantMap>
#include <ctime>

#include "core/Color.h"

namespace tintorb {

enum class TPortalStatus {
  Ok,
  Cancelled,    // the portal's dialog was closed, or the program cancelled
  Failed,       // the portal refused (response 2, or an error reply)
  NoAnswer,     // the call was not answered in time, or the portal went away
  BadReply,     // answered, but with no readable picture or colour
  NoInterface,  // no portal, or one without the Screenshot interface
};

struct TPortalReply {
  TPortalStatus status = TPortalStatus::Failed;
  QImage image;          // Screenshot: the frame, 32-bit RGB
  TColor color = 0;      // PickColor: the colour
  QString detail;        // the D-Bus error or the URI, for the message
  qint64 elapsedMs = 0;  // from the request to this answer
};

class TPortalClient : public QObject {
  Q_OBJECT
 public:
  // Requests go to the portal on `bus`. The portal must take a request
  // within `callTimeoutMs`; its answer is then awaited as long as the request
  // is open (a dialog may be asking the user).
  TPortalClient(const QDBusConnection& bus, int callTimeoutMs, QObject* parent = nullptr);
  // The same on the session bus, which is opened when the first request starts.
  explicit TPortalClient(int callTimeoutMs, QObject* parent = nullptr);
  ~TPortalClient() override;

  // Each starts one request and answers with Finished, never synchronously;
  // false while another request is under way.
  virtual bool Screenshot();
  virtual bool PickColor();
  // Closes the request under way; Finished (Cancelled) comes before this
  // returns. Nothing while idle.
  virtual void Cancel();
  bool Busy() const { return FBusy; }

 signals:
  void Finished(const tintorb::TPortalReply& reply);

 private slots:
  void Response(uint code, const QVariantMap& results);

 private:
  bool Start(bool screenshot);
  void Watch(const QString& handle);
  void Unwatch();
  void Finish(TPortalReply reply);
  TPortalReply LoadScreenshot(const QVariantMap& results) const;

  QDBusConnection FBus;
  int FCallTimeoutMs;
  QDBusServiceWatcher FWatcher;
  QElapsedTimer FElapsed;
  bool FSessionBusLater = false;
  bool FBusy = false;
  bool FScreenshot = false;
  QString FHandle;
  timespec FStarted{};
  unsigned FSerial = 0;
};

// Removes `path` when the file was created after `since` (its birth time, on
// the clock that stamps files); a file that existed before stays.
bool RemoveIfCreatedSince(const QString& path, const timespec& since);

}  // namespace tintorb
