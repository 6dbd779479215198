// Softening an area of the back screen in place: every pixel but the area's
// outer rows and columns becomes the four-neighbour average, top to bottom and
// left to right, so the pixels above and to the left are already softened
// when they are read and the smoothing spreads down and to the right within
// one call. The fading form also lowers the flagged channels by one level.
#ifndef MU_DRAW_EFFECTS_SOFTEN_H
#define MU_DRAW_EFFECTS_SOFTEN_H

#include "draw/pixels/pixel_view.h"

namespace mu {

// `area` is the whole area (its outer pixels are read, never written); `fade`
// holds the channel flags of channels.h (0: plain softening).
void SoftenArea(PixelView area, const PixelFormat& f, unsigned fade);
// The SSE2 path SoftenArea takes; false when it does not apply (no SSE2, a row
// wider than its buffers).
bool SoftenAreaSse2(PixelView area, const PixelFormat& f, unsigned fade);

}  // namespace mu

#endif
