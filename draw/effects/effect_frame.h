// The Windows side of the pixel effects: the frames they run in. A frame
// locks what the effect draws on for the one call, checks that the surfaces
// have the depth the effects draw on, hands plain views to the effect's body
// and unlocks again on every path. Each returns 1 when the body ran or there
// was nothing to draw (no back screen, a sprite without a surface, a depth
// without effects, a rectangle clipped away), and 0 when a lock failed (a
// lost surface is restored then).
#ifndef MU_DRAW_EFFECTS_EFFECT_FRAME_H
#define MU_DRAW_EFFECTS_EFFECT_FRAME_H

#include "draw/pixels/clip.h"
#include "draw/pixels/pixel_view.h"

namespace muDraw {

// The back screen alone: body(screen), the whole locked surface.
int RunOnScreen(void (*body)(const mu::PixelView& screen, const void* context), const void* context);

// The sprite locked first and the back screen second: body(sprite, screen),
// both whole.
int RunOnSpriteAndScreen(int sprite,
                         void (*body)(const mu::PixelView& sprite, const mu::PixelView& screen,
                                      const void* context),
                         const void* context);

// What a sprite effect's kernel gets from its frame.
struct EffectFrame {
  mu::PixelView screen;         // the whole locked back screen
  mu::PixelView dst;            // the drawn area of it
  mu::ConstPixelView src;       // the sprite's rectangle, as large as dst
  mu::EffectArea area;          // where dst and src lie
  mu::ClipBounds bounds;        // the clip rectangle cut to the back screen
  const mu::PixelFormat* format;
};

// The sprite effects' frame: the rectangle clipped by the effects' rule
// (nothing locked when nothing is left), the sprite and the back screen
// locked, the area cut to the memory of both, kernel(frame, context).
int RunSpriteEffect(int x, int y, int sprite, int left, int top, int right, int bottom,
                    void (*kernel)(const EffectFrame&, const void*), const void* context);

// The same frames around a lambda or other callable.
template <typename Body>
int OnScreen(Body body) {
  return RunOnScreen(
      [](const mu::PixelView& screen, const void* b) { (*static_cast<const Body*>(b))(screen); },
      &body);
}

template <typename Body>
int OnSpriteAndScreen(int sprite, Body body) {
  return RunOnSpriteAndScreen(
      sprite,
      [](const mu::PixelView& from, const mu::PixelView& screen, const void* b) {
        (*static_cast<const Body*>(b))(from, screen);
      },
      &body);
}

template <typename Kernel>
int SpriteEffect(int x, int y, int sprite, int left, int top, int right, int bottom, Kernel kernel) {
  return RunSpriteEffect(
      x, y, sprite, left, top, right, bottom,
      [](const EffectFrame& frame, const void* k) { (*static_cast<const Kernel*>(k))(frame); }, &kernel);
}

}  // namespace muDraw

#endif
