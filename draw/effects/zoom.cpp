#include "draw/effects/zoom.h"

#include "draw/effects/channels.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace mu {

bool FitZoom(long long x, long long y, unsigned width, unsigned height, int factor,
             int screenWidth, int screenHeight, int bufferWidth, int bufferHeight, Area& out) {
  Area a;
  if (factor < 1 || !FitArea(x, y, width, height, screenWidth, screenHeight, a)) return false;
  a.width = std::min({a.width, (screenWidth - a.x) / factor, bufferWidth / factor});
  a.height = std::min({a.height, (screenHeight - a.y) / factor, bufferHeight / factor});
  if (a.width <= 0 || a.height <= 0) return false;
  out = a;
  return true;
}

namespace {

// Sparse enlargement writes only the top-left half of each block.
int BlockSize(int factor, bool sparse) { return sparse ? factor / 2 : factor; }

template <typename P>
void EnlargeLoop(PixelView to, ConstPixelView from, int factor, int block) {
  for (int r = 0; r < from.height; ++r) {
    for (int col = 0; col < from.width; ++col) {
      const P v = from.Row<P>(r)[col];
      for (int j = 0; j < block; ++j) {
        for (int i = 0; i < block; ++i) to.Row<P>(factor * r + j)[factor * col + i] = v;
      }
    }
  }
}

// Each enlarged row is made once and copied to the block's other rows.
template <typename P>
void EnlargeRows(PixelView to, ConstPixelView from, int factor, int block) {
  const std::size_t bytes = sizeof(P) * static_cast<std::size_t>(factor) * from.width;
  for (int r = 0; r < from.height; ++r) {
    const P* in = from.Row<P>(r);
    P* first = to.Row<P>(factor * r);
    if (block == factor) {
      for (int col = 0; col < from.width; ++col) {
        for (int i = 0; i < factor; ++i) first[factor * col + i] = in[col];
      }
      for (int j = 1; j < factor; ++j) std::memcpy(to.Row<P>(factor * r + j), first, bytes);
    } else {
      for (int j = 0; j < block; ++j) {
        P* out = to.Row<P>(factor * r + j);
        for (int col = 0; col < from.width; ++col) {
          for (int i = 0; i < block; ++i) out[factor * col + i] = in[col];
        }
      }
    }
  }
}

}  // namespace

void Enlarge(PixelView to, ConstPixelView from, int bytesPerPixel, int factor, bool sparse) {
  const int block = BlockSize(factor, sparse);
  if (bytesPerPixel == 2) {
    (FastPath() ? EnlargeRows<std::uint16_t> : EnlargeLoop<std::uint16_t>)(to, from, factor, block);
  }
  if (bytesPerPixel == 4) {
    (FastPath() ? EnlargeRows<std::uint32_t> : EnlargeLoop<std::uint32_t>)(to, from, factor, block);
  }
}

}  // namespace mu
