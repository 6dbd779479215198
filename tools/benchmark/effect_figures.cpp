// The sprite effects under Wine: each effect over the full 640 x 480 picture
// onto the full back screen, locks included; the back screen is put back
// (untimed) before every call. Rows in the same order and with the same
// arguments as the native benchmark's (native/sprite_effect_kernels.cpp).
#include <mu.h>

#include "figures.h"

namespace {

constexpr int kW = 640, kH = 480;
int background;

// A colour field for the effects to work on, in vertical bands.
void PrepareBackground() {
  if (background) return;
  background = muDraw::CreateObject(kW, kH, 2);
  HDC dc;
  if (!background || FAILED(muDraw::spriteTable[background].surface->GetDC(&dc))) return;
  for (int x = 0; x < kW; x += 40) {
    RECT band = {x, 0, x + 40, kH};
    HBRUSH brush = CreateSolidBrush(RGB((x * 255) / kW, 128, 255 - (x * 255) / kW));
    FillRect(dc, &band, brush);
    DeleteObject(brush);
  }
  muDraw::spriteTable[background].surface->ReleaseDC(dc);
}

void PutBackground() { muDraw::Blt(0, 0, background, 0, 0, kW, kH); }

#define MU_FIGURE(name, call) \
  bench::Register({name, PrepareBackground, [] { muDraw::call; }, PutBackground, 1})

#define SPRITE bench::fullSprite, 0, 0, kW, kH

const bench::Register kFigures[] = {
    MU_FIGURE("HalfBlend", HalfBlend(0, 0, SPRITE)),
    MU_FIGURE("AlphaBlend 0.3", AlphaBlend(0, 0, 0.3f, SPRITE)),
    MU_FIGURE("AlphaBlendRGB", AlphaBlendRGB(0, 0, 0.2f, 0.55f, 0.9f, SPRITE)),
    MU_FIGURE("FadeBlend 12", FadeBlend(0, 0, 12, SPRITE)),
    MU_FIGURE("FadeBlendRGB", FadeBlendRGB(0, 0, 5, 17, 30, SPRITE)),
    MU_FIGURE("AlphaGradient vertical", AlphaGradient(0, 0, 0.2f, 0.55f, 0.9f, 1, 0, 4, SPRITE)),
    MU_FIGURE("AlphaGradient horizontal", AlphaGradient(0, 0, 0.2f, 0.55f, 0.9f, 0, 0, 4, SPRITE)),
    MU_FIGURE("FadeGradient vertical", FadeGradient(0, 0, 5, 17, 30, 1, 0, 4, SPRITE)),
    MU_FIGURE("FadeGradient horizontal", FadeGradient(0, 0, 5, 17, 30, 0, 0, 4, SPRITE)),
    MU_FIGURE("AddBlend", AddBlend(0, 0, SPRITE)),
    MU_FIGURE("AddBlendLevel 0.6", AddBlendLevel(0, 0, 0.6f, SPRITE)),
    MU_FIGURE("ShadowBlend", ShadowBlend(0, 0, SPRITE)),
    MU_FIGURE("SoftEdge", SoftEdge(0, 0, SPRITE)),
    MU_FIGURE("ChannelMask", ChannelMask(0, 0, 1, 0, 1, SPRITE)),
    MU_FIGURE("Brightness 0.7", Brightness(0, 0, 0.7f, SPRITE)),
    MU_FIGURE("BrightnessRGB", BrightnessRGB(0, 0, 0.2f, 0.55f, 0.9f, SPRITE)),
    MU_FIGURE("Darken 20", Darken(0, 0, 20, SPRITE)),
    MU_FIGURE("DarkenRGB", DarkenRGB(0, 0, 5, 17, 30, SPRITE)),
    MU_FIGURE("BoxBlur 2", BoxBlur(0, 0, 2, SPRITE)),
    MU_FIGURE("BoxBlur 5", BoxBlur(0, 0, 5, SPRITE)),
    MU_FIGURE("GrayBlt", GrayBlt(0, 0, SPRITE)),
    MU_FIGURE("DisplaceBlt 0.8", DisplaceBlt(0, 0, 0.8f, SPRITE)),
    MU_FIGURE("GlowBlt right+down, shift 2", GlowBlt(0, 0, 2, 2, 2, 0x12, 0, SPRITE)),
};

#undef SPRITE
#undef MU_FIGURE

}  // namespace
