#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "collections/Favorites.h"
#include "core/TextFile.h"
#include "support/Fakes.h"

namespace tintorb {
namespace {

using ::testing::ElementsAre;
using testing::TempDir;
using namespace std::string_literals;

TNamedColorList ListOf(std::initializer_list<const char*> rows) {
  TNamedColorList l;
  for (const char* r : rows) l.AddRow(r);
  return l;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find("\r\n", start);
    out.push_back(text.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 2;
  }
  return out;
}

TEST(NamedColorList, GetColorSplitsAtTheFirstComma) {
  auto l = ListOf({"00FF00,green, light", "ABCDEF12,long", "123,", "FF0000", ""});
  EXPECT_EQ(l.GetColor(0), (TNamedColor{"green, light", "00FF00"}));
  EXPECT_EQ(l.GetColor(1), (TNamedColor{"long", "ABCDEF"}));
  EXPECT_EQ(l.GetColor(2), (TNamedColor{"", "123"}));
  for (int i : {3, 4}) {
    try {
      l.GetColor(i);
      ADD_FAILURE() << "row " << i << " has no comma";
    } catch (const EFavoritesError& e) {
      EXPECT_STREQ(e.what(), "GetColor時にエラーが発生しました");
    }
  }
  // The hex part is cut by characters, never inside a multi-byte one.
  auto odd = ListOf({"ああああああああ,x"});
  EXPECT_EQ(odd.GetColor(0).Hex, "ああああああ");
}

TEST(NamedColorList, EditingOperations) {
  TNamedColorList l;
  EXPECT_EQ(l.Add("FF0000", "赤"), 0);
  EXPECT_EQ(l.Add("00FF00", "緑"), 1);
  l.Insert(0, {"黒", "000000"});
  l.Insert(3, {"白", "FFFFFF"});
  EXPECT_THAT(l.Rows(), ElementsAre("000000,黒", "FF0000,赤", "00FF00,緑", "FFFFFF,白"));
  l.Put(1, {"朱", "EB6101"});
  l.Move(0, 3);
  EXPECT_THAT(l.Rows(), ElementsAre("EB6101,朱", "00FF00,緑", "FFFFFF,白", "000000,黒"));
  l.Move(3, 0);
  l.Delete(1);
  EXPECT_THAT(l.Rows(), ElementsAre("000000,黒", "00FF00,緑", "FFFFFF,白"));
  TNamedColorList copy;
  copy.Add("123456", "old");
  copy.Assign(l);
  EXPECT_EQ(copy.Rows(), l.Rows());
  l.Clear();
  EXPECT_EQ(l.Count(), 0);
  EXPECT_EQ(copy.Count(), 3);

  EXPECT_THROW(copy.Delete(3), std::out_of_range);
  EXPECT_THROW(copy.Put(-1, {}), std::out_of_range);
  EXPECT_THROW(copy.Insert(4, {}), std::out_of_range);
  EXPECT_THROW(copy.Move(0, 3), std::out_of_range);
  EXPECT_EQ(copy.Count(), 3);
}

TEST(NamedColorList, ALineBreakInANameCannotSplitTheRowInItsFile) {
  TNamedColorList l;
  l.Add("FF0000", "two\r\nlines");
  l.Put(0, {"a\nb", "FF0000"});
  l.Insert(0, {"c\rd", "00FF00"});
  EXPECT_THAT(l.Rows(), ElementsAre("00FF00,c d", "FF0000,a b"));
  TNamedColorList back;
  back.LoadFromText(DecodeTextFile(l.FileBytes()));
  EXPECT_EQ(back.Rows(), l.Rows());
}

TEST(NamedColorListSort, SaturationAndLightnessDescending) {
  auto l = ListOf({"808080,grey", "CC6666,rose", "FF0000,red"});
  l.Sort(2);
  EXPECT_THAT(l.Rows(), ElementsAre("FF0000,red", "CC6666,rose", "808080,grey"));
  auto m = ListOf({"000000,k", "FFFFFF,w", "808080,g", "FF0000,r"});
  l = m;
  l.Sort(3);  // L: 255, 128, 127, 0
  EXPECT_THAT(l.Rows(), ElementsAre("FFFFFF,w", "808080,g", "FF0000,r", "000000,k"));
}

TEST(NamedColorListSort, NameOrderIsTheBytesOfTheStoredEncoding) {
  // In CP932 the long-vowel mark (81 5B) and full-width Ａ (82 60) come before
  // あ (82 A0); in UTF-8 they would come after it.
  auto l = ListOf({"000001,あ", "000002,ー", "000003,Ａ", "000004,b", "000005,B", "000006,",
                   "000007,Bc", "000008,ｶ", "000009"});
  l.Sort(0);
  EXPECT_THAT(l.Rows(), ElementsAre("000006,", "000009", "000005,B", "000007,Bc", "000004,b",
                                    "000002,ー", "000003,Ａ", "000001,あ", "000008,ｶ"));
}

TEST(NamedColorListSort, WholeRowWithoutRegardToCase) {
  auto l = ListOf({"ff0000,x", "00FF00,y", "FF0000,a", "0000ff,B", "0000FF,a"});
  l.Sort(1);
  EXPECT_THAT(l.Rows(), ElementsAre("0000FF,a", "0000ff,B", "00FF00,y", "FF0000,a", "ff0000,x"));
}

TEST(NamedColorListSort, AnUnreadableColourStopsTheSortBeforeAnythingMoves) {
  const auto original = ListOf({"FFFFFF,w", "zz0000,bad", "000000,k"});
  auto l = original;
  EXPECT_THROW(l.Sort(3), EConvertError);
  EXPECT_EQ(l.Rows(), original.Rows());
  l = ListOf({"FFFFFF,w", "no comma", "000000,k"});
  EXPECT_THROW(l.Sort(2), EFavoritesError);
  EXPECT_THAT(l.Rows(), ElementsAre("FFFFFF,w", "no comma", "000000,k"));
  // Name and row order need no colour.
  l.Sort(0);
  EXPECT_EQ(l.Row(0), "no comma");
}

TEST(GroupFile, ReadingSplitsAtEveryKindOfLineBreak) {
  TNamedColorList l;
  l.LoadFromText("A,1\r\nB,2\rC,3\nD,4\r\n\r\nE,5");
  EXPECT_THAT(l.Rows(), ElementsAre("A,1", "B,2", "C,3", "D,4", "", "E,5"));
  l.LoadFromText("A,1\n\n");
  EXPECT_THAT(l.Rows(), ElementsAre("A,1", ""));
  l.LoadFromText("\r\n");
  EXPECT_THAT(l.Rows(), ElementsAre(""));
  l.LoadFromText("");
  EXPECT_EQ(l.Count(), 0);
  l.LoadFromText("\n\r");  // LF then a lone CR: two empty lines
  EXPECT_THAT(l.Rows(), ElementsAre("", ""));
}

TEST(GroupFile, WrittenAsCp932WithCrLfAndReadBack) {
  TempDir dir;
  TNamedColorList l;
  l.Add("FF0000", "赤");
  l.Add("00FF00", "green, light");
  l.SaveToFile(dir / "g.tintorb");
  EXPECT_EQ(*ReadFileBytes(dir / "g.tintorb"),
            "FF0000,\x90\xD4\r\n"
            "00FF00,green, light\r\n");
  TNamedColorList back;
  back.Add("000000", "stale");
  ASSERT_TRUE(back.LoadFromFile(dir / "g.tintorb"));
  EXPECT_EQ(back.Rows(), l.Rows());

  // A name CP932 cannot hold makes the file UTF-8 with a BOM; it reads back.
  l.Add("0000FF", "🎨");
  l.SaveToFile(dir / "g.tintorb");
  EXPECT_EQ(ReadFileBytes(dir / "g.tintorb")->substr(0, 3), "\xEF\xBB\xBF");
  ASSERT_TRUE(back.LoadFromFile(dir / "g.tintorb"));
  EXPECT_EQ(back.Rows(), l.Rows());

  EXPECT_FALSE(back.LoadFromFile(dir / "missing.tintorb"));
  EXPECT_EQ(back.Rows(), l.Rows());
}

TEST(HtmlExport, TheRowLinesOfTheWorkedExample) {
  auto l = ListOf({"FF0000,赤"});
  THTMLTableOptions o;
  o.SampleText = "Sample";
  o.SampleBackColor = clWhite;
  EXPECT_THAT(Lines(l.HTMLText(o)),
              ElementsAre("<html>", "\t<head>",
                          "\t\t<meta http-equiv=\"content-type\" "
                          "content=\"text/html;charset=Shift_JIS\">",
                          "\t\t<meta name=\"generator\" content=\"Tintorb\">", "\t</head>",
                          "\t<body bgcolor=\"white\">",
                          "\t\t<table border=\"0\" cellpadding=\"4\" width=\"100%\">", "\t\t\t<tr>",
                          "\t\t\t\t<td bgcolor=\"FF0000\" width=\"10%\"><br></td>",
                          "\t\t\t\t<td>赤</td>", "\t\t\t\t<td><tt>FF0000</tt></td>",
                          "\t\t\t\t<td bgcolor=\"#FFFFFF\" align=\"center\"><font "
                          "color=\"FF0000\">Sample</td>",
                          "\t\t\t</tr>", "\t\t</table>", "\t</body>", "</html>"));
}

TEST(HtmlExport, FileIsCp932WithCrLfNoBomAndATitleLineWhenGiven) {
  TempDir dir;
  auto l = ListOf({"FF0000,赤", "0000FF,🎨"});
  THTMLTableOptions o{"色の表", "あ", RGB(0, 0x80, 0xFF), dir / "t.html"};
  l.SaveToHTML(o);
  const std::string bytes = *ReadFileBytes(o.FileName);
  EXPECT_EQ(bytes.substr(0, 8), "<html>\r\n");
  EXPECT_NE(bytes.find("\t\t<title>\x90\x46\x82\xCC\x95\x5C</title>\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("<td>\x90\xD4</td>"), std::string::npos);
  EXPECT_NE(bytes.find("<td>&#127912;</td>"), std::string::npos);  // not in CP932
  EXPECT_NE(
      bytes.find("<td bgcolor=\"#0080FF\" align=\"center\"><font color=\"0000FF\">\x82\xA0</td>"),
      std::string::npos);
  EXPECT_EQ(bytes.substr(bytes.size() - 9), "</html>\r\n");
  EXPECT_EQ(bytes.find('\n'), bytes.find('\r') + 1);
  size_t lf = 0, crlf = 0;
  for (size_t i = 0; i < bytes.size(); ++i)
    if (bytes[i] == '\n') ++lf, crlf += (i > 0 && bytes[i - 1] == '\r');
  EXPECT_EQ(lf, crlf);
  EXPECT_EQ(lf, 23u);  // 16 lines + 6 per extra row + the title
}

TEST(HtmlExport, NamesSampleAndTitleAreEscaped) {
  auto l = ListOf({"FF0000,<b>R&D</b> \"x\"", "\"><i>,broken hex"});
  THTMLTableOptions o{"a<b", "<Sample & co>", clWhite, ""};
  const std::string html = l.HTMLText(o);
  EXPECT_NE(html.find("<title>a&lt;b</title>"), std::string::npos);
  EXPECT_NE(html.find("<td>&lt;b&gt;R&amp;D&lt;/b&gt; &quot;x&quot;</td>"), std::string::npos);
  EXPECT_NE(html.find("color=\"FF0000\">&lt;Sample &amp; co&gt;</td>"), std::string::npos);
  EXPECT_NE(html.find("<td bgcolor=\"&quot;&gt;&lt;i&gt;\" width"), std::string::npos);
  EXPECT_EQ(html.find("<b>"), std::string::npos);
  EXPECT_EQ(html.find("<i>"), std::string::npos);
}

TEST(HtmlExport, ARowWithoutACommaWritesNoFile) {
  TempDir dir;
  auto l = ListOf({"FF0000,red", ""});
  EXPECT_THROW(l.SaveToHTML({"", "S", clWhite, dir / "x.html"}), EFavoritesError);
  EXPECT_FALSE(std::filesystem::exists(dir / "x.html"));
}

TEST(ActExport, RedLimeBlue) {
  TempDir dir;
  auto l = ListOf({"FF0000,red", "00FF00,lime", "0000FF,blue"});
  l.SaveToACT(dir / "p.act");
  std::string expected = "\xFF\x00\x00\x00\xFF\x00\x00\x00\xFF"s;
  expected += std::string(759, '\0');
  expected += "\x00\x03\xFF\xFF"s;
  EXPECT_EQ(*ReadFileBytes(dir / "p.act"), expected);
}

TEST(ActExport, SizesAtTheLimits) {
  TNamedColorList l;
  EXPECT_EQ(l.ACTBytes(), std::string(768, '\0') + "\x00\x00\xFF\xFF"s);
  for (int i = 0; i < 256; ++i) l.Add(ColorToHex(RGB(i, 255 - i, i / 2)), "c");
  const std::string full = l.ACTBytes();
  ASSERT_EQ(full.size(), 768u);
  EXPECT_EQ(full.substr(765), "\xFF\x00\x7F"s);
  l.Delete(0);
  const std::string short1 = l.ACTBytes();
  ASSERT_EQ(short1.size(), 772u);
  EXPECT_EQ(short1.substr(765), "\0\0\0\x00\xFF\xFF\xFF"s);
}

TEST(ActExport, MoreThan256ColoursIsAnErrorAndLeavesTheOldFile) {
  TempDir dir;
  WriteFileAtomic(dir / "p.act", "old");
  TNamedColorList l;
  for (int i = 0; i < 257; ++i) l.Add("123456", "");
  try {
    l.SaveToACT(dir / "p.act");
    ADD_FAILURE() << "no error";
  } catch (const EFavoritesError& e) {
    EXPECT_STREQ(e.what(), "256色以上あるためActファイルに書き出せません");
  }
  EXPECT_EQ(*ReadFileBytes(dir / "p.act"), "old");
  // Short hex text counts from the right, as HexToColor reads it.
  EXPECT_EQ((ListOf({"FF,blue"}).ACTBytes().substr(0, 3)), "\0\0\xFF"s);
}

}  // namespace
}  // namespace tintorb
