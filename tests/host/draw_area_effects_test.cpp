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

}  // namespace
