#include <gtest/gtest.h>

#include <fstream>

#include "app/HistoryList.h"
#include "app/IniFile.h"
#include "core/TextFile.h"
#include "support/Fakes.h"

namespace tintorb {
namespace {

using testing::TempDir;
using V = std::vector<std::string>;

void WriteText(const std::string& path, const std::string& utf8) {
  std::ofstream(path, std::ios::binary) << Utf8ToCp932(utf8).value();
}

TEST(HistoryList, AddMovesCaseInsensitiveMatchesAndKeepsThe32MostRecent) {
  THistoryList h;
  h.Add("#FF0000");
  h.Add("");  // ignored
  h.Add("#00FF00");
  h.Add("#ff0000");
  EXPECT_EQ(h.Strings(), (V{"#FF0000", "#00FF00"}));  // the old spelling stays
  h.Add("#00ff00");
  EXPECT_EQ(h.Strings(), (V{"#00FF00", "#FF0000"}));
  h.Add("ＲＥＤ");
  h.Add("ｒｅｄ");
  EXPECT_EQ(h.Count(), 3);
  EXPECT_EQ(h[0], "ＲＥＤ");

  THistoryList many;
  for (int i = 0; i < 40; ++i) many.Add("c" + std::to_string(i));
  ASSERT_EQ(many.Count(), THistoryList::MaxCount);
  EXPECT_EQ(many[0], "c39");
  EXPECT_EQ(many[31], "c8");
  many.Add("C20");  // from the middle to the top, nothing lost
  EXPECT_EQ(many.Count(), 32);
  EXPECT_EQ(many[0], "c20");
  EXPECT_EQ(many[31], "c8");
}

TEST(HistoryList, LoadReadsH0OnTopWithBugForMissingKeys) {
  TempDir dir;
  const std::string path = dir / "t.ini";
  WriteText(path, "[History]\r\nCount=3\r\nH0=#FF0000\r\nH2=<font color=\"#00FF00\">\r\n");
  THistoryList h;
  h.Add("stale");
  h.LoadHistory(path, "History");
  EXPECT_EQ(h.Strings(), (V{"#FF0000", "BUG", "<font color=\"#00FF00\">"}));

  // Duplicates collapse; the lower index decides the position, the higher the spelling.
  WriteText(path, "[history]\r\ncount=4\r\nh0=abc\r\nH1=日本\r\nH2=ABC\r\nH3=\r\n");
  h.LoadHistory(path, "History");
  EXPECT_EQ(h.Strings(), (V{"ABC", "日本"}));

  WriteText(path, "[History]\r\nH0=x\r\n");  // no Count
  h.LoadHistory(path, "History");
  EXPECT_EQ(h.Count(), 0);
  WriteText(path, "[History]\r\nCount=-5\r\nH0=x\r\n");
  h.LoadHistory(path, "History");
  EXPECT_EQ(h.Count(), 0);
  h.LoadHistory(dir / "missing.ini", "History");
  EXPECT_EQ(h.Count(), 0);
}

TEST(HistoryList, HugeCountLoadsQuicklyWithTheSameResult) {
  TempDir dir;
  const std::string path = dir / "t.ini";
  WriteText(path, "[History]\r\nCount=2147483647\r\nH0=a\r\nH5=b\r\n");
  THistoryList h;
  h.LoadHistory(path, "History");
  EXPECT_EQ(h.Strings(), (V{"a", "BUG", "b"}));
  WriteText(path, "[History]\r\nCount=40\r\nH0=a\r\nH1=b\r\n");
  h.LoadHistory(path, "History");
  EXPECT_EQ(h.Strings(), (V{"a", "b", "BUG"}));
}

TEST(HistoryList, SaveRereadsTheFileAndLeavesOlderKeys) {
  TempDir dir;
  const std::string path = dir / "t.ini";
  WriteText(path, "[History]\r\nCount=40\r\nH0=old\r\nH35=older\r\n");
  THistoryList h;
  h.LoadHistory(path, "History");

  // The main window writes its copy after the list was loaded.
  TIniFile mainCopy(path);
  mainCopy.WriteInteger("Color", "Red", 12);
  mainCopy.WriteInteger("History", "Count", 99);  // a stale History of its own
  mainCopy.UpdateFile();

  for (int i = 0; i < 40; ++i) h.Add("#" + std::to_string(100000 + i));
  h.Add("two\r\nlines");
  h.SaveHistory(path, "History");

  const TIniFile back(path);
  EXPECT_EQ(back.ReadInteger("Color", "Red", 0), 12);
  EXPECT_EQ(back.ReadInteger("History", "Count", 0), 32);
  EXPECT_EQ(back.ReadString("History", "H0", ""), "two");
  EXPECT_EQ(back.ReadString("History", "H1", ""), "#100039");
  EXPECT_EQ(back.ReadString("History", "H31", ""), "#100009");
  EXPECT_EQ(back.ReadString("History", "H35", ""), "older");  // ignored, not removed

  THistoryList again;
  again.LoadHistory(path, "History");
  ASSERT_EQ(again.Count(), 32);
  EXPECT_EQ(again[0], "two");
  EXPECT_EQ(again[31], "#100009");

  THistoryList bad;
  bad.Add("x");
  EXPECT_THROW(bad.SaveHistory(dir / "no/dir/t.ini", "History"), EFileWriteError);
}

}  // namespace
}  // namespace tintorb
