#include "input/joystick_state.h"

#include "input/key_rules.h"

namespace muSystem {

JoyRecord joyRecords[kJoysticks];
int joyCenterX[kJoysticks], joyCenterY[kJoysticks];

}  // namespace muSystem

namespace mu {

using muSystem::joyCenterX;
using muSystem::joyCenterY;
using muSystem::JoyRecord;
using muSystem::joyRecords;
using muSystem::kJoyButtons;
using muSystem::kJoysticks;

namespace {

constexpr float kRampLimit = 100.0f;

// The value held within [low, high]. A NaN, which only a NaN speed can bring,
// becomes 0, so a stored value always has a defined whole part.
float Bounded(float value, float low, float high) {
  if (value >= high) return high;
  if (value <= low) return low;
  return value == value ? value : 0.0f;
}

bool ValidJoystick(int joy) { return joy >= 0 && joy < kJoysticks; }
bool ValidButton(int button) { return button >= 1 && button <= kJoyButtons; }

// One query of a controller; a controller number out of range never reaches the platform.
bool Read(int joy, std::uint32_t flags, JoyReading& reading) {
  return ValidJoystick(joy) && joyPlatform.read(joy, flags, reading);
}

bool Down(const JoyReading& reading, int button) {
  return ((reading.buttons >> (button - 1)) & 1u) != 0;
}

void Put(int* out, int value) {
  if (out) *out = value;
}

// The next state of a button of an answering controller.
int AdvanceState(int joy, int button, const JoyReading& reading, bool silenced) {
  int& state = joyRecords[joy].buttonState[button - 1];
  state = NextKeyState(state, Down(reading, button), silenced);
  return state;
}

// The next charge of a button; a button that could not be read counts as up.
int AdvanceCharge(int joy, int button, bool down) {
  JoyRecord& record = joyRecords[joy];
  return StepCharge(record.buttonCharge[button - 1], down, record.buttonSpeed,
                    joyPlatform.frameSeconds());
}

// The stick's direction on both axes, measured from the rest position.
bool StickDirections(int joy, int& dx, int& dy) {
  JoyReading reading = {};
  if (!Read(joy, muSystem::kJoyStickFlags, reading)) return false;
  dx = AxisDirection(reading.x, joyCenterX[joy]);
  dy = AxisDirection(reading.y, joyCenterY[joy]);
  return true;
}

}  // namespace

int AxisDirection(std::uint32_t position, int rest) {
  // In 64 bits: rest / 2 + rest passes the range of int for a large rest value.
  std::int64_t at = position, half = rest / 2;
  if (at <= half) return -1;
  if (at >= half + rest) return 1;
  return 0;
}

int KeypadDirection(int dx, int dy) { return 5 + dx - 3 * dy; }

int StepCharge(float& charge, bool down, float speed, float seconds) {
  // The lower bound only matters for a negative speed.
  charge = down ? Bounded(charge + seconds * speed, 0.0f, kRampLimit) : 0.0f;
  return static_cast<int>(charge);
}

int StepAnalog(float& value, int direction, float speed, float seconds) {
  float step = seconds * speed;
  if (direction != 0) {
    value += static_cast<float>(direction) * step;
  } else if (value > 0.0f) {
    value -= step;
    if (value < 0.0f) value = 0.0f;
  } else if (value < 0.0f) {
    value += step;
    if (value > 0.0f) value = 0.0f;
  }
  // Back in the middle band a negative speed would push the value outward
  // without end: it stays within the limits there too.
  value = Bounded(value, -kRampLimit, kRampLimit);
  return static_cast<int>(value);
}

}  // namespace mu

namespace muSystem {

using mu::JoyReading;
using mu::Put;

void JoyInit() {
  mu::joyPlatform.configChanged();
  JoyCalibrate();
  for (JoyRecord& record : joyRecords) record = JoyRecord{};
}

void JoyCalibrate() {
  for (int joy = 0; joy < kJoysticks; ++joy) {
    JoyReading reading = {};
    bool answered = mu::Read(joy, kJoyCalibrateFlags, reading);
    joyCenterX[joy] = answered ? static_cast<int>(reading.x) : 0;
    joyCenterY[joy] = answered ? static_cast<int>(reading.y) : 0;
  }
}

void JoyReset() {
  for (JoyRecord& record : joyRecords) {
    record.analogX = record.analogY = 0.0f;
    for (float& charge : record.buttonCharge) charge = 0.0f;
  }
}

void SetJoySpeed(int joy, float stickSpeed, float buttonSpeed) {
  if (!mu::ValidJoystick(joy)) return;
  joyRecords[joy].stickSpeed = stickSpeed;
  joyRecords[joy].buttonSpeed = buttonSpeed;
}

void GetJoyCenter(int joy, int* x, int* y) {
  bool valid = mu::ValidJoystick(joy);
  Put(x, valid ? joyCenterX[joy] : 0);
  Put(y, valid ? joyCenterY[joy] : 0);
}

int JoyButton(int joy, int button) {
  JoyReading reading = {};
  bool down = mu::ValidButton(button) && mu::Read(joy, kJoyButtonFlags, reading) &&
              mu::Down(reading, button);
  return down ? 1 : 0;
}

int JoyButtonState(int joy, int button) {
  JoyReading reading = {};
  if (!mu::ValidButton(button) || !mu::Read(joy, kJoyButtonFlags, reading)) return 0;
  return mu::AdvanceState(joy, button, reading, mu::joyPlatform.inputSilenced());
}

int JoyButtons(int joy, int* b1, int* b2, int* b3, int* b4) {
  int* out[kJoyButtons] = {b1, b2, b3, b4};
  JoyReading reading = {};
  bool answered = mu::Read(joy, kJoyButtonFlags, reading);
  for (int i = 0; i < kJoyButtons; ++i) Put(out[i], answered && mu::Down(reading, i + 1) ? 1 : 0);
  return answered ? 1 : 0;
}

int JoyButtonStates(int joy, int* s1, int* s2, int* s3, int* s4) {
  int* out[kJoyButtons] = {s1, s2, s3, s4};
  JoyReading reading = {};
  bool answered = mu::Read(joy, kJoyButtonFlags, reading);
  bool silenced = answered && mu::joyPlatform.inputSilenced();
  for (int i = 0; i < kJoyButtons; ++i) {
    Put(out[i], answered ? mu::AdvanceState(joy, i + 1, reading, silenced) : 0);
  }
  return answered ? 1 : 0;
}

int JoyButtonCharge(int joy, int button) {
  if (!mu::ValidJoystick(joy) || !mu::ValidButton(button)) return 0;
  JoyReading reading = {};
  bool answered = mu::Read(joy, kJoyButtonFlags, reading);
  return mu::AdvanceCharge(joy, button, answered && mu::Down(reading, button));
}

int JoyButtonCharges(int joy, int* c1, int* c2, int* c3, int* c4) {
  int* out[kJoyButtons] = {c1, c2, c3, c4};
  JoyReading reading = {};
  bool answered = mu::Read(joy, kJoyButtonFlags, reading);
  for (int i = 0; i < kJoyButtons; ++i) {
    Put(out[i], answered ? mu::AdvanceCharge(joy, i + 1, mu::Down(reading, i + 1)) : 0);
  }
  return answered ? 1 : 0;
}

int JoyDirection(int joy, int* dx, int* dy) {
  int x = 0, y = 0;
  bool answered = mu::StickDirections(joy, x, y);
  Put(dx, x);
  Put(dy, y);
  return answered ? 1 : 0;
}

int JoyDirection8(int joy) {
  int dx = 0, dy = 0;
  mu::StickDirections(joy, dx, dy);   // no answer: centre
  return mu::KeypadDirection(dx, dy);
}

int JoyPosition(int joy, int* x, int* y) {
  JoyReading reading = {};
  bool answered = mu::Read(joy, kJoyStickFlags, reading);
  Put(x, answered ? static_cast<int>(reading.x) : 0);
  Put(y, answered ? static_cast<int>(reading.y) : 0);
  return answered ? 1 : 0;
}

int JoyAnalog(int joy, int* x, int* y) {
  int dx = 0, dy = 0;
  int ax = 0, ay = 0;
  bool answered = mu::StickDirections(joy, dx, dy);
  if (answered) {
    JoyRecord& record = joyRecords[joy];
    float seconds = mu::joyPlatform.frameSeconds();
    ax = mu::StepAnalog(record.analogX, dx, record.stickSpeed, seconds);
    ay = mu::StepAnalog(record.analogY, dy, record.stickSpeed, seconds);
  }
  Put(x, ax);
  Put(y, ay);
  return answered ? 1 : 0;
}

}  // namespace muSystem
