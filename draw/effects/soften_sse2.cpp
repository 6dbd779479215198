// The SSE2 path of softening. Each row is spread into quads once (quads_sse2.h);
// the sum of the upper, right and lower neighbours of every pixel is formed
// for the whole row at once; only the left neighbour, the pixel softened just
// before, makes a chain, and that chain is one add and one shift of a quad per
// pixel (and a saturating subtract when fading).
#include "draw/effects/soften.h"

#ifdef __SSE2__

#include <cstdint>

#include "draw/effects/quads_sse2.h"

namespace mu {

namespace {

template <typename P, bool Fading>
void SoftenRows(PixelView a, const QuadLanes& q, __m128i fade) {
  alignas(16) static Quad rows[4][kAreaRowCapacity];
  Quad *up = rows[0], *cur = rows[1], *down = rows[2], *sum = rows[3];
  const int w = a.width;
  SpreadRow<P>(q, a.Row<P>(0), w, up);
  SpreadRow<P>(q, a.Row<P>(1), w, cur);
  for (int r = 1; r < a.height - 1; ++r) {
    SpreadRow<P>(q, a.Row<P>(r + 1), w, down);
    int col = 1;
    for (; col + 1 < w - 1; col += 2) {
      auto at = [](const Quad* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); };
      _mm_storeu_si128(reinterpret_cast<__m128i*>(sum + col),
                       _mm_add_epi16(_mm_add_epi16(at(up + col), at(cur + col + 1)), at(down + col)));
    }
    for (; col < w - 1; ++col) sum[col] = up[col] + cur[col + 1] + down[col];   // lanes never carry
    // The softened row replaces the row above in `up` as it is made.
    __m128i left = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(cur));
    for (col = 1; col < w - 1; ++col) {
      left = _mm_add_epi16(left, _mm_loadl_epi64(reinterpret_cast<const __m128i*>(sum + col)));
      left = _mm_srli_epi16(left, 2);
      if (Fading) left = _mm_subs_epu16(left, fade);
      _mm_storel_epi64(reinterpret_cast<__m128i*>(up + col), left);
    }
    JoinRow<P>(q, up + 1, w - 2, a.Row<P>(r) + 1);
    Quad* spare = cur;
    cur = down;
    down = spare;
  }
}

template <typename P>
void SoftenWith(PixelView a, const PixelFormat& f, unsigned fade) {
  const QuadLanes q = QuadLanes::Of<P>(f);
  if (fade) {
    SoftenRows<P, true>(a, q, FadeQuad<P>(fade));
  } else {
    SoftenRows<P, false>(a, q, _mm_setzero_si128());
  }
}

}  // namespace

bool SoftenAreaSse2(PixelView area, const PixelFormat& f, unsigned fade) {
  if (area.width > kAreaRowCapacity) return false;
  if (area.width < 3 || area.height < 3) return true;   // no inner pixel
  if (f.Sixteen()) SoftenWith<std::uint16_t>(area, f, fade);
  if (f.ThirtyTwo()) SoftenWith<std::uint32_t>(area, f, fade);
  return true;
}

}  // namespace mu

#else

namespace mu {
bool SoftenAreaSse2(PixelView, const PixelFormat&, unsigned) { return false; }
}  // namespace mu

#endif
