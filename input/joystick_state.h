// Platform-free side of the joysticks: the stored records and the operations
// of mu_joystick.h, the direction thresholds and the two ramps. The platform
// reaches them through one seam, joyPlatform: the Windows layer
// (input/joystick.cpp) answers it with joyGetPosEx, native tests with
// readings of their own.
#ifndef MU_INPUT_JOYSTICK_STATE_H
#define MU_INPUT_JOYSTICK_STATE_H

#include <cstdint>

#include "include/mu_joystick.h"

namespace mu {

// One answer of a controller.
struct JoyReading {
  std::uint32_t x, y;        // stick position
  std::uint32_t buttons;     // bit n - 1 set while button n is down
};

struct JoyPlatform {
  // Reads controller joy with the query flags; false when it does not answer.
  bool (*read)(int joy, std::uint32_t flags, JoyReading& reading);
  void (*configChanged)();   // the controllers' configuration may have changed
  float (*frameSeconds)();   // length of the previous frame
  bool (*inputSilenced)();   // polled button states read up (wipe, page view, key capture)
};
// Defined by the platform layer (and by native tests, which feed it).
extern JoyPlatform joyPlatform;

// One axis: -1 at or below rest / 2, +1 at or beyond rest / 2 + rest, else 0.
int AxisDirection(std::uint32_t position, int rest);

// Keypad direction of a pair of axis directions: 8 up, 2 down, 4 left, 6 right, 5 centre.
int KeypadDirection(int dx, int dy);

// A button's charge after one frame: grows by seconds x speed up to 100 while
// down, 0 when up. Returns its whole part.
int StepCharge(float& charge, bool down, float speed, float seconds);

// An analog value after one frame with the axis direction d: ramps toward
// d x 100 by seconds x speed, or back to 0 without overshooting when d is 0.
// Returns its whole part.
int StepAnalog(float& value, int direction, float speed, float seconds);

}  // namespace mu

#endif
