// Clearing the back screen and the four copying blits, clipped by the clip
// rectangle in software and drawn by the library's copy on the locked
// surfaces or by one BltFast, whichever path draw/blit_path.h chose.
#include <mu.h>

#include "draw/blit_path.h"
#include "draw/draw_rules.h"
#include "draw/sprites.h"

namespace muDraw {

namespace {

constexpr DWORD kKeyedFast = DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT;   // 0x11
constexpr DWORD kOpaqueFast = DDBLTFAST_WAIT;                          // 0x10

void FastBlit(LPDIRECTDRAWSURFACE destination, int x, int y, int sprite, int left, int top,
              int right, int bottom, DWORD flags) {
  LPDIRECTDRAWSURFACE source = SpriteSurface(sprite);
  if (!destination || !source) return;  // nothing to draw from or into
  mu::BlitArea area = {x, y, left, top, right, bottom};
  if (!mu::ClipBlit(area, ClipRectangle())) return;
  RECT from = {area.left, area.top, area.right, area.bottom};
  if (LibraryBlits(source, destination)) {
    switch (LockedBlit(destination, area.x, area.y, source, from, flags == kKeyedFast)) {
      case LockedResult::kDone: return;
      case LockedResult::kLost: Restore(); return;
      case LockedResult::kFallBack: break;
    }
  }
  HRESULT hr = destination->BltFast(area.x, area.y, source, &from, flags);
  // The lost picture is not drawn again in this call; the next frame draws
  // from the restored and reloaded surfaces.
  if (hr == DDERR_SURFACELOST) Restore();
}

}  // namespace

void ClearScreen() {
  if (!backScreen) return;
  DDBLTFX fx = {};
  fx.dwSize = sizeof fx;  // 100 bytes
  fx.dwFillColor = 0;
  RECT all = {0, 0, muSystem::screenWidth, muSystem::screenHeight};
  backScreen->Blt(&all, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}

void BltKey(int x, int y, int sprite, int left, int top, int right, int bottom) {
  FastBlit(backScreen, x, y, sprite, left, top, right, bottom, kKeyedFast);
}

void Blt(int x, int y, int sprite, int left, int top, int right, int bottom) {
  FastBlit(backScreen, x, y, sprite, left, top, right, bottom, kOpaqueFast);
}

void ObjectBltKey(int destination, int x, int y, int sprite, int left, int top, int right,
                  int bottom) {
  FastBlit(SpriteSurface(destination), x, y, sprite, left, top, right, bottom, kKeyedFast);
}

void ObjectBlt(int destination, int x, int y, int sprite, int left, int top, int right,
               int bottom) {
  FastBlit(SpriteSurface(destination), x, y, sprite, left, top, right, bottom, kOpaqueFast);
}

}  // namespace muDraw
