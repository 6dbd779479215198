// The SSE2 path of smoke. The smoke reads only pixels it has not written yet
// (the pixel above is read just before it is replaced), so each row's
// four-neighbour averages are formed all at once, eight 16-bit or four 32-bit
// pixels a step; then one pass walks the counter and the noise reader along
// the row and writes, per pixel, the average or the pixel below.
#include "draw/effects/smoke.h"

#ifdef __SSE2__

#include <emmintrin.h>

#include <cstdint>
#include <cstring>

#include "draw/effects/channels.h"
#include "draw/effects/neighbours.h"

namespace mu {

namespace {

// Lanes of 16 bits for 16-bit pixels, of 32 for 32-bit ones.
template <typename P>
struct Lanes;
template <>
struct Lanes<std::uint16_t> {
  static constexpr int kPixels = 8;
  static __m128i Srl(__m128i v, __m128i n) { return _mm_srl_epi16(v, n); }
  static __m128i Sll(__m128i v, __m128i n) { return _mm_sll_epi16(v, n); }
  static __m128i Set(int v) { return _mm_set1_epi16(static_cast<short>(v)); }
};
template <>
struct Lanes<std::uint32_t> {
  static constexpr int kPixels = 4;
  static __m128i Srl(__m128i v, __m128i n) { return _mm_srl_epi32(v, n); }
  static __m128i Sll(__m128i v, __m128i n) { return _mm_sll_epi32(v, n); }
  static __m128i Set(int v) { return _mm_set1_epi32(v); }
};

// The four-neighbour averages of the row's inner pixels, into `out`: each
// channel is cut out of the four neighbours with a shift and a mask, summed
// (at most 4 x 255), shifted right by 2, lowered by one level where it fades
// (a saturating subtract) and put back in place.
template <typename P>
void Averages(const PixelFormat& f, unsigned fade, const P* up, const P* row, const P* down, int w,
              P* out) {
  using L = Lanes<P>;
  __m128i position[3], level[3];
  for (int c = 0; c < 3; ++c) {
    position[c] = _mm_cvtsi32_si128(static_cast<int>(Depth<P>::Position(f, c)));
    level[c] = L::Set(((fade >> c) & 1) ? static_cast<int>(Depth<P>::Level(1)) : 0);
  }
  const __m128i full = L::Set(Depth<P>::kMax);
  auto at = [](const P* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); };
  int col = 1;
  for (; col + L::kPixels <= w - 1; col += L::kPixels) {
    const __m128i n[4] = {at(row + col - 1), at(row + col + 1), at(up + col), at(down + col)};
    __m128i result = _mm_setzero_si128();
    for (int c = 0; c < 3; ++c) {
      __m128i sum = _mm_setzero_si128();
      for (const __m128i& v : n) sum = _mm_add_epi16(sum, _mm_and_si128(L::Srl(v, position[c]), full));
      const __m128i average = _mm_subs_epu16(_mm_srli_epi16(sum, 2), level[c]);
      result = _mm_or_si128(result, L::Sll(average, position[c]));
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + col), result);
  }
  for (; col < w - 1; ++col) out[col] = FourNeighbourAverage<P>(f, row[col - 1], row[col + 1], up[col], down[col], fade);
}

template <typename P>
void SmokeRows(PixelView v, const PixelFormat& f, unsigned fade, SmokeNoise& s, const std::uint8_t* noise) {
  alignas(16) static P averages[kAreaRowCapacity];
  const int w = v.width;
  int counter = s.counter;
  NoiseReader reader = s.reader;
  for (int r = 1; r < v.height - 1; ++r) {
    P* out = v.Row<P>(r - 1);
    const P* below = v.Row<P>(r);
    Averages<P>(f, fade, out, below, v.Row<P>(r + 1), w, averages);
    auto step = [&](int at) {   // one pixel as the rule reads
      if (++counter < reader.Peek(noise)) {
        out[at] = averages[at];
      } else {
        out[at] = below[at];
        counter = 0;
        reader.Advance();
      }
    };
    const int end = w - 1;
    // Every pixel is a copy but the smoothed ones: copy the row first.
    std::memcpy(out + 1, below + 1, sizeof(P) * static_cast<std::size_t>(w - 2));
    int col = 1;
    while (col < end && counter != 0) step(col++);   // a pair begun on the row before
    // With the counter at 0, an entry of 2 gives an average and then a copy,
    // an entry of 0 or 1 a copy alone: only the averages are left to write.
    const std::uint8_t* entry = noise + reader.position;
    const std::uint8_t* last = noise + muDraw::kNoiseEntries - 1;
    while (col + 1 < end && entry < last && *entry <= 2) {
      const int pair = *entry++ == 2;
      // A select by mask, so that no compiler makes it a branch on the noise.
      const P keep = static_cast<P>(-pair);
      out[col] = static_cast<P>(below[col] ^ ((averages[col] ^ below[col]) & keep));
      col += 1 + pair;
    }
    reader.position = static_cast<int>(entry - noise);
    while (col < end) step(col++);
  }
  s.counter = counter;
  s.reader = reader;
}

}  // namespace

bool SmokeRiseSse2(PixelView rows, const PixelFormat& f, unsigned fade, SmokeNoise& state,
                   const std::uint8_t* noise) {
  if (rows.width > kAreaRowCapacity) return false;
  if (rows.width < 3 || rows.height < 3) return true;   // no pixel to move
  if (f.Sixteen()) SmokeRows<std::uint16_t>(rows, f, fade, state, noise);
  if (f.ThirtyTwo()) SmokeRows<std::uint32_t>(rows, f, fade, state, noise);
  return true;
}

}  // namespace mu

#else

namespace mu {
bool SmokeRiseSse2(PixelView, const PixelFormat&, unsigned, SmokeNoise&, const std::uint8_t*) {
  return false;
}
}  // namespace mu

#endif
