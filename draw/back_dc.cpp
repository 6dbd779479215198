#include "draw/back_dc.h"

namespace muDraw {

int keepBackScreenDC = 0;

namespace {
HDC keptDC;       // borrowed from the back screen and not yet given back
bool drawing;     // a call is drawing with keptDC right now
}  // namespace

HDC BorrowBackScreenDC() {
  if (!keptDC) {
    HDC dc = nullptr;
    if (!backScreen || backScreen->GetDC(&dc) != DD_OK) return nullptr;
    keptDC = dc;
  }
  drawing = true;
  return keptDC;
}

void EndBackScreenDC(HDC dc) {
  if (!dc || dc != keptDC) return;
  drawing = false;
  if (!keepBackScreenDC) ReleaseKeptDC();
}

void ReleaseKeptDC(bool evenWhileDrawing) {
  if (!keptDC || (drawing && !evenWhileDrawing)) return;
  if (backScreen) backScreen->ReleaseDC(keptDC);
  keptDC = nullptr;
  drawing = false;
}

}  // namespace muDraw
