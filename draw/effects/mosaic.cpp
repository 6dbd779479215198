#include "draw/effects/mosaic.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "draw/effects/channels.h"

namespace mu {

namespace {

// The square's offsets on one axis, cut to the screen: [first, end).
struct Offsets {
  long long first, end;
};
Offsets CutToScreen(long long centre, long long radius, int size) {
  return Offsets{std::max(-radius, -centre), std::min(radius, size - centre)};
}

// The disc test as it reads: trunc(sqrt(dx^2 + dy^2)) < radius. Long double
// holds every sum exactly (|dx|, |dy| < 2^32) and its square root rounds
// correctly, so the test is exact.
bool InDisc(long long dx, long long dy, long long radius) {
  const unsigned long long n =
      static_cast<unsigned long long>(dx * dx) + static_cast<unsigned long long>(dy * dy);
  return static_cast<long long>(std::sqrt(static_cast<long double>(n))) < radius;
}

template <typename P>
void MosaicLoop(PixelView s, long long cx, long long cy, long long radius, long long cell) {
  const Offsets ox = CutToScreen(cx, radius, s.width), oy = CutToScreen(cy, radius, s.height);
  for (long long dy0 = oy.first; dy0 < oy.end; dy0 += cell) {
    for (long long dx0 = ox.first; dx0 < ox.end; dx0 += cell) {
      const P v = s.Row<P>(static_cast<int>(cy + dy0))[cx + dx0];
      for (long long dy = dy0; dy < dy0 + cell && cy + dy < s.height; ++dy) {
        P* row = s.Row<P>(static_cast<int>(cy + dy));
        for (long long dx = dx0; dx < dx0 + cell && cx + dx < s.width; ++dx) {
          if (InDisc(dx, dy, radius)) row[cx + dx] = v;
        }
      }
    }
  }
}

// floor(sqrt(m)), exact for every 64-bit m.
long long FloorRoot(unsigned long long m) {
  long long s = static_cast<long long>(std::sqrt(static_cast<long double>(m)));
  while (s > 0 && static_cast<unsigned long long>(s) * s > m) --s;
  while (static_cast<unsigned long long>(s + 1) * (s + 1) <= m) ++s;
  return s;
}

// Row by row: the disc's columns on a row are |dx| <= FloorRoot(radius^2 -
// dy^2 - 1), worked out once per row; each cell's part of that span is filled
// with the colour of the cell's top-left pixel.
template <typename P>
void MosaicRows(PixelView s, long long cx, long long cy, long long radius, long long cell) {
  const Offsets ox = CutToScreen(cx, radius, s.width), oy = CutToScreen(cy, radius, s.height);
  const unsigned long long r2 = static_cast<unsigned long long>(radius) * radius;
  for (long long dy = oy.first; dy < oy.end; ++dy) {
    const unsigned long long dy2 = static_cast<unsigned long long>(dy * dy);
    if (dy2 >= r2) continue;
    const long long reach = FloorRoot(r2 - dy2 - 1);
    const long long lo = std::max(-reach, ox.first), hi = std::min(reach + 1, ox.end);
    if (lo >= hi) continue;
    const long long cellTop = oy.first + (dy - oy.first) / cell * cell;
    const P* top = s.Row<P>(static_cast<int>(cy + cellTop));
    P* row = s.Row<P>(static_cast<int>(cy + dy));
    for (long long dx0 = ox.first + (lo - ox.first) / cell * cell; dx0 < hi; dx0 += cell) {
      const P v = top[cx + dx0];
      const long long end = std::min(dx0 + cell, hi);
      std::fill(row + (cx + std::max(dx0, lo)), row + (cx + end), v);   // on the screen: int range
    }
  }
}

}  // namespace

void PaintDiscMosaic(PixelView screen, int bytesPerPixel, int centreX, int centreY, int radius,
                     int cellSize) {
  if (cellSize <= 1 || radius <= 0) return;
  if (bytesPerPixel == 2) {
    (FastPath() ? MosaicRows<std::uint16_t> : MosaicLoop<std::uint16_t>)(screen, centreX, centreY,
                                                                        radius, cellSize);
  }
  if (bytesPerPixel == 4) {
    (FastPath() ? MosaicRows<std::uint32_t> : MosaicLoop<std::uint32_t>)(screen, centreX, centreY,
                                                                        radius, cellSize);
  }
}

}  // namespace mu
