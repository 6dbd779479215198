// The effects on an area of the back screen (softening, smoke, zoom, round
// mosaic, grain) as native kernels: their edge cases, and areas and arguments
// that would reach outside the pictures. (Their fast paths and 32-bit forms
// are checked by the effect kernel table: area_effect_cases.cpp.)
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdlib>
#include <random>

#include "draw/effects/grain.h"
#include "draw/effects/channels.h"
#include "draw/effects/mosaic.h"
#include "draw/effects/smoke.h"
#include "draw/effects/soften.h"
#include "draw/effects/zoom.h"
#include "draw/pixels/clip.h"
#include "effect_cases.h"
#include "pixel_pictures.h"

namespace {

using pictures::Picture;

const std::uint8_t* TestNoise() {
  static const std::array<std::uint8_t, muDraw::kNoiseEntries> table = [] {
    std::array<std::uint8_t, muDraw::kNoiseEntries> t{};
    std::mt19937 rng(5);
    for (auto& n : t) n = static_cast<std::uint8_t>(rng() % 3);
    return t;
  }();
  return table.data();
}
const std::uint8_t* ZeroNoise() {
  static const std::array<std::uint8_t, muDraw::kNoiseEntries> table{};
  return table.data();
}

TEST(AreaEffects, SofteningAUniformAreaKeepsItAndFadingLowersOneLevel) {
  struct Case {
    mu::PixelFormat f;
    std::uint32_t colour, soft, faded;   // faded: the first inner pixel, red and blue flagged
  };
  const Case cases[] = {
      // 5-6-5: green's lowest bit is lost; 5-5-5 keeps the colour exactly.
      {mu::Format565(), 0x8C51, 0x8C51 & ~0x20u, (16u << 11) | (17u << 6) | 16u},
      {mu::Format555(), 0x4631, 0x4631, (16u << 10) | (17u << 5) | 16u},
      {mu::Format888(), 0x808890, 0x808890, 0x788888},   // one level is 8 steps
  };
  for (const Case& c : cases) {
    Picture p(9, 7, c.f.bytesPerPixel);
    p.Fill(c.colour);
    mu::SoftenArea(p.View(), c.f, 0);
    EXPECT_EQ(p.FirstDifference([&](int x, int y) { return x > 0 && x < 8 && y > 0 && y < 6 ? c.soft : c.colour; }),
              "") << c.f.bytesPerPixel << " bytes";
    p.Fill(c.colour);
    mu::SoftenArea(p.View(), c.f, 5);
    EXPECT_EQ(p.Get(1, 1), c.faded) << c.f.bytesPerPixel << " bytes";
    EXPECT_EQ(p.Get(0, 1), c.colour);
  }
}

TEST(AreaEffects, SmokeMakesABrightRowClimbOneRowPerCall) {
  const mu::PixelFormat f = mu::Format565();
  for (const std::uint8_t* noise : {ZeroNoise(), TestNoise()}) {
    // The area is rows 0..9 with a white last row; row 10 below it is black.
    Picture p(12, 11, 2);
    p.Fill(0);
    for (int x = 0; x < 12; ++x) p.Set(x, 9, f.white);
    mu::SmokeNoise state = {};
    for (int call = 1; call <= 8; ++call) {
      mu::SmokeRise(p.View().Sub(0, 1, 12, 10, 2), f, 0, state, noise);
      // Copies are white; a smoothed pixel also takes from its black
      // neighbours, and one row above the front from the white row below.
      for (int y = 0; y < 10; ++y)
        for (int x = 1; x < 11; ++x) {
          const bool lit = y >= 9 - call, still = noise == ZeroNoise();
          const std::uint32_t v = p.Get(x, y);
          if (lit || still || y < 9 - call - 2) {
            ASSERT_TRUE(lit ? (still ? v == f.white : v != 0) : v == 0) << "call " << call << " at " << x << ", " << y;
          }
        }
    }
  }
}

TEST(AreaEffects, ThinAreasLeaveSofteningAndSmokeNothingToDo) {
  const mu::PixelFormat f = mu::Format555();
  for (auto [w, h] : {std::pair{1, 6}, {2, 6}, {6, 1}, {6, 2}}) {
    for (bool smoke : {false, true}) {
      Picture p(w, h, 2), before(w, h, 2);
      p.FillRandom(f, 3, 0);
      before = p;
      mu::SmokeNoise state = {};
      if (smoke) {
        mu::SmokeRise(p.View(), f, 7, state, TestNoise());
      } else {
        mu::SoftenArea(p.View(), f, 7);
      }
      EXPECT_EQ(p.FirstDifference(before), "") << w << " x " << h << (smoke ? " smoke" : "");
      EXPECT_EQ(state.reader.position, 0);
      EXPECT_TRUE(p.GuardsIntact());
    }
  }
}

TEST(AreaEffects, ZoomMakesBlocksOfEachPixel) {
  // A 2 x 2 area into a buffer that held 9s: full blocks, or only their corners.
  struct Case {
    int factor;
    bool sparse;
    int block;
  };
  for (const Case& c : {Case{2, false, 2}, Case{2, true, 1}, Case{4, false, 4}, Case{4, true, 2}}) {
    for (int bytes : {2, 4}) {
      Picture from(2, 2, bytes), to(8, 8, bytes);
      const std::uint32_t v[2][2] = {{1, 2}, {3, 4}};
      for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) from.Set(x, y, v[y][x]);
      to.Fill(9);
      mu::Enlarge(to.View(), mu::AsConst(from.View()), bytes, c.factor, c.sparse);
      EXPECT_EQ(to.FirstDifference([&](int x, int y) {
                  const int bx = x / c.factor, by = y / c.factor;
                  return bx < 2 && by < 2 && x % c.factor < c.block && y % c.factor < c.block ? v[by][bx] : 9u;
                }), "") << "factor " << c.factor << (c.sparse ? " sparse" : "");
    }
  }
}

TEST(AreaEffects, DiscMosaicPaintsTheDiscWithEachCellsCorner) {
  Picture p(11, 11, 2);
  p.FillNumbered();
  const Picture before = p;
  // Cell size 1 (and 0, and below) changes nothing.
  for (int cell : {1, 0, -4}) {
    mu::PaintDiscMosaic(p.View(), 2, 5, 5, 4, cell);
    EXPECT_EQ(p.FirstDifference(before), "") << "cell " << cell;
  }
  // Radius 2, cells of 2 from offset -2: the disc is the 3 x 3 block around
  // the centre (offsets with dx^2 + dy^2 < 4), each pixel from its cell's corner.
  mu::PaintDiscMosaic(p.View(), 2, 5, 5, 2, 2);
  EXPECT_EQ(p.FirstDifference([&](int x, int y) {
              const int dx = x - 5, dy = y - 5;
              const int cx = 5 + (dx + 2) / 2 * 2 - 2, cy = 5 + (dy + 2) / 2 * 2 - 2;
              return dx * dx + dy * dy < 4 ? before.Get(cx, cy) : before.Get(x, y);
            }), "");
}

TEST(AreaEffects, GrainAddsTheNoiseShiftedToTheFlaggedChannels) {
  const mu::PixelFormat f = mu::Format565();
  struct Case {
    int shift;
    unsigned channels;
    int used;   // the shift the rule takes
  };
  // Shift 0 raises each channel by the noise value 0, 1 or 2; out-of-range
  // shifts are held to 0..5.
  for (const Case& c : {Case{0, 7, 0}, Case{1, 2, 1}, Case{-3, 5, 0}, Case{40, 7, 5}}) {
    Picture p(13, 3, 2), before(13, 3, 2);
    p.FillRandom(f, 8, 0);
    before = p;
    mu::NoiseReader reader = {muDraw::kNoiseEntries - 5};
    mu::NoiseReader expected = reader;
    std::srand(4);
    mu::AddGrain(p.View(), f, c.shift, c.channels, reader, TestNoise());
    std::srand(4);
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 13; ++x) {
        const std::uint32_t g = static_cast<std::uint32_t>(expected.Read(TestNoise())) << c.used;
        for (int ch = 0; ch < 3; ++ch) {
          std::uint32_t was = before.Get(x, y) >> f.channel[ch].top5 & 31;
          std::uint32_t now = p.Get(x, y) >> f.channel[ch].top5 & 31;
          EXPECT_EQ(now, (c.channels >> ch & 1) ? std::min(was + g, 31u) : was)
              << "shift " << c.shift << " at " << x << ", " << y << " channel " << ch;
        }
      }
    }
    EXPECT_EQ(reader.position, expected.position);
  }
}

// Areas and arguments beyond the pictures.
TEST(AreaEffects, AreasAreCutToTheScreenAndZoomsToWhatFits) {
  // Factor 1: an area cut to the 640 x 480 screen alone; 2 and 4: cut so that
  // the enlarged copy fits the screen and a buffer of the given size.
  struct Case {
    long long x, y;
    unsigned w, h;
    int factor, bufferWidth, bufferHeight;
    const char* want;   // x y width height
  };
  const Case cases[] = {
      {10, 20, 30, 40, 1, 640, 480, "10 20 30 40"},
      {630, 470, 30, 40, 1, 640, 480, "630 470 10 10"},
      {-5, -7, 30, 40, 1, 640, 480, "0 0 25 33"},
      {-5, 0, 0xFFFFFFFFu, 0xFFFFFFFFu, 1, 640, 480, "0 0 640 480"},
      {0, 0, 0, 40, 1, 640, 480, "nothing"},
      {640, 0, 10, 10, 1, 640, 480, "nothing"},
      {-10, 0, 10, 10, 1, 640, 480, "nothing"},
      {INT_MIN, INT_MAX, 0xFFFFFFFFu, 1, 1, 640, 480, "nothing"},
      {0, 0, 2, 2, 2, 640, 480, "0 0 2 2"},
      {600, 300, 100, 100, 2, 640, 480, "600 300 20 90"},   // the screen's edge
      {0, 0, 640, 480, 4, 640, 480, "0 0 160 120"},
      {0, 0, 640, 480, 2, 100, 60, "0 0 50 30"},            // a small buffer
      {-30, -30, 40, 40, 2, 640, 480, "0 0 10 10"},
      {639, 0, 5, 5, 2, 640, 480, "nothing"},                   // no room for a block
      {0, 0, 5, 5, 4, 3, 3, "nothing"},
  };
  for (const Case& c : cases) {
    mu::Area a = {};
    const bool any = mu::FitZoom(c.x, c.y, c.w, c.h, c.factor, 640, 480, c.bufferWidth,
                                 c.bufferHeight, a);
    EXPECT_EQ(pictures::Ints(a, any), c.want) << c.x << ", " << c.y << " factor " << c.factor;
    if (c.factor == 1) {
      mu::Area b = {};
      EXPECT_EQ(pictures::Ints(b, mu::FitArea(c.x, c.y, c.w, c.h, 640, 480, b)), c.want);
    }
  }
}

TEST(AreaEffects, DiscMosaicStaysOnTheScreenForAnyCentreRadiusAndCell) {
  const mu::PixelFormat f = mu::Format888();
  struct Case {
    int cx, cy, radius, cell;
  };
  const Case cases[] = {{INT_MIN, INT_MIN, INT_MAX, 3}, {INT_MAX, 5, INT_MAX, 2},
                        {8, 8, INT_MAX, INT_MAX},       {8, 8, INT_MIN, 2},
                        {-3, 30, 20, 5},                 {20, 20, -1, 2},
                        {-100000, 5, 100010, 6}};
  for (const Case& c : cases) {
    Picture ref(23, 19, 4, 2, 1), fast(23, 19, 4, 2, 1);
    ref.FillRandom(f, 6, 0);
    fast = ref;
    effectcases::OnBothPaths([&] {
      mu::PaintDiscMosaic((mu::FastPath() ? fast : ref).View(), 4, c.cx, c.cy, c.radius, c.cell);
    });
    EXPECT_EQ(fast.FirstDifference(ref), "") << c.cx << ", " << c.cy << " r " << c.radius;
    EXPECT_TRUE(fast.GuardsIntact());
    EXPECT_TRUE(ref.GuardsIntact());
  }
}

TEST(AreaEffects, RowsWiderThanTheFastBuffersTakeTheReference) {
  const mu::PixelFormat f = mu::Format565();
  // Wider than the fast paths' row buffers (2048 pixels).
  Picture ref(2100, 4, 2), fast(2100, 4, 2);
  ref.FillRandom(f, 9, 0.1);
  fast = ref;
  effectcases::OnBothPaths([&] {
    Picture& p = mu::FastPath() ? fast : ref;
    mu::SmokeNoise smoke = {};
    mu::NoiseReader grain = {};
    mu::SoftenArea(p.View(), f, 1);
    mu::SmokeRise(p.View(), f, 0, smoke, TestNoise());
    mu::AddGrain(p.View(), f, 1, 7, grain, TestNoise());
  });
  EXPECT_EQ(fast.FirstDifference(ref), "");
  EXPECT_TRUE(fast.GuardsIntact());
}

}  // namespace
