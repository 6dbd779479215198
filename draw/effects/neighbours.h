// The four-neighbour average that softening and smoke share: per channel, the
// sum of the left, right, upper and lower neighbours' values (the pixel itself
// left out) shifted right by 2, optionally lowered by one level in the fading
// channels (never below 0).
#ifndef MU_DRAW_EFFECTS_NEIGHBOURS_H
#define MU_DRAW_EFFECTS_NEIGHBOURS_H

#include <cstdint>

#include "draw/effects/levels.h"

namespace mu {

template <typename P>
inline P FourNeighbourAverage(const ChannelLevels& l, P left, P right, P up, P down,
                              unsigned fade) {
  std::uint32_t out = 0;
  for (int c = 0; c < 3; ++c) {
    std::uint32_t v = (l.Get(left, c) + l.Get(right, c) + l.Get(up, c) + l.Get(down, c)) >> 2;
    if ((fade >> c) & 1) v = v >= l.unit ? v - l.unit : 0;
    out |= l.Put(v, c);
  }
  return static_cast<P>(out);
}

}  // namespace mu

#endif
