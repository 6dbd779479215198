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
using mu::ConstPixelView;
using mu::PixelFormat;
using mu::PixelView;

mu::ChannelFloats Units(Args& a, bool same) {
  const float u = a.Unit();
  return same ? mu::ChannelFloats{{u, u, u}} : mu::ChannelFloats{{u, a.Unit(), a.Unit()}};
}
mu::ChannelInts Levels(Args& a, bool same) {
  const int l = a.Level();
  return same ? mu::ChannelInts{{l, l, l}} : mu::ChannelInts{{l, a.Level(), a.Level()}};
}
mu::GradientSteps Steps(Args& a) { return mu::GradientSteps{a.Flag(), a.Int(-2, 6), a.Int(0, 4)}; }

const effectcases::Register kRows[] = {
    effectcases::Register({"HalfBlend", [](PixelView d, ConstPixelView s, const PixelFormat& f, Args&) {
                             mu::HalfBlend(d, s, f);
                           }}),
    effectcases::Register({"AlphaBlend", [](PixelView d, ConstPixelView s, const PixelFormat& f, Args& a) {
                             mu::AlphaBlend(d, s, f, Units(a, true));
                           }}),
    effectcases::Register({"AlphaBlendRGB", [](PixelView d, ConstPixelView s, const PixelFormat& f, Args& a) {
                             mu::AlphaBlend(d, s, f, Units(a, false));
                           }}),
    effectcases::Register({"FadeBlend", [](PixelView d, ConstPixelView s, const PixelFormat& f, Args& a) {
                             mu::FadeBlend(d, s, f, Levels(a, true));
                           }}),
    effectcases::Register({"FadeBlendRGB", [](PixelView d, ConstPixelView s, const PixelFormat& f, Args& a) {
                             mu::FadeBlend(d, s, f, Levels(a, false));
                           }}),
    effectcases::Register({"AlphaGradient", [](PixelView d, ConstPixelView s, const PixelFormat& f, Args& a) {
                             const mu::ChannelFloats alpha = Units(a, false);
                             mu::AlphaGradient(d, s, f, alpha, Steps(a));
                           }}),
    effectcases::Register({"FadeGradient", [](PixelView d, ConstPixelView s, const PixelFormat& f, Args& a) {
                             const mu::ChannelInts level = Levels(a, false);
                             mu::FadeGradient(d, s, f, level, Steps(a));
                           }}),
    effectcases::Register({"AddBlend", [](PixelView d, ConstPixelView s, const PixelFormat& f, Args&) {
                             mu::AddBlend(d, s, f, 0);
                           }}),
    effectcases::Register({"AddBlendLevel", [](PixelView d, ConstPixelView s, const PixelFormat& f, Args& a) {
                             mu::AddBlend(d, s, f, mu::CutOf(a.Unit()));
                           }}),
    effectcases::Register({"ShadowBlend", [](PixelView d, ConstPixelView s, const PixelFormat& f, Args&) {
                             mu::ShadowBlend(d, s, f);
                           }}),
    effectcases::Register({"SoftEdge", [](PixelView d, ConstPixelView s, const PixelFormat& f, Args&) {
                             mu::SoftEdge(d, s, f);
                           }}),
    effectcases::Register({"ChannelMask", [](PixelView d, ConstPixelView s, const PixelFormat& f, Args& a) {
                             const bool r = a.Flag(), g = a.Flag();
                             mu::ChannelMask(d, s, f, r, g, a.Flag());
                           }}),
    effectcases::Register({"Brightness", [](PixelView d, ConstPixelView s, const PixelFormat& f, Args& a) {
                             mu::Brightness(d, s, f, Units(a, true));
                           }}),
    effectcases::Register({"BrightnessRGB", [](PixelView d, ConstPixelView s, const PixelFormat& f, Args& a) {
                             mu::Brightness(d, s, f, Units(a, false));
                           }}),
    effectcases::Register({"Darken", [](PixelView d, ConstPixelView s, const PixelFormat& f, Args& a) {
                             mu::Darken(d, s, f, Levels(a, true));
                           }}),
    effectcases::Register({"DarkenRGB", [](PixelView d, ConstPixelView s, const PixelFormat& f, Args& a) {
                             mu::Darken(d, s, f, Levels(a, false));
                           }}),
    effectcases::Register({"BoxBlur", [](PixelView d, ConstPixelView s, const PixelFormat& f, Args& a) {
                             mu::BoxBlur(d, s, f, a.Flag() ? 2 : a.Int(1, 6));
                           }}),
    effectcases::Register({"GrayBlt", [](PixelView d, ConstPixelView s, const PixelFormat& f, Args&) {
                             mu::GrayBlt(d, s, f);
                           }}),
    effectcases::Register({"DisplaceBlt", [](PixelView d, ConstPixelView s, const PixelFormat& f, Args& a) {
                             mu::DisplaceBlt(d, s, f, mu::CutOf(a.Unit()));
                           }}),
    effectcases::Register({"GlowBlt", [](PixelView d, ConstPixelView s, const PixelFormat& f, Args& a) {
                             mu::GlowLight light = {{a.Int(0, 2), a.Int(0, 2), a.Int(0, 2)}, a.Int(0, 255), a.Flag()};
                             mu::GlowState state = {a.Int(0, muDraw::kNoiseEntries - 1)};
                             const mu::ClipBounds all = {0, 0, d.width, d.height};
                             mu::GlowBlt(d, all, 0, 0, s, f, light, muDraw::noiseTable, state);
                           }}),
};

}  // namespace
