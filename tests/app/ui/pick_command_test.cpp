// `tintorb --pick` in the running program, driven with real keys on a grabbed
// frame: what the colour, the undo step, the clipboard, the recent copies and
// the waiting process get.
#include <gtest/gtest.h>

#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
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
  testing::ProgramHome dir;
  auto& desktop = static_cast<testing::FakeDesktop&>(Desktop());
  auto form = std::make_unique<TForm1>();
  form->BuildSheets({});
  // Left half red, right half blue; the cross starts at the centre, blue.
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  QImage frame(screen.size(), QImage::Format_RGB32);
  frame.fill(qRgb(0, 0, 255));
  QPainter(&frame).fillRect(0, 0, frame.width() / 2, frame.height(), QColor(255, 0, 0));
  form->Pick()->SetGrab([&] { return TDesktopFrame{frame, screen}; });
  auto& command = *new TPickCommand(*form);  // owned by the window

  const TColor start = RGB(1, 2, 3), before = RGB(9, 9, 9);
  const struct {
    const char* form;
    bool pointer;  // the pointer moves to (10, 10), red, first
    std::vector<int> keys;
    const char* answer;
    TColor color;
  } cases[] = {
      {"hex", false, {Qt::Key_Return}, "taken #0000FF\n", RGB(0, 0, 255)},
      {"rgb", true, {Qt::Key_Space}, "taken rgb(255 0 0)\n", RGB(255, 0, 0)},
      {"copy", false, {Qt::Key_Return}, "taken \"#0000FF\"\n", RGB(0, 0, 255)},
      {"name", false, {Qt::Key_Return}, "taken blue\n", RGB(0, 0, 255)},
      // Ctrl: the 5 x 5 average across the border, which has no name.
      {"name", false, {Qt::Key_Control}, "none\n", RGB(102, 0, 153)},
      {"hex", true, {Qt::Key_Left, Qt::Key_Escape}, "none\n", start},
      {"hex", false, {Qt::Key_3}, "none\n", start},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.form) + " -> " + c.answer);
    form->SetForeColor(form.get(), before);
    form->SetForeColor(form.get(), start);
    desktop.clipboard = "before";
    QByteArray answer, second;
    command.Request(c.form, [&](const QByteArray& a) { answer += a; });
    TPickSession* s = form->Pick()->Session();
    ASSERT_TRUE(s && s->Windows().size() == 1);
    TPickWindow* w = s->Windows().front();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    command.Request("hex", [&](const QByteArray& a) { second = a; });
    EXPECT_EQ(second, "busy\n");
    if (c.pointer) {
      QMouseEvent move(QEvent::MouseMove, QPointF(10, 10), w->mapToGlobal(QPointF(10, 10)),
                       Qt::NoButton, Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(w, &move);
      EXPECT_EQ(form->CurrentColor(), start) << "the colour does not follow the pointer";
    }
    for (int key : c.keys) {
      if (key == Qt::Key_Control)
        QTest::keyClick(w, Qt::Key_Return, Qt::ControlModifier);
      else
        QTest::keyClick(w, Qt::Key(key));
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form->Pick()->Session(); }, 2000));
    EXPECT_EQ(answer, c.answer);
    EXPECT_EQ(form->CurrentColor(), c.color);
    EXPECT_EQ(form->UndoColor(), c.color != start ? start : before) << "only a take is undone";
    const QByteArray text = answer.startsWith("taken ") ? answer.mid(6).chopped(1) : "";
    EXPECT_EQ(desktop.clipboard, text.isEmpty() ? "before" : text.toStdString());
    if (!text.isEmpty()) {
      EXPECT_EQ(form->E1->actions().front()->data().toString(), text);
    }
  }
  EXPECT_EQ(form->Swatches()[3], "0000FF");
  form.reset();
}

}  // namespace
}  // namespace tintorb
