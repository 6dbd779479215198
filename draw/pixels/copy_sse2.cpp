// The keyed copy, 16 bytes at a time: compare the masked source pixels with
// the key, then keep the destination where they matched and take the source
// elsewhere. Blocks that are all key are not written, blocks with no key are
// stored without reading the destination. A row's last pixels that do not
// fill a block are done as one more block ending at the row's end, which
// overlaps the block before it: doing a pixel twice gives what doing it once
// did. Rows narrower than a block go one pixel at a time.
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

// One block of pixels: the keyed rule on all lanes at once.
template <typename L>
inline void KeyedBlock(const typename L::Pixel* from, typename L::Pixel* to, __m128i value,
                       __m128i mask) {
  const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
  // All ones in the lanes that hold the key.
  const __m128i hole = L::Equal(_mm_and_si128(s, mask), value);
  const int bits = _mm_movemask_epi8(hole);
  if (bits == 0xFFFF) return;
  __m128i* out = reinterpret_cast<__m128i*>(to);
  if (bits == 0) {
    _mm_storeu_si128(out, s);
    return;
  }
  const __m128i d = _mm_loadu_si128(out);
  _mm_storeu_si128(out, _mm_or_si128(_mm_and_si128(hole, d), _mm_andnot_si128(hole, s)));
}

template <typename L>
void KeyedRows(PixelView dst, ConstPixelView src, ColorKey key) {
  using P = typename L::Pixel;
  const __m128i value = L::Splat(key.value), mask = L::Splat(key.mask);
  const int w = dst.width, n = L::kPerBlock;
  for (int y = 0; y < dst.height; ++y) {
    const P* from = src.Row<P>(y);
    P* to = dst.Row<P>(y);
    if (w < n) {
      for (int x = 0; x < w; ++x) {
        if ((from[x] & key.mask) != key.value) to[x] = from[x];
      }
      continue;
    }
    int x = 0;
    for (; x + n <= w; x += n) KeyedBlock<L>(from + x, to + x, value, mask);
    if (x < w) KeyedBlock<L>(from + w - n, to + w - n, value, mask);
  }
}

}  // namespace

void CopyKeyedSse2(PixelView dst, ConstPixelView src, int bytesPerPixel, ColorKey key) {
  // A 16-bit lane holds only the low half of the key: a key with higher bits
  // matches nothing, and neither does one with bits outside the mask.
  const std::uint32_t laneBits = bytesPerPixel == 2 ? 0xFFFFu : 0xFFFFFFFFu;
  if ((key.value & ~(key.mask & laneBits)) != 0) {
    CopyOpaque(dst, src, bytesPerPixel);
    return;
  }
  if (bytesPerPixel == 2) KeyedRows<Lanes16>(dst, src, key);
  if (bytesPerPixel == 4) KeyedRows<Lanes32>(dst, src, key);
}

}  // namespace mu

#endif
