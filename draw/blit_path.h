// Which path draws the four copying blits and shows the windowed frame:
// DirectDraw's own blitter, or the library's copies (draw/pixels/copy.h) on
// locked surfaces; the back screen's pair also decides whose device context
// the GDI drawing uses (draw/back_dc.h). Where DirectDraw emulates its blits in software (every
// surface under Wine; system-memory surfaces on most cards) its colour-keyed
// loop is many times slower than the library's; where a card blits video
// memory in hardware, DirectDraw's blit is kept. The choice is measured,
// once at screen set-up and again after each Restore, on scratch surfaces of
// each placement: the driver's capabilities are no guide, since Wine reports
// hardware blits for every placement while it copies in a generic software
// loop. Both paths give the same pixels; only the time differs.
#ifndef MU_DRAW_BLIT_PATH_H
#define MU_DRAW_BLIT_PATH_H

#include <mu.h>

namespace muDraw {

enum class BlitPath { kMeasured, kDirectDraw, kLibrary };

// Overrides the measured choice for every blit, frame show and GDI call
// (tests and the benchmark); kMeasured goes back to it.
void ForceBlitPath(BlitPath path);

// Measures both paths on scratch surfaces of each placement (screen set-up, Restore).
void ChooseBlitPaths();

// True when the library copies from `from` to `to`.
bool LibraryBlits(LPDIRECTDRAWSURFACE from, LPDIRECTDRAWSURFACE to);

// True when the windowed frame is shown from the locked back screen with
// SetDIBitsToDevice instead of DirectDraw's blit to the primary surface.
bool LibraryPresents();

// How a copy on locked surfaces ended: drawn (or refused as DirectDraw would
// refuse it, drawing nothing), stopped by a lost surface with nothing drawn,
// or not possible here (a lock or the colour key could not be had, the
// formats differ): then DirectDraw's blit must do it.
enum class LockedResult { kDone, kLost, kFallBack };

// Copies the source rectangle of `from` to (x, y) of `to`, keyed by the
// source's colour key when `keyed`. The rectangle is already clipped by the
// caller; one that leaves either surface, or is empty, draws nothing, as
// DirectDraw's BltFast refuses it.
LockedResult LockedBlit(LPDIRECTDRAWSURFACE to, int x, int y, LPDIRECTDRAWSURFACE from,
                        const RECT& source, bool keyed);

}  // namespace muDraw

#endif
