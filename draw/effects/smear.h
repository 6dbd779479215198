// The smear kernel: a sprite rectangle drawn up to (or from) one of its
// columns or rows, that column or row repeated over the rest of it, and in
// two modes on to the screen's edge.
#ifndef MU_DRAW_EFFECTS_SMEAR_H
#define MU_DRAW_EFFECTS_SMEAR_H

#include "draw/pixels/clip.h"
#include "draw/pixels/pixel_view.h"

namespace mu {

// Modes: which part repeats column (row) p, the position.
constexpr int kSmearRight = 0;   // columns after p repeat column p
constexpr int kSmearLeft = 1;    // columns up to p repeat it, and so does the screen row left of the picture
constexpr int kSmearDown = 2;    // rows after p repeat row p
constexpr int kSmearUp = 3;      // rows up to p repeat it, and so do the screen rows above the picture

// The rectangle: width x height pixels from (left, top) of the sprite, drawn
// with its top-left at (x, y) of the screen. Nothing of it is cut yet.
struct SmearArea {
  int x, y;
  int left, top;
  int width, height;
};

// Draws the area's pixels that lie inside `bounds` (the clip rectangle cut to
// the screen); pixels of value 0 are not drawn. Column or row p is counted
// from the rectangle's own left or top, whatever the clipping cuts; position
// is taken as an unsigned 16-bit value. Mode 1 then fills each drawn row of
// the screen from column 0 to just before the first drawn column with the
// row's pixel of column p, and mode 3 fills the screen rows above the first
// drawn row, in the drawn columns, with the pixels of row p, zero included;
// these fills are cut only to the screen. Source pixels outside the sprite
// draw nothing (and fill nothing). Other modes draw nothing.
void SmearBlt(PixelView screen, const ClipBounds& bounds, ConstPixelView sprite, const PixelFormat& f,
              const SmearArea& area, int mode, int position);

}  // namespace mu

#endif
