#include "collections/PaletteFiles.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>

#include "core/Color.h"
#include "core/TextFile.h"
#include "platform/Desktop.h"

namespace tintorb {

namespace {

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xF0 | (cp >> 18));
    out += char(0x80 | ((cp >> 12) & 0x3F));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

// Next code point of valid UTF-8 text and its length in bytes.
uint32_t DecodeUtf8(std::string_view s, size_t i, size_t& len) {
  const unsigned char c = static_cast<unsigned char>(s[i]);
  len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
  if (len == 1) return c;
  uint32_t cp = c & (0x7F >> len);
  for (size_t k = 1; k < len && i + k < s.size(); ++k)
    cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
  return cp;
}

// A name as a favourites row can hold it: valid UTF-8 (other bytes read as
// Latin-1), control characters other than tabs as blanks.
std::string CleanName(std::string_view raw) {
  std::string s;
  if (IsValidUtf8(raw)) {
    s.assign(raw);
  } else {
    for (unsigned char c : raw) AppendUtf8(s, c);
  }
  for (char& c : s)
    if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F) c = ' ';
  return s;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (IsBlank(s.front()) || s.front() == '\r')) s.remove_prefix(1);
  while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

std::string Hex(int r, int g, int b) {
  return ColorToHex(RGB(r, g, b));
}

// R, G, B of a row; raises for a row that is not a colour.
TRGBRec RowRGB(const TNamedColorList& colors, int i) {
  const TColor c = HexToColor(colors.GetColor(i).Hex);
  return MakeRGB(GetRValue(c), GetGValue(c), GetBValue(c));
}

[[noreturn]] void LineError(int line, const std::string& what) {
  throw EPaletteFormatError(std::to_string(line) + " 行目: " + what);
}

[[noreturn]] void ByteError(size_t offset, const std::string& what) {
  throw EPaletteFormatError("バイト " + std::to_string(offset) + ": " + what);
}

// ---------------------------------------------------------------------------
// Big-endian reading with the offset of every failure.

class Reader {
 public:
  explicit Reader(std::string_view bytes) : b_(bytes) {}
  size_t Pos() const { return pos_; }
  size_t Left() const { return b_.size() - pos_; }
  void Need(size_t n, const char* what) const {
    if (Left() < n) ByteError(pos_, std::string(what) + "の途中でファイルが終わっています");
  }
  uint32_t U16(const char* what) {
    Need(2, what);
    const uint32_t v = uint32_t(Byte(0)) << 8 | Byte(1);
    pos_ += 2;
    return v;
  }
  uint32_t U32(const char* what) {
    Need(4, what);
    const uint32_t v = uint32_t(Byte(0)) << 24 | uint32_t(Byte(1)) << 16 | Byte(2) << 8 | Byte(3);
    pos_ += 4;
    return v;
  }
  float F32(const char* what) {
    const uint32_t bits = U32(what);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
  }
  std::string_view Take(size_t n, const char* what) {
    Need(n, what);
    const std::string_view v = b_.substr(pos_, n);
    pos_ += n;
    return v;
  }
  void Seek(size_t pos) { pos_ = pos; }

 private:
  unsigned char Byte(size_t k) const { return static_cast<unsigned char>(b_[pos_ + k]); }
  std::string_view b_;
  size_t pos_ = 0;
};

void PutU16(std::string& out, uint32_t v) {
  out += char(v >> 8);
  out += char(v);
}

void PutU32(std::string& out, uint32_t v) {
  PutU16(out, v >> 16);
  PutU16(out, v & 0xFFFF);
}

void PutF32(std::string& out, float f) {
  uint32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  PutU32(out, bits);
}

// ---------------------------------------------------------------------------
// Adobe Swatch Exchange

constexpr uint32_t kAseGroupStart = 0xC001, kAseGroupEnd = 0xC002, kAseColor = 0x0001;

// UTF-16BE name: a count of code units that includes the terminating zero.
std::string AseName(Reader& in) {
  const size_t at = in.Pos();
  const uint32_t units = in.U16("名前の長さ");
  if (units == 0) return {};
  const std::string_view raw = in.Take(size_t(units) * 2, "名前");
  if (raw[raw.size() - 2] != 0 || raw[raw.size() - 1] != 0)
    ByteError(at, "名前が 0 で終わっていません");
  std::string out;
  for (size_t i = 0; i + 2 < raw.size(); i += 2) {
    uint32_t u =
        uint32_t(static_cast<unsigned char>(raw[i])) << 8 | static_cast<unsigned char>(raw[i + 1]);
    if (u == 0) break;
    if (u >= 0xD800 && u < 0xDC00 && i + 4 < raw.size()) {
      const uint32_t lo = uint32_t(static_cast<unsigned char>(raw[i + 2])) << 8 |
                          static_cast<unsigned char>(raw[i + 3]);
      if (lo >= 0xDC00 && lo < 0xE000) {
        u = 0x10000 + ((u - 0xD800) << 10) + (lo - 0xDC00);
        i += 2;
      }
    }
    AppendUtf8(out, u >= 0xD800 && u < 0xE000 ? 0xFFFD : u);
  }
  return CleanName(out);
}

void PutAseName(std::string& out, const std::string& name) {
  std::vector<uint32_t> units;
  for (size_t i = 0, n = 0; i < name.size() && units.size() < 0xFFFD; i += n) {
    uint32_t cp = DecodeUtf8(name, i, n);
    if (i + n > name.size() || !IsValidUtf8(std::string_view(name).substr(i, n))) {
      cp = 0xFFFD;
      n = 1;
    }
    if (cp >= 0x10000) {
      units.push_back(0xD800 + ((cp - 0x10000) >> 10));
      units.push_back(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      units.push_back(cp);
    }
  }
  PutU16(out, uint32_t(units.size() + 1));
  for (uint32_t u : units) PutU16(out, u);
  PutU16(out, 0);
}

// One component in 0..1; a hair outside is rounding, more is a bad file.
double Unit(float v, size_t at) {
  if (!std::isfinite(v) || v < -1e-3f || v > 1.001f) ByteError(at, "色の値が 0..1 の範囲外です");
  return std::clamp(double(v), 0.0, 1.0);
}

int Byte255(double unit) {
  return int(std::lround(unit * 255.0));
}

// CIE Lab (D50 white) to sRGB, out-of-gamut components clipped.
TRGBRec LabToRGB(double L, double a, double b) {
  const double fy = (L + 16.0) / 116.0, fx = fy + a / 500.0, fz = fy - b / 200.0;
  auto inv = [](double t) {
    return t > 6.0 / 29.0 ? t * t * t : 3.0 * (6.0 / 29.0) * (6.0 / 29.0) * (t - 4.0 / 29.0);
  };
  const double X = 0.96422 * inv(fx), Y = inv(fy), Z = 0.82521 * inv(fz);
  // XYZ (D50) to linear sRGB, Bradford-adapted to D65.
  const double lin[3] = {3.1338561 * X - 1.6168667 * Y - 0.4906146 * Z,
                         -0.9787684 * X + 1.9161415 * Y + 0.0334540 * Z,
                         0.0719453 * X - 0.2289914 * Y + 1.4052427 * Z};
  int out[3];
  for (int k = 0; k < 3; ++k) {
    const double v = std::clamp(lin[k], 0.0, 1.0);
    const double s = v <= 0.0031308 ? 12.92 * v : 1.055 * std::pow(v, 1.0 / 2.4) - 0.055;
    out[k] = Byte255(std::clamp(s, 0.0, 1.0));
  }
  return MakeRGB(uint8_t(out[0]), uint8_t(out[1]), uint8_t(out[2]));
}

// The colour entry's data (after the block header); `end` is where it must stop.
void ReadAseColor(Reader& in, size_t end, TNamedColorList& into) {
  const std::string name = AseName(in);
  const size_t modelAt = in.Pos();
  const std::string_view model = in.Take(4, "色モデル");
  TRGBRec rgb{};
  if (model == "RGB " || model == "CMYK" || model == "Gray") {
    const int n = model == "RGB " ? 3 : model == "CMYK" ? 4 : 1;
    int v[4] = {};
    for (int k = 0; k < n; ++k) {
      const size_t at = in.Pos();
      v[k] = Byte255(Unit(in.F32("色の値"), at));
    }
    if (n == 3) rgb = MakeRGB(uint8_t(v[0]), uint8_t(v[1]), uint8_t(v[2]));
    if (n == 4)
      rgb = CMYKToRGB(MakeCMYK(uint8_t(v[0]), uint8_t(v[1]), uint8_t(v[2]), uint8_t(v[3])));
    if (n == 1) rgb = MakeRGB(uint8_t(v[0]), uint8_t(v[0]), uint8_t(v[0]));
  } else if (model == "LAB ") {
    const size_t at = in.Pos();
    const double L = Unit(in.F32("色の値"), at) * 100.0;
    double ab[2];
    for (double& x : ab) {
      const size_t vat = in.Pos();
      const float f = in.F32("色の値");
      if (!std::isfinite(f) || std::fabs(f) > 128.0f) ByteError(vat, "Lab の a, b が範囲外です");
      x = f;
    }
    rgb = LabToRGB(L, ab[0], ab[1]);
  } else {
    ByteError(modelAt, "未知の色モデルです");
  }
  const size_t typeAt = in.Pos();
  if (in.U16("色の種類") > 2) ByteError(typeAt, "未知の色の種類です");
  if (in.Pos() != end) ByteError(in.Pos(), "ブロックの長さが内容と合いません");
  into.Add(Hex(rgb.R, rgb.G, rgb.B), name);
}

// ---------------------------------------------------------------------------
// CSS

bool IsNameChar(uint32_t cp) {
  return (cp >= 'a' && cp <= 'z') || (cp >= 'A' && cp <= 'Z') || (cp >= '0' && cp <= '9') ||
         cp == '_' || cp == '-' || (cp >= 0x80 && cp != 0x3000 && cp != 0xFFFD && cp != 0xFEFF);
}

std::string CssComment(std::string_view text) {
  std::string s(text);
  for (size_t p; (p = s.find("*/")) != std::string::npos;) s.replace(p, 2, "* /");
  return "/* " + s + " */";
}

// NAME_MAX of Linux file systems.
constexpr size_t kMaxFileName = 255;

// The longest beginning of `name`, in whole characters, whose group file
// name still fits with `suffix` appended; then the suffix.
std::string FitGroupName(const std::string& name, const std::string& suffix) {
  // Escapes only lengthen a name, so no more than the limit can fit.
  size_t keep = 0;
  const std::string_view s = std::string_view(name).substr(0, kMaxFileName + 4);
  for (size_t i = 0, n = 0; i < s.size(); i += n) {
    DecodeUtf8(s, i, n);
    if (i + n > s.size() ||
        TFavorites::GroupFileName(name.substr(0, i + n) + suffix).size() > kMaxFileName)
      break;
    keep = i + n;
  }
  return name.substr(0, keep) + suffix;
}

std::string Stem(const std::string& path) {
  return std::filesystem::path(path).stem().string();
}

std::string Extension(const std::string& path) {
  std::string e = std::filesystem::path(path).extension().string();
  for (char& c : e) c = char(std::tolower(static_cast<unsigned char>(c)));
  return e;
}

}  // namespace

// ---------------------------------------------------------------------------

TPaletteGroup ReadGpl(std::string_view bytes) {
  if (StartsWith(bytes, "\xEF\xBB\xBF")) bytes.remove_prefix(3);
  TPaletteGroup group;
  bool haveName = false;
  size_t start = 0;
  for (int line = 1; start <= bytes.size(); ++line) {
    size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    const std::string_view raw = bytes.substr(start, end - start);
    start = end + 1;
    const std::string_view text = Trim(raw);
    if (line == 1) {
      if (text != "GIMP Palette") LineError(1, "\"GIMP Palette\" で始まっていません");
      continue;
    }
    if (text.empty() || text[0] == '#') continue;
    if (StartsWith(text, "Name:")) {
      if (!haveName) group.name = CleanName(Trim(text.substr(5)));
      haveName = true;
      continue;
    }
    if (StartsWith(text, "Columns:")) continue;
    // Names keep their blanks: only the line break and the one blank after
    // the numbers are not part of them.
    std::string_view row = raw;
    if (!row.empty() && row.back() == '\r') row.remove_suffix(1);
    int rgb[3];
    size_t i = 0;
    for (int& v : rgb) {
      while (i < row.size() && IsBlank(row[i])) ++i;
      if (i == row.size()) LineError(line, "R G B の数が足りません");
      const bool negative = row[i] == '-';
      if (row[i] == '+' || row[i] == '-') ++i;
      const size_t from = i;
      long value = 0;
      while (i < row.size() && row[i] >= '0' && row[i] <= '9' && value <= 255)
        value = value * 10 + (row[i++] - '0');
      if (i == from || (i < row.size() && !IsBlank(row[i]) && !(row[i] >= '0' && row[i] <= '9')))
        LineError(line, "色の値が数字ではありません");
      if (value > 255 || (negative && value != 0)) LineError(line, "色の値が 0..255 の範囲外です");
      v = int(value);
    }
    if (i < row.size()) ++i;
    group.colors.Add(Hex(rgb[0], rgb[1], rgb[2]), CleanName(row.substr(i)));
  }
  return group;
}

std::string GplBytes(const std::string& name, const TNamedColorList& colors) {
  auto oneLine = [](std::string s) {
    std::replace(s.begin(), s.end(), '\n', ' ');
    std::replace(s.begin(), s.end(), '\r', ' ');
    return s;
  };
  std::string out = "GIMP Palette\nName: " + oneLine(name) + "\nColumns: 0\n#\n";
  char buf[16];
  for (int i = 0; i < colors.Count(); ++i) {
    const TRGBRec c = RowRGB(colors, i);
    std::snprintf(buf, sizeof buf, "%3d %3d %3d\t", c.R, c.G, c.B);
    out += buf + oneLine(colors.GetColor(i).Name) + "\n";
  }
  return out;
}

std::vector<TPaletteGroup> ReadAse(std::string_view bytes) {
  Reader in(bytes);
  if (in.Left() < 4 || in.Take(4, "署名") != "ASEF") ByteError(0, "\"ASEF\" で始まっていません");
  if (in.U16("版") != 1) ByteError(4, "版 1 のファイルではありません");
  in.U16("版");
  const size_t countAt = in.Pos();
  const uint32_t count = in.U32("ブロック数");
  if (count > in.Left() / 6) ByteError(countAt, "ブロック数がファイルの大きさに合いません");

  std::vector<TPaletteGroup> groups(1);  // [0]: colours outside any group
  bool inGroup = false;
  for (uint32_t k = 0; k < count; ++k) {
    const size_t at = in.Pos();
    const uint32_t type = in.U16("ブロックの種類");
    const uint32_t length = in.U32("ブロックの長さ");
    if (length > in.Left()) ByteError(at + 2, "ブロックの長さがファイルの終わりを越えています");
    const size_t end = in.Pos() + length;
    if (type == kAseGroupStart) {
      if (inGroup) ByteError(at, "グループが閉じないうちに次のグループが始まっています");
      TPaletteGroup g;
      g.name = AseName(in);
      if (in.Pos() != end) ByteError(in.Pos(), "ブロックの長さが内容と合いません");
      groups.push_back(std::move(g));
      inGroup = true;
    } else if (type == kAseGroupEnd) {
      if (!inGroup) ByteError(at, "始まっていないグループの終わりです");
      inGroup = false;
    } else if (type == kAseColor) {
      ReadAseColor(in, end, inGroup ? groups.back().colors : groups.front().colors);
    }
    in.Seek(end);  // blocks of other kinds are skipped
  }
  if (inGroup) ByteError(in.Pos(), "グループが閉じていません");
  if (in.Left() != 0) ByteError(in.Pos(), "最後のブロックの後に余分なデータがあります");
  if (groups.front().colors.Count() == 0) groups.erase(groups.begin());
  return groups;
}

std::string AseBytes(const std::vector<TPaletteGroup>& groups) {
  std::string out = "ASEF";
  PutU16(out, 1);
  PutU16(out, 0);
  uint32_t blocks = 0;
  for (const auto& g : groups) blocks += 2 + uint32_t(g.colors.Count());
  PutU32(out, blocks);
  auto block = [&out](uint32_t type, const std::string& data) {
    PutU16(out, type);
    PutU32(out, uint32_t(data.size()));
    out += data;
  };
  for (const auto& g : groups) {
    std::string data;
    PutAseName(data, g.name);
    block(kAseGroupStart, data);
    for (int i = 0; i < g.colors.Count(); ++i) {
      const TRGBRec c = RowRGB(g.colors, i);
      data.clear();
      PutAseName(data, g.colors.GetColor(i).Name);
      data += "RGB ";
      for (int v : {c.R, c.G, c.B}) PutF32(data, float(v) / 255.0f);
      PutU16(data, 2);  // normal (not global, not spot)
      block(kAseColor, data);
    }
    block(kAseGroupEnd, {});
  }
  return out;
}

TPaletteGroup ReadAct(std::string_view bytes) {
  if (bytes.size() != 768 && bytes.size() != 772)
    ByteError(std::min<size_t>(bytes.size(), 768),
              "大きさが 768 バイトでも 772 バイトでもありません");
  auto byte = [&](size_t i) { return int(static_cast<unsigned char>(bytes[i])); };
  int count = 256, transparent = -1;
  if (bytes.size() == 772) {
    count = byte(768) << 8 | byte(769);
    if (count > 256) ByteError(768, "色数が 256 を超えています");
    const int t = byte(770) << 8 | byte(771);
    if (t != 0xFFFF) {
      if (t >= 256) ByteError(770, "透明色の番号が 256 以上です");
      transparent = t;
    }
  }
  TPaletteGroup group;
  for (int i = 0; i < count; ++i)
    if (i != transparent)
      group.colors.Add(Hex(byte(3 * size_t(i)), byte(3 * size_t(i) + 1), byte(3 * size_t(i) + 2)),
                       "");
  return group;
}

std::string CssIdentifier(std::string_view name) {
  const std::string clean = CleanName(name);
  std::string out;
  for (size_t i = 0, n = 0; i < clean.size(); i += n) {
    const uint32_t cp = DecodeUtf8(clean, i, n);
    if (IsNameChar(cp)) {
      out.append(clean, i, n);
    } else if (!out.empty() && out.back() != '-') {
      out += '-';
    }
  }
  while (!out.empty() && out.back() == '-') out.pop_back();
  while (!out.empty() && out.front() == '-') out.erase(out.begin());
  return out;
}

std::string CssVariablesText(const std::string& groupName, const TNamedColorList& colors) {
  std::string out = "@charset \"UTF-8\";\n" + CssComment(CleanName(groupName)) + "\n:root {\n";
  std::set<std::string> taken;
  for (int i = 0; i < colors.Count(); ++i) {
    const TRGBRec c = RowRGB(colors, i);
    const std::string name = CleanName(colors.GetColor(i).Name);
    std::string id = CssIdentifier(name);
    if (id.empty()) id = "color-" + std::to_string(i + 1);
    std::string unique = id;
    for (int n = 2; taken.count(unique); ++n) unique = id + "-" + std::to_string(n);
    taken.insert(unique);
    out += "  --" + unique + ": #" + Hex(c.R, c.G, c.B) + ";";
    if (!name.empty()) out += " " + CssComment(name);
    out += "\n";
  }
  return out + "}\n";
}

std::vector<TPaletteGroup> ReadPaletteBytes(std::string_view bytes, const std::string& fileName) {
  std::vector<TPaletteGroup> groups;
  try {
    const std::string ext = Extension(fileName);
    if (StartsWith(bytes, "ASEF") || (ext == ".ase" && !StartsWith(bytes, "GIMP Palette")))
      groups = ReadAse(bytes);
    else if (ext == ".act")
      groups.push_back(ReadAct(bytes));
    else if (ext == ".gpl" || StartsWith(bytes, "GIMP Palette") ||
             StartsWith(bytes, "\xEF\xBB\xBFGIMP Palette"))
      groups.push_back(ReadGpl(bytes));
    else
      throw EPaletteFormatError("GIMP パレット、ASE、ACT のどれでもありません");
  } catch (const EPaletteFormatError& e) {
    throw EPaletteFormatError(fileName + ": " + e.what());
  }
  for (auto& g : groups) {
    if (g.name.empty()) g.name = CleanName(Stem(fileName));
    g.source = fileName;
  }
  return groups;
}

std::vector<TPaletteGroup> ReadPaletteFile(const std::string& path) {
  const TFileRead read = ReadRegularFile(path, kPaletteFileLimit);
  if (read.failure == TReadFailure::TooLarge)
    throw EPaletteFormatError(path + ": 16 MiB を超えるパレットは読み込めません");
  if (read.failure == TReadFailure::Missing)
    throw EPaletteFormatError(path + ": ファイルを開けません");
  if (!read.bytes) throw EPaletteFormatError(ReadFailureText(path, read));
  return ReadPaletteBytes(*read.bytes, path);
}

std::vector<int> AddPaletteGroups(TFavorites& favorites, const std::vector<TPaletteGroup>& groups) {
  std::vector<int> added;
  for (const auto& g : groups) {
    // A taken name gets the smallest free number; one too long for a file
    // name is cut to fit, number included.
    std::string name = FitGroupName(g.name, "");
    for (int n = 1; favorites.GroupExists(name); ++n)
      name = FitGroupName(g.name, std::to_string(n));
    const int index = favorites.AddGroup(name);
    if (index < 0) continue;
    if (!StartsWith(name, g.name))
      Dialogs().Information((g.source.empty() ? "" : g.source + ": ") +
                            "パレットの名前が長すぎてファイル名にできないため、「" + name +
                            "」という名前で読み込みました");
    favorites.Group(index).Assign(g.colors);
    added.push_back(index);
  }
  return added;
}

}  // namespace tintorb
