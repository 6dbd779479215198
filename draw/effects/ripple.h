// The ripple kernel: a sprite rectangle projected as a rippled sheet. Each
// drawn pixel (xx, yy) of the rectangle (every stride-th row and column)
// moves to a place computed in 32-bit floats:
//   nx = 2 xx / W - 1,  ny = 2 yy / H - 1
//   height = (cos(sqrt(nx nx + ny ny) frequency) exp(ny ny - nx nx) + 1) amplitude / 2 + yy
//   dx = trunc((xx + yy shear) scale),  dy = trunc(scale height)
// and is written at (x + dx, y + dy) when that lies inside the bounds, zero
// included. The wave functions are those of wave.h.
#ifndef MU_DRAW_EFFECTS_RIPPLE_H
#define MU_DRAW_EFFECTS_RIPPLE_H

#include "draw/pixels/clip.h"
#include "draw/pixels/pixel_view.h"

namespace mu {

// Frequencies are held to +-kMaxRippleFrequency: waves that fine are far
// finer than a pixel already, and the cosine's argument stays in its range.
constexpr int kMaxRippleFrequency = 32768;

struct RippleWave {
  int amplitude;   // the sheet's height, in pixels
  int frequency;   // the ripple's angular frequency over the unit radius
  int stride;      // every stride-th row and column is drawn; below 1 draws nothing
  float scale;     // both displacements are multiplied by it
  float shear;     // the columns lean by this much per row
};

// `area` is the rectangle as the effects' clipping left it (its x, y and its
// source start moved together), W x H (`span`) the source's size less only
// what that clipping cut away on the left and top. Rows and columns below the
// area's height and width are drawn; pixels land only inside `bounds` (which
// lie inside the screen); sprite pixels outside the sprite are not drawn.
void RippleBlt(PixelView screen, const ClipBounds& bounds, const EffectArea& area, int spanWidth,
               int spanHeight, ConstPixelView sprite, const PixelFormat& f, const RippleWave& wave);

}  // namespace mu

#endif
