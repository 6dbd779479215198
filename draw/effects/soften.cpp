#include "draw/effects/soften.h"

#include <cstdint>

#include "draw/effects/neighbours.h"

namespace mu {

namespace {

template <typename P>
void SoftenLoop(PixelView a, const ChannelLevels& l, unsigned fade) {
  for (int r = 1; r < a.height - 1; ++r) {
    const P* up = a.Row<P>(r - 1);   // already softened
    P* row = a.Row<P>(r);
    const P* down = a.Row<P>(r + 1);
    for (int col = 1; col < a.width - 1; ++col) {
      row[col] = FourNeighbourAverage<P>(l, row[col - 1], row[col + 1], up[col], down[col], fade);
    }
  }
}

}  // namespace

void SoftenAreaReference(PixelView area, const PixelFormat& f, unsigned fade) {
  const ChannelLevels l = LevelsOf(f);
  if (f.Sixteen()) SoftenLoop<std::uint16_t>(area, l, fade);
  if (f.ThirtyTwo()) SoftenLoop<std::uint32_t>(area, l, fade);
}

void SoftenArea(PixelView area, const PixelFormat& f, unsigned fade) {
  if (!SoftenAreaSse2(area, f, fade)) SoftenAreaReference(area, f, fade);
}

}  // namespace mu
