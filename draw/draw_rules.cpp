#include "draw/draw_rules.h"

#include <initializer_list>

namespace mu {

bool ClipBlit(BlitArea& b, const ClipBounds& clip) {
  // Worked in 64 bits so that far-off positions cannot overflow; a result that
  // no longer fits a 32-bit rectangle cannot be drawn anyway.
  long long x = b.x, y = b.y, left = b.left, top = b.top, right = b.right, bottom = b.bottom;
  if (x + (right - left) > clip.right) right -= x + (right - left) - clip.right;
  if (y + (bottom - top) > clip.bottom) bottom -= y + (bottom - top) - clip.bottom;
  if (x < clip.left) {
    left += clip.left - x;
    x = clip.left;
  }
  if (y < clip.top) {
    top += clip.top - y;
    y = clip.top;
  }
  if (right < left || bottom < top) return false;
  const long long lo = -2147483647LL - 1, hi = 2147483647LL;
  for (long long v : {x, y, left, top, right, bottom}) {
    if (v < lo || v > hi) return false;
  }
  b = BlitArea{static_cast<int>(x),    static_cast<int>(y),     static_cast<int>(left),
               static_cast<int>(top),  static_cast<int>(right), static_cast<int>(bottom)};
  return true;
}

long SetDepthWithFallbacks(int& depth, int fallback1, int fallback2,
                           long (*trySet)(int depth, void* context), void* context) {
  long result = trySet(depth, context);
  for (int fallback : {fallback1, fallback2}) {
    if (result >= 0 || fallback == 0) break;
    depth = fallback;
    result = trySet(depth, context);
  }
  return result;
}

int AdvanceWipe(int& step, int& direction) {
  if (step == 0) return -1;
  int frame = step - 1;
  step += direction;
  if ((direction == -1 && step < 1) || (direction == 1 && step > kWipeFrames)) {
    step = 0;
    direction = 0;
  }
  return frame;
}

void DriftPageTiles(float& tileX, float& tileY, float seconds) {
  tileX -= seconds * kPageTileDrift;
  tileY -= seconds * kPageTileDrift;
  if (tileX <= -kWipeTileWidth) tileX += kWipeTileWidth;
  if (tileY <= -kWipeTileHeight) tileY += kWipeTileHeight;
}

float ScrollPage(float pagePos, int key, float seconds, int pageHeight, int clipHeight) {
  switch (key) {
    case kKeyUp: pagePos -= seconds * kPageLineSpeed; break;
    case kKeyLeft: pagePos -= seconds * kPageLeafSpeed; break;
    case kKeyDown: pagePos += seconds * kPageLineSpeed; break;
    case kKeyRight: pagePos += seconds * kPageLeafSpeed; break;
    default: break;
  }
  if (pagePos < 0) pagePos = 0;
  int limit = pageHeight - clipHeight;
  if (limit < pagePos) pagePos = static_cast<float>(limit);
  return pagePos;
}

}  // namespace mu
