// The keyed copy, 16 bytes at a time: compare the masked source pixels with
// the key, then keep the destination where they matched and take the source
// elsewhere. Blocks that are all key are not written, blocks with no key are
// stored without reading the destination; the row's last few pixels go
// through the same rule one at a time.
#include "draw/pixels/copy.h"

#ifdef __SSE2__
#include <emmintrin.h>

namespace mu {

namespace {

// The one place where 16- and 32-bit pixels differ: the width of the lanes.
struct Lanes16 {
  using Pixel = std::uint16_t;
  static constexpr int kPerBlock = 8;
  static __m128i Splat(std::uint32_t v) { return _mm_set1_epi16(static_cast<short>(v)); }
  static __m128i Equal(__m128i a, __m128i b) { return _mm_cmpeq_epi16(a, b); }
};
struct Lanes32 {
  using Pixel = std::uint32_t;
  static constexpr int kPerBlock = 4;
  static __m128i Splat(std::uint32_t v) { return _mm_set1_epi32(static_cast<int>(v)); }
  static __m128i Equal(__m128i a, __m128i b) { return _mm_cmpeq_epi32(a, b); }
};

template <typename L>
void KeyedRows(PixelView dst, ConstPixelView src, ColorKey key) {
  using P = typename L::Pixel;
  const __m128i value = L::Splat(key.value), mask = L::Splat(key.mask);
  const int w = dst.width;
  for (int y = 0; y < dst.height; ++y) {
    const P* from = src.Row<P>(y);
    P* to = dst.Row<P>(y);
    int x = 0;
    for (; x + L::kPerBlock <= w; x += L::kPerBlock) {
      const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + x));
      // All ones in the lanes that hold the key.
      const __m128i hole = L::Equal(_mm_and_si128(s, mask), value);
      const int bits = _mm_movemask_epi8(hole);
      if (bits == 0xFFFF) continue;
      __m128i* out = reinterpret_cast<__m128i*>(to + x);
      if (bits == 0) {
        _mm_storeu_si128(out, s);
        continue;
      }
      const __m128i d = _mm_loadu_si128(out);
      _mm_storeu_si128(out, _mm_or_si128(_mm_and_si128(hole, d), _mm_andnot_si128(hole, s)));
    }
    for (; x < w; ++x) {
      if ((from[x] & key.mask) != key.value) to[x] = from[x];
    }
  }
}

}  // namespace

void CopyKeyedSse2(PixelView dst, ConstPixelView src, int bytesPerPixel, ColorKey key) {
  // A 16-bit lane holds only the low half of the key: a key with higher bits
  // matches nothing, and neither does one with bits outside the mask.
  const std::uint32_t laneBits = bytesPerPixel == 2 ? 0xFFFFu : 0xFFFFFFFFu;
  if ((key.value & ~(key.mask & laneBits)) != 0) {
    CopyOpaqueRows(dst, src, bytesPerPixel);
    return;
  }
  if (bytesPerPixel == 2) KeyedRows<Lanes16>(dst, src, key);
  if (bytesPerPixel == 4) KeyedRows<Lanes32>(dst, src, key);
}

}  // namespace mu

#endif
