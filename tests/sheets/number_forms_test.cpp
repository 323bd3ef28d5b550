#include <gtest/gtest.h>

#include "sheets/NumberForms.h"
#include "sheets/UpdateLock.h"

namespace tintorb {
namespace {

using F = TNumberForm;

TEST(StrToInt, ReadsSignedDecimalAndTheHexPrefixes) {
  EXPECT_EQ(StrToInt("0"), 0);
  EXPECT_EQ(StrToInt("255"), 255);
  EXPECT_EQ(StrToInt("-128"), -128);
  EXPECT_EQ(StrToInt("+7"), 7);
  EXPECT_EQ(StrToInt("  12"), 12);
  EXPECT_EQ(StrToInt("$ff"), 255);
  EXPECT_EQ(StrToInt("0x1F"), 31);
  EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
  EXPECT_EQ(StrToInt("2147483647"), INT32_MAX);
}

TEST(StrToInt, AnythingElseRaisesTheConversionErrorWithTheText) {
  for (const char* bad : {"", "-", "$", "12 ", "1a", "abc", "2147483648", "99999999999999999999"}) {
    try {
      StrToInt(bad);
      ADD_FAILURE() << "accepted '" << bad << "'";
    } catch (const EConvertError& e) {
      EXPECT_EQ(std::string(e.what()), "'" + std::string(bad) + "' は整数ではありません");
    }
  }
}

TEST(NumberForms, FormatAndParseInEachForm) {
  EXPECT_EQ(NumberFormOf(0), F::nfDecimal);
  EXPECT_EQ(NumberFormOf(1), F::nfHexadecimal);
  EXPECT_EQ(NumberFormOf(2), F::nfPercent);
  EXPECT_EQ(NumberFormOf(-1), F::nfDecimal);
  EXPECT_EQ(NumberFormOf(5), F::nfDecimal);

  EXPECT_EQ(FormatValue(F::nfDecimal, 200), "200");
  EXPECT_EQ(FormatValue(F::nfHexadecimal, 10), "0A");
  EXPECT_EQ(FormatValue(F::nfHexadecimal, 255), "FF");
  EXPECT_EQ(FormatValue(F::nfPercent, 127), "49");
  EXPECT_EQ(FormatValue(F::nfPercent, 128), "50");
  EXPECT_EQ(FormatValue(F::nfPercent, 255), "100");

  EXPECT_EQ(ParseValue(F::nfDecimal, "300"), 300);
  EXPECT_EQ(ParseValue(F::nfHexadecimal, "c8"), 200);
  EXPECT_EQ(ParseValue(F::nfPercent, "50"), 127);
  EXPECT_EQ(ParseValue(F::nfPercent, "999"), 2547);
  EXPECT_THROW(ParseValue(F::nfHexadecimal, "g"), EConvertError);
  try {
    ParseValue(F::nfHexadecimal, "1g");
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'$1g' は整数ではありません");
  }
  EXPECT_EQ(MaxValueLength(F::nfHexadecimal), 2);
  EXPECT_EQ(MaxValueLength(F::nfPercent), 3);
}

TEST(NumberForms, KeyFilter) {
  for (char32_t c : {U'0', U'5', U'9'}) {
    EXPECT_TRUE(AcceptsKey(F::nfDecimal, c));
    EXPECT_TRUE(AcceptsKey(F::nfPercent, c));
  }
  for (char32_t c : {U'a', U'F', U'-', U'\b', U' ', U'０'})
    EXPECT_FALSE(AcceptsKey(F::nfDecimal, c));
  for (char32_t c : {U'a', U'f', U'A', U'F'}) EXPECT_TRUE(AcceptsKey(F::nfHexadecimal, c));
  for (char32_t c : {U'g', U'G', U'x'}) EXPECT_FALSE(AcceptsKey(F::nfHexadecimal, c));
}

TEST(NumberForms, UpDownSteps) {
  EXPECT_EQ(UpDownPosition(F::nfDecimal, false, 10, 1), 11);
  EXPECT_EQ(UpDownPosition(F::nfHexadecimal, false, 10, -1), 9);
  EXPECT_EQ(UpDownPosition(F::nfPercent, false, 128, 1), 131);
  EXPECT_EQ(UpDownPosition(F::nfPercent, false, 128, -1), 125);
  EXPECT_EQ(UpDownPosition(F::nfPercent, false, 0, -1), -1);  // the slider clamps
  // Every percentage step reads back one further.
  for (int pos = 0; pos <= 255; ++pos) {
    const int p = ToPercent(pos);
    if (p < 100) {
      EXPECT_EQ(ToPercent(UpDownPosition(F::nfPercent, false, pos, 1)), p + 1) << pos;
    }
    if (p > 0) {
      EXPECT_EQ(ToPercent(UpDownPosition(F::nfPercent, false, pos, -1)), p - 1) << pos;
    }
  }
  EXPECT_EQ(UpDownPosition(F::nfPercent, true, 100, 1), 151);
  EXPECT_EQ(UpDownPosition(F::nfDecimal, true, 100, -1), 49);
}

TEST(UpdateLock, TryLockReturnsWhenTakenAndForceRestores) {
  bool flag = false;
  {
    TUpdateLock outer(flag);
    EXPECT_TRUE(outer);
    EXPECT_TRUE(flag);
    TUpdateLock inner(flag);
    EXPECT_FALSE(inner);
    {
      TUpdateLock forced(flag, TUpdateLock::kForce);
      EXPECT_TRUE(forced);
    }
    EXPECT_TRUE(flag);  // the forced lock did not free the outer one
  }
  EXPECT_FALSE(flag);
}

}  // namespace
}  // namespace tintorb
