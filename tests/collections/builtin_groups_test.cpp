#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "collections/Favorites.h"
#include "core/TextFile.h"
#include "support/Fakes.h"

namespace tintorb {

extern const std::string_view kData_pictograms;

namespace {

using testing::ScopedFakes;
using testing::TempDir;

std::u32string Decode(const std::string& s) {
  std::u32string out;
  for (size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    const int n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    char32_t cp = n == 1 ? c : c & (0x7F >> n);
    for (int k = 1; k < n; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    out += cp;
    i += size_t(n);
  }
  return out;
}

bool IsKatakana(char32_t c) {
  return (c >= U'ァ' && c <= U'ヶ') || c == U'ー' || c == U'・';
}
bool IsHiragana(char32_t c) {
  return (c >= U'ぁ' && c <= U'ゖ') || c == U'ー';
}

// Dictionary key of a reading: katakana as hiragana, voiced and small kana as
// their plain forms, the long-vowel mark as the vowel it lengthens.
std::u32string SyllabaryKey(std::u32string reading) {
  static const std::u32string voiced = U"がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽゔ",
                              plain = U"かきくけこさしすせそたちつてとはひふへほはひふへほう",
                              small = U"ぁぃぅぇぉっゃゅょゎ", large = U"あいうえおつやゆよわ";
  static const std::u32string vowels[5] = {U"あかさたなはまやらわ", U"いきしちにひみり",
                                           U"うくすつぬふむゆる", U"えけせてねへめれ",
                                           U"おこそとのほもよろを"};
  std::u32string key;
  for (char32_t c : reading) {
    if (c >= U'ァ' && c <= U'ヶ') c -= 0x60;
    if (auto p = voiced.find(c); p != std::u32string::npos) c = plain[p];
    if (auto p = small.find(c); p != std::u32string::npos) c = large[p];
    if (c == U'ー' && !key.empty()) {
      for (int v = 0; v < 5; ++v)
        if (vowels[v].find(key.back()) != std::u32string::npos) c = U"あいうえお"[v];
    }
    key += c;
  }
  return key;
}

struct Expected {
  const char* name;
  int rows;
  std::vector<std::string> first;
  const char* last;
};

const std::vector<Expected> kExpected = {
    {"クレヨン", 60, {"FFFFFF,白", "EDEDED,チョーク色", "CCCCCC,くも色"}, "33333D,黒あおねずみ"},
    {"色見本の館 - 赤",
     69,
     {"CC0000,赤(あか)", "B7410E,赤錆色(あかさびいろ)", "F92500,赤丹(あかに)"},
     "A8002F,ワインレッド"},
    {"色見本の館 - 橙・茶",
     64,
     {"D5C3AD,亜麻色(あまいろ)", "DBD070,飴色(あめいろ)", "DFBC9F,洗柿(あらいがき)"},
     "D19147,駱駝色(らくだいろ)"},
    {"色見本の館 - 黄",
     30,
     {"AD8C38,イエローオーカー", "F0B325,鬱金(うこん)", "FADEBC,薄卵色(うすたまごいろ)"},
     "D9CA00,レモン色(れもんいろ)"},
    {"色見本の館 - 緑",
     52,
     {"596250,藍海松茶(あいみるちゃ)", "008677,青竹色(あおだけいろ)", "A1B77A,青丹(あおに)"},
     "A8EFAF,若緑(わかみどり)"},
    {"色見本の館 - 青",
     48,
     {"272672,藍色(あいいろ)", "38334C,藍鉄色(あいてついろ)", "0C00CC,青(あお)"},
     "88ACD5,勿忘草色(わすれなぐさいろ)"},
    {"色見本の館 - 紫",
     27,
     {"8E00CC,菖蒲色(あやめいろ)", "6585A8,薄花色(うすはないろ)", "5274E9,薄花桜(うすはなざくら)"},
     "B865CC,ラベンダー"},
    {"色見本の館 - 黒・白・灰",
     40,
     {"56638F,藍鼠(あいねずみ)", "DDDED3,アイボリー", "727B69,青鈍(あおにび)"},
     "978083,ローズグレイ"},
};

TEST(BuiltInGroups, EightGroupsWithTheirCountsFirstAndLastRows) {
  ScopedFakes fakes;
  TFavorites f;
  CreateBuiltInGroups(f);
  ASSERT_EQ(f.Count(), 8);
  int total = 0;
  for (int g = 0; g < 8; ++g) {
    const auto& e = kExpected[size_t(g)];
    const auto& rows = f.Group(g).Rows();
    EXPECT_EQ(f.GroupName(g), e.name);
    EXPECT_EQ(int(rows.size()), e.rows) << e.name;
    EXPECT_EQ(std::vector<std::string>(rows.begin(), rows.begin() + 3), e.first) << e.name;
    EXPECT_EQ(rows.back(), e.last) << e.name;
    total += int(rows.size());
    std::set<std::string> names;
    for (int i = 0; i < f.Group(g).Count(); ++i) {
      const TNamedColor c = f.Group(g).GetColor(i);
      TColor unused;
      EXPECT_TRUE(c.Hex.size() == 6 && TryHexToColor(c.Hex, unused) && c.Hex == ColorToHex(unused))
          << rows[size_t(i)];
      EXPECT_FALSE(c.Name.empty()) << rows[size_t(i)];
      EXPECT_TRUE(names.insert(c.Name).second) << "repeated " << c.Name;
    }
  }
  EXPECT_EQ(total, 390);
  EXPECT_TRUE(fakes.dialogs.log.empty());
}

TEST(BuiltInGroups, SampleGroupsAreInTheSyllabaryOrderOfTheirReadings) {
  ScopedFakes fakes;
  TFavorites f;
  CreateBuiltInGroups(f);
  for (int g = 1; g < f.Count(); ++g) {
    std::u32string previous;
    for (int i = 0; i < f.Group(g).Count(); ++i) {
      const std::string name = f.Group(g).GetColor(i).Name;
      const std::u32string n = Decode(name);
      std::u32string reading;
      if (std::all_of(n.begin(), n.end(), IsKatakana)) {
        reading = n;  // a loan word reads as written
      } else {
        const size_t open = n.rfind(U'(');
        ASSERT_TRUE(open != std::u32string::npos && n.back() == U')' && open > 0)
            << name << ": a Japanese name carries its reading";
        reading = n.substr(open + 1, n.size() - open - 2);
        ASSERT_FALSE(reading.empty()) << name;
        EXPECT_TRUE(std::all_of(reading.begin(), reading.end(), IsHiragana)) << name;
      }
      const std::u32string key = SyllabaryKey(reading);
      EXPECT_LE(previous, key) << f.GroupName(g) << ": " << name << " is out of order";
      previous = key;
    }
  }
}

TEST(BuiltInGroups, CrayonsRunFromWhiteThroughGreysToBlackThenColours) {
  ScopedFakes fakes;
  TFavorites f;
  CreateBuiltInGroups(f);
  const TNamedColorList& crayons = f.Group(0);
  int previous = 256;
  int i = 0;
  for (;; ++i) {
    const TRGBRec c = HexToRGB(crayons.GetColor(i).Hex);
    ASSERT_TRUE(c.R == c.G && c.G == c.B) << crayons.Row(i) << " is not a grey";
    EXPECT_LT(c.R, previous) << crayons.Row(i);
    previous = c.R;
    if (c.R == 0) break;
  }
  EXPECT_EQ(crayons.Row(i), "000000,黒");
  EXPECT_GE(i, 5);
  for (++i; i < crayons.Count(); ++i) {
    const TRGBRec c = HexToRGB(crayons.GetColor(i).Hex);
    EXPECT_FALSE(c.R == c.G && c.G == c.B) << crayons.Row(i) << " is a grey among the colours";
  }
}

// Valid UTF-8 is taken as UTF-8, so real Japanese text in CP932 must never be
// valid UTF-8: checked on the built-in groups as files, on every row and name
// alone, and on the pictogram names and the help page line by line.
TEST(BuiltInGroups, Cp932TextIsNeverTakenForUtf8) {
  ScopedFakes fakes;
  TempDir dir;
  TFavorites f;
  CreateBuiltInGroups(f);
  ASSERT_TRUE(f.SaveToDir(dir.path()));
  TFavorites back;
  ASSERT_TRUE(back.LoadFromDir(dir.path()));
  ASSERT_EQ(back.Count(), 8);
  std::vector<std::string> texts;
  for (int g = 0; g < back.Count(); ++g) {
    const TNamedColorList& original = f.Group(f.IndexOfGroup(back.GroupName(g)));
    EXPECT_EQ(back.Group(g).Rows(), original.Rows()) << back.GroupName(g);
    EXPECT_EQ(back.Group(g).Form(), TTextFileForm{}) << back.GroupName(g);
    texts.push_back(back.GroupName(g));
    for (int i = 0; i < original.Count(); ++i) {
      texts.push_back(original.Row(i));
      texts.push_back(original.GetColor(i).Name);
    }
  }
  EXPECT_EQ(texts.size(), 8u + 2 * 390u);
  auto addLines = [&](std::string_view data) {
    for (size_t start = 0; start < data.size();) {
      const size_t end = std::min(data.find('\n', start), data.size());
      texts.emplace_back(data.substr(start, end - start));
      start = end + 1;
    }
  };
  addLines(kData_pictograms);
  addLines(ReadFileBytes(std::string(TINTORB_SOURCE_DIR) + "/data/tintorb-help.html").value_or(""));
  int japanese = 0;
  for (const auto& text : texts) {
    const auto bytes = Utf8ToCp932(text);
    if (!bytes || std::all_of(bytes->begin(), bytes->end(),
                              [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
      continue;
    ++japanese;
    TTextFileForm form;
    EXPECT_EQ(DecodeTextFile(*bytes, &form), text);
    EXPECT_EQ(form.encoding, TTextEncoding::Cp932) << text;
  }
  EXPECT_GT(japanese, 1000);
}

TEST(BuiltInGroups, ATakenNameSkipsThatGroupOnly) {
  ScopedFakes fakes;
  TFavorites f;
  f.AddGroup("mine");
  f.AddGroup("色見本の館 - 紫");
  CreateBuiltInGroups(f);
  EXPECT_EQ(f.Count(), 9);
  EXPECT_EQ(f.Group(1).Count(), 0);
  EXPECT_EQ(fakes.dialogs.Of("Warning").size(), 1u);
}

}  // namespace
}  // namespace tintorb
