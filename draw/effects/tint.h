// The 50 % tint of a rectangle of pixels towards one pixel value: every
// channel becomes half of itself plus half of the value's channel, the lower
// bit of each half dropped. Works on 16- and 32-bit pixels alike: halving
// every channel at once is a shift of the whole pixel by one, masked with the
// format's half mask so that no channel's lowest bit falls into the channel
// below it.
#ifndef MU_DRAW_EFFECTS_TINT_H
#define MU_DRAW_EFFECTS_TINT_H

#include <cstdint>

#include "draw/pixels/pixel_view.h"

namespace mu {

// Tints every pixel of the view: p = ((p >> 1) & halfMask) + ((value >> 1) & halfMask).
// Views of another pixel size than 2 or 4 bytes are left alone.
void Tint(PixelView view, const PixelFormat& format, std::uint32_t value);

// The same, one pixel at a time: the rule the fast path is held to.
void TintReference(PixelView view, const PixelFormat& format, std::uint32_t value);

}  // namespace mu

#endif
