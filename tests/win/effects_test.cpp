// The pixel, area, rotation and mapping effects on the real back screen under
// Wine, on the display the run gets (16- or 32-bit back screen): the golden
// table (each effect equals its native reference kernel on a fixed-seed
// picture, see golden/golden.h) and the common frame (bad sprites, sizes and
// areas draw nothing; rectangles clipped away lock nothing; failed locks and
// losses return 0 and leave no surface locked); the tunnel table's life; the
// noise on every depth.
#include <gtest/gtest.h>
#include <mu.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <vector>

#include "draw/effects/channels.h"
#include "draw/pixel_format.h"
#include "golden/golden.h"
#include "surface_faults.h"
#include "surface_pixels.h"
#include "test_app.h"

namespace golden {

namespace {
std::vector<Case>& Table() {
  static std::vector<Case> table;
  return table;
}
}  // namespace

Register::Register(const Case& c) { Table().push_back(c); }

bool SpriteArea(mu::PixelView screen, mu::ConstPixelView sprite, const mu::PixelFormat& f, int x,
                int y, int left, int top, int right, int bottom, mu::PixelView& dst,
                mu::ConstPixelView& src, mu::EffectArea& area) {
  if (!mu::ClipEffect(x, y, left, top, right, bottom, kClip, area)) return false;
  if (!mu::FitSurfaces(area, sprite.width, sprite.height, screen.width, screen.height)) return false;
  dst = screen.Sub(area.x, area.y, area.width, area.height, f.bytesPerPixel);
  src = sprite.Sub(area.left, area.top, area.width, area.height, f.bytesPerPixel);
  return true;
}

}  // namespace golden

namespace {

using namespace muDraw;
using testpix::Unlocked;

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new testapp::ScreenEnvironment);

// Seeded random pixels of the screen's format on a surface, about one in
// `oneIn` of them 0; what was written.
testpix::Bytes FillRandom(LPDIRECTDRAWSURFACE surface, unsigned seed, int oneIn = 0) {
  return testpix::FillRandom(surface, seed, mu::screenFormat.white, oneIn);
}

// Operations that read a sprite, each once across the middle of the screen
// and the clip rectangle kClip; their results.
using Call = std::function<int(int sprite)>;
const std::pair<const char*, Call> kSpriteCalls[] = {
    {"HalfBlend", [](int s) { return HalfBlend(180, 180, s, 0, 0, 64, 48); }},
    {"AddBlend", [](int s) { return AddBlend(180, 180, s, 0, 0, 64, 48); }},
    {"GrayBlt", [](int s) { return GrayBlt(180, 180, s, 0, 0, 64, 48); }},
    {"BoxBlur", [](int s) { return BoxBlur(180, 180, 3, s, 0, 0, 64, 48); }},
    {"GlowBlt", [](int s) { return GlowBlt(180, 180, 0, 1, 0, 0xFF, 1, s, 0, 0, 64, 48); }},
    {"RotateBlt", [](int s) { return RotateBlt(150, 150, 350, 330, 30, s, 0, 0, 64, 48); }},
    {"RotateTile", [](int s) { return RotateTile(150, 150, 350, 330, 30, s, 0, 0, 64, 48); }},
    {"RotateZoom", [](int s) { return RotateZoom(150, 150, 350, 330, 30, 1.5f, s, 0, 0, 64, 48); }},
    {"RotateZoomTile", [](int s) { return RotateZoomTile(150, 150, 350, 330, 30, 0.5f, s, 0, 0, 64, 48); }},
    {"RotateStretchTile",
     [](int s) {
       return RotateStretchTile(150, 150, 350, 330, 30, 0.5f, 0.01f, 0.5f, 0.01f, 1, 1, 1, s, 0, 0, 64, 48);
     }},
    {"SmearBlt", [](int s) { return SmearBlt(180, 180, 1, 20, s, 0, 0, 64, 48); }},
    {"RippleBlt", [](int s) { return RippleBlt(180, 180, 10, 8, 1, 1, 0, s, 0, 0, 64, 48); }},
    {"DrawTunnel", [](int s) { return DrawTunnel(180, 180, 3, 4, s); }},
};
constexpr mu::ClipBounds kClip = {200, 200, 300, 300};

// The same operations with rectangles wholly outside kClip: nothing to draw.
const std::pair<const char*, Call> kClippedAway[] = {
    {"GrayBlt left of the clip rectangle", [](int s) { return GrayBlt(-300, 180, s, 0, 0, 64, 48); }},
    {"AddBlend below it", [](int s) { return AddBlend(180, 300, s, 0, 0, 64, 48); }},
    {"RotateBlt", [](int s) { return RotateBlt(0, 0, 150, 150, 45, s, 0, 0, 64, 48); }},
    {"RotateTile", [](int s) { return RotateTile(300, 300, 640, 480, 45, s, 0, 0, 64, 48); }},
    {"RotateStretchTile",
     [](int s) { return RotateStretchTile(0, 0, 640, 200, 45, 1, 0, 1, 0, 1, 1, 1, s, 0, 0, 64, 48); }},
    {"SmearBlt, its fill needing a drawn column", [](int s) { return SmearBlt(0, 0, 3, 5, s, 0, 0, 64, 48); }},
    {"RippleBlt", [](int s) { return RippleBlt(300, 0, 10, 8, 1, 1, 0, s, 0, 0, 64, 48); }},
    {"DrawTunnel", [](int s) { return DrawTunnel(-100, 0, 0, 0, s); }},
};

class Effects : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(backScreen);
    sprite_ = CreateObject(golden::kSpriteWidth, golden::kSpriteHeight, 2);
    ASSERT_GT(sprite_, 0);
    SetClip(golden::kClip.left, golden::kClip.top, golden::kClip.right, golden::kClip.bottom);
  }
  void TearDown() override {
    DeleteObject(sprite_);
    SetClip(0, 0, 640, 480);
    mu::kernelPath = mu::KernelPath::kFast;
  }
  int sprite_ = 0;
};

// First of all: no tunnel table exists before the first MakeTunnel of the
// program, and sizes that fit no table build none.
TEST_F(Effects, TunnelBeforeAnyTableDrawsNothingAndBadSizesBuildNone) {
  FillRandom(spriteTable[sprite_].surface, 3);
  ClearScreen();
  const testpix::Bytes before = testpix::ReadBytes(backScreen);
  EXPECT_EQ(DrawTunnel(0, 0, 0, 0, sprite_), 1);
  EXPECT_EQ(MakeTunnel(0, 64, 100, 100, -1, -1, -1, 0, 0, 0), 0);
  EXPECT_EQ(MakeTunnel(64, 64, 641, 480, -1, -1, -1, 0, 0, 0), 0);
  EXPECT_EQ(DrawTunnel(0, 0, 0, 0, sprite_), 1);
  EXPECT_EQ(testpix::FirstDifference(backScreen, before), "");
  EXPECT_EQ(MakeTunnel(64, 48, 100, 80, -1, -1, -1, 0, 0, 0), 80);
  EXPECT_EQ(DrawTunnel(0, 0, 0, 0, sprite_), 1);
  EXPECT_NE(testpix::FirstDifference(backScreen, before), "");
}

TEST_F(Effects, EveryEffectEqualsItsReferenceKernel) {
  ASSERT_TRUE(mu::EffectsSupported(mu::screenFormat)) << mu::screenFormat.bytesPerPixel;
  ASSERT_GE(golden::Table().size(), 20u);
  unsigned seed = 1;
  for (const golden::Case& c : golden::Table()) {
    testpix::Bytes sprite = FillRandom(spriteTable[sprite_].surface, seed, 5);
    testpix::Bytes expected = FillRandom(backScreen, seed + 1000);
    ++seed;
    // Both draws start from the same rand() sequence, for rows that draw from it.
    std::srand(seed);
    mu::kernelPath = mu::KernelPath::kReference;
    c.reference(testpix::View(expected, 640, 480),
                mu::AsConst(testpix::View(sprite, golden::kSpriteWidth, golden::kSpriteHeight)),
                mu::screenFormat);
    mu::kernelPath = mu::KernelPath::kFast;
    std::srand(seed);
    c.onScreen(sprite_);
    EXPECT_EQ(testpix::FirstDifference(backScreen, expected), "")
        << c.name << " on a " << mu::screenFormat.bytesPerPixel * 8 << "-bit back screen";
  }
}

// The float effects form their products in extended precision: the processor
// must run with the 64-bit mantissa after the screen is up (a 53-bit setting
// would round the products and the exact per-call tables).
TEST_F(Effects, ExtendedPrecisionAfterScreenSetUp) {
  volatile long double one = 1.0L, tiny = 0x1p-60L;
  EXPECT_NE(one + tiny, one);
  EXPECT_EQ(mu::TruncExtended(static_cast<long double>(one) * 3 - tiny), 2);
  EXPECT_EQ(mu::CutOf(0.6f), 12);   // trunc(31 - 18.6)
}

TEST_F(Effects, BadSpritesSizesAndAreasDrawNothing) {
  ASSERT_EQ(MakeTunnel(64, 48, 100, 80, -1, -1, -1, 0, 0, 0), 80);
  const testpix::Bytes before = FillRandom(backScreen, 7);
  FillRandom(spriteTable[sprite_].surface, 8);
  const int free = CreateObject(4, 4, 2);
  DeleteObject(free);   // a record without a surface
  for (const auto& [name, call] : kSpriteCalls) {
    for (int bad : {-1, kSpriteCount, INT_MIN, free}) EXPECT_EQ(call(bad), 1) << name << ", sprite " << bad;
  }
  // Empty or reversed rectangles, sizes past 32 bits, zooms that are no zoom.
  EXPECT_EQ(BoxBlur(0, 0, 0, sprite_, 0, 0, 200, 150), 1);   // size 0
  EXPECT_EQ(RotateBlt(100, 100, 100, 200, 0, sprite_, 0, 0, 64, 48), 1);
  EXPECT_EQ(RotateTile(100, 100, 200, 200, 0, sprite_, 64, 0, 0, 48), 1);
  EXPECT_EQ(RotateTile(INT_MIN, 0, INT_MAX, 200, 0, sprite_, 0, 0, 64, 48), 1);
  for (float zoom : {0.0f, -2.0f, std::nanf(""), INFINITY}) {
    EXPECT_EQ(RotateZoom(0, 0, 640, 480, 10, zoom, sprite_, 0, 0, 64, 48), 1) << zoom;
    EXPECT_EQ(RotateZoomTile(0, 0, 640, 480, 10, zoom, sprite_, 0, 0, 64, 48), 1) << zoom;
    EXPECT_EQ(RotateStretchTile(0, 0, 640, 480, 10, zoom, 0, 1, 0, 1, 1, 1, sprite_, 0, 0, 64, 48), 1) << zoom;
  }
  EXPECT_EQ(SmearBlt(0, 0, 7, 0, sprite_, 0, 0, 64, 48), 1);   // no such mode
  EXPECT_EQ(RippleBlt(0, 0, 10, 8, 0, 1, 0, sprite_, 0, 0, 64, 48), 1);   // stride 0
  // Areas with nothing in them, or nothing on the screen.
  EXPECT_EQ(Soften(10, 10, 0, 100), 1);
  EXPECT_EQ(SoftenFade(1, 1, 1, 640, 0, 10, 10), 1);
  EXPECT_EQ(Smoke(10, 10, 100, 0), 1);
  EXPECT_EQ(SmokeFade(1, 0, 0, 0, 479, 640, 10), 1);   // no row below the area
  EXPECT_EQ(Grain(1, 700, 10, 100, 100), 1);
  EXPECT_EQ(GrainRGB(1, 1, 1, 0, -1000, -1000, 1000, 1000), 1);
  EXPECT_EQ(Zoom2(0, 0, 0, 0, 0), 1);
  EXPECT_EQ(Zoom4(639, 479, 5, 5, 0), 1);
  EXPECT_EQ(DiscMosaic(320, 240, 0, 8), 1);
  EXPECT_EQ(DiscMosaic(320, 240, 100, 0), 1);
  EXPECT_EQ(testpix::FirstDifference(backScreen, before), "");
  // A source rectangle far outside the sprite and a clip rectangle beyond the
  // screen: cut to both surfaces.
  SetClip(-100, -100, 2000, 2000);
  EXPECT_EQ(HalfBlend(600, 450, sprite_, -50, -50, 5000, 5000), 1);
  EXPECT_EQ(GlowBlt(0, 0, 0, 0, 0, 0xFF, 0, sprite_, 0, 0, 200, 150), 1);
  EXPECT_EQ(BoxBlur(-10, -10, 1000, sprite_, 0, 0, 200, 150), 1);
}

// A lock that fails (the sprite's or the back screen's) makes every operation
// with something to draw return 0 and leaves the other surface unlocked; a
// rectangle clipped away returns 1 before any lock. A lost back screen
// returns 0 and is restored.
TEST_F(Effects, FailedLocksReturnZeroAndClippedAwayRectanglesLockNothing) {
  ASSERT_EQ(MakeTunnel(64, 48, 100, 80, -1, -1, -1, 0, 0, 0), 80);
  SetClip(kClip.left, kClip.top, kClip.right, kClip.bottom);
  for (LPDIRECTDRAWSURFACE* place : {&spriteTable[sprite_].surface, &backScreen}) {
    const bool sprite = place != &backScreen;
    SCOPED_TRACE(sprite ? "the sprite's lock fails" : "the back screen's lock fails");
    {
      FaultInPlace fault(*place, DDERR_SURFACEBUSY);
      for (const auto& [name, call] : kSpriteCalls) EXPECT_EQ(call(sprite_), 0) << name;
      for (const auto& [name, call] : kClippedAway) EXPECT_EQ(call(sprite_), 1) << name;
    }
    EXPECT_TRUE(Unlocked(backScreen));
    EXPECT_TRUE(Unlocked(spriteTable[sprite_].surface));
  }
  FaultInPlace lost(backScreen, DD_OK);
  lost->lost = true;
  EXPECT_EQ(RotateBlt(200, 200, 300, 300, 45, sprite_, 0, 0, 64, 48), 0);
  EXPECT_EQ(lost->restores, 1);
}

TEST_F(Effects, GrainBrightensABlackScreenOnEveryDepth) {
  ClearScreen();
  EXPECT_EQ(Grain(0, 0, 0, 640, 480), 1);
  const testpix::Bytes screen = testpix::ReadBytes(backScreen);
  // Two thirds of the noise values are not 0: lit bytes outnumber half the pixels.
  EXPECT_GT(std::count_if(screen.begin(), screen.end(), [](std::uint8_t b) { return b != 0; }),
            640 * 480 / 2);
}

}  // namespace
