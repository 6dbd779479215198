// The smear kernel: per row a keyed copy of part of a source row and a run of
// one repeated pixel.
#include "draw/effects/smear.h"

#include <algorithm>

#include "draw/effects/effect_paths.h"

namespace mu {

void SmearBlt(PixelView screen, const ClipBounds& bounds, ConstPixelView sprite, const PixelFormat& f,
              const SmearArea& a, int mode, int position) {
  if (mode < kSmearRight || mode > kSmearUp) return;
  // The drawn columns c0..c1 - 1 and rows r0..r1 - 1 of the rectangle.
  const long long c0 = std::max(0LL, static_cast<long long>(bounds.left) - a.x);
  const long long c1 = std::min<long long>(a.width, static_cast<long long>(bounds.right) - a.x);
  const long long r0 = std::max(0LL, static_cast<long long>(bounds.top) - a.y);
  const long long r1 = std::min<long long>(a.height, static_cast<long long>(bounds.bottom) - a.y);
  if (c1 <= c0 || r1 <= r0) return;
  const long long p = position & 0xFFFF;
  const int rows = static_cast<int>(r1 - r0);
  const int dx = static_cast<int>(a.x + c0), dy = static_cast<int>(a.y + r0);

  // The rectangle's columns whose sprite pixels exist.
  const long long readFrom = std::max(c0, -static_cast<long long>(a.left));
  const long long readTo = std::min(c1, static_cast<long long>(sprite.width) - a.left);

  ForDepth(screen, f, [&](auto pixel) {
    using P = decltype(pixel);
    // Sprite row r of the rectangle, or nullptr outside the sprite.
    auto sourceRow = [&](long long r) -> const P* {
      const long long y = a.top + r;
      return y >= 0 && y < sprite.height ? sprite.Row<P>(static_cast<int>(y)) : nullptr;
    };
    const bool pReadable = p >= -static_cast<long long>(a.left) && p < sprite.width - static_cast<long long>(a.left);
    // Columns from..to - 1 of the rectangle on screen row d: from the same
    // columns of sprite row s, 0 skipped; or all repeating its column p.
    auto copy = [&](P* d, const P* s, long long from, long long to) {
      for (long long c = std::max(from, readFrom); c < std::min(to, readTo); ++c) {
        if (s[a.left + c] != 0) d[a.x + c] = s[a.left + c];
      }
    };
    auto repeat = [&](P* d, const P* s, long long from, long long to) {
      if (!pReadable || s[a.left + p] == 0) return;
      for (long long c = std::max(from, c0); c < std::min(to, c1); ++c) d[a.x + c] = s[a.left + p];
    };
    for (int i = 0; i < rows; ++i) {
      const long long r = r0 + i;
      const long long sr = mode == kSmearDown ? std::min(r, p) : mode == kSmearUp ? std::max(r, p) : r;
      const P* s = sourceRow(sr);
      if (!s) continue;
      P* d = screen.Row<P>(dy + i);
      if (mode == kSmearRight) {
        copy(d, s, c0, p + 1);
        repeat(d, s, p + 1, c1);
      } else if (mode == kSmearLeft) {
        repeat(d, s, c0, p);
        copy(d, s, p, c1);
        // On to the screen's left edge, zero included.
        if (pReadable) std::fill(d, d + dx, s[a.left + p]);
      } else {
        copy(d, s, c0, c1);
      }
    }
    if (mode == kSmearUp) {
      // On to the screen's top edge in the drawn columns, zero included.
      const P* s = sourceRow(p);
      for (long long c = readFrom; s && c < readTo; ++c) {
        for (int y = 0; y < dy; ++y) screen.Row<P>(y)[a.x + c] = s[a.left + c];
      }
    }
  });
}

}  // namespace mu
