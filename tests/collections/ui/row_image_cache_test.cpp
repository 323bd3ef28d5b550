#include <gtest/gtest.h>

#include "collections/ui/RowImageCache.h"

namespace tintorb {
namespace {

QImage Row(int width, QRgb fill = 0xFF000000) {
  QImage img(width, 1, QImage::Format_RGB32);  // width * 4 bytes
  img.fill(fill);
  return img;
}

TEST(RowImageCacheTest, DropsTheLeastRecentlyUsedOverBudget) {
  TRowImageCache cache(300);
  cache.Insert("a", Row(25));  // 100 bytes each
  cache.Insert("b", Row(25));
  cache.Insert("c", Row(25));
  EXPECT_EQ(cache.Bytes(), 300);
  ASSERT_NE(cache.Find("a"), nullptr);  // a is now newer than b
  cache.Insert("d", Row(25));
  EXPECT_FALSE(cache.Contains("b"));
  EXPECT_TRUE(cache.Contains("a"));
  EXPECT_TRUE(cache.Contains("c"));
  EXPECT_TRUE(cache.Contains("d"));
  EXPECT_EQ(cache.Count(), 3);
  EXPECT_EQ(cache.Bytes(), 300);

  cache.SetBudget(150);  // shrinking trims at once, oldest first
  EXPECT_EQ(cache.Count(), 1);
  EXPECT_TRUE(cache.Contains("d"));
}

TEST(RowImageCacheTest, ReplacingAndOversizedImages) {
  TRowImageCache cache(100);
  cache.Insert("a", Row(10, 0xFFFF0000));
  cache.Insert("a", Row(20, 0xFF00FF00));  // replaces, bytes follow the new image
  EXPECT_EQ(cache.Count(), 1);
  EXPECT_EQ(cache.Bytes(), 80);
  EXPECT_EQ(cache.Find("a")->pixel(0, 0), 0xFF00FF00u);
  // An image over the whole budget still stays: it is the row being drawn.
  const QImage& big = cache.Insert("big", Row(100));
  EXPECT_EQ(big.width(), 100);
  EXPECT_EQ(cache.Count(), 1);
  EXPECT_EQ(cache.Find("a"), nullptr);
  cache.Clear();
  EXPECT_EQ(cache.Count(), 0);
  EXPECT_EQ(cache.Bytes(), 0);
  EXPECT_EQ(cache.Find("big"), nullptr);
}

}  // namespace
}  // namespace tintorb
