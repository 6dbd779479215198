#include "draw/draw_rules.h"

#include <initializer_list>

namespace mu {

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
