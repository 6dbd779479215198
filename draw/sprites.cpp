// The sprite table, the load colour key and the per-sprite key operations.
#include "draw/sprites.h"

#include <cstring>

namespace muDraw {

SpriteRecord spriteTable[kSpriteCount];
COLORREF loadColorKey;
int loadKeyTopLeft;

namespace {
constexpr DWORD kPlacedCaps = DDSCAPS_OFFSCREENPLAIN;                          // 0x40
constexpr DWORD kSystemCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;   // 0x840
}  // namespace

DWORD MemoryTypeCaps(int memoryType) {
  return memoryType == kMemoryPlaced ? kPlacedCaps : kSystemCaps;
}

HRESULT CreatePlainSurface(int width, int height, DWORD caps, LPDIRECTDRAWSURFACE* out) {
  *out = nullptr;
  if (!directDraw) return DDERR_NOTINITIALIZED;
  DDSURFACEDESC desc = {};
  desc.dwSize = sizeof desc;  // 108 bytes
  desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
  desc.dwWidth = width;
  desc.dwHeight = height;
  desc.ddsCaps.dwCaps = caps;
  HRESULT hr = directDraw->CreateSurface(&desc, out, nullptr);
  if (FAILED(hr)) *out = nullptr;
  return hr;
}

void EmptyRecord(int sprite) {
  SpriteRecord& r = spriteTable[sprite];
  r.surface = nullptr;
  r.name[0] = '\0';
  r.packed = 0;
  r.memoryType = kMemoryPlaced;
  r.colorKey = 0;
  r.width = 0;
  r.height = 0;
}

int FreeRecord() {
  for (int i = kInternalSprites; i < kSpriteCount; ++i) {
    if (spriteTable[i].name[0] == '\0') return i;
  }
  return 0;
}

DWORD MatchColor(LPDIRECTDRAWSURFACE surface, COLORREF color) {
  if (!surface) return kNoMatch;
  bool probed = false;   // the pixel was written, so it must be put back
  COLORREF saved = 0;
  HDC dc;
  // GDI writes the colour at (0, 0); the raw word there is then the
  // surface's own pixel value for it, exact on every pixel format.
  if (color != static_cast<COLORREF>(kKeyTopLeft) && SUCCEEDED(surface->GetDC(&dc))) {
    saved = GetPixel(dc, 0, 0);
    SetPixel(dc, 0, 0, color);
    surface->ReleaseDC(dc);
    probed = true;
  }
  DWORD result = kNoMatch;
  DDSURFACEDESC desc = {};
  desc.dwSize = sizeof desc;
  HRESULT hr;
  do {
    hr = surface->Lock(nullptr, &desc, 0, nullptr);
  } while (hr == DDERR_WASSTILLDRAWING);
  if (SUCCEEDED(hr)) {
    // Only the first pixel's bytes are read: a tiny 16-bit surface may not
    // hold a whole 32-bit word.
    DWORD bits = desc.ddpfPixelFormat.dwRGBBitCount;
    DWORD bytes = bits >= 32 ? 4 : (bits + 7) / 8;
    result = 0;
    std::memcpy(&result, desc.lpSurface, bytes);
    if (bits < 32) result &= (1u << bits) - 1;
    surface->Unlock(desc.lpSurface);
  }
  if (probed && SUCCEEDED(surface->GetDC(&dc))) {
    SetPixel(dc, 0, 0, saved);
    surface->ReleaseDC(dc);
  }
  return result;
}

HRESULT ApplyColorKey(LPDIRECTDRAWSURFACE surface, COLORREF color) {
  if (!surface) return DDERR_INVALIDOBJECT;
  DWORD key = MatchColor(surface, color);
  DDCOLORKEY ck = {key, key};
  return surface->SetColorKey(DDCKEY_SRCBLT, &ck);
}

void ApplyLoadKey(int sprite) {
  SpriteRecord& r = spriteTable[sprite];
  if (loadKeyTopLeft == 1) {
    ApplyColorKey(r.surface, static_cast<COLORREF>(kKeyTopLeft));
    r.colorKey = kKeyTopLeft;
  } else {
    ApplyColorKey(r.surface, loadColorKey);
    r.colorKey = static_cast<int>(loadColorKey);
  }
}

void SetColorKey(COLORREF color) {
  loadColorKey = color;
  loadKeyTopLeft = 0;
}

void SetColorKeyTopLeft() { loadKeyTopLeft = 1; }

void SetObjectColorKey(int sprite, COLORREF color) {
  if (!SpriteSurface(sprite)) return;
  spriteTable[sprite].colorKey = static_cast<int>(color);
  ApplyColorKey(spriteTable[sprite].surface, color);
}

void SetObjectColorKeyTopLeft(int sprite) {
  if (!SpriteSurface(sprite)) return;
  spriteTable[sprite].colorKey = kKeyTopLeft;
  ApplyColorKey(spriteTable[sprite].surface, static_cast<COLORREF>(kKeyTopLeft));
}

void CopyColorKey(int destination, int source) {
  LPDIRECTDRAWSURFACE to = SpriteSurface(destination), from = SpriteSurface(source);
  if (!to || !from) return;
  DDCOLORKEY ck = {};
  if (SUCCEEDED(from->GetColorKey(DDCKEY_SRCBLT, &ck))) to->SetColorKey(DDCKEY_SRCBLT, &ck);
}

}  // namespace muDraw
