// The sprite effect kernels' rules on chosen pixels: the documented edge cases,
// the gradients' steps, and bad input (values outside their ranges, box sizes,
// the glow's bounds) handled without a channel spilling or a byte written
// outside the views.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "draw/effects/blend.h"
#include "draw/effects/blur.h"
#include "draw/effects/channels.h"
#include "draw/effects/tone.h"
#include "draw/effects/warp.h"
#include "draw/pixel_format.h"
#include "effect_cases.h"
#include "pixel_pictures.h"

namespace {

using pictures::Picture;
using Kernel = std::function<void(mu::PixelView, mu::ConstPixelView, const mu::PixelFormat&)>;

const mu::PixelFormat k565 = mu::Format565(), k555 = mu::Format555(), k888 = mu::Format888();
const float kNaN = std::numeric_limits<float>::quiet_NaN();

mu::ChannelFloats All(float v) { return {{v, v, v}}; }
mu::ChannelInts All(int v) { return {{v, v, v}}; }
std::uint32_t Rgb565(int r, int g, int b) { return (r << 11) | (g << 5) | b; }

// One source pixel s over one target pixel d, on both paths.
struct PixelCase {
  const char* what;
  const mu::PixelFormat* f;
  std::uint32_t s, d;
  Kernel run;
  std::uint32_t expected;
};

const PixelCase kPixelCases[] = {
    {"half of white over black", &k565, 0xFFFF, 0, [](auto d, auto s, auto& f) { mu::HalfBlend(d, s, f); },
     Rgb565(15, 31, 15)},
    {"fade level 31 is the source, green's low bit cleared", &k565, 0xABED, 0x5575,
     [](auto d, auto s, auto& f) { mu::FadeBlend(d, s, f, All(31)); }, 0xABCD},
    {"fade level 0 is the target, green's low bit cleared", &k565, 0xABED, 0x5575,
     [](auto d, auto s, auto& f) { mu::FadeBlend(d, s, f, All(0)); }, 0x5555},
    {"add of two mid-greys saturates", &k565, Rgb565(16, 32, 16), Rgb565(16, 32, 16),
     [](auto d, auto s, auto& f) { mu::AddBlend(d, s, f, 0); }, Rgb565(31, 62, 31)},
    {"add of two mid-greys, 8-8-8", &k888, 0x808080, 0x808080, [](auto d, auto s, auto& f) { mu::AddBlend(d, s, f, 0); },
     0xFFFFFF},
    {"shadow of full red is black", &k565, 0xF800, 0xFFFF, [](auto d, auto s, auto& f) { mu::ShadowBlend(d, s, f); }, 0},
    {"shadow of blue changes nothing", &k565, 0x001F, 0xABED, [](auto d, auto s, auto& f) { mu::ShadowBlend(d, s, f); },
     0xABCD},
    {"grey of white", &k565, 0xFFFF, 0, [](auto d, auto s, auto& f) { mu::GrayBlt(d, s, f); }, Rgb565(31, 62, 31)},
    {"grey of red is 10 everywhere", &k565, 0xF800, 0, [](auto d, auto s, auto& f) { mu::GrayBlt(d, s, f); },
     Rgb565(10, 20, 10)},
    {"darken level 31 keeps the source", &k555, 0x7FFF, 0, [](auto d, auto s, auto& f) { mu::Darken(d, s, f, All(31)); },
     0x7FFF},
    {"darken level 25 takes 6 off", &k555, 0x7FFF, 0, [](auto d, auto s, auto& f) { mu::Darken(d, s, f, All(25)); },
     (25 << 10) | (25 << 5) | 25},
    {"channel mask keeps green", &k565, 0xFFFF, 0x1234,
     [](auto d, auto s, auto& f) { mu::ChannelMask(d, s, f, false, true, false); }, 0x07E0},
    {"add level 1 adds all", &k565, Rgb565(3, 8, 1), Rgb565(1, 2, 1),
     [](auto d, auto s, auto& f) { mu::AddBlend(d, s, f, mu::CutOf(1.0f)); }, Rgb565(4, 10, 2)},
    {"add level 0 adds nothing", &k565, Rgb565(3, 8, 1), Rgb565(1, 2, 1),
     [](auto d, auto s, auto& f) { mu::AddBlend(d, s, f, mu::CutOf(0.0f)); }, Rgb565(1, 2, 1)},
    // Bad input: held to the ranges, channels saturate instead of spilling.
    {"brightness 2 saturates each channel", &k565, Rgb565(20, 40, 10), 0,
     [](auto d, auto s, auto& f) { mu::Brightness(d, s, f, All(2.0f)); }, Rgb565(31, 63, 20)},
    {"brightness infinite saturates", &k888, 0x010203, 0,
     [](auto d, auto s, auto& f) { mu::Brightness(d, s, f, All(std::numeric_limits<float>::infinity())); }, 0xFFFFFF},
    {"brightness below 0 is black", &k565, 0xFFFF, 0x1234, [](auto d, auto s, auto& f) { mu::Brightness(d, s, f, All(-3.0f)); },
     0},
    {"brightness not a number is black", &k565, 0xFFFF, 0x1234,
     [](auto d, auto s, auto& f) { mu::Brightness(d, s, f, All(kNaN)); }, 0},
    {"alpha above 1 is the source", &k565, 0xFFFF, 0x1234, [](auto d, auto s, auto& f) { mu::AlphaBlend(d, s, f, All(7.0f)); },
     0xFFFF},
    {"alpha not a number is the target", &k565, 0xFFFF, 0x1234,
     [](auto d, auto s, auto& f) { mu::AlphaBlend(d, s, f, All(kNaN)); }, 0x1234},
    {"fade level above 31 is 31", &k565, 0xABED, 0x5575, [](auto d, auto s, auto& f) { mu::FadeBlend(d, s, f, All(99)); },
     0xABCD},
    {"darken level below 0 is 0", &k555, 0x7FFF, 0x1234, [](auto d, auto s, auto& f) { mu::Darken(d, s, f, All(-40)); }, 0},
    {"add amount not a number adds nothing", &k565, 0xFFFF, Rgb565(1, 2, 1),
     [](auto d, auto s, auto& f) { mu::AddBlend(d, s, f, mu::CutOf(kNaN)); }, Rgb565(1, 2, 1)},
};

TEST(SpriteEffectRules, ChosenPixels) {
  for (const PixelCase& c : kPixelCases) {
    effectcases::OnBothPaths([&] {
      // A row of 11 equal pixels reaches the vector loop and its tail.
      Picture src(11, 1, c.f->bytesPerPixel), dst(11, 1, c.f->bytesPerPixel);
      src.Fill(c.s);
      dst.Fill(c.d);
      c.run(dst.View(), mu::AsConst(src.View()), *c.f);
      EXPECT_EQ(dst.CountOf(c.expected), 11) << c.what;
      EXPECT_TRUE(dst.GuardsIntact()) << c.what;
    });
  }
}

// Every kernel leaves the target alone under a transparent source.
TEST(SpriteEffectRules, TransparentSourceChangesNothing) {
  const Kernel kernels[] = {
      [](auto d, auto s, auto& f) { mu::HalfBlend(d, s, f); },
      [](auto d, auto s, auto& f) { mu::AlphaBlend(d, s, f, All(0.5f)); },
      [](auto d, auto s, auto& f) { mu::AlphaGradient(d, s, f, All(0.5f), {false, 0, 1}); },
      [](auto d, auto s, auto& f) { mu::FadeGradient(d, s, f, All(3), {true, 0, 1}); },
      [](auto d, auto s, auto& f) { mu::AddBlend(d, s, f, 0); },
      [](auto d, auto s, auto& f) { mu::SoftEdge(d, s, f); },
      [](auto d, auto s, auto& f) { mu::BoxBlur(d, s, f, 2); },
      [](auto d, auto s, auto& f) { mu::Brightness(d, s, f, All(0.5f)); },
      [](auto d, auto s, auto& f) { mu::DisplaceBlt(d, s, f, 0); },
      [](auto d, auto s, auto& f) {
        mu::GlowBlt(d, {0, 0, d.width, d.height}, 0, 0, s, f, {{0, 0, 0}, 0xFF, true}, muDraw::noiseTable, mu::glowState);
      },
  };
  for (const mu::PixelFormat& f : {k565, k888}) {
    for (const Kernel& k : kernels) {
      Picture src(13, 4, f.bytesPerPixel), dst(13, 4, f.bytesPerPixel);
      src.Fill(0);
      dst.FillRandom(f, 5);
      Picture before = dst;
      k(dst.View(), mu::AsConst(src.View()), f);
      EXPECT_EQ(dst.FirstDifference(before), "");
    }
  }
}

// Alpha 0, vertical, start 0, step 1: row 0 is the target, each row after it
// 1/32 more of the source, row 32 on the source.
TEST(SpriteEffectRules, AlphaGradientRows) {
  effectcases::OnBothPaths([] {
    Picture src(9, 40, 2), dst(9, 40, 2);
    src.Fill(0xFFFF);
    dst.Fill(0);
    mu::AlphaGradient(dst.View(), mu::AsConst(src.View()), k565, All(0.0f), {true, 0, 1});
    EXPECT_EQ(dst.FirstDifference([](int, int r) {
                const int red = r >= 32 ? 31 : (31 * r) / 32, green = r >= 32 ? 63 : (63 * r) / 32;
                return Rgb565(red, green, red);
              }), "");
    // The start is compared as an unsigned 16-bit value: -1 never starts, 65536 is 0.
    dst.Fill(0x1234);
    Picture never = dst, wrapped = dst, plain = dst, zero = dst;
    mu::AlphaGradient(never.View(), mu::AsConst(src.View()), k565, All(0.25f), {true, -1, 1});
    mu::AlphaBlend(plain.View(), mu::AsConst(src.View()), k565, All(0.25f));
    EXPECT_EQ(never.FirstDifference(plain), "");
    mu::AlphaGradient(wrapped.View(), mu::AsConst(src.View()), k565, All(0.25f), {false, 65536, 2});
    mu::AlphaGradient(zero.View(), mu::AsConst(src.View()), k565, All(0.25f), {false, 0, 2});
    EXPECT_EQ(wrapped.FirstDifference(zero), "");
  });
}

// Without transparent pixels the soft edge is a copy; with a transparent
// neighbour a pixel takes the average with the target there.
TEST(SpriteEffectRules, SoftEdge) {
  Picture src(6, 5, 2), dst(6, 5, 2);
  src.FillRandom(k565, 3, 0.0);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x)
      if (src.Get(x, y) == 0) src.Set(x, y, 1);
  dst.FillRandom(k565, 4);
  mu::SoftEdge(dst.View(), mu::AsConst(src.View()), k565);
  EXPECT_EQ(dst.FirstDifference(src), "");

  Picture one(3, 1, 2), under(3, 1, 2);
  one.Set(0, 0, 0);
  one.Set(1, 0, Rgb565(30, 60, 30));
  one.Set(2, 0, 0);
  under.Set(0, 0, Rgb565(0, 0, 0));
  under.Set(1, 0, 0);
  under.Set(2, 0, Rgb565(3, 6, 3));
  mu::SoftEdge(under.View(), mu::AsConst(one.View()), k565);
  EXPECT_EQ(under.Get(1, 0), Rgb565(11, 22, 11));   // (30 + 0 + 3) / 3 per channel
}

TEST(SpriteEffectRules, BoxBlurSizes) {
  Picture src(7, 3, 2), a(7, 3, 2);
  src.FillRandom(k565, 9, 0.1);
  a.FillRandom(k565, 10);
  const Picture fresh = a;
  Picture b = a, untouched = a;
  // Larger than the area: held to its height (3).
  mu::BoxBlur(a.View(), mu::AsConst(src.View()), k565, 1000);
  mu::BoxBlur(b.View(), mu::AsConst(src.View()), k565, 3);
  EXPECT_EQ(a.FirstDifference(b), "");
  EXPECT_TRUE(a.GuardsIntact());
  for (int size : {0, -5, std::numeric_limits<int>::min()}) mu::BoxBlur(untouched.View(), mu::AsConst(src.View()), k565, size);
  EXPECT_EQ(untouched.FirstDifference(fresh), "");
  // The largest box over the brightest 8-bit sums: fast path = reference.
  for (int size : {45, 44, 17}) {
    Picture big(50, 46, 4), fast(50, 46, 4);
    big.FillRandom(k888, 12, 0.02);
    for (int y = 0; y < 46; y += 2) big.Set(y, y, 0xFFFFFF);
    Picture reference = fast;
    effectcases::OnBothPaths([&] { mu::BoxBlur((mu::FastPath() ? fast : reference).View(), mu::AsConst(big.View()), k888, size); });
    EXPECT_EQ(fast.FirstDifference(reference), "") << size;
  }
  // Size 1 copies the source (in five-bit levels).
  Picture one(7, 3, 2);
  mu::BoxBlur(one.View(), mu::AsConst(src.View()), k555, 1);
  EXPECT_EQ(one.Get(3, 1), src.Get(3, 1) == 0 ? 0u : src.Get(3, 1) & 0x7FFF);
}

// Displacement by the source's red: rows below within the area only.
TEST(SpriteEffectRules, DisplaceStaysInTheArea) {
  Picture src(4, 6, 2), dst(4, 6, 2);
  src.Fill(Rgb565(31, 0, 0));   // red 31: v = 31 - cut
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 4; ++x) dst.Set(x, y, static_cast<std::uint32_t>(100 + y));
  mu::DisplaceBlt(dst.View(), mu::AsConst(src.View()), k565, 29);   // v = 2
  EXPECT_EQ(dst.Get(0, 0), 102u);
  EXPECT_EQ(dst.Get(0, 3), 105u);
  EXPECT_EQ(dst.Get(0, 4), 104u);   // v = 2 would reach row 6: stays
  EXPECT_TRUE(dst.GuardsIntact());
  // Amount 1 (cut 0) with a source without red changes nothing.
  Picture none(4, 6, 2);
  none.Fill(Rgb565(0, 63, 31));
  mu::DisplaceBlt(dst.View(), mu::AsConst(none.View()), k565, mu::CutOf(1.0f));
  EXPECT_EQ(dst.Get(0, 0), 102u);
}

// The glow lights only inside its bounds, and its noise position wraps.
TEST(SpriteEffectRules, GlowStaysInsideItsBounds) {
  for (int i = 0; i < muDraw::kNoiseEntries; ++i) muDraw::noiseTable[i] = 0;
  Picture screen(20, 20, 2), light(1, 1, 2);
  screen.Fill(0);
  light.Fill(0xFFFF);
  const mu::ClipBounds bounds = {5, 5, 15, 15};
  mu::GlowState state = {muDraw::kNoiseEntries - 1};
  mu::GlowBlt(screen.View(), bounds, 10, 10, mu::AsConst(light.View()), k565, {{0, 0, 0}, 0xFF, false},
              muDraw::noiseTable, state);
  EXPECT_EQ(state.noisePosition, 0);
  EXPECT_EQ(screen.FirstDifference([&](int x, int y) {
              return x < 5 || x >= 15 || y < 5 || y >= 15 ? 0u : screen.Get(x, y);
            }), "");
  EXPECT_TRUE(screen.GuardsIntact());
  // Straight up: 30 levels one row up, 29 two rows up ... (light 31 falls by 1
  // first); the pixel itself twice at step 0, from the left and right flags.
  const int up = mu::kGlowUp | mu::kGlowLeft | mu::kGlowRight;
  auto glow = [&](mu::GlowLight l) {
    Picture p(20, 20, 2);
    p.Fill(0);
    mu::GlowBlt(p.View(), bounds, 10, 10, mu::AsConst(light.View()), k565, l, muDraw::noiseTable, state);
    return p;
  };
  Picture lit = glow({{0, 0, 0}, up, false});
  EXPECT_EQ(lit.Get(10, 9), Rgb565(30, 60, 30));
  EXPECT_EQ(lit.Get(10, 8), Rgb565(29, 58, 29));
  EXPECT_EQ(lit.Get(10, 10), Rgb565(31, 62, 31));
  EXPECT_EQ(lit.Get(11, 10), Rgb565(29, 58, 29));
  // Shifts outside 0..31 are held there: 40 and 99 give no light, -3 is 0.
  Picture dark = glow({{40, -3, 99}, up, false});
  EXPECT_EQ(dark.Get(10, 9), Rgb565(0, 60, 0));
}

TEST(SpriteEffectRules, CutsAndFloatTables) {
  EXPECT_EQ(mu::CutOf(1.0f), 0);
  EXPECT_EQ(mu::CutOf(0.0f), 31);
  EXPECT_EQ(mu::CutOf(0.5f), 15);   // trunc(15.5)
  EXPECT_EQ(mu::LevelTo8(31), 255);
  EXPECT_EQ(mu::LevelTo8(16), 132);
  // The steps of weight 0.3 and a multiplier that gives them all.
  mu::DifferenceSteps steps;
  steps.Build(0.3f, 63);
  EXPECT_TRUE(steps.exact);
  EXPECT_EQ(steps.Step(10), 3);     // 0.3f is a little above 0.3
  EXPECT_EQ(steps.Step(-10), -4);
  ASSERT_GE(steps.multiplier, 0);
  for (int k = -63; k <= 63; ++k) {
    EXPECT_EQ(static_cast<int>(std::floor(k * steps.multiplier / 32768.0)), steps.Step(k)) << k;
  }
  // A weight too small for exact sums is left to the reference arithmetic.
  steps.Build(1e-30f, 63);
  EXPECT_FALSE(steps.exact);
}

}  // namespace
