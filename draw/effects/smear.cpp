// The smear kernel (one loop: it is a copy with a chosen source column or row,
// as fast as the keyed copy it resembles).
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
  const int columns = static_cast<int>(c1 - c0), rows = static_cast<int>(r1 - r0);
  const int dx = static_cast<int>(a.x + c0), dy = static_cast<int>(a.y + r0);

  ForDepth(screen, f, [&](auto pixel) {
    using P = decltype(pixel);
    // The sprite's pixel at column c and row r of the rectangle, or nullptr
    // outside the sprite.
    auto source = [&](long long c, long long r) -> const P* {
      const long long x = a.left + c, y = a.top + r;
      if (x < 0 || x >= sprite.width || y < 0 || y >= sprite.height) return nullptr;
      return sprite.Row<P>(static_cast<int>(y)) + x;
    };
    for (int i = 0; i < rows; ++i) {
      const long long r = r0 + i;
      const long long sr = mode == kSmearDown ? std::min(r, p) : mode == kSmearUp ? std::max(r, p) : r;
      P* d = screen.Row<P>(dy + i) + dx;
      for (int k = 0; k < columns; ++k) {
        const long long c = c0 + k;
        const long long sc = mode == kSmearRight ? std::min(c, p) : mode == kSmearLeft ? std::max(c, p) : c;
        const P* s = source(sc, sr);
        if (s && *s != 0) d[k] = *s;
      }
      if (mode == kSmearLeft) {
        if (const P* s = source(p, r)) std::fill(screen.Row<P>(dy + i), screen.Row<P>(dy + i) + dx, *s);
      }
    }
    if (mode == kSmearUp) {
      for (int k = 0; k < columns; ++k) {
        const P* s = source(c0 + k, p);
        if (!s) continue;
        for (int y = 0; y < dy; ++y) screen.Row<P>(y)[dx + k] = *s;
      }
    }
  });
}

}  // namespace mu
