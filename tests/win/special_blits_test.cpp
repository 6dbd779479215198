// Fills, the tint, stretched, mirrored and raster blits and the capture, read
// back from the real back screen under Wine. Runs on the display it gets: a
// 16-bit display gives a 5-6-5 back screen, a 24-bit one a 32-bit screen.
#include <gtest/gtest.h>
#include <mu.h>

#include "surface_pixels.h"

namespace {

using namespace muDraw;
using testpix::Channel;
using testpix::Snapshot;

class Special : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testpix::StartScreen());
    SetClip(0, 0, 640, 480);
  }
  void TearDown() override {
    for (int i = kInternalSprites; i < kSpriteCount; ++i) DeleteObject(i);
    SetClip(0, 0, 640, 480);
    muSystem::frameSeconds = 0;
  }
  bool Sixteen() const { return muSystem::GetScreenDepth() == 16; }
};

TEST_F(Special, FillsCutToTheSurfaceAndIgnoreTheClipRectangle) {
  testpix::FillSurface(backScreen, whiteValue);
  ClearFrame(10, 10, 20, 20);
  ClearBox(600, 470, 700, 500);   // reaches past the surface: its visible part is cleared
  ClearBox(50, 50, 40, 60);       // inverted: nothing
  SetClip(0, 0, 5, 5);            // fills do not follow the clip rectangle
  FillBox(-5, 100, 3, 102, 0x12345);
  Snapshot s(backScreen);
  ASSERT_TRUE(s.Ok());
  for (int i = 10; i < 20; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(s.At(i, 10), 0u);
    EXPECT_EQ(s.At(i, 19), 0u);
    EXPECT_EQ(s.At(10, i), 0u);
    EXPECT_EQ(s.At(19, i), 0u);
  }
  EXPECT_EQ(s.At(11, 11), whiteValue);
  EXPECT_EQ(s.At(18, 18), whiteValue);
  EXPECT_EQ(s.At(20, 10), whiteValue);
  EXPECT_EQ(s.At(10, 20), whiteValue);
  EXPECT_EQ(s.At(639, 479), 0u);
  EXPECT_EQ(s.At(600, 470), 0u);
  EXPECT_EQ(s.At(599, 470), whiteValue);
  EXPECT_EQ(s.At(45, 55), whiteValue);
  const DWORD filled = Sixteen() ? 0x2345u : 0x12345u;   // 16-bit: the low 16 bits
  EXPECT_EQ(s.At(0, 100), filled);
  EXPECT_EQ(s.At(2, 101), filled);
  EXPECT_EQ(s.At(3, 101), whiteValue);

  ClearBox(0, 0, 640, 480);
  WhiteBox(100, 100, 102, 101);
  EXPECT_EQ(testpix::ReadPixel(backScreen, 101, 100), whiteValue);
  EXPECT_EQ(testpix::ReadPixel(backScreen, 101, 101), 0u);
  WhiteScreen();
  EXPECT_EQ(testpix::ReadPixel(backScreen, 639, 479), whiteValue);

  int sprite = CreateObject(30, 20, 2);
  ASSERT_GT(sprite, 0);
  testpix::FillSurface(spriteTable[sprite].surface, whiteValue);
  ClearObject(sprite);
  Snapshot cleared(spriteTable[sprite].surface);
  EXPECT_EQ(cleared.At(0, 0), 0u);
  EXPECT_EQ(cleared.At(29, 19), 0u);
  for (int bad : {-1, 1024, 700}) ClearObject(bad);   // outside the table or empty: nothing
}

TEST_F(Special, TintHalvesEveryChannelTowardsTheValue) {
  testpix::FillSurface(backScreen, 0);
  SetClip(0, 0, 100, 100);
  EXPECT_EQ(TintBox(90, 90, 200, 200, whiteValue), 1);   // cut to (90, 90, 100, 100)
  Snapshot s(backScreen);
  const DWORD half = s.At(95, 95);
  EXPECT_EQ(half, halfMask);
  if (Sixteen()) {
    EXPECT_EQ(testpix::Channel(half, 0), 15u);   // 15 of 31
    EXPECT_EQ(testpix::Channel(half, 1), 31u);   // 31 of 63
    EXPECT_EQ(testpix::Channel(half, 2), 15u);
  } else {
    EXPECT_EQ(half, 0x7F7F7Fu);
  }
  EXPECT_EQ(s.At(89, 95), 0u);
  EXPECT_EQ(s.At(100, 95), 0u);
  EXPECT_EQ(s.At(95, 100), 0u);

  // A second tint over the first: half of half plus half again.
  SetClip(0, 0, 640, 480);
  TintBox(90, 90, 91, 91, whiteValue);
  EXPECT_EQ(Channel(testpix::ReadPixel(backScreen, 90, 90), 1),
            Channel(half, 1) / 2 + Channel(whiteValue, 1) / 2);
  // Nothing to tint; and a clip rectangle larger than the surface touches only the surface.
  EXPECT_EQ(TintBox(50, 50, 40, 60, whiteValue), 1);
  SetClip(-100, -100, 2000, 2000);
  EXPECT_EQ(TintBox(-100, -100, 2000, 2000, 0), 1);
  EXPECT_EQ(testpix::ReadPixel(backScreen, 95, 95), (half >> 1) & halfMask);
  // No back screen to lock: 0.
  LPDIRECTDRAWSURFACE saved = backScreen;
  backScreen = nullptr;
  EXPECT_EQ(TintBox(0, 0, 10, 10, 0), 0);
  backScreen = saved;
}

}  // namespace
