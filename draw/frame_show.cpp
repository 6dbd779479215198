// The frame show: lays the tile wipe's step and the page view over the back
// screen, waits for the vertical blank and copies the back screen to the
// window's client rectangle: on the primary surface through DirectDraw, or,
// in a window where DirectDraw only emulates its blits, straight from the
// locked back screen into the window with SetDIBitsToDevice.
#include <mu.h>

#include "draw/blit_path.h"
#include "draw/draw_rules.h"
#include "draw/pixels/surface_lock.h"

namespace muDraw {

int wipeSprite, wipeStep, wipeDirection;
int pageViewOn, pageHeight, pageSprite, pageTileSprite;
float pagePos, pageTileX, pageTileY;
int waitVBlank = 1;

namespace {

void DrawWipeFrame(int frame) {
  int left = mu::kWipeTileWidth * frame;
  for (int i = 0; i < mu::kWipeColumns; ++i) {
    for (int j = 0; j < mu::kWipeRows; ++j) {
      BltKey(mu::kWipeTileWidth * i, mu::kWipeTileHeight * j, wipeSprite, left, 0,
             left + mu::kWipeTileWidth, mu::kWipeTileHeight);
    }
  }
}

void DrawPageView() {
  const int tileX = static_cast<int>(pageTileX), tileY = static_cast<int>(pageTileY);
  for (int i = 0; i < mu::kPageTileColumns; ++i) {
    for (int j = 0; j < mu::kPageTileRows; ++j) {
      BltKey(mu::kWipeTileWidth * i + tileX, mu::kWipeTileHeight * j + tileY, pageTileSprite, 0,
             0, mu::kWipeTileWidth, mu::kWipeTileHeight);
    }
  }
  mu::DriftPageTiles(pageTileX, pageTileY, muSystem::frameSeconds);
  const int top = static_cast<int>(pagePos);
  BltKey(clipLeft, clipTop, pageSprite, 0, top, clipRight - clipLeft, top + clipBottom - clipTop);
  pagePos = mu::ScrollPage(pagePos, muSystem::pageViewKey, muSystem::frameSeconds, pageHeight,
                           clipBottom - clipTop);
}

// Shows the back screen in the window's client area. The window's own
// device context clips to what is visible of the window, which is the job
// the clipper does for DirectDraw's copy; the pixels are the same, since the
// bitmap is described in the back screen's own format.
LockedResult ShowInWindow() {
  SurfaceLock back(backScreen, DDLOCK_WAIT | DDLOCK_READONLY);
  if (back.Lost()) return LockedResult::kLost;
  if (!back.Locked()) return LockedResult::kFallBack;
  const DDPIXELFORMAT& f = back.Format();
  const mu::PixelView v = back.View();
  const int bytes = static_cast<int>(f.dwRGBBitCount) / 8;
  // A bitmap's rows start every multiple of four bytes: the pitch must be one.
  if ((bytes != 2 && bytes != 4) || v.pitch % 4 != 0) return LockedResult::kFallBack;
  struct {
    BITMAPINFOHEADER header;
    DWORD masks[3];
  } info = {};
  info.header.biSize = sizeof info.header;
  info.header.biWidth = static_cast<LONG>(v.pitch / bytes);   // rows as long as the pitch
  info.header.biHeight = -v.height;                             // top row first
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(f.dwRGBBitCount);
  info.header.biCompression = BI_BITFIELDS;
  info.masks[0] = f.dwRBitMask;
  info.masks[1] = f.dwGBitMask;
  info.masks[2] = f.dwBBitMask;
  HDC dc = GetDC(muSystem::mainWindow);
  if (!dc) return LockedResult::kFallBack;
  const int w = screenRect.right - screenRect.left, h = screenRect.bottom - screenRect.top;
  const int lines = SetDIBitsToDevice(dc, 0, 0, w, h, 0, 0, 0, v.height, v.pixels,
                                      reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  ReleaseDC(muSystem::mainWindow, dc);
  return lines > 0 ? LockedResult::kDone : LockedResult::kFallBack;
}

}  // namespace

void Flip() {
  int frame = mu::AdvanceWipe(wipeStep, wipeDirection);
  if (frame >= 0) DrawWipeFrame(frame);
  if (pageViewOn == 1) DrawPageView();
  if (waitVBlank == 1 && directDraw) directDraw->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr);
  if (!primarySurface || !backScreen) return;  // no screen was made
  if (!muSystem::fullScreen && LibraryPresents()) {
    switch (ShowInWindow()) {
      case LockedResult::kDone: return;
      case LockedResult::kLost: Restore(); return;
      case LockedResult::kFallBack: break;
    }
  }
  HRESULT hr = primarySurface->Blt(&muSystem::clientRect, backScreen, &screenRect, DDBLT_WAIT,
                                   nullptr);
  if (hr == DDERR_SURFACELOST) Restore();
}

void SetVSync(int on) { waitVBlank = on; }

int SetWipe(const char* fileName) {
  SetColorKey(0);
  wipeSprite = LoadObject(fileName, kMemoryPlaced);
  return wipeSprite;
}

void WipeForward() {
  wipeStep = 1;
  wipeDirection = 1;
}

void WipeBackward() {
  wipeStep = mu::kWipeFrames;
  wipeDirection = -1;
}

void SetPage(const char* pageFile, const char* tileFile, int height) {
  SetColorKey(0);
  // The second call replaces the pictures in their own records. Each of the
  // two is looked at on its own: a picture whose first load failed has index
  // 0, and swapping into 0 would overwrite the internal Buffer sprite.
  auto place = [](int& sprite, const char* file) {
    if (sprite == 0) {
      sprite = LoadObject(file, kMemoryPlaced);
    } else {
      SwapObject(file, sprite, kMemoryPlaced);
    }
  };
  place(pageSprite, pageFile);
  place(pageTileSprite, tileFile);
  pagePos = 0;
  pageHeight = height;
}

void TogglePage() {
  if (pageViewOn == 1) {
    pageViewOn = 0;
  } else if (pageHeight != 0) {
    pageViewOn = 1;
  }
}

}  // namespace muDraw
