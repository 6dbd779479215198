#include "draw/draw_rules.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

const mu::ClipBounds kScreen = {0, 0, 640, 480};

TEST(BlitClipping, RightAndLeftOverhang) {
  mu::BlitArea b = {600, 10, 0, 0, 64, 48};
  ASSERT_TRUE(mu::ClipBlit(b, kScreen));
  EXPECT_EQ(b.x, 600);
  EXPECT_EQ(b.left, 0);
  EXPECT_EQ(b.right, 40);  // source columns 0..39 at x 600..639
  EXPECT_EQ(b.bottom, 48);

  b = {-10, -5, 0, 0, 64, 48};
  ASSERT_TRUE(mu::ClipBlit(b, kScreen));
  EXPECT_EQ(b.x, 0);
  EXPECT_EQ(b.y, 0);
  EXPECT_EQ(b.left, 10);
  EXPECT_EQ(b.top, 5);
  EXPECT_EQ(b.right, 64);
  EXPECT_EQ(b.bottom, 48);
}

TEST(BlitClipping, OutsideDrawsNothingButExactlyEmptyPasses) {
  mu::BlitArea b = {700, 0, 0, 0, 64, 48};
  EXPECT_FALSE(mu::ClipBlit(b, kScreen));
  b = {0, 500, 0, 0, 64, 48};
  EXPECT_FALSE(mu::ClipBlit(b, kScreen));
  b = {-100, 0, 0, 0, 64, 48};
  EXPECT_FALSE(mu::ClipBlit(b, kScreen));
  // Touching the right edge leaves right = left: still handed on.
  b = {640, 0, 0, 0, 64, 48};
  ASSERT_TRUE(mu::ClipBlit(b, kScreen));
  EXPECT_EQ(b.right, b.left);
}

TEST(BlitClipping, InnerClipRectangleAndSourceOffset) {
  mu::ClipBounds clip = {100, 50, 200, 150};
  mu::BlitArea b = {90, 140, 16, 8, 48, 40};  // 32 x 32 from (16, 8)
  ASSERT_TRUE(mu::ClipBlit(b, clip));
  EXPECT_EQ(b.x, 100);
  EXPECT_EQ(b.y, 140);
  EXPECT_EQ(b.left, 26);
  EXPECT_EQ(b.right, 48);
  EXPECT_EQ(b.top, 8);
  EXPECT_EQ(b.bottom, 18);  // 10 rows left above clip bottom 150
}

TEST(BlitClipping, FarPositionsDoNotOverflow) {
  mu::BlitArea b = {INT_MAX, INT_MIN, 0, 0, 64, 48};
  EXPECT_FALSE(mu::ClipBlit(b, kScreen));
  // A source rectangle wider than any int: cut to the screen without overflow.
  b = {INT_MIN, 0, INT_MIN, 0, INT_MAX, 48};
  ASSERT_TRUE(mu::ClipBlit(b, kScreen));
  EXPECT_EQ(b.x, 0);
  EXPECT_EQ(b.left, 0);
  EXPECT_EQ(b.right, 640);
}

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
