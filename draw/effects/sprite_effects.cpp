// The sprite effects of muDraw: each one the common frame (effect_frame.h)
// around its kernel, on the back screen's format.
#include <mu.h>

#include "draw/effects/blend.h"
#include "draw/effects/blur.h"
#include "draw/effects/channels.h"
#include "draw/effects/effect_frame.h"
#include "draw/effects/tone.h"
#include "draw/effects/warp.h"
#include "draw/pixel_format.h"

namespace muDraw {

namespace {
const mu::PixelFormat& Format(const EffectFrame& e) { return *e.format; }
}  // namespace

int HalfBlend(int x, int y, int sprite, int left, int top, int right, int bottom) {
  return SpriteEffect(x, y, sprite, left, top, right, bottom,
                      [](const EffectFrame& e) { mu::HalfBlend(e.dst, e.src, Format(e)); });
}

int AlphaBlend(int x, int y, float alpha, int sprite, int left, int top, int right, int bottom) {
  return AlphaBlendRGB(x, y, alpha, alpha, alpha, sprite, left, top, right, bottom);
}

int AlphaBlendRGB(int x, int y, float alphaRed, float alphaGreen, float alphaBlue, int sprite,
                  int left, int top, int right, int bottom) {
  const mu::ChannelFloats alpha = {{alphaRed, alphaGreen, alphaBlue}};
  return SpriteEffect(x, y, sprite, left, top, right, bottom,
                      [alpha](const EffectFrame& e) { mu::AlphaBlend(e.dst, e.src, Format(e), alpha); });
}

int FadeBlend(int x, int y, int level, int sprite, int left, int top, int right, int bottom) {
  return FadeBlendRGB(x, y, level, level, level, sprite, left, top, right, bottom);
}

int FadeBlendRGB(int x, int y, int levelRed, int levelGreen, int levelBlue, int sprite, int left,
                 int top, int right, int bottom) {
  const mu::ChannelInts level = {{levelRed, levelGreen, levelBlue}};
  return SpriteEffect(x, y, sprite, left, top, right, bottom,
                      [level](const EffectFrame& e) { mu::FadeBlend(e.dst, e.src, Format(e), level); });
}

int AlphaGradient(int x, int y, float alphaRed, float alphaGreen, float alphaBlue, int vertical,
                  int start, int step, int sprite, int left, int top, int right, int bottom) {
  const mu::ChannelFloats alpha = {{alphaRed, alphaGreen, alphaBlue}};
  const mu::GradientSteps steps = {vertical != 0, start, step};
  return SpriteEffect(x, y, sprite, left, top, right, bottom, [alpha, steps](const EffectFrame& e) {
    mu::AlphaGradient(e.dst, e.src, Format(e), alpha, steps);
  });
}

int FadeGradient(int x, int y, int levelRed, int levelGreen, int levelBlue, int vertical,
                 int start, int step, int sprite, int left, int top, int right, int bottom) {
  const mu::ChannelInts level = {{levelRed, levelGreen, levelBlue}};
  const mu::GradientSteps steps = {vertical != 0, start, step};
  return SpriteEffect(x, y, sprite, left, top, right, bottom, [level, steps](const EffectFrame& e) {
    mu::FadeGradient(e.dst, e.src, Format(e), level, steps);
  });
}

int AddBlend(int x, int y, int sprite, int left, int top, int right, int bottom) {
  return SpriteEffect(x, y, sprite, left, top, right, bottom,
                      [](const EffectFrame& e) { mu::AddBlend(e.dst, e.src, Format(e), 0); });
}

int AddBlendLevel(int x, int y, float amount, int sprite, int left, int top, int right, int bottom) {
  const int cut = mu::CutOf(amount);
  return SpriteEffect(x, y, sprite, left, top, right, bottom,
                      [cut](const EffectFrame& e) { mu::AddBlend(e.dst, e.src, Format(e), cut); });
}

int ShadowBlend(int x, int y, int sprite, int left, int top, int right, int bottom) {
  return SpriteEffect(x, y, sprite, left, top, right, bottom,
                      [](const EffectFrame& e) { mu::ShadowBlend(e.dst, e.src, Format(e)); });
}

int SoftEdge(int x, int y, int sprite, int left, int top, int right, int bottom) {
  return SpriteEffect(x, y, sprite, left, top, right, bottom,
                      [](const EffectFrame& e) { mu::SoftEdge(e.dst, e.src, Format(e)); });
}

int ChannelMask(int x, int y, int keepRed, int keepGreen, int keepBlue, int sprite, int left,
                int top, int right, int bottom) {
  const bool r = keepRed != 0, g = keepGreen != 0, b = keepBlue != 0;
  return SpriteEffect(x, y, sprite, left, top, right, bottom,
                      [r, g, b](const EffectFrame& e) { mu::ChannelMask(e.dst, e.src, Format(e), r, g, b); });
}

int Brightness(int x, int y, float factor, int sprite, int left, int top, int right, int bottom) {
  return BrightnessRGB(x, y, factor, factor, factor, sprite, left, top, right, bottom);
}

int BrightnessRGB(int x, int y, float factorRed, float factorGreen, float factorBlue, int sprite,
                  int left, int top, int right, int bottom) {
  const mu::ChannelFloats factor = {{factorRed, factorGreen, factorBlue}};
  return SpriteEffect(x, y, sprite, left, top, right, bottom,
                      [factor](const EffectFrame& e) { mu::Brightness(e.dst, e.src, Format(e), factor); });
}

int Darken(int x, int y, int level, int sprite, int left, int top, int right, int bottom) {
  return DarkenRGB(x, y, level, level, level, sprite, left, top, right, bottom);
}

int DarkenRGB(int x, int y, int levelRed, int levelGreen, int levelBlue, int sprite, int left,
              int top, int right, int bottom) {
  const mu::ChannelInts level = {{levelRed, levelGreen, levelBlue}};
  return SpriteEffect(x, y, sprite, left, top, right, bottom,
                      [level](const EffectFrame& e) { mu::Darken(e.dst, e.src, Format(e), level); });
}

int BoxBlur(int x, int y, int size, int sprite, int left, int top, int right, int bottom) {
  return SpriteEffect(x, y, sprite, left, top, right, bottom,
                      [size](const EffectFrame& e) { mu::BoxBlur(e.dst, e.src, Format(e), size); });
}

int GrayBlt(int x, int y, int sprite, int left, int top, int right, int bottom) {
  return SpriteEffect(x, y, sprite, left, top, right, bottom,
                      [](const EffectFrame& e) { mu::GrayBlt(e.dst, e.src, Format(e)); });
}

int DisplaceBlt(int x, int y, float amount, int sprite, int left, int top, int right, int bottom) {
  const int cut = mu::CutOf(amount);
  return SpriteEffect(x, y, sprite, left, top, right, bottom,
                      [cut](const EffectFrame& e) { mu::DisplaceBlt(e.dst, e.src, Format(e), cut); });
}

int GlowBlt(int x, int y, int shiftRed, int shiftGreen, int shiftBlue, int directions, int copy,
            int sprite, int left, int top, int right, int bottom) {
  const mu::GlowLight light = {{shiftRed, shiftGreen, shiftBlue}, directions, copy != 0};
  return SpriteEffect(x, y, sprite, left, top, right, bottom, [light](const EffectFrame& e) {
    mu::GlowBlt(e.screen, e.bounds, e.area.x, e.area.y, e.src, Format(e), light, noiseTable, mu::glowState);
  });
}

}  // namespace muDraw
