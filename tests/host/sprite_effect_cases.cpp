// Rows of the effect kernel table for the sprite effects (a source picture
// over the target).
#include "draw/effects/blend.h"
#include "draw/effects/channels.h"
#include "draw/effects/blur.h"
#include "draw/effects/tone.h"
#include "draw/effects/warp.h"
#include "draw/pixel_format.h"
#include "effect_cases.h"

namespace {

using effectcases::Args;

mu::ChannelFloats Units(Args& a, bool same) {
  const float u = a.Unit();
  return same ? mu::ChannelFloats{{u, u, u}} : mu::ChannelFloats{{u, a.Unit(), a.Unit()}};
}
mu::ChannelInts Levels(Args& a, bool same) {
  const int l = a.Level();
  return same ? mu::ChannelInts{{l, l, l}} : mu::ChannelInts{{l, a.Level(), a.Level()}};
}
mu::GradientSteps Steps(Args& a) { return mu::GradientSteps{a.Flag(), a.Int(-2, 6), a.Int(0, 4)}; }

const effectcases::Register kRows({
    {"HalfBlend", [](auto d, auto s, auto& f, auto&) { mu::HalfBlend(d, s, f); }},
    {"AlphaBlend", [](auto d, auto s, auto& f, auto& a) { mu::AlphaBlend(d, s, f, Units(a, true)); }},
    {"AlphaBlendRGB", [](auto d, auto s, auto& f, auto& a) { mu::AlphaBlend(d, s, f, Units(a, false)); }},
    {"FadeBlend", [](auto d, auto s, auto& f, auto& a) { mu::FadeBlend(d, s, f, Levels(a, true)); }},
    {"FadeBlendRGB", [](auto d, auto s, auto& f, auto& a) { mu::FadeBlend(d, s, f, Levels(a, false)); }},
    {"AlphaGradient", [](auto d, auto s, auto& f, auto& a) {
       const mu::ChannelFloats alpha = Units(a, false);
       mu::AlphaGradient(d, s, f, alpha, Steps(a));
     }},
    {"FadeGradient", [](auto d, auto s, auto& f, auto& a) {
       const mu::ChannelInts level = Levels(a, false);
       mu::FadeGradient(d, s, f, level, Steps(a));
     }},
    {"AddBlend", [](auto d, auto s, auto& f, auto&) { mu::AddBlend(d, s, f, 0); }},
    {"AddBlendLevel", [](auto d, auto s, auto& f, auto& a) { mu::AddBlend(d, s, f, mu::CutOf(a.Unit())); }},
    {"ShadowBlend", [](auto d, auto s, auto& f, auto&) { mu::ShadowBlend(d, s, f); }},
    {"SoftEdge", [](auto d, auto s, auto& f, auto&) { mu::SoftEdge(d, s, f); }},
    {"ChannelMask", [](auto d, auto s, auto& f, auto& a) {
       const bool r = a.Flag(), g = a.Flag();
       mu::ChannelMask(d, s, f, r, g, a.Flag());
     }},
    {"Brightness", [](auto d, auto s, auto& f, auto& a) { mu::Brightness(d, s, f, Units(a, true)); }},
    {"BrightnessRGB", [](auto d, auto s, auto& f, auto& a) { mu::Brightness(d, s, f, Units(a, false)); }},
    {"Darken", [](auto d, auto s, auto& f, auto& a) { mu::Darken(d, s, f, Levels(a, true)); }},
    {"DarkenRGB", [](auto d, auto s, auto& f, auto& a) { mu::Darken(d, s, f, Levels(a, false)); }},
    {"BoxBlur", [](auto d, auto s, auto& f, auto& a) { mu::BoxBlur(d, s, f, a.Flag() ? 2 : a.Int(1, 6)); }},
    {"GrayBlt", [](auto d, auto s, auto& f, auto&) { mu::GrayBlt(d, s, f); }},
    {"DisplaceBlt", [](auto d, auto s, auto& f, auto& a) { mu::DisplaceBlt(d, s, f, mu::CutOf(a.Unit())); }},
    {"GlowBlt", [](auto d, auto s, auto& f, auto& a) {
       mu::GlowLight light = {{a.Int(0, 2), a.Int(0, 2), a.Int(0, 2)}, a.Int(0, 255), a.Flag()};
       mu::GlowState state = {a.Int(0, muDraw::kNoiseEntries - 1)};
       mu::GlowBlt(d, mu::ClipBounds{0, 0, d.width, d.height}, 0, 0, s, f, light, muDraw::noiseTable, state);
     }},
});

}  // namespace
