#include "collections/Pictogram.h"

#include <charconv>
#include <stdexcept>

namespace tintorb {

extern const std::string_view kData_pictograms;
extern const std::string_view kData_pictogram_glyphs;

namespace {

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    start = end + 1;
  }
  return lines;
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && uint8_t(s.front()) <= ' ') s.remove_prefix(1);
  while (!s.empty() && uint8_t(s.back()) <= ' ') s.remove_suffix(1);
  return s;
}

}  // namespace

const std::vector<std::string>& PictogramRows() {
  static const std::vector<std::string> rows = [] {
    std::vector<std::string> r;
    for (auto& line : SplitLines(kData_pictograms))
      if (!TrimBlanks(line).empty()) r.push_back(std::move(line));
    return r;
  }();
  return rows;
}

TPictogramInfo ParsePictogram(std::string_view row) {
  row = TrimBlanks(row);
  std::vector<std::string_view> fields;
  size_t start = 0;
  for (;;) {
    const size_t tab = row.find('\t', start);
    fields.push_back(row.substr(start, tab == std::string_view::npos ? row.npos : tab - start));
    if (tab == std::string_view::npos) break;
    start = tab + 1;
  }
  fields.resize(5);
  TPictogramInfo info;
  info.SJISCode = std::string(fields[0]);
  int value = 0;
  const char* first = fields[1].data();
  const char* last = first + fields[1].size();
  const auto [end, ec] = std::from_chars(first, last, value);
  info.DecimalCode = (first != last && ec == std::errc() && end == last) ? value : -1;
  info.UnicodeCode = std::string(fields[2]);
  info.Name = std::string(fields[3]);
  info.Color = PictogramColor(fields[4]);
  return info;
}

std::string PictogramReference(const TPictogramInfo& info) {
  if (info.DecimalCode != -1) return "&#" + std::to_string(info.DecimalCode) + ";";
  return "&#x" + info.UnicodeCode + ";";
}

TColor PictogramColor(std::string_view name) {
  static const struct {
    std::string_view name;
    TColor color;
  } kColors[] = {
      {"赤", RGB(255, 0, 0)}, {"青", RGB(0, 0, 255)},   {"オレンジ", RGB(255, 128, 0)},
      {"緑", RGB(0, 255, 0)}, {"紫", RGB(255, 0, 255)}, {"黒", RGB(0, 0, 0)},
      {"紺", RGB(0, 0, 128)}, {"茶色", RGB(128, 0, 0)}, {"深紫", RGB(128, 0, 128)},
  };
  for (const auto& c : kColors)
    if (c.name == name) return c.color;
  return clBlack;
}

std::vector<TGlyph> ParseGlyphs(std::string_view text) {
  std::vector<TGlyph> glyphs;
  TGlyph current{};
  int row = 0;
  int lineNo = 0;
  for (const std::string& raw : SplitLines(text)) {
    ++lineNo;
    const std::string_view line = TrimBlanks(raw);
    if (line.empty() || line.front() == ';') {
      if (row != 0 && !line.empty())
        throw std::runtime_error("glyph data line " + std::to_string(lineNo) +
                                 ": header inside a glyph");
      continue;
    }
    if (line.size() != size_t(kGlyphSize) || line.find_first_not_of(".#") != line.npos)
      throw std::runtime_error("glyph data line " + std::to_string(lineNo) +
                               ": expected 12 of '.' and '#'");
    uint16_t bits = 0;
    for (char c : line) bits = uint16_t(bits << 1 | (c == '#'));
    current[size_t(row)] = bits;
    if (++row == kGlyphSize) {
      glyphs.push_back(current);
      current = {};
      row = 0;
    }
  }
  if (row != 0) throw std::runtime_error("glyph data: the last glyph is incomplete");
  return glyphs;
}

namespace {

const std::vector<TGlyph>& Glyphs() {
  static const std::vector<TGlyph> glyphs = ParseGlyphs(kData_pictogram_glyphs);
  return glyphs;
}

}  // namespace

bool PictogramHasGlyph(int index) {
  return index >= 0 && size_t(index) < Glyphs().size();
}

const TGlyph& PictogramGlyph(int index) {
  if (!PictogramHasGlyph(index)) throw std::out_of_range("pictogram glyph index");
  return Glyphs()[size_t(index)];
}

TColor DimGlyphColor(TColor glyph, TColor back) {
  const TRGBRec g = ColorToRGBRec(glyph), b = ColorToRGBRec(back);
  return RGB((g.R + b.R + 1) / 2, (g.G + b.G + 1) / 2, (g.B + b.B + 1) / 2);
}

void RenderGlyph(TGLDBitmap& bitmap, TColor glyphColor, TColor backColor, int index, bool dim) {
  if (bitmap.Width() != kGlyphSize || bitmap.Height() != kGlyphSize ||
      bitmap.PixelFormat() != TGLDPixelFormat::pf24bit)
    bitmap = TGLDBitmap(kGlyphSize, kGlyphSize, TGLDPixelFormat::pf24bit);
  const TColor back = ResolveColor(backColor);
  bitmap.Fill(back);
  if (!PictogramHasGlyph(index)) return;
  const TColor ink = dim ? DimGlyphColor(glyphColor, back) : ResolveColor(glyphColor);
  const TGlyph& g = PictogramGlyph(index);
  for (int y = 0; y < kGlyphSize; ++y)
    for (int x = 0; x < kGlyphSize; ++x)
      if (GlyphPixel(g, x, y)) bitmap.SetPixelColor(x, y, ink);
}

const std::vector<TRGBRec>& PictogramPalette256() {
  static const std::vector<TRGBRec> palette = [] {
    std::vector<TRGBRec> p;
    auto add = [&p](TRGBRec c) {
      if (c == TRGBRec{255, 255, 255}) return;  // white goes last
      for (const auto& e : p)
        if (e == c) return;
      p.push_back(c);
    };
    for (const char* name : {"黒", "赤", "青", "オレンジ", "緑", "紫", "紺", "茶色", "深紫"})
      add(ColorToRGBRec(PictogramColor(name)));
    for (int r = 0; r < 6; ++r)
      for (int g = 0; g < 6; ++g)
        for (int b = 0; b < 6; ++b) add({uint8_t(r * 51), uint8_t(g * 51), uint8_t(b * 51)});
    for (int k = 1; p.size() < 255; ++k) add({uint8_t(k * 7), uint8_t(k * 7), uint8_t(k * 7)});
    p.push_back({255, 255, 255});
    return p;
  }();
  return palette;
}

TGLDPNG MakePictogramPNG(int index, int mode, TColor fore, TColor back) {
  TGLDPNG png;
  TGLDBitmap picture;
  if (mode == ecSelected) {
    RenderGlyph(picture, fore, back, index, false);
    png.Assign(std::move(picture));
    return png;
  }
  const TColor ink =
      mode == ecBlack ? clBlack : ParsePictogram(PictogramRows().at(size_t(index))).Color;
  RenderGlyph(picture, ink, clWhite, index, false);
  TGLDBitmap indexed(kGlyphSize, kGlyphSize,
                     mode == ecBlack ? TGLDPixelFormat::pf1bit : TGLDPixelFormat::pf8bit);
  std::vector<TRGBRec> palette =
      mode == ecBlack ? std::vector<TRGBRec>{{0, 0, 0}, {255, 255, 255}} : PictogramPalette256();
  indexed.SetPalette(palette);
  for (int y = 0; y < kGlyphSize; ++y)
    for (int x = 0; x < kGlyphSize; ++x)
      indexed.SetPixelIndex(x, y, NearestPaletteIndex(palette, picture.PixelColor(x, y)));
  png.Assign(std::move(indexed));
  png.SetBackgroundColor(clWhite);
  png.SetTransparentColor(clWhite);
  return png;
}

}  // namespace tintorb
