#include "surface_faults.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

std::vector<FaultySurface*>& Live() {
  static std::vector<FaultySurface*> live;
  return live;
}

LPDIRECTDRAWSURFACE Real(LPDIRECTDRAWSURFACE s) {
  for (FaultySurface* f : Live()) {
    if (s == f) return f->real();
  }
  return s;
}

}  // namespace

FaultySurface::FaultySurface(LPDIRECTDRAWSURFACE real) : real_(real) { Live().push_back(this); }
FaultySurface::~FaultySurface() {
  Live().erase(std::find(Live().begin(), Live().end(), this));
}

ULONG FaultySurface::Release() {
  ULONG left = --refs_;
  if (left == 0) {
    real_->Release();
    delete this;
  }
  return left;
}
HRESULT FaultySurface::Blt(LPRECT d, LPDIRECTDRAWSURFACE s, LPRECT r, DWORD f, LPDDBLTFX fx) {
  return lost ? DDERR_SURFACELOST : real_->Blt(d, Real(s), r, f, fx);
}
HRESULT FaultySurface::BltFast(DWORD x, DWORD y, LPDIRECTDRAWSURFACE s, LPRECT r, DWORD f) {
  return lost ? DDERR_SURFACELOST : real_->BltFast(x, y, Real(s), r, f);
}

FaultInPlace::FaultInPlace(LPDIRECTDRAWSURFACE& place, HRESULT lockResult, HRESULT keyResult)
    : place_(place), real_(place) {
  real_->AddRef();   // the wrapper takes over this reference; the place keeps its own
  faulty_ = new FaultySurface(real_);
  faulty_->lost = false;
  faulty_->lockResult = lockResult;
  faulty_->keyResult = keyResult;
  place_ = faulty_;
}

FaultInPlace::~FaultInPlace() {
  place_ = real_;
  faulty_->Release();
}

void LoseSurfaces() {
  muDraw::directDraw->SetDisplayMode(640, 480, 16);
  ASSERT_EQ(muDraw::backScreen->IsLost(), DDERR_SURFACELOST);
}

void EndLoss() {
  using namespace muDraw;
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
