#include "draw/pixels/clip.h"

#include <algorithm>
#include <initializer_list>

namespace mu {

namespace {
bool FitsInt(std::initializer_list<long long> values) {
  for (long long v : values) {
    if (v < INT_MIN || v > INT_MAX) return false;
  }
  return true;
}
}  // namespace

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
  if (!FitsInt({x, y, left, top, right, bottom})) return false;
  b = BlitArea{static_cast<int>(x),    static_cast<int>(y),     static_cast<int>(left),
               static_cast<int>(top),  static_cast<int>(right), static_cast<int>(bottom)};
  return true;
}

bool ClipEffect(int x0, int y0, int left0, int top0, int right0, int bottom0,
                const ClipBounds& clip, EffectArea& out) {
  long long x = x0, y = y0, left = left0, top = top0;
  long long w = static_cast<long long>(right0) - left0, h = static_cast<long long>(bottom0) - top0;
  if (x + w > clip.right) w = clip.right - x;
  if (y + h > clip.bottom) h = clip.bottom - y;
  if (x < clip.left) {
    w -= clip.left - x;
    left += clip.left - x;
    x = clip.left;
  }
  if (y < clip.top) {
    h -= clip.top - y;
    top += clip.top - y;
    y = clip.top;
  }
  if (w < 0 || h < 0) return false;
  if (!FitsInt({x, y, left, top, w, h})) return false;
  out = EffectArea{static_cast<int>(x), static_cast<int>(y), static_cast<int>(left),
                   static_cast<int>(top), static_cast<int>(w), static_cast<int>(h)};
  return true;
}

bool FitSurfaces(EffectArea& a, int srcWidth, int srcHeight, int dstWidth, int dstHeight) {
  // Columns to skip on the left: enough to bring both starts to 0 or beyond.
  long long skipX = std::max({0LL, -static_cast<long long>(a.left), -static_cast<long long>(a.x)});
  long long skipY = std::max({0LL, -static_cast<long long>(a.top), -static_cast<long long>(a.y)});
  long long x = a.x + skipX, y = a.y + skipY, left = a.left + skipX, top = a.top + skipY;
  long long w = a.width - skipX, h = a.height - skipY;
  w = std::min({w, srcWidth - left, dstWidth - x});
  h = std::min({h, srcHeight - top, dstHeight - y});
  if (w <= 0 || h <= 0) return false;
  a = EffectArea{static_cast<int>(x), static_cast<int>(y), static_cast<int>(left),
                 static_cast<int>(top), static_cast<int>(w), static_cast<int>(h)};
  return true;
}

bool ClipWrites(int left, int top, int right, int bottom, const ClipBounds& clip, int dstWidth,
                int dstHeight, WriteLimits& out) {
  const long long lo_x = std::max<long long>(clip.left, 0), hi_x = std::min<long long>(clip.right, dstWidth);
  const long long lo_y = std::max<long long>(clip.top, 0), hi_y = std::min<long long>(clip.bottom, dstHeight);
  long long c0 = std::max<long long>(0, lo_x - left);
  long long c1 = std::min<long long>(static_cast<long long>(right) - left, hi_x - left);
  long long r0 = std::max<long long>(0, lo_y - top);
  long long r1 = std::min<long long>(static_cast<long long>(bottom) - top, hi_y - top);
  if (c1 <= c0 || r1 <= r0) return false;
  out = WriteLimits{static_cast<int>(c0), static_cast<int>(c1), static_cast<int>(r0),
                    static_cast<int>(r1)};
  return true;
}

ClipBounds CutTo(const ClipBounds& r, int width, int height) {
  return ClipBounds{std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, width),
                    std::min(r.bottom, height)};
}

bool FitArea(long long x, long long y, unsigned width, unsigned height, int surfaceWidth,
             int surfaceHeight, Area& out) {
  long long right = std::min<long long>(x + width, surfaceWidth);
  long long bottom = std::min<long long>(y + height, surfaceHeight);
  x = std::max(x, 0LL);
  y = std::max(y, 0LL);
  if (right <= x || bottom <= y) return false;
  out = Area{static_cast<int>(x), static_cast<int>(y), static_cast<int>(right - x),
             static_cast<int>(bottom - y)};
  return true;
}

}  // namespace mu
