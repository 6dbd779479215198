// The three clipping rules and the memory-safety cut of the pixel layer, and
// the pixel formats built from channel masks.
#include "draw/pixels/clip.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "draw/pixels/pixel_view.h"

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

TEST(EffectClipping, CutsWidthAndHeightAndMovesTheSourceStart) {
  mu::EffectArea a;
  // 64 x 48 from (8, 4) at (-10, 470): 10 columns cut on the left, 38 rows at the bottom.
  ASSERT_TRUE(mu::ClipEffect(-10, 470, 8, 4, 72, 52, kScreen, a));
  EXPECT_EQ(a.x, 0);
  EXPECT_EQ(a.y, 470);
  EXPECT_EQ(a.left, 18);
  EXPECT_EQ(a.top, 4);
  EXPECT_EQ(a.width, 54);
  EXPECT_EQ(a.height, 10);
  // Wholly left of the clip rectangle: nothing, before any lock.
  EXPECT_FALSE(mu::ClipEffect(-100, 0, 0, 0, 64, 48, kScreen, a));
  // Touching the right edge leaves width 0, which is still passed on.
  ASSERT_TRUE(mu::ClipEffect(640, 0, 0, 0, 64, 48, kScreen, a));
  EXPECT_EQ(a.width, 0);
  EXPECT_FALSE(mu::ClipEffect(INT_MIN, INT_MAX, 0, 0, INT_MAX, 48, kScreen, a));
}

TEST(EffectClipping, FitSurfacesKeepsLockedMemoryInside) {
  // A clip rectangle larger than the screen and a source rectangle larger
  // than its 32 x 32 sprite: both cut to the memory that exists.
  mu::EffectArea a;
  ASSERT_TRUE(mu::ClipEffect(620, -5, -3, 0, 61, 64, mu::ClipBounds{-50, -50, 1000, 1000}, a));
  ASSERT_TRUE(mu::FitSurfaces(a, 32, 32, 640, 480));
  EXPECT_EQ(a.x, 623);
  EXPECT_EQ(a.y, 0);
  EXPECT_EQ(a.left, 0);
  EXPECT_EQ(a.top, 5);
  EXPECT_EQ(a.width, 17);
  EXPECT_EQ(a.height, 27);
  // Inside both: unchanged.
  mu::EffectArea inside = {10, 20, 1, 2, 30, 30}, copy = inside;
  ASSERT_TRUE(mu::FitSurfaces(inside, 32, 32, 640, 480));
  EXPECT_EQ(std::memcmp(&inside, &copy, sizeof inside), 0);
  mu::EffectArea beyond = {0, 0, 40, 0, 8, 8};
  EXPECT_FALSE(mu::FitSurfaces(beyond, 32, 32, 640, 480));
}

TEST(WriteClipping, LimitsColumnsAndRowsToClipAndSurface) {
  mu::WriteLimits w;
  ASSERT_TRUE(mu::ClipWrites(-10, 100, 90, 200, mu::ClipBounds{0, 120, 640, 480}, 640, 480, w));
  EXPECT_EQ(w.firstColumn, 10);
  EXPECT_EQ(w.endColumn, 100);
  EXPECT_EQ(w.firstRow, 20);
  EXPECT_EQ(w.endRow, 100);
  // A clip rectangle beyond the screen is held to the screen.
  ASSERT_TRUE(mu::ClipWrites(600, 0, 700, 10, mu::ClipBounds{0, 0, 2000, 2000}, 640, 480, w));
  EXPECT_EQ(w.endColumn, 40);
  EXPECT_FALSE(mu::ClipWrites(0, 0, 100, 100, mu::ClipBounds{100, 0, 640, 480}, 640, 480, w));
}

TEST(PixelFormats, ChannelsHalfMaskAndWhite) {
  struct Case {
    mu::PixelFormat f;
    int bytes;
    unsigned shift[3], top5[3], max[3], half, white;
  } cases[] = {
      {mu::Format565(), 2, {11, 5, 0}, {11, 6, 0}, {31, 63, 31}, 0x7BEF, 0xFFFF},
      {mu::Format555(), 2, {10, 5, 0}, {10, 5, 0}, {31, 31, 31}, 0x3DEF, 0x7FFF},
      {mu::Format888(), 4, {16, 8, 0}, {16, 8, 0}, {255, 255, 255}, 0x7F7F7F, 0xFFFFFF},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.f.bytesPerPixel, c.bytes);
    for (int ch = 0; ch < 3; ++ch) {
      EXPECT_EQ(c.f.channel[ch].shift, c.shift[ch]);
      EXPECT_EQ(c.f.channel[ch].top5, c.top5[ch]);
      EXPECT_EQ(c.f.channel[ch].max, c.max[ch]);
    }
    EXPECT_EQ(c.f.halfMask, c.half);
    EXPECT_EQ(c.f.white, c.white);
    EXPECT_EQ(c.f.Get(c.f.white, mu::kGreen), c.max[1]);
  }
}

}  // namespace
