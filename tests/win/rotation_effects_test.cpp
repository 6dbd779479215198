// The rotation and mapping effects on the real DirectDraw screen under Wine,
// beside their golden rows (golden/rotation_goldens.cpp): what bad sprites,
// sizes and rectangles clipped away return and draw, lock failures and
// losses, and the tunnel table's life. Runs on the display it gets (16- or
// 32-bit back screen).
#include <gtest/gtest.h>
#include <mu.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <functional>
#include <vector>

#include "draw/pixels/surface_lock.h"
#include "surface_faults.h"
#include "surface_pixels.h"

namespace {

using namespace muDraw;

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new testpix::ScreenEnvironment);

// The back screen's bytes.
std::vector<std::uint8_t> Snapshot() {
  SurfaceLock lock(backScreen);
  EXPECT_TRUE(lock.Locked());
  const mu::PixelView v = lock.View();
  const int row = v.width * lock.BitsPerPixel() / 8;
  std::vector<std::uint8_t> out(static_cast<std::size_t>(row) * v.height);
  for (int y = 0; y < v.height; ++y) std::memcpy(&out[static_cast<std::size_t>(y) * row], v.pixels + y * v.pitch, row);
  return out;
}

// Every operation once with the given sprite, across the middle of the
// screen; their results.
using Call = std::function<int(int sprite)>;
const float kNan = std::nanf("");
const std::pair<const char*, Call> kCalls[] = {
    {"RotateBlt", [](int s) { return RotateBlt(150, 150, 350, 330, 30, s, 0, 0, 64, 48); }},
    {"RotateTile", [](int s) { return RotateTile(150, 150, 350, 330, 30, s, 0, 0, 64, 48); }},
    {"RotateZoom", [](int s) { return RotateZoom(150, 150, 350, 330, 30, 1.5f, s, 0, 0, 64, 48); }},
    {"RotateZoomTile", [](int s) { return RotateZoomTile(150, 150, 350, 330, 30, 0.5f, s, 0, 0, 64, 48); }},
    {"RotateStretchTile",
     [](int s) { return RotateStretchTile(150, 150, 350, 330, 30, 0.5f, 0.01f, 0.5f, 0.01f, 1, 1, 1, s, 0, 0, 64, 48); }},
    {"SmearBlt", [](int s) { return SmearBlt(180, 180, 1, 20, s, 0, 0, 64, 48); }},
    {"RippleBlt", [](int s) { return RippleBlt(180, 180, 10, 8, 1, 1, 0, s, 0, 0, 64, 48); }},
    {"DrawTunnel", [](int s) { return DrawTunnel(180, 180, 3, 4, s); }},
};

class RotationOnScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    SetClip(0, 0, 640, 480);
    sprite_ = CreateObject(64, 48, 2);
    ASSERT_GT(sprite_, 0);
    testpix::PaintValues(sprite_, [](int x, int y) { return testpix::Rgb(200, 4 * x, 5 * y); });
  }
  void TearDown() override {
    DeleteObject(sprite_);
    SetClip(0, 0, 640, 480);
  }
  int sprite_ = 0;
};

TEST_F(RotationOnScreen, TunnelBeforeAnyTableDrawsNothingAndBadSizesBuildNone) {
  ClearScreen();
  const std::vector<std::uint8_t> before = Snapshot();
  EXPECT_EQ(DrawTunnel(0, 0, 0, 0, sprite_), 1);
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(MakeTunnel(0, 64, 100, 100, -1, -1, -1, 0, 0, 0), 0);
  EXPECT_EQ(MakeTunnel(64, 64, 641, 480, -1, -1, -1, 0, 0, 0), 0);
  EXPECT_EQ(DrawTunnel(0, 0, 0, 0, sprite_), 1);
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(MakeTunnel(64, 48, 100, 80, -1, -1, -1, 0, 0, 0), 80);
  EXPECT_EQ(DrawTunnel(0, 0, 0, 0, sprite_), 1);
  EXPECT_NE(Snapshot(), before);
}

TEST_F(RotationOnScreen, BadSpritesSizesAndZoomsDrawNothing) {
  ASSERT_EQ(MakeTunnel(64, 48, 100, 80, -1, -1, -1, 0, 0, 0), 80);
  ClearScreen();
  const std::vector<std::uint8_t> before = Snapshot();
  const int free = CreateObject(4, 4, 2);
  DeleteObject(free);   // a record without a surface
  for (const auto& [name, call] : kCalls) {
    for (int bad : {-1, kSpriteCount, INT_MIN, free}) EXPECT_EQ(call(bad), 1) << name << ", sprite " << bad;
  }
  // Empty or reversed rectangles, sizes past 32 bits, zooms that are no zoom.
  EXPECT_EQ(RotateBlt(100, 100, 100, 200, 0, sprite_, 0, 0, 64, 48), 1);
  EXPECT_EQ(RotateTile(100, 100, 200, 200, 0, sprite_, 64, 0, 0, 48), 1);
  EXPECT_EQ(RotateTile(INT_MIN, 0, INT_MAX, 200, 0, sprite_, 0, 0, 64, 48), 1);
  for (float zoom : {0.0f, -2.0f, kNan, INFINITY}) {
    EXPECT_EQ(RotateZoom(0, 0, 640, 480, 10, zoom, sprite_, 0, 0, 64, 48), 1) << zoom;
    EXPECT_EQ(RotateZoomTile(0, 0, 640, 480, 10, zoom, sprite_, 0, 0, 64, 48), 1) << zoom;
    EXPECT_EQ(RotateStretchTile(0, 0, 640, 480, 10, zoom, 0, 1, 0, 1, 1, 1, sprite_, 0, 0, 64, 48), 1) << zoom;
  }
  EXPECT_EQ(SmearBlt(0, 0, 7, 0, sprite_, 0, 0, 64, 48), 1);
  EXPECT_EQ(RippleBlt(0, 0, 10, 8, 0, 1, 0, sprite_, 0, 0, 64, 48), 1);
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(RotationOnScreen, RectanglesClippedAwayLockNothing) {
  ASSERT_EQ(MakeTunnel(64, 48, 100, 80, -1, -1, -1, 0, 0, 0), 80);
  // A back screen whose locks fail: whatever has something to draw answers 0.
  LPDIRECTDRAWSURFACE realBack = backScreen;
  FaultySurface* wrapped = new FaultySurface(realBack);
  wrapped->lost = false;
  wrapped->lockResult = DDERR_GENERIC;
  backScreen = wrapped;
  SetClip(200, 200, 300, 300);
  for (const auto& [name, call] : kCalls) EXPECT_EQ(call(sprite_), 0) << name;
  // Wholly outside the clip rectangle: 1, and no lock tried.
  EXPECT_EQ(RotateBlt(0, 0, 150, 150, 45, sprite_, 0, 0, 64, 48), 1);
  EXPECT_EQ(RotateTile(300, 300, 640, 480, 45, sprite_, 0, 0, 64, 48), 1);
  EXPECT_EQ(RotateStretchTile(0, 0, 640, 200, 45, 1, 0, 1, 0, 1, 1, 1, sprite_, 0, 0, 64, 48), 1);
  EXPECT_EQ(SmearBlt(0, 0, 3, 5, sprite_, 0, 0, 64, 48), 1);   // the fill needs a drawn column
  EXPECT_EQ(RippleBlt(300, 0, 10, 8, 1, 1, 0, sprite_, 0, 0, 64, 48), 1);
  EXPECT_EQ(DrawTunnel(-100, 0, 0, 0, sprite_), 1);
  // A lost back screen: 0, and the screen is restored.
  wrapped->lockResult = DD_OK;
  wrapped->lost = true;
  EXPECT_EQ(RotateBlt(200, 200, 300, 300, 45, sprite_, 0, 0, 64, 48), 0);
  EXPECT_EQ(wrapped->restores, 1);
  backScreen = realBack;
  realBack->AddRef();
  wrapped->Release();
  // Neither surface was left locked.
  SurfaceLock back(backScreen), sprite(spriteTable[sprite_].surface);
  EXPECT_TRUE(back.Locked());
  EXPECT_TRUE(sprite.Locked());
}

TEST_F(RotationOnScreen, SpriteWhoseLockFailsLeavesTheScreenUnlocked) {
  LPDIRECTDRAWSURFACE realSprite = spriteTable[sprite_].surface;
  FaultySurface* wrapped = new FaultySurface(realSprite);
  wrapped->lost = false;
  wrapped->lockResult = DDERR_GENERIC;
  spriteTable[sprite_].surface = wrapped;
  EXPECT_EQ(RotateZoom(0, 0, 640, 480, 10, 2, sprite_, 0, 0, 64, 48), 0);
  EXPECT_EQ(SmearBlt(0, 0, 2, 5, sprite_, 0, 0, 64, 48), 0);
  spriteTable[sprite_].surface = realSprite;
  realSprite->AddRef();
  wrapped->Release();
  SurfaceLock back(backScreen);
  EXPECT_TRUE(back.Locked());
}

}  // namespace
