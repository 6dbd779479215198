// The curtains' edge machine on a 640 x 480 clip rectangle: every type opening
// and closing to the end with the number of steps its edges need, the flags,
// restarts, the instant close, types that never end; and the frame step.
#include "draw/effects/curtain_edges.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <vector>

#include "draw/effects/frame_motion.h"
#include "pixel_pictures.h"

namespace {

using mu::ClipBounds;
using mu::Curtain;

const ClipBounds kFull = {0, 0, 640, 480};
const Curtain kFresh = {kFull, {}, 0, 0, 0, 0, 0, 0, 0};

std::vector<int> script = {0};
size_t scriptAt;
int Scripted() { return script[scriptAt++ % script.size()]; }

using pictures::Ints;
const char* const kWhole = "0 0 640 480";   // kFull as Ints show it

// Steps until the curtain stops running; the number of calls it took.
int RunToEnd(Curtain& c, float seconds = 0, int most = 5000) {
  int calls = 0;
  while (c.state > 0 && calls < most) {
    EXPECT_TRUE(mu::StepCurtain(c, seconds));
    ++calls;
  }
  return calls;
}

class Curtains : public ::testing::Test {
 protected:
  Curtain c = kFresh;
};

TEST_F(Curtains, EveryTypeOpensAndClosesInTheStepsItsEdgesNeed) {
  // Speed 0: every edge moves one pixel a call. Band 100 for types 8 and 9.
  // An opening curtain starts from the collapsed rectangle a closing one ends
  // on, and takes as many steps.
  struct Case {
    int type;
    const char* shut;   // the collapsed rectangle
    int steps;
  } cases[] = {
      {1, "0 480 640 480", 480},   {2, "0 0 640 0", 480},         {3, "640 0 640 480", 640},
      {4, "0 0 0 480", 640},       {5, "0 240 640 240", 240},     {6, "320 0 320 480", 320},
      {7, "320 240 320 240", 320}, {8, "270 240 370 240", 240 + 270}, {9, "320 190 320 290", 320 + 190},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.type);
    c = kFresh;
    ASSERT_TRUE(mu::StartCurtain(c, 0, k.type, 0, 100, Scripted));
    EXPECT_EQ(c.state, mu::kCurtainOpening);
    EXPECT_EQ(Ints(c.clip), k.shut);
    EXPECT_EQ(RunToEnd(c), k.steps);
    EXPECT_EQ(c.state, mu::kCurtainIdle);
    EXPECT_EQ(Ints(c.clip), kWhole);
    EXPECT_EQ(c.opened, 1);
    EXPECT_EQ(c.closed, 0);

    ASSERT_TRUE(mu::StartCurtain(c, 1, k.type, 0, 100, Scripted));
    EXPECT_EQ(c.state, mu::kCurtainClosing);
    EXPECT_EQ(c.opened, 0);
    EXPECT_EQ(Ints(c.clip), kWhole);   // a closing curtain starts from the whole rectangle
    EXPECT_EQ(RunToEnd(c), k.steps);
    EXPECT_EQ(c.state, mu::kCurtainClosed);
    EXPECT_EQ(c.closed, 1);
    EXPECT_EQ(Ints(c.clip), k.shut);
    EXPECT_FALSE(mu::StepCurtain(c, 0));   // nothing runs
  }
}

TEST_F(Curtains, TwoStageTypesMoveTheirSecondPairOnlyAfterTheFirst) {
  mu::StartCurtain(c, 0, 8, 0, 100, Scripted);
  for (int i = 0; i < 240; ++i) mu::StepCurtain(c, 0);
  EXPECT_EQ(Ints(c.clip), "270 0 370 480");   // a full-height band
  mu::StepCurtain(c, 0);
  EXPECT_EQ(Ints(c.clip), "269 0 371 480");
  RunToEnd(c);

  mu::StartCurtain(c, 1, 9, 0, 100, Scripted);
  for (int i = 0; i < 189; ++i) mu::StepCurtain(c, 0);
  EXPECT_EQ(Ints(c.clip), "0 189 640 291");
  mu::StepCurtain(c, 0);
  EXPECT_EQ(Ints(c.clip), "0 190 640 290");   // stands on the band
  mu::StepCurtain(c, 0);
  EXPECT_EQ(Ints(c.clip), "1 190 639 290");

  // A band wider than the rectangle is the whole rectangle.
  c = kFresh;
  mu::StartCurtain(c, 0, 8, 0, 2000, Scripted);
  EXPECT_EQ(Ints(c.clip), "0 240 640 240");
  EXPECT_EQ(RunToEnd(c), 240);
  mu::StartCurtain(c, 1, 9, 0, 5000, Scripted);
  EXPECT_EQ(RunToEnd(c), 320);
}

TEST_F(Curtains, TheStepIsTheFrameTimesSpeedPlusOne) {
  struct Case {
    float seconds, speed;
    long long step;
  } cases[] = {
      {0, 0, 1}, {0.5f, 10, 6}, {0.25f, 3, 1}, {NAN, 10, 1}, {1, NAN, 1}, {1, -100, 1},
      {1, INFINITY, 1}, {1, 1e30f, INT_MAX + 1LL},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(mu::StepPixels(k.seconds, k.speed), k.step) << k.seconds << " x " << k.speed;
  }
  // Every moving edge moves by the whole step in one call.
  mu::StartCurtain(c, 0, 7, 10, 0, Scripted);
  mu::StepCurtain(c, 0.5f);
  EXPECT_EQ(Ints(c.clip), "314 234 326 246");
  // A step larger than any rectangle ends the curtain in one call.
  mu::StartCurtain(c, 0, 8, 1e30f, 0, Scripted);   // refused: one runs
  EXPECT_EQ(c.type, 7);
  c.speed = 1e30f;
  EXPECT_EQ(RunToEnd(c, 1), 1);
  EXPECT_EQ(Ints(c.clip), kWhole);
  for (int type : {1, 5, 7, 8}) {
    mu::StartCurtain(c, 1, type, 1e30f, 0, Scripted);
    RunToEnd(c, 1);
    EXPECT_EQ(c.state, mu::kCurtainClosed) << type;
    EXPECT_GE(c.clip.left, 0);
    EXPECT_LE(c.clip.right, 640);
  }
}

TEST_F(Curtains, TypeZeroIsChosenAtRandomAndBadArgumentsCountAsZero) {
  struct Case {
    int type, random, chosen;
  } cases[] = {{0, 0, 1}, {0, 8, 9}, {0, 9, 1}, {0, 32767, 8}, {-4, 4, 5}, {3, 4, 3}, {12, 0, 12}};
  for (const Case& k : cases) {
    c = kFresh;
    script = {k.random};
    mu::StartCurtain(c, 1, k.type, 0, -7, Scripted);
    EXPECT_EQ(c.type, k.chosen) << k.type << " with " << k.random;
    EXPECT_EQ(c.band, 0);
  }
  script = {0};
}

TEST_F(Curtains, RestartsCloseAndTypesThatNeverEnd) {
  mu::StartCurtain(c, 1, 1, 0, 0, Scripted);
  EXPECT_FALSE(mu::StartCurtain(c, 0, 2, 0, 0, Scripted));   // no restart or reversal
  EXPECT_EQ(c.type, 1);
  EXPECT_EQ(RunToEnd(c), 480);
  // A closed curtain's rectangle comes back before the next one starts.
  ASSERT_TRUE(mu::StartCurtain(c, 0, 6, 0, 0, Scripted));
  EXPECT_EQ(Ints(c.saved), kWhole);
  EXPECT_EQ(Ints(c.clip), "320 0 320 480");
  EXPECT_EQ(c.closed, 0);
  // Ended from outside (a scene change): the saved rectangle back, idle.
  mu::EndCurtain(c);
  EXPECT_EQ(c.state, mu::kCurtainIdle);
  EXPECT_EQ(Ints(c.clip), kWhole);

  // Closed at once, twice: the second close saves the collapsed rectangle,
  // and a later curtain opens towards nothing.
  c.clip = {10, 20, 300, 200};
  mu::CloseCurtain(c);
  EXPECT_EQ(Ints(c.clip), "10 20 10 20");
  EXPECT_EQ(Ints(c.saved), "10 20 300 200");
  EXPECT_EQ(c.state, mu::kCurtainClosed);
  mu::EndCurtain(c);   // not running: nothing
  EXPECT_EQ(Ints(c.clip), "10 20 10 20");
  mu::CloseCurtain(c);
  EXPECT_EQ(Ints(c.saved), "10 20 10 20");
  ASSERT_TRUE(mu::StartCurtain(c, 0, 7, 0, 0, Scripted));
  EXPECT_EQ(RunToEnd(c), 1);
  EXPECT_EQ(Ints(c.clip), "10 20 10 20");

  // A type above 9 leaves the rectangle alone and runs for ever.
  c = kFresh;
  for (int closing : {0, 1}) {
    ASSERT_TRUE(mu::StartCurtain(c, closing, 10, 100, 0, Scripted));
    EXPECT_EQ(Ints(c.clip), kWhole);
    EXPECT_EQ(RunToEnd(c, 1, 1000), 1000);
    EXPECT_GT(c.state, 0);
    mu::EndCurtain(c);
  }
}

TEST(FrameMotion, TruncationAndAdvanceStayDefined) {
  EXPECT_EQ(mu::TruncToInt(NAN), 0);
  EXPECT_EQ(mu::TruncToInt(1e300), INT_MAX);
  EXPECT_EQ(mu::TruncToInt(-1e300), INT_MIN);
  EXPECT_EQ(mu::TruncToInt(-2.7), -2);
  EXPECT_FLOAT_EQ(mu::Advance(1, 0.5f, 4), 3);
  EXPECT_FLOAT_EQ(mu::Advance(1, NAN, 4), 1);
  EXPECT_FLOAT_EQ(mu::Advance(3e38f, 1, 3e38f), 0);   // overflows to infinity: 0
}

}  // namespace
