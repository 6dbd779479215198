// SSE2 helpers of the effects' vector paths: channels of eight 16-bit or four
// 32-bit pixels taken apart into lanes and put back, and the row loop that
// keeps the target where the source is transparent. Only for *_sse2.cpp.
#ifndef MU_DRAW_EFFECTS_SSE2_PIXELS_H
#define MU_DRAW_EFFECTS_SSE2_PIXELS_H

#ifdef __SSE2__
#include <emmintrin.h>

#include <cstdint>
#include <cstring>

#include "draw/pixels/pixel_view.h"

namespace mu {
namespace sse2 {

// Where each channel of a 16-bit format lies, as shift counts and masks.
struct Lanes16 {
  __m128i shift[3];
  __m128i mask[3];
};

// Five-bit components: (p >> top5) & 31.
inline Lanes16 LevelLanes(const PixelFormat& f) {
  Lanes16 l;
  for (int c = 0; c < 3; ++c) {
    l.shift[c] = _mm_cvtsi32_si128(static_cast<int>(f.channel[c].top5));
    l.mask[c] = _mm_set1_epi16(31);
  }
  return l;
}

// Native components: (p >> shift) & max.
inline Lanes16 NativeLanes(const PixelFormat& f) {
  Lanes16 l;
  for (int c = 0; c < 3; ++c) {
    l.shift[c] = _mm_cvtsi32_si128(static_cast<int>(f.channel[c].shift));
    l.mask[c] = _mm_set1_epi16(static_cast<short>(f.channel[c].max));
  }
  return l;
}

inline __m128i Take(__m128i p, const Lanes16& l, int c) {
  return _mm_and_si128(_mm_srl_epi16(p, l.shift[c]), l.mask[c]);
}
inline __m128i Place(__m128i v, const Lanes16& l, int c) { return _mm_sll_epi16(v, l.shift[c]); }

// True when every channel of a 32-bit format is a whole byte: byte-wise
// saturating arithmetic then works on all channels at once.
inline bool ByteChannels(const PixelFormat& f) {
  for (int c = 0; c < 3; ++c) {
    if (f.channel[c].max != 255 || f.channel[c].shift % 8 != 0) return false;
  }
  return f.bytesPerPixel == 4;
}

// A value in each channel's byte of a 32-bit pixel, in every lane.
inline __m128i ChannelBytes(const PixelFormat& f, const int value[3]) {
  std::uint32_t p = 0;
  for (int c = 0; c < 3; ++c) p |= static_cast<std::uint32_t>(value[c] & 255) << f.channel[c].shift;
  return _mm_set1_epi32(static_cast<int>(p));
}

// Target where the source lane is 0, result elsewhere.
inline __m128i Keep16(__m128i s, __m128i result, __m128i d) {
  const __m128i clear = _mm_cmpeq_epi16(s, _mm_setzero_si128());
  return _mm_or_si128(_mm_and_si128(clear, d), _mm_andnot_si128(clear, result));
}
inline __m128i Keep32(__m128i s, __m128i result, __m128i d) {
  const __m128i clear = _mm_cmpeq_epi32(s, _mm_setzero_si128());
  return _mm_or_si128(_mm_and_si128(clear, d), _mm_andnot_si128(clear, result));
}

// op(s, d, x) on every vector of pixels of the views (16 bytes at a time, x
// the first column of the vector; the last few pixels of a row through a
// zeroed copy, whose zeros are transparent), written where the source is not
// 0. P is the pixel type.
template <typename P, typename Op>
void RowsAt(PixelView dst, ConstPixelView src, Op op) {
  constexpr int kLanes = 16 / sizeof(P);
  auto keep = [](__m128i s, __m128i r, __m128i d) { return sizeof(P) == 2 ? Keep16(s, r, d) : Keep32(s, r, d); };
  auto load = [](const P* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); };
  for (int y = 0; y < dst.height; ++y) {
    P* d = dst.Row<P>(y);
    const P* s = src.Row<P>(y);
    int x = 0;
    // Two vectors a turn, so that the two chains of work overlap.
    for (; x + 2 * kLanes <= dst.width; x += 2 * kLanes) {
      const __m128i s0 = load(s + x), s1 = load(s + x + kLanes), d0 = load(d + x), d1 = load(d + x + kLanes);
      const __m128i r0 = op(s0, d0, x), r1 = op(s1, d1, x + kLanes);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(d + x), keep(s0, r0, d0));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(d + x + kLanes), keep(s1, r1, d1));
    }
    for (; x + kLanes <= dst.width; x += kLanes) {
      const __m128i sv = load(s + x), dv = load(d + x);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(d + x), keep(sv, op(sv, dv, x), dv));
    }
    if (x < dst.width) {
      const int n = dst.width - x;
      P ts[kLanes] = {}, td[kLanes] = {};
      std::memcpy(ts, s + x, n * sizeof(P));
      std::memcpy(td, d + x, n * sizeof(P));
      const __m128i sv = load(ts), dv = load(td);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(td), keep(sv, op(sv, dv, x), dv));
      std::memcpy(d + x, td, n * sizeof(P));
    }
  }
}

// op(s, d) on every vector, as RowsAt.
template <typename P, typename Op>
void Rows(PixelView dst, ConstPixelView src, Op op) {
  RowsAt<P>(dst, src, [&op](__m128i s, __m128i d, int) { return op(s, d); });
}

}  // namespace sse2
}  // namespace mu

#endif
#endif
