// How the area effects see a pixel's channels. On a 16-bit screen each
// channel is its top five bits (a 6-bit green loses its lowest bit when a
// result is put back); on a 32-bit screen each channel keeps its full eight
// bits and one five-bit level is eight steps, so that the same rule reduced to
// five bits gives the 16-bit picture within one level.
#ifndef MU_DRAW_EFFECTS_LEVELS_H
#define MU_DRAW_EFFECTS_LEVELS_H

#include <cstdint>

#include "draw/pixels/pixel_view.h"

namespace mu {

constexpr int kFiveBitLevels = 32;

struct ChannelLevels {
  int position[3];       // lowest bit of each channel's value in a pixel
  std::uint32_t full;    // a channel's highest value: 31, or 255 on a 32-bit screen
  std::uint32_t unit;    // one five-bit level in channel steps: 1, or 8

  std::uint32_t Get(std::uint32_t p, int c) const { return (p >> position[c]) & full; }
  std::uint32_t Put(std::uint32_t v, int c) const { return v << position[c]; }
  std::uint32_t Join(std::uint32_t r, std::uint32_t g, std::uint32_t b) const {
    return Put(r, kRed) | Put(g, kGreen) | Put(b, kBlue);
  }
};

// 16-bit formats: the top5 positions and 31; 32-bit formats: the channels'
// shifts, their maximum and (max + 1) / 32 steps a level.
inline ChannelLevels LevelsOf(const PixelFormat& f) {
  ChannelLevels l = {};
  if (f.Sixteen()) {
    for (int c = 0; c < 3; ++c) l.position[c] = static_cast<int>(f.channel[c].top5);
    l.full = kFiveBitLevels - 1;
    l.unit = 1;
  } else {
    for (int c = 0; c < 3; ++c) l.position[c] = static_cast<int>(f.channel[c].shift);
    l.full = f.channel[kGreen].max;
    l.unit = (l.full + 1) / kFiveBitLevels;
  }
  return l;
}

// Channel flags of the fading and grain operations: bit c set for channel c.
inline unsigned ChannelFlags(int red, int green, int blue) {
  return (red ? 1u : 0u) | (green ? 2u : 0u) | (blue ? 4u : 0u);
}
constexpr unsigned kAllChannels = 7;

}  // namespace mu

#endif
