// A page exported by the canvas window, opened in headless Chromium: the
// layers must land where the window had its items, the front one on top.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QUrl>

#include "canvas/ui/CanvasForm.h"
#include "support/Fakes.h"
#include "support/ui/FakeSheetHost.h"

namespace tintorb {
namespace {

using testing::FakeDialogs;
using testing::TempDir;

class Host : public testing::FakeSheetHost {
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

void Drag(QWidget* box, QPoint from, QPoint to) {
  QTest::mousePress(box, Qt::LeftButton, {}, from);
  QMouseEvent move(QEvent::MouseMove, QPointF(to), box->mapToGlobal(QPointF(to)), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(box, &move);
  QTest::mouseRelease(box, Qt::LeftButton, {}, to);
}

TEST(CanvasInBrowser, LayersAppearWhereTheWindowHadThem) {
  const QString chromium = QStandardPaths::findExecutable("chromium");
  if (chromium.isEmpty())
    GTEST_SKIP() << "chromium is not installed (Debian package 'chromium', see scripts/setup.sh); "
                    "the exported page was not checked in a browser";

  TempDir dir;
  Host host;
  TCanvasForm form(host);
  host.canvas = &form;
  form.show();
  QWidget* box = form.PaintBox1;
  ASSERT_EQ(box->size(), QSize(384, 384));

  // A red item, moved by the mouse.
  host.fore = RGB(255, 0, 0);
  form.actAdd->trigger();
  TTintorbCanvasItem* red = form.Canvas().Items.Item(0);
  Drag(box, {100, 100}, {54, 84});
  ASSERT_EQ(red->BoundsRect(), (TCanvasRect{50, 80, 242, 272}));

  // A blue item in front of it, resized by its bottom-right handle.
  QTest::mouseClick(box, Qt::LeftButton, {}, {370, 370});  // empty canvas: deselect
  host.SetForeColor(nullptr, RGB(0, 0, 255));
  form.actAdd->trigger();
  TTintorbCanvasItem* blue = form.Canvas().Items.Item(0);
  QTest::mouseClick(box, Qt::LeftButton, {}, {200, 200});
  ASSERT_EQ(form.Canvas().Selected(), blue);
  Drag(box, {288, 288}, {340, 300});
  ASSERT_EQ(blue->BoundsRect(), (TCanvasRect{96, 96, 340, 300}));
  ASSERT_EQ(red->Color, RGB(255, 0, 0));

  host.SetBackColor(nullptr, RGB(0x33, 0x66, 0x99));
  const std::string page = dir / "canvas page.html";
  static_cast<FakeDialogs&>(Dialogs()).saveAnswers.push_back(page);
  form.actExportHTML->trigger();

  const QString shot = QString::fromStdString(dir / "shot.png");
  QProcess browser;
  browser.setProcessChannelMode(QProcess::MergedChannels);
  browser.start(
      chromium,
      {"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
       "--disable-background-networking", "--disable-component-update", "--disable-sync",
       QString::fromStdString("--user-data-dir=" + dir / "profile"), "--screenshot=" + shot,
       "--window-size=800,600", QUrl::fromLocalFile(QString::fromStdString(page)).toString()});
  ASSERT_TRUE(browser.waitForFinished(120000)) << "chromium did not finish";
  const QImage img(shot);
  ASSERT_FALSE(img.isNull()) << "no screenshot; chromium said:\n"
                             << browser.readAll().toStdString();
  ASSERT_EQ(img.size(), QSize(800, 600));

  auto at = [&](int x, int y) { return img.pixelColor(x, y).name().toStdString(); };
  const std::string bg = "#336699", r = "#ff0000", b = "#0000ff";
  EXPECT_EQ(at(10, 10), bg);
  EXPECT_EQ(at(700, 500), bg);
  // The red layer's corners, one pixel either side.
  EXPECT_EQ(at(50, 80), r);
  EXPECT_EQ(at(49, 80), bg);
  EXPECT_EQ(at(50, 79), bg);
  EXPECT_EQ(at(50, 271), r);
  EXPECT_EQ(at(50, 272), bg);
  EXPECT_EQ(at(95, 96), r);
  // The blue layer covers the red one where they overlap.
  EXPECT_EQ(at(96, 96), b);
  EXPECT_EQ(at(150, 150), b);
  EXPECT_EQ(at(241, 271), b);
  EXPECT_EQ(at(339, 299), b);
  EXPECT_EQ(at(340, 299), bg);
  EXPECT_EQ(at(339, 300), bg);
  EXPECT_EQ(at(96, 95), r);
  EXPECT_EQ(at(242, 95), bg);
}

}  // namespace
}  // namespace tintorb
