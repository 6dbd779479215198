// The golden-image table of the effects under Wine: every effect registers a
// row (from a file of its own in this folder) that draws it on the real back
// screen and draws the same with the native reference kernel on copies of the
// pixels. effects_test.cpp walks the table on a fixed-seed screen and sprite
// and compares the locked back screen with the reference, pixel for pixel.
#ifndef MU_TESTS_WIN_GOLDEN_GOLDEN_H
#define MU_TESTS_WIN_GOLDEN_GOLDEN_H

#include "draw/pixels/clip.h"
#include "draw/pixels/pixel_view.h"

namespace golden {

// The input every row gets: a kSpriteWidth x kSpriteHeight sprite (about a
// fifth of its pixels 0) and a full back screen of random pixels, with the
// clip rectangle kClip set.
constexpr int kSpriteWidth = 200, kSpriteHeight = 150;
constexpr mu::ClipBounds kClip = {8, 4, 632, 470};

// The test draws the reference first, then the screen, each after the same
// srand(); a row whose effect keeps state between calls (a noise position)
// lets its reference work on a copy of that state.
struct Case {
  const char* name;
  // Calls the muDraw operation on the back screen with sprite number `sprite`.
  void (*onScreen)(int sprite);
  // Draws the same on `screen` (a copy of the back screen) from `sprite` (a
  // copy of the sprite's pixels) with the reference kernels; clip is kClip.
  void (*reference)(mu::PixelView screen, mu::ConstPixelView sprite, const mu::PixelFormat& f);
};

struct Register {
  explicit Register(const Case& c);
};

// The drawn area of a sprite effect at (x, y) from the sprite's rectangle, as
// the effects' frame cuts it (clip rectangle, then both surfaces): false when
// nothing is drawn.
bool SpriteArea(mu::PixelView screen, mu::ConstPixelView sprite, const mu::PixelFormat& f, int x,
                int y, int left, int top, int right, int bottom, mu::PixelView& dst,
                mu::ConstPixelView& src, mu::EffectArea& area);

}  // namespace golden

#endif
