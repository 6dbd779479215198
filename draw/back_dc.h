// The back screen's device context as the library's own GDI drawing uses it
// (the primitives and the text output on the back screen). Getting the
// context costs far more than drawing a box or a line of text with it, so
// with muDraw::keepBackScreenDC set one borrowed context is kept from one GDI
// call to the next. Nothing else may meet it: every blit, lock, frame show,
// effect and restore gives it back first with ReleaseKeptDC (SurfaceLock does
// so itself), and so must any code that calls DirectDraw on the back screen
// by hand. It is off unless the application asks for it: an application's
// own DirectDraw calls on backScreen would otherwise find it busy after any
// GDI call.
#ifndef MU_DRAW_BACK_DC_H
#define MU_DRAW_BACK_DC_H

#include <mu.h>

namespace muDraw {

// The context for one GDI call on the back screen: the kept one, or a newly
// borrowed one; null when there is no back screen or it cannot be had (lost,
// or its context is out elsewhere), and then nothing is drawn.
HDC BorrowBackScreenDC();

// Ends the GDI call that borrowed dc: keeps it for the next call, or gives it
// back at once when keeping is off. Null does nothing.
void EndBackScreenDC(HDC dc);

// Gives a kept context back so that the back screen is free for DirectDraw.
// Does nothing when none is kept or while a call still draws with it (an
// open font selection keeps the back screen busy, as it always has), unless
// evenWhileDrawing: the back screen is about to be released.
void ReleaseKeptDC(bool evenWhileDrawing = false);

}  // namespace muDraw

#endif
