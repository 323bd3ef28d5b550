// The main window's arithmetic and settings keys, without a window.
#include <gtest/gtest.h>

#include <vector>

#include "app/AboutText.h"
#include "app/Caption.h"
#include "app/ColorWellLayout.h"
#include "app/MainSettings.h"
#include "app/SheetPages.h"
#include "core/TextFile.h"
#include "support/Fakes.h"

namespace tintorb {
namespace {

TEST(ColorWellLayout, ZonesOfTheDesignedWell) {
  const TColorWellLayout well;
  EXPECT_EQ(well.Fore(), (TRect{0, 0, 61, 33}));
  EXPECT_EQ(well.Back(), (TRect{12, 12, 73, 45}));
  EXPECT_EQ(well.Swap(), (TRect{63, 0, 73, 10}));
  EXPECT_EQ(well.Defaults(), (TRect{0, 35, 10, 45}));

  // Where the squares overlap the foreground wins.
  EXPECT_EQ(well.HitTest(30, 20), TWellZone::Fore);
  EXPECT_EQ(well.HitTest(60, 32), TWellZone::Fore);
  EXPECT_EQ(well.HitTest(61, 32), TWellZone::Back);
  EXPECT_EQ(well.HitTest(72, 44), TWellZone::Back);
  EXPECT_EQ(well.HitTest(65, 5), TWellZone::Swap);
  EXPECT_EQ(well.HitTest(5, 40), TWellZone::Defaults);
  // Corners outside both squares and both icons.
  EXPECT_EQ(well.HitTest(62, 5), TWellZone::None);
  EXPECT_EQ(well.HitTest(11, 40), TWellZone::None);
  EXPECT_EQ(well.HitTest(73, 20), TWellZone::None);
  EXPECT_EQ(well.HitTest(-1, 0), TWellZone::None);
}

TEST(Swatches, BarReadsLikeTheDigitRow) {
  std::vector<int> shown;
  for (int box = 0; box < 10; ++box) shown.push_back(SwatchInBox(box));
  EXPECT_EQ(shown, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 0}));
  for (int s = 0; s < 10; ++s) EXPECT_EQ(SwatchInBox(BoxOfSwatch(s)), s);
  EXPECT_EQ(BoxOfSwatch(0), 9);  // key 0 stores into the right-most box

  EXPECT_EQ(SwatchAtX(0), 1);
  EXPECT_EQ(SwatchAtX(9), 1);
  EXPECT_EQ(SwatchAtX(10), -1);  // the gap
  EXPECT_EQ(SwatchAtX(11), 2);
  EXPECT_EQ(SwatchAtX(99), 0);
  EXPECT_EQ(SwatchAtX(108), 0);
  EXPECT_EQ(SwatchAtX(109), -1);
  EXPECT_EQ(SwatchAtX(112), -1);
  EXPECT_EQ(SwatchAtX(-3), -1);
  EXPECT_EQ(SwatchBoxRect(9, 20), (TRect{99, 0, 109, 20}));
}

TEST(Swatches, StoredTextThatIsNoColourIsRefused) {
  TColor c = 1;
  EXPECT_TRUE(SwatchColor("ABCDEF", c));
  EXPECT_EQ(c, RGB(0xAB, 0xCD, 0xEF));
  EXPECT_TRUE(SwatchColor("000000", c));
  EXPECT_EQ(c, 0);
  EXPECT_FALSE(SwatchColor("zz1234", c));
  EXPECT_FALSE(SwatchColor("FFFFFFFF", c));  // would be a system colour
}

TEST(ScreenPick, RadiusFromModifiers) {
  EXPECT_EQ(PickRadius(false, false, false), 0);
  EXPECT_EQ(PickRadius(true, false, false), 2);
  EXPECT_EQ(PickRadius(false, true, false), 2);
  EXPECT_EQ(PickRadius(false, false, true), 1);
  EXPECT_EQ(PickRadius(true, true, false), 4);  // 9 x 9
  EXPECT_EQ(PickRadius(true, true, true), 5);   // 11 x 11
}

TEST(ScreenPick, AverageTruncatesEachComponent) {
  const std::vector<TColor> one{RGB(1, 2, 3)};
  EXPECT_EQ(AverageColor(one), RGB(1, 2, 3));
  const std::vector<TColor> two{RGB(0, 255, 10), RGB(1, 0, 11)};
  EXPECT_EQ(AverageColor(two), RGB(0, 127, 10));
  std::vector<TColor> square(121, RGB(255, 255, 255));
  square[0] = 0;
  EXPECT_EQ(AverageColor(square), RGB(252, 252, 252));  // 255*120/121 = 252.89
  EXPECT_EQ(AverageColor({}), 0);
}

TEST(SheetPages, ClampsAndSearchesUpThenDown) {
  const std::vector<bool> all(10, true);
  EXPECT_EQ(ChooseActivePage(12, all), 9);
  EXPECT_EQ(ChooseActivePage(-5, all), 0);
  EXPECT_EQ(ChooseActivePage(4, all), 4);

  std::vector<bool> some = all;
  some[4] = some[5] = false;
  EXPECT_EQ(ChooseActivePage(4, some), 6);
  some[6] = some[7] = some[8] = some[9] = false;
  EXPECT_EQ(ChooseActivePage(4, some), 3);
  EXPECT_EQ(ChooseActivePage(99, some), 3);
  EXPECT_EQ(ChooseActivePage(0, std::vector<bool>(3, false)), -1);
  EXPECT_EQ(ChooseActivePage(0, {}), -1);
}

TEST(Caption, TooltipsLeaveOutTheAccelerator) {
  const std::pair<const char*, const char*> cases[] = {
      {"コピー(&C)", "コピー"},
      {"キャンバスの表示(&C)", "キャンバスの表示"},
      {"バージョン情報(&A)...", "バージョン情報"},
      {"値を \"\" で囲む(&D)", "値を \"\" で囲む"},
      {"Save (&S)", "Save"},
      {"&File", "File"},
      {"Fish && &Chips", "Fish & Chips"},
      {"お気に入りに追加", "お気に入りに追加"},
      {"(&&)", "(&)"},
      {"&", ""},
  };
  for (const auto& [caption, tip] : cases) EXPECT_EQ(CaptionWithoutAccelerator(caption), tip);
}

TEST(AboutText, MemoryInKilobytesWithSeparators) {
  EXPECT_EQ(WithThousands(0), "0");
  EXPECT_EQ(WithThousands(999), "999");
  EXPECT_EQ(WithThousands(1000), "1,000");
  EXPECT_EQ(WithThousands(1234567), "1,234,567");
  EXPECT_EQ(MemoryLineText(8ull * 1024 * 1024 * 1024),
            "Physical Memory Aviailable to Windows: 8,388,608 KB");
  EXPECT_EQ(VersionText().rfind("Version ", 0), 0u);
  EXPECT_GT(VersionText().size(), 8u);
}

TEST(MainSettings, EmptyFileGivesEveryDefault) {
  const TIniFile ini;
  TMainSettings present;
  present.form = {0, 1, -1, -1, 7, 8, 107, 208};
  const TMainSettings s = ReadMainSettings(ini, present);
  EXPECT_EQ(s.current, 0);
  EXPECT_EQ(s.back, 0xFFFFFF);
  EXPECT_EQ(s.form, present.form);
  EXPECT_EQ(s.copy, TCopyOptions{});
  EXPECT_TRUE(s.copy.sharp);
  EXPECT_TRUE(s.copy.quote);
  EXPECT_FALSE(s.stayOnTop || s.webSafe || s.taskTray);
  EXPECT_EQ(s.activePage, 0);
  EXPECT_EQ(s.previewSize, 16);
  EXPECT_TRUE(s.previewShow);
  EXPECT_EQ(s.previewCaption, "だってTintorbなんだもん！");
  EXPECT_EQ(s.previewFont, DefaultPreviewFont());
  EXPECT_EQ(s.previewFont.size, 24);
  EXPECT_EQ(s.previewFontColor, 0);
  EXPECT_EQ(s.previewColor, 0xFFFFFF);
  for (const auto& sw : s.swatches) EXPECT_EQ(sw, "000000");
}

TEST(MainSettings, ReadsStoredValues) {
  testing::TempDir dir;
  const std::string path = dir / "t.ini";
  WriteFileAtomic(path,
                  "[Color]\r\nRed=18\r\nGreen=52\r\nBlue=86\r\nBack=255\r\n"
                  "[Config]\r\nForm.X=10\r\nForm.Y=20\r\nForm.XSize=410\r\nForm.YSize=320\r\n"
                  "Add_Shape=0\r\nUse_Small=1\r\nWebSafe=1\r\nActivePage=12\r\n"
                  "[Preview]\r\nSize=3\r\nShow=0\r\nCaption=abc\r\n"
                  "[Swatch]\r\n0=FF0000\r\n9=00FF00\r\n");
  const TIniFile ini(path);
  const TMainSettings s = ReadMainSettings(ini, TMainSettings{});
  EXPECT_EQ(s.current, RGB(18, 52, 86));
  EXPECT_EQ(s.back, 255);
  EXPECT_EQ(s.form.left, 10);
  EXPECT_EQ(s.form.right - s.form.left, 400);
  EXPECT_EQ(s.form.bottom - s.form.top, 300);
  EXPECT_FALSE(s.copy.sharp);
  EXPECT_TRUE(s.copy.quote);
  EXPECT_TRUE(s.copy.lower);
  EXPECT_TRUE(s.webSafe);
  EXPECT_EQ(s.activePage, 12);   // clamped by the window, not here
  EXPECT_EQ(s.previewSize, 16);  // raised to the minimum
  EXPECT_FALSE(s.previewShow);
  EXPECT_EQ(s.previewCaption, "abc");
  EXPECT_EQ(s.swatches[0], "FF0000");
  EXPECT_EQ(s.swatches[1], "000000");
  EXPECT_EQ(s.swatches[9], "00FF00");
}

TEST(MainSettings, ComponentsOutOfRangeKeepTheirLowByte) {
  testing::TempDir dir;
  WriteFileAtomic(dir / "t.ini", "[Color]\r\nRed=300\r\nGreen=-1\r\nBlue=x\r\n");
  const TMainSettings s = ReadMainSettings(TIniFile(dir / "t.ini"), TMainSettings{});
  EXPECT_EQ(s.current, RGB(44, 255, 0));
}

TEST(MainSettings, ClosingWritesEveryKeyInOrder) {
  testing::TempDir dir;
  const std::string path = dir / "t.ini";
  TIniFile ini(path);
  TMainSettings s;
  s.current = RGB(1, 2, 3);
  s.form = {0, 1, -1, -1, 10, 20, 410, 320};
  s.swatches[3] = "ABCDEF";
  WriteMainSettings(ini, s);
  ini.UpdateFile();
  const std::string text = Cp932ToUtf8(*ReadFileBytes(path));
  const std::string expected =
      "[Color]\r\nRed=1\r\nGreen=2\r\nBlue=3\r\nBack=16777215\r\n\r\n"
      "[Config]\r\nForm.Flags=0\r\nForm.Show=1\r\nForm.MaxX=-1\r\nForm.MaxY=-1\r\n"
      "Form.X=10\r\nForm.Y=20\r\nForm.XSize=410\r\nForm.YSize=320\r\n"
      "Add_Shape=1\r\nAdd_Quote=1\r\nUse_Small=0\r\nAdd_COLOR=0\r\nStayOnTop=0\r\n"
      "WebSafe=0\r\nTaskTray=0\r\nActivePage=0\r\n\r\n"
      "[Preview]\r\nSize=16\r\nShow=1\r\nCaption=だってTintorbなんだもん！\r\n"
      "Font.Name=MS UI Gothic\r\nFont.Size=24\r\nFont.Color=0\r\nFont.Style=0\r\n"
      "FontColor=0\r\nColor=16777215\r\n\r\n"
      "[Swatch]\r\n0=000000\r\n1=000000\r\n2=000000\r\n3=ABCDEF\r\n4=000000\r\n"
      "5=000000\r\n6=000000\r\n7=000000\r\n8=000000\r\n9=000000\r\n\r\n";
  EXPECT_EQ(text, expected);

  // And what was written reads back as it was.
  const TMainSettings back = ReadMainSettings(TIniFile(path), TMainSettings{});
  EXPECT_EQ(back.current, s.current);
  EXPECT_EQ(back.form, s.form);
  EXPECT_EQ(back.swatches, s.swatches);
  EXPECT_EQ(back.previewFont, s.previewFont);
}

}  // namespace
}  // namespace tintorb
