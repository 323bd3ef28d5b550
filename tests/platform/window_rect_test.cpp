#include <gtest/gtest.h>

#include <climits>

#include "platform/WindowRect.h"

namespace tintorb {
namespace {

using R = TWindowRect;

TEST(FitWindowRect, ShrinksAndMovesIntoTheScreenItOverlapsMost) {
  const std::vector<R> one = {{0, 30, 1280, 770}};  // a panel above
  const std::vector<R> two = {{0, 0, 1280, 800}, {1280, -200, 1920, 1080}};
  struct Case {
    R in;
    const std::vector<R>& areas;
    R out;
  };
  const Case cases[] = {
      {{10, 40, 400, 300}, one, {10, 40, 400, 300}},            // already inside
      {{64, 64, 100000, 100000}, one, {0, 30, 1280, 770}},      // damaged size
      {{1200, 100, 400, 300}, one, {880, 100, 400, 300}},       // hangs off the right
      {{-90000, 5, 400, 300}, one, {0, 30, 400, 300}},          // far left, above the panel
      {{5000, 5000, 300, 200}, two, {980, 600, 300, 200}},      // on no screen: the first
      {{1500, 200, 800, 600}, two, {1500, 200, 800, 600}},      // inside the second
      {{1200, 100, 600, 400}, two, {1280, 100, 600, 400}},      // mostly on the second
      {{1000, -500, 3000, 400}, two, {1280, -200, 1920, 400}},  // wider than the second
      {{20, 20, 0, -5}, one, {20, 30, 1, 1}},                   // no size at all
      {{INT_MAX - 10, INT_MIN, INT_MAX, INT_MAX}, one, {0, 30, 1280, 770}},
  };
  for (const Case& c : cases) {
    const R got = FitWindowRect(c.in, c.areas);
    EXPECT_EQ(got, c.out) << c.in.left << "," << c.in.top << " " << c.in.width << "x" << c.in.height
                          << " -> " << got.left << "," << got.top << " " << got.width << "x"
                          << got.height;
  }
  EXPECT_EQ(FitWindowRect({5, 6, 70000, 8}, {}), (R{5, 6, 70000, 8}));  // no screens known
}

}  // namespace
}  // namespace tintorb
