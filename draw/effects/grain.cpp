#include "draw/effects/grain.h"

#include <algorithm>

#include "draw/effects/channels.h"

namespace mu {

namespace {

template <typename P>
void GrainLoop(PixelView a, const PixelFormat& f, int shift, unsigned channels,
               NoiseReader& reader, const std::uint8_t* noise) {
  for (int r = 0; r < a.height; ++r) {
    P* row = a.Row<P>(r);
    for (int col = 0; col < a.width; ++col) {
      row[col] = Grained(row[col], f, Depth<P>::Level(reader.Read(noise) << shift), channels);
    }
  }
}

}  // namespace

void AddGrain(PixelView area, const PixelFormat& f, int shift, unsigned channels,
              NoiseReader& reader, const std::uint8_t* noise) {
  shift = std::clamp(shift, 0, kMaxGrainShift);
  if (!EffectsSupported(f) || (FastPath() && AddGrainSse2(area, f, shift, channels, reader, noise)))
    return;
  if (f.Sixteen()) GrainLoop<std::uint16_t>(area, f, shift, channels, reader, noise);
  if (f.ThirtyTwo()) GrainLoop<std::uint32_t>(area, f, shift, channels, reader, noise);
}

}  // namespace mu
