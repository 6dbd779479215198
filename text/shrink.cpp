#include "text/shrink.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace mu {

bool ClipShrink(int x0, int y0, int sl, int st, int sr, int sb, const ClipBounds& clip,
                ShrinkArea& out) {
  // 64 bits: a far-off start minus the clip edge must not overflow.
  long long x = x0, y = y0, column = 0, row = 0;
  long long w = (static_cast<long long>(sr) - sl) / 2, h = (static_cast<long long>(sb) - st) / 2;
  if (x + w > clip.right) w = clip.right - x;
  if (y + h > clip.bottom) h = clip.bottom - y;
  if (x < clip.left) {
    column = clip.left - x;
    w -= column;
    x = clip.left;
  }
  if (y < clip.top) {
    row = clip.top - y;
    h -= row;
    y = clip.top;
  }
  if (w < 0 || h < 0) return false;
  // Here x and y lie on the clip rectangle and w, h are at most the
  // segment's size; the skipped columns and rows are at most that too.
  out = ShrinkArea{static_cast<int>(x), static_cast<int>(y),   static_cast<int>(column),
                   static_cast<int>(row), static_cast<int>(w), static_cast<int>(h),
                   sl,                    st};
  return true;
}

namespace {

// One axis of FitShrink: the final-size columns [first, first + count) at
// destination pos, cut so that pos stays in [0, dstSize) and the samples
// read, source + 2c - 1 (for c > 0) .. source + 2c + 1, in [0, srcSize).
bool FitAxis(long long& pos, long long& first, long long& count, long long source, int srcSize,
             int dstSize) {
  long long lo = std::max(first, first - pos);
  long long hi = std::min(first + count, first - pos + dstSize);
  if (source < 0) lo = std::max(lo, (2 - source) / 2);
  hi = std::min(hi, (srcSize - source) / 2);
  if (hi <= lo) return false;
  pos += lo - first;
  count = hi - lo;
  first = lo;
  return true;
}

// Channels of a pixel held in its low bytes: three positions and one maximum.
struct Channels {
  unsigned shift[3];
  std::uint32_t max;
};

template <int kBytes>
std::uint32_t Load(const std::uint8_t* row, int x) {
  std::uint32_t v = 0;
  std::memcpy(&v, row + static_cast<std::ptrdiff_t>(x) * kBytes, kBytes);   // little-endian
  return v;
}

template <int kBytes>
void Store(std::uint8_t* row, int x, std::uint32_t v) {
  std::memcpy(row + static_cast<std::ptrdiff_t>(x) * kBytes, &v, kBytes);
}

template <int kBytes>
void ShrinkAs(PixelView dst, ConstPixelView under, ConstPixelView src, const Channels& ch,
              bool leftInside, bool topInside) {
  for (int j = 0; j < dst.height; ++j) {
    const std::uint8_t* rows[3];
    int rowCount = 0;
    if (j > 0 || topInside) rows[rowCount++] = src.Row<std::uint8_t>(2 * j - 1);
    rows[rowCount++] = src.Row<std::uint8_t>(2 * j);
    rows[rowCount++] = src.Row<std::uint8_t>(2 * j + 1);
    std::uint8_t* out = dst.Row<std::uint8_t>(j);
    const std::uint8_t* below = under.Row<std::uint8_t>(j);
    for (int i = 0; i < dst.width; ++i) {
      const int first = i > 0 || leftInside ? 2 * i - 1 : 2 * i;
      std::uint32_t sum[3] = {0, 0, 0};
      int n = 0;
      for (int r = 0; r < rowCount; ++r) {
        for (int sx = first; sx <= 2 * i + 1; ++sx) {
          const std::uint32_t v = Load<kBytes>(rows[r], sx);
          if (v == 0) continue;
          ++n;
          for (int c = 0; c < 3; ++c) sum[c] += (v >> ch.shift[c]) & ch.max;
        }
      }
      if (n == 0) continue;
      const std::uint32_t missing = n < 8 ? 8 - n : 0;
      const std::uint32_t back = missing ? Load<kBytes>(below, i) : 0;
      std::uint32_t result = 0;
      for (int c = 0; c < 3; ++c) {
        std::uint32_t s = (sum[c] + ch.max + missing * ((back >> ch.shift[c]) & ch.max)) >> 3;
        result |= std::min(s, ch.max) << ch.shift[c];
      }
      Store<kBytes>(out, i, result);
    }
  }
}

}  // namespace

bool FitShrink(ShrinkArea& a, int srcWidth, int srcHeight, int dstWidth, int dstHeight) {
  long long x = a.x, y = a.y, column = a.column, row = a.row, w = a.width, h = a.height;
  if (!FitAxis(x, column, w, a.sourceLeft, srcWidth, dstWidth)) return false;
  if (!FitAxis(y, row, h, a.sourceTop, srcHeight, dstHeight)) return false;
  a = ShrinkArea{static_cast<int>(x),   static_cast<int>(y), static_cast<int>(column),
                 static_cast<int>(row), static_cast<int>(w), static_cast<int>(h),
                 a.sourceLeft,          a.sourceTop};
  return true;
}

void ShrinkLine(PixelView dst, ConstPixelView under, ConstPixelView src, const PixelFormat& f,
                bool leftInside, bool topInside) {
  if (dst.Empty()) return;
  if (f.Sixteen()) {
    const Channels ch = {{f.channel[0].top5, f.channel[1].top5, f.channel[2].top5}, 31};
    ShrinkAs<2>(dst, under, src, ch, leftInside, topInside);
  } else if (f.ThirtyTwo()) {
    const Channels ch = {{f.channel[0].shift, f.channel[1].shift, f.channel[2].shift}, 255};
    ShrinkAs<4>(dst, under, src, ch, leftInside, topInside);
  } else if (f.bytesPerPixel == 3) {
    const Channels ch = {{0, 8, 16}, 255};
    ShrinkAs<3>(dst, under, src, ch, leftInside, topInside);
  }
}

bool ShrinkOnto(PixelView font, ConstPixelView screen, ConstPixelView buffer, const PixelFormat& f,
                ShrinkArea a) {
  const int bytes = f.bytesPerPixel;
  if (bytes < 2 || bytes > 4) return false;
  if (!FitShrink(a, buffer.width, buffer.height, std::min(font.width, screen.width),
                 std::min(font.height, screen.height))) {
    return false;
  }
  ShrinkLine(font.Sub(a.x, a.y, a.width, a.height, bytes),
             screen.Sub(a.x, a.y, a.width, a.height, bytes),
             buffer.Sub(a.sourceLeft + 2 * a.column, a.sourceTop + 2 * a.row, 2 * a.width,
                        2 * a.height, bytes),
             f, a.column > 0, a.row > 0);
  return true;
}

}  // namespace mu
