// Blending kernels: a source picture combined with the target under it, pixel
// by pixel (half, alpha, fade, add, shadow, darken). Views are clipped and of
// equal size; a source pixel of value 0 is transparent (the target pixel stays).
// Levels are 0..31 and alphas 0..1 (held there, see channels.h).
#ifndef MU_DRAW_EFFECTS_BLEND_H
#define MU_DRAW_EFFECTS_BLEND_H

#include "draw/pixels/pixel_view.h"

namespace mu {

// Three values, one per channel (red, green, blue).
struct ChannelFloats {
  float v[3];
};
struct ChannelInts {
  int v[3];
};

// How a gradient's weights move: with `vertical` a step per row, else per
// column (restarting every row); a counter is raised before each row (column)
// whose index is above `start` (its low 16 bits, unsigned) and every time it
// reaches `step` the weights move one step and the counter restarts at 0.
struct GradientSteps {
  bool vertical;
  int start;
  int step;
};

// Per channel: half the source plus half the target, each halved alone.
void HalfBlend(PixelView dst, ConstPixelView src, const PixelFormat& f);
// Native channels: trunc(alpha x s + (1 - alpha) x d).
void AlphaBlend(PixelView dst, ConstPixelView src, const PixelFormat& f, ChannelFloats alpha);
// Levels: max(s - (31 - level), 0) + max(d - level, 0).
void FadeBlend(PixelView dst, ConstPixelView src, const PixelFormat& f, ChannelInts level);
// As AlphaBlend, the target's weight starting at 1 - alpha and falling by 1/32 per step.
void AlphaGradient(PixelView dst, ConstPixelView src, const PixelFormat& f, ChannelFloats alpha,
                   GradientSteps steps);
// As FadeBlend, each source cut (31 - level) lowered by 1 per step down to 0.
void FadeGradient(PixelView dst, ConstPixelView src, const PixelFormat& f, ChannelInts level,
                  GradientSteps steps);
// Levels: min(max(s - cut, 0) + d, 31); AddBlend is cut 0.
void AddBlend(PixelView dst, ConstPixelView src, const PixelFormat& f, int cut);
// Levels: each target channel less the source's red, not below 0.
void ShadowBlend(PixelView dst, ConstPixelView src, const PixelFormat& f);
// Levels: max(s - (31 - level), 0); the target is not read but for transparency.
void Darken(PixelView dst, ConstPixelView src, const PixelFormat& f, ChannelInts level);

}  // namespace mu

#endif
