#include "draw/effects/effect_frame.h"

#include "draw/effects/channels.h"
#include "draw/pixels/surface_lock.h"
#include "draw/sprites.h"

namespace muDraw {

int RunSpriteEffect(int x, int y, int sprite, int left, int top, int right, int bottom,
                    void (*kernel)(const EffectFrame&, const void*), const void* context) {
  LPDIRECTDRAWSURFACE source = SpriteSurface(sprite);
  const mu::PixelFormat& f = mu::screenFormat;
  if (!source || !backScreen || !mu::EffectsSupported(f)) return 1;
  const mu::ClipBounds clip = ClipRectangle();
  EffectFrame frame;
  if (!mu::ClipEffect(x, y, left, top, right, bottom, clip, frame.area)) return 1;
  if (frame.area.width == 0 || frame.area.height == 0) return 1;

  SpriteOnScreen lock(source, backScreen);
  if (!lock.Locked()) {
    if (lock.Lost()) Restore();
    return 0;
  }
  if (!lock.BothAt(f.bytesPerPixel * 8)) return 1;
  const mu::PixelView from = lock.Source();
  frame.screen = lock.Target();
  if (!mu::FitSurfaces(frame.area, from.width, from.height, frame.screen.width, frame.screen.height)) return 1;
  const mu::EffectArea& a = frame.area;
  frame.dst = frame.screen.Sub(a.x, a.y, a.width, a.height, f.bytesPerPixel);
  frame.src = mu::AsConst(from).Sub(a.left, a.top, a.width, a.height, f.bytesPerPixel);
  frame.bounds = mu::CutTo(clip, frame.screen.width, frame.screen.height);
  frame.format = &f;
  kernel(frame, context);
  return 1;
}

}  // namespace muDraw
