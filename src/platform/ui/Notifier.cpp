#include "platform/ui/Notifier.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFileInfo>
#include <QVariantMap>

namespace tintorb {

namespace {

constexpr int kSide = 48;  // pixels of the colour square
uint g_lastId = 0;         // the server's id of our last notification

// The "image-data" hint: (width, height, rowstride, has alpha, bits per
// sample, channels, RGB bytes).
QDBusArgument ImageData(TColor color) {
  const int stride = kSide * 3;
  QByteArray bytes(stride * kSide, 0);
  for (int i = 0; i < kSide * kSide; ++i) {
    bytes[3 * i] = char(GetRValue(color));
    bytes[3 * i + 1] = char(GetGValue(color));
    bytes[3 * i + 2] = char(GetBValue(color));
  }
  QDBusArgument arg;
  arg.beginStructure();
  arg << kSide << kSide << stride << false << 8 << 3 << bytes;
  arg.endStructure();
  return arg;
}

// Bodies may be read as markup.
QString Plain(QString s) {
  return s.replace('&', "&amp;").replace('<', "&lt;").replace('>', "&gt;");
}

// Without an address the bus library may start a bus of its own for the
// display; a session without a bus has no notification server either.
bool HaveSessionBus() {
  if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) return true;
  const QByteArray rt = qgetenv("XDG_RUNTIME_DIR");
  return !rt.isEmpty() && QFileInfo::exists(QString::fromLocal8Bit(rt) + QStringLiteral("/bus"));
}

}  // namespace

void NotifyDesktop(const QString& summary, const QString& body, TColor color) {
  if (!HaveSessionBus()) return;
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return;
  QDBusMessage call = QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.Notifications"),
      QStringLiteral("/org/freedesktop/Notifications"),
      QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
  QVariantMap hints;
  hints.insert(QStringLiteral("image-data"), QVariant::fromValue(ImageData(color)));
  hints.insert(QStringLiteral("desktop-entry"), QStringLiteral(TINTORB_APP_ID));
  hints.insert(QStringLiteral("transient"), true);
  call << QStringLiteral("Tintorb") << g_lastId << QStringLiteral(TINTORB_APP_ID) << summary
       << Plain(body) << QStringList() << hints << -1;
  // Never waited for: without a server the error reply is simply dropped.
  auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call));
  QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                   [](QDBusPendingCallWatcher* w) {
                     const QDBusPendingReply<uint> reply = *w;
                     if (reply.isValid()) g_lastId = reply.value();
                     w->deleteLater();
                   });
}

}  // namespace tintorb
