// The effects on an area of the back screen (softening, smoke, zoom, round
// mosaic, grain) as native kernels: their edge cases, the fast paths against
// the reference loops on awkward pictures, the 32-bit forms against the 16-bit
// ones, and areas and arguments that would reach outside the pictures.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "draw/effects/grain.h"
#include "draw/effects/levels.h"
#include "draw/effects/mosaic.h"
#include "draw/effects/quads_sse2.h"
#include "draw/effects/smoke.h"
#include "draw/effects/soften.h"
#include "draw/effects/zoom.h"
#include "draw/pixels/clip.h"
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

enum class Path { kReference, kFast };

// What one operation works on: a screen, a work buffer twice its size (the
// zoom's), and the noise state, starting close to the table's end so that a
// run crosses the restart.
struct Scene {
  Scene(int width, int height, const mu::PixelFormat& f, int pad, int offset)
      : format(f), screen(width, height, f.bytesPerPixel, pad, offset),
        buffer(4 * width, 4 * height, f.bytesPerPixel, pad, offset) {}
  mu::PixelFormat format;
  Picture screen, buffer;
  mu::SmokeNoise smoke = {{muDraw::kNoiseEntries - 7}, 0};
  mu::NoiseReader grain = {muDraw::kNoiseEntries - 40};
};

struct Operation {
  const char* name;
  std::function<void(Scene&, Path)> run;
};

// The area (1, 2) to 2 pixels short of the right and bottom edges.
mu::PixelView AreaOf(Scene& s) {
  const int b = s.format.bytesPerPixel;
  return s.screen.View().Sub(1, 2, s.screen.Width() - 3, s.screen.Height() - 4, b);
}

void Soften(Scene& s, Path p, unsigned fade) {
  (p == Path::kFast ? mu::SoftenArea : mu::SoftenAreaReference)(AreaOf(s), s.format, fade);
}
void Smoke(Scene& s, Path p, unsigned fade, int calls) {
  for (int i = 0; i < calls; ++i) {
    (p == Path::kFast ? mu::SmokeRise : mu::SmokeRiseReference)(AreaOf(s), s.format, fade,
                                                                s.smoke, TestNoise());
  }
}
void Zoom(Scene& s, Path p, int factor, bool sparse) {
  const int b = s.format.bytesPerPixel;
  mu::ConstPixelView from = mu::AsConst(s.screen.View().Sub(1, 1, s.screen.Width() - 2,
                                                            s.screen.Height() - 1, b));
  (p == Path::kFast ? mu::Enlarge : mu::EnlargeReference)(s.buffer.View(), from, b, factor,
                                                          sparse);
}
void Mosaic(Scene& s, Path p, int cx, int cy, int radius, int cell) {
  (p == Path::kFast ? mu::PaintDiscMosaic : mu::PaintDiscMosaicReference)(
      s.screen.View(), s.format.bytesPerPixel, cx, cy, radius, cell);
}
void Grain(Scene& s, Path p, int shift, unsigned channels) {
  (p == Path::kFast ? mu::AddGrain : mu::AddGrainReference)(AreaOf(s), s.format, shift, channels,
                                                            s.grain, TestNoise());
}

const std::vector<Operation>& Operations() {
  static const std::vector<Operation> ops = {
      {"Soften", [](Scene& s, Path p) { Soften(s, p, 0); }},
      {"SoftenFade red blue", [](Scene& s, Path p) { Soften(s, p, 5); }},
      {"SoftenFade all", [](Scene& s, Path p) { Soften(s, p, mu::kAllChannels); }},
      {"Smoke x3", [](Scene& s, Path p) { Smoke(s, p, 0, 3); }},
      {"SmokeFade green x3", [](Scene& s, Path p) { Smoke(s, p, 2, 3); }},
      {"Zoom2", [](Scene& s, Path p) { Zoom(s, p, 2, false); }},
      {"Zoom2 sparse", [](Scene& s, Path p) { Zoom(s, p, 2, true); }},
      {"Zoom4", [](Scene& s, Path p) { Zoom(s, p, 4, false); }},
      {"Zoom4 sparse", [](Scene& s, Path p) { Zoom(s, p, 4, true); }},
      {"DiscMosaic centre", [](Scene& s, Path p) { Mosaic(s, p, 20, 11, 9, 3); }},
      {"DiscMosaic corner", [](Scene& s, Path p) { Mosaic(s, p, 2, -3, 17, 4); }},
      {"DiscMosaic beyond", [](Scene& s, Path p) { Mosaic(s, p, 60, 30, 45, 7); }},
      {"Grain", [](Scene& s, Path p) { Grain(s, p, 0, mu::kAllChannels); }},
      {"Grain shift 2", [](Scene& s, Path p) { Grain(s, p, 2, mu::kAllChannels); }},
      {"GrainRGB green", [](Scene& s, Path p) { Grain(s, p, 1, 2); }},
      {"GrainRGB red blue", [](Scene& s, Path p) { Grain(s, p, 3, 5); }},
  };
  return ops;
}

// ---- Fast paths = reference loops ------------------------------------------

struct Shape {
  int width, height, pad, offset;
};

TEST(AreaEffects, FastPathsEqualTheReferenceBitForBit) {
  const mu::PixelFormat formats[] = {mu::Format565(), mu::Format555(), mu::Format888()};
  // Odd widths, starts off the vector alignment, pitch larger than the row.
  const Shape shapes[] = {{37, 23, 3, 1}, {64, 9, 0, 0}, {41, 17, 11, 3}, {5, 5, 1, 1}};
  std::uint32_t seed = 1;
  for (const Operation& op : Operations()) {
    for (const mu::PixelFormat& f : formats) {
      for (const Shape& sh : shapes) {
        for (double zeros : {0.0, 0.3}) {
          SCOPED_TRACE(std::string(op.name) + ", " + std::to_string(f.bytesPerPixel * 8) +
                       "-bit, width " + std::to_string(sh.width));
          Scene ref(sh.width, sh.height, f, sh.pad, sh.offset), fast = ref;
          ref.screen.FillRandom(f, seed, zeros);
          ref.buffer.FillRandom(f, seed + 1, zeros);
          fast.screen = ref.screen;
          fast.buffer = ref.buffer;
          ++seed;
          std::srand(seed);
          op.run(ref, Path::kReference);
          std::srand(seed);
          op.run(fast, Path::kFast);
          EXPECT_EQ(fast.screen.FirstDifference(ref.screen), "");
          EXPECT_EQ(fast.buffer.FirstDifference(ref.buffer), "");
          EXPECT_EQ(fast.smoke.reader.position, ref.smoke.reader.position);
          EXPECT_EQ(fast.smoke.counter, ref.smoke.counter);
          EXPECT_EQ(fast.grain.position, ref.grain.position);
          EXPECT_TRUE(fast.screen.GuardsIntact());
          EXPECT_TRUE(fast.buffer.GuardsIntact());
          EXPECT_TRUE(ref.screen.GuardsIntact());
        }
      }
    }
  }
}

// ---- 32-bit = 16-bit within one five-bit level ------------------------------

TEST(AreaEffects, ThirtyTwoBitResultsReduceToTheSixteenBitOnes) {
  const mu::PixelFormat f16 = mu::Format555(), f32 = mu::Format888();
  for (const Operation& op : Operations()) {
    for (std::uint32_t seed : {11u, 12u, 13u}) {
      SCOPED_TRACE(std::string(op.name) + ", seed " + std::to_string(seed));
      Scene s16(53, 31, f16, 2, 1), s32(53, 31, f32, 2, 1);
      s16.screen.FillRandom(f16, seed, 0.1);
      s16.buffer.FillRandom(f16, seed + 100, 0.1);
      // The same picture at 32 bits: each five-bit channel in the top of its byte.
      auto widen = [&](const Picture& from, Picture& to) {
        for (int y = 0; y < from.Height(); ++y) {
          for (int x = 0; x < from.Width(); ++x) {
            std::uint32_t p = from.Get(x, y), q = 0;
            for (int c = 0; c < 3; ++c) q |= f32.Put(f16.Get(p, c) << 3, c);
            to.Set(x, y, q);
          }
        }
      };
      widen(s16.screen, s32.screen);
      widen(s16.buffer, s32.buffer);
      std::srand(seed);
      op.run(s16, Path::kFast);
      std::srand(seed);
      op.run(s32, Path::kFast);
      auto check = [&](const Picture& a, const Picture& b) {
        int worst = 0;
        for (int y = 0; y < a.Height(); ++y) {
          for (int x = 0; x < a.Width(); ++x) {
            for (int c = 0; c < 3; ++c) {
              int v16 = static_cast<int>(f16.Get(a.Get(x, y), c));
              int v32 = static_cast<int>(f32.Get(b.Get(x, y), c) >> 3);
              worst = std::max(worst, std::abs(v16 - v32));
            }
          }
        }
        EXPECT_LE(worst, 1);
      };
      check(s16.screen, s32.screen);
      check(s16.buffer, s32.buffer);
    }
  }
}

// ---- The edge cases ----------------------------------------------------------

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
    for (int y = 0; y < 7; ++y) {
      for (int x = 0; x < 9; ++x) {
        const bool inner = x > 0 && x < 8 && y > 0 && y < 6;
        ASSERT_EQ(p.Get(x, y), inner ? c.soft : c.colour) << c.f.bytesPerPixel << " bytes at "
                                                          << x << ", " << y;
      }
    }
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
      for (int y = 0; y < 10; ++y) {
        for (int x = 1; x < 11; ++x) {
          // Copies are white; a smoothed pixel also takes from its black
          // neighbours, and one row above the front from the white row below.
          const bool lit = y >= 9 - call, clear = y < 9 - call - 2 || noise == ZeroNoise();
          if (lit) {
            ASSERT_NE(p.Get(x, y), 0u) << "call " << call << " at " << x << ", " << y;
          } else if (clear) {
            ASSERT_EQ(p.Get(x, y), 0u) << "call " << call << " at " << x << ", " << y;
          }
          if (lit && noise == ZeroNoise()) {
            ASSERT_EQ(p.Get(x, y), f.white);
          }
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
      for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
          const int bx = x / c.factor, by = y / c.factor;
          const bool written = bx < 2 && by < 2 && x % c.factor < c.block && y % c.factor < c.block;
          EXPECT_EQ(to.Get(x, y), written ? v[by][bx] : 9u)
              << "factor " << c.factor << (c.sparse ? " sparse" : "") << " at " << x << ", " << y;
        }
      }
    }
  }
}

TEST(AreaEffects, DiscMosaicPaintsTheDiscWithEachCellsCorner) {
  Picture p(11, 11, 2), before(11, 11, 2);
  for (int y = 0; y < 11; ++y)
    for (int x = 0; x < 11; ++x) p.Set(x, y, static_cast<std::uint32_t>(100 * y + x + 1));
  before = p;
  // Cell size 1 (and 0, and below) changes nothing.
  for (int cell : {1, 0, -4}) {
    mu::PaintDiscMosaic(p.View(), 2, 5, 5, 4, cell);
    EXPECT_EQ(p.FirstDifference(before), "") << "cell " << cell;
  }
  // Radius 2, cells of 2 from offset -2: the disc is the 3 x 3 block around
  // the centre (offsets with dx^2 + dy^2 < 4), each pixel from its cell's corner.
  mu::PaintDiscMosaic(p.View(), 2, 5, 5, 2, 2);
  for (int y = 0; y < 11; ++y) {
    for (int x = 0; x < 11; ++x) {
      const int dx = x - 5, dy = y - 5;
      const bool inDisc = dx * dx + dy * dy < 4;
      const int cx = 5 + (dx + 2) / 2 * 2 - 2, cy = 5 + (dy + 2) / 2 * 2 - 2;
      EXPECT_EQ(p.Get(x, y), inDisc ? before.Get(cx, cy) : before.Get(x, y)) << x << ", " << y;
    }
  }
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

// ---- Areas and arguments beyond the pictures ------------------------------------

TEST(AreaEffects, AreasAreCutToTheScreen) {
  struct Case {
    long long x, y;
    unsigned w, h;
    bool any;
    mu::Area want;
  };
  const Case cases[] = {
      {10, 20, 30, 40, true, {10, 20, 30, 40}},
      {630, 470, 30, 40, true, {630, 470, 10, 10}},
      {-5, -7, 30, 40, true, {0, 0, 25, 33}},
      {-5, 0, 0xFFFFFFFFu, 0xFFFFFFFFu, true, {0, 0, 640, 480}},
      {0, 0, 0, 40, false, {}},
      {640, 0, 10, 10, false, {}},
      {-10, 0, 10, 10, false, {}},
      {INT_MIN, INT_MAX, 0xFFFFFFFFu, 1, false, {}},
  };
  for (const Case& c : cases) {
    mu::Area a = {};
    ASSERT_EQ(mu::FitArea(c.x, c.y, c.w, c.h, 640, 480, a), c.any) << c.x << ", " << c.y;
    if (c.any) {
      EXPECT_EQ(a.x, c.want.x);
      EXPECT_EQ(a.y, c.want.y);
      EXPECT_EQ(a.width, c.want.width);
      EXPECT_EQ(a.height, c.want.height);
    }
  }
}

TEST(AreaEffects, ZoomAreasAreCutSoThatTheEnlargedCopyFits) {
  struct Case {
    long long x, y;
    unsigned w, h;
    int factor, bufferWidth, bufferHeight;
    bool any;
    mu::Area want;
  };
  const Case cases[] = {
      {0, 0, 2, 2, 2, 640, 480, true, {0, 0, 2, 2}},
      {600, 300, 100, 100, 2, 640, 480, true, {600, 300, 20, 90}},      // the screen's edge
      {0, 0, 640, 480, 4, 640, 480, true, {0, 0, 160, 120}},
      {0, 0, 640, 480, 2, 100, 60, true, {0, 0, 50, 30}},              // a small buffer
      {-30, -30, 40, 40, 2, 640, 480, true, {0, 0, 10, 10}},
      {639, 0, 5, 5, 2, 640, 480, false, {}},                          // no room for a block
      {0, 0, 5, 5, 4, 3, 3, false, {}},
  };
  for (const Case& c : cases) {
    mu::Area a = {};
    ASSERT_EQ(mu::FitZoom(c.x, c.y, c.w, c.h, c.factor, 640, 480, c.bufferWidth, c.bufferHeight,
                          a),
              c.any)
        << c.x << ", " << c.y;
    if (c.any) {
      EXPECT_EQ(a.x, c.want.x);
      EXPECT_EQ(a.y, c.want.y);
      EXPECT_EQ(a.width, c.want.width);
      EXPECT_EQ(a.height, c.want.height);
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
    mu::PaintDiscMosaicReference(ref.View(), 4, c.cx, c.cy, c.radius, c.cell);
    mu::PaintDiscMosaic(fast.View(), 4, c.cx, c.cy, c.radius, c.cell);
    EXPECT_EQ(fast.FirstDifference(ref), "") << c.cx << ", " << c.cy << " r " << c.radius;
    EXPECT_TRUE(fast.GuardsIntact());
    EXPECT_TRUE(ref.GuardsIntact());
  }
}

TEST(AreaEffects, RowsWiderThanTheFastBuffersTakeTheReference) {
  const mu::PixelFormat f = mu::Format565();
  Picture ref(mu::kQuadRowCapacity + 9, 4, 2), fast(mu::kQuadRowCapacity + 9, 4, 2);
  ref.FillRandom(f, 9, 0.1);
  fast = ref;
  mu::SmokeNoise a = {}, b = {};
  mu::NoiseReader ga = {}, gb = {};
  mu::SoftenAreaReference(ref.View(), f, 1);
  mu::SmokeRiseReference(ref.View(), f, 0, a, TestNoise());
  mu::AddGrainReference(ref.View(), f, 1, 7, ga, TestNoise());
  mu::SoftenArea(fast.View(), f, 1);
  mu::SmokeRise(fast.View(), f, 0, b, TestNoise());
  mu::AddGrain(fast.View(), f, 1, 7, gb, TestNoise());
  EXPECT_EQ(fast.FirstDifference(ref), "");
  EXPECT_TRUE(fast.GuardsIntact());
}

}  // namespace
