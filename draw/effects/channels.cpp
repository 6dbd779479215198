#include "draw/effects/channels.h"

#include <algorithm>
#include <cmath>

namespace mu {

KernelPath kernelPath = KernelPath::kFast;

bool EffectsSupported(const PixelFormat& f) {
  for (int c = 0; c < 3; ++c) {
    const std::uint32_t max = f.channel[c].max;
    if (f.bytesPerPixel == 2 && max != 31 && max != 63) return false;
    if (f.bytesPerPixel == 4 && max != 255) return false;
  }
  return f.bytesPerPixel == 2 || f.bytesPerPixel == 4;
}

float UnitValue(float v) {
  if (!(v > 0)) return 0;   // also a value that is not a number
  return v < 1 ? v : 1;
}

float FactorValue(float v) {
  if (!(v > 0)) return 0;
  return v < kMaxFactor ? v : static_cast<float>(kMaxFactor);
}

int LevelValue(int level) { return std::clamp(level, 0, kTopLevel); }

int CutOf(float amount) {
  const long double a = UnitValue(amount);
  return static_cast<int>(TruncExtended(31.0L - a * 31.0L));
}

namespace {

long long FloorDiv(long long a, long long b) {
  long long q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}
long long CeilDiv(long long a, long long b) { return -FloorDiv(-a, b); }

bool Fits(const int* value, int lo, int hi, long long a) {
  for (int k = lo; k <= hi; ++k) {
    if (((k * a) >> 15) != value[k - lo]) return false;   // >> of a negative value floors
  }
  return true;
}

}  // namespace

int FitMultiplier(const int* value, int lo, int hi, int maxA, long double hint) {
  // The scale's nearest multipliers nearly always fit: try them first.
  const long long near = FloorExtended(hint * 32768.0L);
  for (long long a : {near, near + 1}) {
    if (a >= 0 && a <= maxA && Fits(value, lo, hi, a)) return static_cast<int>(a);
  }
  // Each k bounds A from both sides: v x 32768 <= k x A <= (v + 1) x 32768 - 1.
  long long aMin = 0, aMax = maxA;
  for (int k = lo; k <= hi; ++k) {
    const long long v = value[k - lo];
    if (k == 0) {
      if (v != 0) return -1;
      continue;
    }
    const long long low = v * 32768, high = (v + 1) * 32768 - 1;
    if (k > 0) {
      aMin = std::max(aMin, CeilDiv(low, k));
      aMax = std::min(aMax, FloorDiv(high, k));
    } else {
      aMax = std::min(aMax, FloorDiv(low, k));
      aMin = std::max(aMin, CeilDiv(high, k));
    }
  }
  if (aMin > aMax || !Fits(value, lo, hi, aMin)) return -1;
  return static_cast<int>(aMin);
}

void DifferenceSteps::Build(long double weight, int r) {
  range = std::min(r, kRange);
  // 2^43 x weight whole: every product with a component below 512 and every
  // sum of two of them fits the 64-bit mantissa, so nothing rounds.
  const long double scaled = std::ldexp(weight, 43);
  exact = weight >= 0 && weight <= 1 && scaled == std::floor(scaled);
  for (int k = -range; k <= range; ++k) {
    step[k + range] = static_cast<int>(FloorExtended(weight * static_cast<long double>(k)));
  }
  multiplier = FitMultiplier(step, -range, range, 32767, weight);
}

void ScaleSteps::Build(float factor, int m) {
  max = m;
  const long double f = FactorValue(factor);
  for (int v = 0; v <= max; ++v) {
    long long t = TruncExtended(static_cast<long double>(v) * f);
    value[v] = static_cast<int>(std::min<long long>(t, max));
  }
  multiplier = FitMultiplier(value, 0, max, 65535, f);
}

}  // namespace mu
