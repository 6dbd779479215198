// The frame show: lays the tile wipe's step and the page view over the back
// screen, waits for the vertical blank and copies the back screen to the
// window's client rectangle on the primary surface.
#include <mu.h>

#include "draw/draw_rules.h"

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

}  // namespace

void Flip() {
  int frame = mu::AdvanceWipe(wipeStep, wipeDirection);
  if (frame >= 0) DrawWipeFrame(frame);
  if (pageViewOn == 1) DrawPageView();
  if (waitVBlank == 1 && directDraw) directDraw->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr);
  if (!primarySurface || !backScreen) return;  // no screen was made
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
