// The channel rules every pixel effect shares, on 16- and 32-bit pixels, and
// the per-call tables that make the float effects exact and fast.
//
// Depths. On a 16-bit screen the "level" effects work on five-bit components
// (a six-bit channel is halved, and its lowest bit comes out 0), the "native"
// ones on each channel's full width. On a 32-bit screen (8-8-8) both kinds work
// on the 8-bit channels; a five-bit level n (a fade level, a darkness, a cut)
// becomes the 8-bit amount LevelTo8(n) = round(n x 255 / 31), so that levels 0
// and 31 stay exact and a result reduced to five bits is within one level of
// the 16-bit one.
//
// Kernels. Every kernel has a reference loop that reads like its rule and may
// have a vector path beside it; kernelPath says which one runs (tests and the
// benchmark switch it), and a vector path runs only where it is built.
//
// Bad input. Alphas and amounts are held to 0..1, factors to 0..256 (a factor
// above 1 brightens and each channel saturates), levels to 0..31; a value that
// is not a number counts as 0.
#ifndef MU_DRAW_EFFECTS_CHANNELS_H
#define MU_DRAW_EFFECTS_CHANNELS_H

#include <cstdint>

#include "draw/pixels/pixel_view.h"

namespace mu {

enum class KernelPath { kFast, kReference };
extern KernelPath kernelPath;   // kFast unless a test or benchmark asks for the reference
inline bool FastPath() { return kernelPath == KernelPath::kFast; }

// Widest row the area effects' vector paths (softening, smoke, grain) take
// in their fixed row buffers; wider areas go through the reference loops.
constexpr int kAreaRowCapacity = 2048;

constexpr int kChannelValues = 256;   // values of the widest channel the effects draw on (8 bits)
constexpr int kTopLevel = 31;         // highest five-bit level
constexpr int kMaxFactor = 256;       // factors above this saturate every lit channel anyway

// True for the formats the effects draw on: 16-bit with 5- or 6-bit channels,
// 32-bit with 8-bit channels. Anything else draws nothing.
bool EffectsSupported(const PixelFormat& f);

// A five-bit level as an amount on 8-bit channels: 0 -> 0, 31 -> 255.
constexpr int LevelTo8(int level) { return (level * 255 + 15) / 31; }

// The rules per pixel type: what a "level" component is and where it goes.
template <typename P>
struct Depth;

template <>
struct Depth<std::uint16_t> {
  static constexpr int kMax = 31;                 // five-bit components
  static constexpr int Level(int n) { return n; }
  // The lowest bit of channel c's component: its top five bits.
  static std::uint32_t Position(const PixelFormat& f, int c) { return f.channel[c].top5; }
  static std::uint32_t Get(std::uint32_t p, const PixelFormat& f, int c) {
    return (p >> Position(f, c)) & 31u;
  }
  static std::uint32_t Put(std::uint32_t v, const PixelFormat& f, int c) {
    return v << Position(f, c);
  }
  static constexpr int kFiveBitShift = 0;         // component >> this = its five-bit value
};

template <>
struct Depth<std::uint32_t> {
  static constexpr int kMax = 255;                // 8-bit components
  static constexpr int Level(int n) { return LevelTo8(n); }
  static std::uint32_t Position(const PixelFormat& f, int c) { return f.channel[c].shift; }
  static std::uint32_t Get(std::uint32_t p, const PixelFormat& f, int c) {
    return (p >> Position(f, c)) & 255u;
  }
  static std::uint32_t Put(std::uint32_t v, const PixelFormat& f, int c) {
    return v << Position(f, c);
  }
  static constexpr int kFiveBitShift = 3;
};

// Input clean-up (see the top of this file).
float UnitValue(float v);
float FactorValue(float v);
int LevelValue(int level);
// trunc(31 - amount x 31) in extended precision, amount held to 0..1: 0..31.
int CutOf(float amount);

// floor() of an extended value of magnitude below 2^62, without a library
// call or a change of the FPU's rounding mode: adding 1.5 x 2^63 rounds it to
// a whole number (the sum lies where the spacing is 1), which is corrected
// down when it came out above v.
inline long long FloorExtended(long double v) {
  const long double big = 13835058055282163712.0L;   // 1.5 x 2^63
  long double r = (v + big) - big;
  if (r > v) r -= 1;
  return static_cast<long long>(r);
}
// trunc() of a non-negative extended value (below 2^62).
inline long long TruncExtended(long double v) { return FloorExtended(v); }

// A 16-bit fixed-point multiplier A with floor(k x A / 32768) == value[k - lo]
// for every k in lo..hi (the vector paths compute it as the high half of
// (2k) x A), A in 0..maxA; -1 when no such A exists. `hint` is the scale the
// values came from (A is nearly always hint x 32768, rounded down or up).
int FitMultiplier(const int* value, int lo, int hi, int maxA, long double hint);

// floor(weight x k) for every difference k = -range..range of two components,
// as the extended product gives it. A blend base + weight x (other - base)
// formed in extended precision equals base + Step(other - base) exactly when
// `exact` is set (weight is a multiple of 2^-43 in 0..1, so no product or sum
// of components below 512 rounds); `multiplier` is FitMultiplier of the steps.
struct DifferenceSteps {
  static constexpr int kRange = 255;
  bool exact;
  int range;
  int multiplier;               // -1: none fits
  int step[2 * kRange + 1];     // floor(weight x k) at index k + range
  void Build(long double weight, int range);
  int Step(int k) const { return step[k + range]; }
};

// min(trunc(v x factor), max) for every component v = 0..max, computed by the
// extended product; `multiplier` as FitMultiplier (up to 65535: unsigned).
struct ScaleSteps {
  int max;
  int multiplier;
  int value[kChannelValues];
  void Build(float factor, int max);
};

// Channel flags of the fading and grain effects: bit c set for channel c.
inline unsigned ChannelFlags(int red, int green, int blue) {
  return (red ? 1u : 0u) | (green ? 2u : 0u) | (blue ? 4u : 0u);
}
constexpr unsigned kAllChannels = 7;

}  // namespace mu

#endif
