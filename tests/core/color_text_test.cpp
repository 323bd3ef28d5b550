#include <gtest/gtest.h>

#include <set>

#include "core/ColorText.h"

namespace tintorb {
namespace {

const TColor kABCDEF = RGB(171, 205, 239);

TCopyOptions Opts(bool sharp, bool quote, bool lower, bool colorTag) {
  return TCopyOptions{sharp, quote, lower, colorTag};
}

TEST(CopyOptions, DefaultsAreSharpAndQuotes) {
  const TCopyOptions d;
  EXPECT_EQ(d, Opts(true, true, false, false));
  EXPECT_EQ(CopyColorText(kABCDEF, d), "\"#ABCDEF\"");
}

TEST(CopyOptions, EveryRowOfTheOptionTable) {
  struct Row {
    TCopyOptions o;
    const char* text;
  };
  const Row rows[] = {
      {Opts(false, false, false, false), "ABCDEF"},
      {Opts(true, false, false, false), "#ABCDEF"},
      {Opts(false, true, false, false), "\"ABCDEF\""},
      {Opts(true, true, false, false), "\"#ABCDEF\""},
      {Opts(true, true, true, false), "\"#abcdef\""},
      {Opts(true, true, true, true), "COLOR=\"#abcdef\""},
      {Opts(true, false, false, true), "COLOR=#ABCDEF"},
      {Opts(false, false, true, true), "COLOR=abcdef"},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(CopyColorText(kABCDEF, r.o), r.text);
    EXPECT_EQ(ApplyCopyOptions("ABCDEF", false, r.o), r.text);
  }
}

TEST(CopyOptions, NamesNeverGetASharp) {
  EXPECT_EQ(ApplyCopyOptions("red", true, Opts(true, true, true, true)), "COLOR=\"red\"");
  EXPECT_EQ(ApplyCopyOptions("DarkRed", true, Opts(true, true, true, false)), "\"darkred\"");
  EXPECT_EQ(ApplyCopyOptions("DarkRed", true, Opts(true, false, false, false)), "DarkRed");
}

TEST(CopyOptions, LowerCaseTouchesOnlyAsciiLetters) {
  // "Ａ" (U+FF21) and "É" stay; their UTF-8 bytes must not be altered.
  EXPECT_EQ(ApplyCopyOptions("Ａ-É-Z9", true, Opts(false, false, true, false)), "Ａ-É-z9");
  EXPECT_EQ(AsciiLower("[ABC xyz]"), "[abc xyz]");
}

TEST(CopyOptions, OptionCaptions) {
  EXPECT_EQ(kCaptionAddSharp, "# を付加する(&S)");
  EXPECT_EQ(kCaptionAddQuotation, "値を \"\" で囲む(&D)");
  EXPECT_EQ(kCaptionLowerCase, "16進数は小文字を使う(&H)");
  EXPECT_EQ(kCaptionAddColorTag, "COLOR= を付加する(&C)");
}

TEST(TagTexts, DefaultOptions) {
  const TCopyOptions d;
  const std::pair<TTagAction, const char*> expected[] = {
      {TTagAction::actTagFont, "<FONT COLOR=\"#ABCDEF\">"},
      {TTagAction::actTagHR, "<HR COLOR=\"#ABCDEF\">"},
      {TTagAction::actTagTable, "<TABLE BGCOLOR=\"#ABCDEF\">"},
      {TTagAction::actTagTR, "<TR BGCOLOR=\"#ABCDEF\">"},
      {TTagAction::actTagTH, "<TH BGCOLOR=\"#ABCDEF\">"},
      {TTagAction::actTagTD, "<TD BGCOLOR=\"#ABCDEF\">"},
      {TTagAction::actTagStyleColor, "color: #ABCDEF"},
      {TTagAction::actTagText, "TEXT=\"#ABCDEF\""},
      {TTagAction::actTagBgColor, "BGCOLOR=\"#ABCDEF\""},
      {TTagAction::actLink, "LINK=\"#ABCDEF\""},
      {TTagAction::actALink, "ALink=\"#ABCDEF\""},
      {TTagAction::actVLink, "VLink=\"#ABCDEF\""},
  };
  for (const auto& [action, text] : expected)
    EXPECT_EQ(TagText(action, kABCDEF, d), text) << TagActionName(action);
}

TEST(TagTexts, LowerCaseKeepsTagNamesAndColorTagNeverApplies) {
  const TCopyOptions all = Opts(true, true, true, true);
  EXPECT_EQ(TagText(TTagAction::actTagFont, kABCDEF, all), "<FONT COLOR=\"#abcdef\">");
  EXPECT_EQ(TagText(TTagAction::actALink, kABCDEF, all), "ALink=\"#abcdef\"");
  EXPECT_EQ(TagText(TTagAction::actTagStyleColor, kABCDEF, all), "color: #abcdef");
}

TEST(TagTexts, StyleColorIsNeverQuoted) {
  EXPECT_EQ(TagText(TTagAction::actTagStyleColor, kABCDEF, Opts(false, true, false, false)),
            "color: ABCDEF");
  EXPECT_EQ(TagText(TTagAction::actTagTD, kABCDEF, Opts(false, false, false, false)),
            "<TD BGCOLOR=ABCDEF>");
}

TEST(TagCaptions, MatchTheTextsExceptTheQuotedStyleColor) {
  const TCopyOptions d;
  EXPECT_EQ(TagCaption(TTagAction::actTagStyleColor, kABCDEF, d), "color: \"#ABCDEF\"");
  EXPECT_EQ(TagCaption(TTagAction::actTagStyleColor, kABCDEF, Opts(true, false, false, false)),
            "color: #ABCDEF");
  for (TTagAction a : kTagActions) {
    if (a == TTagAction::actTagStyleColor) continue;
    EXPECT_EQ(TagCaption(a, kABCDEF, d), TagText(a, kABCDEF, d)) << TagActionName(a);
    EXPECT_EQ(TagCaption(a, kABCDEF, Opts(false, true, true, true)),
              TagText(a, kABCDEF, Opts(false, true, true, true)))
        << TagActionName(a);
  }
}

TEST(TagCaptions, FormCaptionsBeforeTheMenuFirstOpens) {
  const char* expected[] = {"<&FONT>",       "<&HR>",   "<&TABLE>", "<T&R>",
                            "<T&H>",         "<T&D>",   "&color:",  "actTagText",
                            "actTagBgColor", "actLink", "actALink", "actVLink"};
  for (size_t i = 0; i < kTagActions.size(); ++i)
    EXPECT_EQ(TagInitialCaption(kTagActions[i]), expected[i]);
}

TEST(ActionNames, RoundTripAndRejectUnknown) {
  std::set<std::string_view> names;
  for (TTagAction a : kTagActions) {
    names.insert(TagActionName(a));
    EXPECT_EQ(TagActionFromName(TagActionName(a)), a);
    EXPECT_FALSE(LiteralActionFromName(TagActionName(a)).has_value());
  }
  for (TLiteralAction a : kLiteralActions) {
    names.insert(LiteralActionName(a));
    EXPECT_EQ(LiteralActionFromName(LiteralActionName(a)), a);
    EXPECT_FALSE(TagActionFromName(LiteralActionName(a)).has_value());
  }
  EXPECT_EQ(names.size(), 16u);
  EXPECT_FALSE(TagActionFromName("acttagfont").has_value());
  EXPECT_FALSE(TagActionFromName("").has_value());
}

TEST(ProgramLiterals, CaptionsAndCopiedTexts) {
  EXPECT_EQ(LiteralCaption(TLiteralAction::actDelphi, kABCDEF), "$00EFCDAB");
  EXPECT_EQ(LiteralCaption(TLiteralAction::actVisualBasic, kABCDEF), "&&HEFCDAB");
  EXPECT_EQ(LiteralCaption(TLiteralAction::actIAppli, kABCDEF), "g.getColorOfRGB(171, 205, 239)");
  EXPECT_EQ(LiteralCaption(TLiteralAction::actIAppli16, kABCDEF),
            "g.getColorOfRGB(0xAB, 0xCD, 0xEF)");
  EXPECT_EQ(LiteralText(TLiteralAction::actDelphi, kABCDEF), "$00EFCDAB");
  EXPECT_EQ(LiteralText(TLiteralAction::actVisualBasic, kABCDEF), "&HEFCDAB");
  EXPECT_EQ(LiteralText(TLiteralAction::actIAppli, kABCDEF), "g.getColorOfRGB(171, 205, 239)");
  EXPECT_EQ(LiteralText(TLiteralAction::actIAppli16, kABCDEF), "g.getColorOfRGB(0xAB, 0xCD, 0xEF)");
}

TEST(ProgramLiterals, PureBlue) {
  const TColor blue = RGB(0, 0, 255);
  EXPECT_EQ(LiteralText(TLiteralAction::actDelphi, blue), "$00FF0000");
  EXPECT_EQ(LiteralText(TLiteralAction::actVisualBasic, blue), "&HFF0000");
  EXPECT_EQ(LiteralText(TLiteralAction::actIAppli, blue), "g.getColorOfRGB(0, 0, 255)");
  EXPECT_EQ(LiteralText(TLiteralAction::actIAppli16, blue), "g.getColorOfRGB(0x00, 0x00, 0xFF)");
}

TEST(ProgramLiterals, AmpersandRuleDropsOnlyTheEscape) {
  EXPECT_EQ(LiteralCopyText("&&H123456"), "&H123456");
  EXPECT_EQ(LiteralCopyText("&&&x"), "&&x");
  EXPECT_EQ(LiteralCopyText("&H123456"), "&H123456");
  EXPECT_EQ(LiteralCopyText("a&&b"), "a&&b");
  EXPECT_EQ(LiteralCopyText("&"), "&");
  EXPECT_EQ(LiteralCopyText(""), "");
}

TEST(ProgramLiterals, SystemColourUsesItsCurrentRgb) {
  SetSysColorResolver([](int) -> TColor { return RGB(1, 2, 3); });
  EXPECT_EQ(LiteralText(TLiteralAction::actDelphi, clBtnFace), "$00030201");
  EXPECT_EQ(LiteralText(TLiteralAction::actIAppli, clBtnFace), "g.getColorOfRGB(1, 2, 3)");
  SetSysColorResolver(nullptr);
}

TEST(WindowTexts, CaptionFollowsOptionsTitleDoesNot) {
  EXPECT_EQ(WindowCaptionText(kABCDEF, TCopyOptions{}), "Tintorb [\"#ABCDEF\"]");
  EXPECT_EQ(WindowCaptionText(RGB(255, 0, 0), TCopyOptions{}), "Tintorb [\"#FF0000\"]");
  EXPECT_EQ(WindowCaptionText(kABCDEF, Opts(false, false, true, true)), "Tintorb [COLOR=abcdef]");
  EXPECT_EQ(TaskBarTitleText(kABCDEF), "Tintorb [ABCDEF]");
}

TEST(Paste, AcceptsOnlyPlainHex) {
  for (const char* ok : {"#ABCDEF", "abcdef", "ABCDEF", "ABCDEF;", "ABCDEF\"", "#abcdef00"}) {
    TColor c = 0;
    EXPECT_TRUE(AcceptPastedText(ok, c)) << ok;
    EXPECT_EQ(c, kABCDEF) << ok;
  }
  const TCopyOptions d;
  const std::string refused[] = {
      "\"#ABCDEF\"",
      "COLOR=#ABCDEF",
      TagText(TTagAction::actTagFont, kABCDEF, d),
      TagText(TTagAction::actTagStyleColor, kABCDEF, d),
      LiteralText(TLiteralAction::actDelphi, kABCDEF),
      LiteralText(TLiteralAction::actVisualBasic, kABCDEF),
      LiteralText(TLiteralAction::actIAppli, kABCDEF),
      "",
      "#ABCDE",
  };
  for (const std::string& text : refused) {
    TColor c = 0x123456;
    EXPECT_FALSE(AcceptPastedText(text, c)) << text;
    EXPECT_EQ(c, 0x123456) << text;
  }
}

}  // namespace
}  // namespace tintorb
