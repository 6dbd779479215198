// The ripple's vector path: the wave of four columns at once, the operations
// of RipplePlan::Place and wave.h in the same order on four floats, so every
// lane equals the plain code bit for bit. The columns' own values are formed
// once per call; each row's displacements are formed first, then its pixels
// are written one by one in column order, as the reference loop writes them.
#include "draw/effects/ripple_plan.h"

#ifdef __SSE2__

#include <emmintrin.h>

#include "draw/effects/wave.h"

namespace mu {
namespace sse2 {

namespace {

__m128 Splat(float v) { return _mm_set1_ps(v); }

// wave::Cos of four values.
inline __attribute__((always_inline)) __m128 Cos(__m128 x) {
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
inline __attribute__((always_inline)) __m128 Exp(__m128 t) {
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

// The drawn columns the vector path takes; wider areas use the plain code.
constexpr int kColumns = 4096;
struct Columns {
  alignas(16) float x[kColumns + 4];     // xx as a float
  alignas(16) float nxx[kColumns + 4];   // nx x nx, the same for every row
  alignas(16) int dx[kColumns + 4];      // the row's displacements
  alignas(16) int dy[kColumns + 4];
};
Columns columns;

// Truncated displacements of four lanes: cvttps2dq answers 0x80000000
// (INT_MIN) for a value without a whole value that fits, as the plain code does.
__m128i Truncated(__m128 v) { return _mm_cvttps_epi32(v); }

// The columns k = 0 .. count - 1 (xx = k x stride) have their wave formed;
// first .. count - 1 are the drawn ones, whose sprite column lies inside the
// sprite.
template <typename P>
void Rows(PixelView screen, const ClipBounds& bounds, ConstPixelView sprite, const RipplePlan& plan, int first,
          int count, RippleSpan rows) {
  const long long stride = plan.stride;
  const long long left = plan.area.left;
  for (int k = 0; k < count + 4; ++k) {   // the spare lanes of the last group too
    const float fx = static_cast<float>(k < count ? k * stride : 0);
    const float nx = 2.0f * fx / plan.width - 1.0f;
    columns.x[k] = fx;
    columns.nxx[k] = nx * nx;
  }
  for (long long yy = rows.first; yy < rows.end; yy += stride) {
    const int y = static_cast<int>(yy);
    const float fy = static_cast<float>(y);
    const float ny = 2.0f * fy / plan.height - 1.0f;
    const __m128 fyv = Splat(fy), nyy = Splat(ny * ny), lean = Splat(fy * plan.shear);
    for (int k = 0; k < count; k += 4) {
      const __m128 fx = _mm_load_ps(columns.x + k), nxx = _mm_load_ps(columns.nxx + k);
      const __m128 radius = _mm_sqrt_ps(_mm_add_ps(nxx, nyy));
      const __m128 wave = _mm_mul_ps(Cos(_mm_mul_ps(radius, Splat(plan.frequency))), Exp(_mm_sub_ps(nyy, nxx)));
      // Halving is exact, so x / 2 and x x 0.5 agree.
      const __m128 lift =
          _mm_add_ps(_mm_mul_ps(_mm_mul_ps(_mm_add_ps(wave, Splat(1.0f)), Splat(plan.amplitude)), Splat(0.5f)), fyv);
      _mm_store_si128(reinterpret_cast<__m128i*>(columns.dx + k),
                      Truncated(_mm_mul_ps(_mm_add_ps(fx, lean), Splat(plan.scale))));
      _mm_store_si128(reinterpret_cast<__m128i*>(columns.dy + k), Truncated(_mm_mul_ps(Splat(plan.scale), lift)));
    }
    const P* from = sprite.Row<P>(static_cast<int>(plan.area.top + yy));
    // Inside the bounds: one unsigned comparison per axis (a place left of or
    // above them wraps to a large number).
    const long long x0 = static_cast<long long>(plan.area.x) - bounds.left, y0 = static_cast<long long>(plan.area.y) - bounds.top;
    const auto across = static_cast<unsigned long long>(bounds.right - bounds.left);
    const auto down = static_cast<unsigned long long>(bounds.bottom - bounds.top);
    for (int k = first; k < count; ++k) {
      const auto tx = static_cast<unsigned long long>(x0 + columns.dx[k]);
      const auto ty = static_cast<unsigned long long>(y0 + columns.dy[k]);
      if (tx >= across || ty >= down) continue;
      screen.Row<P>(static_cast<int>(ty) + bounds.top)[static_cast<int>(tx) + bounds.left] = from[left + k * stride];
    }
  }
}

}  // namespace

bool RippleRows(PixelView screen, const ClipBounds& bounds, ConstPixelView sprite, const PixelFormat& f,
                const RipplePlan& plan, RippleSpan columns, RippleSpan rows) {
  const long long stride = plan.stride;
  const long long count = (columns.end + stride - 1) / stride;
  if (count > kColumns) return false;
  const int first = static_cast<int>(columns.first / stride);
  if (f.Sixteen()) {
    Rows<std::uint16_t>(screen, bounds, sprite, plan, first, static_cast<int>(count), rows);
  } else {
    Rows<std::uint32_t>(screen, bounds, sprite, plan, first, static_cast<int>(count), rows);
  }
  return true;
}

}  // namespace sse2
}  // namespace mu

#endif
