// The copies behind the blits: opaque and colour-keyed, on 16- and 32-bit
// pixels, over views that are already clipped to the same size and do not
// overlap. Each copy has a plain reference loop and a fast path that writes
// the same bytes; CopyOpaque and CopyKeyed take the fast path.
#ifndef MU_DRAW_PIXELS_COPY_H
#define MU_DRAW_PIXELS_COPY_H

#include <cstdint>

#include "draw/pixels/pixel_view.h"

namespace mu {

// A source colour key as DirectDraw applies it: a source pixel p is left out
// when (p & mask) == value. The mask is the format's colour bits, so the
// unused top byte of a 32-bit pixel never decides; a value with bits outside
// the mask matches no pixel at all.
struct ColorKey {
  std::uint32_t value;
  std::uint32_t mask;
};

// The colour bits of a format with these channel masks.
inline std::uint32_t KeyMask(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
  return red | green | blue;
}

// bytesPerPixel is 2 or 4; any other value copies nothing. The opaque copy
// moves whole rows with memcpy; the keyed copy takes CopyKeyedSse2 where it
// is built.
void CopyOpaque(PixelView dst, ConstPixelView src, int bytesPerPixel);
void CopyKeyed(PixelView dst, ConstPixelView src, int bytesPerPixel, ColorKey key);

// The reference loops: one pixel at a time, exactly as the rule reads.
void CopyOpaqueReference(PixelView dst, ConstPixelView src, int bytesPerPixel);
void CopyKeyedReference(PixelView dst, ConstPixelView src, int bytesPerPixel, ColorKey key);

// The keyed copy's fast path: compares and merges 16 bytes at a time.
#ifdef __SSE2__
void CopyKeyedSse2(PixelView dst, ConstPixelView src, int bytesPerPixel, ColorKey key);
#endif

}  // namespace mu

#endif
