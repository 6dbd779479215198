#include "draw/effects/smoke.h"

#include "draw/effects/neighbours.h"

namespace mu {

namespace {

template <typename P>
void SmokeLoop(PixelView v, const PixelFormat& f, unsigned fade, SmokeNoise& s,
               const std::uint8_t* noise) {
  for (int r = 1; r < v.height - 1; ++r) {
    P* up = v.Row<P>(r - 1);
    const P* row = v.Row<P>(r);
    const P* down = v.Row<P>(r + 1);
    for (int col = 1; col < v.width - 1; ++col) {
      ++s.counter;
      if (s.counter < s.reader.Peek(noise)) {
        up[col] = FourNeighbourAverage<P>(f, row[col - 1], row[col + 1], up[col], down[col], fade);
      } else {
        up[col] = row[col];
        s.counter = 0;
        s.reader.Advance();
      }
    }
  }
}

}  // namespace

void SmokeRise(PixelView rows, const PixelFormat& f, unsigned fade, SmokeNoise& state,
               const std::uint8_t* noise) {
  if (!EffectsSupported(f) || (FastPath() && SmokeRiseSse2(rows, f, fade, state, noise))) return;
  if (f.Sixteen()) SmokeLoop<std::uint16_t>(rows, f, fade, state, noise);
  if (f.ThirtyTwo()) SmokeLoop<std::uint32_t>(rows, f, fade, state, noise);
}

}  // namespace mu
