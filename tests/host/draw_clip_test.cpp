// The three clipping rules and the memory-safety cut of the pixel layer, and
// the pixel formats built from channel masks.
#include "draw/pixels/clip.h"

#include <gtest/gtest.h>

#include <climits>

#include "draw/pixels/pixel_view.h"
#include "pixel_pictures.h"

namespace {

using pictures::Ints;

const mu::ClipBounds kScreen = {0, 0, 640, 480};

TEST(BlitClipping, CutsTheSourceRectangleToTheClipRectangle) {
  const struct {
    mu::BlitArea in;
    mu::ClipBounds clip;
    const char* out;   // x y left top right bottom
  } cases[] = {
      {{600, 10, 0, 0, 64, 48}, kScreen, "600 10 0 0 40 48"},   // source columns 0..39 at x 600..639
      {{-10, -5, 0, 0, 64, 48}, kScreen, "0 0 10 5 64 48"},
      {{90, 140, 16, 8, 48, 40}, {100, 50, 200, 150}, "100 140 26 8 48 18"},   // an inner clip rectangle
      {{640, 0, 0, 0, 64, 48}, kScreen, "640 0 0 0 0 48"},       // touching the edge: empty, still handed on
      {{700, 0, 0, 0, 64, 48}, kScreen, "nothing"},
      {{0, 500, 0, 0, 64, 48}, kScreen, "nothing"},
      {{-100, 0, 0, 0, 64, 48}, kScreen, "nothing"},
      {{INT_MAX, INT_MIN, 0, 0, 64, 48}, kScreen, "nothing"},
      {{INT_MIN, 0, INT_MIN, 0, INT_MAX, 48}, kScreen, "0 0 0 0 640 48"},   // wider than any int, no overflow
  };
  for (const auto& c : cases) {
    mu::BlitArea b = c.in;
    const bool placed = mu::ClipBlit(b, c.clip);
    EXPECT_EQ(Ints(b, placed), c.out) << Ints(c.in);
  }
}

TEST(EffectClipping, CutsWidthAndHeightAndMovesTheSourceStart) {
  const struct {
    int x, y, left, top, right, bottom;
    const char* out;   // x y left top width height
  } cases[] = {
      {-10, 470, 8, 4, 72, 52, "0 470 18 4 54 10"},   // 10 columns cut on the left, 38 rows at the bottom
      {640, 0, 0, 0, 64, 48, "640 0 0 0 0 48"},       // touching the right edge: width 0, still passed on
      {-100, 0, 0, 0, 64, 48, "nothing"},             // wholly left: nothing, before any lock
      {INT_MIN, INT_MAX, 0, 0, INT_MAX, 48, "nothing"},
  };
  for (const auto& c : cases) {
    mu::EffectArea a = {};
    EXPECT_EQ(Ints(a, mu::ClipEffect(c.x, c.y, c.left, c.top, c.right, c.bottom, kScreen, a)), c.out) << c.x;
  }
  // A clip rectangle larger than the screen and a source rectangle larger than
  // its 32 x 32 sprite: both cut to the memory that exists; inside both, unchanged.
  mu::EffectArea a;
  ASSERT_TRUE(mu::ClipEffect(620, -5, -3, 0, 61, 64, mu::ClipBounds{-50, -50, 1000, 1000}, a));
  EXPECT_EQ(Ints(a, mu::FitSurfaces(a, 32, 32, 640, 480)), "623 0 0 5 17 27");
  a = {10, 20, 1, 2, 30, 30};
  EXPECT_EQ(Ints(a, mu::FitSurfaces(a, 32, 32, 640, 480)), "10 20 1 2 30 30");
  a = {0, 0, 40, 0, 8, 8};
  EXPECT_EQ(Ints(a, mu::FitSurfaces(a, 32, 32, 640, 480)), "nothing");
}

TEST(WriteClipping, LimitsColumnsAndRowsToClipAndSurface) {
  mu::WriteLimits w;   // first column, end column, first row, end row
  EXPECT_EQ(Ints(w, mu::ClipWrites(-10, 100, 90, 200, {0, 120, 640, 480}, 640, 480, w)), "10 100 20 100");
  // A clip rectangle beyond the screen is held to the screen.
  EXPECT_EQ(Ints(w, mu::ClipWrites(600, 0, 700, 10, {0, 0, 2000, 2000}, 640, 480, w)), "0 40 0 10");
  EXPECT_EQ(Ints(w, mu::ClipWrites(0, 0, 100, 100, {100, 0, 640, 480}, 640, 480, w)), "nothing");
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
