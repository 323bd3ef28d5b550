// The canvas window inside the real main window, as the program builds them.
#include <gtest/gtest.h>

#include <QAction>
#include <QTest>
#include <cstdlib>

#include "app/IniFile.h"
#include "app/ui/CanvasLink.h"
#include "app/ui/MainForm.h"
#include "canvas/ui/CanvasForm.h"
#include "core/ProgramDir.h"
#include "core/TextFile.h"
#include "support/Fakes.h"

namespace tintorb {
namespace {

using testing::ScopedFakes;
using testing::TempDir;

class CanvasInMainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TINTORB_HOME", dir.path().c_str(), 1);
    ResetProgramDirForTests();
    form = std::make_unique<TForm1>();
    form->SetCanvas(CreateCanvasWindow(*form));
    form->BuildSheets({});
    canvas = dynamic_cast<TCanvasForm*>(form->Canvas());
  }
  void TearDown() override {
    form.reset();
    unsetenv("TINTORB_HOME");
    ResetProgramDirForTests();
  }

  TempDir dir;
  ScopedFakes fakes;
  std::unique_ptr<TForm1> form;
  TCanvasForm* canvas = nullptr;
};

TEST_F(CanvasInMainWindowTest, HiddenAtStartAndToggledByTheMainWindow) {
  ASSERT_NE(canvas, nullptr);
  EXPECT_FALSE(canvas->isVisible());
  form->actCanvas->trigger();
  EXPECT_TRUE(canvas->isVisible());
  form->actCanvas->trigger();
  EXPECT_FALSE(canvas->isVisible());
}

TEST_F(CanvasInMainWindowTest, ColoursTravelBothWaysAndTheKeysReachTheFile) {
  ASSERT_NE(canvas, nullptr);
  form->show();
  form->actCanvas->trigger();
  form->SetForeColor(nullptr, RGB(10, 20, 30));
  canvas->actAdd->trigger();
  TTintorbCanvasItem* item = canvas->Canvas().Items.Item(0);
  EXPECT_EQ(item->Color, RGB(10, 20, 30));

  form->SetForeColor(nullptr, RGB(200, 100, 50));
  QTest::mouseClick(canvas->PaintBox1, Qt::LeftButton, {}, {150, 150});
  ASSERT_EQ(canvas->Canvas().Selected(), item);
  EXPECT_EQ(form->CurrentColor(), RGB(10, 20, 30));
  EXPECT_EQ(form->UndoColor(), RGB(200, 100, 50));  // a canvas selection can be undone

  form->actInvert->trigger();
  EXPECT_EQ(item->Color, RGB(245, 235, 225));
  form->actUndo->trigger();
  EXPECT_EQ(item->Color, RGB(10, 20, 30));

  canvas->move(70, 80);
  canvas->resize(310, 220);
  form.reset();
  const auto bytes = ReadFileBytes(DefaultIniPath());
  ASSERT_TRUE(bytes);
  const std::string ini = DecodeTextFile(*bytes);
  EXPECT_NE(ini.find("[Canvas]"), std::string::npos) << ini;
  EXPECT_NE(ini.find("Form.Width=310"), std::string::npos) << ini;
  EXPECT_NE(ini.find("Form.Height=220"), std::string::npos) << ini;
}

}  // namespace
}  // namespace tintorb
