// The sprite effects under Wine: each effect over the full 640 x 480 picture
// onto the full back screen, locks included; the back screen is put back
// (untimed) before every call. Rows in the same order and with the same
// arguments as the native benchmark's (native/sprite_effect_kernels.cpp).
// A few kernels also run alone on copies in memory, to tell the platform's
// share (clip, locks) from the 32-bit code's own speed.
#include <mu.h>

#include <cstring>
#include <vector>

#include "draw/effects/blend.h"
#include "draw/effects/blur.h"
#include "draw/pixels/surface_lock.h"
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

// Copies of the picture and of the background in memory.
std::vector<std::uint8_t> pictureCopy, backgroundCopy, screenCopy;
int pitch;

std::vector<std::uint8_t> CopyOf(int sprite) {
  muDraw::SurfaceLock lock(muDraw::spriteTable[sprite].surface);
  const mu::PixelView v = lock.View();
  const int row = v.width * mu::screenFormat.bytesPerPixel;
  std::vector<std::uint8_t> out(static_cast<std::size_t>(row) * v.height);
  for (int y = 0; y < v.height; ++y) std::memcpy(&out[static_cast<std::size_t>(y) * row], v.pixels + y * v.pitch, row);
  pitch = row;
  return out;
}

void PrepareMemory() {
  PrepareBackground();
  if (!pictureCopy.empty()) return;
  pictureCopy = CopyOf(bench::fullSprite);
  backgroundCopy = CopyOf(background);
  screenCopy = backgroundCopy;
}
void PutMemoryBackground() { screenCopy = backgroundCopy; }
mu::PixelView Screen() { return mu::PixelView{screenCopy.data(), pitch, kW, kH}; }
mu::ConstPixelView Picture() { return mu::ConstPixelView{pictureCopy.data(), pitch, kW, kH}; }

#define MU_MEMORY_FIGURE(name, call) \
  bench::Register({name, PrepareMemory, [] { call; }, PutMemoryBackground, 1})

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
    MU_MEMORY_FIGURE("HalfBlend, kernel alone in memory", mu::HalfBlend(Screen(), Picture(), mu::screenFormat)),
    MU_MEMORY_FIGURE("AlphaBlend 0.3, kernel alone in memory",
                     mu::AlphaBlend(Screen(), Picture(), mu::screenFormat, mu::ChannelFloats{{0.3f, 0.3f, 0.3f}})),
    MU_MEMORY_FIGURE("AlphaGradient vertical, kernel alone in memory",
                     mu::AlphaGradient(Screen(), Picture(), mu::screenFormat, mu::ChannelFloats{{0.2f, 0.55f, 0.9f}},
                                       mu::GradientSteps{true, 0, 4})),
    MU_MEMORY_FIGURE("ShadowBlend, kernel alone in memory", mu::ShadowBlend(Screen(), Picture(), mu::screenFormat)),
    MU_MEMORY_FIGURE("SoftEdge, kernel alone in memory", mu::SoftEdge(Screen(), Picture(), mu::screenFormat)),
};

#undef SPRITE
#undef MU_FIGURE
#undef MU_MEMORY_FIGURE

}  // namespace
