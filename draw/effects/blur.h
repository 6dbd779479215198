// Blurring kernels over a source picture: soft edges against what lies around
// it, and a box average. Same view conventions as blend.h.
#ifndef MU_DRAW_EFFECTS_BLUR_H
#define MU_DRAW_EFFECTS_BLUR_H

#include "draw/pixels/pixel_view.h"

namespace mu {

constexpr int kMaxBoxSize = 45;   // the 16-bit sums of 45 x 45 five-bit values still fit

// Each source pixel averaged with the target pixels beside it (left, right,
// above, below, inside the area) where the source is transparent; a pixel
// without such a neighbour is copied.
void SoftEdge(PixelView dst, ConstPixelView src, const PixelFormat& f);
// The average of the size x size box of source pixels (transparent ones as
// black) starting at each pixel, moved back inside at the right and bottom.
// The size is held to 1..min(45, width, height); below 1 nothing is drawn.
void BoxBlur(PixelView dst, ConstPixelView src, const PixelFormat& f, int size);

}  // namespace mu

#endif
