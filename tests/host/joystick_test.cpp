// The joystick operations with controllers fed through the platform seam.
#include "input/joystick_state.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <utility>
#include <vector>

namespace {

using namespace muSystem;

bool present[kJoysticks];
mu::JoyReading readings[kJoysticks];
int badQueries, configChanges;
float seconds;
bool silenced;

bool FakeRead(int joy, std::uint32_t flags, mu::JoyReading& reading) {
  if (joy < 0 || joy >= kJoysticks) {
    ++badQueries;
    return false;
  }
  reading = readings[joy];
  return present[joy];
}

}  // namespace

namespace mu {
JoyPlatform joyPlatform = {FakeRead, [] { ++configChanges; }, [] { return seconds; },
                           [] { return silenced; }};
}  // namespace mu

namespace {

constexpr std::uint32_t kRest = 32767, kLow = 0, kHigh = 65535;

bool Same(const JoyRecord& a, const JoyRecord& b) { return std::memcmp(&a, &b, sizeof a) == 0; }
// A record with every field set, to see what an operation changes.
const JoyRecord kBusy = {10, -20, 50, {30, 40, 50, 60}, 50, {3, 3, 1, 2}};

struct Joystick : ::testing::Test {
  void SetUp() override {
    present[0] = present[1] = false;
    readings[0] = readings[1] = {kRest, kRest, 0};
    seconds = 1.0f / 64;
    silenced = false;
    JoyInit();
  }
  void Attach() {   // controller 0, calibrated at rest
    present[0] = true;
    JoyCalibrate();
  }
  void Stick(std::uint32_t x, std::uint32_t y) {
    readings[0].x = x;
    readings[0].y = y;
  }
};

TEST_F(Joystick, NoControllerGivesFailureValuesAndKeepsState) {
  joyRecords[0] = kBusy;
  int o[4] = {9, 9, 9, 9};
  EXPECT_EQ(JoyButton(0, 1) + JoyButtonState(0, 1), 0);
  EXPECT_EQ(JoyDirection8(0), 5);
  for (auto four : {JoyButtons, JoyButtonStates, JoyButtonCharges}) {
    EXPECT_EQ(four(0, &o[0], &o[1], &o[2], &o[3]), 0);
  }
  for (auto two : {JoyDirection, JoyPosition, JoyAnalog}) EXPECT_EQ(two(0, &o[0], &o[1]), 0);
  EXPECT_EQ(std::vector<int>(o, o + 4), std::vector<int>(4, 0));
  EXPECT_TRUE(Same(joyRecords[0], kBusy));
  // Only the single charge counts the unread button as let go.
  EXPECT_EQ(JoyButtonCharge(0, 2), 0);
  EXPECT_EQ(joyRecords[0].buttonCharge[1], 0.0f);
  EXPECT_EQ(joyRecords[0].buttonCharge[0], 30.0f);
}

TEST_F(Joystick, OutOfRangeNumbersChangeNothingAndNullOutputsAreSkipped) {
  Attach();
  readings[0].buttons = 0xF;
  joyRecords[0] = joyRecords[1] = kBusy;
  int o[4] = {9, 9, 9, 9};
  for (int button : {0, 5, -1, INT_MIN}) {
    EXPECT_EQ(JoyButton(0, button) + JoyButtonState(0, button) + JoyButtonCharge(0, button), 0);
  }
  for (int joy : {-1, 2, INT_MIN, INT_MAX}) {
    SetJoySpeed(joy, 1, 1);
    EXPECT_EQ(JoyButton(joy, 1) + JoyButtonState(joy, 1) + JoyButtonCharge(joy, 1), 0);
    EXPECT_EQ(JoyButtonStates(joy, &o[0], &o[1], &o[2], &o[3]) + JoyAnalog(joy, &o[0], &o[1]), 0);
    EXPECT_EQ(JoyDirection8(joy), 5);
    GetJoyCenter(joy, &o[2], &o[3]);
    EXPECT_EQ(std::vector<int>(o, o + 4), std::vector<int>(4, 0));
  }
  EXPECT_EQ(badQueries, 0);
  EXPECT_TRUE(Same(joyRecords[0], kBusy) && Same(joyRecords[1], kBusy));

  EXPECT_EQ(JoyButtonStates(0, nullptr, &o[1], nullptr, nullptr), 1);
  EXPECT_EQ(o[1], 3);
  EXPECT_EQ(joyRecords[0].buttonState[2], 3);   // advanced all the same
  for (auto four : {JoyButtons, JoyButtonCharges}) EXPECT_EQ(four(0, nullptr, nullptr, nullptr, nullptr), 1);
  for (auto two : {JoyDirection, JoyPosition, JoyAnalog}) EXPECT_EQ(two(0, nullptr, nullptr), 1);
  GetJoyCenter(0, nullptr, nullptr);
}

TEST(JoystickAxis, Thresholds) {
  struct Case {
    int rest;
    std::uint32_t position;
    int direction;
  } cases[] = {
      {32767, 16383, -1}, {32767, 16384, 0}, {32767, 49149, 0}, {32767, 49150, 1},
      {0, 0, -1}, {0, 1, 1},
      {INT_MAX, 3221225469u, 0}, {INT_MAX, 3221225470u, 1},   // beyond the range of int
  };
  for (const Case& c : cases) {
    EXPECT_EQ(mu::AxisDirection(c.position, c.rest), c.direction) << c.rest << " " << c.position;
  }
}

TEST_F(Joystick, KeypadDirectionsAndRawPosition) {
  present[0] = true;   // plugged in after the calibration: rest 0, 0
  Stick(1, 0);
  EXPECT_EQ(JoyDirection8(0), 9);
  Stick(kRest, kRest);
  JoyCalibrate();
  const std::uint32_t at[3] = {kLow, kRest, kHigh};
  const int keypad[3][3] = {{7, 8, 9}, {4, 5, 6}, {1, 2, 3}};
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 3; ++x) {
      Stick(at[x], at[y]);
      int dx, dy;
      JoyDirection(0, &dx, &dy);
      EXPECT_EQ(JoyDirection8(0), keypad[y][x]);
      EXPECT_EQ(std::make_pair(dx, dy), std::make_pair(x - 1, y - 1));
    }
  }
  Stick(1234, 56789);
  int px, py;
  JoyPosition(0, &px, &py);
  EXPECT_EQ(std::make_pair(px, py), std::make_pair(1234, 56789));
}

TEST_F(Joystick, AnalogRampsToTheLimitAndBackWithoutOvershoot) {
  struct Case {
    bool yAxis;
    std::uint32_t held;
    float frame, speed;
    int frames;   // to the limit, and back to 0
  } cases[] = {
      {false, kHigh, 1.0f / 64, 50, 128},   // 2 s at 50 a second
      {true, kLow, 1.0f / 16, 50, 32},
      {true, kHigh, 1.0f / 16, 30, 54},     // steps of 1.875: the last is cut at the limit
  };
  for (const Case& c : cases) {
    SetUp();
    Attach();
    seconds = c.frame;
    SetJoySpeed(0, c.speed, 0);
    const float& value = c.yAxis ? joyRecords[0].analogY : joyRecords[0].analogX;
    const float limit = c.held == kHigh ? 100.0f : -100.0f;
    for (float target : {limit, 0.0f}) {
      std::uint32_t at = target == 0.0f ? kRest : c.held;
      c.yAxis ? Stick(kRest, at) : Stick(at, kRest);
      for (int f = 1; f <= c.frames + 10; ++f) {
        float before = value;
        int a[2];
        JoyAnalog(0, &a[0], &a[1]);
        ASSERT_EQ(a[c.yAxis], static_cast<int>(value));
        ASSERT_EQ(a[!c.yAxis], 0);
        ASSERT_LE(std::fabs(value - target), std::fabs(before - target));
        ASSERT_GE(value * limit, 0.0f) << "crossed 0";
        ASSERT_EQ(value == target, f >= c.frames) << "frame " << f << " of " << c.frames;
      }
    }
  }
}

TEST_F(Joystick, ButtonStatesAndSilencing) {
  Attach();
  struct Case {
    std::vector<int> down, quiet, states;
  } cases[] = {
      {{1, 1, 1, 0, 0}, {0, 0, 0, 0, 0}, {1, 3, 3, 2, 0}},
      {{1, 1, 1, 1}, {1, 1, 0, 0}, {0, 0, 1, 3}},   // held through a wipe: pressed after it
      {{1, 1, 0, 0}, {0, 1, 1, 0}, {1, 0, 0, 0}},
  };
  for (bool four : {false, true}) {
    for (const Case& c : cases) {
      joyRecords[0].buttonState[2] = 0;
      for (size_t i = 0; i < c.down.size(); ++i) {
        readings[0].buttons = c.down[i] ? 0x4 : 0;
        silenced = c.quiet[i] != 0;
        int s[4];
        int got = four ? (JoyButtonStates(0, &s[0], &s[1], &s[2], &s[3]), s[2]) : JoyButtonState(0, 3);
        EXPECT_EQ(got, c.states[i]) << "poll " << i << (four ? " of four" : "");
        EXPECT_EQ(JoyButton(0, 3), c.down[i]);
      }
    }
  }
}

TEST_F(Joystick, ChargesGrowWhileHeldAndClearAtRelease) {
  Attach();
  struct Case {
    float speed;
    int frames, charge;
  } cases[] = {{0, 1000, 0}, {50, 127, 99}, {50, 128, 100}, {50, 400, 100}, {-50, 10, 0}};
  for (bool four : {false, true}) {
    for (const Case& c : cases) {
      SetJoySpeed(0, 0, c.speed);
      readings[0].buttons = 0x2;
      int got = 0, o[4];
      for (int f = 0; f < c.frames; ++f) {
        got = four ? (JoyButtonCharges(0, &o[0], &o[1], &o[2], &o[3]), o[1]) : JoyButtonCharge(0, 2);
      }
      EXPECT_EQ(got, c.charge) << c.speed << " x " << c.frames;
      readings[0].buttons = 0;
      EXPECT_EQ(JoyButtonCharge(0, 2), 0);
    }
  }
}

TEST(JoystickRamps, StayWithinTheirRangesWhateverTheSpeed) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  struct Case {
    float value;
    int direction;
    float speed;
    int after;
  } cases[] = {{-100, 0, -50, -100}, {100, 0, -50, 100}, {20, 1, nan, 0}, {20, -1, inf, -100}};
  for (const Case& c : cases) {
    float v = c.value;
    EXPECT_EQ(mu::StepAnalog(v, c.direction, c.speed, 1), c.after) << c.value << " " << c.speed;
    EXPECT_EQ(v, static_cast<float>(c.after));
  }
  float charge = 50;
  EXPECT_EQ(mu::StepCharge(charge, true, nan, 1), 0);
  EXPECT_EQ(mu::StepCharge(charge, true, inf, 1), 100);
}

TEST_F(Joystick, InitCalibratesAndClearsResetClearsOnlyTheRamps) {
  present[0] = true;
  readings[0] = {100, 200, 0};
  joyRecords[0] = joyRecords[1] = kBusy;
  configChanges = 0;
  JoyInit();
  EXPECT_EQ(configChanges, 1);
  int c[4];
  GetJoyCenter(0, &c[0], &c[1]);
  GetJoyCenter(1, &c[2], &c[3]);
  EXPECT_EQ(std::vector<int>(c, c + 4), (std::vector<int>{100, 200, 0, 0}));
  EXPECT_TRUE(Same(joyRecords[0], JoyRecord{}) && Same(joyRecords[1], JoyRecord{}));

  joyRecords[0] = joyRecords[1] = kBusy;
  JoyReset();
  const JoyRecord kept = {0, 0, 50, {0, 0, 0, 0}, 50, {3, 3, 1, 2}};
  EXPECT_TRUE(Same(joyRecords[0], kept) && Same(joyRecords[1], kept));
}

}  // namespace
