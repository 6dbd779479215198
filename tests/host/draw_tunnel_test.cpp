// The tunnel table and its drawing: angles and depths about the centre, the
// centre's motions, zero divisors, bad sizes, and the wrapping of offsets and
// small sprites.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>

#include "draw/effects/channels.h"
#include "draw/effects/tunnel.h"
#include "draw/pixel_format.h"
#include "effect_cases.h"
#include "pixel_pictures.h"

namespace {

using pictures::Picture;

mu::TunnelTable table, other;   // large: kept out of the stack

mu::TunnelShape Still(int width = 80, int height = 60) {
  return mu::TunnelShape{256, 256, width, height, -1, -1, -1, 0, 0, 0};
}
int U(const mu::TunnelTable& t, int j, int i) { return t.entry[i * t.width + j][0]; }
int V(const mu::TunnelTable& t, int j, int i) { return t.entry[i * t.width + j][1]; }

TEST(Tunnel, AnglesGoOnceRoundAndDepthFallsWithDistance) {
  ASSERT_EQ(mu::MakeTunnel(table, Still()), 60);
  EXPECT_EQ(U(table, 40, 30), 0);   // the centre
  EXPECT_EQ(V(table, 40, 30), 0);
  // Round a circle of radius 20 the angle's u advances in small steps, once round.
  int total = 0, previous = -1;
  for (int k = 0; k <= 720; ++k) {
    const double a = -M_PI + k * M_PI / 360 + 1e-3;
    const int u = U(table, 40 + static_cast<int>(std::lround(20 * std::cos(a))), 30 + static_cast<int>(std::lround(20 * std::sin(a))));
    if (previous >= 0) {
      const int step = (u - previous + 256) % 256;
      ASSERT_LT(step, 16) << k;
      total += step;
    }
    previous = u;
  }
  EXPECT_GE(total, 250);
  EXPECT_LE(total, 256);
  // Along the row to the right, v falls as the distance grows (it stays
  // within its range from distance 4 to the edge).
  for (int d = 5; d < 40; ++d) EXPECT_LE(V(table, 40 + d, 30), V(table, 40 + d - 1, 30)) << d;
  EXPECT_GT(V(table, 44, 30), V(table, 79, 30));
}

TEST(Tunnel, DefaultsAndKindsOutOfRange) {
  struct Case {
    mu::TunnelShape given, same;
  } cases[] = {
      {{256, 128, 64, 48, -1, -1, -1, 0, 1, 2}, {256, 128, 64, 48, 32, 24, 8, 0, 1, 2}},
      {{256, 128, 64, 48, 10, 7, 3, 0, 7, 6}, {256, 128, 64, 48, 10, 7, 3, 0, 0, 0}},
      {{256, 128, 64, 48, 10, 7, -5, 0, -1, -4}, {256, 128, 64, 48, 10, 7, 2, 0, 0, 0}},
      {{100, 90, 64, 48, 10, 7, 6, 9, 2, 1}, {100, 90, 64, 48, 10, 7, 6, 0, 2, 1}},   // unknown motion: still
  };
  for (const Case& c : cases) {
    ASSERT_EQ(mu::MakeTunnel(table, c.given), 48);
    ASSERT_EQ(mu::MakeTunnel(other, c.same), 48);
    EXPECT_EQ(std::memcmp(table.entry, other.entry, sizeof(table.entry[0]) * 64 * 48), 0) << c.given.distanceKind;
  }
}

// Each motion's cell (on a kW x kH table centred at kCx, kCy) equals the cell of a still tunnel centred where the
// motion has put the centre for that row (and, sweeping, that column).
constexpr int kW = 24, kH = 16, kCx = 9, kCy = 5;
TEST(Tunnel, MotionsMoveTheCentreRowByRow) {
  struct Case {
    int motion;
    int (*centreX)(int j, int i);
    int (*centreY)(int i);
  } cases[] = {
      {1, [](int, int) { return kCx; }, [](int i) { return kH - 1 - i; }},
      {2, [](int j, int) { return kW - 1 - j; }, [](int) { return kCy; }},
      {3, [](int, int i) { return std::max(kW - 1 - i, 0); }, [](int) { return kCy; }},
      {4, [](int, int i) { return std::min(1 + i, kW); }, [](int) { return kCy; }},
  };
  for (const Case& c : cases) {
    for (int distance : {0, 6}) {
      ASSERT_EQ(mu::MakeTunnel(table, mu::TunnelShape{200, 300, kW, kH, kCx, kCy, 5, c.motion, distance, 1}), kH);
      for (int i = 0; i < kH; ++i)
        for (int j = 0; j < kW; ++j) {
          mu::MakeTunnel(other, mu::TunnelShape{200, 300, kW, kH, c.centreX(j, i), c.centreY(i), 5, 0, distance, 1});
          ASSERT_EQ(U(table, j, i), U(other, j, i)) << "motion " << c.motion << " at " << j << ", " << i;
          ASSERT_EQ(V(table, j, i), V(other, j, i)) << "motion " << c.motion << " at " << j << ", " << i;
        }
    }
  }
}

// Cells whose distance or depth divisor is 0 get v = 0 instead of a division by zero.
TEST(Tunnel, ZeroDivisorsGiveDepthZero) {
  ASSERT_EQ(mu::MakeTunnel(table, mu::TunnelShape{64, 64, 30, 20, 12, 8, -1, 0, 4, 0}), 20);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(V(table, 12, i), 0) << i;   // distance |dx| = 0 down the centre column
  ASSERT_EQ(mu::MakeTunnel(table, mu::TunnelShape{64, 64, 30, 20, 12, 8, -1, 0, 6, 3}), 20);
  EXPECT_EQ(V(table, 12, 8), 0);                                      // depth kind 3 at the centre
  ASSERT_EQ(mu::MakeTunnel(table, mu::TunnelShape{64, 64, 30, 20, 0, 8, -1, 0, 6, 0}), 20);
  for (int j = 0; j < 30; ++j) EXPECT_EQ(V(table, j, 3), 0) << j;    // distance "centre x" = 0
  // Far-off centres make huge depths: reduced into the range all the same.
  ASSERT_EQ(mu::MakeTunnel(table, mu::TunnelShape{64, 64, 30, 20, INT_MIN, INT_MAX, 2, 0, 0, 2}), 20);
  for (int j = 0; j < 30; ++j) ASSERT_LT(static_cast<unsigned>(V(table, j, 5)), 64u);
}

TEST(Tunnel, BadSizesBuildNothingAndKeepTheTable) {
  ASSERT_EQ(mu::MakeTunnel(table, Still(40, 30)), 30);
  static mu::TunnelTable kept;
  kept = table;
  const mu::TunnelShape bad[] = {
      {0, 256, 40, 30, -1, -1, -1, 0, 0, 0},     {256, -1, 40, 30, -1, -1, -1, 0, 0, 0},
      {40000, 256, 40, 30, -1, -1, -1, 0, 0, 0}, {256, 256, 0, 30, -1, -1, -1, 0, 0, 0},
      {256, 256, 40, -5, -1, -1, -1, 0, 0, 0},   {256, 256, 641, 480, -1, -1, -1, 0, 0, 0},
      {256, 256, INT_MAX, 2, -1, -1, -1, 0, 0, 0}, {256, 256, 65536, 65536, -1, -1, -1, 0, 0, 0},
  };
  for (const mu::TunnelShape& s : bad) {
    EXPECT_EQ(mu::MakeTunnel(table, s), 0) << s.uRange << " " << s.width << " x " << s.height;
    EXPECT_EQ(table.width, 40);
    EXPECT_EQ(table.height, 30);
    EXPECT_EQ(std::memcmp(table.entry, kept.entry, sizeof(table.entry[0]) * 40 * 30), 0);
  }
  // Any shape of at most 640 x 480 cells will do.
  EXPECT_EQ(mu::MakeTunnel(table, mu::TunnelShape{32768, 1, 1280, 240, -1, -1, -1, 0, 0, 0}), 240);
}

TEST(Tunnel, DrawingWrapsOffsetsAndSmallSpritesAndKeepsToTheBounds) {
  ASSERT_EQ(mu::MakeTunnel(table, mu::TunnelShape{90, 70, 20, 12, 5, 4, -1, 0, 0, 0}), 12);
  Picture sprite(13, 9, 2);   // smaller than the ranges: it repeats
  sprite.FillRandom(mu::Format565(), 4, 0.3);
  effectcases::OnBothPaths([&] {
    for (const auto& [uo, vo] : {std::pair{-3, 1000}, std::pair{INT_MIN, INT_MAX}, std::pair{0, 0}}) {
      Picture screen(30, 20, 2);
      screen.Fill(0xBEEF);
      mu::DrawTunnel(screen.View(), mu::ClipBounds{4, 0, 30, 10}, 2, -1, uo, vo, mu::AsConst(sprite.View()), mu::Format565(), table);
      EXPECT_EQ(screen.FirstDifference([&](int x, int y) {
                  const int j = x - 2, i = y + 1;
                  if (x < 4 || y >= 10 || j >= 20 || i >= 12) return 0xBEEFu;
                  const long long su = ((U(table, j, i) + (uo % 90 + 90) % 90) % 90) % 13;
                  const long long sv = ((V(table, j, i) + (vo % 70 + 70) % 70) % 70) % 9;
                  return sprite.Get(static_cast<int>(su), static_cast<int>(sv));
                }), "") << "offsets " << uo << ", " << vo;
      EXPECT_TRUE(screen.GuardsIntact());
    }
  });
  // An empty table draws nothing.
  mu::TunnelTable& empty = other;
  empty.width = empty.height = 0;
  Picture screen(8, 8, 2);
  screen.Fill(5);
  mu::DrawTunnel(screen.View(), mu::ClipBounds{0, 0, 8, 8}, 0, 0, 0, 0, mu::AsConst(sprite.View()), mu::Format565(), empty);
  EXPECT_EQ(screen.CountOf(5), 64);
}

}  // namespace
