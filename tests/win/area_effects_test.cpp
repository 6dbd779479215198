// The effects on an area of the back screen on the real DirectDraw screen
// under Wine: for each operation, a fixed-seed picture on the back screen (and
// in the Buffer sprite) goes through the library's entry point, and the locked
// pixels afterwards must equal what the native reference loop makes of the
// same picture, the same noise state and the same random draws. Runs on the
// display it gets: 16-bit pixels on a 16-bit display, 32-bit on a 24-bit one.
#include <gtest/gtest.h>
#include <mu.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "draw/effects/area_effects.h"
#include "draw/effects/grain.h"
#include "draw/effects/levels.h"
#include "draw/effects/mosaic.h"
#include "draw/effects/soften.h"
#include "draw/effects/zoom.h"
#include "draw/pixels/surface_lock.h"
#include "test_app.h"

namespace {

using namespace muDraw;

int screenResult = -1;

class ShellEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    testapp::onInit = [] {
      screenResult = Screen(640, 480, 1);
      muSystem::sceneNumber = 1;
      muSystem::previousScene = 0;
    };
    ASSERT_TRUE(testapp::StartShell());
  }
  void TearDown() override { Release(); }
};
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new ShellEnvironment);

// A surface's pixels, copied out row by row (no padding).
struct Pixels {
  int width = 0, height = 0, bytes = 0;
  std::vector<std::uint8_t> data;
  mu::PixelView View() {
    return mu::PixelView{data.data(), static_cast<std::ptrdiff_t>(width) * bytes, width, height};
  }
};

Pixels Read(LPDIRECTDRAWSURFACE surface) {
  SurfaceLock lock(surface);
  Pixels p;
  if (!lock.Locked()) return p;
  const mu::PixelView v = lock.View();
  p.width = v.width;
  p.height = v.height;
  p.bytes = lock.BitsPerPixel() / 8;
  p.data.resize(static_cast<std::size_t>(p.width) * p.height * p.bytes);
  for (int y = 0; y < v.height; ++y)
    std::memcpy(&p.data[static_cast<std::size_t>(y) * p.width * p.bytes], v.Row<std::uint8_t>(y),
                static_cast<std::size_t>(p.width) * p.bytes);
  return p;
}

// Random pixels of the screen's format, about a tenth of them 0.
void FillRandom(LPDIRECTDRAWSURFACE surface, std::uint32_t seed) {
  SurfaceLock lock(surface);
  ASSERT_TRUE(lock.Locked());
  const mu::PixelView v = lock.View();
  std::mt19937 rng(seed);
  for (int y = 0; y < v.height; ++y) {
    for (int x = 0; x < v.width; ++x) {
      const std::uint32_t p = rng() % 10 == 0 ? 0 : rng() & mu::screenFormat.white;
      std::memcpy(v.Row<std::uint8_t>(y) + x * mu::screenFormat.bytesPerPixel, &p,
                  mu::screenFormat.bytesPerPixel);
    }
  }
}

std::string FirstDifference(const Pixels& a, const Pixels& b) {
  if (a.data.size() != b.data.size()) return "sizes differ";
  for (std::size_t i = 0; i < a.data.size(); ++i) {
    if (a.data[i] != b.data[i]) {
      const std::size_t pixel = i / a.bytes;
      return "pixel (" + std::to_string(pixel % a.width) + ", " +
             std::to_string(pixel / a.width) + ")";
    }
  }
  return "";
}

// One row of the table: the call on the real screen, and the reference loop
// on copies of the back screen and the Buffer sprite.
struct Golden {
  const char* name;
  std::function<int()> call;
  std::function<void(Pixels& screen, Pixels& buffer)> reference;
};

// The area as the entry points cut it, then the reference loop on it.
void OnArea(Pixels& s, int x, int y, int down, unsigned w, unsigned h,
            const std::function<void(mu::PixelView)>& kernel) {
  mu::Area a;
  if (w && h && mu::FitArea(x, static_cast<long long>(y) + down, w, h, s.width, s.height, a)) {
    kernel(s.View().Sub(a.x, a.y, a.width, a.height, s.bytes));
  }
}

Golden SoftenRow(const char* name, int r, int g, int b, int x, int y, unsigned w, unsigned h) {
  const unsigned fade = mu::ChannelFlags(r, g, b);
  return {name, [=] { return fade ? SoftenFade(r, g, b, x, y, w, h) : Soften(x, y, w, h); },
          [=](Pixels& s, Pixels&) {
            OnArea(s, x, y, 0, w, h, [&](mu::PixelView v) {
              mu::SoftenAreaReference(v, mu::screenFormat, fade);
            });
          }};
}

Golden SmokeRow(const char* name, int r, int g, int b, int x, int y, unsigned w, unsigned h) {
  const unsigned fade = mu::ChannelFlags(r, g, b);
  return {name, [=] { return fade ? SmokeFade(r, g, b, x, y, w, h) : Smoke(x, y, w, h); },
          [=](Pixels& s, Pixels&) {
            mu::SmokeNoise state = fade ? areaNoise.smokeFade : areaNoise.smoke;
            OnArea(s, x, y, 1, w, h, [&](mu::PixelView v) {
              mu::SmokeRiseReference(v, mu::screenFormat, fade, state, noiseTable);
            });
          }};
}

Golden GrainRow(const char* name, int r, int g, int b, int shift, int x, int y, unsigned w,
                unsigned h) {
  const unsigned channels = mu::ChannelFlags(r, g, b);
  const bool all = channels == mu::kAllChannels;
  return {name,
          [=] { return all ? Grain(shift, x, y, w, h) : GrainRGB(r, g, b, shift, x, y, w, h); },
          [=](Pixels& s, Pixels&) {
            mu::NoiseReader reader = all ? areaNoise.grain : areaNoise.grainRgb;
            OnArea(s, x, y, 0, w, h, [&](mu::PixelView v) {
              mu::AddGrainReference(v, mu::screenFormat, shift, channels, reader, noiseTable);
            });
          }};
}

Golden ZoomRow(const char* name, int factor, int x, int y, unsigned w, unsigned h, int sparse) {
  return {name,
          [=] { return factor == 2 ? Zoom2(x, y, w, h, sparse) : Zoom4(x, y, w, h, sparse); },
          [=](Pixels& s, Pixels& buffer) {
            mu::Area a;
            if (!mu::FitZoom(x, y, w, h, factor, s.width, s.height, buffer.width, buffer.height,
                             a))
              return;
            mu::EnlargeReference(buffer.View(),
                                 mu::AsConst(s.View().Sub(a.x, a.y, a.width, a.height, s.bytes)),
                                 s.bytes, factor, sparse != 0);
            // The copy back over the area.
            for (int r = 0; r < factor * a.height; ++r)
              std::memcpy(s.View().Row<std::uint8_t>(a.y + r) + a.x * s.bytes,
                          buffer.View().Row<std::uint8_t>(r),
                          static_cast<std::size_t>(factor) * a.width * s.bytes);
          }};
}

Golden MosaicRow(const char* name, int cx, int cy, int radius, int cell) {
  return {name, [=] { return DiscMosaic(cx, cy, radius, cell); },
          [=](Pixels& s, Pixels&) {
            mu::PaintDiscMosaicReference(s.View(), s.bytes, cx, cy, radius, cell);
          }};
}

// Full-screen calls, areas that reach past the screen, and each flag form.
const std::vector<Golden>& Table() {
  static const std::vector<Golden> table = {
      SoftenRow("Soften full screen", 0, 0, 0, 0, 0, 640, 480),
      SoftenRow("Soften past the corner", 0, 0, 0, 600, 440, 100, 100),
      SoftenRow("SoftenFade red blue", 1, 0, 1, -20, 13, 333, 77),
      SmokeRow("Smoke full screen", 0, 0, 0, 0, 0, 640, 480),
      SmokeRow("Smoke off the top", 0, 0, 0, 17, -40, 301, 200),
      SmokeRow("SmokeFade green", 0, 1, 0, 5, 300, 200, 180),
      ZoomRow("Zoom2", 2, 13, 7, 200, 150, 0),
      ZoomRow("Zoom2 sparse", 2, 0, 0, 2, 2, 1),
      ZoomRow("Zoom4 too large", 4, 100, 50, 640, 480, 0),
      ZoomRow("Zoom4 sparse", 4, 1, 3, 37, 29, 1),
      MosaicRow("DiscMosaic", 320, 240, 150, 9),
      MosaicRow("DiscMosaic past the edge", 630, 5, 200, 16),
      MosaicRow("DiscMosaic cell 0", 320, 240, 100, 0),
      GrainRow("Grain full screen", 1, 1, 1, 0, 0, 0, 640, 480),
      GrainRow("Grain shift 2 past the edge", 1, 1, 1, 2, 500, 400, 1000, 1000),
      GrainRow("GrainRGB blue", 0, 0, 1, 1, 40, 30, 123, 45),
  };
  return table;
}

TEST(AreaEffectsOnScreen, EachOperationDrawsWhatTheReferenceDraws) {
  ASSERT_EQ(screenResult, 1);
  ASSERT_TRUE(mu::screenFormat.Sixteen() || mu::screenFormat.ThirtyTwo());
  LPDIRECTDRAWSURFACE buffer = spriteTable[kBufferSprite].surface;
  std::uint32_t seed = 100;
  for (const Golden& g : Table()) {
    SCOPED_TRACE(g.name);
    // Two rounds, so that the noise states carry over from one call to the next.
    for (int round = 0; round < 2; ++round) {
      FillRandom(backScreen, ++seed);
      FillRandom(buffer, ++seed);
      Pixels screen = Read(backScreen), work = Read(buffer);
      ASSERT_FALSE(screen.data.empty());
      std::srand(seed);
      g.reference(screen, work);
      std::srand(seed);
      EXPECT_EQ(g.call(), 1);
      EXPECT_EQ(FirstDifference(Read(backScreen), screen), "");
    }
  }
}

TEST(AreaEffectsOnScreen, GrainBrightensABlackScreenOnEveryDepth) {
  // The noise table exists on every depth, so grain and smoke run on 32 bits too.
  ASSERT_EQ(screenResult, 1);
  ClearScreen();
  EXPECT_EQ(Grain(0, 0, 0, 640, 480), 1);
  const Pixels p = Read(backScreen);
  int lit = 0;
  for (std::uint8_t b : p.data) lit += b != 0;
  EXPECT_GT(lit, static_cast<int>(p.data.size()) / 4);
}

TEST(AreaEffectsOnScreen, EmptyAreasDrawNothingAndSucceed) {
  ASSERT_EQ(screenResult, 1);
  FillRandom(backScreen, 7);
  const Pixels before = Read(backScreen);
  EXPECT_EQ(Soften(10, 10, 0, 100), 1);
  EXPECT_EQ(Smoke(10, 10, 100, 0), 1);
  EXPECT_EQ(Grain(1, 700, 10, 100, 100), 1);
  EXPECT_EQ(Zoom2(0, 0, 0, 0, 0), 1);
  EXPECT_EQ(Zoom4(639, 479, 5, 5, 0), 1);
  EXPECT_EQ(DiscMosaic(320, 240, 0, 8), 1);
  EXPECT_EQ(GrainRGB(1, 1, 1, 0, -1000, -1000, 1000, 1000), 1);
  EXPECT_EQ(FirstDifference(Read(backScreen), before), "");
}

}  // namespace
