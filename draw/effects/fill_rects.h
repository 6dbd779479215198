// Rectangles of the fills and the tint: a fill is cut to its surface (the
// fills do not follow the clip rectangle), the frame of a rectangle is four
// one-pixel strips, and the tint follows the clip rectangle.
#ifndef MU_DRAW_EFFECTS_FILL_RECTS_H
#define MU_DRAW_EFFECTS_FILL_RECTS_H

#include "draw/pixels/clip.h"

namespace mu {

// Cuts the rectangle to a surface of width x height. False when nothing is
// left: an empty or inverted rectangle, or one wholly off the surface.
bool CutToSurface(ClipBounds& rect, int width, int height);

// The frame's strips in drawing order: top row, bottom row, left column,
// right column (rows right - left wide, columns bottom - top high).
void FrameStrips(const ClipBounds& rect, ClipBounds strips[4]);

// The tint's rule: right and bottom cut to the clip rectangle, then left and
// top. False when right < left or bottom < top (nothing to tint); a rectangle
// that became exactly empty is passed on and tints nothing.
bool ClipTint(ClipBounds& rect, const ClipBounds& clip);

}  // namespace mu

#endif
