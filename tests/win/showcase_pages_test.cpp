// The showcase's pages driven by the real frame loop under a fixed frame time
// of a quarter second: each page runs for forty seconds of its own time. The
// whole round is made once; the tests then check what it left: no error box,
// every sprite and sound given back, the library's state as the pages found
// it, a changing picture where a page animates, and every operation the
// showcase is to demonstrate printed on some page. Run with Wine's output
// recorded (the sound pages then have a device to play on) and without a
// sound device (they run all the same, playing nothing).
#include <gtest/gtest.h>
#include <mu.h>

#include <set>
#include <string>
#include <vector>

#include "message_box.h"
#include "showcase/call_text.h"
#include "showcase/page.h"
#include "showcase/pager.h"
#include "sound/sound_table.h"
#include "surface_pixels.h"
#include "test_app.h"

namespace {

using showcase::kDemoArea;
using showcase::kPageCount;
using showcase::kPages;

constexpr float kFrameSeconds = 0.25f;
constexpr int kFramesPerPage = 160;   // forty seconds of page time: a round of every page's show

int LiveSprites() {
  int n = 0;
  for (int i = muDraw::kInternalSprites; i < muDraw::kSpriteCount; ++i) {
    n += muDraw::spriteTable[i].surface != nullptr;
  }
  return n;
}

int LiveSounds() {
  int n = 0;
  for (const muSound::SoundObject& row : muSound::soundTable) n += row.inUse != 0;
  return n;
}

// The demo area of the back screen as the last frame left it.
std::vector<DWORD> DemoPixels() {
  testpix::Snapshot shot(muDraw::backScreen);
  std::vector<DWORD> pixels;
  for (int y = kDemoArea.top; y < kDemoArea.bottom; y += 2) {
    for (int x = kDemoArea.left; x < kDemoArea.right; x += 2) pixels.push_back(shot.At(x, y));
  }
  return pixels;
}

struct PageResult {
  bool opened;          // the page was shown when asked for
  int changedPixels;    // between two frames a quarter second apart
  int callLines;        // lines under its picture in its last frame
};

struct Round {
  bool started = false;
  int spritesBefore = 0, soundsBefore = 0, spritesAfter = 0, soundsAfter = 0;
  std::vector<PageResult> pages;
  std::set<std::string> operations;   // every operation printed on any page
  std::vector<BoxRecord> boxes;
  int errorRaised = 0;
  bool pageViewShown = false;   // a click on the page view's page turned it on
};
Round round;

void Collect() {
  for (const showcase::CallLog* log :
       {&showcase::setupCalls, &showcase::eventCalls, &showcase::frameCalls}) {
    for (int i = 0; i < log->count; ++i) round.operations.insert(log->lines[i].name);
  }
}

// A left click at a point of the client area, seen by the next frame.
void Click(int x, int y) {
  muSystem::mouseX = x;
  muSystem::mouseY = y;
  muSystem::leftPressed = 1;
}

void Frames(int count) {
  for (int i = 0; i < count; ++i) {
    // The frame loop measures the frame from lastFrameTime: a quarter second
    // and whatever the frame itself took, which the page's frame then drops.
    muSystem::lastFrameTime = timeGetTime() - static_cast<DWORD>(kFrameSeconds * 1000);
    testapp::Frame();
    Collect();
  }
}

// The showcase's frame with a frame time of exactly a quarter second, so that
// every page shows the same moments on a busy machine as on a quiet one.
void FixedTimeFrame() {
  muSystem::frameSeconds = kFrameSeconds;
  showcase::ShowcaseFrame();
}

class ShowcasePages : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (testapp::StartScreen(false) != 1) return;
    AutoAnswer answer(IDOK);
    showcase::StartShowcase();
    testapp::onFrame = FixedTimeFrame;
    round.started = true;
    round.spritesBefore = LiveSprites();
    round.soundsBefore = LiveSounds();
    for (int i = 0; i < kPageCount; ++i) {
      showcase::RequestPage(i);
      Frames(kFramesPerPage / 2);
      if (std::string(kPages[i]->name) == "pageview") {
        Click(320, 200);   // on, for the rest of the page's time
        Frames(1);
        round.pageViewShown = muDraw::pageViewOn == 1;
      }
      Frames(kFramesPerPage / 2);
      const std::vector<DWORD> before = DemoPixels();
      Frames(1);
      const std::vector<DWORD> after = DemoPixels();
      int changed = 0;
      for (size_t p = 0; p < before.size(); ++p) changed += before[p] != after[p];
      round.pages.push_back(PageResult{showcase::CurrentPage() == i, changed,
                                       showcase::setupCalls.count + showcase::eventCalls.count +
                                           showcase::frameCalls.count});
    }
    showcase::RequestPage(0);
    Frames(2);
    round.spritesAfter = LiveSprites();
    round.soundsAfter = LiveSounds();
    round.boxes = answer.boxes();
    round.errorRaised = muSystem::errorRaised;
    testapp::onFrame = nullptr;
  }

  void SetUp() override { ASSERT_TRUE(round.started) << "no screen"; }
};

TEST_F(ShowcasePages, EveryPageRunsWithoutAnErrorBox) {
  EXPECT_EQ(round.errorRaised, 0);
  for (const BoxRecord& box : round.boxes) ADD_FAILURE() << box.caption << ": " << box.body;
}

TEST_F(ShowcasePages, PagesGiveBackTheirSpritesAndSoundsAndLeaveTheLibraryAsTheyFoundIt) {
  EXPECT_EQ(round.spritesAfter, round.spritesBefore);
  EXPECT_EQ(round.soundsAfter, round.soundsBefore);
  EXPECT_TRUE(round.pageViewShown);
  EXPECT_EQ(muDraw::pageViewOn, 0);
  EXPECT_EQ(muDraw::wipeStep, 0);
  EXPECT_EQ(muDraw::wipeDirection, 0);
  EXPECT_EQ(muSound::midiOpen, 0);
  // The first page's curtain has opened onto the demo area.
  EXPECT_EQ(muDraw::curtainState, 0);
  EXPECT_EQ(muDraw::clipLeft, kDemoArea.left);
  EXPECT_EQ(muDraw::clipTop, kDemoArea.top);
  EXPECT_EQ(muDraw::clipRight, kDemoArea.right);
  EXPECT_EQ(muDraw::clipBottom, kDemoArea.bottom);
}

TEST_F(ShowcasePages, EachPageIsShownAnimatesWhereItSaysAndPrintsItsCalls) {
  ASSERT_EQ(static_cast<int>(round.pages.size()), kPageCount);
  for (int i = 0; i < kPageCount; ++i) {
    SCOPED_TRACE(kPages[i]->name);
    const PageResult& page = round.pages[i];
    EXPECT_TRUE(page.opened);
    EXPECT_GT(page.callLines, 0);
    if (kPages[i]->animated) {
      EXPECT_GT(page.changedPixels, 20);
    }
  }
}

TEST_F(ShowcasePages, EveryOperationToShowIsPrintedOnSomePage) {
  static const char* const kShown[] = {
      // fills, stretched, mirrored and raster blits
      "muDraw::ClearObject", "muDraw::ClearBox", "muDraw::ClearFrame", "muDraw::WhiteScreen",
      "muDraw::WhiteBox", "muDraw::FillBox", "muDraw::TintBox", "muDraw::StretchKey",
      "muDraw::Stretch", "muDraw::FlipBlt", "muDraw::WaveBlt", "muDraw::TileScroll",
      "muDraw::WaveScroll", "muDraw::WaveBand", "muDraw::RowMosaic", "muDraw::SkipRows",
      "muDraw::JitterBlt", "muDraw::RollBlt", "muDraw::CaptureBox",
      // pixel effects
      "muDraw::HalfBlend", "muDraw::AlphaBlend", "muDraw::AlphaBlendRGB", "muDraw::FadeBlend",
      "muDraw::FadeBlendRGB", "muDraw::AlphaGradient", "muDraw::FadeGradient", "muDraw::AddBlend",
      "muDraw::AddBlendLevel", "muDraw::ShadowBlend", "muDraw::SoftEdge", "muDraw::ChannelMask",
      "muDraw::Brightness", "muDraw::BrightnessRGB", "muDraw::Darken", "muDraw::DarkenRGB",
      "muDraw::BoxBlur", "muDraw::GrayBlt", "muDraw::DisplaceBlt", "muDraw::GlowBlt",
      // effects on the back screen
      "muDraw::Smoke", "muDraw::SmokeFade", "muDraw::Soften", "muDraw::SoftenFade",
      "muDraw::Zoom2", "muDraw::Zoom4", "muDraw::DiscMosaic", "muDraw::Grain", "muDraw::GrainRGB",
      // rotation, smear, ripple and tunnel
      "muDraw::RotateBlt", "muDraw::RotateTile", "muDraw::RotateZoom", "muDraw::RotateZoomTile",
      "muDraw::RotateStretchTile", "muDraw::SmearBlt", "muDraw::RippleBlt", "muDraw::MakeTunnel",
      "muDraw::DrawTunnel",
      // curtains, the tile wipe and the page view
      "muDraw::StartCurtain", "muDraw::StepCurtain", "muDraw::CloseCurtain", "muDraw::SetWipe",
      "muDraw::WipeForward", "muDraw::WipeBackward", "muDraw::SetPage", "muDraw::TogglePage",
      // text layout
      "muDraw::Message", "muDraw::MessageLayout", "muDraw::SmoothMessage",
      "muDraw::SmoothMessageLayout", "muDraw::TypeMessage",
      // the picture pack
      "muDraw::SetPack", "muDraw::LoadPack", "muDraw::SwapPack",
      // sound effects, the stream and the MIDI piece
      "muSound::LoadObject", "muSound::Play", "muSound::PlayLoop", "muSound::Stop",
      "muSound::TogglePause", "muSound::SetVolume", "muSound::AddVolume",
      "muSound::ResetVolume", "muSound::SetPan", "muSound::CenterPan", "muSound::PanLeft",
      "muSound::PanRight", "muSound::SetFrequency", "muSound::AddFrequency",
      "muSound::ResetFrequency", "muSound::Echo", "muSound::EchoPan", "muSound::SelectFormat",
      "muSound::SetPack", "muSound::LoadPack", "muSound::LoadStream", "muSound::Streaming",
      "muSound::GetPlayPosition", "muSound::PlayMidi",
  };
  for (const char* name : kShown) {
    // Without a sound device the sound pages load nothing and play nothing.
    if (!muSound::soundEnabled && std::string(name).rfind("muSound::", 0) == 0) continue;
    EXPECT_EQ(round.operations.count(name), 1u) << name;
  }

}

}  // namespace
