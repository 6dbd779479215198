// The ripple's wave functions in 32-bit floats: a cosine and an exponential
// written out operation by operation, so that the plain code and the vector
// path (ripple_sse2.cpp, which performs the same operations on four values at
// once) give the same bits, and every machine gives the same results. Both are
// accurate to a few units in the last place over the ripple's arguments.
// Internal to draw/effects.
#ifndef MU_DRAW_EFFECTS_WAVE_H
#define MU_DRAW_EFFECTS_WAVE_H

#include <cmath>
#include <cstdint>
#include <cstring>

namespace mu {
namespace wave {

// Rounding to a whole number: adding and taking away 1.5 x 2^23 leaves a
// value below 2^22 in size rounded to the nearest whole (ties to even).
constexpr float kRound = 12582912.0f;

// cos x from x = k pi/2 + r, |r| <= pi/4, and the sine or cosine of r by the
// quadrant k mod 4; pi/2 is split in three parts, the first of which has a
// product with k (below 2^15) that is exact.
constexpr float kTwoOverPi = 0.636619772367581343f;
constexpr float kHalfPi1 = 1.5703125f;
constexpr float kHalfPi2 = 4.837512969970703125e-4f;
constexpr float kHalfPi3 = 7.54978995489188216e-8f;
// Arguments from 2^15 x pi/2 up are outside the reduction's range.
constexpr float kCosLimit = 51471.0f;
constexpr float kSin1 = -1.6666654611e-1f, kSin2 = 8.3321608736e-3f, kSin3 = -1.9515295891e-4f;
constexpr float kCos1 = 4.166664568298827e-2f, kCos2 = -1.388731625493765e-3f, kCos3 = 2.443315711809948e-5f;

// exp t = 2^n e^r with t = n ln 2 + r, |r| <= ln 2 / 2.
constexpr float kLog2E = 1.44269504088896341f;
constexpr float kLn2Hi = 0.693359375f, kLn2Lo = -2.12194440e-4f;
constexpr float kExpMax = 87.0f;   // arguments are held to +-87: 2^n stays a normal number
constexpr float kExp1 = 5.0000001201e-1f, kExp2 = 1.6666665459e-1f, kExp3 = 4.1665795894e-2f,
                kExp4 = 8.3334519073e-3f, kExp5 = 1.3981999507e-3f, kExp6 = 1.9875691500e-4f;

inline float FromBits(std::uint32_t b) {
  float f;
  std::memcpy(&f, &b, sizeof f);
  return f;
}

// cos x for |x| < kCosLimit (a larger or non-finite x gives 1).
inline float Cos(float x) {
  x = std::fabs(x);
  if (!(x < kCosLimit)) return 1.0f;
  const float k = (x * kTwoOverPi + kRound) - kRound;
  const float r = ((x - k * kHalfPi1) - k * kHalfPi2) - k * kHalfPi3;
  const float z = r * r;
  const float c = ((kCos3 * z + kCos2) * z + kCos1) * z * z - 0.5f * z + 1.0f;
  const float s = ((kSin3 * z + kSin2) * z + kSin1) * z * r + r;
  switch (static_cast<int>(k) & 3) {
    case 0: return c;
    case 1: return -s;
    case 2: return -c;
    default: return s;
  }
}

// e^t, t held to -87..87 (a value that is not a number is taken as -87).
inline float Exp(float t) {
  t = t > -kExpMax ? t : -kExpMax;   // also a value that is not a number
  t = t < kExpMax ? t : kExpMax;
  const float n = (t * kLog2E + kRound) - kRound;
  const float r = (t - n * kLn2Hi) - n * kLn2Lo;
  const float z = r * r;
  const float p =
      (((((kExp6 * r + kExp5) * r + kExp4) * r + kExp3) * r + kExp2) * r + kExp1) * z + r + 1.0f;
  return p * FromBits(static_cast<std::uint32_t>(static_cast<int>(n) + 127) << 23);
}

}  // namespace wave
}  // namespace mu

#endif
