// Rotation kernels: a source rectangle of a sprite turned by whole degrees
// about the centre of a destination rectangle, plain, zoomed or tiled.
//
// For pixel (i, j) of a W x H destination rectangle, with C and S the cosine
// and sine of the angle from the sine table (scale 360), hw = W >> 1 and
// hh = H >> 1:
//   U = 360 hw + C (i - hw) - S (j - hh),   V = 360 hh + S (i - hw) + C (j - hh)
//   a = U / 360 - ox,   b = V / 360 - oy      (division toward zero)
// where ox = (W - SW) >> 1 and oy = (H - SH) >> 1 centre the SW x SH source
// (>> rounds toward minus infinity). Each form turns a and b into a source
// pixel; a source pixel of value 0 is not drawn. The source rectangle may
// hang over its sprite's edges: pixels outside the sprite count as 0.
//
// Angles are taken modulo 360, negative ones too. Zooms must be positive and
// finite; any other zoom draws nothing (in RotateStretchTile, the rows whose
// zoom is not draws nothing).
#ifndef MU_DRAW_EFFECTS_ROTATE_H
#define MU_DRAW_EFFECTS_ROTATE_H

#include "draw/effects/blend.h"
#include "draw/pixels/pixel_view.h"

namespace mu {

// The destination rectangle: its whole size, and the part of it that is
// written (inside the clip rectangle and the screen), as a view.
struct RotateTarget {
  PixelView written;           // the written part's pixels
  int width, height;           // W, H of the whole rectangle (positive)
  int firstColumn, firstRow;   // where `written` starts inside the rectangle
};

// The source rectangle inside its sprite.
struct RotateSource {
  ConstPixelView sprite;   // the whole sprite
  int left, top;           // the rectangle's top-left in the sprite (may lie outside)
  int width, height;       // SW, SH (positive)
};

// RotateStretchTile's rows: zooms that change from one destination row to
// the next (row j has the zoom plus j changes, added one row at a time in
// 32-bit floats), and colour factors applied as the brightness rule does.
struct StretchRows {
  float zoomX, zoomXStep;
  float zoomY, zoomYStep;
  ChannelFloats factor;   // 0..256, per channel; components saturate
};

// The angle as an index of the sine table's first 360 entries.
int AngleIndex(int degrees);

// Source pixel (a, b), drawn where it lies in the source.
void RotateBlt(const RotateTarget& t, const RotateSource& s, const PixelFormat& f, int angle);
// Source pixel (|a| mod SW, |b| mod SH): the picture repeats, mirrored about 0.
void RotateTile(const RotateTarget& t, const RotateSource& s, const PixelFormat& f, int angle);
// Source pixel (trunc(a / zoom), trunc(b / zoom)) with the offsets of the
// zoomed source, (W - trunc(SW x zoom)) >> 1 and (H - trunc(SH x zoom)) >> 1.
void RotateZoom(const RotateTarget& t, const RotateSource& s, const PixelFormat& f, int angle, float zoom);
// Source pixel (|trunc(a / zoom)| mod SW, |trunc(b / zoom)| mod SH), plain offsets.
void RotateZoomTile(const RotateTarget& t, const RotateSource& s, const PixelFormat& f, int angle,
                    float zoom);
// As RotateZoomTile with each row's own zooms, the pixel's level components
// (five-bit on 16-bit pixels, 8-bit on 32-bit ones) times the factors.
void RotateStretchTile(const RotateTarget& t, const RotateSource& s, const PixelFormat& f, int angle,
                       const StretchRows& rows);

}  // namespace mu

#endif
