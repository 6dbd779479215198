// Surfaces that fail as real ones do, for the drawing tests: a wrapper that
// answers like a lost surface until it is restored (or fails its locks or
// colour-key reads), and a real loss of every surface through a display-mode
// change.
#ifndef MU_TEST_SURFACE_FAULTS_H
#define MU_TEST_SURFACE_FAULTS_H

#include <mu.h>

// Forwards everything to a real surface, except: while `lost`, its blits,
// IsLost and Lock answer DDERR_SURFACELOST and draw nothing, until Restore;
// otherwise Lock and GetColorKey answer lockResult and keyResult when those
// are failures. Wine's software renderer never reports a loss from a blit,
// so the blits' own loss path is driven by this. A wrapper handed to a real
// surface's blit as the source is unwrapped first.
class FaultySurface final : public IDirectDrawSurface {
 public:
  explicit FaultySurface(LPDIRECTDRAWSURFACE real);   // takes over the caller's reference
  ~FaultySurface();
  bool lost = true;
  int restores = 0;
  HRESULT lockResult = DD_OK;
  HRESULT keyResult = DD_OK;

  STDMETHOD(QueryInterface)(REFIID riid, void** out) override { return real_->QueryInterface(riid, out); }
  STDMETHOD_(ULONG, AddRef)() override { return ++refs_; }
  STDMETHOD_(ULONG, Release)() override;
  // The faults.
  STDMETHOD(Blt)(LPRECT d, LPDIRECTDRAWSURFACE s, LPRECT r, DWORD f, LPDDBLTFX fx) override;
  STDMETHOD(BltFast)(DWORD x, DWORD y, LPDIRECTDRAWSURFACE s, LPRECT r, DWORD f) override;
  STDMETHOD(IsLost)() override { return lost ? DDERR_SURFACELOST : DD_OK; }
  STDMETHOD(Lock)(LPRECT r, LPDDSURFACEDESC d, DWORD f, HANDLE h) override {
    if (lost) return DDERR_SURFACELOST;
    return FAILED(lockResult) ? lockResult : real_->Lock(r, d, f, h);
  }
  STDMETHOD(GetColorKey)(DWORD f, LPDDCOLORKEY k) override {
    return FAILED(keyResult) ? keyResult : real_->GetColorKey(f, k);
  }
  STDMETHOD(Restore)() override {
    ++restores;
    lost = false;
    return real_->Restore();
  }
  // Everything else as the real surface answers it.
  STDMETHOD(AddAttachedSurface)(LPDIRECTDRAWSURFACE s) override { return real_->AddAttachedSurface(s); }
  STDMETHOD(AddOverlayDirtyRect)(LPRECT r) override { return real_->AddOverlayDirtyRect(r); }
  STDMETHOD(BltBatch)(LPDDBLTBATCH b, DWORD c, DWORD f) override { return real_->BltBatch(b, c, f); }
  STDMETHOD(DeleteAttachedSurface)(DWORD f, LPDIRECTDRAWSURFACE s) override {
    return real_->DeleteAttachedSurface(f, s);
  }
  STDMETHOD(EnumAttachedSurfaces)(LPVOID c, LPDDENUMSURFACESCALLBACK cb) override {
    return real_->EnumAttachedSurfaces(c, cb);
  }
  STDMETHOD(EnumOverlayZOrders)(DWORD f, LPVOID c, LPDDENUMSURFACESCALLBACK cb) override {
    return real_->EnumOverlayZOrders(f, c, cb);
  }
  STDMETHOD(Flip)(LPDIRECTDRAWSURFACE s, DWORD f) override { return real_->Flip(s, f); }
  STDMETHOD(GetAttachedSurface)(LPDDSCAPS c, LPDIRECTDRAWSURFACE* s) override {
    return real_->GetAttachedSurface(c, s);
  }
  STDMETHOD(GetBltStatus)(DWORD f) override { return real_->GetBltStatus(f); }
  STDMETHOD(GetCaps)(LPDDSCAPS c) override { return real_->GetCaps(c); }
  STDMETHOD(GetClipper)(LPDIRECTDRAWCLIPPER* c) override { return real_->GetClipper(c); }
  STDMETHOD(GetDC)(HDC* dc) override { return real_->GetDC(dc); }
  STDMETHOD(GetFlipStatus)(DWORD f) override { return real_->GetFlipStatus(f); }
  STDMETHOD(GetOverlayPosition)(LPLONG x, LPLONG y) override { return real_->GetOverlayPosition(x, y); }
  STDMETHOD(GetPalette)(LPDIRECTDRAWPALETTE* p) override { return real_->GetPalette(p); }
  STDMETHOD(GetPixelFormat)(LPDDPIXELFORMAT p) override { return real_->GetPixelFormat(p); }
  STDMETHOD(GetSurfaceDesc)(LPDDSURFACEDESC d) override { return real_->GetSurfaceDesc(d); }
  STDMETHOD(Initialize)(LPDIRECTDRAW d, LPDDSURFACEDESC s) override { return real_->Initialize(d, s); }
  STDMETHOD(ReleaseDC)(HDC dc) override { return real_->ReleaseDC(dc); }
  STDMETHOD(SetClipper)(LPDIRECTDRAWCLIPPER c) override { return real_->SetClipper(c); }
  STDMETHOD(SetColorKey)(DWORD f, LPDDCOLORKEY k) override { return real_->SetColorKey(f, k); }
  STDMETHOD(SetOverlayPosition)(LONG x, LONG y) override { return real_->SetOverlayPosition(x, y); }
  STDMETHOD(SetPalette)(LPDIRECTDRAWPALETTE p) override { return real_->SetPalette(p); }
  STDMETHOD(Unlock)(LPVOID p) override { return real_->Unlock(p); }
  STDMETHOD(UpdateOverlay)(LPRECT a, LPDIRECTDRAWSURFACE s, LPRECT b, DWORD f, LPDDOVERLAYFX fx) override {
    return real_->UpdateOverlay(a, s, b, f, fx);
  }
  STDMETHOD(UpdateOverlayDisplay)(DWORD f) override { return real_->UpdateOverlayDisplay(f); }
  STDMETHOD(UpdateOverlayZOrder)(DWORD f, LPDIRECTDRAWSURFACE s) override {
    return real_->UpdateOverlayZOrder(f, s);
  }

  LPDIRECTDRAWSURFACE real() const { return real_; }

 private:
  LPDIRECTDRAWSURFACE real_;
  ULONG refs_ = 1;
};

// A FaultySurface, not lost, in the place of a surface (the back screen, a
// sprite's) while it lives; then the real surface goes back in its place.
class FaultInPlace {
 public:
  FaultInPlace(LPDIRECTDRAWSURFACE& place, HRESULT lockResult, HRESULT keyResult = DD_OK);
  ~FaultInPlace();
  FaultInPlace(const FaultInPlace&) = delete;
  FaultInPlace& operator=(const FaultInPlace&) = delete;
  FaultySurface* operator->() const { return faulty_; }

 private:
  LPDIRECTDRAWSURFACE& place_;
  LPDIRECTDRAWSURFACE real_;
  FaultySurface* faulty_;
};

// Sets the display mode, which loses every surface: IsLost and Lock answer
// DDERR_SURFACELOST (Wine does this even in a window, but goes on blitting).
// Only EndLoss ends it: the mode given back and every surface restored.
void LoseSurfaces();
void EndLoss();

// A pixel read through GDI, which works while the surface is lost.
COLORREF GdiPixel(LPDIRECTDRAWSURFACE surface, int x, int y);

#endif
