#include "draw/effects/fill_rects.h"

#include <algorithm>

namespace mu {

bool CutToSurface(ClipBounds& r, int width, int height) {
  const ClipBounds cut = CutTo(r, width, height);
  if (cut.right <= cut.left || cut.bottom <= cut.top) return false;
  r = cut;
  return true;
}

void FrameStrips(const ClipBounds& r, ClipBounds strips[4]) {
  // Worked in 64 bits: the strips of a rectangle at the ends of the int range
  // must not wrap round (they are cut to the surface afterwards).
  strips[0] = {r.left, r.top, r.right, ClampToInt(r.top + 1LL)};
  strips[1] = {r.left, ClampToInt(r.bottom - 1LL), r.right, r.bottom};
  strips[2] = {r.left, r.top, ClampToInt(r.left + 1LL), r.bottom};
  strips[3] = {ClampToInt(r.right - 1LL), r.top, r.right, r.bottom};
}

bool ClipTint(ClipBounds& r, const ClipBounds& clip) {
  r.right = std::min(r.right, clip.right);
  r.bottom = std::min(r.bottom, clip.bottom);
  r.left = std::max(r.left, clip.left);
  r.top = std::max(r.top, clip.top);
  return r.right >= r.left && r.bottom >= r.top;
}

}  // namespace mu
