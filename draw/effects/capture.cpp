// CaptureBox: a rectangle of the back screen copied unkeyed into a sprite's
// top-left corner.
#include <mu.h>

#include "draw/sprites.h"

namespace muDraw {

void CaptureBox(int sprite, int left, int top, int right, int bottom) {
  LPDIRECTDRAWSURFACE target = SpriteSurface(sprite);
  if (!target || !backScreen) return;
  RECT from = {left, top, right, bottom};
  if (target->BltFast(0, 0, backScreen, &from, DDBLTFAST_WAIT) == DDERR_SURFACELOST) Restore();
}

}  // namespace muDraw
