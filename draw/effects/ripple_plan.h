// What the ripple's reference loop and its vector path share, internal to
// draw/effects: the call's values as 32-bit floats, the place of one pixel by
// the rule, and the writing of a pixel at its place.
#ifndef MU_DRAW_EFFECTS_RIPPLE_PLAN_H
#define MU_DRAW_EFFECTS_RIPPLE_PLAN_H

#include <cstdint>

#include "draw/effects/ripple.h"

namespace mu {

// The displacements of one pixel, before they are truncated.
struct RipplePlace {
  float dx, dy;
};

// The rows (or columns) of the area that can be drawn: yy = first, first +
// stride, ... below end, those whose sprite row (column) lies inside the
// sprite. The others have no pixel to draw, so no path spends work on them,
// however far the area reaches past the sprite.
struct RippleSpan {
  long long first, end;
};
RippleSpan DrawnSpan(long long start, long long count, int spriteSize, int stride);

struct RipplePlan {
  RipplePlan(const EffectArea& area, int spanWidth, int spanHeight, const RippleWave& wave);
  EffectArea area;
  float width, height;   // W, H
  float amplitude;
  float frequency;       // held to +-kMaxRippleFrequency
  float scale, shear;
  int stride;

  // Where pixel (xx, yy) of the area goes, by the rule.
  RipplePlace Place(int xx, int yy) const;
  // Writes sprite pixel (xx, yy) of the area at its place, when the place is
  // inside the bounds and the pixel inside the sprite.
  template <typename P>
  void Put(PixelView screen, const ClipBounds& bounds, ConstPixelView sprite, int xx, int yy,
           RipplePlace place) const;
  // The same with the displacements truncated (a displacement without a
  // whole value that fits comes as INT_MIN, which lands outside any bounds).
  template <typename P>
  void PutAt(PixelView screen, const ClipBounds& bounds, ConstPixelView sprite, int xx, int yy, int dx,
             int dy) const {
    const long long tx = static_cast<long long>(area.x) + dx, ty = static_cast<long long>(area.y) + dy;
    if (tx < bounds.left || tx >= bounds.right || ty < bounds.top || ty >= bounds.bottom) return;
    const long long sx = static_cast<long long>(area.left) + xx, sy = static_cast<long long>(area.top) + yy;
    if (sx < 0 || sx >= sprite.width || sy < 0 || sy >= sprite.height) return;
    screen.Row<P>(static_cast<int>(ty))[tx] = sprite.Row<P>(static_cast<int>(sy))[sx];
  }
};

#ifdef __SSE2__
namespace sse2 {
// The ripple's drawn columns and rows, four columns of a row at a time;
// false (nothing drawn) when a row has more columns than the path takes.
bool RippleRows(PixelView screen, const ClipBounds& bounds, ConstPixelView sprite, const PixelFormat& f,
                const RipplePlan& plan, RippleSpan columns, RippleSpan rows);
}  // namespace sse2
#endif

}  // namespace mu

#endif
