// Surfaces that fail as real ones do, for the drawing tests: a real loss of
// every surface through a display-mode change.
#ifndef MU_TEST_SURFACE_FAULTS_H
#define MU_TEST_SURFACE_FAULTS_H

#include <mu.h>

// Sets the display mode, which loses every surface: IsLost and Lock answer
// DDERR_SURFACELOST (Wine does this even in a window, but goes on blitting).
// Only EndLoss ends it: the mode given back and every surface restored.
void LoseSurfaces();
void EndLoss();

// A pixel read through GDI, which works while the surface is lost.
COLORREF GdiPixel(LPDIRECTDRAWSURFACE surface, int x, int y);

#endif
