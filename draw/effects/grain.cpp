#include "draw/effects/grain.h"

#include <algorithm>

#include "draw/effects/levels.h"

namespace mu {

namespace {

template <typename P>
void GrainLoop(PixelView a, const ChannelLevels& l, int shift, unsigned channels,
               NoiseReader& reader, const std::uint8_t* noise) {
  for (int r = 0; r < a.height; ++r) {
    P* row = a.Row<P>(r);
    for (int col = 0; col < a.width; ++col) {
      const std::uint32_t g = (static_cast<std::uint32_t>(reader.Read(noise)) << shift) * l.unit;
      std::uint32_t out = 0;
      for (int c = 0; c < 3; ++c) {
        std::uint32_t v = l.Get(row[col], c);
        if ((channels >> c) & 1) v = std::min(v + g, l.full);
        out |= l.Put(v, c);
      }
      row[col] = static_cast<P>(out);
    }
  }
}

}  // namespace

void AddGrainReference(PixelView area, const PixelFormat& f, int shift, unsigned channels,
                       NoiseReader& reader, const std::uint8_t* noise) {
  const ChannelLevels l = LevelsOf(f);
  shift = std::clamp(shift, 0, kMaxGrainShift);
  if (f.Sixteen()) GrainLoop<std::uint16_t>(area, l, shift, channels, reader, noise);
  if (f.ThirtyTwo()) GrainLoop<std::uint32_t>(area, l, shift, channels, reader, noise);
}

void AddGrain(PixelView area, const PixelFormat& f, int shift, unsigned channels,
              NoiseReader& reader, const std::uint8_t* noise) {
  if (!AddGrainSse2(area, f, shift, channels, reader, noise)) {
    AddGrainReference(area, f, shift, channels, reader, noise);
  }
}

}  // namespace mu
