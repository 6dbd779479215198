// The joysticks on the real multimedia joystick service, where no controller
// can be attached: the service's own answer, the screen set-up's JoyInit, and
// the failure value of every operation.
#include <gtest/gtest.h>
#include <mu.h>

#include <cstring>

#include "test_app.h"

namespace {

using namespace muSystem;

int screenResult = -1;

// A record with every field set, to see what the set-up and the operations change.
JoyRecord Busy() { return {10, -20, 50, {30, 40, 50, 60}, 50, {3, 3, 1, 2}}; }

bool Same(const JoyRecord& a, const JoyRecord& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

class ShellEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    testapp::onInit = [] {
      joyRecords[0] = joyRecords[1] = Busy();
      joyCenterX[0] = joyCenterX[1] = joyCenterY[0] = joyCenterY[1] = 99;
      screenResult = muDraw::Screen(640, 480, 1);
      sceneNumber = 1;
      previousScene = 0;
    };
    ASSERT_TRUE(testapp::StartShell());
  }
  void TearDown() override { muDraw::Release(); }
};
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new ShellEnvironment);

TEST(Joystick, ScreenSetUpClearsBothRecords) {
  ASSERT_EQ(screenResult, 1);
  for (int joy = 0; joy < kJoysticks; ++joy) {
    EXPECT_TRUE(Same(joyRecords[joy], JoyRecord{})) << "controller " << joy;
    EXPECT_EQ(joyCenterX[joy], 0);
    EXPECT_EQ(joyCenterY[joy], 0);
  }
  // The calibration's queries went through the shared record.
  EXPECT_EQ(joyInfo.dwSize, 52u);
  EXPECT_EQ(joyInfo.dwFlags, kJoyCalibrateFlags);
}

TEST(Joystick, EveryOperationGivesItsFailureValue) {
  for (UINT joy = 0; joy < kJoysticks; ++joy) {   // the service finds no controller
    JOYINFOEX info = {sizeof info, JOY_RETURNALL};
    ASSERT_NE(joyGetPosEx(joy, &info), static_cast<MMRESULT>(JOYERR_NOERROR)) << "controller " << joy;
  }
  joyRecords[0] = Busy();
  int o[4] = {9, 9, 9, 9};
  EXPECT_EQ(JoyButton(0, 1) + JoyButtonState(0, 1) + JoyButton(1, 4), 0);
  EXPECT_EQ(joyInfo.dwFlags, kJoyButtonFlags);
  for (auto four : {JoyButtons, JoyButtonStates, JoyButtonCharges}) {
    EXPECT_EQ(four(0, &o[0], &o[1], &o[2], &o[3]), 0);
  }
  EXPECT_EQ(JoyDirection8(0), 5);
  EXPECT_EQ(JoyDirection8(1), 5);
  EXPECT_EQ(joyInfo.dwFlags, kJoyStickFlags);
  for (auto two : {JoyDirection, JoyPosition, JoyAnalog}) EXPECT_EQ(two(0, &o[0], &o[1]), 0);
  EXPECT_EQ(o[0] + o[1] + o[2] + o[3], 0);
  EXPECT_TRUE(Same(joyRecords[0], Busy()));
  EXPECT_EQ(JoyButtonCharge(0, 1), 0);
  EXPECT_EQ(joyRecords[0].buttonCharge[0], 0.0f);   // counts as let go
}

}  // namespace
