#include "input/key_rules.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Polls a key once per entry of `down` and records the states.
std::vector<int> Poll(std::vector<bool> down, int start = 0) {
  std::vector<int> seen;
  int s = start;
  for (bool d : down) {
    s = mu::NextKeyState(s, d, false);
    seen.push_back(s);
  }
  return seen;
}

TEST(KeyState, PressHoldRelease) {
  EXPECT_EQ(Poll({true, true, true, false, false}), (std::vector<int>{1, 3, 3, 2, 0}));
  // Up, down, up: one pressed and one released, never held.
  EXPECT_EQ(Poll({false, true, false}), (std::vector<int>{0, 1, 2}));
  // Released and pressed again between two polls: seen down twice, stays held.
  EXPECT_EQ(Poll({true, true}, 3), (std::vector<int>{3, 3}));
  // Down right after a release goes to held, not pressed.
  EXPECT_EQ(mu::NextKeyState(2, true, false), 3);
}

TEST(KeyState, SilencedReadsUpThenPressesAfter) {
  int s = 0;
  s = mu::NextKeyState(s, true, true);
  EXPECT_EQ(s, 0);
  s = mu::NextKeyState(s, true, true);
  EXPECT_EQ(s, 0);
  // A key held through a wipe is pressed at the first poll after it.
  s = mu::NextKeyState(s, true, false);
  EXPECT_EQ(s, 1);
  EXPECT_EQ(mu::NextKeyState(3, false, true), 0);
}

constexpr int kReturn = 13, kSpace = 32, kA = 'A';

struct TriggerFixture : ::testing::Test {
  mu::Trigger t = {0, 0};
  mu::TriggerInput in = {0, 0, 0, 0};
  const int list[2] = {kReturn, 1};
  int Call() { return mu::StepTrigger(t, in, list, 2); }
  void KeyDown(int k) { in.heldKey = in.lastKey = k; }
  void KeyUp(int k) {
    if (in.heldKey == k) in.heldKey = 0;
  }
};

TEST_F(TriggerFixture, KeyFiresAtReleaseOnce) {
  EXPECT_EQ(Call(), 0);
  KeyDown(kReturn);
  EXPECT_EQ(Call(), 0);
  EXPECT_EQ(Call(), 0);
  KeyUp(kReturn);
  EXPECT_EQ(Call(), kReturn);
  EXPECT_EQ(in.lastKey, 0);
  EXPECT_EQ(Call(), 0);
}

TEST_F(TriggerFixture, LeftClickFiresAtRelease) {
  EXPECT_EQ(Call(), 0);
  in.heldButton = in.lastButton = 1;
  EXPECT_EQ(Call(), 0);
  in.heldButton = 0;
  EXPECT_EQ(Call(), 1);
  EXPECT_EQ(in.lastButton, 0);
}

TEST_F(TriggerFixture, KeyHeldBeforeFirstCall) {
  KeyDown(kReturn);
  EXPECT_EQ(Call(), 0);
  EXPECT_EQ(Call(), 0);
  KeyUp(kReturn);
  EXPECT_EQ(Call(), kReturn);
}

TEST_F(TriggerFixture, UnlistedKeyCancels) {
  EXPECT_EQ(Call(), 0);
  KeyDown(kReturn);
  EXPECT_EQ(Call(), 0);
  KeyDown(kSpace);           // while Return is still down
  EXPECT_EQ(Call(), 0);
  KeyUp(kReturn);
  EXPECT_EQ(Call(), 0);
  KeyUp(kSpace);
  EXPECT_EQ(Call(), 0);
  EXPECT_EQ(Call(), 0);
}

TEST_F(TriggerFixture, UnlistedKeyTappedBetweenCallsStillReportsListedKey) {
  EXPECT_EQ(Call(), 0);
  KeyDown(kReturn);
  EXPECT_EQ(Call(), 0);
  KeyDown(kA);
  KeyUp(kA);                 // pressed and let go before the next call
  EXPECT_EQ(Call(), kReturn);
  EXPECT_EQ(t.state, 0);
  EXPECT_EQ(in.lastKey, 0);
  EXPECT_EQ(in.lastButton, 0);
  EXPECT_EQ(Call(), 0);      // reported once
  KeyUp(kReturn);
  EXPECT_EQ(Call(), 0);
}

TEST(Trigger, EmptyListNeverFires) {
  mu::Trigger t = {0, 0};
  mu::TriggerInput in = {0, kReturn, 0, 0};
  EXPECT_EQ(mu::StepTrigger(t, in, nullptr, 0), 0);
  EXPECT_EQ(t.state, 1);
  EXPECT_EQ(in.lastKey, kReturn);
}

}  // namespace
