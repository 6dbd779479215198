// The SSE2 path of grain. Each row's noise values are first copied out of
// the table in runs (the reader's restart falls between two runs, exactly
// where a per-pixel read would make it); then eight 16-bit pixels, or four
// 32-bit ones, take their grain at once: each channel is cut out with a shift
// and a mask, the grain added (0 for a channel not flagged) and the sum held
// to the channel's full value.
#include "draw/effects/grain.h"

#ifdef __SSE2__

#include <emmintrin.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "draw/effects/levels.h"

namespace mu {

namespace {

constexpr int kGrainRowCapacity = 2048;

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

struct GrainLanes {
  __m128i position[3];
  __m128i keep[3];      // all ones for a channel that takes grain, else 0
  __m128i full;
  __m128i gshift;       // noise to grain: the shift plus one level's own shift
  ChannelLevels levels;
  int shift;
  unsigned channels;
};

GrainLanes LanesOf(const ChannelLevels& l, int shift, unsigned channels, bool sixteen) {
  GrainLanes g;
  int unitShift = 0;
  while ((1u << unitShift) < l.unit) ++unitShift;
  for (int c = 0; c < 3; ++c) {
    g.position[c] = _mm_cvtsi32_si128(l.position[c]);
    g.keep[c] = _mm_set1_epi32(((channels >> c) & 1) ? -1 : 0);
  }
  g.full = sixteen ? _mm_set1_epi16(static_cast<short>(l.full))
                   : _mm_set1_epi32(static_cast<int>(l.full));
  g.gshift = _mm_cvtsi32_si128(shift + unitShift);
  g.levels = l;
  g.shift = shift;
  g.channels = channels;
  return g;
}

// The reference rule for one pixel, for the ends of rows.
template <typename P>
P GrainPixel(const GrainLanes& g, P p, std::uint8_t n) {
  const ChannelLevels& l = g.levels;
  const std::uint32_t add = (static_cast<std::uint32_t>(n) << g.shift) * l.unit;
  std::uint32_t out = 0;
  for (int c = 0; c < 3; ++c) {
    std::uint32_t v = l.Get(p, c);
    if ((g.channels >> c) & 1) v = std::min(v + add, l.full);
    out |= l.Put(v, c);
  }
  return static_cast<P>(out);
}

void GrainRow(const GrainLanes& g, std::uint16_t* row, const std::uint8_t* n, int w) {
  const __m128i zero = _mm_setzero_si128();
  int i = 0;
  for (; i + 8 <= w; i += 8) {
    const __m128i px = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i));
    const __m128i noise = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(n + i)), zero);
    const __m128i grain = _mm_sll_epi16(noise, g.gshift);
    __m128i out = zero;
    for (int c = 0; c < 3; ++c) {
      __m128i v = _mm_and_si128(_mm_srl_epi16(px, g.position[c]), g.full);
      v = _mm_min_epi16(_mm_add_epi16(v, _mm_and_si128(grain, g.keep[c])), g.full);
      out = _mm_or_si128(out, _mm_sll_epi16(v, g.position[c]));
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(row + i), out);
  }
  for (; i < w; ++i) row[i] = GrainPixel<std::uint16_t>(g, row[i], n[i]);
}

void GrainRow(const GrainLanes& g, std::uint32_t* row, const std::uint8_t* n, int w) {
  const __m128i zero = _mm_setzero_si128();
  int i = 0;
  for (; i + 4 <= w; i += 4) {
    const __m128i px = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i));
    std::int32_t four;
    std::memcpy(&four, n + i, 4);
    const __m128i noise =
        _mm_unpacklo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(four), zero), zero);
    const __m128i grain = _mm_sll_epi32(noise, g.gshift);
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
  for (; i < w; ++i) row[i] = GrainPixel<std::uint32_t>(g, row[i], n[i]);
}

template <typename P>
void GrainRows(PixelView a, const GrainLanes& g, NoiseReader& reader, const std::uint8_t* noise) {
  static std::uint8_t values[kGrainRowCapacity];
  for (int r = 0; r < a.height; ++r) {
    ReadNoise(reader, noise, a.width, values);
    GrainRow(g, a.Row<P>(r), values, a.width);
  }
}

}  // namespace

bool AddGrainSse2(PixelView area, const PixelFormat& f, int shift, unsigned channels,
                  NoiseReader& reader, const std::uint8_t* noise) {
  if (area.width > kGrainRowCapacity) return false;
  const ChannelLevels l = LevelsOf(f);
  shift = std::clamp(shift, 0, kMaxGrainShift);
  if (f.Sixteen()) GrainRows<std::uint16_t>(area, LanesOf(l, shift, channels, true), reader, noise);
  if (f.ThirtyTwo()) GrainRows<std::uint32_t>(area, LanesOf(l, shift, channels, false), reader, noise);
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
