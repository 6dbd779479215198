// SSE2 helpers of the neighbour effects (softening, smoke): a row of pixels
// spread into quads, one pixel's three channel values in the low three of four
// 16-bit lanes of a 64-bit word (the fourth lane 0), and quads joined back
// into pixels. Four neighbours' values add up to at most 4 x 255 = 1020, so
// sums of quads never carry from one lane into the next, and one shift of
// all lanes divides every channel at once. Built only where SSE2 exists.
#ifndef MU_DRAW_EFFECTS_QUADS_SSE2_H
#define MU_DRAW_EFFECTS_QUADS_SSE2_H

#ifdef __SSE2__

#include <emmintrin.h>

#include <cstdint>

#include "draw/effects/channels.h"

namespace mu {

using Quad = std::uint64_t;

struct QuadLanes {
  __m128i position[3];   // each channel's position as a shift count
  __m128i full32;        // a channel's full value in each 32-bit lane
  std::uint32_t full;
  int pos[3];

  // The channel rules of channels.h for pixels of type P.
  template <typename P>
  static QuadLanes Of(const PixelFormat& f) {
    QuadLanes q;
    q.full = Depth<P>::kMax;
    for (int c = 0; c < 3; ++c) {
      q.pos[c] = static_cast<int>(Depth<P>::Position(f, c));
      q.position[c] = _mm_cvtsi32_si128(q.pos[c]);
    }
    q.full32 = _mm_set1_epi32(static_cast<int>(q.full));
    return q;
  }
  Quad Spread(std::uint32_t p) const {
    return static_cast<Quad>((p >> pos[0]) & full) | static_cast<Quad>((p >> pos[1]) & full) << 16 |
           static_cast<Quad>((p >> pos[2]) & full) << 32;
  }
  std::uint32_t Join(Quad q) const {
    return static_cast<std::uint32_t>(q & 0xFFFF) << pos[0] |
           static_cast<std::uint32_t>((q >> 16) & 0xFFFF) << pos[1] |
           static_cast<std::uint32_t>((q >> 32) & 0xFFFF) << pos[2];
  }
  // Four pixels in 32-bit lanes to four quads (two registers).
  void Spread4(__m128i px, __m128i& q01, __m128i& q23) const {
    const __m128i c0 = _mm_and_si128(_mm_srl_epi32(px, position[0]), full32);
    const __m128i c1 = _mm_and_si128(_mm_srl_epi32(px, position[1]), full32);
    const __m128i c2 = _mm_and_si128(_mm_srl_epi32(px, position[2]), full32);
    const __m128i low = _mm_or_si128(c0, _mm_slli_epi32(c1, 16));   // lanes c0 | c1 << 16
    q01 = _mm_unpacklo_epi32(low, c2);
    q23 = _mm_unpackhi_epi32(low, c2);
  }
  // Four quads (two registers) to four pixels in 32-bit lanes.
  __m128i Join4(__m128i q01, __m128i q23) const {
    // Even 32-bit lanes hold c0 | c1 << 16, odd ones c2.
    const __m128i low = _mm_castps_si128(
        _mm_shuffle_ps(_mm_castsi128_ps(q01), _mm_castsi128_ps(q23), _MM_SHUFFLE(2, 0, 2, 0)));
    const __m128i c2 = _mm_castps_si128(
        _mm_shuffle_ps(_mm_castsi128_ps(q01), _mm_castsi128_ps(q23), _MM_SHUFFLE(3, 1, 3, 1)));
    const __m128i c0 = _mm_and_si128(low, _mm_set1_epi32(0xFFFF));
    const __m128i c1 = _mm_srli_epi32(low, 16);
    return _mm_or_si128(_mm_or_si128(_mm_sll_epi32(c0, position[0]), _mm_sll_epi32(c1, position[1])),
                        _mm_sll_epi32(c2, position[2]));
  }
};

// A row of n pixels into quads.
template <typename P>
void SpreadRow(const QuadLanes& q, const P* in, int n, Quad* out);
template <typename P>
void JoinRow(const QuadLanes& q, const Quad* in, int n, P* out);

template <>
inline void SpreadRow<std::uint16_t>(const QuadLanes& q, const std::uint16_t* in, int n,
                                     Quad* out) {
  int i = 0;
  const __m128i zero = _mm_setzero_si128();
  for (; i + 8 <= n; i += 8) {
    const __m128i px = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
    __m128i a, b;
    q.Spread4(_mm_unpacklo_epi16(px, zero), a, b);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), a);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 2), b);
    q.Spread4(_mm_unpackhi_epi16(px, zero), a, b);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 4), a);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 6), b);
  }
  for (; i < n; ++i) out[i] = q.Spread(in[i]);
}

template <>
inline void SpreadRow<std::uint32_t>(const QuadLanes& q, const std::uint32_t* in, int n,
                                     Quad* out) {
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    __m128i a, b;
    q.Spread4(_mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i)), a, b);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), a);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 2), b);
  }
  for (; i < n; ++i) out[i] = q.Spread(in[i]);
}

template <>
inline void JoinRow<std::uint16_t>(const QuadLanes& q, const Quad* in, int n, std::uint16_t* out) {
  int i = 0;
  for (; i + 8 <= n; i += 8) {
    auto load = [&](int k) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i + k)); };
    __m128i lo = q.Join4(load(0), load(2)), hi = q.Join4(load(4), load(6));
    // Sign-extend each 16-bit pixel so that the signed pack keeps it as it is.
    lo = _mm_srai_epi32(_mm_slli_epi32(lo, 16), 16);
    hi = _mm_srai_epi32(_mm_slli_epi32(hi, 16), 16);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packs_epi32(lo, hi));
  }
  for (; i < n; ++i) out[i] = static_cast<std::uint16_t>(q.Join(in[i]));
}

template <>
inline void JoinRow<std::uint32_t>(const QuadLanes& q, const Quad* in, int n, std::uint32_t* out) {
  int i = 0;
  for (; i + 4 <= n; i += 4) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i + 2));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), q.Join4(a, b));
  }
  for (; i < n; ++i) out[i] = q.Join(in[i]);
}

// One level off the fading channels' lanes of a quad, as a saturating subtrahend.
template <typename P>
inline __m128i FadeQuad(unsigned fade) {
  const short u = static_cast<short>(Depth<P>::Level(1));
  return _mm_set_epi16(0, (fade & 4) ? u : 0, (fade & 2) ? u : 0, (fade & 1) ? u : 0, 0,
                       (fade & 4) ? u : 0, (fade & 2) ? u : 0, (fade & 1) ? u : 0);
}

}  // namespace mu

#endif  // __SSE2__

#endif
