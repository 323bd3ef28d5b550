#include <gtest/gtest.h>

#include "core/TextCase.h"

namespace tintorb {
namespace {

TEST(TextCase, FoldsLettersOfCommonScriptsOnly) {
  EXPECT_TRUE(SameText("#FF00aa", "#ff00AA"));
  EXPECT_TRUE(SameText("ÉCOLE", "école"));
  EXPECT_TRUE(SameText("ＡＢＣ", "ａｂｃ"));
  EXPECT_TRUE(SameText("ΑΒΓ", "αβγ"));
  EXPECT_TRUE(SameText("ЖЁ", "жё"));
  EXPECT_FALSE(SameText("×", "÷"));  // not a letter pair
  EXPECT_FALSE(SameText("あ", "ア"));
  EXPECT_FALSE(SameText("abc", "abcd"));
  EXPECT_FALSE(SameText("[", "{"));
  EXPECT_EQ(FoldCase("A\xff"
                     "B\xc3"),
            "a\xff"
            "b\xc3");  // stray bytes pass through
}

}  // namespace
}  // namespace tintorb
