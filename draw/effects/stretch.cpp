// Stretched blits: one DirectDraw blit from the source rectangle to the
// destination rectangle where DirectDraw can stretch; otherwise GDI stretches
// the source into the Buffer sprite and the Buffer's corner is blitted, keyed
// with the Buffer sprite's key or opaque.
#include <mu.h>

#include "draw/sprites.h"

namespace muDraw {

namespace {

void StretchByDirectDraw(int x, int y, LPDIRECTDRAWSURFACE source, int left, int top, int right,
                         int bottom, int width, int height, bool keyed) {
  if (!backScreen) return;
  auto end = [](int start, int size) {   // start + size, held inside the int range
    const long long e = static_cast<long long>(start) + size;
    return static_cast<LONG>(e > 0x7FFFFFFF ? 0x7FFFFFFF : e < -0x7FFFFFFF ? -0x7FFFFFFF : e);
  };
  RECT to = {x, y, end(x, width), end(y, height)};
  RECT from = {left, top, right, bottom};
  HRESULT hr = backScreen->Blt(&to, source, &from, keyed ? DDBLT_KEYSRC | DDBLT_WAIT : DDBLT_WAIT,
                               nullptr);
  if (hr == DDERR_SURFACELOST) Restore();
}

// The Buffer sprite gets the stretched picture at (0, 0). False when a device
// context could not be had (the source is the Buffer itself, or a surface is
// lost): then the Buffer's old content must not be drawn.
bool StretchIntoBuffer(LPDIRECTDRAWSURFACE source, int left, int top, int right, int bottom,
                       int width, int height) {
  LPDIRECTDRAWSURFACE buffer = spriteTable[kBufferSprite].surface;
  HDC to = nullptr, from = nullptr;
  if (!buffer || FAILED(buffer->GetDC(&to))) return false;
  if (FAILED(source->GetDC(&from))) {
    buffer->ReleaseDC(to);
    return false;
  }
  // Shrinking drops whole rows and columns, as DirectDraw's stretch does; the
  // device context's default would AND the dropped pixels into the kept ones
  // and change colours (and make key-coloured holes).
  SetStretchBltMode(to, COLORONCOLOR);
  StretchBlt(to, 0, 0, width, height, from, left, top, right - left, bottom - top, SRCCOPY);
  buffer->ReleaseDC(to);
  source->ReleaseDC(from);
  return true;
}

void StretchBlit(int x, int y, int sprite, int left, int top, int right, int bottom, int width,
                 int height, bool keyed) {
  LPDIRECTDRAWSURFACE source = SpriteSurface(sprite);
  if (!source) return;
  if (canStretch) {
    StretchByDirectDraw(x, y, source, left, top, right, bottom, width, height, keyed);
    return;
  }
  if (!StretchIntoBuffer(source, left, top, right, bottom, width, height)) return;
  if (keyed) {
    BltKey(x, y, kBufferSprite, 0, 0, width, height);
  } else {
    Blt(x, y, kBufferSprite, 0, 0, width, height);
  }
}

}  // namespace

void StretchKey(int x, int y, int sprite, int left, int top, int right, int bottom, int width,
                int height) {
  StretchBlit(x, y, sprite, left, top, right, bottom, width, height, true);
}

void Stretch(int x, int y, int sprite, int left, int top, int right, int bottom, int width,
             int height) {
  StretchBlit(x, y, sprite, left, top, right, bottom, width, height, false);
}

}  // namespace muDraw
