#include <gtest/gtest.h>

#include <QApplication>
#include <QMenuBar>
#include <QProxyStyle>
#include <QStyle>
#include <QToolButton>
#include <memory>

#include "app/ui/AppStyle.h"

namespace tintorb {
namespace {

// The overflow button of a menu bar too narrow for its menus shows the same
// picture as under the platform's style, although it is read only then.
TEST(AppStyle, OverflowButtonIconIsReadWhenShownAndLooksTheSame) {
  std::unique_ptr<QStyle> style(CreateAppStyle());
  const QStyle* plain = static_cast<QProxyStyle*>(style.get())->baseStyle();
  for (auto which :
       {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton}) {
    const QIcon icon = style->standardIcon(which);
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.pixmap(16, 16).toImage(), plain->standardIcon(which).pixmap(16, 16).toImage());
  }

  QMenuBar bar;
  bar.setStyle(style.get());
  for (const char* title : {"ファイル(&F)", "編集(&E)", "タグ(&T)", "設定(&C)"})
    bar.addMenu(QString::fromUtf8(title));
  bar.resize(60, 24);
  bar.show();
  QApplication::processEvents();
  const auto buttons = bar.findChildren<QToolButton*>();
  ASSERT_FALSE(buttons.isEmpty());
  EXPECT_TRUE(buttons.first()->isVisible());
  EXPECT_FALSE(buttons.first()->icon().pixmap(16, 16).isNull());
}

}  // namespace
}  // namespace tintorb
