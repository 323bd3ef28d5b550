#include "collections/Scheme.h"

#include <gtest/gtest.h>

#include <climits>

namespace tintorb {
namespace {

std::vector<TColor> Colors(const TScheme& s) {
  std::vector<TColor> out;
  for (int i = 0; i < s.Count(); ++i) out.push_back(s.Items(i).Color);
  return out;
}

std::vector<TColor> Make(TSchemeTemplate t, int count, TColor fore, TColor back) {
  TScheme s;
  EXPECT_TRUE(ApplySchemeTemplate(s, t, count));
  s.Recalculate(fore, back);
  return Colors(s);
}

TColor ViaHSV(TColor c) {
  return HSVToColor(ColorToHSV(c));
}

TEST(SchemeArithmetic, FitRangeWrapsHueAndClampsTheRest) {
  EXPECT_EQ(FitRange(360, 0, 359, true), 0);
  EXPECT_EQ(FitRange(370, 0, 359, true), 10);
  EXPECT_EQ(FitRange(-1, 0, 359, true), 359);
  EXPECT_EQ(FitRange(-360, 0, 359, true), 0);
  EXPECT_EQ(FitRange(-361, 0, 359, true), 359);
  EXPECT_EQ(FitRange(1080 + 45, 0, 359, true), 45);
  EXPECT_EQ(FitRange(INT_MAX, 0, 359, true), INT_MAX % 360);
  EXPECT_EQ(FitRange(300, 0, 255, false), 255);
  EXPECT_EQ(FitRange(-4, 0, 255, false), 0);
  EXPECT_EQ(FitRange(17, 0, 255, false), 17);
}

TEST(SchemeArithmetic, RoundsHalvesToEvenAfterDivideThenMultiply) {
  EXPECT_EQ(SchemeRnd(5, 2, 1, 0), 2);         // 2.5
  EXPECT_EQ(SchemeRnd(255, 2, 1, 0), 128);     // 127.5
  EXPECT_EQ(SchemeRnd(7, 2, 1, 0), 4);         // 3.5
  EXPECT_EQ(SchemeRnd(-255, 2, 1, 255), 128);  // 127.5 from above
  EXPECT_EQ(SchemeRnd(360, 7, 3, 0), 154);     // 154.28...
  // 360 / 3 * 2 in extended precision is 240 (not 239.99...).
  EXPECT_EQ(SchemeRnd(360, 3, 2, 0), 240);
}

TEST(SchemeModel, CountOfOneGivesTheForegroundOrOneVariation) {
  const TColor fore = RGB(200, 100, 50), back = RGB(1, 2, 3);
  for (auto t : {TSchemeTemplate::GradHue, TSchemeTemplate::GradSaturation,
                 TSchemeTemplate::GradSaturationDark, TSchemeTemplate::GradValue,
                 TSchemeTemplate::GradValueDark}) {
    EXPECT_EQ(Make(t, 1, fore, back), std::vector<TColor>{ViaHSV(fore)})
        << SchemeTemplateInfo(t).Name;
  }
  EXPECT_EQ(Make(TSchemeTemplate::ForeToBack, 1, fore, back), std::vector<TColor>{fore});
  EXPECT_EQ(Make(TSchemeTemplate::RandomHue, 1, fore, back).size(), 1u);
  EXPECT_EQ(Make(TSchemeTemplate::RandomSV, 1, fore, back).size(), 1u);
}

TEST(SchemeModel, ForeToBackRunsFromForegroundToBackground) {
  const TColor fore = RGB(200, 100, 50), back = RGB(10, 250, 99);
  EXPECT_EQ(Make(TSchemeTemplate::ForeToBack, 2, fore, back), (std::vector<TColor>{fore, back}));
  EXPECT_EQ(Make(TSchemeTemplate::ForeToBack, 3, clBlack, clWhite),
            (std::vector<TColor>{clBlack, RGB(128, 128, 128), clWhite}));
  // Falling components round halves to even too: 255 - 127.5 = 127.5 -> 128.
  EXPECT_EQ(Make(TSchemeTemplate::ForeToBack, 3, clWhite, clBlack)[1], RGB(128, 128, 128));
  const auto ten = Make(TSchemeTemplate::ForeToBack, 10, fore, back);
  EXPECT_EQ(ten.front(), fore);
  EXPECT_EQ(ten.back(), back);
  // A system colour is resolved before it is used.
  const auto sys = Make(TSchemeTemplate::ForeToBack, 2, clBtnFace, clWindow);
  EXPECT_EQ(sys, (std::vector<TColor>{ResolveColor(clBtnFace), ResolveColor(clWindow)}));
}

TEST(SchemeModel, DarkGradientsEndOnBlackAndOnGrey) {
  const TColor fore = RGB(200, 100, 50);  // HSV 20, 191, 200
  EXPECT_EQ(Make(TSchemeTemplate::GradValueDark, 2, fore, 0),
            (std::vector<TColor>{ViaHSV(fore), clBlack}));
  EXPECT_EQ(Make(TSchemeTemplate::GradSaturationDark, 2, fore, 0),
            (std::vector<TColor>{ViaHSV(fore), RGB(200, 200, 200)}));
  const auto up = Make(TSchemeTemplate::GradSaturation, 4, fore, 0);
  EXPECT_EQ(ColorToHSV(up.back()).S, 255);
  // 191 + 64 / 3 * 1 = 212.33 -> 212, then 233.67 -> 234.
  EXPECT_EQ(up[1], HSVToColor(MakeHSV(20, 212, 200)));
  EXPECT_EQ(up[2], HSVToColor(MakeHSV(20, 234, 200)));
  const auto bright = Make(TSchemeTemplate::GradValue, 3, fore, 0);
  EXPECT_EQ(bright[1], HSVToColor(MakeHSV(20, 191, 228)));  // 227.5 -> 228
  EXPECT_EQ(bright[2], HSVToColor(MakeHSV(20, 191, 255)));
}

TEST(SchemeModel, HueGradientStepsAFullTurnOverCountMinusOne) {
  const TColor fore = HSVToColor(MakeHSV(100, 200, 180));
  const THSV base = ColorToHSV(fore);
  const auto five = Make(TSchemeTemplate::GradHue, 5, fore, 0);
  ASSERT_EQ(five.size(), 5u);
  const int hues[] = {0, 90, 180, 270, 360};
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(five[i], HSVToColor(MakeHSV(uint16_t((base.H + hues[i]) % 360), base.S, base.V)))
        << i;
  EXPECT_EQ(five.front(), five.back());
}

TEST(SchemeModel, TriadFromBaseHue300) {
  TScheme s;
  ApplySchemeTemplate(s, TSchemeTemplate::Triads);
  ASSERT_EQ(s.Count(), 3);
  auto& base = dynamic_cast<TSchemeColorRandHSV&>(s.Items(0));
  base.MinHSV.H = base.MaxHSV.H = 300;  // the draw can only give 300
  s.Recalculate(RGB(255, 0, 0), 0);
  EXPECT_EQ(s.Items(0).Color, HSVToColor(MakeHSV(300, 255, 255)));
  EXPECT_EQ(ColorToHSV(s.Items(0).Color).H, 300);
  EXPECT_EQ(s.Items(1).Color, HSVToColor(MakeHSV(60, 255, 255)));
  EXPECT_EQ(s.Items(2).Color, HSVToColor(MakeHSV(180, 255, 255)));
}

TEST(SchemeModel, FixedTemplatesHaveTheirEntries) {
  struct Case {
    TSchemeTemplate t;
    std::vector<int> offsets;
  } cases[] = {
      {TSchemeTemplate::Dyards, {180}},
      {TSchemeTemplate::Triads, {120, 240}},
      {TSchemeTemplate::SplitComplementary, {160, 200}},
      {TSchemeTemplate::Tetrards, {90, 180, 270}},
      {TSchemeTemplate::TetrardsOblong, {120, 180, 300}},
      {TSchemeTemplate::Hexards, {60, 120, 180, 240, 300}},
  };
  for (const auto& c : cases) {
    TScheme s;
    ASSERT_TRUE(ApplySchemeTemplate(s, c.t, 99)) << SchemeTemplateInfo(c.t).Name;
    ASSERT_EQ(s.Count(), int(c.offsets.size()) + 1);
    auto* r = dynamic_cast<TSchemeColorRandHSV*>(&s.Items(0));
    ASSERT_TRUE(r);
    EXPECT_TRUE(r->RandHue && !r->RandSaturation && !r->RandValue);
    for (size_t k = 0; k < c.offsets.size(); ++k) {
      auto* ref = dynamic_cast<TSchemeColorRefHSV*>(&s.Items(int(k) + 1));
      ASSERT_TRUE(ref);
      EXPECT_EQ(ref->RefIndex, 0);
      EXPECT_EQ(ref->HueOffset, c.offsets[k]);
      EXPECT_EQ(ref->SaturationOffset, 0);
      EXPECT_EQ(ref->ValueOffset, 0);
    }
    // Each reference is its source's hue turned by the offset.
    s.Recalculate(RGB(30, 140, 200), 0);
    const THSV src = ColorToHSV(s.Items(0).Color);
    for (size_t k = 0; k < c.offsets.size(); ++k)
      EXPECT_EQ(s.Items(int(k) + 1).Color,
                HSVToColor(MakeHSV(uint16_t((src.H + c.offsets[k]) % 360), src.S, src.V)));
  }
}

TEST(SchemeModel, PentadEntriesOneAndThreeAreAlwaysWhiteAndBlack) {
  for (TColor fore : {clBlack, clWhite, RGB(12, 200, 77)}) {
    const auto c = Make(TSchemeTemplate::Pentards, 0, fore, RGB(9, 9, 9));
    ASSERT_EQ(c.size(), 5u);
    EXPECT_EQ(c[1], clWhite);
    EXPECT_EQ(c[3], clBlack);
  }
}

TEST(SchemeModel, ReferenceToItselfOrLaterComputesFromBlack) {
  TScheme s;
  s.Emplace<TSchemeColorRefHSV>(0, 0, 0, 0);     // itself
  s.Emplace<TSchemeColorRefHSV>(2, 0, 0, 0);     // later
  s.Emplace<TSchemeColorFixed>(RGB(255, 0, 0));  // what entry 1 would have seen
  s.Emplace<TSchemeColorRefHSV>(-1, 0, 0, 100);  // out of range, value offset
  s.Emplace<TSchemeColorRefHSV>(2, 120, 0, 0);   // earlier: fresh value
  s.Recalculate(clWhite, clWhite);
  EXPECT_EQ(s.Items(0).Color, clBlack);
  EXPECT_EQ(s.Items(1).Color, clBlack);
  EXPECT_EQ(s.Items(3).Color, RGB(100, 100, 100));
  EXPECT_EQ(s.Items(4).Color, HSVToColor(MakeHSV(120, 255, 255)));
  s.Recalculate(clWhite, clWhite);  // a second pass sees nothing stale either
  EXPECT_EQ(s.Items(1).Color, clBlack);
}

TEST(SchemeModel, FixedEntriesFollowTheirKind) {
  TScheme s;
  s.Emplace<TSchemeColorFixed>(fkForeground);
  s.Emplace<TSchemeColorFixed>(fkBackground);
  s.Emplace<TSchemeColorFixed>(RGB(1, 2, 3));
  s.Emplace<TSchemeColorFixed>(TColor{1});  // a number is a colour, not a kind
  auto& odd = s.Emplace<TSchemeColorFixed>(fkOwn);
  odd.FixedKind = 7;
  odd.FixedColor = clWhite;
  s.Recalculate(RGB(10, 20, 30), RGB(40, 50, 60));
  EXPECT_EQ(Colors(s), (std::vector<TColor>{RGB(10, 20, 30), RGB(40, 50, 60), RGB(1, 2, 3),
                                            TColor{1}, clBlack}));
  EXPECT_EQ(s.ForeColor, RGB(10, 20, 30));
  EXPECT_EQ(s.BackColor, RGB(40, 50, 60));
}

TEST(SchemeModel, RandomDrawsComeInHueSaturationValueOrder) {
  const TColor fore = RGB(200, 100, 50);
  const THSV f = ColorToHSV(fore);
  RandSeed(1234);
  const int h = Random(360), sat = Random(256), v = Random(256);
  TScheme s;
  s.Emplace<TSchemeColorRandHSV>(true, true, true);
  RandSeed(1234);
  s.Recalculate(fore, 0);
  EXPECT_EQ(s.Items(0).Color, HSVToColor(MakeHSV(uint16_t(h), uint8_t(sat), uint8_t(v))));

  // Only flagged components draw: saturation and value take the first two draws.
  RandSeed(99);
  const int s2 = Random(256), v2 = Random(256);
  TScheme sv;
  ApplySchemeTemplate(sv, TSchemeTemplate::RandomSV, 1);
  RandSeed(99);
  sv.Recalculate(fore, 0);
  EXPECT_EQ(sv.Items(0).Color, HSVToColor(MakeHSV(f.H, uint8_t(s2), uint8_t(v2))));

  // Every recalculation draws afresh.
  TScheme many;
  ApplySchemeTemplate(many, TSchemeTemplate::RandomHue, 50);
  RandSeed(5);
  many.Recalculate(fore, 0);
  const auto first = Colors(many);
  many.Recalculate(fore, 0);
  EXPECT_NE(Colors(many), first);
  for (TColor c : first) {
    EXPECT_EQ(ColorToHSV(c).V, f.V);  // hue varies, value kept
  }
}

TEST(SchemeModel, EntriesKnowTheirPositionWithoutSearching) {
  TScheme s, other;
  ApplySchemeTemplate(s, TSchemeTemplate::GradValue, 100);
  for (int i = 0; i < s.Count(); ++i) EXPECT_EQ(s.IndexOf(&s.Items(i)), i);
  EXPECT_EQ(s.IndexOf(nullptr), -1);
  ApplySchemeTemplate(other, TSchemeTemplate::Dyards);
  EXPECT_EQ(s.IndexOf(&other.Items(1)), -1);
  EXPECT_THROW(s.Add(std::make_unique<TSchemeColorForeToBack>(other)), std::invalid_argument);
  EXPECT_EQ(s.Count(), 100);
  s.Clear();
  EXPECT_EQ(s.Count(), 0);
  EXPECT_EQ(s.Add(std::make_unique<TSchemeColorForeToBack>(s)), 0);
}

TEST(SchemeModel, CountsOutsideOneToTheCapLeaveTheSchemeAlone) {
  TScheme s;
  ApplySchemeTemplate(s, TSchemeTemplate::Tetrards);
  for (int bad : {0, -1, -100, kMaxSchemeCount + 1, INT_MAX}) {
    EXPECT_FALSE(ApplySchemeTemplate(s, TSchemeTemplate::GradHue, bad)) << bad;
    EXPECT_EQ(s.Count(), 4);
  }
  EXPECT_TRUE(ApplySchemeTemplate(s, TSchemeTemplate::ForeToBack, kMaxSchemeCount));
  EXPECT_EQ(s.Count(), kMaxSchemeCount);
  s.Recalculate(clBlack, clWhite);
  EXPECT_EQ(s.Items(kMaxSchemeCount - 1).Color, clWhite);
}

TEST(SchemeModel, CountTextReadsAsTheBoxWouldHaveIt) {
  EXPECT_EQ(ParseSchemeCount("8"), 8);
  EXPECT_EQ(ParseSchemeCount(" 12 "), 12);
  EXPECT_EQ(ParseSchemeCount("+3"), 3);
  EXPECT_EQ(ParseSchemeCount("0"), 0);
  EXPECT_LT(ParseSchemeCount("-3"), 1);
  EXPECT_EQ(ParseSchemeCount(""), -1);
  EXPECT_EQ(ParseSchemeCount("abc"), -1);
  EXPECT_EQ(ParseSchemeCount("1e3"), -1);
  EXPECT_EQ(ParseSchemeCount("8 8"), -1);
  EXPECT_EQ(ParseSchemeCount("４"), -1);  // full-width digits are not read
  EXPECT_GT(ParseSchemeCount("99999999999999999999"), kMaxSchemeCount);
}

TEST(SchemeModel, TemplateTableMatchesTheMenu) {
  const auto& t = SchemeTemplates();
  ASSERT_EQ(t.size(), 15u);
  EXPECT_STREQ(t[0].Name, "Dyards");
  EXPECT_STREQ(t[10].Name, "GradSaturationDark");
  EXPECT_STREQ(t[14].Caption, "前景色から背景色へ");
  int counted = 0;
  for (const auto& i : t) counted += i.CountTitle != nullptr;
  EXPECT_EQ(counted, 8);
  EXPECT_EQ(FindSchemeTemplate("foretoback"), &t[14]);
  EXPECT_EQ(FindSchemeTemplate("ForeToBackX"), nullptr);
}

}  // namespace
}  // namespace tintorb
