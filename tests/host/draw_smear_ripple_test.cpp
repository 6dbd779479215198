// The smear and ripple kernels against their rules, and the ripple's wave
// functions against the standard library's.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <limits>

#include "draw/effects/channels.h"
#include "draw/effects/ripple.h"
#include "draw/effects/smear.h"
#include "draw/effects/wave.h"
#include "draw/pixel_format.h"
#include "effect_cases.h"
#include "pixel_pictures.h"

namespace {

using pictures::Picture;

constexpr std::uint32_t kMarker = 0xBEEF;

// A 6 x 4 sprite of numbered pixels, with one transparent pixel at (2, 1).
Picture Sprite() {
  Picture p(6, 4, 2);
  p.FillNumbered();
  p.Set(2, 1, 0);
  return p;
}

Picture Screen(int w = 14, int h = 10) {
  Picture p(w, h, 2);
  p.Fill(kMarker);
  return p;
}

// Where the screen differs from expected(x, y, sx, sy, zero): the sprite
// pixel (sx, sy) it shows (0 included when `zero` is set), or kMarker
// (unwritten) where expected is false.
using Expectation = std::function<bool(int x, int y, int& sx, int& sy, bool& zero)>;
std::string Mismatch(const Picture& screen, const Picture& sprite, const Expectation& expected) {
  return screen.FirstDifference([&](int x, int y) {
    int sx = 0, sy = 0;
    bool zero = false;
    return expected(x, y, sx, sy, zero) && (zero || sprite.Get(sx, sy) != 0) ? sprite.Get(sx, sy) : kMarker;
  });
}

// The sprite drawn at (3, 2) unless told otherwise; column (row) 2 is the
// smear position. Clipping cuts what is drawn, not the picture: the smear
// column stays the rectangle's own column 2, and mode 1's fill reaches the
// first drawn column.
TEST(Smear, EachModeRepeatsItsColumnOrRowInsideTheClipAndTheSprite) {
  const Picture sprite = Sprite();
  const mu::ClipBounds all = {0, 0, 14, 10}, cut = {5, 3, 14, 10};
  const mu::SmearArea at = {3, 2, 0, 0, 6, 4};
  const Expectation nothing = [](int, int, int&, int&, bool&) { return false; };
  const struct {
    const char* what;
    mu::ClipBounds clip;
    mu::SmearArea area;
    int mode, position;
    Expectation expected;
  } cases[] = {
      {"mode 0", all, at, 0, 2, [](int x, int y, int& sx, int& sy, bool&) {
         sx = std::min(x - 3, 2), sy = y - 2;
         return x >= 3 && x < 9 && y >= 2 && y < 6;
       }},
      // Mode 1 also fills the screen row left of the picture with column 2, zero included.
      {"mode 1", all, at, 1, 2, [](int x, int y, int& sx, int& sy, bool& zero) {
         sx = std::max(x - 3, 2), sy = y - 2, zero = x < 3;
         return x < 9 && y >= 2 && y < 6;
       }},
      {"mode 2", all, at, 2, 2, [](int x, int y, int& sx, int& sy, bool&) {
         sx = x - 3, sy = std::min(y - 2, 2);
         return x >= 3 && x < 9 && y >= 2 && y < 6;
       }},
      // Mode 3 also fills the screen rows above the picture with row 2.
      {"mode 3", all, at, 3, 2, [](int x, int y, int& sx, int& sy, bool& zero) {
         sx = x - 3, sy = std::max(y - 2, 2), zero = y < 2;
         return x >= 3 && x < 9 && y < 6;
       }},
      {"position 0: each row its first pixel", all, {0, 0, 0, 0, 14, 4}, 0, 0,
       [](int, int y, int& sx, int& sy, bool&) { sx = 0, sy = y; return y < 4; }},
      {"mode 0 clipped", cut, at, 0, 2, [](int x, int y, int& sx, int& sy, bool&) {
         sx = std::min(x - 3, 2), sy = y - 2;
         return y >= 3 && y < 6 && x >= 5 && x < 9;
       }},
      {"mode 1 clipped", cut, at, 1, 2, [](int x, int y, int& sx, int& sy, bool& zero) {
         sx = std::max(x - 3, 2), sy = y - 2, zero = x < 5;
         return y >= 3 && y < 6 && x < 9;
       }},
      {"mode -1", all, at, -1, 2, nothing},
      {"mode 4", all, at, 4, 2, nothing},
      // Columns beyond the sprite's right edge, and mode 1's fill from column 8, draw nothing.
      {"a rectangle past the sprite", all, {3, 2, 4, 0, 6, 4}, 1, 8, nothing},
  };
  for (const auto& c : cases) {
    for (int position : {c.position, c.position + 65536}) {   // the position's low 16 bits count
      Picture screen = Screen();
      mu::SmearBlt(screen.View(), c.clip, sprite.View(), mu::Format565(), c.area, c.mode, position);
      EXPECT_EQ(Mismatch(screen, sprite, c.expected), "") << c.what << ", position " << position;
      EXPECT_TRUE(screen.GuardsIntact());
    }
  }
}

mu::RippleWave Flat(int stride = 1, float scale = 1, float shear = 0) { return mu::RippleWave{0, 7, stride, scale, shear}; }

// The sprite rippled onto a fresh screen, by default at (3, 2) with its own area.
Picture Rippled(const mu::RippleWave& wave, mu::ClipBounds clip = {0, 0, 14, 10},
                mu::EffectArea area = {3, 2, 0, 0, 6, 4}, int width = 6, int height = 4) {
  static const Picture sprite = Sprite();
  Picture screen = Screen();
  mu::RippleBlt(screen.View(), clip, area, width, height, sprite.View(), mu::Format565(), wave);
  return screen;
}

TEST(Ripple, FlatSheetsCopyScaleAndShearZeroIncluded) {
  const Picture sprite = Sprite();
  struct Case {
    const char* what;
    mu::RippleWave wave;
    Expectation expected;
  } cases[] = {
      {"flat", Flat(), [](int x, int y, int& sx, int& sy, bool& z) { sx = x - 3, sy = y - 2, z = true; return x >= 3 && x < 9 && y >= 2 && y < 6; }},
      {"stride 2", Flat(2), [](int x, int y, int& sx, int& sy, bool& z) {
         sx = x - 3, sy = y - 2, z = true;
         return x >= 3 && x < 9 && y >= 2 && y < 6 && sx % 2 == 0 && sy % 2 == 0;
       }},
      {"shear 1", Flat(1, 1, 1), [](int x, int y, int& sx, int& sy, bool& z) {
         sy = y - 2, sx = x - 3 - sy, z = true;
         return y >= 2 && y < 6 && sx >= 0 && sx < 6;
       }},
      {"scale 2", Flat(1, 2), [](int x, int y, int& sx, int& sy, bool& z) {
         sx = (x - 3) / 2, sy = (y - 2) / 2, z = true;
         return x >= 3 && y >= 2 && (x - 3) % 2 == 0 && (y - 2) % 2 == 0 && sx < 6 && sy < 4;
       }},
  };
  for (const auto& c : cases) EXPECT_EQ(Mismatch(Rippled(c.wave), sprite, c.expected), "") << c.what;
}

// With frequency 0 the cosine is 1: each pixel rises by (e^(ny ny - nx nx) + 1) A / 2.
TEST(Ripple, TheSheetRisesByTheWave) {
  Picture picture(20, 12, 2);
  picture.Fill(1);
  const Picture& sprite = picture;
  Picture screen = Screen(20, 60);
  const int amplitude = 20;
  mu::RippleBlt(screen.View(), mu::ClipBounds{0, 0, 20, 60}, mu::EffectArea{0, 0, 0, 0, 20, 12}, 20, 12,
                sprite.View(), mu::Format565(), mu::RippleWave{amplitude, 0, 1, 1, 0});
  for (int xx = 0; xx < 20; ++xx)
    for (int yy = 0; yy < 12; ++yy) {
      const double nx = 2.0 * xx / 20 - 1, ny = 2.0 * yy / 12 - 1;
      const double lift = (std::exp(ny * ny - nx * nx) + 1) * amplitude / 2 + yy;
      const int dy = static_cast<int>(lift);
      // The 32-bit rule may land one row off where the lift is all but whole.
      const bool near = screen.Get(xx, dy) == 1 || (lift - dy < 1e-4 && screen.Get(xx, dy - 1) == 1) ||
                        (dy + 1 - lift < 1e-4 && screen.Get(xx, dy + 1) == 1);
      EXPECT_TRUE(near) << xx << ", " << yy << ": lift " << lift;
    }
}

// Bad waves keep to the bounds; empty bounds (a clip rectangle wholly off
// the screen) take nothing.
TEST(Ripple, BadWavesDrawNothingOutsideTheBounds) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const mu::ClipBounds inner = {4, 3, 10, 7}, empty = {12, 3, 10, 7};
  const std::pair<mu::RippleWave, mu::ClipBounds> cases[] = {
      {Flat(0), inner},          {Flat(-3), inner},
      {Flat(1, nan), inner},     {Flat(1, 3e38f), inner},
      {Flat(1, 1, nan), inner},  {{INT_MAX, INT_MAX, 1, 1, 0}, inner},
      {{INT_MIN, INT_MIN, 1, 1, 0}, inner}, {Flat(), empty}};
  for (const auto& [wave, b] : cases) {
    const Picture screen = Rippled(wave, b);
    EXPECT_EQ(screen.FirstDifference([&](int x, int y) {
                return x < b.left || x >= b.right || y < b.top || y >= b.bottom ? kMarker : screen.Get(x, y);
              }), "") << b.left;
    EXPECT_TRUE(screen.GuardsIntact());
  }
}

// An area reaching far past its sprite (a clip rectangle larger than the
// screen lets one through) draws what the sprite's own area draws, on both
// paths, and its rows and columns without sprite pixels cost nothing: the
// calls below would not end within the test's time otherwise.
TEST(Ripple, AreasFarPastTheSpriteDrawOnlyTheSprite) {
  const mu::RippleWave wave = {3, 5, 1, 1, 0.2f};
  const int far = INT_MAX / 2;
  effectcases::OnBothPaths([&] {
    EXPECT_EQ(Rippled(wave, {0, 0, 14, 10}, {3, 2, 0, 0, far, far}).FirstDifference(Rippled(wave)), "");
    // Starting far before the sprite: its pixels land far off the screen.
    EXPECT_EQ(Rippled(wave, {0, 0, 14, 10}, {3, 2, -far, -far, far, far}, far, far).FirstDifference(Screen()), "");
  });
}

TEST(Wave, CosineAndExponentialAreAccurate) {
  double worstCos = 0, worstExp = 0;
  for (int k = -200000; k <= 200000; ++k) {
    const float x = static_cast<float>(k) * 0.2573f;   // up to about 51,000
    worstCos = std::max(worstCos, std::fabs(mu::wave::Cos(x) - std::cos(static_cast<double>(x))));
  }
  for (int k = -86000; k <= 86000; ++k) {
    const float t = static_cast<float>(k) * 0.001f;
    const double e = std::exp(static_cast<double>(t));
    worstExp = std::max(worstExp, std::fabs(mu::wave::Exp(t) - e) / e);
  }
  EXPECT_LT(worstCos, 2e-6);
  EXPECT_LT(worstExp, 4e-7);
  EXPECT_EQ(mu::wave::Cos(0), 1.0f);
  EXPECT_EQ(mu::wave::Exp(0), 1.0f);
  EXPECT_EQ(mu::wave::Cos(std::numeric_limits<float>::quiet_NaN()), 1.0f);
}

}  // namespace
