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

  STDMETHOD(QueryInterface)(REFIID riid, void** out) override;
  STDMETHOD_(ULONG, AddRef)() override;
  STDMETHOD_(ULONG, Release)() override;
  STDMETHOD(AddAttachedSurface)(LPDIRECTDRAWSURFACE s) override;
  STDMETHOD(AddOverlayDirtyRect)(LPRECT r) override;
  STDMETHOD(Blt)(LPRECT d, LPDIRECTDRAWSURFACE s, LPRECT r, DWORD f, LPDDBLTFX fx) override;
  STDMETHOD(BltBatch)(LPDDBLTBATCH b, DWORD c, DWORD f) override;
  STDMETHOD(BltFast)(DWORD x, DWORD y, LPDIRECTDRAWSURFACE s, LPRECT r, DWORD f) override;
  STDMETHOD(DeleteAttachedSurface)(DWORD f, LPDIRECTDRAWSURFACE s) override;
  STDMETHOD(EnumAttachedSurfaces)(LPVOID c, LPDDENUMSURFACESCALLBACK cb) override;
  STDMETHOD(EnumOverlayZOrders)(DWORD f, LPVOID c, LPDDENUMSURFACESCALLBACK cb) override;
  STDMETHOD(Flip)(LPDIRECTDRAWSURFACE s, DWORD f) override;
  STDMETHOD(GetAttachedSurface)(LPDDSCAPS c, LPDIRECTDRAWSURFACE* s) override;
  STDMETHOD(GetBltStatus)(DWORD f) override;
  STDMETHOD(GetCaps)(LPDDSCAPS c) override;
  STDMETHOD(GetClipper)(LPDIRECTDRAWCLIPPER* c) override;
  STDMETHOD(GetColorKey)(DWORD f, LPDDCOLORKEY k) override;
  STDMETHOD(GetDC)(HDC* dc) override;
  STDMETHOD(GetFlipStatus)(DWORD f) override;
  STDMETHOD(GetOverlayPosition)(LPLONG x, LPLONG y) override;
  STDMETHOD(GetPalette)(LPDIRECTDRAWPALETTE* p) override;
  STDMETHOD(GetPixelFormat)(LPDDPIXELFORMAT p) override;
  STDMETHOD(GetSurfaceDesc)(LPDDSURFACEDESC d) override;
  STDMETHOD(Initialize)(LPDIRECTDRAW d, LPDDSURFACEDESC s) override;
  STDMETHOD(IsLost)() override;
  STDMETHOD(Lock)(LPRECT r, LPDDSURFACEDESC d, DWORD f, HANDLE h) override;
  STDMETHOD(ReleaseDC)(HDC dc) override;
  STDMETHOD(Restore)() override;
  STDMETHOD(SetClipper)(LPDIRECTDRAWCLIPPER c) override;
  STDMETHOD(SetColorKey)(DWORD f, LPDDCOLORKEY k) override;
  STDMETHOD(SetOverlayPosition)(LONG x, LONG y) override;
  STDMETHOD(SetPalette)(LPDIRECTDRAWPALETTE p) override;
  STDMETHOD(Unlock)(LPVOID p) override;
  STDMETHOD(UpdateOverlay)(LPRECT a, LPDIRECTDRAWSURFACE s, LPRECT b, DWORD f,
                           LPDDOVERLAYFX fx) override;
  STDMETHOD(UpdateOverlayDisplay)(DWORD f) override;
  STDMETHOD(UpdateOverlayZOrder)(DWORD f, LPDIRECTDRAWSURFACE s) override;

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
