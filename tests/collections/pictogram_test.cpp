#include <gtest/gtest.h>
#include <zlib.h>

#include <map>
#include <random>
#include <set>

#include "collections/Pictogram.h"
#include "support/Fakes.h"
#include "support/PngFile.h"

namespace tintorb {

extern const std::string_view kData_pictogram_glyphs;

namespace {

using testing::BigEndian32;
using testing::Bytes;

std::vector<std::string> Fields(const std::string& row) {
  std::vector<std::string> f;
  size_t start = 0;
  for (;;) {
    const size_t tab = row.find('\t', start);
    f.push_back(row.substr(start, tab == row.npos ? row.npos : tab - start));
    if (tab == row.npos) return f;
    start = tab + 1;
  }
}

TEST(PictogramTable, RowsFieldsAndColourNames) {
  const auto& rows = PictogramRows();
  ASSERT_EQ(rows.size(), 252u);
  std::map<std::string, int> colours;
  for (size_t i = 0; i < rows.size(); ++i) {
    const auto f = Fields(rows[i]);
    ASSERT_EQ(f.size(), 5u) << i;
    ++colours[f[4]];
    const int sjis = std::stoi(f[0], nullptr, 16);
    if (i < 176) {
      EXPECT_EQ(ParsePictogram(rows[i]).DecimalCode, sjis) << i;
      EXPECT_EQ(f[1], std::to_string(sjis)) << i;
    } else {
      EXPECT_EQ(f[1], "-") << i;
      EXPECT_EQ(ParsePictogram(rows[i]).DecimalCode, -1) << i;
    }
    EXPECT_EQ(f[0].size(), 4u);
    EXPECT_EQ(f[0].find_first_not_of("0123456789ABCDEF"), std::string::npos) << i;
    EXPECT_EQ(f[2].find_first_not_of("0123456789ABCDEF"), std::string::npos) << i;
    EXPECT_FALSE(f[3].empty()) << i;
  }
  EXPECT_EQ(colours, (std::map<std::string, int>{{"黒", 78},
                                                 {"赤", 56},
                                                 {"青", 38},
                                                 {"オレンジ", 36},
                                                 {"緑", 17},
                                                 {"紫", 15},
                                                 {"茶色", 6},
                                                 {"紺", 3},
                                                 {"深紫", 3}}));
}

TEST(PictogramTable, TenCodeBlocks) {
  struct Block {
    int first, last, sjis, unicode;
  };
  const Block blocks[] = {{0, 93, 0xF89F, 0xE63E},    {94, 103, 0xF940, 0xE69C},
                          {104, 116, 0xF972, 0xE6CE}, {117, 133, 0xF980, 0xE6DB},
                          {134, 134, 0xF9B0, 0xE70B}, {135, 165, 0xF991, 0xE6EC},
                          {166, 168, 0xF950, 0xE6AC}, {169, 171, 0xF955, 0xE6B1},
                          {172, 175, 0xF95B, 0xE6B7}, {176, 251, 0xF9B1, 0xE70C}};
  int covered = 0;
  for (const auto& b : blocks) {
    for (int i = b.first; i <= b.last; ++i, ++covered) {
      const auto f = Fields(PictogramRows()[size_t(i)]);
      EXPECT_EQ(std::stoi(f[0], nullptr, 16), b.sjis + (i - b.first)) << i;
      EXPECT_EQ(std::stoi(f[2], nullptr, 16), b.unicode + (i - b.first)) << i;
    }
  }
  EXPECT_EQ(covered, 252);
}

TEST(PictogramTable, ReferenceRowsAndTheirCharacterReferences) {
  const TPictogramInfo r0 = ParsePictogram(PictogramRows()[0]);
  EXPECT_EQ(r0.SJISCode, "F89F");
  EXPECT_EQ(r0.DecimalCode, 63647);
  EXPECT_EQ(r0.UnicodeCode, "E63E");
  EXPECT_EQ(r0.Name, "晴れ");
  EXPECT_EQ(r0.Color, RGB(255, 0, 0));
  EXPECT_EQ(PictogramReference(r0), "&#63647;");

  const TPictogramInfo r176 = ParsePictogram(PictogramRows()[176]);
  EXPECT_EQ(r176.SJISCode, "F9B1");
  EXPECT_EQ(r176.DecimalCode, -1);
  EXPECT_EQ(PictogramReference(r176), "&#xE70C;");

  EXPECT_EQ(ParsePictogram(PictogramRows()[1]).Name, "曇り");
  EXPECT_EQ(ParsePictogram(PictogramRows()[2]).Color, RGB(0, 0, 255));
  const TPictogramInfo last = ParsePictogram(PictogramRows()[251]);
  EXPECT_EQ(last.SJISCode, "F9FC");
  EXPECT_EQ(last.UnicodeCode, "E757");
  EXPECT_EQ(last.Name, "げっそり");
  EXPECT_EQ(last.Color, RGB(128, 0, 128));
}

TEST(ParsePictogram, TrimsBlanksAndToleratesShortOrOddRows) {
  const TPictogramInfo a = ParsePictogram("  F8A0\t63648\tE63F\t曇り\t青 \r\n");
  EXPECT_EQ(a.SJISCode, "F8A0");
  EXPECT_EQ(a.DecimalCode, 63648);
  EXPECT_EQ(a.Color, RGB(0, 0, 255));
  const TPictogramInfo b = ParsePictogram("F8A0\t12x\tE63F");
  EXPECT_EQ(b.DecimalCode, -1);
  EXPECT_EQ(b.UnicodeCode, "E63F");
  EXPECT_EQ(b.Name, "");
  EXPECT_EQ(b.Color, clBlack);
  EXPECT_EQ(ParsePictogram("").DecimalCode, -1);
  EXPECT_EQ(ParsePictogram("A\t\tB\tname\t赤").DecimalCode, -1);
  EXPECT_EQ(ParsePictogram("A\t\tB\tname\t赤").Color, RGB(255, 0, 0));
  EXPECT_EQ(ParsePictogram("A\t-5\tB").DecimalCode, -5);
  EXPECT_EQ(ParsePictogram("A\t99999999999\tB").DecimalCode, -1);
}

TEST(PictogramColor, NineNamesExactlyAndBlackOtherwise) {
  EXPECT_EQ(PictogramColor("赤"), RGB(0xFF, 0, 0));
  EXPECT_EQ(PictogramColor("青"), RGB(0, 0, 0xFF));
  EXPECT_EQ(PictogramColor("オレンジ"), RGB(0xFF, 0x80, 0));
  EXPECT_EQ(PictogramColor("緑"), RGB(0, 0xFF, 0));
  EXPECT_EQ(PictogramColor("紫"), RGB(0xFF, 0, 0xFF));
  EXPECT_EQ(PictogramColor("黒"), RGB(0, 0, 0));
  EXPECT_EQ(PictogramColor("紺"), RGB(0, 0, 0x80));
  EXPECT_EQ(PictogramColor("茶色"), RGB(0x80, 0, 0));
  EXPECT_EQ(PictogramColor("深紫"), RGB(0x80, 0, 0x80));
  EXPECT_EQ(PictogramColor("赤 "), clBlack);
  EXPECT_EQ(PictogramColor("red"), clBlack);
  EXPECT_EQ(PictogramColor(""), clBlack);
}

TEST(PictogramGlyphs, OneDistinctNonEmptyGlyphPerRowUnderItsOwnHeader) {
  for (int i = 0; i < 252; ++i) ASSERT_TRUE(PictogramHasGlyph(i)) << i;
  EXPECT_FALSE(PictogramHasGlyph(252));
  EXPECT_FALSE(PictogramHasGlyph(-1));
  std::set<TGlyph> seen;
  for (int i = 0; i < 252; ++i) {
    const TGlyph& g = PictogramGlyph(i);
    int set = 0;
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 12; ++x) set += GlyphPixel(g, x, y);
    EXPECT_GE(set, 8) << "glyph " << i << " is nearly empty";
    EXPECT_TRUE(seen.insert(g).second) << "glyph " << i << " repeats an earlier one";
  }
  // The headers in the data file name the row that each glyph belongs to.
  int n = 0;
  std::string_view text = kData_pictogram_glyphs;
  size_t at = 0;
  while ((at = text.find("; ", at)) != std::string_view::npos) {
    const size_t eol = text.find('\n', at);
    const std::string header(text.substr(at + 2, eol - at - 2));
    const std::string expected =
        std::to_string(n) + " " + ParsePictogram(PictogramRows()[size_t(n)]).Name;
    EXPECT_EQ(header, expected);
    ++n;
    at = eol;
  }
  EXPECT_EQ(n, 252);
}

TEST(PictogramGlyphs, ParserRejectsMalformedText) {
  const std::string row = "............\n";
  std::string ok = "; 0 x\n";
  for (int i = 0; i < 11; ++i) ok += row;
  ok += "#..........#\n";
  const auto g = ParseGlyphs(ok);
  ASSERT_EQ(g.size(), 1u);
  EXPECT_TRUE(GlyphPixel(g[0], 0, 11));
  EXPECT_TRUE(GlyphPixel(g[0], 11, 11));
  EXPECT_FALSE(GlyphPixel(g[0], 1, 11));
  EXPECT_EQ(g[0][11], 0x801);

  EXPECT_THROW(ParseGlyphs("; 0\n" + row + row), std::runtime_error);  // incomplete
  EXPECT_THROW(ParseGlyphs("..........#\n"), std::runtime_error);      // 11 wide
  EXPECT_THROW(ParseGlyphs("....x.......\n"), std::runtime_error);
  EXPECT_THROW(ParseGlyphs(row + "; header\n"), std::runtime_error);
  EXPECT_TRUE(ParseGlyphs("; only a header\n\n").empty());
}

TEST(RenderGlyph, PaintsSetPixelsOverTheBackground) {
  TGLDBitmap b;
  RenderGlyph(b, RGB(255, 0, 0), RGB(1, 2, 3), 0, false);
  ASSERT_EQ(b.Width(), 12);
  ASSERT_EQ(b.PixelFormat(), TGLDPixelFormat::pf24bit);
  const TGlyph& g = PictogramGlyph(0);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x)
      EXPECT_EQ(b.PixelColor(x, y), GlyphPixel(g, x, y) ? RGB(255, 0, 0) : RGB(1, 2, 3));

  RenderGlyph(b, clBlack, clWhite, 0, true);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x)
      EXPECT_EQ(b.PixelColor(x, y), GlyphPixel(g, x, y) ? RGB(128, 128, 128) : clWhite);

  RenderGlyph(b, clBlack, RGB(9, 9, 9), 999, false);  // no glyph: background only
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) EXPECT_EQ(b.PixelColor(x, y), RGB(9, 9, 9));
}

TEST(DimGlyphColor, VisibleAndPalerOnEveryBackground) {
  EXPECT_EQ(DimGlyphColor(clBlack, clWhite), RGB(128, 128, 128));
  EXPECT_EQ(DimGlyphColor(RGB(255, 0, 0), clWhite), RGB(255, 128, 128));
  EXPECT_EQ(DimGlyphColor(clWhite, clBlack), RGB(128, 128, 128));
  std::mt19937 rng(5);
  for (int i = 0; i < 20000; ++i) {
    const TColor g = TColor(rng() & 0xFFFFFF), b = TColor(rng() & 0xFFFFFF);
    const TColor d = DimGlyphColor(g, b);
    auto dist = [](TColor p, TColor q) {
      return std::abs(GetRValue(p) - GetRValue(q)) + std::abs(GetGValue(p) - GetGValue(q)) +
             std::abs(GetBValue(p) - GetBValue(q));
    };
    // Stands apart from the background whenever the glyph does, and is closer
    // to it than the glyph is: visible, yet paler.
    if (dist(g, b) >= 2) {
      ASSERT_NE(d, b);
      ASSERT_LT(dist(d, b), dist(g, b));
      ASSERT_GE(dist(d, b) * 2 + 3, dist(g, b));
    }
  }
}

TUtcTime FixedClock() {
  return {2001, 9, 8, 7, 6, 5};
}

std::string Chunk(const std::string& type, const std::string& data) {
  const std::string body = type + data;
  const uLong crc =
      crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(body.data()), uInt(body.size()));
  return BigEndian32(uint32_t(data.size())) + body + BigEndian32(uint32_t(crc));
}

std::string Deflate6(const std::string& raw) {
  uLongf n = compressBound(uLong(raw.size()));
  std::string out(n, '\0');
  compress2(reinterpret_cast<Bytef*>(out.data()), &n, reinterpret_cast<const Bytef*>(raw.data()),
            uLong(raw.size()), 6);
  out.resize(n);
  return out;
}

std::string Head(int depth, int type) {
  return std::string("\x89PNG\r\n\x1a\n", 8) +
         Chunk("IHDR", BigEndian32(12) + BigEndian32(12) + Bytes({depth, type, 0, 0, 0})) +
         Chunk("tIME", Bytes({0x07, 0xD1, 9, 8, 7, 6, 5})) +
         Chunk("tEXt", std::string("Software\0GLDPNG ver 3.4", 23)) +
         Chunk("tpNG", std::string("GLD3\0\0\0\0", 8)) + Chunk("gAMA", BigEndian32(45455));
}

std::string Save(const TGLDPNG& png) {
  TGLDMemorySink sink;
  png.SaveToSink(sink, &FixedClock);
  return sink.bytes;
}

TEST(PictogramPNG, StandardColoursAre8BitIndexedWithWhiteTransparentAt255) {
  const auto& pal = PictogramPalette256();
  ASSERT_EQ(pal.size(), 256u);
  EXPECT_EQ(pal[255], (TRGBRec{255, 255, 255}));
  std::set<std::tuple<int, int, int>> unique;
  for (const auto& c : pal) unique.insert({c.R, c.G, c.B});
  EXPECT_EQ(unique.size(), 256u);
  for (const char* name : {"赤", "青", "オレンジ", "緑", "紫", "黒", "紺", "茶色", "深紫"})
    EXPECT_EQ(RGBToColor(pal[size_t(NearestPaletteIndex(pal, PictogramColor(name)))]),
              PictogramColor(name));

  const int index = 9;  // 牡牛座, orange
  const int ink = NearestPaletteIndex(pal, RGB(255, 128, 0));
  std::string plte, raw;
  for (const auto& c : pal) plte += Bytes({c.R, c.G, c.B});
  for (int y = 0; y < 12; ++y) {
    raw.push_back(0);
    for (int x = 0; x < 12; ++x)
      raw.push_back(char(GlyphPixel(PictogramGlyph(index), x, y) ? ink : 255));
  }
  const std::string expected = Head(8, 3) + Chunk("PLTE", plte) + Chunk("bKGD", Bytes({255})) +
                               Chunk("tRNS", std::string(255, '\xFF') + '\0') +
                               Chunk("IDAT", Deflate6(raw)) + Chunk("IEND", "");
  EXPECT_EQ(Save(MakePictogramPNG(index, ecDefault, RGB(1, 2, 3), RGB(4, 5, 6))), expected);
}

TEST(PictogramPNG, AllBlackIsOneBitBlackAndWhite) {
  const int index = 176;
  std::string raw;
  for (int y = 0; y < 12; ++y) {
    unsigned bits = 0;  // set pixels are black (index 0), the rest white (1)
    for (int x = 0; x < 12; ++x)
      bits = bits << 1 | (GlyphPixel(PictogramGlyph(index), x, y) ? 0u : 1u);
    bits <<= 4;
    raw += Bytes({0, int(bits >> 8), int(bits & 0xF0)});
  }
  const std::string expected = Head(1, 3) + Chunk("PLTE", Bytes({0, 0, 0, 255, 255, 255})) +
                               Chunk("bKGD", Bytes({1})) + Chunk("tRNS", Bytes({0xFF, 0})) +
                               Chunk("IDAT", Deflate6(raw)) + Chunk("IEND", "");
  EXPECT_EQ(Save(MakePictogramPNG(index, ecBlack, RGB(1, 2, 3), RGB(4, 5, 6))), expected);
}

TEST(PictogramPNG, CurrentColoursAreOpaqueRgb) {
  const int index = 251;
  const TColor fore = RGB(0x12, 0x34, 0x56), back = RGB(0xFE, 0xDC, 0xBA);
  std::string raw;
  for (int y = 0; y < 12; ++y) {
    raw.push_back(0);
    for (int x = 0; x < 12; ++x)
      raw += GlyphPixel(PictogramGlyph(index), x, y) ? Bytes({0x12, 0x34, 0x56})
                                                     : Bytes({0xFE, 0xDC, 0xBA});
  }
  const std::string expected = Head(8, 2) + Chunk("IDAT", Deflate6(raw)) + Chunk("IEND", "");
  EXPECT_EQ(Save(MakePictogramPNG(index, ecSelected, fore, back)), expected);
}

TEST(PictogramPNG, EveryGlyphInEveryModePassesPngcheck) {
  testing::TempDir dir;
  for (int mode = 0; mode < 3; ++mode) {
    for (int i = 0; i < 252; i += 25) {
      const std::string path =
          dir / ("g" + std::to_string(mode) + "_" + std::to_string(i) + ".png");
      MakePictogramPNG(i, mode, RGB(10, 20, 30), clWhite).SaveToFile(path);
      const auto r = testing::Pngcheck(path);
      EXPECT_EQ(r.status, 0) << path << "\n" << r.output;
    }
  }
}

}  // namespace
}  // namespace tintorb
