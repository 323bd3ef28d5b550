#include <gtest/gtest.h>

#include <filesystem>

#include "canvas/CanvasHtml.h"
#include "canvas/CanvasLayout.h"
#include "core/TextFile.h"
#include "support/Fakes.h"

namespace tintorb {
namespace {

using testing::TempDir;

std::unique_ptr<TTintorbCanvasItem> MakeItem(int l, int t, int w, int h, TColor c) {
  auto item = std::make_unique<TTintorbCanvasItem>();
  item->Left = l;
  item->Top = t;
  item->Width = w;
  item->Height = h;
  item->Color = c;
  return item;
}

TEST(CanvasHtml, EmptyCanvasStillWritesEveryStructuralLine) {
  TCanvasItemList items;
  const std::vector<std::string> expected = {
      "<html>",
      "\t<head>",
      "\t\t<meta http-equiv=\"content-type\" content=\"text/html;charset=Shift_JIS\">",
      "\t\t<meta name=\"generator\" content=\"Tintorb\">",
      "\t\t<title>Tintorb - キャンバス</title>",
      "\t\t<style type=\"text/css\" media=\"screen\">",
      "\t\t<!--",
      "\t\t-->",
      "\t\t</style>",
      "\t</head>",
      "\t<body bgcolor=\"#FFFFFF\">",
      "\t</body>",
      "</html>",
  };
  EXPECT_EQ(CanvasHtmlLines(items, clWhite), expected);
}

TEST(CanvasHtml, LayersCountFromTheBackMostItem) {
  TCanvasItemList items;
  items.AddFront(MakeItem(10, 20, 30, 40, RGB(0x12, 0x34, 0x56)));  // back
  auto* front = items.AddFront(MakeItem(0, 4056, 4096, 0, RGB(255, 0, 0)));
  front->Kind = 1;  // kind, visibility and text are not written
  front->Visible = false;
  front->Text = "ignored";
  const auto lines = CanvasHtmlLines(items, RGB(0x33, 0x66, 0x99));
  ASSERT_EQ(lines.size(), 17u);
  EXPECT_EQ(lines[7],
            "\t\t\t#layer0 { background-color: #123456; position: absolute;z-index: 0; top: 20px; "
            "left: 10px; width: 30px; height: 40px; visibility: visible; display: block }");
  EXPECT_EQ(
      lines[8],
      "\t\t\t#layer1 { background-color: #FF0000; position: absolute;z-index: 1; top: 4056px; "
      "left: 0px; width: 4096px; height: 0px; visibility: visible; display: block }");
  EXPECT_EQ(lines[9], "\t\t-->");
  EXPECT_EQ(lines[12], "\t<body bgcolor=\"#336699\">");
  EXPECT_EQ(lines[13], "\t\t<div id=\"layer0\"></div>");
  EXPECT_EQ(lines[14], "\t\t<div id=\"layer1\"></div>");
  EXPECT_EQ(lines[15], "\t</body>");
}

TEST(CanvasHtml, BytesAreShiftJisWithCrLfOnEveryLine) {
  TCanvasItemList items;
  items.AddFront(MakeItem(1, 2, 3, 4, 0));
  // A system colour is written as the colour it stands for.
  const std::string bytes = CanvasHtmlBytes(items, clBtnFace);
  EXPECT_EQ(bytes.substr(0, 8), "<html>\r\n");
  EXPECT_EQ(bytes.substr(bytes.size() - 9), "</html>\r\n");
  EXPECT_EQ(bytes.find("\xEF\xBB\xBF"), std::string::npos);
  // "キャンバス" in CP932.
  EXPECT_NE(bytes.find("Tintorb - \x83\x4C\x83\x83\x83\x93\x83\x6F\x83\x58</title>\r\n"),
            std::string::npos);
  EXPECT_NE(bytes.find("bgcolor=\"#" + ColorToHex(clBtnFace) + "\">"), std::string::npos);
  size_t crlf = 0, lf = 0;
  for (size_t i = 0; i < bytes.size(); ++i)
    if (bytes[i] == '\n') {
      ++lf;
      if (i > 0 && bytes[i - 1] == '\r') ++crlf;
    }
  EXPECT_EQ(lf, 15u);  // thirteen fixed lines, a rule and a layer
  EXPECT_EQ(crlf, lf);
  EXPECT_EQ(Cp932ToUtf8(bytes).find("キャンバス") != std::string::npos, true);
}

TEST(CanvasHtml, ExportReplacesTheFileAndAFailedWriteLeavesItAlone) {
  TempDir dir;
  const std::string path = dir / "page.html";
  TCanvasItemList items;
  items.AddFront(MakeItem(1, 2, 3, 4, 0));
  WriteFileAtomic(path, "old");
  ExportCanvasHtml(path, items, clWhite);
  EXPECT_EQ(ReadFileBytes(path), CanvasHtmlBytes(items, clWhite));

  EXPECT_THROW(ExportCanvasHtml(dir / "missing/page.html", items, clWhite), EFileWriteError);
  EXPECT_EQ(ReadFileBytes(path), CanvasHtmlBytes(items, clWhite));
}

TEST(CanvasLayout, ReadsItemsFrontFirstWithAnOptionalBackground) {
  auto layout =
      ParseCanvasLayout("background 336699\r\n\r\n 10 20 30 40 ff0000\n0\t0 4096 4096 #00Ff00");
  EXPECT_EQ(layout.Background, RGB(0x33, 0x66, 0x99));
  ASSERT_EQ(layout.Items.Count(), 2u);
  EXPECT_EQ(layout.Items.Item(0)->BoundsRect(), (TCanvasRect{10, 20, 40, 60}));
  EXPECT_EQ(layout.Items.Item(0)->Color, RGB(255, 0, 0));
  EXPECT_EQ(layout.Items.Item(1)->Color, RGB(0, 255, 0));
  // The first line of the layout is the front-most item, so it is the top layer.
  const auto lines = CanvasHtmlLines(layout.Items, layout.Background);
  EXPECT_NE(lines[8].find("#layer1 { background-color: #FF0000"), std::string::npos);

  auto plain = ParseCanvasLayout("");
  EXPECT_EQ(plain.Background, clWhite);
  EXPECT_EQ(plain.Items.Count(), 0u);
}

TEST(CanvasLayout, BadLinesNameTheLineAndTheProblem) {
  auto error = [](std::string_view text) {
    try {
      ParseCanvasLayout(text);
    } catch (const ECanvasLayoutError& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  EXPECT_EQ(error("1 2 3 4"), "line 1: expected 'LEFT TOP WIDTH HEIGHT RRGGBB'");
  EXPECT_EQ(error("\n1 2 3 4 5 6"), "line 2: expected 'LEFT TOP WIDTH HEIGHT RRGGBB'");
  EXPECT_EQ(error("1 x 3 4 FFFFFF"), "line 1: TOP 'x' is not an integer");
  EXPECT_EQ(error("1 2 3.5 4 FFFFFF"), "line 1: WIDTH '3.5' is not an integer");
  EXPECT_EQ(error("1 2 3 99999999999 FFFFFF"), "line 1: HEIGHT '99999999999' is not an integer");
  EXPECT_EQ(error("-1 2 3 4 FFFFFF"), "line 1: LEFT -1 is outside 0..4096");
  EXPECT_EQ(error("4000 0 97 1 FFFFFF"), "line 1: the item does not fit in the 4096 x 4096 canvas");
  EXPECT_EQ(error("1 2 3 4 FFFFF"), "line 1: colour 'FFFFF' is not six hexadecimal digits RRGGBB");
  EXPECT_EQ(error("1 2 3 4 FFFFFFF"),
            "line 1: colour 'FFFFFFF' is not six hexadecimal digits RRGGBB");
  EXPECT_EQ(error("1 2 3 4 GG0000"),
            "line 1: colour 'GG0000' is not six hexadecimal digits RRGGBB");
  EXPECT_EQ(error("1 2 3 4 FFFFFF\nbackground 000000"),
            "line 2: the background line must come first");
  EXPECT_EQ(error("background"), "line 1: expected 'background RRGGBB'");
}

}  // namespace
}  // namespace tintorb
