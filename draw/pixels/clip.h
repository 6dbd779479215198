// The three clipping rules of the drawing library, side by side:
//  - ClipBlit: the copying blits (cut the source rectangle, right and bottom
//    overhang first, then left and top);
//  - ClipEffect: the pixel effects (the same cut on a width and height);
//  - ClipWrites: the rotation family (the destination keeps its size; only the
//    pixels inside the clip rectangle are written).
// And FitSurfaces, the memory-safety cut applied after ClipEffect before any
// locked pixel is touched: the clip rectangle is set unchecked and a source
// rectangle is never checked against its sprite, so a locked surface would
// otherwise be read or written outside its memory.
#ifndef MU_DRAW_PIXELS_CLIP_H
#define MU_DRAW_PIXELS_CLIP_H

#include <climits>

namespace mu {

struct ClipBounds {
  int left, top, right, bottom;  // right and bottom exclusive
};

// A position worked in 64 bits (so that far-off positions and long
// rectangles cannot overflow) handed on as an int: the nearest end of the
// int range for one beyond it.
inline int ClampToInt(long long v) {
  return v < INT_MIN ? INT_MIN : v > INT_MAX ? INT_MAX : static_cast<int>(v);
}

// A blit: destination position and source rectangle (right, bottom exclusive).
struct BlitArea {
  int x, y;
  int left, top, right, bottom;
};

// Cuts the blit to the clip rectangle: the right and bottom overhang first,
// then the left and top. False when nothing is left to draw; a rectangle that
// became exactly empty (right = left) is still passed on.
bool ClipBlit(BlitArea& blit, const ClipBounds& clip);

// An effect: destination position, source top-left and the size drawn.
struct EffectArea {
  int x, y;
  int left, top;
  int width, height;
};

// The effects' rule: width = right - left, height = bottom - top, cut on the
// right and bottom to the clip rectangle, then on the left and top (moving the
// source start with it). False when width or height fell below 0; an area of
// exactly 0 is passed on (it draws nothing).
bool ClipEffect(int x, int y, int left, int top, int right, int bottom, const ClipBounds& clip,
                EffectArea& out);

// Cuts the area so that its source lies inside a source surface of srcWidth x
// srcHeight and its destination inside a target of dstWidth x dstHeight,
// moving both starts together. An area already inside both is unchanged.
// False when nothing is left.
bool FitSurfaces(EffectArea& area, int srcWidth, int srcHeight, int dstWidth, int dstHeight);

// The rotation family's rule: a destination rectangle (left, top, right,
// bottom) keeps its size; only its columns firstColumn..endColumn - 1 and rows
// firstRow..endRow - 1 (counted from its top-left) lie inside both the clip
// rectangle and the target surface, and only they are written.
struct WriteLimits {
  int firstColumn, endColumn;
  int firstRow, endRow;
};
// False when no pixel of the rectangle may be written.
bool ClipWrites(int left, int top, int right, int bottom, const ClipBounds& clip, int dstWidth,
                int dstHeight, WriteLimits& out);

// The rectangle cut to a surface of width x height; it may come out empty
// (right <= left or bottom <= top).
ClipBounds CutTo(const ClipBounds& rect, int width, int height);

// An area of one surface: top-left and size, all of it inside the surface.
struct Area {
  int x, y;
  int width, height;
};

// The effects that work on the back screen itself take an area that no clip
// rectangle cuts; this keeps it inside the surface (width x height) instead,
// so that no pixel outside the locked memory is read or written. The position
// is signed and the size unsigned, as the callers pass them. False when
// nothing is left.
bool FitArea(long long x, long long y, unsigned width, unsigned height, int surfaceWidth,
             int surfaceHeight, Area& out);

}  // namespace mu

#endif
