// The ripple kernel: the reference loop, and the vector path of
// ripple_sse2.cpp (the wave of four columns at once) where it is built.
#include "draw/effects/ripple.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "draw/effects/channels.h"
#include "draw/effects/effect_paths.h"
#include "draw/effects/ripple_plan.h"
#include "draw/effects/wave.h"

namespace mu {

RipplePlan::RipplePlan(const EffectArea& a, int spanWidth, int spanHeight, const RippleWave& w)
    : area(a),
      width(static_cast<float>(spanWidth)),
      height(static_cast<float>(spanHeight)),
      amplitude(static_cast<float>(w.amplitude)),
      frequency(static_cast<float>(std::clamp(w.frequency, -kMaxRippleFrequency, kMaxRippleFrequency))),
      scale(w.scale),
      shear(w.shear),
      stride(w.stride) {}

RipplePlace RipplePlan::Place(int xx, int yy) const {
  const float fx = static_cast<float>(xx), fy = static_cast<float>(yy);
  const float nx = 2.0f * fx / width - 1.0f, ny = 2.0f * fy / height - 1.0f;
  const float wave = wave::Cos(std::sqrt(nx * nx + ny * ny) * frequency) * wave::Exp(ny * ny - nx * nx);
  const float lift = (wave + 1.0f) * amplitude / 2.0f + fy;
  return RipplePlace{(fx + fy * shear) * scale, scale * lift};
}

namespace {

// A displacement truncated; INT_MIN when it has no whole value that fits.
int Whole(float v) { return v >= -2147483648.0f && v < 2147483648.0f ? static_cast<int>(v) : INT_MIN; }

}  // namespace

RippleSpan DrawnSpan(long long start, long long count, int spriteSize, int stride) {
  // The first multiple of the stride at or past the sprite's first pixel.
  const long long first = start >= 0 ? 0 : (-start + stride - 1) / stride * stride;
  const long long end = std::min(count, static_cast<long long>(spriteSize) - start);
  return RippleSpan{first, std::max(first, end)};
}

template <typename P>
void RipplePlan::Put(PixelView screen, const ClipBounds& bounds, ConstPixelView sprite, int xx, int yy,
                     RipplePlace place) const {
  PutAt<P>(screen, bounds, sprite, xx, yy, Whole(place.dx), Whole(place.dy));
}

void RippleBlt(PixelView screen, const ClipBounds& bounds, const EffectArea& area, int spanWidth,
               int spanHeight, ConstPixelView sprite, const PixelFormat& f, const RippleWave& wave) {
  if (wave.stride < 1 || area.width <= 0 || area.height <= 0) return;
  if (bounds.right <= bounds.left || bounds.bottom <= bounds.top) return;
  const RipplePlan plan(area, spanWidth, spanHeight, wave);
  const RippleSpan columns = DrawnSpan(area.left, area.width, sprite.width, wave.stride);
  const RippleSpan rows = DrawnSpan(area.top, area.height, sprite.height, wave.stride);
  ForDepth(screen, f, [&](auto pixel) {
    using P = decltype(pixel);
#ifdef __SSE2__
    if (FastPath() && sse2::RippleRows(screen, bounds, sprite, f, plan, columns, rows)) return;
#endif
    for (long long yy = rows.first; yy < rows.end; yy += wave.stride) {
      for (long long xx = columns.first; xx < columns.end; xx += wave.stride) {
        const int x = static_cast<int>(xx), y = static_cast<int>(yy);
        plan.Put<P>(screen, bounds, sprite, x, y, plan.Place(x, y));
      }
    }
  });
}

}  // namespace mu
