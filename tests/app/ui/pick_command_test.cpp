// `tintorb --pick` in the running program: the pick window on a grabbed frame
// driven with real keys; what the colour, the clipboard, the recent copies and
// the waiting process get.
#include <gtest/gtest.h>

#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>

#include "app/ui/MainForm.h"
#include "app/ui/PickCommand.h"
#include "app/ui/PickController.h"
#include "app/ui/PickWindow.h"
#include "core/ProgramDir.h"
#include "platform/ui/ScreenGrab.h"
#include "support/Fakes.h"

namespace tintorb {
namespace {

TEST(PickCommand, TakesOnTheGrabbedFrameAndAnswersTheWaitingProcess) {
  testing::TempDir dir;
  setenv("TINTORB_HOME", dir.path().c_str(), 1);
  ResetProgramDirForTests();
  testing::FakeDesktop& desktop = static_cast<testing::FakeDesktop&>(Desktop());
  auto form = std::make_unique<TForm1>();
  form->BuildSheets({});
  // The desktop: left half red, right half blue; the cross starts at the
  // centre, the first blue column.
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  QImage frame(screen.size(), QImage::Format_RGB32);
  frame.fill(qRgb(0, 0, 255));
  for (int y = 0; y < frame.height(); ++y)
    for (int x = 0; x < frame.width() / 2; ++x) frame.setPixel(x, y, qRgb(255, 0, 0));
  form->Pick()->SetGrab([&] { return TDesktopFrame{frame, screen}; });
  auto& command = *new TPickCommand(*form);  // owned by the window

  const TColor start = RGB(1, 2, 3);
  const struct {
    const char* form;
    std::vector<int> keys;
    bool moveFirst;      // the pointer crosses the frame before the keys
    const char* answer;  // to the waiting process
    TColor color;        // current colour afterwards
  } cases[] = {
      {"hex", {Qt::Key_Return}, false, "taken #0000FF\n", RGB(0, 0, 255)},
      {"rgb", {Qt::Key_Space}, true, "taken rgb(255 0 0)\n", RGB(255, 0, 0)},
      {"copy", {Qt::Key_Return}, false, "taken \"#0000FF\"\n", RGB(0, 0, 255)},
      {"name", {Qt::Key_Return}, false, "taken blue\n", RGB(0, 0, 255)},
      // Taken, but no keyword has the 5 x 5 average across the border.
      {"name", {Qt::Key_Control, Qt::Key_Return}, false, "none\n", RGB(102, 0, 153)},
      {"hex", {Qt::Key_Left, Qt::Key_Escape}, true, "none\n", start},
      {"hex", {Qt::Key_3}, false, "none\n", start},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.form) + " -> " + c.answer);
    form->SetForeColor(form.get(), RGB(9, 9, 9));
    form->SetForeColor(form.get(), start);
    desktop.clipboard = "before";
    QByteArray answer;
    command.Request(c.form, [&](const QByteArray& a) { answer += a; });
    TPickSession* s = form->Pick()->Session();
    ASSERT_TRUE(s && s->Windows().size() == 1);
    TPickWindow* w = s->Windows().front();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("画面から色を取る"));
    // A second request while this pick is open is turned away.
    QByteArray second;
    command.Request("hex", [&](const QByteArray& a) { second = a; });
    EXPECT_EQ(second, "busy\n");
    if (c.moveFirst) {
      QMouseEvent move(QEvent::MouseMove, QPointF(10, 10), w->mapToGlobal(QPointF(10, 10)),
                       Qt::NoButton, Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(w, &move);
      EXPECT_EQ(form->CurrentColor(), start) << "the colour does not follow the pointer";
    }
    for (size_t i = 0; i < c.keys.size(); ++i) {
      const bool held = c.keys[i] == Qt::Key_Control;
      if (held) QTest::keyPress(w, Qt::Key_Control);
      QTest::keyClick(w, Qt::Key(held ? c.keys[++i] : c.keys[i]),
                      held ? Qt::ControlModifier : Qt::NoModifier);
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return !answer.isEmpty(); }, 2000));
    EXPECT_EQ(answer, c.answer);
    EXPECT_EQ(form->CurrentColor(), c.color);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->Pick()->Session() == nullptr; }, 2000));
    EXPECT_EQ(form->UndoColor(), c.color != start ? start : RGB(9, 9, 9))
        << "only a take is undone";
    const QByteArray taken = answer.startsWith("taken ") ? answer.mid(6).chopped(1) : QByteArray();
    EXPECT_EQ(desktop.clipboard, taken.isEmpty() ? "before" : taken.toStdString());
    if (!taken.isEmpty()) {
      EXPECT_EQ(form->E1->actions().front()->data().toString(), taken);
    }
  }
  EXPECT_EQ(form->Swatches()[3], "0000FF");
  form.reset();
  unsetenv("TINTORB_HOME");
  ResetProgramDirForTests();
}

}  // namespace
}  // namespace tintorb
