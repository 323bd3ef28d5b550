#include "canvas/ui/CanvasForm.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>

#include "canvas/CanvasHtml.h"
#include "core/TextFile.h"
#include "support/Fakes.h"
#include "support/ui/FakeSheetHost.h"

namespace tintorb {
namespace {

using testing::FakeDialogs;
using testing::FakeSheetHost;
using testing::TempDir;

// The main window as the canvas sees it: colour changes not made by the canvas
// are handed back to it, as TForm1 does.
class FakeMainWindow : public FakeSheetHost {
 public:
  TCanvasForm* canvas = nullptr;
  void SetForeColor(QObject* sender, TColor color) override {
    FakeSheetHost::SetForeColor(sender, color);
    if (canvas && sender != canvas->CanvasWindow()) canvas->ApplyCurrentColor();
  }
  void SetBackColor(QObject* sender, TColor color) override {
    FakeSheetHost::SetBackColor(sender, color);
    if (canvas && sender != canvas->CanvasWindow()) canvas->ApplyCurrentColor();
  }
};

FakeDialogs& Fakes() {
  return static_cast<FakeDialogs&>(Dialogs());
}

QColor Px(const QImage& img, int x, int y) {
  return img.pixelColor(x, y);
}
QColor Q(TColor c) {
  return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

class CanvasFormTest : public ::testing::Test {
 protected:
  FakeMainWindow host;
  std::unique_ptr<TCanvasForm> form;

  void SetUp() override {
    Fakes().log.clear();
    Fakes().saveAnswers.clear();
    Fakes().saveRequests.clear();
    form = std::make_unique<TCanvasForm>(host);
    host.canvas = form.get();
    form->show();
  }
  void TearDown() override {
    host.canvas = nullptr;
    form.reset();
  }

  QWidget* Box() { return form->PaintBox1; }
  QImage Shot() { return Box()->grab().toImage(); }
  TTintorbCanvasItem* Put(int l, int t, int w, int h, TColor c) {
    auto* item = form->Canvas().AddItem(0, 0, c);
    item->SetBoundsRect({l, t, l + w, t + h});
    return item;
  }
  void Press(QPoint p, Qt::MouseButton b = Qt::LeftButton) { QTest::mousePress(Box(), b, {}, p); }
  void Release(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
    QTest::mouseRelease(Box(), b, {}, p);
  }
  void Move(QPoint p, Qt::MouseButtons held = Qt::LeftButton) {
    QMouseEvent e(QEvent::MouseMove, QPointF(p), Box()->mapToGlobal(QPointF(p)), Qt::NoButton, held,
                  Qt::NoModifier);
    QApplication::sendEvent(Box(), &e);
  }
};

TEST_F(CanvasFormTest, LayoutScrollBarsAndSettings) {
  EXPECT_EQ(form->windowTitle(), QString::fromUtf8("キャンバス"));
  EXPECT_EQ(form->size(), QSize(400, 400));
  EXPECT_EQ(form->pos(), QPoint(64, 64));
  EXPECT_EQ(form->scrVertical->geometry(), QRect(384, 0, 16, 384));
  EXPECT_EQ(form->scrHorizontal->geometry(), QRect(0, 384, 384, 16));
  EXPECT_EQ(Box()->geometry(), QRect(0, 0, 384, 384));
  EXPECT_EQ(form->scrHorizontal->pageStep(), 400 - 124);
  EXPECT_EQ(form->scrVertical->pageStep(), 400);
  EXPECT_EQ(form->scrHorizontal->maximum(), 4097 - 276);
  EXPECT_EQ(form->scrVertical->maximum(), 4097 - 400);

  // A click beside the thumb moves by 128 whatever the page.
  form->scrVertical->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(form->scrVertical->value(), 128);

  form->resize(100, 90);  // narrower than the hidden tree
  EXPECT_EQ(form->scrHorizontal->pageStep(), 0);
  EXPECT_EQ(Box()->size(), QSize(84, 74));

  // The keys are read at creation and written at destruction.
  TIniGT& ini = host.GetSettingsFile();
  ini.WriteInteger("Canvas", "Form.Left", 10);
  ini.WriteInteger("Canvas", "Form.Top", 20);
  ini.WriteInteger("Canvas", "Form.Width", 300);
  ini.WriteString("Canvas", "Form.Height", "tall");
  {
    TCanvasForm second(host);
    EXPECT_EQ(second.pos(), QPoint(10, 20));
    EXPECT_EQ(second.size(), QSize(300, 400));  // unreadable height: default
    second.resize(333, 222);
  }
  EXPECT_EQ(ini.ReadInteger("Canvas", "Form.Width", 0), 333);
  EXPECT_EQ(ini.ReadInteger("Canvas", "Form.Height", 0), 222);
  EXPECT_EQ(ini.ReadInteger("Canvas", "Form.Left", 0), 10);
}

// A damaged size or position must not make a window larger than the screens
// (a 100000-pixel canvas once cost gigabytes) nor put it out of reach.
TEST_F(CanvasFormTest, StoredRectangleIsFittedToTheScreen) {
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  TIniGT& ini = host.GetSettingsFile();
  struct Case {
    int left, top, width, height;
  };
  for (const Case& c : {Case{64, 64, 100000, 100000}, Case{-50000, 70000, 300, 200},
                        Case{area.right() - 10, 0, 500, 300}}) {
    ini.WriteInteger("Canvas", "Form.Left", c.left);
    ini.WriteInteger("Canvas", "Form.Top", c.top);
    ini.WriteInteger("Canvas", "Form.Width", c.width);
    ini.WriteInteger("Canvas", "Form.Height", c.height);
    TCanvasForm f(host);
    EXPECT_TRUE(area.contains(QRect(f.pos(), f.size())))
        << c.left << "," << c.top << " " << c.width;
    EXPECT_EQ(f.width(), std::min(c.width, area.width()));
    EXPECT_EQ(f.height(), std::min(c.height, area.height()));
  }
}

TEST_F(CanvasFormTest, PopupMenuAndShortcuts) {
  QStringList texts;
  for (QAction* a : form->PopupMenu1->actions())
    texts << (a->isSeparator() ? QString("-") : a->text());
  EXPECT_EQ(texts.join("|"), QString::fromUtf8("追加(&A)|削除(&D)|-|最前面へ(&F)|一つ前へ(&U)|"
                                               "一つ後へ(&D)|最背面へ(&B)|-|すべて削除(&C)|-|"
                                               "HTMLに書き出し(&H)..."));
  EXPECT_EQ(form->actBringToFront->shortcut(), QKeySequence("Ctrl+Shift+Up"));
  EXPECT_EQ(form->actDown->shortcut(), QKeySequence("Ctrl+Down"));

  QApplication::setActiveWindow(form.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  host.fore = RGB(10, 20, 30);
  QTest::keyClick(form.get(), Qt::Key_Return);
  ASSERT_EQ(form->Canvas().Items.Count(), 1u);
  TTintorbCanvasItem* first = form->Canvas().Items.Item(0);
  EXPECT_EQ(first->BoundsRect(), (TCanvasRect{96, 96, 96 + 192, 96 + 192}));
  EXPECT_EQ(first->Color, RGB(10, 20, 30));
  QTest::keyClick(form.get(), Qt::Key_Enter);
  TTintorbCanvasItem* second = form->Canvas().Items.Item(0);
  ASSERT_NE(first, second);
  EXPECT_EQ(form->Canvas().Selected(), nullptr);

  form->Canvas().Select(second);
  QTest::keyClick(form.get(), Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(form->Canvas().Items.Item(1), second);
  QTest::keyClick(form.get(), Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(form->Canvas().Items.Item(0), second);
  QTest::keyClick(form.get(), Qt::Key_Delete);
  EXPECT_EQ(form->Canvas().Items.Count(), 1u);
  EXPECT_EQ(form->Canvas().Selected(), nullptr);
  form->actDeleteAll->trigger();
  EXPECT_EQ(form->Canvas().Items.Count(), 0u);
  EXPECT_TRUE(host.foreCalls.empty());  // adding and deleting never set the colour
}

TEST_F(CanvasFormTest, PaintingBackgroundItemsAndHandles) {
  host.back = RGB(0, 0, 128);
  auto* back = Put(20, 20, 100, 100, RGB(255, 0, 0));
  Put(60, 60, 100, 50, RGB(0, 255, 0));
  back->Visible = false;
  QImage img = Shot();
  EXPECT_EQ(Px(img, 5, 5), Q(RGB(0, 0, 128)));
  EXPECT_EQ(Px(img, 30, 30), Q(RGB(0, 0, 128)));  // invisible
  EXPECT_EQ(Px(img, 60, 60), Q(RGB(0, 255, 0)));
  EXPECT_EQ(Px(img, 159, 109), Q(RGB(0, 255, 0)));
  EXPECT_EQ(Px(img, 160, 109), Q(RGB(0, 0, 128)));

  back->Visible = true;
  form->Canvas().Select(back);
  img = Shot();
  EXPECT_EQ(Px(img, 30, 30), Q(RGB(255, 0, 0)));
  EXPECT_EQ(Px(img, 70, 70), Q(RGB(0, 255, 0)));  // the front item covers the back one
  // Handle squares 6 x 6: highlight-text outline, black inside.
  const QColor edge = Q(ResolveColor(static_cast<TColor>(0x8000000E)));
  EXPECT_EQ(Px(img, 17, 17), edge);
  EXPECT_EQ(Px(img, 22, 22), edge);
  EXPECT_EQ(Px(img, 18, 18), QColor(Qt::black));
  EXPECT_EQ(Px(img, 21, 21), QColor(Qt::black));
  EXPECT_EQ(Px(img, 23, 23), Q(RGB(255, 0, 0)));
  EXPECT_EQ(Px(img, 70, 18), QColor(Qt::black));  // top-middle at (70, 20)
  EXPECT_EQ(Px(img, 121, 121), QColor(Qt::black));

  // Scrolled: the view starts at canvas (50, 40).
  form->scrHorizontal->setValue(50);
  form->scrVertical->setValue(40);
  img = Shot();
  EXPECT_EQ(Px(img, 10, 20), Q(RGB(0, 255, 0)));  // canvas (60, 60)
  EXPECT_EQ(Px(img, 0, 0), Q(RGB(255, 0, 0)));    // canvas (50, 40)
  EXPECT_EQ(Px(img, 71, 81), QColor(Qt::black));  // bottom-right handle at view (70, 80)
}

TEST_F(CanvasFormTest, SelectingHandsTheColourToTheMainWindow) {
  auto* a = Put(10, 10, 50, 50, RGB(1, 2, 3));
  auto* b = Put(100, 100, 50, 50, RGB(4, 5, 6));
  Press({20, 20});
  Release({20, 20});
  EXPECT_EQ(form->Canvas().Selected(), a);
  ASSERT_EQ(host.foreCalls.size(), 1u);
  EXPECT_EQ(host.foreCalls[0].sender, form.get());
  EXPECT_EQ(host.foreCalls[0].color, RGB(1, 2, 3));
  EXPECT_EQ(a->Color, RGB(1, 2, 3));  // no echo back onto the item

  // Pressing the selected item again changes nothing in the main window.
  Press({20, 20});
  Release({20, 20});
  EXPECT_EQ(host.foreCalls.size(), 1u);

  Press({110, 110});
  Release({110, 110});
  EXPECT_EQ(form->Canvas().Selected(), b);
  EXPECT_EQ(host.foreCalls.back().color, RGB(4, 5, 6));

  // A colour chosen elsewhere recolours the selected item.
  host.SetForeColor(nullptr, RGB(200, 100, 50));
  EXPECT_EQ(b->Color, RGB(200, 100, 50));
  EXPECT_EQ(a->Color, RGB(1, 2, 3));
  EXPECT_EQ(Px(Shot(), 120, 120), Q(RGB(200, 100, 50)));

  // Only the left button selects; empty canvas deselects without a colour call.
  Press({20, 20}, Qt::RightButton);
  Release({20, 20}, Qt::RightButton);
  EXPECT_EQ(form->Canvas().Selected(), b);
  const size_t calls = host.foreCalls.size();
  Press({300, 300});
  Release({300, 300});
  EXPECT_EQ(form->Canvas().Selected(), nullptr);
  EXPECT_EQ(host.foreCalls.size(), calls);
  host.SetForeColor(nullptr, RGB(9, 9, 9));
  EXPECT_EQ(b->Color, RGB(200, 100, 50));
}

TEST_F(CanvasFormTest, BackgroundChangeRepaintsAndReappliesTheForeground) {
  auto* a = Put(10, 10, 50, 50, RGB(1, 2, 3));
  Press({20, 20});
  Release({20, 20});
  host.fore = RGB(7, 8, 9);  // changed without telling the canvas
  EXPECT_EQ(Px(Shot(), 100, 100), QColor(Qt::white));
  host.SetBackColor(nullptr, RGB(0, 128, 0));
  const QImage img = Shot();
  EXPECT_EQ(Px(img, 100, 100), Q(RGB(0, 128, 0)));
  EXPECT_EQ(a->Color, RGB(7, 8, 9));
  EXPECT_EQ(Px(img, 30, 30), Q(RGB(7, 8, 9)));
}

TEST_F(CanvasFormTest, WebSafeItemsButUnsnappedPageBackground) {
  TempDir dir;
  host.webSafe = true;
  host.fore = 0x123456;
  host.back = 0x123456;
  form->actAdd->trigger();
  TTintorbCanvasItem* added = form->Canvas().Items.Item(0);
  EXPECT_EQ(added->Color, WebSafeColor(0x123456));
  Put(0, 0, 10, 10, 0);
  Press({5, 5});
  Release({5, 5});
  host.SetForeColor(nullptr, 0x00ABCDEF);
  EXPECT_EQ(form->Canvas().Selected()->Color, WebSafeColor(0x00ABCDEF));

  Fakes().saveAnswers.push_back(dir / "page.html");
  form->actExportHTML->trigger();
  ASSERT_EQ(Fakes().saveRequests.size(), 1u);
  const TSaveFileRequest& req = Fakes().saveRequests.back();
  EXPECT_EQ(req.defaultExt, "html");
  EXPECT_EQ(req.filter, "HTML|*.html;*.htm|すべてのファイル|*.*");
  EXPECT_TRUE(req.overwritePrompt);
  const std::string page = Cp932ToUtf8(ReadFileBytes(dir / "page.html").value_or(""));
  EXPECT_NE(page.find("<body bgcolor=\"#563412\">"), std::string::npos) << page;
  EXPECT_NE(page.find("#layer0 { background-color: #663300;"), std::string::npos) << page;
  EXPECT_NE(page.find("#layer1 { background-color: #FFCC99;"), std::string::npos) << page;
  EXPECT_EQ(ReadFileBytes(dir / "page.html"), CanvasHtmlBytes(form->Canvas().Items, 0x123456));
}

TEST_F(CanvasFormTest, ExportCancelWritesNothingAndAFailureIsReported) {
  TempDir dir;
  Put(0, 0, 10, 10, 0);
  Fakes().saveAnswers.push_back(std::nullopt);
  form->actExportHTML->trigger();
  Fakes().saveAnswers.push_back(dir / "no/such/dir/page.html");
  form->actExportHTML->trigger();
  const auto errors = Fakes().Of("Error");
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].find("page.html"), std::string::npos);
}

TEST_F(CanvasFormTest, DragShowsAnOutlineAndMovesOnRelease) {
  host.back = clWhite;
  auto* a = Put(20, 20, 40, 30, RGB(255, 0, 0));
  Press({30, 30});
  Move({130, 80});
  // The model already holds the new place...
  EXPECT_EQ(a->BoundsRect(), (TCanvasRect{120, 70, 160, 100}));
  // ...but the picture keeps the item where it was, with an inverted outline.
  QImage img = Shot();
  EXPECT_EQ(Px(img, 40, 40), Q(RGB(255, 0, 0)));
  EXPECT_EQ(Px(img, 120, 70), QColor(Qt::black));  // white inverted
  EXPECT_EQ(Px(img, 159, 99), QColor(Qt::black));
  EXPECT_EQ(Px(img, 140, 85), QColor(Qt::white));  // no fill
  EXPECT_EQ(Px(img, 140, 100), QColor(Qt::white));
  Release({130, 80});
  img = Shot();
  EXPECT_EQ(Px(img, 40, 40), QColor(Qt::white));
  EXPECT_EQ(Px(img, 140, 85), Q(RGB(255, 0, 0)));

  // A later move without the button does not drag.
  Move({5, 5}, Qt::NoButton);
  EXPECT_EQ(a->Left, 120);
}

TEST_F(CanvasFormTest, HandlesResizeWithTheMouseAndShowResizeCursors) {
  auto* a = Put(100, 100, 100, 60, RGB(0, 0, 255));
  Press({150, 130});
  Release({150, 130});
  ASSERT_EQ(form->Canvas().Selected(), a);

  const std::pair<QPoint, Qt::CursorShape> hovers[] = {
      {{100, 100}, Qt::SizeFDiagCursor}, {{150, 98}, Qt::SizeVerCursor},
      {{202, 100}, Qt::SizeBDiagCursor}, {{100, 130}, Qt::SizeHorCursor},
      {{200, 131}, Qt::SizeHorCursor},   {{97, 163}, Qt::SizeBDiagCursor},
      {{150, 160}, Qt::SizeVerCursor},   {{204, 164}, Qt::SizeFDiagCursor},
      {{150, 130}, Qt::ArrowCursor},     {{300, 300}, Qt::ArrowCursor},
  };
  for (const auto& [p, shape] : hovers) {
    Move(p, Qt::NoButton);
    EXPECT_EQ(Box()->cursor().shape(), shape) << p.x() << "," << p.y();
  }

  // Top-left handle dragged beyond the bottom-right corner, and off the top edge.
  Press({101, 101});
  Move({250, 200});
  EXPECT_EQ(a->BoundsRect(), (TCanvasRect{200, 160, 250, 200}));
  EXPECT_EQ(Box()->cursor().shape(), Qt::ArrowCursor);  // arrow while dragging
  Move({250, -40});
  EXPECT_EQ(a->BoundsRect(), (TCanvasRect{200, 0, 250, 200}));
  Release({250, -40});
  EXPECT_EQ(Px(Shot(), 220, 10), Q(RGB(0, 0, 255)));
}

TEST_F(CanvasFormTest, DeleteDuringADragEndsIt) {
  Put(10, 10, 50, 50, RGB(255, 0, 0));
  Press({20, 20});
  form->actDelete->trigger();
  Move({100, 100});
  Release({100, 100});
  EXPECT_EQ(form->Canvas().Items.Count(), 0u);
  EXPECT_EQ(Px(Shot(), 20, 20), QColor(Qt::white));
}

}  // namespace
}  // namespace tintorb
