// The pick on a frozen frame without a window: averaging on the frame, the
// cross keys, and telling a Wayland session.
#include <gtest/gtest.h>

#include <vector>

#include "app/ScreenPick.h"

namespace tintorb {
namespace {

// w x h frame, left `split` columns red, the rest blue, with a row stride
// wider than the picture as images have.
struct SplitFrame {
  int w, h, split, stride;
  std::vector<uint32_t> bits;
  SplitFrame(int w_, int h_, int split_) : w(w_), h(h_), split(split_), stride(w_ + 3) {
    bits.assign(static_cast<size_t>(stride) * h, 0xFF00FF00u);  // padding is green
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) bits[y * stride + x] = x < split ? 0xFFFF0000u : 0xFF0000FFu;
  }
  TFrameView View() const { return {bits.data(), w, h, stride}; }
};

TEST(FrozenPick, AverageOverTheSquareTruncatesAndStaysOnTheFrame) {
  const SplitFrame f(40, 30, 20);
  const struct {
    int x, y, r;
    TColor want;
  } cases[] = {
      {20, 10, 0, RGB(0, 0, 255)},    // the first blue column
      {19, 10, 0, RGB(255, 0, 0)},    // the last red one
      {20, 10, 5, RGB(115, 0, 139)},  // 5 red and 6 blue columns: 1275/11, 1530/11
      {19, 10, 5, RGB(139, 0, 115)},
      {20, 10, 1, RGB(85, 0, 170)},  // 1 of 3 columns red
      // At the left edge only the 3 x 3 inside counts: all red, not darkened.
      {0, 0, 2, RGB(255, 0, 0)},
      // At the right edge the padding beyond the width is never read.
      {39, 29, 5, RGB(0, 0, 255)},
      {-20, 10, 1, 0},  // nothing of the square on the frame
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " r" << c.r);
    EXPECT_EQ(FrameAverage(f.View(), c.x, c.y, c.r), c.want);
  }
  EXPECT_EQ(FrameAverage(TFrameView{}, 0, 0, 0), 0);
}

TEST(FrozenPick, KeysMoveTheCrossAndItStaysOnTheFrame) {
  const struct {
    TCrossPos from;
    TCrossKey key;
    TCrossPos want;
  } cases[] = {
      {{50, 50}, TCrossKey::Left, {49, 50}},   {{50, 50}, TCrossKey::Right, {51, 50}},
      {{50, 50}, TCrossKey::Up, {50, 49}},     {{50, 50}, TCrossKey::Down, {50, 51}},
      {{50, 50}, TCrossKey::PageUp, {50, 40}}, {{50, 50}, TCrossKey::PageDown, {50, 60}},
      {{50, 50}, TCrossKey::Home, {40, 50}},   {{50, 50}, TCrossKey::End, {60, 50}},
      {{0, 0}, TCrossKey::Left, {0, 0}},       {{5, 5}, TCrossKey::Home, {0, 5}},
      {{95, 75}, TCrossKey::End, {99, 75}},    {{95, 75}, TCrossKey::PageDown, {95, 79}},
      {{99, 79}, TCrossKey::Right, {99, 79}},
  };
  for (const auto& c : cases) EXPECT_EQ(MoveCross(c.from, c.key, 100, 80), c.want);
}

TEST(FrozenPick, WhichSessionsCannotReadTheScreen) {
  EXPECT_TRUE(IsWaylandSession("wayland", nullptr, nullptr));
  EXPECT_TRUE(IsWaylandSession("wayland-egl", nullptr, nullptr));
  EXPECT_TRUE(IsWaylandSession("xcb", "wayland-0", nullptr));  // XWayland
  EXPECT_TRUE(IsWaylandSession("xcb", nullptr, "wayland"));
  EXPECT_FALSE(IsWaylandSession("xcb", "", "x11"));
  EXPECT_FALSE(IsWaylandSession("xcb", nullptr, nullptr));
  // Test and headless platforms read through the desktop seam as before.
  EXPECT_FALSE(IsWaylandSession("offscreen", "wayland-0", "wayland"));
}

}  // namespace
}  // namespace tintorb
