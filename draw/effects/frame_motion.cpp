#include "draw/effects/frame_motion.h"

#include <climits>
#include <cmath>

namespace mu {

int TruncToInt(double v) {
  if (std::isnan(v)) return 0;
  if (v <= static_cast<double>(INT_MIN)) return INT_MIN;
  if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
  return static_cast<int>(v);
}

float Finite(float v) { return std::isfinite(v) ? v : 0.0f; }

float Advance(float value, float seconds, float speed) {
  const float step = Finite(seconds) * speed;
  return Finite(Finite(value) + Finite(step));
}

long long StepPixels(float seconds, float speed) {
  const float pixels = Finite(seconds) * speed;
  const long long s = static_cast<long long>(TruncToInt(Finite(pixels))) + 1;
  return s < 1 ? 1 : s;
}

}  // namespace mu
