// Rows of the native effects benchmark for the sprite effects.
#include "draw/effects/blend.h"
#include "draw/effects/blur.h"
#include "draw/effects/channels.h"
#include "draw/effects/tone.h"
#include "draw/effects/warp.h"
#include "draw/pixel_format.h"
#include "kernels.h"

namespace {

using mu::ConstPixelView;
using mu::PixelFormat;
using mu::PixelView;

#define MU_KERNEL(name, call) \
  kbench::Register({name, [](PixelView d, ConstPixelView s, const PixelFormat& f) { call; }})

constexpr mu::ChannelFloats kAlphas = {{0.2f, 0.55f, 0.9f}};
constexpr mu::ChannelInts kLevels = {{5, 17, 30}};

const kbench::Register kRows[] = {
    MU_KERNEL("HalfBlend", mu::HalfBlend(d, s, f)),
    MU_KERNEL("AlphaBlend 0.3", mu::AlphaBlend(d, s, f, mu::ChannelFloats{{0.3f, 0.3f, 0.3f}})),
    MU_KERNEL("AlphaBlendRGB", mu::AlphaBlend(d, s, f, kAlphas)),
    MU_KERNEL("FadeBlend 12", mu::FadeBlend(d, s, f, mu::ChannelInts{{12, 12, 12}})),
    MU_KERNEL("FadeBlendRGB", mu::FadeBlend(d, s, f, kLevels)),
    MU_KERNEL("AlphaGradient vertical", mu::AlphaGradient(d, s, f, kAlphas, mu::GradientSteps{true, 0, 4})),
    MU_KERNEL("AlphaGradient horizontal", mu::AlphaGradient(d, s, f, kAlphas, mu::GradientSteps{false, 0, 4})),
    MU_KERNEL("FadeGradient vertical", mu::FadeGradient(d, s, f, kLevels, mu::GradientSteps{true, 0, 4})),
    MU_KERNEL("FadeGradient horizontal", mu::FadeGradient(d, s, f, kLevels, mu::GradientSteps{false, 0, 4})),
    MU_KERNEL("AddBlend", mu::AddBlend(d, s, f, 0)),
    MU_KERNEL("AddBlendLevel 0.6", mu::AddBlend(d, s, f, mu::CutOf(0.6f))),
    MU_KERNEL("ShadowBlend", mu::ShadowBlend(d, s, f)),
    MU_KERNEL("SoftEdge", mu::SoftEdge(d, s, f)),
    MU_KERNEL("ChannelMask", mu::ChannelMask(d, s, f, true, false, true)),
    MU_KERNEL("Brightness 0.7", mu::Brightness(d, s, f, mu::ChannelFloats{{0.7f, 0.7f, 0.7f}})),
    MU_KERNEL("BrightnessRGB", mu::Brightness(d, s, f, kAlphas)),
    MU_KERNEL("Darken 20", mu::Darken(d, s, f, mu::ChannelInts{{20, 20, 20}})),
    MU_KERNEL("DarkenRGB", mu::Darken(d, s, f, kLevels)),
    MU_KERNEL("BoxBlur 2", mu::BoxBlur(d, s, f, 2)),
    MU_KERNEL("BoxBlur 5", mu::BoxBlur(d, s, f, 5)),
    MU_KERNEL("GrayBlt", mu::GrayBlt(d, s, f)),
    MU_KERNEL("DisplaceBlt 0.8", mu::DisplaceBlt(d, s, f, mu::CutOf(0.8f))),
    MU_KERNEL("GlowBlt right+down, shift 2", ([&] {
                const mu::GlowLight light = {{2, 2, 2}, mu::kGlowRight | mu::kGlowDown, false};
                mu::GlowBlt(d, mu::ClipBounds{0, 0, d.width, d.height}, 0, 0, s, f, light,
                            muDraw::noiseTable, mu::glowState);
              }())),
};

#undef MU_KERNEL

}  // namespace
