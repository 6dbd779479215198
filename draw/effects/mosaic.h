// The round mosaic: inside a disc on the screen, cells of cell x cell pixels
// each take the colour of their top-left pixel. The square around the centre
// (offsets -radius .. radius - 1 on both axes) is cut to the screen; cells
// step from the first offset left; a pixel at offsets (dx, dy) from the
// centre is painted when trunc(sqrt(dx^2 + dy^2)) < radius.
#ifndef MU_DRAW_EFFECTS_MOSAIC_H
#define MU_DRAW_EFFECTS_MOSAIC_H

#include "draw/pixels/pixel_view.h"

namespace mu {

// `screen` is the whole back screen. A cell size of 1 or less changes nothing.
void PaintDiscMosaic(PixelView screen, int bytesPerPixel, int centreX, int centreY, int radius,
                     int cellSize);

}  // namespace mu

#endif
