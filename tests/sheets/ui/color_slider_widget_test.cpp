#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "sheets/ui/TintorbColorSlider.h"

namespace tintorb {
namespace {

using S = TTintorbColorPanelStyle;

struct Shown {
  TTintorbColorSlider slider;
  Shown(S style, int w, int h) {
    slider.SetStyle(style);
    slider.resize(w, h);
    slider.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&slider));
  }
};

TEST(ColorSliderWidget, PressMapsAndAlwaysNotifiesButASameValueSetterDoesNot) {
  Shown s(S::cpsHorizontal, 128, 20);
  QSignalSpy spy(&s.slider, &TTintorbColorSlider::OnChange);
  QTest::mouseClick(&s.slider, Qt::LeftButton, {}, QPoint(64, 10));
  EXPECT_EQ(s.slider.PositionX(), 128);
  EXPECT_EQ(spy.count(), 1);
  EXPECT_EQ(spy.at(0).at(0).value<TTintorbColorSlider*>(), &s.slider);
  QTest::mouseClick(&s.slider, Qt::LeftButton, {}, QPoint(64, 10));
  EXPECT_EQ(spy.count(), 2);
  s.slider.SetPositionX(128);
  EXPECT_EQ(spy.count(), 2);
  s.slider.SetPositionX(7);
  EXPECT_EQ(spy.count(), 3);
}

TEST(ColorSliderWidget, DragKeepsTheMouseAndClampsOutsidePoints) {
  Shown s(S::cpsHorizontal, 128, 20);
  QSignalSpy spy(&s.slider, &TTintorbColorSlider::OnChange);
  const int builds = s.slider.Model().GradientBuilds();
  QTest::mousePress(&s.slider, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(QWidget::mouseGrabber(), &s.slider);
  QTest::mouseMove(&s.slider, QPoint(64, 10));
  EXPECT_EQ(s.slider.PositionX(), 128);
  QTest::mouseMove(&s.slider, QPoint(400, 90));
  EXPECT_EQ(s.slider.PositionX(), 255);
  QTest::mouseMove(&s.slider, QPoint(-50, 10));
  EXPECT_EQ(s.slider.PositionX(), 0);
  QTest::mouseRelease(&s.slider, Qt::LeftButton, {}, QPoint(-50, 10));
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
  EXPECT_EQ(spy.count(), 4);
  EXPECT_EQ(s.slider.Model().GradientBuilds(), builds);
  // Without the button held a move does nothing.
  QTest::mouseMove(&s.slider, QPoint(64, 10));
  EXPECT_EQ(s.slider.PositionX(), 0);
  EXPECT_EQ(spy.count(), 4);
}

TEST(ColorSliderWidget, OtherButtonsDoNothing) {
  Shown s(S::cpsHorizontal, 128, 20);
  QSignalSpy spy(&s.slider, &TTintorbColorSlider::OnChange);
  QTest::mouseClick(&s.slider, Qt::RightButton, {}, QPoint(100, 10));
  QTest::mouseClick(&s.slider, Qt::MiddleButton, {}, QPoint(100, 10));
  EXPECT_EQ(s.slider.PositionX(), 0);
  EXPECT_EQ(spy.count(), 0);
}

TEST(ColorSliderWidget, FieldPressUsesTheWholeControlSize) {
  Shown s(S::cpsHsvSV, 105, 105);
  s.slider.SetHSV(MakeHSV(77, 0, 0));
  QTest::mouseClick(&s.slider, Qt::LeftButton, {}, QPoint(104, 0));
  EXPECT_EQ(s.slider.HSV(), MakeHSV(77, 253, 255));
}

TEST(ColorSliderWidget, PaintsTheComposedPictureWithThePaletteBorder) {
  Shown s(S::cpsHorizontal, 100, 20);
  QPalette pal = s.slider.palette();
  pal.setColor(QPalette::Dark, QColor(10, 20, 30));
  pal.setColor(QPalette::Light, QColor(200, 210, 220));
  s.slider.setPalette(pal);
  s.slider.SetColor1(clBlack);
  s.slider.SetColor2(RGB(255, 0, 0));
  s.slider.SetPositionX(128);
  const QImage shot = s.slider.grab().toImage();
  ASSERT_EQ(shot.size(), QSize(100, 20));
  EXPECT_EQ(shot.pixelColor(0, 0), QColor(10, 20, 30));
  EXPECT_EQ(shot.pixelColor(99, 19), QColor(200, 210, 220));
  EXPECT_EQ(shot.pixelColor(1, 10), QColor(0, 0, 0));
  EXPECT_EQ(shot.pixelColor(50, 3), QColor(0, 0, 0));  // marker
  EXPECT_EQ(shot.pixelColor(49, 3), QColor(255, 255, 255));
  EXPECT_EQ(shot.pixelColor(70, 10).red(), s.slider.Model().Gradient().Pixel(182, 0).R);
}

TEST(ColorSliderWidget, ResizingRebuildsAtModelResolution) {
  Shown s(S::cpsHlsHS, 200, 100);
  const int builds = s.slider.Model().GradientBuilds();
  s.slider.resize(362, 258);
  QCoreApplication::processEvents();
  EXPECT_GT(s.slider.Model().GradientBuilds(), builds);
  EXPECT_EQ(s.slider.Model().Gradient().width, 360);
  EXPECT_EQ(s.slider.Composition().size(), QSize(362, 258));
}

}  // namespace
}  // namespace tintorb
