#include "draw/effects/tint.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace mu {

namespace {

template <typename P>
void TintRows(PixelView view, P half, P tint) {
  for (int y = 0; y < view.height; ++y) {
    P* p = view.Row<P>(y);
    for (int x = 0; x < view.width; ++x) p[x] = static_cast<P>(((p[x] >> 1) & half) + tint);
  }
}

#ifdef __SSE2__
// Sixteen bytes at a time, unaligned (rows start wherever the surface puts
// them); the pixels left over at a row's end go through the plain rule.
// Each lane is one pixel, so the shift never moves a bit between pixels.
template <typename P>
void TintRowsSse2(PixelView view, P half, P tint) {
  constexpr int kLane = 16 / sizeof(P);
  const __m128i halfs = sizeof(P) == 2 ? _mm_set1_epi16(static_cast<short>(half))
                                       : _mm_set1_epi32(static_cast<int>(half));
  const __m128i tints = sizeof(P) == 2 ? _mm_set1_epi16(static_cast<short>(tint))
                                       : _mm_set1_epi32(static_cast<int>(tint));
  const int whole = view.width - view.width % kLane;
  for (int y = 0; y < view.height; ++y) {
    P* p = view.Row<P>(y);
    for (int x = 0; x < whole; x += kLane) {
      __m128i* at = reinterpret_cast<__m128i*>(p + x);
      __m128i v = _mm_loadu_si128(at);
      v = sizeof(P) == 2 ? _mm_srli_epi16(v, 1) : _mm_srli_epi32(v, 1);
      v = _mm_and_si128(v, halfs);
      v = sizeof(P) == 2 ? _mm_add_epi16(v, tints) : _mm_add_epi32(v, tints);
      _mm_storeu_si128(at, v);
    }
    for (int x = whole; x < view.width; ++x) p[x] = static_cast<P>(((p[x] >> 1) & half) + tint);
  }
}
#endif

template <typename P>
void TintAs(PixelView view, const PixelFormat& f, std::uint32_t value, bool fast) {
  const P half = static_cast<P>(f.halfMask);
  const P tint = static_cast<P>((value >> 1) & f.halfMask);
#ifdef __SSE2__
  if (fast) return TintRowsSse2<P>(view, half, tint);
#endif
  TintRows<P>(view, half, tint);
}

void TintWith(PixelView view, const PixelFormat& f, std::uint32_t value, bool fast) {
  if (view.Empty()) return;
  if (f.Sixteen()) TintAs<std::uint16_t>(view, f, value, fast);
  if (f.ThirtyTwo()) TintAs<std::uint32_t>(view, f, value, fast);
}

}  // namespace

void Tint(PixelView view, const PixelFormat& f, std::uint32_t value) {
  TintWith(view, f, value, true);
}

void TintReference(PixelView view, const PixelFormat& f, std::uint32_t value) {
  TintWith(view, f, value, false);
}

}  // namespace mu
