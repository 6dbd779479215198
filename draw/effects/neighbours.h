// The four-neighbour average that softening and smoke share: per channel, the
// sum of the left, right, upper and lower neighbours' values (the pixel itself
// left out) shifted right by 2, optionally lowered by one level in the fading
// channels (never below 0).
#ifndef MU_DRAW_EFFECTS_NEIGHBOURS_H
#define MU_DRAW_EFFECTS_NEIGHBOURS_H

#include <cstdint>

#include "draw/effects/channels.h"

namespace mu {

template <typename P>
inline P FourNeighbourAverage(const PixelFormat& f, P left, P right, P up, P down, unsigned fade) {
  using D = Depth<P>;
  const std::uint32_t level = D::Level(1);
  std::uint32_t out = 0;
  for (int c = 0; c < 3; ++c) {
    std::uint32_t v =
        (D::Get(left, f, c) + D::Get(right, f, c) + D::Get(up, f, c) + D::Get(down, f, c)) >> 2;
    if ((fade >> c) & 1) v = v >= level ? v - level : 0;
    out |= D::Put(v, f, c);
  }
  return static_cast<P>(out);
}

}  // namespace mu

#endif
