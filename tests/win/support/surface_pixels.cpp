#include "surface_pixels.h"

#include <cstring>

#include "draw/sprites.h"
#include "test_app.h"

namespace testpix {

namespace {
int screenResult = -1;

DWORD Mask(int c) {
  const DWORD masks[3] = {muDraw::redMask, muDraw::greenMask, muDraw::blueMask};
  return masks[c];
}
int Shift(DWORD mask) {
  int s = 0;
  while (mask && !(mask & 1)) {
    mask >>= 1;
    ++s;
  }
  return s;
}
}  // namespace

void ScreenEnvironment::SetUp() { ASSERT_TRUE(StartScreen()); }
void ScreenEnvironment::TearDown() { muDraw::Release(); }

bool StartScreen() {
  if (screenResult < 0) {
    testapp::onInit = [] {
      screenResult = muDraw::Screen(640, 480, 1);
      muSystem::sceneNumber = 1;
      muSystem::previousScene = 0;
    };
    if (!testapp::StartShell()) screenResult = 0;
  }
  return screenResult == 1;
}

Snapshot::Snapshot(LPDIRECTDRAWSURFACE surface) {
  DDSURFACEDESC d = {};
  d.dwSize = sizeof d;
  if (!surface || FAILED(surface->Lock(nullptr, &d, DDLOCK_WAIT | DDLOCK_READONLY, nullptr)))
    return;
  width_ = static_cast<int>(d.dwWidth);
  height_ = static_cast<int>(d.dwHeight);
  const int bytes = static_cast<int>(d.ddpfPixelFormat.dwRGBBitCount / 8);
  pixels_.assign(static_cast<size_t>(width_) * height_, 0);
  for (int y = 0; y < height_; ++y) {
    const BYTE* row = static_cast<const BYTE*>(d.lpSurface) + y * d.lPitch;
    for (int x = 0; x < width_; ++x) std::memcpy(&pixels_[y * width_ + x], row + x * bytes, bytes);
  }
  surface->Unlock(d.lpSurface);
  ok_ = true;
}

DWORD ReadPixel(LPDIRECTDRAWSURFACE surface, int x, int y) {
  Snapshot s(surface);
  return s.Ok() ? s.At(x, y) : 0xDEADBEEF;
}

void FillSurface(LPDIRECTDRAWSURFACE surface, DWORD value) {
  DDBLTFX fx = {};
  fx.dwSize = sizeof fx;
  fx.dwFillColor = value;
  surface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}

void PaintValues(int sprite, const std::function<DWORD(int, int)>& value) {
  LPDIRECTDRAWSURFACE s = muDraw::spriteTable[sprite].surface;
  DDSURFACEDESC d = {};
  d.dwSize = sizeof d;
  if (!s || FAILED(s->Lock(nullptr, &d, DDLOCK_WAIT, nullptr))) return;
  const int bytes = static_cast<int>(d.ddpfPixelFormat.dwRGBBitCount / 8);
  for (int y = 0; y < static_cast<int>(d.dwHeight); ++y) {
    BYTE* row = static_cast<BYTE*>(d.lpSurface) + y * d.lPitch;
    for (int x = 0; x < static_cast<int>(d.dwWidth); ++x) {
      DWORD v = value(x, y);
      std::memcpy(row + x * bytes, &v, bytes);
    }
  }
  s->Unlock(d.lpSurface);
}

DWORD ValueOf(COLORREF colour) {
  int s = muDraw::CreateObject(1, 1, 2);
  DWORD v = muDraw::MatchColor(muDraw::spriteTable[s].surface, colour);
  muDraw::DeleteObject(s);
  return v;
}

DWORD Rgb(int red, int green, int blue) {
  const int c8[3] = {red, green, blue};
  DWORD v = 0;
  for (int c = 0; c < 3; ++c) {
    const DWORD m = Mask(c), s = Shift(m), max = m >> s;
    v |= (static_cast<DWORD>(c8[c]) * max / 255) << s;
  }
  return v;
}

DWORD Channel(DWORD value, int c) {
  const DWORD m = Mask(c);
  return (value & m) >> Shift(m);
}

}  // namespace testpix
