// Pictures in the pick window: a file from the File menu and an image pasted
// from the clipboard, driven with real key, wheel and mouse events.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMimeData>
#include <QTest>
#include <QWheelEvent>
#include <cstdlib>

#include "app/ui/MainForm.h"
#include "app/ui/PickController.h"
#include "app/ui/PickWindow.h"
#include "app/ui/PictureCommands.h"
#include "core/ProgramDir.h"
#include "support/Fakes.h"

namespace tintorb {
namespace {

class PicturePickTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TForm1>();
    form->BuildSheets({});
    form->show();
    // 300 x 200: red left of x = 150, blue from there, one green pixel.
    picture = QImage(300, 200, QImage::Format_RGB32);
    picture.fill(qRgb(0, 0, 255));
    for (int y = 0; y < 200; ++y)
      for (int x = 0; x < 150; ++x) picture.setPixel(x, y, qRgb(255, 0, 0));
    picture.setPixel(170, 100, qRgb(0, 255, 0));
  }
  void TearDown() override { form.reset(); }
  TPickWindow* Window() {
    TPickSession* s = form->Pick()->Session();
    if (!s) return nullptr;
    TPickWindow* w = s->Windows().front();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(w));
    EXPECT_TRUE(w->IsPicture());
    return w;
  }
  void ExpectClosed() {
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->Pick()->Session() == nullptr; }, 2000));
  }

  testing::ProgramHome dir;
  testing::ScopedFakes fakes;
  std::unique_ptr<TForm1> form;
  QImage picture;
};

TEST_F(PicturePickTest, AFileFromTheMenuIsPickedWithKeys) {
  ASSERT_TRUE(picture.save(QString::fromStdString(dir / "shot.png")));
  fakes.dialogs.openAnswers.push_back({dir / "shot.png"});
  form->Pictures()->actPickFromPicture->trigger();
  TPickWindow* w = Window();
  ASSERT_TRUE(w);
  EXPECT_EQ(form->Pick()->Session()->Cross(), (TCrossPos{150, 100}));
  QTest::keyClick(w, Qt::Key_Left);
  QTest::keyClick(w, Qt::Key_Return);
  ExpectClosed();
  EXPECT_EQ(form->CurrentColor(), RGB(255, 0, 0));

  // Not a picture: named in an error box, no window.
  WriteFileAtomic(dir / "notes.png", "hello");
  fakes.dialogs.openAnswers.push_back({dir / "notes.png"});
  form->Pictures()->actPickFromPicture->trigger();
  EXPECT_EQ(form->Pick()->Session(), nullptr);
  ASSERT_EQ(fakes.dialogs.Of("Error").size(), 1u);
  EXPECT_NE(fakes.dialogs.Of("Error")[0].find(dir / "notes.png"), std::string::npos);

  // Dropped on the main window.
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(dir / "shot.png"))});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, {});
  QApplication::sendEvent(form.get(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, {});
  QApplication::sendEvent(form.get(), &drop);
  w = Window();
  ASSERT_TRUE(w);
  QTest::keyClick(w, Qt::Key_Escape);
  ExpectClosed();
}

TEST_F(PicturePickTest, APastedImageZoomsPansAndStoresASwatch) {
  TPicture clip{300, 200, {}};
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 300; ++x) clip.pixels.push_back(picture.pixel(x, y));
  fakes.desktop.clipboardPicture = clip;
  form->actPaste->trigger();
  TPickWindow* w = Window();
  ASSERT_TRUE(w);
  const double fitted = w->View().zoom;

  // The wheel zooms in around the pointer; a drag pans and takes nothing.
  const QPointF at(w->width() / 2.0, w->height() / 2.0);
  QWheelEvent wheel(at, w->mapToGlobal(at), {}, QPoint(0, 5 * 120), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  const auto under = [&] { return (at.x() - w->View().x) / w->View().zoom; };
  const double before = under();
  QApplication::sendEvent(w, &wheel);
  EXPECT_DOUBLE_EQ(w->View().zoom, std::min(16.0, fitted * std::pow(1.25, 5)));
  EXPECT_NEAR(under(), before, 1e-9) << "the picture point under the pointer stays";
  for (int i = 0; i < 8; ++i) QApplication::sendEvent(w, &wheel);
  EXPECT_DOUBLE_EQ(w->View().zoom, 16);
  const double x0 = w->View().x;
  QTest::mousePress(w, Qt::LeftButton, {}, QPoint(200, 200));
  QTest::mouseMove(w, QPoint(260, 200));
  QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(260, 200));
  EXPECT_DOUBLE_EQ(w->View().x, x0 + 60);
  ASSERT_TRUE(form->Pick()->Session());

  // Neither moved the cross: keys walk from the centre to the green pixel.
  EXPECT_EQ(form->Pick()->Session()->Cross(), (TCrossPos{150, 100}));
  QTest::keyClick(w, Qt::Key_End);
  QTest::keyClick(w, Qt::Key_End);
  QTest::keyClick(w, Qt::Key_3);
  ExpectClosed();
  EXPECT_EQ(form->Swatches()[3], "00FF00");
}

}  // namespace
}  // namespace tintorb
