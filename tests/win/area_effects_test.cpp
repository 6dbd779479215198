// The effects on an area of the back screen on the real DirectDraw screen
// under Wine, beside their golden rows (golden/area_effect_goldens.cpp): empty
// and off-screen areas succeed without a lock failure, and the noise that
// smoke and grain read exists on every depth. Runs on the display it gets
// (16- or 32-bit back screen).
#include <gtest/gtest.h>
#include <mu.h>

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

TEST(AreaEffectsOnScreen, GrainBrightensABlackScreenOnEveryDepth) {
  ASSERT_EQ(screenResult, 1);
  ClearScreen();
  EXPECT_EQ(Grain(0, 0, 0, 640, 480), 1);
  SurfaceLock lock(backScreen);
  ASSERT_TRUE(lock.Locked());
  const mu::PixelView v = lock.View();
  int lit = 0;
  for (int y = 0; y < v.height; ++y)
    for (int i = 0; i < v.width * lock.BitsPerPixel() / 8; ++i) lit += v.Row<std::uint8_t>(y)[i] != 0;
  // Two thirds of the noise values are not 0.
  EXPECT_GT(lit, v.width * v.height / 2);
}

TEST(AreaEffectsOnScreen, EmptyAndOffScreenAreasSucceed) {
  ASSERT_EQ(screenResult, 1);
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
}

}  // namespace
