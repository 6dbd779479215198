// The smoothed text's shrink: a line segment drawn at double size in the
// Font buffer sprite becomes final-size pixels of the Font sprite. Each final
// pixel (i, j) looks at the nine samples around source pixel (2i, 2j) that
// lie inside the segment; the n of them that are drawn (not 0) are summed
// per channel with the channel's maximum once, the back-screen pixel under
// the final pixel fills the missing 8 - n parts (when n < 8), and the sum
// over eight is clamped to the maximum. With no sample drawn the pixel stays
// transparent. So glyph edges blend with whatever the text is drawn over.
//
// Channels: 16-bit pixels use the top five bits of each channel (0-31),
// 32-bit pixels the eight bits at each channel's shift (0-255), and 24-bit
// pixels are taken byte-wise, each byte a channel (0-255), a pixel counting as
// drawn when any of its bytes is. Pixels of one byte (a palette) have no
// channels to blend and are left alone.
#ifndef MU_TEXT_SHRINK_H
#define MU_TEXT_SHRINK_H

#include "draw/pixels/clip.h"
#include "draw/pixels/pixel_view.h"

namespace mu {

// A shrink placed on its surfaces.
struct ShrinkArea {
  int x, y;                   // where the first written pixel goes (Font sprite and back screen)
  int column, row;            // that pixel's column and row in the segment's final-size image
  int width, height;          // final pixels written
  int sourceLeft, sourceTop;  // the segment's top-left sample in the Font buffer
};

// The clip rule: the final size (sr - sl) / 2 x (sb - st) / 2 is cut at the
// clip rectangle's right and bottom; a start left of or above it moves onto
// the edge and the columns or rows cut there are skipped in the segment,
// whose samples keep their place, so the double-size source start moves by
// twice the number of final pixels cut and the glyphs stay where they are.
// False when the width or height fell below 0: there is nothing to do.
bool ClipShrink(int x, int y, int sl, int st, int sr, int sb, const ClipBounds& clip,
                ShrinkArea& out);

// Cuts a clipped area so that every sample it reads lies in a source of
// srcWidth x srcHeight and every pixel it writes in targets of dstWidth x
// dstHeight. False when nothing is left.
bool FitShrink(ShrinkArea& area, int srcWidth, int srcHeight, int dstWidth, int dstHeight);

// The kernel. dst (the Font sprite) and under (the back screen) are the
// width x height pixels written and read under them; src starts at the
// sample of the first written pixel and holds 2 x width by 2 x height
// samples; the column left of it and the row above it are read as well when
// leftInside and topInside say they still belong to the segment.
void ShrinkLine(PixelView dst, ConstPixelView under, ConstPixelView src, const PixelFormat& f,
                bool leftInside, bool topInside);

// A clipped area shrunk between whole surfaces: the Font buffer `buffer`
// into the Font sprite `font` over the back screen `screen`, after cutting the
// area to them (FitShrink). False when nothing was left to write.
bool ShrinkOnto(PixelView font, ConstPixelView screen, ConstPixelView buffer, const PixelFormat& f,
                ShrinkArea area);

}  // namespace mu

#endif
