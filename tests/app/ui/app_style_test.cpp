#include <gtest/gtest.h>

#include <QMenuBar>
#include <QProxyStyle>
#include <QToolButton>
#include <memory>

#include "app/ui/AppStyle.h"

namespace tintorb {
namespace {

// The overflow button of a menu bar too narrow for its menus shows the
// platform style's picture, although it is read only when drawn.
TEST(AppStyle, OverflowButtonShowsThePlatformPicture) {
  std::unique_ptr<QStyle> style(CreateAppStyle());
  QMenuBar bar;
  bar.setStyle(style.get());
  for (const char* title : {"ファイル(&F)", "編集(&E)", "タグ(&T)", "設定(&C)"})
    bar.addMenu(QString::fromUtf8(title));
  bar.resize(60, 24);
  bar.show();
  const auto buttons = bar.findChildren<QToolButton*>();
  ASSERT_EQ(buttons.size(), 1);
  const QStyle* plain = static_cast<QProxyStyle*>(style.get())->baseStyle();
  EXPECT_EQ(
      buttons[0]->icon().pixmap(16, 16).toImage(),
      plain->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton).pixmap(16, 16).toImage());
}

}  // namespace
}  // namespace tintorb
