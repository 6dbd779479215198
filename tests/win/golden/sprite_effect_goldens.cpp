// Golden rows of the sprite effects: each drawn from the sprite's rectangle at
// a place that the clip rectangle cuts on the left and at the bottom.
#include <mu.h>

#include "draw/effects/blend.h"
#include "draw/effects/blur.h"
#include "draw/effects/channels.h"
#include "draw/effects/tone.h"
#include "draw/effects/warp.h"
#include "draw/pixel_format.h"
#include "golden/golden.h"

namespace {

using mu::ConstPixelView;
using mu::PixelFormat;
using mu::PixelView;

constexpr int kX = -13, kY = 361, kLeft = 3, kTop = 5, kRight = 200, kBottom = 150;

template <typename Kernel>
void Reference(PixelView screen, ConstPixelView sprite, const PixelFormat& f, Kernel kernel) {
  PixelView d;
  ConstPixelView s;
  mu::EffectArea a;
  if (golden::SpriteArea(screen, sprite, f, kX, kY, kLeft, kTop, kRight, kBottom, d, s, a)) kernel(d, s, a);
}

#define MU_GOLDEN(name, call, kernel)                                                   \
  golden::Register({name, [](int sprite) { muDraw::call; },                             \
                    [](PixelView screen, ConstPixelView sprite, const PixelFormat& f) { \
                      Reference(screen, sprite, f,                                      \
                                [&](PixelView d, ConstPixelView s, const mu::EffectArea& a) { kernel; }); \
                    }})

constexpr mu::ChannelFloats kAlphas = {{0.2f, 0.55f, 0.9f}};
constexpr mu::ChannelInts kLevels = {{5, 17, 30}};
constexpr int kShifts[3] = {0, 1, 0};
constexpr int kGlowDirections = 0xFF;

const golden::Register kRows[] = {
    MU_GOLDEN("HalfBlend", HalfBlend(kX, kY, sprite, kLeft, kTop, kRight, kBottom), mu::HalfBlend(d, s, f)),
    MU_GOLDEN("AlphaBlend", AlphaBlend(kX, kY, 0.3f, sprite, kLeft, kTop, kRight, kBottom),
              mu::AlphaBlend(d, s, f, mu::ChannelFloats{{0.3f, 0.3f, 0.3f}})),
    MU_GOLDEN("AlphaBlendRGB", AlphaBlendRGB(kX, kY, 0.2f, 0.55f, 0.9f, sprite, kLeft, kTop, kRight, kBottom),
              mu::AlphaBlend(d, s, f, kAlphas)),
    MU_GOLDEN("FadeBlend", FadeBlend(kX, kY, 12, sprite, kLeft, kTop, kRight, kBottom),
              mu::FadeBlend(d, s, f, mu::ChannelInts{{12, 12, 12}})),
    MU_GOLDEN("FadeBlendRGB", FadeBlendRGB(kX, kY, 5, 17, 30, sprite, kLeft, kTop, kRight, kBottom),
              mu::FadeBlend(d, s, f, kLevels)),
    MU_GOLDEN("AlphaGradient", AlphaGradient(kX, kY, 0.2f, 0.55f, 0.9f, 1, 3, 2, sprite, kLeft, kTop, kRight, kBottom),
              mu::AlphaGradient(d, s, f, kAlphas, mu::GradientSteps{true, 3, 2})),
    MU_GOLDEN("FadeGradient", FadeGradient(kX, kY, 5, 17, 30, 0, 10, 3, sprite, kLeft, kTop, kRight, kBottom),
              mu::FadeGradient(d, s, f, kLevels, mu::GradientSteps{false, 10, 3})),
    MU_GOLDEN("AddBlend", AddBlend(kX, kY, sprite, kLeft, kTop, kRight, kBottom), mu::AddBlend(d, s, f, 0)),
    MU_GOLDEN("AddBlendLevel", AddBlendLevel(kX, kY, 0.6f, sprite, kLeft, kTop, kRight, kBottom),
              mu::AddBlend(d, s, f, mu::CutOf(0.6f))),
    MU_GOLDEN("ShadowBlend", ShadowBlend(kX, kY, sprite, kLeft, kTop, kRight, kBottom), mu::ShadowBlend(d, s, f)),
    MU_GOLDEN("SoftEdge", SoftEdge(kX, kY, sprite, kLeft, kTop, kRight, kBottom), mu::SoftEdge(d, s, f)),
    MU_GOLDEN("ChannelMask", ChannelMask(kX, kY, 1, 0, 1, sprite, kLeft, kTop, kRight, kBottom),
              mu::ChannelMask(d, s, f, true, false, true)),
    MU_GOLDEN("Brightness", Brightness(kX, kY, 0.7f, sprite, kLeft, kTop, kRight, kBottom),
              mu::Brightness(d, s, f, mu::ChannelFloats{{0.7f, 0.7f, 0.7f}})),
    MU_GOLDEN("BrightnessRGB", BrightnessRGB(kX, kY, 0.2f, 0.55f, 0.9f, sprite, kLeft, kTop, kRight, kBottom),
              mu::Brightness(d, s, f, kAlphas)),
    MU_GOLDEN("Darken", Darken(kX, kY, 20, sprite, kLeft, kTop, kRight, kBottom),
              mu::Darken(d, s, f, mu::ChannelInts{{20, 20, 20}})),
    MU_GOLDEN("DarkenRGB", DarkenRGB(kX, kY, 5, 17, 30, sprite, kLeft, kTop, kRight, kBottom),
              mu::Darken(d, s, f, kLevels)),
    MU_GOLDEN("BoxBlur", BoxBlur(kX, kY, 3, sprite, kLeft, kTop, kRight, kBottom), mu::BoxBlur(d, s, f, 3)),
    MU_GOLDEN("BoxBlur size 2", BoxBlur(kX, kY, 2, sprite, kLeft, kTop, kRight, kBottom), mu::BoxBlur(d, s, f, 2)),
    MU_GOLDEN("GrayBlt", GrayBlt(kX, kY, sprite, kLeft, kTop, kRight, kBottom), mu::GrayBlt(d, s, f)),
    MU_GOLDEN("DisplaceBlt", DisplaceBlt(kX, kY, 0.8f, sprite, kLeft, kTop, kRight, kBottom),
              mu::DisplaceBlt(d, s, f, mu::CutOf(0.8f))),
    MU_GOLDEN("GlowBlt", GlowBlt(kX, kY, 0, 1, 0, kGlowDirections, 1, sprite, kLeft, kTop, kRight, kBottom),
              ([&] {
                const mu::GlowLight light = {{kShifts[0], kShifts[1], kShifts[2]}, kGlowDirections, true};
                mu::GlowState state = mu::glowState;   // the screen call reads the noise from the same place
                mu::GlowBlt(screen, golden::kClip, a.x, a.y, s, f, light, muDraw::noiseTable, state);
              }())),
};

#undef MU_GOLDEN

}  // namespace
