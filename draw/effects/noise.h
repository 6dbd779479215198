// Noise readers of the area effects (smoke and grain): each operation keeps
// its own read position into the screen's noise table for the whole run. A
// read takes the entry at the position and moves on; past the table's last
// entry the next position is drawn at random among the first thousand, so the
// pattern does not repeat with the table's period.
#ifndef MU_DRAW_EFFECTS_NOISE_H
#define MU_DRAW_EFFECTS_NOISE_H

#include <cstdint>
#include <cstdlib>

#include "draw/pixel_format.h"

namespace mu {

constexpr int kNoiseRestarts = 1000;   // positions a reader may restart from

struct NoiseReader {
  int position;   // the entry read next, 0..kNoiseEntries - 1

  std::uint8_t Peek(const std::uint8_t* table) const { return table[position]; }
  void Advance() {
    position = position == muDraw::kNoiseEntries - 1 ? std::rand() % kNoiseRestarts : position + 1;
  }
  std::uint8_t Read(const std::uint8_t* table) {
    std::uint8_t n = Peek(table);
    Advance();
    return n;
  }
};

}  // namespace mu

#endif
