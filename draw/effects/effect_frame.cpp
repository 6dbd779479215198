#include "draw/effects/effect_frame.h"

#include "draw/effects/channels.h"
#include "draw/pixels/surface_lock.h"
#include "draw/sprites.h"

namespace muDraw {

namespace {

// The depth the effects draw on, in bits per pixel; 0 when there is none.
int EffectBits() {
  return mu::EffectsSupported(mu::screenFormat) ? mu::screenFormat.bytesPerPixel * 8 : 0;
}

// A lock that failed: 0, after restoring a lost surface.
int LockFailed(bool lost) {
  if (lost) Restore();
  return 0;
}

}  // namespace

int RunOnScreen(void (*body)(const mu::PixelView& screen, const void* context), const void* context) {
  const int bits = EffectBits();
  if (!backScreen || bits == 0) return 1;
  SurfaceLock lock(backScreen);
  if (!lock.Locked()) return LockFailed(lock.Lost());
  if (lock.BitsPerPixel() == bits) body(lock.View(), context);
  return 1;
}

int RunOnSpriteAndScreen(int sprite,
                         void (*body)(const mu::PixelView& sprite, const mu::PixelView& screen,
                                      const void* context),
                         const void* context) {
  LPDIRECTDRAWSURFACE source = SpriteSurface(sprite);
  const int bits = EffectBits();
  if (!source || !backScreen || bits == 0) return 1;
  SpriteOnScreen lock(source, backScreen);
  if (!lock.Locked()) return LockFailed(lock.Lost());
  if (lock.BothAt(bits)) body(lock.Source(), lock.Target(), context);
  return 1;
}

int RunSpriteEffect(int x, int y, int sprite, int left, int top, int right, int bottom,
                    void (*kernel)(const EffectFrame&, const void*), const void* context) {
  const mu::ClipBounds clip = ClipRectangle();
  EffectFrame frame;
  if (!mu::ClipEffect(x, y, left, top, right, bottom, clip, frame.area)) return 1;
  if (frame.area.width == 0 || frame.area.height == 0) return 1;
  return OnSpriteAndScreen(sprite, [&](const mu::PixelView& from, const mu::PixelView& screen) {
    const mu::PixelFormat& f = mu::screenFormat;
    if (!mu::FitSurfaces(frame.area, from.width, from.height, screen.width, screen.height)) return;
    const mu::EffectArea& a = frame.area;
    frame.screen = screen;
    frame.dst = screen.Sub(a.x, a.y, a.width, a.height, f.bytesPerPixel);
    frame.src = mu::AsConst(from).Sub(a.left, a.top, a.width, a.height, f.bytesPerPixel);
    frame.bounds = mu::CutTo(clip, screen.width, screen.height);
    frame.format = &f;
    kernel(frame, context);
  });
}

}  // namespace muDraw
