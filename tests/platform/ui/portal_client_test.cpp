// The portal client against a scripted portal on a private session bus: a
// dbus-daemon of the test's own, a fake org.freedesktop.portal.Desktop on one
// connection and the client on another.
#include <gtest/gtest.h>

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVirtualObject>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <optional>

#include "platform/ui/PortalClient.h"

namespace tintorb {
namespace {

// What the fake portal does with the next request.
struct TScript {
  bool screenshotInterface = true;  // false: answers UnknownMethod
  uint code = 0;
  QVariantMap results;
  bool respond = true;            // false: the request stays open
  QString writePngTo;             // written just before the Response
  std::optional<QRgb> pngColour;  // the colour of that 4 x 2 picture
};

class FakePortal : public QDBusVirtualObject {
 public:
  TScript script;
  QVariantMap lastOptions;
  QString lastMethod, lastHandle;
  QStringList closed;  // request objects closed by the client
  QDBusConnection bus;

  explicit FakePortal(QDBusConnection b) : bus(b) {}

  QString introspect(const QString&) const override { return {}; }

  bool handleMessage(const QDBusMessage& m, const QDBusConnection& c) override {
    if (m.interface() == "org.freedesktop.portal.Request" && m.member() == "Close") {
      closed << m.path();
      c.send(m.createReply());
      return true;
    }
    if (!script.screenshotInterface || m.interface() != "org.freedesktop.portal.Screenshot") {
      c.send(m.createErrorReply("org.freedesktop.DBus.Error.UnknownMethod", "no such method"));
      return true;
    }
    lastMethod = m.member();
    lastOptions = qdbus_cast<QVariantMap>(m.arguments().at(1));
    QString sender = m.service().mid(1);
    sender.replace('.', '_');
    const QString handle = "/org/freedesktop/portal/desktop/request/" + sender + "/" +
                           lastOptions.value("handle_token").toString();
    lastHandle = handle;
    c.send(m.createReply(QVariant::fromValue(QDBusObjectPath(handle))));
    if (!script.respond) return true;
    // A portal takes a moment; the picture is written while it works.
    const TScript s = script;
    QTimer::singleShot(30, [this, s, handle] {
      if (!s.writePngTo.isEmpty()) {
        QImage img(4, 2, QImage::Format_RGB32);
        img.fill(s.pngColour.value_or(qRgb(1, 2, 3)));
        img.save(s.writePngTo, "PNG");
      }
      Respond(handle, s.code, s.results);
    });
    return true;
  }

  void Respond(const QString& handle, uint code, const QVariantMap& results) {
    QDBusMessage sig =
        QDBusMessage::createSignal(handle, "org.freedesktop.portal.Request", "Response");
    sig << code << results;
    bus.send(sig);
  }
};

class PortalClientTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    const QString socket = dir.filePath("bus");
    // No service directories: the desktop's real portal must not be started.
    QFile conf(dir.filePath("bus.conf"));
    ASSERT_TRUE(conf.open(QIODevice::WriteOnly));
    conf.write(
        QString("<busconfig><type>session</type><listen>unix:path=%1</listen>"
                "<auth>EXTERNAL</auth><policy context=\"default\">"
                "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                "<allow own=\"*\"/></policy></busconfig>")
            .arg(socket)
            .toUtf8());
    conf.close();
    daemon.start("dbus-daemon", {"--config-file=" + conf.fileName(), "--nofork", "--nopidfile"});
    ASSERT_TRUE(daemon.waitForStarted(5000)) << "dbus-daemon is not installed";
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(socket); }, 5000));
    address = "unix:path=" + socket;
    static int n = 0;
    serviceName = QString("fake-portal-%1").arg(++n);
    clientName = QString("client-%1").arg(n);
    // The socket is there a moment before the daemon listens on it.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
          if (QDBusConnection::connectToBus(address, serviceName).isConnected()) return true;
          QDBusConnection::disconnectFromBus(serviceName);
          return false;
        },
        5000));
    service.emplace(QDBusConnection(serviceName));
    fake = std::make_unique<FakePortal>(*service);
  }

  void TearDown() override {
    client.reset();
    if (service) service->unregisterObject("/org/freedesktop/portal/desktop");
    QDBusConnection::disconnectFromBus(serviceName);
    QDBusConnection::disconnectFromBus(clientName);
    daemon.terminate();
    daemon.waitForFinished(3000);
  }

  void Offer() {
    // Sub-paths too: the request objects live below.
    ASSERT_TRUE(service->registerVirtualObject("/org/freedesktop/portal/desktop", fake.get(),
                                               QDBusConnection::SubPath));
    ASSERT_TRUE(service->registerService("org.freedesktop.portal.Desktop"));
  }

  TPortalClient& Client(int timeoutMs = 3000) {
    client = std::make_unique<TPortalClient>(QDBusConnection::connectToBus(address, clientName),
                                             timeoutMs);
    QObject::connect(client.get(), &TPortalClient::Finished,
                     [this](const TPortalReply& r) { replies.push_back(r); });
    return *client;
  }

  // Runs one request and returns its one reply.
  TPortalReply Run(bool screenshot, int timeoutMs = 3000) {
    TPortalClient& c = Client(timeoutMs);
    EXPECT_TRUE(screenshot ? c.Screenshot() : c.PickColor());
    EXPECT_TRUE(c.Busy());
    EXPECT_FALSE(c.Screenshot()) << "a second request while one is under way";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !replies.empty(); }, timeoutMs + 2000));
    QTest::qWait(100);  // nothing more may arrive
    EXPECT_EQ(replies.size(), 1u);
    EXPECT_FALSE(c.Busy());
    return replies.empty() ? TPortalReply{} : replies.front();
  }

  QTemporaryDir dir;
  QProcess daemon;
  QString address, serviceName, clientName;
  std::optional<QDBusConnection> service;
  std::unique_ptr<FakePortal> fake;
  std::unique_ptr<TPortalClient> client;
  std::vector<TPortalReply> replies;
};

TEST_F(PortalClientTest, ScreenshotLoadsTheFrameAndRemovesTheFileItMade) {
  Offer();
  const QString png = dir.filePath("shot.png");
  fake->script.writePngTo = png;
  fake->script.pngColour = qRgb(0x12, 0x34, 0x56);
  fake->script.results = {{"uri", QUrl::fromLocalFile(png).toString()}};
  const TPortalReply r = Run(true);
  ASSERT_EQ(r.status, TPortalStatus::Ok) << r.detail.toStdString();
  EXPECT_EQ(r.image.size(), QSize(4, 2));
  EXPECT_EQ(r.image.pixel(3, 1), qRgb(0x12, 0x34, 0x56));
  EXPECT_EQ(r.image.format(), QImage::Format_RGB32);
  EXPECT_FALSE(QFile::exists(png)) << "the portal's file of this request stays behind";
  // What the portal was asked.
  EXPECT_EQ(fake->lastMethod, "Screenshot");
  EXPECT_EQ(fake->lastOptions.value("interactive"), QVariant(false));
  EXPECT_FALSE(fake->lastOptions.value("handle_token").toString().isEmpty());
}

TEST_F(PortalClientTest, AFileThatWasThereBeforeTheCallStays) {
  Offer();
  const QString png = dir.filePath("mine.png");
  QImage img(2, 2, QImage::Format_RGB32);
  img.fill(qRgb(9, 9, 9));
  ASSERT_TRUE(img.save(png, "PNG"));
  QTest::qWait(20);  // older than the request by more than a clock tick
  fake->script.results = {{"uri", QUrl::fromLocalFile(png).toString()}};
  const TPortalReply r = Run(true);
  ASSERT_EQ(r.status, TPortalStatus::Ok);
  EXPECT_EQ(r.image.pixel(0, 0), qRgb(9, 9, 9));
  EXPECT_TRUE(QFile::exists(png));
}

TEST_F(PortalClientTest, ResponsesOtherThanSuccess) {
  Offer();
  QFile text(dir.filePath("not-a-picture.png"));
  ASSERT_TRUE(text.open(QIODevice::WriteOnly));
  text.write("hello");
  text.close();
  const struct {
    uint code;
    QString uri;
    TPortalStatus want;
  } cases[] = {
      {1, "", TPortalStatus::Cancelled},
      {2, "", TPortalStatus::Failed},
      {0, "", TPortalStatus::BadReply},
      {0, "https://example.invalid/shot.png", TPortalStatus::BadReply},
      {0, "file:///nonexistent/tintorb/shot.png", TPortalStatus::BadReply},
      {0, QUrl::fromLocalFile(text.fileName()).toString(), TPortalStatus::BadReply},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    SCOPED_TRACE(c.uri.toStdString());
    fake->script.code = c.code;
    fake->script.results = {{"uri", c.uri}};
    replies.clear();
    const TPortalReply r = Run(true);
    EXPECT_EQ(r.status, c.want);
    EXPECT_LT(r.elapsedMs, 1000) << "answered at once";
  }
}

// A permission dialog may stay open for as long as the user reads it.
TEST_F(PortalClientTest, AnOpenRequestIsAwaitedUntilAnsweredCancelledOrGone) {
  Offer();
  fake->script.respond = false;
  TPortalClient& c = Client(300);  // the limit for taking the call
  ASSERT_TRUE(c.Screenshot());
  QTest::qWait(1200);
  EXPECT_TRUE(replies.empty());
  fake->Respond(fake->lastHandle, 2, {});  // a late answer still counts
  ASSERT_TRUE(QTest::qWaitFor([&] { return replies.size() == 1; }, 2000));
  EXPECT_EQ(replies[0].status, TPortalStatus::Failed);
  EXPECT_GE(replies[0].elapsedMs, 1000);
  // Cancelled by the program: the portal closes the request; an answer after
  // that reaches nobody.
  ASSERT_TRUE(c.Screenshot());
  c.Cancel();
  ASSERT_EQ(replies.size(), 2u);
  EXPECT_EQ(replies[1].status, TPortalStatus::Cancelled);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !fake->closed.isEmpty(); }, 2000));
  EXPECT_EQ(fake->closed, QStringList{fake->lastHandle});
  fake->Respond(fake->lastHandle, 0, {});
  // The portal goes away with a request open.
  ASSERT_TRUE(c.Screenshot());
  QTest::qWait(200);
  service->unregisterService("org.freedesktop.portal.Desktop");
  ASSERT_TRUE(QTest::qWaitFor([&] { return replies.size() == 3; }, 3000));
  EXPECT_EQ(replies[2].status, TPortalStatus::NoAnswer);
}

TEST_F(PortalClientTest, MissingPortalOrInterface) {
  // Nobody owns the portal's name.
  EXPECT_EQ(Run(true).status, TPortalStatus::NoInterface);
  // A portal without the Screenshot interface.
  fake->script.screenshotInterface = false;
  Offer();
  replies.clear();
  EXPECT_EQ(Run(true).status, TPortalStatus::NoInterface);
  replies.clear();
  EXPECT_EQ(Run(false).status, TPortalStatus::NoInterface);
}

TEST_F(PortalClientTest, NoSessionBusAtAll) {
  TPortalClient c(QDBusConnection::connectToBus("unix:path=/nonexistent/bus", "nowhere"), 1000);
  std::vector<TPortalReply> got;
  QObject::connect(&c, &TPortalClient::Finished, [&](const TPortalReply& r) { got.push_back(r); });
  EXPECT_TRUE(c.Screenshot());
  EXPECT_TRUE(got.empty()) << "answered before the caller could listen";
  ASSERT_TRUE(QTest::qWaitFor([&] { return !got.empty(); }, 2000));
  EXPECT_EQ(got.front().status, TPortalStatus::NoInterface);
  QDBusConnection::disconnectFromBus("nowhere");
}

QVariant ColourStruct(double r, double g, double b) {
  QDBusArgument arg;
  arg.beginStructure();
  arg << r << g << b;
  arg.endStructure();
  return QVariant::fromValue(arg);
}

TEST_F(PortalClientTest, PickColorGivesOnePixel) {
  Offer();
  fake->script.results = {{"color", ColourStruct(1.0, 0.5, 0.0)}};
  TPortalReply r = Run(false);
  EXPECT_EQ(fake->lastMethod, "PickColor");
  ASSERT_EQ(r.status, TPortalStatus::Ok);
  EXPECT_EQ(r.color, RGB(255, 128, 0));
  // Out of range, or no colour at all.
  for (const QVariant& bad : {ColourStruct(1.5, 0, 0), QVariant(QString("red"))}) {
    fake->script.results = {{"color", bad}};
    replies.clear();
    EXPECT_EQ(Run(false).status, TPortalStatus::BadReply);
  }
}

}  // namespace
}  // namespace tintorb
