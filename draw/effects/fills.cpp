// The fills (a sprite cleared, rectangles of the back screen cleared, framed,
// whitened or filled with a pixel value, each one DirectDraw colour fill per
// rectangle) and the software tint of a rectangle.
#include <mu.h>

#include "draw/effects/fill_rects.h"
#include "draw/effects/tint.h"
#include "draw/pixels/surface_lock.h"
#include "draw/sprites.h"

namespace muDraw {

namespace {

// One colour fill of the rectangle, cut to the surface first: DirectDraw
// refuses a rectangle that reaches past the surface and would fill nothing of
// its visible part. The fills ignore the clip rectangle and the fill's result.
void Fill(LPDIRECTDRAWSURFACE surface, int width, int height, mu::ClipBounds rect, DWORD value) {
  if (!surface || !mu::CutToSurface(rect, width, height)) return;
  DDBLTFX fx = {};
  fx.dwSize = sizeof fx;  // 100 bytes
  fx.dwFillColor = value;
  RECT r = {rect.left, rect.top, rect.right, rect.bottom};
  surface->Blt(&r, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}

void FillBack(int left, int top, int right, int bottom, DWORD value) {
  Fill(backScreen, muSystem::screenWidth, muSystem::screenHeight, {left, top, right, bottom}, value);
}

}  // namespace

void ClearObject(int sprite) {
  if (!ValidSprite(sprite)) return;
  const SpriteRecord& r = spriteTable[sprite];
  Fill(r.surface, r.width, r.height, {0, 0, r.width, r.height}, 0);
}

void ClearBox(int left, int top, int right, int bottom) { FillBack(left, top, right, bottom, 0); }

void ClearFrame(int left, int top, int right, int bottom) {
  mu::ClipBounds strips[4];
  mu::FrameStrips({left, top, right, bottom}, strips);
  for (const mu::ClipBounds& s : strips) FillBack(s.left, s.top, s.right, s.bottom, 0);
}

void WhiteScreen() { FillBack(0, 0, muSystem::screenWidth, muSystem::screenHeight, whiteValue); }

void WhiteBox(int left, int top, int right, int bottom) {
  FillBack(left, top, right, bottom, whiteValue);
}

void FillBox(int left, int top, int right, int bottom, DWORD value) {
  // A 16-bit screen takes the value's low 16 bits; a deeper one the whole value.
  if (mu::screenFormat.bytesPerPixel <= 2) value &= 0xFFFF;
  FillBack(left, top, right, bottom, value);
}

int TintBox(int left, int top, int right, int bottom, DWORD value) {
  mu::ClipBounds rect = {left, top, right, bottom};
  if (!mu::ClipTint(rect, ClipRectangle())) return 1;
  SurfaceLock lock(backScreen);
  if (!lock.Locked()) return 0;
  mu::PixelView screen = lock.View();
  // The clip rectangle is set unchecked: only the part on the surface is touched.
  if (!mu::CutToSurface(rect, screen.width, screen.height)) return 1;
  if (lock.BitsPerPixel() != mu::screenFormat.bytesPerPixel * 8) return 1;
  mu::Tint(screen.Sub(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                      mu::screenFormat.bytesPerPixel),
           mu::screenFormat, value);
  return 1;
}

}  // namespace muDraw
