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
  const std::string tip = "カラーピック";
  EXPECT_EQ(form->btnColorPick->toolTip().toStdString(), tip);
  // The Screenshot's answer and its time (ms), PickColor's answer if asked;
  // what is said (a hint before the picker, or a warning), and whether the
  // picker's pixel is taken.
  using S = TPortalStatus;
  using P = TPickController;
  const struct {
    S first;
    qint64 ms;
    S second;
    const char* said;
    bool taken;
  } cases[] = {
      {S::Failed, 40, S::Ok, P::kRefusedHint, true},
      {S::Failed, 40, S::Ok, nullptr, true},                 // said once
      {S::Cancelled, 40, S::Ok, P::kUnavailableHint, true},  // no person is that quick
      {S::Cancelled, 40, S::Ok, nullptr, true},
      {S::Cancelled, 4000, S::Ok, nullptr, false},
      {S::NoInterface, 40, S::NoInterface, P::kNoPortalMessage, false},
      {S::BadReply, 40, S::Failed, P::kRefusedMessage, false},
      {S::Failed, 40, S::Failed, P::kRefusedMessage, false},
      {S::NoAnswer, 40, S::Ok, P::kNoAnswerMessage, false},
  };
  for (const auto& c : cases) {
    fakes.dialogs.log.clear();
    portal->calls.clear();
    form->SetSwatch(5, 0);
    QTest::keyClick(form.get(), Qt::Key_5);
    emit portal->Finished({c.first, {}, 0, {}, c.ms});
    if (portal->calls.size() == 2) emit portal->Finished({c.second, {}, RGB(50, 50, 50), {}, 40});
    EXPECT_EQ(form->Swatches()[5], c.taken ? "323232" : "000000");
    std::vector<std::string> said;
    for (const auto& l : fakes.dialogs.log) said.push_back(l.substr(l.find(": ") + 2));
    EXPECT_EQ(said, c.said ? std::vector<std::string>{c.said} : std::vector<std::string>{});
  }
  EXPECT_NE(form->btnColorPick->toolTip().toStdString(), tip) << "the hint tells of no averaging";
  EXPECT_EQ(form->Pick()->Session(), nullptr);
}

TEST_F(FrozenPickTest, AnOpenRequestShowsAWaitWhoseCancelClosesIt) {
  const auto box = [&] { return form->findChild<QWidget*>("portalWait"); };
  const auto shown = [&] { return box() && box()->isVisible(); };
  QTest::keyClick(form.get(), Qt::Key_Escape);
  emit portal->Finished({TPortalStatus::Cancelled, {}, 0, {}, 4000});
  QTest::qWait(1200);
  EXPECT_FALSE(shown()) << "a quick answer shows no wait";
  portal->calls.clear();
  QTest::keyClick(form.get(), Qt::Key_Escape);
  ASSERT_TRUE(QTest::qWaitFor(shown, 3000));
  QTest::mouseClick(box()->findChild<QPushButton*>(), Qt::LeftButton);
  EXPECT_EQ(portal->calls, (std::vector<std::string>{"Screenshot", "Cancel"}));
  EXPECT_FALSE(shown());
  EXPECT_TRUE(fakes.dialogs.log.empty());
}

}  // namespace
}  // namespace tintorb
