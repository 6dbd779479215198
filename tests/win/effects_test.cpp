// The pixel effects on the real back screen under Wine: the golden table (each
// effect equals its native reference kernel on a fixed-seed picture, see
// golden/golden.h) and the common frame (bad sprites, clipping, locks).
#include <gtest/gtest.h>
#include <mu.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "draw/effects/channels.h"
#include "draw/pixel_format.h"
#include "draw/pixels/surface_lock.h"
#include "golden/golden.h"
#include "surface_pixels.h"

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

class ShellEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { ASSERT_TRUE(testpix::StartScreen()); }
  void TearDown() override { Release(); }
};
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new ShellEnvironment);

// Pixels of a locked surface copied out, tightly packed.
struct Pixels {
  std::vector<std::uint8_t> bytes;
  int width = 0, height = 0, bytesPerPixel = 0;
  mu::PixelView View() {
    return mu::PixelView{bytes.data(), static_cast<std::ptrdiff_t>(width) * bytesPerPixel, width, height};
  }
};

// Fills a surface with seeded random pixels of the screen's format (about
// `zeroShare` of them 0) and returns a copy of what it holds.
Pixels FillSurface(LPDIRECTDRAWSURFACE surface, unsigned seed, double zeroShare) {
  Pixels out;
  SurfaceLock lock(surface);
  EXPECT_TRUE(lock.Locked());
  if (!lock.Locked()) return out;
  const mu::PixelView v = lock.View();
  const mu::PixelFormat& f = mu::screenFormat;
  out.width = v.width;
  out.height = v.height;
  out.bytesPerPixel = f.bytesPerPixel;
  out.bytes.resize(static_cast<std::size_t>(v.width) * v.height * f.bytesPerPixel);
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  for (int y = 0; y < v.height; ++y) {
    for (int x = 0; x < v.width; ++x) {
      const std::uint32_t p = unit(rng) < zeroShare ? 0 : (rng() & f.white);
      std::memcpy(v.pixels + y * v.pitch + x * f.bytesPerPixel, &p, f.bytesPerPixel);
    }
    std::memcpy(out.bytes.data() + static_cast<std::size_t>(y) * v.width * f.bytesPerPixel,
                v.pixels + y * v.pitch, static_cast<std::size_t>(v.width) * f.bytesPerPixel);
  }
  return out;
}

// The first pixel where the back screen differs from `expected`, or "".
std::string CompareScreen(const Pixels& expected) {
  SurfaceLock lock(backScreen);
  if (!lock.Locked()) return "back screen not locked";
  const mu::PixelView v = lock.View();
  const int bpp = expected.bytesPerPixel;
  for (int y = 0; y < v.height; ++y) {
    const std::uint8_t* row = v.pixels + y * v.pitch;
    const std::uint8_t* want = expected.bytes.data() + static_cast<std::size_t>(y) * v.width * bpp;
    if (std::memcmp(row, want, static_cast<std::size_t>(v.width) * bpp) == 0) continue;
    for (int x = 0; x < v.width; ++x) {
      std::uint32_t a = 0, b = 0;
      std::memcpy(&a, row + x * bpp, bpp);
      std::memcpy(&b, want + x * bpp, bpp);
      if (a != b)
        return "(" + std::to_string(x) + ", " + std::to_string(y) + "): " + std::to_string(a) +
               ", reference " + std::to_string(b);
    }
  }
  return "";
}

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

TEST_F(Effects, EveryEffectEqualsItsReferenceKernel) {
  ASSERT_TRUE(mu::EffectsSupported(mu::screenFormat)) << mu::screenFormat.bytesPerPixel;
  ASSERT_GE(golden::Table().size(), 20u);
  unsigned seed = 1;
  for (const golden::Case& c : golden::Table()) {
    Pixels sprite = FillSurface(spriteTable[sprite_].surface, seed, 0.2);
    Pixels expected = FillSurface(backScreen, seed + 1000, 0.0);
    ++seed;
    // Both draws start from the same rand() sequence, for rows that draw from it.
    std::srand(seed);
    mu::kernelPath = mu::KernelPath::kReference;
    c.reference(expected.View(), mu::AsConst(sprite.View()), mu::screenFormat);
    mu::kernelPath = mu::KernelPath::kFast;
    std::srand(seed);
    c.onScreen(sprite_);
    EXPECT_EQ(CompareScreen(expected), "") << c.name << " on a " << mu::screenFormat.bytesPerPixel * 8
                                           << "-bit back screen";
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

TEST_F(Effects, NothingDrawnForBadSpritesAndClippedAwayRectangles) {
  Pixels before = FillSurface(backScreen, 7, 0.0);
  FillSurface(spriteTable[sprite_].surface, 8, 0.0);
  const int free = CreateObject(4, 4, 2);
  DeleteObject(free);   // a record without a surface
  for (int bad : {-1, kSpriteCount, 100000, free}) {
    EXPECT_EQ(HalfBlend(10, 10, bad, 0, 0, 50, 50), 1) << bad;
    EXPECT_EQ(GlowBlt(10, 10, 0, 0, 0, 0xFF, 1, bad, 0, 0, 50, 50), 1) << bad;
  }
  // Wholly left of, and wholly below, the clip rectangle.
  EXPECT_EQ(AddBlend(-300, 10, sprite_, 0, 0, 200, 150), 1);
  EXPECT_EQ(AddBlend(10, 470, sprite_, 0, 0, 200, 150), 1);
  // A source rectangle far outside the sprite and a clip rectangle beyond the
  // screen: cut to both surfaces, nothing written outside them.
  EXPECT_EQ(BoxBlur(0, 0, 0, sprite_, 0, 0, 200, 150), 1);   // size 0: nothing
  EXPECT_EQ(CompareScreen(before), "");
  SetClip(-100, -100, 2000, 2000);
  EXPECT_EQ(HalfBlend(600, 450, sprite_, -50, -50, 5000, 5000), 1);
  EXPECT_EQ(GlowBlt(0, 0, 0, 0, 0, 0xFF, 0, sprite_, 0, 0, 200, 150), 1);
  EXPECT_EQ(BoxBlur(-10, -10, 1000, sprite_, 0, 0, 200, 150), 1);
}

// A clipped-away rectangle returns before any lock; a lock that fails
// returns 0 and leaves the other surface unlocked.
TEST_F(Effects, ClippedAwayLocksNothingAndAFailedLockReturnsZero) {
  {
    SurfaceLock held(spriteTable[sprite_].surface);
    ASSERT_TRUE(held.Locked());
    EXPECT_EQ(GrayBlt(-300, 10, sprite_, 0, 0, 200, 150), 1);   // wholly left of the clip rectangle
    EXPECT_EQ(GrayBlt(10, 10, sprite_, 0, 0, 200, 150), 0);     // the sprite is busy
  }
  {
    SurfaceLock held(backScreen);
    ASSERT_TRUE(held.Locked());
    EXPECT_EQ(GrayBlt(10, 10, sprite_, 0, 0, 200, 150), 0);     // the back screen is busy
  }
  SurfaceLock sprite(spriteTable[sprite_].surface);
  EXPECT_TRUE(sprite.Locked());   // the failed call left it unlocked
}

}  // namespace
