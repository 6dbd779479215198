// The text layout on the Windows side: the message routines hand the
// caller's font selection over to the Font sprite (plain) or the Font buffer
// sprite (smoothed), let the layout walk measure and draw through GDI, copy
// the finished text onto the back screen and hand the selection back. Also
// the shrink on the locked surfaces and the typewriter reveal.
#include <mu.h>

#include <algorithm>

#include "draw/pixels/surface_lock.h"
#include "draw/sprites.h"
#include "text/layout.h"
#include "text/shrink.h"
#include "text/text_state.h"

namespace muDraw {

RECT glyphTable[kGlyphEntries];
int glyphCount;
int revealCount;
float revealTimer;

namespace {

// Opens the shared font on a text sprite, drawing with a transparent background.
void OpenOn(int sprite) {
  OpenSelection(spriteTable[sprite].surface);
  if (textDC) SetBkMode(textDC, TRANSPARENT);
}

// GDI as the walk's canvas, always through the open selection: the smoothed
// walk's flushes close it, shrink, clear the Font buffer and open it again.
class GdiCanvas final : public mu::GlyphCanvas {
 public:
  GdiCanvas(COLORREF text, COLORREF shadow) : text_(text), shadow_(shadow) {}

  mu::Extent Measure(const char* character, int bytes) override {
    SIZE size = {0, 0};
    if (textDC) GetTextExtentPoint32A(textDC, character, bytes, &size);
    return mu::Extent{size.cx, size.cy};
  }
  void Draw(int x, int y, const char* character, int bytes, bool shadow) override {
    if (!textDC) return;
    ::SetTextColor(textDC, shadow ? shadow_ : text_);
    TextOutA(textDC, x, y, character, bytes);
  }
  void Keep(int index, const mu::GlyphBox& b) override {
    glyphTable[index] = RECT{b.left, b.top, b.right, b.bottom};
  }
  void Flush(int x, int y, int width, int height) override {
    CloseSelection();
    ShrinkLine(x, y, 0, 0, width, height);
    ClearObject(kFontBufferSprite);
    OpenOn(kFontBufferSprite);
  }

 private:
  COLORREF text_, shadow_;
};

// The caller's selection as the message call found it: opened again on
// return with the same colours and background mode. A call made without one
// leaves none open.
struct CallerSelection {
  bool open;
  COLORREF text, back;
  int mode;
};

CallerSelection TakeCallerSelection() {
  CallerSelection caller = {textDC != nullptr, 0, 0, 0};
  if (caller.open) {
    caller.text = GetTextColor(textDC);
    caller.back = GetBkColor(textDC);
    caller.mode = GetBkMode(textDC);
  }
  CloseSelection();
  return caller;
}

void GiveBack(const CallerSelection& caller) {
  if (!caller.open) {
    CloseSelection();
    return;
  }
  if (!textDC) return;
  ::SetTextColor(textDC, caller.text);
  SetBkColor(textDC, caller.back);
  SetBkMode(textDC, caller.mode);
}

void CopyToBackScreen(const RECT& r) {
  BltKey(r.left, r.top, kFontSprite, r.left, r.top, r.right, r.bottom);
}

mu::LayoutRequest Request(int left, int top, int right, int bottom, int flags) {
  return mu::LayoutRequest{{left, top, right, bottom}, flags, fontHeight, kGlyphEntries,
                           mu::SystemLeadByte};
}

// The end of every message call: the table's box, the copy, the reveal reset.
void Finish(const mu::Layout& layout) {
  const mu::GlyphBox& b = layout.bounds;
  glyphTable[0] = RECT{b.left, b.top, b.right, b.bottom};
  glyphCount = layout.count;
  if (messageBlit == 1) CopyToBackScreen(glyphTable[0]);
  revealCount = 0;
  revealTimer = 0;
  messageBlit = 1;
}

}  // namespace

void Message(int left, int top, int right, int bottom, const char* text, int flags) {
  if (!fontRecord) {   // before the font list: no font to draw with
    messageBlit = 1;
    return;
  }
  const CallerSelection caller = TakeCallerSelection();
  ClearObject(kFontSprite);
  OpenOn(kFontSprite);
  GdiCanvas canvas(mu::LiftNearBlack(textColor), mu::LiftNearBlack(textBackColor));
  const mu::Layout layout = mu::LayOut(text, Request(left, top, right, bottom, flags), canvas);
  CloseSelection();
  Finish(layout);
  if (caller.open) OpenSelection(backScreen);
  GiveBack(caller);
}

void MessageLayout(int left, int top, int right, int bottom, const char* text, int flags) {
  messageBlit = 0;
  Message(left, top, right, bottom, text, flags);
}

void SmoothMessage(int left, int top, int right, int bottom, const char* text, int flags) {
  if (!fontRecord) {
    messageBlit = 1;
    return;
  }
  ClearObject(kFontSprite);
  const CallerSelection caller = TakeCallerSelection();
  ClearObject(kFontBufferSprite);
  OpenOn(kFontBufferSprite);
  GdiCanvas canvas(mu::LiftNearBlack(textColor), mu::LiftNearBlack(textBackColor));
  const mu::Layout layout = mu::LayOutSmooth(text, Request(left, top, right, bottom, flags),
                                             spriteTable[kFontBufferSprite].width, canvas);
  // The font stays selected on the Font buffer: the caller's selection.
  Finish(layout);
  GiveBack(caller);
}

void SmoothMessageLayout(int left, int top, int right, int bottom, const char* text, int flags) {
  messageBlit = 0;
  SmoothMessage(left, top, right, bottom, text, flags);
}

int ShrinkLine(int x, int y, int sl, int st, int sr, int sb) {
  mu::ShrinkArea area;
  if (!mu::ClipShrink(x, y, sl, st, sr, sb, ClipRectangle(), area)) {
    return 1;
  }
  SurfaceLock buffer(SpriteSurface(kFontBufferSprite), DDLOCK_WAIT | DDLOCK_READONLY);
  if (!buffer.Locked()) return 0;
  SurfaceLock font(SpriteSurface(kFontSprite));
  if (!font.Locked()) return 0;
  SurfaceLock screen(backScreen, DDLOCK_WAIT | DDLOCK_READONLY);
  if (!screen.Locked()) return 0;

  // The three surfaces share the back screen's format; a palette screen has
  // no channels to blend.
  const int bits = screen.BitsPerPixel();
  if (buffer.BitsPerPixel() != bits || font.BitsPerPixel() != bits || bits < 16) return 1;
  mu::ShrinkOnto(font.View(), mu::AsConst(screen.View()), mu::AsConst(buffer.View()),
                 screen.ViewFormat(), area);
  return 1;
}

int TypeMessage(float interval) {
  const int count = std::clamp(glyphCount, 0, kGlyphEntries);
  const mu::RevealStep step =
      mu::Reveal(revealCount, revealTimer, interval, muSystem::frameSeconds, count);
  if (step.whole) {
    CopyToBackScreen(glyphTable[0]);
  } else {
    for (int i = 1; i < step.shown; ++i) CopyToBackScreen(glyphTable[i]);
  }
  return step.result;
}

}  // namespace muDraw
