#include "draw/effects/mirror.h"

#include <algorithm>
#include <cstdint>

namespace mu {

namespace {

// Offsets [first, end) from the blit's start that one axis may write: inside
// the clipped destination, on the target and read from the source surface.
// Worked in 64 bits; rectangles near the int range's ends cannot overflow.
struct Span {
  long long first, end;
};

Span AxisSpan(long long start, long long clippedStart, long long clippedSize, long long low,
              long long high, bool flip, long long srcSize, long long dstSize) {
  Span s = {clippedStart - start, clippedStart - start + clippedSize};
  s.first = std::max(s.first, -start);                    // target column start + i >= 0
  s.end = std::min(s.end, dstSize - start);               // ... < dstSize
  if (flip) {                                             // source high - 1 - i in 0..srcSize - 1
    s.first = std::max(s.first, high - srcSize);
    s.end = std::min(s.end, high);
  } else {                                                // source low + i in 0..srcSize - 1
    s.first = std::max(s.first, -low);
    s.end = std::min(s.end, srcSize - low);
  }
  return s;
}

template <typename P>
void CopyRows(PixelView dst, ConstPixelView src, bool flipX, bool flipY) {
  const int w = dst.width;
  for (int j = 0; j < dst.height; ++j) {
    const P* from = src.Row<P>(flipY ? src.height - 1 - j : j);
    P* to = dst.Row<P>(j);
    if (flipX) {
      from += w - 1;
      for (int i = 0; i < w; ++i) {
        const P v = from[-i];
        if (v) to[i] = v;
      }
    } else {
      for (int i = 0; i < w; ++i) {
        const P v = from[i];
        if (v) to[i] = v;
      }
    }
  }
}

}  // namespace

bool PlanMirror(const EffectArea& clipped, int x, int y, int mode, const ClipBounds& source,
                int srcWidth, int srcHeight, int dstWidth, int dstHeight, MirrorArea& out) {
  if (mode < 0 || mode >= kMirrorModes) return false;
  const bool flipX = mode == 1 || mode == 3, flipY = mode == 2 || mode == 3;
  const Span cols = AxisSpan(x, clipped.x, clipped.width, source.left, source.right, flipX,
                             srcWidth, dstWidth);
  const Span rows = AxisSpan(y, clipped.y, clipped.height, source.top, source.bottom, flipY,
                             srcHeight, dstHeight);
  if (cols.end <= cols.first || rows.end <= rows.first) return false;
  // The source rectangle read: for a reversed axis, the columns that offsets
  // first..end - 1 reach run from high - end to high - 1 - first.
  const long long left = flipX ? source.right - cols.end : source.left + cols.first;
  const long long top = flipY ? source.bottom - rows.end : source.top + rows.first;
  out = MirrorArea{static_cast<int>(x + cols.first), static_cast<int>(y + rows.first),
                   static_cast<int>(left),           static_cast<int>(top),
                   static_cast<int>(cols.end - cols.first), static_cast<int>(rows.end - rows.first),
                   flipX, flipY};
  return true;
}

void MirrorCopy(PixelView dst, ConstPixelView src, int bytesPerPixel, bool flipX, bool flipY) {
  if (dst.Empty()) return;
  if (bytesPerPixel == 2) CopyRows<std::uint16_t>(dst, src, flipX, flipY);
  if (bytesPerPixel == 4) CopyRows<std::uint32_t>(dst, src, flipX, flipY);
}

}  // namespace mu
