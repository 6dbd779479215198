// The SSE2 path of grain. Each row's noise values are first copied out of
// the table in runs (the reader's restart falls between two runs, exactly
// where a per-pixel read would make it); then eight 16-bit pixels, or four
// 32-bit ones, take their grain at once: each channel is cut out with a shift
// and a mask, the grain of its noise value added (0 for a channel not
// flagged) and the sum held to the channel's full value.
#include "draw/effects/grain.h"

#ifdef __SSE2__

#include <emmintrin.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "draw/effects/channels.h"

namespace mu {

namespace {

// Copies the next n noise values into `out`, moving the reader past them.
void ReadNoise(NoiseReader& reader, const std::uint8_t* noise, int n, std::uint8_t* out) {
  while (n > 0) {
    const int run = std::min(n, muDraw::kNoiseEntries - reader.position);
    std::memcpy(out, noise + reader.position, run);
    out += run;
    n -= run;
    reader.position += run - 1;
    reader.Advance();   // from the table's last entry: a random restart
  }
}

// A channel's grain for each noise value (the table holds 0, 1 and 2):
// Depth<P>::Level(n << shift), which on 32 bits is not n times the level of 1.
struct GrainLanes {
  __m128i position[3];
  __m128i keep[3];      // all ones for a channel that takes grain, else 0
  __m128i full;
  __m128i one, two;     // noise values to compare with
  __m128i grain1, grain2;
  std::uint32_t grain[3];
  unsigned channels;
};

template <typename P>
GrainLanes LanesOf(const PixelFormat& f, int shift, unsigned channels) {
  using D = Depth<P>;
  const bool sixteen = sizeof(P) == 2;
  auto lanes = [&](int v) { return sixteen ? _mm_set1_epi16(static_cast<short>(v)) : _mm_set1_epi32(v); };
  GrainLanes g;
  for (int c = 0; c < 3; ++c) {
    g.position[c] = _mm_cvtsi32_si128(static_cast<int>(D::Position(f, c)));
    g.keep[c] = _mm_set1_epi32(((channels >> c) & 1) ? -1 : 0);
  }
  for (int n = 0; n < 3; ++n) g.grain[n] = D::Level(n << shift);
  g.full = lanes(D::kMax);
  g.one = lanes(1);
  g.two = lanes(2);
  g.grain1 = lanes(static_cast<int>(g.grain[1]));
  g.grain2 = lanes(static_cast<int>(g.grain[2]));
  g.channels = channels;
  return g;
}

void GrainRow(const GrainLanes& g, const PixelFormat& f, std::uint16_t* row, const std::uint8_t* n,
              int w) {
  const __m128i zero = _mm_setzero_si128();
  int i = 0;
  for (; i + 8 <= w; i += 8) {
    const __m128i px = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i));
    const __m128i noise = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(n + i)), zero);
    const __m128i grain = _mm_or_si128(_mm_and_si128(_mm_cmpeq_epi16(noise, g.one), g.grain1),
                                       _mm_and_si128(_mm_cmpeq_epi16(noise, g.two), g.grain2));
    __m128i out = zero;
    for (int c = 0; c < 3; ++c) {
      __m128i v = _mm_and_si128(_mm_srl_epi16(px, g.position[c]), g.full);
      v = _mm_min_epi16(_mm_add_epi16(v, _mm_and_si128(grain, g.keep[c])), g.full);
      out = _mm_or_si128(out, _mm_sll_epi16(v, g.position[c]));
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(row + i), out);
  }
  for (; i < w; ++i) row[i] = Grained(row[i], f, g.grain[n[i]], g.channels);
}

void GrainRow(const GrainLanes& g, const PixelFormat& f, std::uint32_t* row, const std::uint8_t* n,
              int w) {
  const __m128i zero = _mm_setzero_si128();
  int i = 0;
  for (; i + 4 <= w; i += 4) {
    const __m128i px = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i));
    std::int32_t four;
    std::memcpy(&four, n + i, 4);
    const __m128i noise =
        _mm_unpacklo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(four), zero), zero);
    const __m128i grain = _mm_or_si128(_mm_and_si128(_mm_cmpeq_epi32(noise, g.one), g.grain1),
                                       _mm_and_si128(_mm_cmpeq_epi32(noise, g.two), g.grain2));
    __m128i out = zero;
    for (int c = 0; c < 3; ++c) {
      __m128i v = _mm_and_si128(_mm_srl_epi32(px, g.position[c]), g.full);
      v = _mm_add_epi32(v, _mm_and_si128(grain, g.keep[c]));
      const __m128i over = _mm_cmpgt_epi32(v, g.full);   // no 32-bit minimum in SSE2
      v = _mm_or_si128(_mm_and_si128(over, g.full), _mm_andnot_si128(over, v));
      out = _mm_or_si128(out, _mm_sll_epi32(v, g.position[c]));
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(row + i), out);
  }
  for (; i < w; ++i) row[i] = Grained(row[i], f, g.grain[n[i]], g.channels);
}

template <typename P>
void GrainRows(PixelView a, const PixelFormat& f, int shift, unsigned channels,
               NoiseReader& reader, const std::uint8_t* noise) {
  static std::uint8_t values[kAreaRowCapacity];
  const GrainLanes g = LanesOf<P>(f, shift, channels);
  for (int r = 0; r < a.height; ++r) {
    ReadNoise(reader, noise, a.width, values);
    GrainRow(g, f, a.Row<P>(r), values, a.width);
  }
}

}  // namespace

bool AddGrainSse2(PixelView area, const PixelFormat& f, int shift, unsigned channels,
                  NoiseReader& reader, const std::uint8_t* noise) {
  if (area.width > kAreaRowCapacity) return false;
  shift = std::clamp(shift, 0, kMaxGrainShift);
  if (f.Sixteen()) GrainRows<std::uint16_t>(area, f, shift, channels, reader, noise);
  if (f.ThirtyTwo()) GrainRows<std::uint32_t>(area, f, shift, channels, reader, noise);
  return true;
}

}  // namespace mu

#else

namespace mu {
bool AddGrainSse2(PixelView, const PixelFormat&, int, unsigned, NoiseReader&,
                  const std::uint8_t*) {
  return false;
}
}  // namespace mu

#endif
