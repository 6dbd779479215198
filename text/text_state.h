// The text state shared by the font selection, the text output and the text
// layout: one shared font record, one open selection at a time.
#ifndef MU_TEXT_TEXT_STATE_H
#define MU_TEXT_TEXT_STATE_H

#include <mu.h>

#include "text/text_rules.h"

namespace muDraw {

extern LOGFONTA* fontRecord;            // shared by every selection; null before the font list
extern HFONT textFont;                  // font of the open selection
extern HDC textDC;                      // device context of the open selection; null if none
extern HFONT textOldFont;               // the font the selection replaced in textDC
extern LPDIRECTDRAWSURFACE textSurface; // surface textDC was borrowed from
extern int fontHeight;                  // last height written to the record
extern COLORREF textColor, textBackColor;   // colours of the last SetTextColor
extern mu::FontEntry fontList[mu::kFontListRows];
extern int fontListCount;
extern char fpsText[mu::kFpsTextBytes];   // the last frame-rate line

// Closes the open selection, if any: old font back, font deleted, DC returned.
void CloseSelection();
// Creates the font from the shared record and selects it into the surface's
// device context (closing any open selection first); nothing without the record.
void OpenSelection(LPDIRECTDRAWSURFACE surface);

// The smoothed text's shrink: the double-size segment (sl, st)-(sr, sb) of
// the Font buffer sprite to (x, y) of the Font sprite, clipped by the clip
// rectangle; 0 when a surface could not be locked, else 1.
int ShrinkLine(int x, int y, int sl, int st, int sr, int sb);

}  // namespace muDraw

#endif
