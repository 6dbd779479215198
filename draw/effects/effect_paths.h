// What the kernels' paths share, internal to draw/effects: the loop over
// non-transparent source pixels, the choice of pixel type, the per-call plans
// of the float blends, and the entry points of the vector paths.
#ifndef MU_DRAW_EFFECTS_EFFECT_PATHS_H
#define MU_DRAW_EFFECTS_EFFECT_PATHS_H

#include <cstdint>

#include "draw/effects/blend.h"
#include "draw/effects/channels.h"

namespace mu {

// Writes op(s, d) over every target pixel whose source pixel s is not 0.
template <typename P, typename Op>
void EachPixel(PixelView dst, ConstPixelView src, Op op) {
  for (int y = 0; y < dst.height; ++y) {
    P* d = dst.Row<P>(y);
    const P* s = src.Row<P>(y);
    for (int x = 0; x < dst.width; ++x) {
      if (s[x] != 0) d[x] = static_cast<P>(op(s[x], d[x]));
    }
  }
}

// Calls body(std::uint16_t{}) or body(std::uint32_t{}) for the format's
// depth; an unsupported format or an empty area draws nothing.
template <typename Body>
void ForDepth(const PixelView& dst, const PixelFormat& f, Body body) {
  if (dst.Empty() || !EffectsSupported(f)) return;
  if (f.Sixteen()) {
    body(std::uint16_t{});
  } else {
    body(std::uint32_t{});
  }
}

// One float blend of native channels, result = d + floor(w x (s - d)) per
// channel, prepared once for a weight w of the source. With the weight's
// arithmetic exact in extended precision this equals the rule's extended sum
// truncated (DifferenceSteps). Each channel then has a vector form: a base
// (the target, or the source with the weight 1 - w on d - s) and a multiplier.
struct AlphaPlan {
  bool exact;                    // false: only the per-pixel reference arithmetic is right
  bool vector;                   // every channel has a multiplier
  bool baseIsSource[3];
  int multiplier[3];
  DifferenceSteps steps[3];      // floor(w x k), for the plain path
  void Build(const PixelFormat& f, const long double weight[3]);
};

// The fade rule's cuts per channel, in the depth's units: max(s - sourceCut, 0)
// + max(d - targetCut, 0), capped at the depth's maximum.
struct FadeCuts {
  int source[3];
  int target[3];
};

// Widest area the sprite effects' fast paths take in their fixed tables and
// row buffers (the gradients' columns, the sliding box blur, the soft edge);
// wider areas go through the reference loops.
constexpr int kMaxColumns = 4096;

// Per-column settings of a horizontal gradient for the vector paths (every
// row has the same), with room for the spare lanes of a row's last vector.
struct ColumnAlpha {
  std::int16_t multiplier[3][kMaxColumns + 8];
  std::int16_t sourceBase[3][kMaxColumns + 8];   // -1: the plan's base is the source
};
struct ColumnCuts {
  std::int16_t source[3][kMaxColumns + 8];       // 16-bit: five-bit cuts per channel
  std::int16_t target[3][kMaxColumns + 8];
  std::uint32_t sourceBytes[kMaxColumns + 8];    // 32-bit: the cuts in each channel's byte
  std::uint32_t targetBytes[kMaxColumns + 8];
};

#ifdef __SSE2__
namespace sse2 {
// Each returns false when it has no vector form for the format; the caller
// then runs the plain path.
bool HalfBlend(PixelView dst, ConstPixelView src, const PixelFormat& f);
bool AlphaRows(PixelView dst, ConstPixelView src, const PixelFormat& f, const AlphaPlan& plan);
bool FadeRows(PixelView dst, ConstPixelView src, const PixelFormat& f, const FadeCuts& cuts);
bool AlphaColumns(PixelView dst, ConstPixelView src, const PixelFormat& f, const ColumnAlpha& columns);
bool FadeColumns(PixelView dst, ConstPixelView src, const PixelFormat& f, const ColumnCuts& columns);
bool AddBlend(PixelView dst, ConstPixelView src, const PixelFormat& f, int cut);
bool ShadowBlend(PixelView dst, ConstPixelView src, const PixelFormat& f);
bool Darken(PixelView dst, ConstPixelView src, const PixelFormat& f, const int cut[3]);
bool Brightness(PixelView dst, ConstPixelView src, const PixelFormat& f, const ScaleSteps steps[3]);
bool GrayBlt(PixelView dst, ConstPixelView src, const PixelFormat& f);
bool ChannelMask(PixelView dst, ConstPixelView src, const PixelFormat& f, std::uint32_t keep);
bool BoxBlur2(PixelView dst, ConstPixelView src, const PixelFormat& f);
// The soft edge's inner columns 1 .. end - 1 of every row, eight at a time;
// the caller does column 0 and the columns from `end` on by the plain rule.
bool SoftEdge(PixelView dst, ConstPixelView src, const PixelFormat& f, int& end);
}  // namespace sse2
#endif

}  // namespace mu

#endif
