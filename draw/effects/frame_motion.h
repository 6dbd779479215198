// Motion scaled by the frame time, shared by the animated effects and the
// curtains: kept values moved by frameSeconds x speed as 32-bit floats, and
// float products made whole by truncation toward zero. A value or frame time
// that is not a finite number counts as 0, so that one bad frame cannot stick
// in a kept state for good (nor reach an undefined float-to-int conversion).
#ifndef MU_DRAW_EFFECTS_FRAME_MOTION_H
#define MU_DRAW_EFFECTS_FRAME_MOTION_H

namespace mu {

// trunc(v) as an int: 0 for a value that is not a number, the nearest end of
// the int range for one beyond it.
int TruncToInt(double v);

// v, or 0 when v is not a finite number.
float Finite(float v);

// value + seconds x speed, in floats; 0 when that is not finite.
float Advance(float value, float seconds, float speed);

// Whole pixels moved in one frame: trunc(seconds x speed) + 1, at least 1.
long long StepPixels(float seconds, float speed);

}  // namespace mu

#endif
