#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <random>

#include "controls/GLDPNG.h"
#include "core/TextFile.h"
#include "support/Fakes.h"
#include "support/PngFile.h"

namespace tintorb {
namespace {

using testing::BigEndian32;
using testing::Bytes;
using testing::ParsePng;
using testing::PngFile;
using testing::TempDir;

TUtcTime FixedClock() {
  return {2024, 2, 29, 23, 59, 58};
}

std::string Encode(const TGLDPNG& png) {
  TGLDMemorySink sink;
  png.SaveToSink(sink, &FixedClock);
  return sink.bytes;
}

std::string Chunk(const std::string& type, const std::string& data) {
  std::string body = type + data;
  const uLong crc =
      crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(body.data()), uInt(body.size()));
  return BigEndian32(uint32_t(data.size())) + body + BigEndian32(uint32_t(crc));
}

std::string Compress6(const std::string& raw) {
  uLongf n = compressBound(uLong(raw.size()));
  std::string out(n, '\0');
  EXPECT_EQ(compress2(reinterpret_cast<Bytef*>(out.data()), &n,
                      reinterpret_cast<const Bytef*>(raw.data()), uLong(raw.size()), 6),
            Z_OK);
  out.resize(n);
  return out;
}

// The 12 x 12 one-bit black-on-white picture with a frame and a diagonal.
TGLDBitmap FramedMono() {
  TGLDBitmap b(12, 12, TGLDPixelFormat::pf1bit);
  b.SetPalette({{0, 0, 0}, {255, 255, 255}});
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x)
      b.SetPixelIndex(x, y, (x == 0 || y == 0 || x == 11 || y == 11 || x == y) ? 0 : 1);
  return b;
}

TEST(PngWriter, MonoGlyphFileIsExactlyTheExpectedBytes) {
  TGLDPNG png;
  png.Assign(FramedMono());
  png.SetBackgroundColor(clWhite);
  png.SetTransparentColor(clWhite);
  const std::string file = Encode(png);

  // Raw rows: filter byte 0 and two data bytes, the four pad bits as stored.
  std::string raw;
  const TGLDBitmap& b = png.Bitmap();
  for (int y = 0; y < 12; ++y) {
    raw.push_back(0);
    raw.append(reinterpret_cast<const char*>(b.ScanLine(y)), 2);
  }
  ASSERT_EQ(raw.size(), 36u);

  const std::string expected =
      std::string("\x89PNG\r\n\x1a\n", 8) +
      Chunk("IHDR", BigEndian32(12) + BigEndian32(12) + Bytes({1, 3, 0, 0, 0})) +
      Chunk("tIME", Bytes({0x07, 0xE8, 2, 29, 23, 59, 58})) +
      Chunk("tEXt", std::string("Software\0GLDPNG ver 3.4", 23)) +
      Chunk("tpNG", std::string("GLD3\0\0\0\0", 8)) + Chunk("gAMA", BigEndian32(45455)) +
      Chunk("PLTE", Bytes({0, 0, 0, 255, 255, 255})) + Chunk("bKGD", Bytes({1})) +
      Chunk("tRNS", Bytes({0xFF, 0x00})) + Chunk("IDAT", Compress6(raw)) + Chunk("IEND", "");
  EXPECT_EQ(file, expected);
}

TEST(PngWriter, RgbRowsAreReversedAndFourthByteDropped) {
  for (auto format : {TGLDPixelFormat::pf24bit, TGLDPixelFormat::pf32bit}) {
    TGLDBitmap b(12, 12, format);
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 12; ++x) b.SetPixelColor(x, y, RGB(x * 20, y * 20, x + y));
    if (format == TGLDPixelFormat::pf32bit) b.ScanLine(3)[3] = 0x77;  // junk in the X byte
    TGLDPNG png;
    png.Assign(b);
    const PngFile f = ParsePng(Encode(png));
    EXPECT_EQ(f.Types(),
              (std::vector<std::string>{"IHDR", "tIME", "tEXt", "tpNG", "gAMA", "IDAT", "IEND"}));
    EXPECT_EQ(f.Find("IHDR")->data.substr(8), Bytes({8, 2, 0, 0, 0}));
    const std::string rows = testing::Inflate(f.IdatStream());
    ASSERT_EQ(rows.size(), 12u * 37u);
    for (int y = 0; y < 12; ++y) {
      EXPECT_EQ(rows[size_t(y) * 37], 0);
      for (int x = 0; x < 12; ++x) {
        const size_t at = size_t(y) * 37 + 1 + size_t(x) * 3;
        EXPECT_EQ(rows.substr(at, 3), Bytes({x * 20, y * 20, x + y})) << x << "," << y;
      }
    }
  }
}

TEST(PngWriter, RgbBackgroundAndTransparencyAreSixteenBitTriples) {
  TGLDBitmap b(3, 2, TGLDPixelFormat::pf24bit);
  TGLDPNG png;
  png.Assign(b);
  png.SetBackgroundColor(RGB(0x12, 0x34, 0x56));
  png.SetTransparentColor(RGB(0xAB, 0xCD, 0xEF));
  const PngFile f = ParsePng(Encode(png));
  EXPECT_EQ(f.Find("bKGD")->data, Bytes({0, 0x12, 0, 0x34, 0, 0x56}));
  EXPECT_EQ(f.Find("tRNS")->data, Bytes({0, 0xAB, 0, 0xCD, 0, 0xEF}));
  EXPECT_TRUE(png.Bitmap().Transparent());
  EXPECT_EQ(png.Bitmap().TransparentColor(), RGB(0xAB, 0xCD, 0xEF));
}

TEST(PngWriter, HighColourRowsAreWidenedWithSignificantBits) {
  TGLDBitmap b15(2, 1, TGLDPixelFormat::pf15bit), b16(2, 1, TGLDPixelFormat::pf16bit);
  // 15-bit: 0RRRRRGGGGGBBBBB; 16-bit: RRRRRGGGGGGBBBBB (little-endian words).
  const unsigned w15[2] = {(31u << 10) | (16u << 5) | 1u, (0u << 10) | (31u << 5) | 30u};
  const unsigned w16[2] = {(31u << 11) | (32u << 5) | 1u, (2u << 11) | (63u << 5) | 0u};
  for (int x = 0; x < 2; ++x) {
    b15.ScanLine(0)[x * 2] = uint8_t(w15[x]);
    b15.ScanLine(0)[x * 2 + 1] = uint8_t(w15[x] >> 8);
    b16.ScanLine(0)[x * 2] = uint8_t(w16[x]);
    b16.ScanLine(0)[x * 2 + 1] = uint8_t(w16[x] >> 8);
  }
  TGLDPNG p15, p16;
  p15.Assign(b15);
  p16.Assign(b16);
  const PngFile f15 = ParsePng(Encode(p15)), f16 = ParsePng(Encode(p16));
  EXPECT_EQ(f15.Find("sBIT")->data, Bytes({5, 5, 5}));
  EXPECT_EQ(f16.Find("sBIT")->data, Bytes({5, 6, 5}));
  EXPECT_EQ(f15.Find("IHDR")->data.substr(8, 2), Bytes({8, 2}));
  // 5 bits v -> v << 3 | v >> 2; 6 bits v -> v << 2 | v >> 4.
  EXPECT_EQ(testing::Inflate(f15.IdatStream()), Bytes({0, 255, 132, 8, 0, 255, 247}));
  EXPECT_EQ(testing::Inflate(f16.IdatStream()), Bytes({0, 255, 130, 8, 16, 255, 0}));
  EXPECT_EQ(b16.PixelColor(0, 0), RGB(255, 130, 8));
}

TEST(PngWriter, IndexedRowsKeepTheirBitsAndNibbles) {
  TGLDBitmap b4(5, 2, TGLDPixelFormat::pf4bit);
  std::vector<TRGBRec> pal;
  for (int i = 0; i < 16; ++i) pal.push_back({uint8_t(i * 16), uint8_t(255 - i), uint8_t(i)});
  b4.SetPalette(pal);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 5; ++x) b4.SetPixelIndex(x, y, (x + 5 * y) % 16);
  EXPECT_EQ(b4.RowBytes(), 3u);
  TGLDPNG png;
  png.Assign(b4);
  const PngFile f = ParsePng(Encode(png));
  EXPECT_EQ(f.Find("IHDR")->data.substr(8, 2), Bytes({4, 3}));
  EXPECT_EQ(f.Find("PLTE")->data.size(), 48u);
  EXPECT_EQ(testing::Inflate(f.IdatStream()), Bytes({0, 0x01, 0x23, 0x40, 0, 0x56, 0x78, 0x90}));
}

TEST(PngWriter, WhiteAtIndex255GivesA256ByteTransparencyChunk) {
  TGLDBitmap b(4, 4, TGLDPixelFormat::pf8bit);
  std::vector<TRGBRec> pal(256);
  for (int i = 0; i < 255; ++i) pal[size_t(i)] = {uint8_t(i), 0, 0};
  pal[255] = {255, 255, 255};
  b.SetPalette(pal);
  TGLDPNG png;
  png.Assign(b);
  png.SetBackgroundColor(clWhite);
  png.SetTransparentColor(clWhite);
  const PngFile f = ParsePng(Encode(png));
  const std::string trns = f.Find("tRNS")->data;
  ASSERT_EQ(trns.size(), 256u);
  EXPECT_EQ(trns, std::string(255, '\xFF') + '\0');
  EXPECT_EQ(f.Find("bKGD")->data, Bytes({255}));
  EXPECT_EQ(f.Find("PLTE")->data.size(), 768u);
}

TEST(PngWriter, NearestPaletteIndexPrefersExactThenFirstClosest) {
  const std::vector<TRGBRec> pal = {
      {10, 10, 10}, {0, 0, 0}, {12, 10, 10}, {8, 10, 10}, {11, 10, 10}};
  EXPECT_EQ(NearestPaletteIndex(pal, RGB(11, 10, 10)), 4);  // exact beats an earlier near one
  EXPECT_EQ(NearestPaletteIndex(pal, RGB(10, 10, 9)), 0);
  EXPECT_EQ(NearestPaletteIndex(pal, RGB(9, 10, 10)), 0);  // ties: the first one
  EXPECT_EQ(NearestPaletteIndex(pal, RGB(2, 1, 0)), 1);
  EXPECT_EQ(NearestPaletteIndex({}, clWhite), -1);
}

TEST(PngWriter, OptionalTextsAndNoGammaWhenZero) {
  TGLDPNG png;
  png.Assign(TGLDBitmap(1, 1, TGLDPixelFormat::pf24bit));
  png.SetComment("hello");
  png.SetCopyright(true);
  png.SetGamma(0);
  png.SetStampTime(false);
  const PngFile f = ParsePng(Encode(png));
  EXPECT_EQ(f.Types(),
            (std::vector<std::string>{"IHDR", "tEXt", "tEXt", "tEXt", "tpNG", "IDAT", "IEND"}));
  EXPECT_EQ(f.chunks[1].data, std::string("Comment\0hello", 13));
  EXPECT_EQ(f.chunks[2].data, std::string("Software\0GLDPNG ver 3.4", 23));
  EXPECT_EQ(f.chunks[3].data, std::string("Copyright\0On", 12));
}

TEST(PngWriter, IDATSizeRangeCheck) {
  const std::string msg = "Write PNG Param: Err IDAT Size(min:256  max:100000)";
  TGLDPNG png;
  EXPECT_EQ(png.IDATSize(), 32768);
  for (int bad : {255, 100001, 0, -1}) {
    try {
      png.SetIDATSize(bad);
      ADD_FAILURE() << bad << " accepted";
    } catch (const EGLDPNG& e) {
      EXPECT_EQ(std::string(e.what()), msg);
    }
    EXPECT_EQ(png.IDATSize(), 32768);
  }
  png.SetIDATSize(256);
  EXPECT_EQ(png.IDATSize(), 256);
  png.SetIDATSize(100000);
  EXPECT_EQ(png.IDATSize(), 100000);
}

// A one-row 8-bit picture of random bytes: deflate stores it, so the stream
// length follows the width byte for byte and can be steered to a target.
TGLDPNG RandomRow(int width) {
  TGLDBitmap b(width, 1, TGLDPixelFormat::pf8bit);
  std::vector<TRGBRec> pal(256);
  b.SetPalette(pal);
  std::mt19937 rng(7);
  for (int x = 0; x < width; ++x) b.ScanLine(0)[x] = uint8_t(rng());
  TGLDPNG png;
  png.Assign(std::move(b));
  return png;
}

size_t StreamLength(int width) {
  return ParsePng(Encode(RandomRow(width))).IdatStream().size();
}

std::vector<size_t> IdatSizes(const TGLDPNG& png) {
  std::vector<size_t> sizes;
  for (const auto& c : ParsePng(Encode(png)).chunks)
    if (c.type == "IDAT") sizes.push_back(c.data.size());
  return sizes;
}

TEST(PngWriter, IdatChunksAreFullExceptTheLastAndNeverEmpty) {
  const size_t target = 2 * 32768;
  int width = int(target) - 100;
  for (int i = 0; i < 20 && StreamLength(width) != target; ++i)
    width += int(target) - int(StreamLength(width));
  ASSERT_EQ(StreamLength(width), target) << "could not steer the stream length";

  EXPECT_EQ(IdatSizes(RandomRow(width)), (std::vector<size_t>{32768, 32768}));
  // One byte more: a third chunk holding the remainder.
  const std::vector<size_t> more = IdatSizes(RandomRow(width + 1));
  ASSERT_EQ(more.size(), 3u);
  EXPECT_EQ(more[0], 32768u);
  EXPECT_EQ(more[1], 32768u);
  EXPECT_GT(more[2], 0u);
  // Shorter than one chunk: a single chunk.
  const std::vector<size_t> small = IdatSizes(RandomRow(1000));
  ASSERT_EQ(small.size(), 1u);
  EXPECT_LT(small[0], 32768u);

  // The same stream cut at the smallest size, 256 bytes: exactly 256 chunks.
  TGLDPNG png = RandomRow(width);
  png.SetIDATSize(256);
  const std::vector<size_t> cut = IdatSizes(png);
  EXPECT_EQ(cut.size(), 256u);
  for (size_t s : cut) EXPECT_EQ(s, 256u);
  // And the pieces still form the one stream.
  const std::string rows = testing::Inflate(ParsePng(Encode(png)).IdatStream());
  EXPECT_EQ(rows.size(), size_t(width) + 1);
}

TEST(PngWriter, RefusesPicturesThatWouldMakeAnInvalidFile) {
  TGLDPNG png;
  png.Assign(TGLDBitmap(4, 4, TGLDPixelFormat::pf8bit));  // no palette
  TGLDMemorySink sink;
  EXPECT_THROW(png.SaveToSink(sink), EGLDPNG);
  png.Assign(TGLDBitmap(0, 4, TGLDPixelFormat::pf24bit));
  EXPECT_THROW(png.SaveToSink(sink), EGLDPNG);
  TGLDBitmap mono(2, 2, TGLDPixelFormat::pf1bit);
  EXPECT_THROW(mono.SetPalette(std::vector<TRGBRec>(3)), EGLDPNG);
  mono.SetPalette(std::vector<TRGBRec>(2));
  EXPECT_THROW(mono.SetPixelIndex(0, 0, 2), EGLDPNG);
}

class PngFiles : public ::testing::Test {
 protected:
  TempDir dir;
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(PngFiles, EveryLayoutPassesPngcheck) {
  std::mt19937 rng(42);
  const TGLDPixelFormat formats[] = {TGLDPixelFormat::pf1bit,  TGLDPixelFormat::pf4bit,
                                     TGLDPixelFormat::pf8bit,  TGLDPixelFormat::pf15bit,
                                     TGLDPixelFormat::pf16bit, TGLDPixelFormat::pf24bit,
                                     TGLDPixelFormat::pf32bit};
  for (auto format : formats) {
    for (const auto& [w, h] : {std::pair{1, 1}, std::pair{13, 7}, std::pair{300, 200}}) {
      TGLDBitmap b(w, h, format);
      if (b.Indexed()) {
        std::vector<TRGBRec> pal((size_t(1) << BitsPerPixel(format)));
        for (auto& c : pal) c = {uint8_t(rng()), uint8_t(rng()), uint8_t(rng())};
        b.SetPalette(pal);
        for (int y = 0; y < h; ++y)
          for (int x = 0; x < w; ++x) b.SetPixelIndex(x, y, int(rng() % pal.size()));
      } else {
        for (int y = 0; y < h; ++y)
          for (int x = 0; x < w; ++x) b.SetPixelColor(x, y, TColor(rng() & 0xFFFFFF));
      }
      TGLDPNG png;
      png.Assign(b);
      png.SetBackgroundColor(RGB(1, 2, 3));
      png.SetTransparentColor(RGB(200, 100, 50));
      png.SetIDATSize(1024);
      const std::string path = dir / "p.png";
      png.SaveToFile(path);
      const auto r = testing::Pngcheck(path);
      EXPECT_EQ(r.status, 0) << int(format) << " " << w << "x" << h << "\n" << r.output;
      const PngFile f = ParsePng(*ReadFileBytes(path));
      EXPECT_TRUE(f.complete);
      for (const auto& c : f.chunks) EXPECT_TRUE(c.crcOk) << c.type;
    }
  }
  EXPECT_EQ(Entries(), std::vector<std::string>{"p.png"});
}

TEST_F(PngFiles, FailedSaveKeepsTheOldFileAndLeavesNoTemporary) {
  const std::string path = dir / "glyph.png";
  WriteFileAtomic(path, "old contents");
  TGLDPNG bad;
  bad.Assign(TGLDBitmap(4, 4, TGLDPixelFormat::pf4bit));  // no palette: refused midway
  EXPECT_THROW(bad.SaveToFile(path), EGLDPNG);
  EXPECT_EQ(*ReadFileBytes(path), "old contents");
  EXPECT_EQ(Entries(), std::vector<std::string>{"glyph.png"});

  TGLDPNG good;
  good.Assign(FramedMono());
  good.SaveToFile(path);
  EXPECT_TRUE(ParsePng(*ReadFileBytes(path)).complete);
  EXPECT_EQ(Entries(), std::vector<std::string>{"glyph.png"});
}

TEST_F(PngFiles, UncreatableFileIsAFileError) {
  TGLDPNG png;
  png.Assign(FramedMono());
  try {
    png.SaveToFile(dir / "missing/dir/x.png");
    ADD_FAILURE() << "no error";
  } catch (const EFileWriteError& e) {
    EXPECT_NE(std::string(e.what()).find("missing/dir/x.png"), std::string::npos);
  }
  // A directory in the way of the rename: the temporary is cleaned up.
  std::filesystem::create_directory(dir / "taken.png");
  EXPECT_THROW(png.SaveToFile(dir / "taken.png"), EFileWriteError);
  EXPECT_EQ(Entries(), std::vector<std::string>{"taken.png"});
}

}  // namespace
}  // namespace tintorb
