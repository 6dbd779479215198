// In-place magnification: an area of the back screen enlarged by 2 or 4 into
// a work buffer, each pixel becoming a factor x factor block (sparse: only
// the block's top-left half x half corner, the rest keeping what the buffer
// held), then copied back over the area from its top-left corner.
#ifndef MU_DRAW_EFFECTS_ZOOM_H
#define MU_DRAW_EFFECTS_ZOOM_H

#include "draw/pixels/clip.h"
#include "draw/pixels/pixel_view.h"

namespace mu {

// Cuts the area so that it lies on the screen and its enlarged copy fits both
// the buffer and the screen from the area's top-left corner. False when
// nothing is left.
bool FitZoom(long long x, long long y, unsigned width, unsigned height, int factor,
             int screenWidth, int screenHeight, int bufferWidth, int bufferHeight, Area& out);

// Writes `from` enlarged into the top-left of `to`, which holds at least
// factor x its width and height.
void Enlarge(PixelView to, ConstPixelView from, int bytesPerPixel, int factor, bool sparse);

}  // namespace mu

#endif
