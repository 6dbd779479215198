// Film grain: every pixel of an area takes one noise value n (0, 1 or 2) and
// adds n << shift five-bit levels to its channels (all three, or the flagged
// ones), each saturating at its full value. Shifts of 5 and more saturate every
// channel a non-zero n touches; a negative shift counts as 0.
#ifndef MU_DRAW_EFFECTS_GRAIN_H
#define MU_DRAW_EFFECTS_GRAIN_H

#include <cstdint>

#include "draw/effects/channels.h"
#include "draw/effects/noise.h"
#include "draw/pixels/pixel_view.h"

namespace mu {

constexpr int kMaxGrainShift = 5;   // 1 << 5 already passes any five-bit channel

// One pixel: `grain` (Depth<P>::Level of its noise value << shift) added to
// each flagged channel, saturating at the channel's full value.
template <typename P>
P Grained(P p, const PixelFormat& f, std::uint32_t grain, unsigned channels) {
  using D = Depth<P>;
  std::uint32_t out = 0;
  for (int c = 0; c < 3; ++c) {
    std::uint32_t v = D::Get(p, f, c);
    if ((channels >> c) & 1) v = v + grain < D::kMax ? v + grain : D::kMax;
    out |= D::Put(v, f, c);
  }
  return static_cast<P>(out);
}

// `channels` holds the channel flags of channels.h.
void AddGrain(PixelView area, const PixelFormat& f, int shift, unsigned channels,
              NoiseReader& reader, const std::uint8_t* noise);
// The SSE2 path AddGrain takes; false when it does not apply.
bool AddGrainSse2(PixelView area, const PixelFormat& f, int shift, unsigned channels,
                  NoiseReader& reader, const std::uint8_t* noise);

}  // namespace mu

#endif
