#include "draw/draw_rules.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A display that takes only the depths listed in the context.
long TakesOnly(int depth, void* context) {
  auto* log = static_cast<std::vector<int>*>(context);
  log->push_back(depth);
  return depth == 16 || depth == 32 ? 0 : -1;
}

TEST(DisplayDepth, FallbacksInOrder) {
  std::vector<int> tried;
  int depth = 16;
  EXPECT_EQ(mu::SetDepthWithFallbacks(depth, 24, 32, TakesOnly, &tried), 0);
  EXPECT_EQ(tried, (std::vector<int>{16}));

  tried.clear();
  depth = 24;  // both fallbacks 0: the failure stands at once
  EXPECT_LT(mu::SetDepthWithFallbacks(depth, 0, 0, TakesOnly, &tried), 0);
  EXPECT_EQ(tried, (std::vector<int>{24}));
  EXPECT_EQ(depth, 24);

  tried.clear();
  depth = 24;
  EXPECT_EQ(mu::SetDepthWithFallbacks(depth, 15, 32, TakesOnly, &tried), 0);
  EXPECT_EQ(tried, (std::vector<int>{24, 15, 32}));
  EXPECT_EQ(depth, 32);  // the fallback that worked

  tried.clear();
  depth = 24;  // a zero first fallback ends the tries: the second is not used
  EXPECT_LT(mu::SetDepthWithFallbacks(depth, 0, 16, TakesOnly, &tried), 0);
  EXPECT_EQ(tried, (std::vector<int>{24}));

  tried.clear();
  depth = 8;
  EXPECT_LT(mu::SetDepthWithFallbacks(depth, 12, 0, TakesOnly, &tried), 0);
  EXPECT_EQ(tried, (std::vector<int>{8, 12}));
  EXPECT_EQ(depth, 12);
}

TEST(Wipe, ForwardLaysFramesZeroToNineThenStops) {
  int step = 1, direction = 1;
  for (int f = 0; f < 10; ++f) EXPECT_EQ(mu::AdvanceWipe(step, direction), f);
  EXPECT_EQ(step, 0);
  EXPECT_EQ(direction, 0);
  EXPECT_EQ(mu::AdvanceWipe(step, direction), -1);
}

TEST(Wipe, BackwardLaysFramesNineToZero) {
  int step = 10, direction = -1;
  for (int f = 9; f >= 0; --f) EXPECT_EQ(mu::AdvanceWipe(step, direction), f);
  EXPECT_EQ(step, 0);
  EXPECT_EQ(direction, 0);
}

TEST(PageView, TilesDriftAndWrap) {
  float x = 0, y = 0;
  mu::DriftPageTiles(x, y, 1.0f);
  EXPECT_FLOAT_EQ(x, -10.0f);
  EXPECT_FLOAT_EQ(y, -10.0f);
  x = -60, y = -45;
  mu::DriftPageTiles(x, y, 0.5f);  // -65 wraps to -1, -50 to -2
  EXPECT_FLOAT_EQ(x, -1.0f);
  EXPECT_FLOAT_EQ(y, -2.0f);
}

TEST(PageView, KeysScrollAndClamp) {
  // One second held: down 100, right 300; up and left back.
  EXPECT_FLOAT_EQ(mu::ScrollPage(0, mu::kKeyDown, 1.0f, 2000, 480), 100.0f);
  EXPECT_FLOAT_EQ(mu::ScrollPage(0, mu::kKeyRight, 1.0f, 2000, 480), 300.0f);
  EXPECT_FLOAT_EQ(mu::ScrollPage(400, mu::kKeyLeft, 1.0f, 2000, 480), 100.0f);
  EXPECT_FLOAT_EQ(mu::ScrollPage(50, mu::kKeyUp, 1.0f, 2000, 480), 0.0f);
  EXPECT_FLOAT_EQ(mu::ScrollPage(1500, mu::kKeyRight, 1.0f, 2000, 480), 1520.0f);
  EXPECT_FLOAT_EQ(mu::ScrollPage(10, 0, 1.0f, 2000, 480), 10.0f);
  // A page shorter than the clip rectangle ends up negative (the 0 clamp is first).
  EXPECT_FLOAT_EQ(mu::ScrollPage(0, mu::kKeyDown, 1.0f, 300, 480), -180.0f);
}

}  // namespace
