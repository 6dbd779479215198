#include "surface_faults.h"

#include <initializer_list>

using namespace muDraw;

void LoseSurfaces() { directDraw->SetDisplayMode(640, 480, 16); }

void EndLoss() {
  directDraw->RestoreDisplayMode();
  if (muSystem::fullScreen) {
    directDraw->SetCooperativeLevel(muSystem::mainWindow, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN);
    directDraw->SetDisplayMode(640, 480, 16);
    directDraw->SetCooperativeLevel(muSystem::mainWindow,
                                    DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT);
  }
  // Each surface then needs its own Restore to count as back.
  for (LPDIRECTDRAWSURFACE s : {primarySurface, backScreen}) s->Restore();
  for (const SpriteRecord& r : spriteTable) {
    if (r.surface) r.surface->Restore();
  }
}

COLORREF GdiPixel(LPDIRECTDRAWSURFACE surface, int x, int y) {
  HDC dc;
  if (FAILED(surface->GetDC(&dc))) return CLR_INVALID;
  COLORREF c = GetPixel(dc, x, y);
  surface->ReleaseDC(dc);
  return c;
}
