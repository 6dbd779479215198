// Vector paths of the blurs on 16-bit pixels.
// The 2 x 2 box blur: each box sums a pixel, its right neighbour and the two
// below, so eight boxes are four unaligned loads. The boxes of the last column
// and row are moved back inside as the rule says (the last column is done one
// pixel at a time).
// The soft edge: eight pixels with their four neighbours at a time; where no
// neighbour is transparent the source is copied, else the sums are divided by
// n = 2..5 as a multiplication (sums are at most 5 x 31, where the rounded-up
// reciprocals give the exact quotients).
#include "draw/effects/effect_paths.h"

#ifdef __SSE2__
#include <algorithm>
#include <array>

#include "draw/effects/sse2_pixels.h"

namespace mu {
namespace sse2 {

bool BoxBlur2(PixelView dst, ConstPixelView src, const PixelFormat& f) {
  if (!f.Sixteen() || dst.width < 2 || dst.height < 2) return false;
  const Lanes16 l = LevelLanes(f);
  const int w = dst.width, h = dst.height;
  auto load = [](const std::uint16_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); };
  for (int r = 0; r < h; ++r) {
    const int by = std::min(r, h - 2);
    const std::uint16_t* a = src.Row<std::uint16_t>(by);
    const std::uint16_t* b = src.Row<std::uint16_t>(by + 1);
    const std::uint16_t* s = src.Row<std::uint16_t>(r);
    std::uint16_t* d = dst.Row<std::uint16_t>(r);
    int col = 0;
    for (; col + 8 <= w - 1; col += 8) {
      const __m128i p00 = load(a + col), p01 = load(a + col + 1), p10 = load(b + col), p11 = load(b + col + 1);
      __m128i out = _mm_setzero_si128();
      for (int c = 0; c < 3; ++c) {
        const __m128i sum = _mm_add_epi16(_mm_add_epi16(Take(p00, l, c), Take(p01, l, c)),
                                          _mm_add_epi16(Take(p10, l, c), Take(p11, l, c)));
        out = _mm_or_si128(out, Place(_mm_srli_epi16(sum, 2), l, c));
      }
      const __m128i sv = load(s + col), dv = load(d + col);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(d + col), Keep16(sv, out, dv));
    }
    for (; col < w; ++col) {
      if (s[col] == 0) continue;
      const int bx = std::min(col, w - 2);
      std::uint32_t out = 0;
      for (int c = 0; c < 3; ++c) {
        const std::uint32_t top5 = f.channel[c].top5;
        const std::uint32_t sum = ((a[bx] >> top5) & 31u) + ((a[bx + 1] >> top5) & 31u) +
                                  ((b[bx] >> top5) & 31u) + ((b[bx + 1] >> top5) & 31u);
        out |= (sum >> 2) << top5;
      }
      d[col] = static_cast<std::uint16_t>(out);
    }
  }
  return true;
}

bool SoftEdge(PixelView dst, ConstPixelView src, const PixelFormat& f, int& end) {
  // The row above the first and below the last: drawn, so never a transparent neighbour.
  static const auto drawnRow = [] {
    std::array<std::uint16_t, kMaxColumns> row;
    row.fill(1);
    return row;
  }();
  if (!f.Sixteen() || dst.width > kMaxColumns) return false;
  const Lanes16 l = LevelLanes(f);
  const int w = dst.width, h = dst.height;
  // Whole blocks of eight from column 1 whose right neighbours lie inside.
  end = 1 + (w > 1 ? (w - 2) / 8 * 8 : 0);
  const __m128i zero = _mm_setzero_si128(), one = _mm_set1_epi16(1);
  auto load = [](const std::uint16_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); };
  auto reciprocal = [&](__m128i n) {   // 65536 / n rounded up, for n = 2..5; 0 for n = 1
    const int m[4] = {32768, 21846, 16384, 13108};
    __m128i out = zero;
    for (int i = 0; i < 4; ++i)
      out = _mm_or_si128(out, _mm_and_si128(_mm_cmpeq_epi16(n, _mm_set1_epi16(static_cast<short>(i + 2))),
                                            _mm_set1_epi16(static_cast<short>(m[i]))));
    return out;
  };
  for (int r = 0; r < h; ++r) {
    const std::uint16_t* s = src.Row<std::uint16_t>(r);
    std::uint16_t* d = dst.Row<std::uint16_t>(r);
    const std::uint16_t* above = r > 0 ? src.Row<std::uint16_t>(r - 1) : drawnRow.data();
    const std::uint16_t* below = r < h - 1 ? src.Row<std::uint16_t>(r + 1) : drawnRow.data();
    const std::uint16_t* dAbove = r > 0 ? dst.Row<std::uint16_t>(r - 1) : d;
    const std::uint16_t* dBelow = r < h - 1 ? dst.Row<std::uint16_t>(r + 1) : d;
    for (int col = 1; col < end; col += 8) {
      const __m128i sv = load(s + col), dv = load(d + col);
      const __m128i z[4] = {_mm_cmpeq_epi16(load(s + col - 1), zero), _mm_cmpeq_epi16(load(s + col + 1), zero),
                            _mm_cmpeq_epi16(load(above + col), zero), _mm_cmpeq_epi16(load(below + col), zero)};
      const __m128i any = _mm_or_si128(_mm_or_si128(z[0], z[1]), _mm_or_si128(z[2], z[3]));
      __m128i out = sv;
      if (_mm_movemask_epi8(any) != 0) {
        const __m128i under[4] = {load(d + col - 1), load(d + col + 1), load(dAbove + col), load(dBelow + col)};
        __m128i n = one;
        for (int i = 0; i < 4; ++i) n = _mm_add_epi16(n, _mm_and_si128(z[i], one));
        const __m128i m = reciprocal(n);
        __m128i avg = zero;
        for (int c = 0; c < 3; ++c) {
          __m128i sum = Take(sv, l, c);
          for (int i = 0; i < 4; ++i) sum = _mm_add_epi16(sum, _mm_and_si128(z[i], Take(under[i], l, c)));
          avg = _mm_or_si128(avg, Place(_mm_mulhi_epu16(sum, m), l, c));
        }
        out = _mm_or_si128(_mm_and_si128(any, avg), _mm_andnot_si128(any, sv));
      }
      _mm_storeu_si128(reinterpret_cast<__m128i*>(d + col), Keep16(sv, out, dv));
    }
  }
  return true;
}

}  // namespace sse2
}  // namespace mu

#endif
