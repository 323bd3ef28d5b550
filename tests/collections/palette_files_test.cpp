#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <regex>

#include "collections/PaletteFiles.h"
#include "core/TextCase.h"
#include "core/TextFile.h"
#include "support/Fakes.h"

namespace tintorb {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::ScopedFakes;
using ::testing::StartsWith;
using testing::TempDir;
using namespace std::string_literals;

std::vector<std::string> Rows(const TNamedColorList& l) {
  return l.Rows();
}

TNamedColorList List(std::initializer_list<std::string> rows) {
  TNamedColorList l;
  for (const auto& r : rows) l.AddRow(r);
  return l;
}

// Hex digits to bytes; blanks are for reading only.
std::string H(std::string_view hex) {
  std::string out, digits;
  for (char c : hex)
    if (c != ' ') digits += c;
  for (size_t i = 0; i + 1 < digits.size(); i += 2)
    out += char(std::stoi(digits.substr(i, 2), nullptr, 16));
  return out;
}

std::string ErrorOf(const std::function<void()>& fn) {
  try {
    fn();
  } catch (const EPaletteFormatError& e) {
    return e.what();
  }
  return "(no error)";
}

// ---------------------------------------------------------------------------
// GIMP palettes

TEST(Gpl, WritesGimpsOwnLayout) {
  EXPECT_EQ(GplBytes("Web 色", List({"FF0000,赤", "0A0B0C,", "FFFFFF,white\tsnow"})),
            "GIMP Palette\nName: Web 色\nColumns: 0\n#\n"
            "255   0   0\t赤\n"
            " 10  11  12\t\n"
            "255 255 255\twhite\tsnow\n");
  EXPECT_THROW(GplBytes("x", List({"no comma"})), EFavoritesError);
}

TEST(Gpl, ReadsBlanksCommentsHeaderLinesAndLineEnds) {
  const TPaletteGroup g = ReadGpl(
      "\xEF\xBB\xBFGIMP Palette\r\nName:  Mixed  \r\nColumns: 4\r\n# comment 1 2 3\r\n\r\n"
      "  0   0   0\tblack\r\n"
      "255\t128 7    dark  orange \r\n"
      "1 2 3\n"
      "16 32 48 \xE6\x9D\xB1\xE4\xBA\xAC\n"  // UTF-8 name
      "+1 2 3\t\tタブ\tと空白 \n"
      "4 5 6 caf\xE9");  // Latin-1 byte, no final line break
  EXPECT_EQ(g.name, "Mixed");
  // As GIMP reads them: the name is all after the one blank that ends B.
  EXPECT_THAT(Rows(g.colors), ElementsAre("000000,black", "FF8007,   dark  orange ", "010203,",
                                          "102030,東京", "010203,\tタブ\tと空白 ", "040506,café"));
}

TEST(Gpl, BadLinesAreReportedByNumber) {
  const struct {
    std::string text, message;
  } cases[] = {
      {"", "1 行目"},
      {"GIMP palette\n1 2 3\n", "1 行目"},
      {"GIMP Palette\n#\n1 2\n", "3 行目: R G B の数が足りません"},
      {"GIMP Palette\n1 2 256 x\n", "2 行目: 色の値が 0..255 の範囲外です"},
      {"GIMP Palette\n1 2 99999999999999999999\n", "2 行目: 色の値が 0..255"},
      {"GIMP Palette\n0 -1 0 x\n", "2 行目: 色の値が 0..255 の範囲外です"},
      {"GIMP Palette\n1 2 +\n", "2 行目: 色の値が数字ではありません"},
      {"GIMP Palette\n\n1 2 3x\n", "3 行目: 色の値が数字ではありません"},
      {"GIMP Palette\nName: a\nred 1 2 3\n", "3 行目"},
  };
  for (const auto& c : cases)
    EXPECT_THAT(ErrorOf([&] { ReadGpl(c.text); }), StartsWith(c.message)) << c.text;
}

// The palettes that GIMP ships, fetched by scripts/fetch_gimp_palettes.sh.
TEST(Gpl, ReadsEveryPaletteGimpShipsAndWritesItBackUnchanged) {
  const fs::path dir = fs::path(TINTORB_BINARY_DIR) / "gimp-palettes";
  std::vector<fs::path> files;
  if (fs::is_directory(dir))
    for (const auto& e : fs::directory_iterator(dir))
      if (e.path().extension() == ".gpl") files.push_back(e.path());
  ASSERT_GE(files.size(), 20u) << "run scripts/fetch_gimp_palettes.sh " << dir;
  const std::regex colourLine(R"(^\s*\d+\s+\d+\s+\d+.*)");
  for (const auto& f : files) {
    const std::string bytes = *ReadFileBytes(f.string());
    const TPaletteGroup g = ReadGpl(bytes);
    int expected = 0;
    std::istringstream lines(bytes);
    for (std::string line; std::getline(lines, line);)
      expected += std::regex_match(line, colourLine);
    EXPECT_EQ(g.colors.Count(), expected) << f;
    EXPECT_FALSE(g.name.empty()) << f;
    const TPaletteGroup back = ReadGpl(GplBytes(g.name, g.colors));
    EXPECT_EQ(back.name, g.name);
    EXPECT_EQ(Rows(back.colors), Rows(g.colors)) << f;
  }
  const auto named = ReadPaletteFile((dir / "Named_Colors.gpl").string());
  ASSERT_EQ(named.size(), 1u);
  EXPECT_EQ(named[0].name, "Named Colors");
  EXPECT_THAT(Rows(named[0].colors), ::testing::Contains("FF0000,red (255   0   0)"));
  EXPECT_THAT(Rows(ReadPaletteFile((dir / "Bears.gpl").string())[0].colors),
              ::testing::IsSupersetOf({"080808,grey3", "442C2C,"}));
}

// ---------------------------------------------------------------------------
// Adobe Swatch Exchange, assembled by hand: big-endian throughout; a block is
// type (2 bytes), length of what follows (4), data. Names are a count of
// UTF-16 code units including the terminating zero, the units, the zero.
const std::string kAseEveryKind =
    H("41534546"        // "ASEF"
      "0001 0000"       // version 1.0
      "0000000B"        // 11 blocks
                        // 1: colour entry outside any group
      "0001"            //   type: colour entry
      "00000010"        //   16 bytes follow
      "0002 9ED2 0000"  // name: 2 units, "黒", terminator
      "47726179"        //   model "Gray"
      "00000000"        //   0.0 (black)
      "0000"            //   type 0: global
                        // 2: group start
      "C001 0000000A"
      "0004 0057 0065 0062 0000"  // "Web"
                                  // 3: RGB entry
      "0001 0000001C"
      "0004 0072 0065 0064 0000"    // "red"
      "52474220"                    // "RGB "
      "3F800000 00000000 00000000"  // 1.0 0.0 0.0
      "0002"                        // type 2: normal
                                    // 4: CMYK entry, spot
      "0001 00000022"
      "0005 0063 006D 0079 006B 0000"        // "cmyk"
      "434D594B"                             // "CMYK"
      "3F000000 00000000 00000000 3E800000"  // C 0.5 M 0 Y 0 K 0.25
      "0001"                                 // type 1: spot
                                             // 5: Lab entry (L as a fraction of 100)
      "0001 0000001C"
      "0004 006C 0061 0062 0000"    // "lab"
      "4C414220"                    // "LAB "
      "3F000000 42800000 C2000000"  // L 0.5 (50), a 64, b -32
      "0002"
      // 6: a block of a kind we do not know: skipped by its length
      "C003 00000003 78797A"
      // 7: Lab out of the sRGB gamut, clipped
      "0001 0000001A"
      "0003 006F 0067 0000"         // "og"
      "4C414220"                    // "LAB "
      "3F400000 C3000000 42FE0000"  // L 0.75, a -128, b 127
      "0002"
      "C002 00000000"  // 8: group end
      // 9: group start, empty name
      "C001 00000004 0001 0000"
      // 10: Gray entry, name outside the BMP (surrogate pair)
      "0001 00000012"
      "0003 D83D DE00 0000"  // U+1F600
      "47726179 3F800000 0000"
      "C002 00000000");  // 11: group end

TEST(Ase, ReadsEveryModelTypeAndBlockKind) {
  const auto groups = ReadAse(kAseEveryKind);
  ASSERT_EQ(groups.size(), 3u);
  EXPECT_EQ(groups[0].name, "");  // the colours outside any group
  EXPECT_THAT(Rows(groups[0].colors), ElementsAre("000000,黒"));
  EXPECT_EQ(groups[1].name, "Web");
  // CMYK through the program's rule: C 128, K 64 -> R 255-128-64; Lab values
  // checked against a separate D50 -> Bradford -> sRGB computation.
  EXPECT_THAT(Rows(groups[1].colors),
              ElementsAre("FF0000,red", "3FBFBF,cmyk", "C73BAF,lab", "00E500,og"));
  EXPECT_EQ(groups[2].name, "");
  EXPECT_THAT(Rows(groups[2].colors), ElementsAre("FFFFFF,\xF0\x9F\x98\x80"));

  // Through the file reader, unnamed groups take the file name; in the store a
  // taken name gets the store's own suffix.
  ScopedFakes fakes;
  TFavorites store;
  store.AddGroup("web");
  const auto named = ReadPaletteBytes(kAseEveryKind, "/tmp/swatches.ase");
  const auto added = AddPaletteGroups(store, named);
  EXPECT_THAT(added, ElementsAre(1, 2, 3));
  EXPECT_EQ(store.GroupName(1), "swatches");
  EXPECT_EQ(store.GroupName(2), "Web1");
  EXPECT_EQ(store.GroupName(3), "swatches1");
  EXPECT_EQ(store.Group(2).Count(), 4);

  // Names too long for a file are cut between characters to unique names,
  // each said with its file.
  std::string kana(161, 'x');
  for (int i = 0; i < 100; ++i) kana += "ん";
  fakes.dialogs.log.clear();
  ASSERT_THAT(AddPaletteGroups(store, {{kana + "1", {}, "/p/1.gpl"}, {kana + "2", {}, "/p/2.gpl"}}),
              ElementsAre(4, 5));
  for (int i : {4, 5}) {
    EXPECT_TRUE(IsValidUtf8(store.GroupName(i)));
    EXPECT_THAT(TFavorites::GroupFileName(store.GroupName(i)).size(),
                ::testing::AllOf(::testing::Le(255u), ::testing::Ge(250u)));
  }
  EXPECT_NE(FoldCase(store.GroupName(4)), FoldCase(store.GroupName(5)));
  EXPECT_THAT(fakes.dialogs.Of("Information"),
              ElementsAre(HasSubstr("/p/1.gpl"), HasSubstr("/p/2.gpl")));
}

TEST(Ase, LabOfSrgbRedIsRed) {
  const std::string file =
      H("41534546 0001 0000 00000001"
        "0001 00000016 0001 0000 4C414220"
        "3F0AFB7F 42A1999A 428BC7AE"  // L 0.5429, a 80.8, b 69.89
        "0002");
  EXPECT_THAT(Rows(ReadAse(file)[0].colors), ElementsAre("FF0000,"));
}

TEST(Ase, WritesRgbEntriesOneGroupPerGroup) {
  std::vector<TPaletteGroup> groups(1);
  groups[0].name = "Aa";
  groups[0].colors = List({"FF8000,橙"});
  EXPECT_EQ(AseBytes(groups), H("41534546 0001 0000 00000003"
                                "C001 00000008 0003 0041 0061 0000"
                                "0001 00000018 0002 6A59 0000 52474220"
                                "3F800000 3F008081 00000000"  // 128/255 as a float
                                "0002"
                                "C002 00000000"));
}

TEST(Ase, BadFilesAreReportedByOffset) {
  const std::string head = H("41534546 0001 0000");
  const std::string red = H("0001 00000016 0001 0000 52474220 3F800000 00000000 00000000 0002");
  auto one = [&](const std::string& block) { return head + H("00000001") + block; };
  const struct {
    std::string bytes, message;
  } cases[] = {
      {"", "バイト 0: \"ASEF\""},
      {H("41534546 0002 0000 00000000"), "バイト 4: 版 1"},
      {head, "バイト 8: ブロック数の途中"},
      {head + H("7FFFFFFF") + red, "バイト 8: ブロック数がファイルの大きさ"},
      {one(red.substr(0, 20)), "バイト 14: ブロックの長さがファイルの終わりを越えています"},
      {one(H("0001 FFFFFFF0") + red.substr(6)), "バイト 14: ブロックの長さが"},
      {one(H("0001 00000018") + red.substr(6) + H("0000")), "バイト 40: ブロックの長さが内容と"},
      {one(H("0001 00000016 0001 0041 52474220 3F800000 00000000 00000000 0002")),
       "バイト 18: 名前が 0 で終わっていません"},
      {one(H("0001 00000016 FFFF 0000 52474220 3F800000 00000000 00000000 0002")),
       "バイト 20: 名前の途中"},
      {one(H("0001 00000016 0001 0000 52474220 7FC00000 00000000 00000000 0002")),
       "バイト 26: 色の値が 0..1 の範囲外です"},  // NaN
      {one(H("0001 00000016 0001 0000 52474220 3F800000 40000000 00000000 0002")),
       "バイト 30: 色の値が 0..1"},
      {one(H("0001 00000016 0001 0000 4C414220 3F800000 43010000 00000000 0002")),
       "バイト 30: Lab の a, b"},
      {one(H("0001 00000016 0001 0000 48535620 3F800000 00000000 00000000 0002")),
       "バイト 22: 未知の色モデル"},
      {one(H("0001 00000016 0001 0000 52474220 3F800000 00000000 00000000 0003")),
       "バイト 38: 未知の色の種類"},
      {head + H("00000002 C001 00000004 0001 0000") + red, "バイト 50: グループが閉じていません"},
      {head + H("00000002 C001 00000004 0001 0000 C001 00000004 0001 0000"),
       "バイト 22: グループが閉じないうちに"},
      {one(H("C002 00000000")), "バイト 12: 始まっていないグループ"},
      {one(red) + "x", "バイト 40: 最後のブロックの後に余分な"},
  };
  for (const auto& c : cases)
    EXPECT_THAT(ErrorOf([&] { ReadAse(c.bytes); }), StartsWith(c.message)) << c.message;
}

// ---------------------------------------------------------------------------
// Adobe Color Table

TEST(Act, ReadsBothFormsWithCountAndTransparentIndex) {
  const TNamedColorList three = List({"FF0000,a", "00FF00,b", "0000FF,c"});
  EXPECT_THAT(Rows(ReadAct(three.ACTBytes()).colors), ElementsAre("FF0000,", "00FF00,", "0000FF,"));

  std::string bytes = three.ACTBytes();
  bytes[771] = 1;
  bytes[770] = 0;  // entry 1 is the transparent one
  EXPECT_THAT(Rows(ReadAct(bytes).colors), ElementsAre("FF0000,", "0000FF,"));

  TNamedColorList full;
  for (int i = 0; i < 256; ++i) full.Add(ColorToHex(RGB(i, 255 - i, i / 2)), "");
  EXPECT_EQ(Rows(ReadAct(full.ACTBytes()).colors), Rows(full));
  EXPECT_EQ(ReadAct(TNamedColorList().ACTBytes()).colors.Count(), 0);

  std::string tooMany = three.ACTBytes();
  tooMany[768] = 1;
  tooMany[769] = 1;
  EXPECT_THAT(ErrorOf([&] { ReadAct(tooMany); }), StartsWith("バイト 768: 色数が 256"));
  bytes[770] = 1;
  EXPECT_THAT(ErrorOf([&] { ReadAct(bytes); }), StartsWith("バイト 770: 透明色"));
  EXPECT_THAT(ErrorOf([&] { ReadAct(std::string(700, '\0')); }), StartsWith("バイト 700: 大きさ"));
}

// ---------------------------------------------------------------------------
// CSS custom properties

TEST(Css, WritesUniqueIdentifiersKeepingJapaneseAndTheNamesInComments) {
  const TNamedColorList list =
      List({"FF0000,赤(あか)", "00FF00,light green", "0000ff,", "123456,light green",
            "ABCDEF,*/ !?", "000000,1st", "111111,color-3"});
  EXPECT_EQ(CssVariablesText("My */ group", list),
            "@charset \"UTF-8\";\n"
            "/* My * / group */\n"
            ":root {\n"
            "  --赤-あか: #FF0000; /* 赤(あか) */\n"
            "  --light-green: #00FF00; /* light green */\n"
            "  --color-3: #0000FF;\n"
            "  --light-green-2: #123456; /* light green */\n"
            "  --color-5: #ABCDEF; /* * / !? */\n"
            "  --1st: #000000; /* 1st */\n"
            "  --color-3-2: #111111; /* color-3 */\n"
            "}\n");
  EXPECT_EQ(CssIdentifier("\xE3\x80\x80全角　空白 "), "全角-空白");
}

// ---------------------------------------------------------------------------
// All readers

TEST(PaletteFiles, EveryWriterReadsBackToTheSameRows) {
  const TNamedColorList rows =
      List({"FF0000,赤", "00FF00,green, light", "0000FF,", "7F7F7F,a  b",
            "010203,\xF0\x9F\x8E\xA8 palette", "123456,  空白つき  ", "654321,\tタブ\t名\t"});
  EXPECT_EQ(Rows(ReadGpl(GplBytes("g", rows)).colors), Rows(rows));
  std::vector<TPaletteGroup> groups(2);
  groups[0] = {"one", rows};
  groups[1] = {"二", List({"FEDCBA,x"})};
  const auto back = ReadAse(AseBytes(groups));
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[0].name, "one");
  EXPECT_EQ(Rows(back[0].colors), Rows(rows));
  EXPECT_EQ(back[1].name, "二");
  // Every 8-bit value survives the float.
  TNamedColorList ramp;
  for (int v = 0; v < 256; ++v) ramp.Add(ColorToHex(RGB(v, 255 - v, v)), "");
  EXPECT_EQ(Rows(ReadAse(AseBytes({{"r", ramp}}))[0].colors), Rows(ramp));
}

TEST(PaletteFiles, KindIsToldByContentThenByExtension) {
  const std::string gpl = "GIMP Palette\n1 2 3 x\n";
  EXPECT_EQ(ReadPaletteBytes(gpl, "dir/p.ase")[0].name, "p");
  EXPECT_EQ(ReadPaletteBytes(AseBytes({{"g", List({"010203,x"})}}), "q.gpl")[0].name, "g");
  EXPECT_EQ(ReadPaletteBytes(List({"010203,x"}).ACTBytes(), "t.ACT")[0].colors.Count(), 1);
  EXPECT_EQ(ErrorOf([] { ReadPaletteBytes("1 2 3\n", "dir/a.gpl"); }),
            "dir/a.gpl: 1 行目: \"GIMP Palette\" で始まっていません");
  EXPECT_THAT(ErrorOf([] { ReadPaletteBytes("hello", "x.txt"); }), StartsWith("x.txt: "));
}

TEST(PaletteFiles, AHugeFileIsRefusedWithoutReadingIt) {
  TempDir dir;
  const std::string path = dir / "huge.ase";
  const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, off_t(2) << 30), 0);  // 2 GB, sparse
  ::close(fd);
  EXPECT_EQ(ErrorOf([&] { ReadPaletteFile(path); }),
            path + ": 16 MiB を超えるパレットは読み込めません");
  // Devices and FIFOs are not read at all (a FIFO would wait for a writer).
  EXPECT_EQ(ErrorOf([] { ReadPaletteFile("/dev/zero"); }),
            "'/dev/zero' はデバイスで、通常のファイルではありません");
  ASSERT_EQ(mkfifo((dir / "fifo.gpl").c_str(), 0644), 0);
  EXPECT_EQ(ErrorOf([&] { ReadPaletteFile(dir / "fifo.gpl"); }),
            "'" + dir / "fifo.gpl" + "' は名前付きパイプ (FIFO)で、通常のファイルではありません");
  EXPECT_THAT(ErrorOf([&] { ReadPaletteFile(dir / "missing.gpl"); }), HasSubstr("開けません"));
}

// Random and mutated inputs: a reader either fails with its own error or gives
// whole groups of valid rows, and the store takes all of a file or nothing.
TEST(PaletteFiles, FuzzedInputsNeverCrashNorLeaveAPartialGroup) {
  ScopedFakes fakes;
  std::mt19937 rng(20261208);
  std::vector<TPaletteGroup> seedGroups(2);
  seedGroups[0] = {"a", List({"FF0000,赤", "00FF00,g"})};
  seedGroups[1] = {"b", List({"0000FF,"})};
  const struct {
    std::string seed, name;
  } kinds[] = {
      {kAseEveryKind, "f.ase"},
      {AseBytes(seedGroups), "g.ase"},
      {"GIMP Palette\nName: n\n#\n  1   2   3\tx\n255 255 255\tw y\n", "f.gpl"},
      {seedGroups[0].colors.ACTBytes(), "f.act"},
  };
  const std::regex row("[0-9A-F]{6},[^\r\n]*");
  int accepted = 0, refused = 0;
  for (const auto& kind : kinds) {
    for (int n = 0; n < 2500; ++n) {
      std::string bytes = kind.seed;
      const int mode = n % 3;
      if (mode == 0) {  // a few bytes changed
        for (int k = 1 + int(rng() % 4); k > 0; --k)
          bytes[rng() % bytes.size()] = char(rng() % 4 == 0 ? 0xFF : rng());
      } else if (mode == 1) {  // cut or grown
        bytes.resize(rng() % (bytes.size() + 8), char(rng()));
      } else {  // the signature and then noise
        bytes = bytes.substr(0, 12);
        for (int k = int(rng() % 200); k > 0; --k) bytes += char(rng());
      }
      TFavorites store;
      try {
        const auto groups = ReadPaletteBytes(bytes, kind.name);
        for (const auto& g : groups) {
          EXPECT_TRUE(IsValidUtf8(g.name));
          for (const auto& r : g.colors.Rows()) {
            ASSERT_TRUE(std::regex_match(r, row)) << r;
            ASSERT_TRUE(IsValidUtf8(r));
          }
        }
        const auto added = AddPaletteGroups(store, groups);
        ASSERT_EQ(added.size(), groups.size());
        for (size_t i = 0; i < groups.size(); ++i)
          EXPECT_EQ(store.Group(added[i]).Rows(), groups[i].colors.Rows());
        ++accepted;
      } catch (const EPaletteFormatError& e) {
        EXPECT_THAT(e.what(), StartsWith(kind.name + ": "));
        EXPECT_EQ(store.Count(), 0);
        ++refused;
      }
    }
  }
  // Both outcomes are exercised.
  EXPECT_GT(accepted, 500);
  EXPECT_GT(refused, 2000);
}

}  // namespace
}  // namespace tintorb
