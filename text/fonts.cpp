// The font list filled at screen set-up, the shared font record, and the
// selection of a font into the back screen or the Font buffer sprite.
#include <mu.h>

#include "draw/back_dc.h"
#include "text/text_rules.h"
#include "text/text_state.h"

namespace muDraw {

LOGFONTA* fontRecord;
HFONT textFont;
HDC textDC;
HFONT textOldFont;
LPDIRECTDRAWSURFACE textSurface;
int fontHeight;
COLORREF textColor, textBackColor;
int messageBlit = 1;
mu::FontEntry fontList[mu::kFontListRows];
int fontListCount;

// What the selection found in its device context, put back when it closes:
// the back screen's context may be the library's own, which the next GDI
// call must meet as a fresh one.
static COLORREF openTextColor, openBackColor;
static int openBackMode;

static int CALLBACK ListFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM) {
  return mu::AddFontEntry(fontList, fontListCount, font->lfFaceName, font->lfCharSet);
}

void InitFontList() {
  if (!fontRecord) {
    fontRecord = static_cast<LOGFONTA*>(GlobalAlloc(GMEM_ZEROINIT, sizeof(LOGFONTA)));
  }
  mu::ClearFontList(fontList, fontListCount);
  if (SUCCEEDED(GetBackDC())) {
    EnumFontsA(backScreenDC, nullptr, ListFace, 0);
    ReleaseBackDC();
  }
  messageBlit = 1;
}

void FreeFontList() {
  CloseSelection();
  if (fontRecord) GlobalFree(fontRecord);
  fontRecord = nullptr;
}

void CloseSelection() {
  if (textDC) {
    if (textOldFont) SelectObject(textDC, textOldFont);
    ::SetTextColor(textDC, openTextColor);
    SetBkColor(textDC, openBackColor);
    SetBkMode(textDC, openBackMode);
    if (textSurface == backScreen) {
      EndBackScreenDC(textDC);
    } else if (textSurface) {
      textSurface->ReleaseDC(textDC);
    }
  }
  if (textFont) ::DeleteObject(textFont);
  textFont = nullptr;
  textOldFont = nullptr;
  textDC = nullptr;
  textSurface = nullptr;
}

// Without the record (before the font list, after shut-down) nothing is opened.
void OpenSelection(LPDIRECTDRAWSURFACE surface) {
  CloseSelection();   // an unreleased selection would keep its surface locked
  if (!fontRecord) return;
  textFont = CreateFontIndirectA(fontRecord);
  HDC dc = nullptr;
  if (surface == backScreen) {
    dc = BeginBackScreenDC();
  } else if (surface && surface->GetDC(&dc) != DD_OK) {
    dc = nullptr;
  }
  if (dc) {
    textDC = dc;
    textSurface = surface;
    openTextColor = GetTextColor(dc);
    openBackColor = GetBkColor(dc);
    openBackMode = GetBkMode(dc);
    if (textFont) textOldFont = static_cast<HFONT>(SelectObject(dc, textFont));
  }
}

void SetFont(int family, int height, int angle, int weight, int italic, int underline) {
  if (!fontRecord) return;
  mu::WriteScreenFont(*fontRecord, mu::FamilyFace(family), height, angle, weight, italic,
                      underline);
  fontHeight = height;
  OpenSelection(backScreen);
}

void SetFontByName(const char* name, int height, int angle, int weight, int italic,
                   int underline) {
  if (!fontRecord) return;
  if (!name) name = "";
  mu::WriteScreenFont(*fontRecord, name, height, angle, weight, italic, underline);
  fontHeight = height;
  fontRecord->lfCharSet = mu::CharSetForFace(fontList, name);
  OpenSelection(backScreen);
}

void ReleaseFont() { CloseSelection(); }

void SetBufferFont(int family, int size) {
  if (!fontRecord) return;
  mu::WriteBufferFont(*fontRecord, mu::FamilyFace(family), size);
  fontHeight = 2 * size;
  OpenSelection(spriteTable[kFontBufferSprite].surface);
}

void SetBufferFontByName(const char* name, int size) {
  if (!fontRecord) return;
  if (!name) name = "";
  mu::WriteBufferFont(*fontRecord, name, size);
  fontHeight = 2 * size;
  fontRecord->lfCharSet = mu::CharSetForFace(fontList, name);
  OpenSelection(spriteTable[kFontBufferSprite].surface);
}

void ReleaseBufferFont() { CloseSelection(); }

}  // namespace muDraw
