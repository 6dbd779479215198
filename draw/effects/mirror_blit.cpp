// FlipBlt: a source rectangle mirrored left-right, upside down or both into
// the back screen, pixel value 0 left out, through locks of both surfaces.
#include <mu.h>

#include "draw/effects/mirror.h"
#include "draw/pixels/surface_lock.h"
#include "draw/sprites.h"

namespace muDraw {

int FlipBlt(int x, int y, int mode, int sprite, int left, int top, int right, int bottom) {
  mu::EffectArea clipped;
  if (!mu::ClipEffect(x, y, left, top, right, bottom, ClipRectangle(),
                      clipped))
    return 1;
  SpriteOnScreen locks(SpriteSurface(sprite), backScreen);
  if (!locks.Locked()) return 0;
  const mu::PixelView src = locks.Source(), dst = locks.Target();
  const int bytes = mu::screenFormat.bytesPerPixel;
  mu::MirrorArea a;
  if (!mu::PlanMirror(clipped, x, y, mode, {left, top, right, bottom}, src.width, src.height,
                      dst.width, dst.height, a))
    return 1;
  mu::MirrorCopy(dst.Sub(a.x, a.y, a.width, a.height, bytes),
                 mu::AsConst(src.Sub(a.left, a.top, a.width, a.height, bytes)), bytes, a.flipX,
                 a.flipY);
  return 1;
}

}  // namespace muDraw
