// The ripple's vector path: the wave of four columns at once, the operations
// of RipplePlan::Place and wave.h in the same order on four floats, so every
// lane equals the plain code bit for bit; the pixels are then written one by
// one in column order, as the reference loop writes them.
#include "draw/effects/ripple_plan.h"

#ifdef __SSE2__

#include <emmintrin.h>

#include "draw/effects/wave.h"

namespace mu {
namespace sse2 {

namespace {

__m128 Splat(float v) { return _mm_set1_ps(v); }

// wave::Cos of four values.
__m128 Cos(__m128 x) {
  using namespace wave;
  x = _mm_and_ps(x, _mm_castsi128_ps(_mm_set1_epi32(0x7FFFFFFF)));
  const __m128 inRange = _mm_cmplt_ps(x, Splat(kCosLimit));
  const __m128 k = _mm_sub_ps(_mm_add_ps(_mm_mul_ps(x, Splat(kTwoOverPi)), Splat(kRound)), Splat(kRound));
  const __m128 r = _mm_sub_ps(_mm_sub_ps(_mm_sub_ps(x, _mm_mul_ps(k, Splat(kHalfPi1))), _mm_mul_ps(k, Splat(kHalfPi2))),
                              _mm_mul_ps(k, Splat(kHalfPi3)));
  const __m128 z = _mm_mul_ps(r, r);
  __m128 c = _mm_add_ps(_mm_mul_ps(_mm_add_ps(_mm_mul_ps(Splat(kCos3), z), Splat(kCos2)), z), Splat(kCos1));
  c = _mm_add_ps(_mm_sub_ps(_mm_mul_ps(_mm_mul_ps(c, z), z), _mm_mul_ps(Splat(0.5f), z)), Splat(1.0f));
  __m128 s = _mm_add_ps(_mm_mul_ps(_mm_add_ps(_mm_mul_ps(Splat(kSin3), z), Splat(kSin2)), z), Splat(kSin1));
  s = _mm_add_ps(_mm_mul_ps(_mm_mul_ps(s, z), r), r);
  // Quadrant q: 0 c, 1 -s, 2 -c, 3 s. Odd quadrants take s; q + 1 has bit 1
  // set exactly for the negative ones.
  const __m128i q = _mm_cvttps_epi32(k);
  const __m128 odd = _mm_castsi128_ps(_mm_cmpeq_epi32(_mm_and_si128(q, _mm_set1_epi32(1)), _mm_set1_epi32(1)));
  const __m128 sign = _mm_castsi128_ps(_mm_slli_epi32(_mm_and_si128(_mm_add_epi32(q, _mm_set1_epi32(1)), _mm_set1_epi32(2)), 30));
  const __m128 v = _mm_xor_ps(_mm_or_ps(_mm_and_ps(odd, s), _mm_andnot_ps(odd, c)), sign);
  return _mm_or_ps(_mm_and_ps(inRange, v), _mm_andnot_ps(inRange, Splat(1.0f)));
}

// wave::Exp of four values.
__m128 Exp(__m128 t) {
  using namespace wave;
  t = _mm_max_ps(t, Splat(-kExpMax));   // t > -87 ? t : -87, as the plain code
  t = _mm_min_ps(t, Splat(kExpMax));
  const __m128 n = _mm_sub_ps(_mm_add_ps(_mm_mul_ps(t, Splat(kLog2E)), Splat(kRound)), Splat(kRound));
  const __m128 r = _mm_sub_ps(_mm_sub_ps(t, _mm_mul_ps(n, Splat(kLn2Hi))), _mm_mul_ps(n, Splat(kLn2Lo)));
  const __m128 z = _mm_mul_ps(r, r);
  __m128 p = _mm_add_ps(_mm_mul_ps(Splat(kExp6), r), Splat(kExp5));
  p = _mm_add_ps(_mm_mul_ps(p, r), Splat(kExp4));
  p = _mm_add_ps(_mm_mul_ps(p, r), Splat(kExp3));
  p = _mm_add_ps(_mm_mul_ps(p, r), Splat(kExp2));
  p = _mm_add_ps(_mm_mul_ps(p, r), Splat(kExp1));
  p = _mm_add_ps(_mm_add_ps(_mm_mul_ps(p, z), r), Splat(1.0f));
  const __m128i bits = _mm_slli_epi32(_mm_add_epi32(_mm_cvttps_epi32(n), _mm_set1_epi32(127)), 23);
  return _mm_mul_ps(p, _mm_castsi128_ps(bits));
}

template <typename P>
void Rows(PixelView screen, const ClipBounds& bounds, ConstPixelView sprite, const RipplePlan& plan) {
  const long long stride = plan.stride, w = plan.area.width, h = plan.area.height;
  for (long long yy = 0; yy < h; yy += stride) {
    const int y = static_cast<int>(yy);
    const float fy = static_cast<float>(y);
    const float ny = 2.0f * fy / plan.height - 1.0f;
    const __m128 fyv = Splat(fy), nyy = Splat(ny * ny), lean = Splat(fy * plan.shear);
    for (long long xx = 0; xx < w; xx += 4 * stride) {
      alignas(16) int column[4];
      int lanes = 0;
      for (; lanes < 4 && xx + lanes * stride < w; ++lanes) column[lanes] = static_cast<int>(xx + lanes * stride);
      for (int k = lanes; k < 4; ++k) column[k] = 0;
      const __m128 fx = _mm_cvtepi32_ps(_mm_load_si128(reinterpret_cast<const __m128i*>(column)));
      const __m128 nx = _mm_sub_ps(_mm_div_ps(_mm_mul_ps(Splat(2.0f), fx), Splat(plan.width)), Splat(1.0f));
      const __m128 nxx = _mm_mul_ps(nx, nx);
      const __m128 radius = _mm_sqrt_ps(_mm_add_ps(nxx, nyy));
      const __m128 wave = _mm_mul_ps(Cos(_mm_mul_ps(radius, Splat(plan.frequency))), Exp(_mm_sub_ps(nyy, nxx)));
      const __m128 lift = _mm_add_ps(
          _mm_div_ps(_mm_mul_ps(_mm_add_ps(wave, Splat(1.0f)), Splat(plan.amplitude)), Splat(2.0f)), fyv);
      alignas(16) float dx[4], dy[4];
      _mm_store_ps(dx, _mm_mul_ps(_mm_add_ps(fx, lean), Splat(plan.scale)));
      _mm_store_ps(dy, _mm_mul_ps(Splat(plan.scale), lift));
      for (int k = 0; k < lanes; ++k) plan.Put<P>(screen, bounds, sprite, column[k], y, RipplePlace{dx[k], dy[k]});
    }
  }
}

}  // namespace

bool RippleRows(PixelView screen, const ClipBounds& bounds, ConstPixelView sprite, const PixelFormat& f,
                const RipplePlan& plan) {
  if (f.Sixteen()) {
    Rows<std::uint16_t>(screen, bounds, sprite, plan);
  } else {
    Rows<std::uint32_t>(screen, bounds, sprite, plan);
  }
  return true;
}

}  // namespace sse2
}  // namespace mu

#endif
