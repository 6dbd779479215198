// Blurring kernels: reference loops as the rules read, a sliding-sum fast path
// for the box blur (and a vector one for size 2 in blur_sse2.cpp), and a fast
// path for soft edges that copies the inner pixels without averaging.
#include "draw/effects/blur.h"

#include <algorithm>

#include "draw/effects/channels.h"
#include "draw/effects/effect_paths.h"

namespace mu {

namespace {


// The level components of a pixel added into sums.
template <typename P>
void AddComponents(std::uint32_t p, const PixelFormat& f, int sum[3]) {
  for (int c = 0; c < 3; ++c) sum[c] += static_cast<int>(Depth<P>::Get(p, f, c));
}

template <typename P>
std::uint32_t Compose(const int v[3], const PixelFormat& f) {
  return Depth<P>::Put(static_cast<std::uint32_t>(v[0]), f, kRed) |
         Depth<P>::Put(static_cast<std::uint32_t>(v[1]), f, kGreen) |
         Depth<P>::Put(static_cast<std::uint32_t>(v[2]), f, kBlue);
}

// One pixel of the soft edge: its sums with the target under transparent
// neighbours, or s itself without such a neighbour.
template <typename P>
std::uint32_t SoftPixel(PixelView dst, ConstPixelView src, const PixelFormat& f, int col, int r,
                        std::uint32_t s) {
  int sum[3] = {0, 0, 0}, n = 1;
  AddComponents<P>(s, f, sum);
  auto neighbour = [&](int x, int y) {
    if (src.Row<P>(y)[x] != 0) return;
    AddComponents<P>(dst.Row<P>(y)[x], f, sum);
    ++n;
  };
  if (col > 0) neighbour(col - 1, r);
  if (col < dst.width - 1) neighbour(col + 1, r);
  if (r > 0) neighbour(col, r - 1);
  if (r < dst.height - 1) neighbour(col, r + 1);
  if (n < 2) return s;
  for (int c = 0; c < 3; ++c) sum[c] /= n;
  return Compose<P>(sum, f);
}

// The rule at pixel (col, r): a source pixel of 0 leaves the target alone.
template <typename P>
void SoftAt(PixelView dst, ConstPixelView src, const PixelFormat& f, int col, int r) {
  const std::uint32_t s = src.Row<P>(r)[col];
  if (s != 0) dst.Row<P>(r)[col] = static_cast<P>(SoftPixel<P>(dst, src, f, col, r, s));
}

template <typename P>
void SoftEdgeReference(PixelView dst, ConstPixelView src, const PixelFormat& f) {
  for (int r = 0; r < dst.height; ++r) {
    for (int col = 0; col < dst.width; ++col) SoftAt<P>(dst, src, f, col, r);
  }
}

// Only a transparent neighbour changes a pixel, and the target is never
// written under one, so the order of the pixels does not matter: inner pixels
// whose four neighbours are all drawn are copied straight. The outer rows and
// columns, whose neighbours lie partly outside, go by the rule.
template <typename P>
void SoftEdgeFast(PixelView dst, ConstPixelView src, const PixelFormat& f) {
  const int w = dst.width, h = dst.height;
  for (int r = 0; r < h; ++r) {
    if (r == 0 || r == h - 1 || w < 3) {
      for (int col = 0; col < w; ++col) SoftAt<P>(dst, src, f, col, r);
      continue;
    }
    const P* s = src.Row<P>(r);
    const P* above = src.Row<P>(r - 1);
    const P* below = src.Row<P>(r + 1);
    P* d = dst.Row<P>(r);
    SoftAt<P>(dst, src, f, 0, r);
    for (int col = 1; col < w - 1; ++col) {
      const P sp = s[col];
      if (sp == 0) continue;
      const bool inner = s[col - 1] != 0 && s[col + 1] != 0 && above[col] != 0 && below[col] != 0;
      d[col] = inner ? sp : static_cast<P>(SoftPixel<P>(dst, src, f, col, r, sp));
    }
    SoftAt<P>(dst, src, f, w - 1, r);
  }
}

// The average of `size` x `size` sums: a shift for size 2, else a division.
inline int BoxAverage(int sum, int size) { return size == 2 ? sum >> 2 : sum / (size * size); }

template <typename P>
void BoxBlurReference(PixelView dst, ConstPixelView src, const PixelFormat& f, int size) {
  const int w = dst.width, h = dst.height;
  for (int r = 0; r < h; ++r) {
    for (int col = 0; col < w; ++col) {
      if (src.Row<P>(r)[col] == 0) continue;
      const int bx = std::min(col, w - size), by = std::min(r, h - size);
      int sum[3] = {0, 0, 0};
      for (int j = 0; j < size; ++j) {
        for (int i = 0; i < size; ++i) AddComponents<P>(src.Row<P>(by + j)[bx + i], f, sum);
      }
      for (int c = 0; c < 3; ++c) sum[c] = BoxAverage(sum[c], size);
      dst.Row<P>(r)[col] = static_cast<P>(Compose<P>(sum, f));
    }
  }
}

// Column sums over the box's rows, kept as the box moves down, and a running
// sum across them as it moves right: the same sums, a few additions a pixel.
template <typename P>
void BoxBlurSliding(PixelView dst, ConstPixelView src, const PixelFormat& f, int size) {
  static int columns[3][kMaxColumns];
  const int w = dst.width, h = dst.height;
  auto addRow = [&](int y, int sign) {
    const P* row = src.Row<P>(y);
    for (int x = 0; x < w; ++x) {
      for (int c = 0; c < 3; ++c) columns[c][x] += sign * static_cast<int>(Depth<P>::Get(row[x], f, c));
    }
  };
  for (int c = 0; c < 3; ++c) std::fill(columns[c], columns[c] + w, 0);
  for (int j = 0; j < size; ++j) addRow(j, 1);
  // sum / (size x size) as one 32 x 32-bit product: the sums stay below
  // 2^19, where the reciprocal rounded up at 31 bits is off by less than
  // the smallest fraction of a quotient (1 / 2025), so every quotient is exact.
  const std::uint32_t reciprocal =
      static_cast<std::uint32_t>(((1ull << 31) + size * size - 1) / (size * size));
  int top = 0;
  for (int r = 0; r < h; ++r) {
    const int by = std::min(r, h - size);
    if (by != top) {   // the box moves down one row
      addRow(top, -1);
      addRow(by + size - 1, 1);
      top = by;
    }
    int sum[3] = {0, 0, 0};
    for (int c = 0; c < 3; ++c) {
      for (int i = 0; i < size; ++i) sum[c] += columns[c][i];
    }
    const P* s = src.Row<P>(r);
    P* d = dst.Row<P>(r);
    int left = 0;
    for (int col = 0; col < w; ++col) {
      const int bx = std::min(col, w - size);
      if (bx != left) {
        for (int c = 0; c < 3; ++c) sum[c] += columns[c][bx + size - 1] - columns[c][left];
        left = bx;
      }
      if (s[col] == 0) continue;
      int avg[3];
      for (int c = 0; c < 3; ++c) {
        avg[c] = static_cast<int>((static_cast<std::uint64_t>(static_cast<std::uint32_t>(sum[c])) * reciprocal) >> 31);
      }
      d[col] = static_cast<P>(Compose<P>(avg, f));
    }
  }
}

}  // namespace

void SoftEdge(PixelView dst, ConstPixelView src, const PixelFormat& f) {
  ForDepth(dst, f, [&](auto pixel) {
    using P = decltype(pixel);
    if (FastPath()) {
#ifdef __SSE2__
      // The vector path's inner columns first, then the others by the rule:
      // the order of the pixels does not matter (see SoftEdgeFast).
      int end = 1;
      if (sse2::SoftEdge(dst, src, f, end)) {
        for (int r = 0; r < dst.height; ++r) {
          SoftAt<P>(dst, src, f, 0, r);
          for (int col = end; col < dst.width; ++col) SoftAt<P>(dst, src, f, col, r);
        }
        return;
      }
#endif
      SoftEdgeFast<P>(dst, src, f);
    } else {
      SoftEdgeReference<P>(dst, src, f);
    }
  });
}

void BoxBlur(PixelView dst, ConstPixelView src, const PixelFormat& f, int size) {
  if (size < 1) return;
  size = std::min({size, kMaxBoxSize, dst.width, dst.height});
  ForDepth(dst, f, [&](auto pixel) {
    using P = decltype(pixel);
    if (!FastPath() || dst.width > kMaxColumns) {
      BoxBlurReference<P>(dst, src, f, size);
      return;
    }
#ifdef __SSE2__
    if (size == 2 && sse2::BoxBlur2(dst, src, f)) return;
#endif
    BoxBlurSliding<P>(dst, src, f, size);
  });
}

}  // namespace mu
