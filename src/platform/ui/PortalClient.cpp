#include "platform/ui/PortalClient.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFile>
#include <QUrl>

namespace tintorb {

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kScreenshot = QStringLiteral("org.freedesktop.portal.Screenshot");
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");

bool IsMissingInterface(const QString& error) {
  static const char* const kMissing[] = {
      "org.freedesktop.DBus.Error.ServiceUnknown", "org.freedesktop.DBus.Error.NameHasNoOwner",
      "org.freedesktop.DBus.Error.UnknownMethod",  "org.freedesktop.DBus.Error.UnknownInterface",
      "org.freedesktop.DBus.Error.UnknownObject",  "org.freedesktop.DBus.Error.Disconnected",
  };
  for (const char* m : kMissing)
    if (error == QLatin1String(m)) return true;
  return false;
}

bool Later(const timespec& a, const timespec& b) {
  return a.tv_sec != b.tv_sec ? a.tv_sec > b.tv_sec : a.tv_nsec > b.tv_nsec;
}

}  // namespace

bool RemoveIfCreatedSince(const QString& path, const timespec& since) {
  const QByteArray p = QFile::encodeName(path);
  struct statx st {};
  if (statx(AT_FDCWD, p.constData(), AT_SYMLINK_NOFOLLOW, STATX_BTIME | STATX_TYPE, &st) != 0)
    return false;
  // Without a birth time there is no telling a file of ours from one that was
  // there before; it stays.
  if (!(st.stx_mask & STATX_BTIME) || !S_ISREG(st.stx_mode)) return false;
  const timespec born{static_cast<time_t>(st.stx_btime.tv_sec),
                      static_cast<long>(st.stx_btime.tv_nsec)};
  if (!Later(born, since)) return false;
  return ::unlink(p.constData()) == 0;
}

TPortalClient::TPortalClient(const QDBusConnection& bus, int callTimeoutMs, QObject* parent)
    : QObject(parent),
      FBus(bus),
      FCallTimeoutMs(callTimeoutMs),
      FWatcher(kService, bus, QDBusServiceWatcher::WatchForUnregistration) {
  // A portal that goes away takes its open requests with it.
  connect(&FWatcher, &QDBusServiceWatcher::serviceUnregistered, this, [this] {
    if (FBusy) Finish({TPortalStatus::NoAnswer, {}, 0, kService});
  });
}

TPortalClient::TPortalClient(int callTimeoutMs, QObject* parent)
    : TPortalClient(QDBusConnection(QString()), callTimeoutMs, parent) {
  FSessionBusLater = true;
}

void TPortalClient::Cancel() {
  if (!FBusy) return;
  // The portal drops its dialog; it sends no Response for a closed request.
  if (!FHandle.isEmpty())
    FBus.call(QDBusMessage::createMethodCall(kService, FHandle, kRequest, "Close"), QDBus::NoBlock);
  Finish({TPortalStatus::Cancelled, {}, 0, QStringLiteral("cancelled by the program")});
}

TPortalClient::~TPortalClient() {
  Unwatch();
}

bool TPortalClient::Screenshot() {
  return Start(true);
}

bool TPortalClient::PickColor() {
  return Start(false);
}

bool TPortalClient::Start(bool screenshot) {
  if (FBusy) return false;
  FBusy = true;
  FScreenshot = screenshot;
  // The clock that stamps files, so that a file the portal writes for this
  // request is never older than this.
  clock_gettime(CLOCK_REALTIME_COARSE, &FStarted);
  FElapsed.start();
  if (FSessionBusLater) {
    FSessionBusLater = false;
    FBus = QDBusConnection::sessionBus();
    FWatcher.setConnection(FBus);
  }
  if (!FBus.isConnected()) {
    QMetaObject::invokeMethod(
        this,
        [this] {
          Finish({TPortalStatus::NoInterface, {}, 0, FBus.lastError().message()});
        },
        Qt::QueuedConnection);
    return true;
  }
  // Listen on the request object before asking, or a quick answer is missed.
  const QString token = QStringLiteral("tintorb%1_%2").arg(::getpid()).arg(++FSerial);
  QString sender = FBus.baseService().mid(1);
  sender.replace('.', '_');
  Watch(QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token));

  QVariantMap options{{"handle_token", token}};
  if (screenshot) {
    options.insert("interactive", false);
    options.insert("modal", false);
  }
  QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kScreenshot,
                                                     screenshot ? "Screenshot" : "PickColor");
  call << QString() << options;
  auto* watcher = new QDBusPendingCallWatcher(FBus.asyncCall(call, FCallTimeoutMs), this);
  const unsigned serial = FSerial;
  connect(watcher, &QDBusPendingCallWatcher::finished, this,
          [this, serial](QDBusPendingCallWatcher* w) {
            w->deleteLater();
            if (!FBusy || serial != FSerial) return;
            const QDBusPendingReply<QDBusObjectPath> reply = *w;
            if (reply.isError()) {
              const QString name = reply.error().name();
              TPortalStatus s = TPortalStatus::Failed;
              if (IsMissingInterface(name))
                s = TPortalStatus::NoInterface;
              else if (name == "org.freedesktop.DBus.Error.NoReply" ||
                       name == "org.freedesktop.DBus.Error.Timeout")
                s = TPortalStatus::NoAnswer;
              Finish({s, {}, 0, name});
              return;
            }
            // The portal has the request: from here on a person could answer.
            FElapsed.start();
            // Older portals choose the handle themselves.
            const QString handle = reply.value().path();
            if (handle != FHandle) Watch(handle);
          });
  return true;
}

void TPortalClient::Watch(const QString& handle) {
  Unwatch();
  FHandle = handle;
  FBus.connect(kService, FHandle, kRequest, "Response", this, SLOT(Response(uint, QVariantMap)));
}

void TPortalClient::Unwatch() {
  if (FHandle.isEmpty()) return;
  FBus.disconnect(kService, FHandle, kRequest, "Response", this, SLOT(Response(uint, QVariantMap)));
  FHandle.clear();
}

void TPortalClient::Response(uint code, const QVariantMap& results) {
  if (!FBusy) return;
  if (code == 1) return Finish({TPortalStatus::Cancelled, {}, 0, {}});
  if (code != 0) return Finish({TPortalStatus::Failed, {}, 0, QString::number(code)});
  if (FScreenshot) return Finish(LoadScreenshot(results));
  // The colour is a (ddd) structure of components 0..1.
  const QVariant v = results.value("color");
  double rgb[3] = {-1, -1, -1};
  if (v.canConvert<QDBusArgument>()) {
    const QDBusArgument arg = v.value<QDBusArgument>();
    if (arg.currentType() == QDBusArgument::StructureType) {
      arg.beginStructure();
      for (double& c : rgb)
        if (!arg.atEnd()) arg >> c;
      arg.endStructure();
    }
  }
  for (double c : rgb)
    if (!(c >= 0 && c <= 1)) return Finish({TPortalStatus::BadReply, {}, 0, "color"});
  auto byte = [](double c) { return static_cast<int>(c * 255 + 0.5); };
  Finish({TPortalStatus::Ok, {}, RGB(byte(rgb[0]), byte(rgb[1]), byte(rgb[2])), {}});
}

TPortalReply TPortalClient::LoadScreenshot(const QVariantMap& results) const {
  const QString uri = results.value("uri").toString();
  const QUrl url(uri, QUrl::StrictMode);
  if (!url.isValid() || !url.isLocalFile()) return {TPortalStatus::BadReply, {}, 0, uri};
  const QString path = url.toLocalFile();
  QImage image(path);
  RemoveIfCreatedSince(path, FStarted);
  if (image.isNull()) return {TPortalStatus::BadReply, {}, 0, uri};
  return {TPortalStatus::Ok, image.convertToFormat(QImage::Format_RGB32), 0, uri};
}

void TPortalClient::Finish(TPortalReply reply) {
  reply.elapsedMs = FElapsed.elapsed();
  Unwatch();
  FBusy = false;
  emit Finished(reply);
}

}  // namespace tintorb
