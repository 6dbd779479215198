// Kernels that move or spread the target's pixels under a source picture:
// displacement by the source's red, and a glow cast from its pixels. The
// source is a map and a light; transparent source pixels do nothing.
#ifndef MU_DRAW_EFFECTS_WARP_H
#define MU_DRAW_EFFECTS_WARP_H

#include <cstdint>

#include "draw/pixels/clip.h"
#include "draw/pixels/pixel_view.h"

namespace mu {

constexpr int kGlowSteps = 31;   // at most this many pixels lit in each direction

// Glow direction flags.
constexpr int kGlowDownLeft = 0x01, kGlowDown = 0x02, kGlowDownRight = 0x04, kGlowLeft = 0x08,
              kGlowRight = 0x10, kGlowUpLeft = 0x20, kGlowUp = 0x40, kGlowUpRight = 0x80;

// The glow's read position in the noise table; it persists for the whole run.
struct GlowState {
  int noisePosition;   // next entry read, 0..kNoiseEntries - 1; wraps to 0
};
extern GlowState glowState;

// Each target pixel under a source pixel takes the target pixel v rows below,
// v = (five-bit red of the source) - cut, or 0 when that is below 1 or would
// reach past the area's last row. Rows top to bottom, so v reads old pixels.
void DisplaceBlt(PixelView dst, ConstPixelView src, const PixelFormat& f, int cut);

struct GlowLight {
  int shift[3];      // each five-bit component of the source is shifted right by this (0..31)
  int directions;    // kGlow* flags
  bool copy;         // the source pixel is written first
};
// The glow of a source area drawn at (x, y) of `screen`: from each source
// pixel the light (minus one noise value read from `noise`) falls by one level
// a step and is added to the target pixels in the chosen directions, never
// outside `bounds` (which must lie inside the screen).
void GlowBlt(PixelView screen, const ClipBounds& bounds, int x, int y, ConstPixelView src,
             const PixelFormat& f, const GlowLight& light, const std::uint8_t* noise,
             GlowState& state);

}  // namespace mu

#endif
