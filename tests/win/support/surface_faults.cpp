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

HRESULT FaultySurface::QueryInterface(REFIID riid, void** out) { return real_->QueryInterface(riid, out); }
ULONG FaultySurface::AddRef() { return ++refs_; }
ULONG FaultySurface::Release() {
  ULONG left = --refs_;
  if (left == 0) {
    real_->Release();
    delete this;
  }
  return left;
}
HRESULT FaultySurface::AddAttachedSurface(LPDIRECTDRAWSURFACE s) { return real_->AddAttachedSurface(s); }
HRESULT FaultySurface::AddOverlayDirtyRect(LPRECT r) { return real_->AddOverlayDirtyRect(r); }
HRESULT FaultySurface::Blt(LPRECT d, LPDIRECTDRAWSURFACE s, LPRECT r, DWORD f, LPDDBLTFX fx) {
  return lost ? DDERR_SURFACELOST : real_->Blt(d, Real(s), r, f, fx);
}
HRESULT FaultySurface::BltBatch(LPDDBLTBATCH b, DWORD c, DWORD f) { return real_->BltBatch(b, c, f); }
HRESULT FaultySurface::BltFast(DWORD x, DWORD y, LPDIRECTDRAWSURFACE s, LPRECT r, DWORD f) {
  return lost ? DDERR_SURFACELOST : real_->BltFast(x, y, Real(s), r, f);
}
HRESULT FaultySurface::DeleteAttachedSurface(DWORD f, LPDIRECTDRAWSURFACE s) { return real_->DeleteAttachedSurface(f, s); }
HRESULT FaultySurface::EnumAttachedSurfaces(LPVOID c, LPDDENUMSURFACESCALLBACK cb) { return real_->EnumAttachedSurfaces(c, cb); }
HRESULT FaultySurface::EnumOverlayZOrders(DWORD f, LPVOID c, LPDDENUMSURFACESCALLBACK cb) { return real_->EnumOverlayZOrders(f, c, cb); }
HRESULT FaultySurface::Flip(LPDIRECTDRAWSURFACE s, DWORD f) { return real_->Flip(s, f); }
HRESULT FaultySurface::GetAttachedSurface(LPDDSCAPS c, LPDIRECTDRAWSURFACE* s) { return real_->GetAttachedSurface(c, s); }
HRESULT FaultySurface::GetBltStatus(DWORD f) { return real_->GetBltStatus(f); }
HRESULT FaultySurface::GetCaps(LPDDSCAPS c) { return real_->GetCaps(c); }
HRESULT FaultySurface::GetClipper(LPDIRECTDRAWCLIPPER* c) { return real_->GetClipper(c); }
HRESULT FaultySurface::GetColorKey(DWORD f, LPDDCOLORKEY k) {
  return FAILED(keyResult) ? keyResult : real_->GetColorKey(f, k);
}
HRESULT FaultySurface::GetDC(HDC* dc) { return real_->GetDC(dc); }
HRESULT FaultySurface::GetFlipStatus(DWORD f) { return real_->GetFlipStatus(f); }
HRESULT FaultySurface::GetOverlayPosition(LPLONG x, LPLONG y) { return real_->GetOverlayPosition(x, y); }
HRESULT FaultySurface::GetPalette(LPDIRECTDRAWPALETTE* p) { return real_->GetPalette(p); }
HRESULT FaultySurface::GetPixelFormat(LPDDPIXELFORMAT p) { return real_->GetPixelFormat(p); }
HRESULT FaultySurface::GetSurfaceDesc(LPDDSURFACEDESC d) { return real_->GetSurfaceDesc(d); }
HRESULT FaultySurface::Initialize(LPDIRECTDRAW d, LPDDSURFACEDESC s) { return real_->Initialize(d, s); }
HRESULT FaultySurface::IsLost() { return lost ? DDERR_SURFACELOST : DD_OK; }
HRESULT FaultySurface::Lock(LPRECT r, LPDDSURFACEDESC d, DWORD f, HANDLE h) {
  if (lost) return DDERR_SURFACELOST;
  return FAILED(lockResult) ? lockResult : real_->Lock(r, d, f, h);
}
HRESULT FaultySurface::ReleaseDC(HDC dc) { return real_->ReleaseDC(dc); }
HRESULT FaultySurface::Restore() {
  ++restores;
  lost = false;
  return real_->Restore();
}
HRESULT FaultySurface::SetClipper(LPDIRECTDRAWCLIPPER c) { return real_->SetClipper(c); }
HRESULT FaultySurface::SetColorKey(DWORD f, LPDDCOLORKEY k) { return real_->SetColorKey(f, k); }
HRESULT FaultySurface::SetOverlayPosition(LONG x, LONG y) { return real_->SetOverlayPosition(x, y); }
HRESULT FaultySurface::SetPalette(LPDIRECTDRAWPALETTE p) { return real_->SetPalette(p); }
HRESULT FaultySurface::Unlock(LPVOID p) { return real_->Unlock(p); }
HRESULT FaultySurface::UpdateOverlay(LPRECT a, LPDIRECTDRAWSURFACE s, LPRECT b, DWORD f, LPDDOVERLAYFX fx) {
  return real_->UpdateOverlay(a, s, b, f, fx);
}
HRESULT FaultySurface::UpdateOverlayDisplay(DWORD f) { return real_->UpdateOverlayDisplay(f); }
HRESULT FaultySurface::UpdateOverlayZOrder(DWORD f, LPDIRECTDRAWSURFACE s) { return real_->UpdateOverlayZOrder(f, s); }

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
