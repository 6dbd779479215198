// Displacement and glow kernels (reference loops only: each pixel's work
// depends on the pixels written before it).
#include "draw/effects/warp.h"

#include <algorithm>

#include "draw/effects/channels.h"
#include "draw/effects/effect_paths.h"
#include "draw/pixel_format.h"

namespace mu {

GlowState glowState;

void DisplaceBlt(PixelView dst, ConstPixelView src, const PixelFormat& f, int cut) {
  cut = LevelValue(cut);
  ForDepth(dst, f, [&](auto pixel) {
    using P = decltype(pixel);
    const int h = dst.height;
    for (int r = 0; r < h; ++r) {
      const P* s = src.Row<P>(r);
      P* d = dst.Row<P>(r);
      for (int col = 0; col < dst.width; ++col) {
        if (s[col] == 0) continue;
        int v = static_cast<int>(Depth<P>::Get(s[col], f, kRed) >> Depth<P>::kFiveBitShift) - cut;
        if (v < 1 || v >= h - r) v = 0;
        d[col] = dst.Row<P>(r + v)[col];
      }
    }
  });
}

namespace {

struct GlowRay {
  int flag, dx, dy;   // per step k: column dx x k, row dy x (k + 1)
};
constexpr GlowRay kRays[] = {
    {kGlowUp, 0, -1},   {kGlowUpLeft, -1, -1},  {kGlowUpRight, 1, -1}, {kGlowDown, 0, 1},
    {kGlowDownLeft, -1, 1}, {kGlowDownRight, 1, 1}, {kGlowLeft, -1, 0},  {kGlowRight, 1, 0},
};

// Adds the light (five-bit levels) to a target pixel, each channel saturating.
// On 8-bit channels a level is worth 8, so the sum reduced to five bits is the
// 16-bit sum exactly.
template <typename P>
void Light(P& p, const PixelFormat& f, const int light[3]) {
  std::uint32_t out = 0;
  for (int c = 0; c < 3; ++c) {
    const int v = static_cast<int>(Depth<P>::Get(p, f, c)) + (light[c] << Depth<P>::kFiveBitShift);
    out |= Depth<P>::Put(static_cast<std::uint32_t>(std::min(v, Depth<P>::kMax)), f, c);
  }
  p = static_cast<P>(out);
}

}  // namespace

void GlowBlt(PixelView screen, const ClipBounds& bounds, int x, int y, ConstPixelView src,
             const PixelFormat& f, const GlowLight& light, const std::uint8_t* noise,
             GlowState& state) {
  if (src.Empty() || !EffectsSupported(f)) return;
  int shift[3];
  for (int c = 0; c < 3; ++c) shift[c] = std::clamp(light.shift[c], 0, 31);
  if (state.noisePosition < 0 || state.noisePosition >= muDraw::kNoiseEntries) state.noisePosition = 0;
  // The chosen directions, picked once for every step of every pixel.
  GlowRay rays[sizeof kRays / sizeof kRays[0]];
  int rayCount = 0;
  for (const GlowRay& ray : kRays) {
    if (light.directions & ray.flag) rays[rayCount++] = ray;
  }
  const bool sixteen = f.Sixteen();
  auto run = [&](auto pixel) {
    using P = decltype(pixel);
    for (int r = 0; r < src.height; ++r) {
      for (int col = 0; col < src.width; ++col) {
        const std::uint32_t s = src.Row<P>(r)[col];
        if (s == 0) continue;
        const int px = x + col, py = y + r;
        if (light.copy) screen.Row<P>(py)[px] = static_cast<P>(s);
        const int n = noise[state.noisePosition];
        state.noisePosition = state.noisePosition + 1 < muDraw::kNoiseEntries ? state.noisePosition + 1 : 0;
        int level[3];
        for (int c = 0; c < 3; ++c) {
          const int five = static_cast<int>(Depth<P>::Get(s, f, c) >> Depth<P>::kFiveBitShift);
          level[c] = std::max((five >> shift[c]) - n, 0);
        }
        for (int k = 0; k < kGlowSteps; ++k) {
          for (int c = 0; c < 3; ++c) {
            if (level[c] > 0) --level[c];
          }
          if (level[0] == 0 && level[1] == 0 && level[2] == 0) break;
          for (int i = 0; i < rayCount; ++i) {
            const GlowRay& ray = rays[i];
            const int tx = px + ray.dx * k, ty = py + ray.dy * (k + 1);
            if (ty < bounds.top || ty >= bounds.bottom || tx < bounds.left || tx >= bounds.right) continue;
            Light<P>(screen.Row<P>(ty)[tx], f, level);
          }
        }
      }
    }
  };
  if (sixteen) {
    run(std::uint16_t{});
  } else {
    run(std::uint32_t{});
  }
}

}  // namespace mu
