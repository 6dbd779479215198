#include "draw/effects/soften.h"

#include <cstdint>

#include "draw/effects/neighbours.h"

namespace mu {

namespace {

template <typename P>
void SoftenLoop(PixelView a, const PixelFormat& f, unsigned fade) {
  for (int r = 1; r < a.height - 1; ++r) {
    const P* up = a.Row<P>(r - 1);   // already softened
    P* row = a.Row<P>(r);
    const P* down = a.Row<P>(r + 1);
    for (int col = 1; col < a.width - 1; ++col) {
      row[col] = FourNeighbourAverage<P>(f, row[col - 1], row[col + 1], up[col], down[col], fade);
    }
  }
}

}  // namespace

void SoftenArea(PixelView area, const PixelFormat& f, unsigned fade) {
  if (!EffectsSupported(f) || (FastPath() && SoftenAreaSse2(area, f, fade))) return;
  if (f.Sixteen()) SoftenLoop<std::uint16_t>(area, f, fade);
  if (f.ThirtyTwo()) SoftenLoop<std::uint32_t>(area, f, fade);
}

}  // namespace mu
