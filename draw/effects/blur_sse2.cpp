// Vector path of the 2 x 2 box blur on 16-bit pixels: each box sums a pixel,
// its right neighbour and the two below, so eight boxes are four unaligned
// loads. The boxes of the last column and row are moved back inside as the
// rule says (the last column is done one pixel at a time).
#include "draw/effects/effect_paths.h"

#ifdef __SSE2__
#include <algorithm>

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

}  // namespace sse2
}  // namespace mu

#endif
