// Clip-rectangle curtains in the running program: their run over frames with
// the flags, the blits they cut, and the end of a running curtain when the
// scene changes.
#include <gtest/gtest.h>
#include <mu.h>

#include "surface_pixels.h"
#include "test_app.h"

namespace {

using namespace muDraw;
using testpix::Snapshot;

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new testapp::ScreenEnvironment);

constexpr DWORD kBlue = 0x1F;   // the blue channel's lowest bits on 16- and 32-bit screens

class Curtains : public ::testing::Test {
 protected:
  void SetUp() override {
    SetClip(0, 0, 640, 480);
    curtainState = 0;
    picture = CreateObject(640, 480, 2);
    ASSERT_GT(picture, 0);
    testpix::FillSurface(spriteTable[picture].surface, kBlue);
    // Each frame: step the curtain, then draw the whole picture under it.
    testapp::onFrame = [this] {
      muSystem::frameSeconds = 0;   // one pixel a step, whatever the frame took
      StepCurtain();
      ClearScreen();
      BltKey(0, 0, picture, 0, 0, 640, 480);
    };
  }
  void TearDown() override {
    testapp::onFrame = nullptr;
    muSystem::sceneNumber = muSystem::previousScene = 1;
    curtainState = 0;
    SetClip(0, 0, 640, 480);
    DeleteObject(picture);
  }
  // The drawn part of the back screen as (left, top, right, bottom).
  RECT Drawn() {
    Snapshot s(backScreen);
    RECT r = {640, 480, 0, 0};
    for (int y = 0; y < 480; ++y) {
      for (int x = 0; x < 640; ++x) {
        if (s.At(x, y) != kBlue) continue;
        r.left = std::min<LONG>(r.left, x);
        r.top = std::min<LONG>(r.top, y);
        r.right = std::max<LONG>(r.right, x + 1);
        r.bottom = std::max<LONG>(r.bottom, y + 1);
      }
    }
    return r;
  }
  int picture = 0;
};

// What the iris shows part-way, on the real screen, is the end-to-end test
// of curtain_view's.
TEST_F(Curtains, AnOpeningIrisRunsUntilItIsOpenThenShowsAll) {
  ASSERT_EQ(StartCurtain(0, 7, 0, 0), 1);
  EXPECT_EQ(curtainState, 1);
  EXPECT_EQ(curtainOpened, 0);
  EXPECT_EQ(StartCurtain(1, 1, 0, 0), 0);   // one runs already
  for (int i = 0; i < 100; ++i) testapp::Frame();
  EXPECT_EQ(clipLeft, 220);
  int frames = 100;
  while (curtainState == 1 && frames < 1000) {
    testapp::Frame();
    ++frames;
  }
  EXPECT_EQ(frames, 320);
  EXPECT_EQ(curtainOpened, 1);
  EXPECT_EQ(curtainClosed, 0);
  const RECT all = Drawn();
  EXPECT_EQ(all.left, 0);
  EXPECT_EQ(all.bottom, 480);
  EXPECT_EQ(StepCurtain(), 0);
}

TEST_F(Curtains, AClosingCurtainEndsClosedAndTheNextOneStartsFromTheWholeScreen) {
  ASSERT_EQ(StartCurtain(1, 1, 0, 0), 1);
  int frames = 0;
  while (curtainState == 2 && frames < 1000) {
    testapp::Frame();
    ++frames;
  }
  EXPECT_EQ(frames, 480);
  EXPECT_EQ(curtainState, -1);
  EXPECT_EQ(curtainClosed, 1);
  testapp::Frame();
  EXPECT_EQ(Drawn().right, 0);   // nothing is drawn through a closed curtain
  ASSERT_EQ(StartCurtain(0, 2, 0, 0), 1);
  EXPECT_EQ(curtainClosed, 0);
  EXPECT_EQ(clipBottom, 0);
  EXPECT_EQ(clipRight, 640);
  testapp::Frame();
  EXPECT_EQ(Drawn().bottom, 1);
}

TEST_F(Curtains, ASceneChangeEndsARunningCurtain) {
  ASSERT_EQ(StartCurtain(0, 3, 0, 0), 1);
  for (int i = 0; i < 5; ++i) testapp::Frame();
  EXPECT_EQ(clipLeft, 635);
  muSystem::sceneNumber = 2;   // the frame that sees the change ends the curtain
  testapp::Frame();
  EXPECT_EQ(curtainState, 0);
  EXPECT_EQ(clipLeft, 0);
  EXPECT_EQ(clipRight, 640);
  EXPECT_EQ(muSystem::sceneChanged, 1);
  muSystem::sceneNumber = 1;
  testapp::Frame();
  EXPECT_EQ(Drawn().left, 0);

  // A closed curtain is not running: a scene change leaves it closed.
  CloseCurtain();
  muSystem::sceneNumber = 2;
  testapp::Frame();
  EXPECT_EQ(curtainState, -1);
  EXPECT_EQ(clipRight, 0);
}

}  // namespace
