// The SSE2 path of smoke. The smoke reads only pixels it has not written yet
// (the pixel above is read just before it is replaced), so each row's
// four-neighbour averages are formed all at once from quads (quads_sse2.h);
// then one pass walks the counter and the noise reader along the row and
// writes, per pixel, the average or the pixel below.
#include "draw/effects/smoke.h"

#ifdef __SSE2__

#include <cstdint>

#include "draw/effects/quads_sse2.h"

namespace mu {

namespace {

void Advance(int& position) {
  if (++position == muDraw::kNoiseEntries) position = std::rand() % kNoiseRestarts;
}

template <typename P, bool Fading>
void SmokeRows(PixelView v, const QuadLanes& q, __m128i fade, SmokeNoise& s,
               const std::uint8_t* noise) {
  alignas(16) static Quad rows[4][kQuadRowCapacity];
  alignas(16) static P averages[kQuadRowCapacity];
  Quad *up = rows[0], *cur = rows[1], *down = rows[2], *average = rows[3];
  const int w = v.width;
  int counter = s.counter, position = s.reader.position;
  SpreadRow<P>(q, v.Row<P>(0), w, up);
  SpreadRow<P>(q, v.Row<P>(1), w, cur);
  for (int r = 1; r < v.height - 1; ++r) {
    SpreadRow<P>(q, v.Row<P>(r + 1), w, down);
    auto at = [](const Quad* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); };
    auto one = [](const Quad* p) { return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)); };
    int col = 1;
    for (; col + 1 < w - 1; col += 2) {
      __m128i a = _mm_add_epi16(_mm_add_epi16(at(cur + col - 1), at(cur + col + 1)),
                                _mm_add_epi16(at(up + col), at(down + col)));
      a = _mm_srli_epi16(a, 2);
      if (Fading) a = _mm_subs_epu16(a, fade);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(average + col), a);
    }
    for (; col < w - 1; ++col) {
      __m128i a = _mm_add_epi16(_mm_add_epi16(one(cur + col - 1), one(cur + col + 1)),
                                _mm_add_epi16(one(up + col), one(down + col)));
      a = _mm_srli_epi16(a, 2);
      if (Fading) a = _mm_subs_epu16(a, fade);
      _mm_storel_epi64(reinterpret_cast<__m128i*>(average + col), a);
    }
    JoinRow<P>(q, average + 1, w - 2, averages + 1);

    P* out = v.Row<P>(r - 1);
    const P* below = v.Row<P>(r);
    auto step = [&](int at) {   // one pixel as the rule reads
      if (++counter < noise[position]) {
        out[at] = averages[at];
      } else {
        out[at] = below[at];
        counter = 0;
        Advance(position);
      }
    };
    const int end = w - 1;
    col = 1;
    while (col < end && counter != 0) step(col++);   // a pair begun on the row before
    // With the counter at 0, an entry of 2 gives an average and then a copy,
    // an entry of 0 or 1 a copy alone: the next column depends on the entry,
    // and nothing else waits for the noise.
    while (col + 1 < end && noise[position] <= 2) {
      const int pair = noise[position] == 2;
      out[col] = pair ? averages[col] : below[col];
      out[col + 1] = below[col + 1];   // the pair's copy, or written again by the next entry
      col += 1 + pair;
      Advance(position);
    }
    while (col < end) step(col++);
    Quad* spare = up;
    up = cur;
    cur = down;
    down = spare;
  }
  s.counter = counter;
  s.reader.position = position;
}

template <typename P>
void SmokeWith(PixelView v, const PixelFormat& f, unsigned fade, SmokeNoise& s,
               const std::uint8_t* noise) {
  const QuadLanes q = QuadLanes::Of<P>(f);
  if (fade) {
    SmokeRows<P, true>(v, q, FadeQuad<P>(fade), s, noise);
  } else {
    SmokeRows<P, false>(v, q, _mm_setzero_si128(), s, noise);
  }
}

}  // namespace

bool SmokeRiseSse2(PixelView rows, const PixelFormat& f, unsigned fade, SmokeNoise& state,
                   const std::uint8_t* noise) {
  if (rows.width > kQuadRowCapacity) return false;
  if (rows.width < 3 || rows.height < 3) return true;   // no pixel to move
  if (f.Sixteen()) SmokeWith<std::uint16_t>(rows, f, fade, state, noise);
  if (f.ThirtyTwo()) SmokeWith<std::uint32_t>(rows, f, fade, state, noise);
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
