// The Windows side of the sprite effects: the common frame every one of them
// runs in. Clip the rectangle to the clip rectangle (nothing locked when
// nothing is left), lock the sprite and the back screen, cut the area to the
// memory of both surfaces, hand the views to a kernel, unlock.
#ifndef MU_DRAW_EFFECTS_EFFECT_FRAME_H
#define MU_DRAW_EFFECTS_EFFECT_FRAME_H

#include "draw/pixels/clip.h"
#include "draw/pixels/pixel_view.h"

namespace muDraw {

// What a kernel gets from the frame.
struct EffectFrame {
  mu::PixelView screen;         // the whole locked back screen
  mu::PixelView dst;            // the drawn area of it
  mu::ConstPixelView src;       // the sprite's rectangle, as large as dst
  mu::EffectArea area;          // where dst and src lie
  mu::ClipBounds bounds;        // the clip rectangle cut to the back screen
  const mu::PixelFormat* format;
};

// The frame around kernel(frame, context): 1 when drawn or when there was
// nothing to draw (a sprite outside the table or without a surface, a
// rectangle clipped away, a depth without effects), 0 when a lock failed (a
// lost surface is restored then).
int RunSpriteEffect(int x, int y, int sprite, int left, int top, int right, int bottom,
                    void (*kernel)(const EffectFrame&, const void*), const void* context);

template <typename Kernel>
int SpriteEffect(int x, int y, int sprite, int left, int top, int right, int bottom, Kernel kernel) {
  return RunSpriteEffect(
      x, y, sprite, left, top, right, bottom,
      [](const EffectFrame& frame, const void* k) { (*static_cast<const Kernel*>(k))(frame); }, &kernel);
}

}  // namespace muDraw

#endif
