// What the ripple's reference loop and its vector path share, internal to
// draw/effects: the call's values as 32-bit floats, the place of one pixel by
// the rule, and the writing of a pixel at its place.
#ifndef MU_DRAW_EFFECTS_RIPPLE_PLAN_H
#define MU_DRAW_EFFECTS_RIPPLE_PLAN_H

#include "draw/effects/ripple.h"

namespace mu {

// The displacements of one pixel, before they are truncated.
struct RipplePlace {
  float dx, dy;
};

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
};

#ifdef __SSE2__
namespace sse2 {
// The whole ripple, four columns of a row at a time; false when the format
// has no vector form (nothing drawn then).
bool RippleRows(PixelView screen, const ClipBounds& bounds, ConstPixelView sprite, const PixelFormat& f,
                const RipplePlan& plan);
}  // namespace sse2
#endif

}  // namespace mu

#endif
