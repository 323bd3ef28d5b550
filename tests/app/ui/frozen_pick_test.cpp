// The screen pick in a Wayland session: the main window with a scripted
// portal; Esc and btnColorPick open the pick window on the frame it returns,
// driven with real key and mouse events; the fallbacks and their messages.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QToolButton>
#include <cstdlib>

#include "app/ui/MainForm.h"
#include "app/ui/PickController.h"
#include "app/ui/PickWindow.h"
#include "core/ProgramDir.h"
#include "platform/ui/PortalClient.h"
#include "support/Fakes.h"

namespace tintorb {
namespace {

class FakePortal : public TPortalClient {
 public:
  FakePortal() : TPortalClient(QDBusConnection(QStringLiteral("tintorb-no-bus")), 1000) {}
  bool Screenshot() override {
    calls.push_back("Screenshot");
    return true;
  }
  bool PickColor() override {
    calls.push_back("PickColor");
    return true;
  }
  void Cancel() override {
    calls.push_back("Cancel");
    emit Finished({TPortalStatus::Cancelled, {}, 0, {}, 1});
  }
  std::vector<std::string> calls;
};

class FrozenPickTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TINTORB_HOME", dir.path().c_str(), 1);
    ResetProgramDirForTests();
    form = std::make_unique<TForm1>();
    form->BuildSheets({});
    auto p = std::make_unique<FakePortal>();
    portal = p.get();
    form->Pick()->SetPortal(std::move(p));
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    // The desktop: left half red, right half blue, at the screen's size.
    const QSize size = QGuiApplication::primaryScreen()->geometry().size();
    frame = QImage(size, QImage::Format_RGB32);
    frame.fill(qRgb(0, 0, 255));
    for (int y = 0; y < size.height(); ++y)
      for (int x = 0; x < size.width() / 2; ++x) frame.setPixel(x, y, qRgb(255, 0, 0));
  }
  void TearDown() override {
    form.reset();
    unsetenv("TINTORB_HOME");
    ResetProgramDirForTests();
  }

  // The portal answers the Screenshot with the frame; returns the window.
  TPickWindow* Answer() {
    EXPECT_EQ(portal->calls, std::vector<std::string>{"Screenshot"});
    portal->calls.clear();
    emit portal->Finished({TPortalStatus::Ok, frame, 0, {}});
    TPickSession* s = form->Pick()->Session();
    if (!s || s->Windows().size() != 1) return nullptr;
    TPickWindow* w = s->Windows().front();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(w));
    return w;
  }
  TPickWindow* Open() {
    QTest::keyClick(form.get(), Qt::Key_Escape);
    return Answer();
  }
  void ExpectClosed() {
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->Pick()->Session() == nullptr; }, 2000));
  }

  testing::TempDir dir;
  testing::ScopedFakes fakes;
  std::unique_ptr<TForm1> form;
  FakePortal* portal = nullptr;
  QImage frame;
};

TEST_F(FrozenPickTest, KeysPickOnTheFrozenFrame) {
  const int cx = frame.width() / 2, cy = frame.height() / 2;
  // The cross starts at the centre pixel, the first blue column.
  TPickWindow* w = Open();
  ASSERT_TRUE(w);
  EXPECT_TRUE(w->isFullScreen());
  EXPECT_EQ(form->Pick()->Session()->Cross(), (TCrossPos{cx, cy}));
  EXPECT_EQ(form->CurrentColor(), 0) << "opening the window sets nothing";
  QTest::keyClick(w, Qt::Key_Return);
  ExpectClosed();
  EXPECT_EQ(form->CurrentColor(), RGB(0, 0, 255));
  EXPECT_EQ(form->UndoColor(), 0);

  w = Open();
  ASSERT_TRUE(w);
  QTest::keyClick(w, Qt::Key_Left);
  QTest::keyClick(w, Qt::Key_Space);
  ExpectClosed();
  EXPECT_EQ(form->CurrentColor(), RGB(255, 0, 0));

  // Ctrl+Shift+Alt: 11 x 11 across the border, five red columns, six blue.
  w = Open();
  ASSERT_TRUE(w);
  QTest::keyClick(w, Qt::Key_Return, Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
  ExpectClosed();
  EXPECT_EQ(form->CurrentColor(), RGB(115, 0, 139));

  // A digit stores the single pixel at the cross; the colour stays.
  w = Open();
  ASSERT_TRUE(w);
  QTest::keyClick(w, Qt::Key_Home);  // ten to the left: red
  QTest::keyClick(w, Qt::Key_4);
  ExpectClosed();
  EXPECT_EQ(form->Swatches()[4], "FF0000");
  EXPECT_EQ(form->CurrentColor(), RGB(115, 0, 139));

  // A digit on the main window opens the pick for that swatch.
  QTest::keyClick(form.get(), Qt::Key_8);
  w = Answer();
  ASSERT_TRUE(w);
  QTest::keyClick(w, Qt::Key_Return);
  ExpectClosed();
  EXPECT_EQ(form->Swatches()[8], "0000FF");
  EXPECT_EQ(form->CurrentColor(), RGB(115, 0, 139));
}

TEST_F(FrozenPickTest, ThePointerPicksLiveAndEscRestores) {
  form->SetForeColor(form.get(), RGB(1, 2, 3));
  TPickWindow* w = Open();
  ASSERT_TRUE(w);
  QMouseEvent move(QEvent::MouseMove, QPointF(10, 10), w->mapToGlobal(QPointF(10, 10)),
                   Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(w, &move);
  EXPECT_TRUE(QTest::qWaitFor([&] { return form->CurrentColor() == RGB(255, 0, 0); }, 1000));
  EXPECT_EQ(form->Pick()->Session()->Cross(), (TCrossPos{10, 10}));
  QTest::keyClick(w, Qt::Key_Escape);
  ExpectClosed();
  EXPECT_EQ(form->CurrentColor(), RGB(1, 2, 3));

  // Any button but the left picks the background; a click takes it.
  QTest::mouseClick(form->btnColorPick, Qt::RightButton);
  w = Answer();
  ASSERT_TRUE(w);
  QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->width() - 5, 5));
  ExpectClosed();
  EXPECT_EQ(form->GetBackColor(), RGB(0, 0, 255));
  EXPECT_EQ(form->CurrentColor(), RGB(1, 2, 3));
  EXPECT_EQ(form->PickMode(), 0);
}

TEST_F(FrozenPickTest, HeldModifiersSetTheSquareThatTheLoupeShows) {
  TPickWindow* w = Open();
  ASSERT_TRUE(w);
  const auto key = [&](QEvent::Type t, int k, Qt::KeyboardModifiers m, bool repeat = false) {
    QKeyEvent e(t, k, m, QString(), repeat);
    QApplication::sendEvent(w, &e);
    return form->Pick()->Session()->Radius();
  };
  // As Wayland reports them: each modifier's event names only itself, and
  // the held one repeats.
  EXPECT_EQ(key(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier), 2);
  EXPECT_EQ(key(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier), 4);
  EXPECT_EQ(key(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier, true), 4);
  EXPECT_EQ(key(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier), 5);
  EXPECT_EQ(key(QEvent::KeyRelease, Qt::Key_Shift, Qt::ShiftModifier), 3);
  EXPECT_EQ(key(QEvent::KeyRelease, Qt::Key_Control, Qt::ControlModifier), 1);
  EXPECT_EQ(key(QEvent::KeyRelease, Qt::Key_Alt, Qt::AltModifier), 0);
  // As X11 reports them: the others held come with the event.
  EXPECT_EQ(key(QEvent::KeyPress, Qt::Key_Control, Qt::NoModifier), 2);
  EXPECT_EQ(key(QEvent::KeyPress, Qt::Key_Shift, Qt::ControlModifier), 4);
  QTest::keyClick(w, Qt::Key_Escape);
  ExpectClosed();
}

TEST_F(FrozenPickTest, WithoutAFrameTheDesktopPickerOrAMessage) {
  // `ms`: how long the portal took; a person's answer by default.
  const auto reply = [&](TPortalStatus s, TColor c = 0, qint64 ms = 4000) {
    emit portal->Finished({s, {}, c, {}, ms});
  };
  const std::string tip = "カラーピック";
  EXPECT_EQ(form->btnColorPick->toolTip().toStdString(), tip);

  // Refused: the desktop's own picker, whose pixel is taken as it is.
  QTest::keyClick(form.get(), Qt::Key_Escape);
  reply(TPortalStatus::Failed);
  EXPECT_EQ(portal->calls, (std::vector<std::string>{"Screenshot", "PickColor"}));
  reply(TPortalStatus::Ok, RGB(9, 8, 7));
  EXPECT_EQ(form->CurrentColor(), RGB(9, 8, 7));
  EXPECT_NE(form->btnColorPick->toolTip().toStdString(), tip) << "the hint tells of no averaging";
  EXPECT_EQ(fakes.dialogs.Of("Information"),
            std::vector<std::string>{TPickController::kRefusedHint});

  // Neither: the message, and no colour from the failed read.
  const struct {
    TPortalStatus first, second;
    const char* message;
  } cases[] = {
      {TPortalStatus::NoInterface, TPortalStatus::NoInterface, TPickController::kNoPortalMessage},
      {TPortalStatus::BadReply, TPortalStatus::Failed, TPickController::kRefusedMessage},
      {TPortalStatus::Failed, TPortalStatus::Failed, TPickController::kRefusedMessage},
      {TPortalStatus::NoAnswer, TPortalStatus::Ok, TPickController::kNoAnswerMessage},
      {TPortalStatus::Cancelled, TPortalStatus::Ok, nullptr},
  };
  for (const auto& c : cases) {
    fakes.dialogs.log.clear();
    portal->calls.clear();
    QTest::keyClick(form.get(), Qt::Key_5);
    reply(c.first);
    if (portal->calls.size() == 2) reply(c.second, RGB(50, 50, 50));
    EXPECT_EQ(form->CurrentColor(), RGB(9, 8, 7));
    EXPECT_EQ(form->Swatches()[5], "000000");
    EXPECT_EQ(fakes.dialogs.Of("Warning"),
              c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
  }
  EXPECT_EQ(form->Pick()->Session(), nullptr);

  // A cancel no person could have given (at once, no dialog) is a refusal
  // too; each reason is said once.
  for (int i = 0; i < 3; ++i) {
    fakes.dialogs.log.clear();
    QTest::keyClick(form.get(), Qt::Key_Escape);
    reply(i < 2 ? TPortalStatus::Cancelled : TPortalStatus::Failed, 0, 40);
    reply(TPortalStatus::Ok, RGB(i, 2, 3));
    EXPECT_EQ(form->CurrentColor(), RGB(i, 2, 3));
    EXPECT_EQ(fakes.dialogs.log,
              std::vector<std::string>(
                  i == 0, std::string("Information: ") + TPickController::kUnavailableHint));
  }
}

// Its button and its title bar's close both close the request.
TEST_F(FrozenPickTest, AnOpenRequestShowsAWaitWhoseCancelClosesIt) {
  const auto box = [&] { return form->findChild<QWidget*>("portalWait"); };
  const auto shown = [&] { return box() && box()->isVisible(); };
  for (const bool byButton : {true, false}) {
    portal->calls.clear();
    QTest::keyClick(form.get(), Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor(shown, 3000));
    if (byButton)
      QTest::mouseClick(box()->findChild<QPushButton*>(), Qt::LeftButton);
    else
      box()->close();
    EXPECT_EQ(portal->calls, (std::vector<std::string>{"Screenshot", "Cancel"})) << byButton;
    EXPECT_FALSE(shown());
    EXPECT_TRUE(fakes.dialogs.log.empty());
  }
}

}  // namespace
}  // namespace tintorb
