// The back screen's device context for the library's own GDI drawing (the
// primitives and the text output on the back screen). DirectDraw's GetDC
// builds a new context over the surface for every call, which costs several
// times the box or the line of text drawn with it. Where DirectDraw only
// emulates the back screen (the library draws the blits itself, see
// draw/blit_path.h), the library locks the back screen instead and draws
// through a context of its own over the locked pixels: made once, kept while
// the surface's memory stays where it is, and flushed and unlocked again
// when the call ends. Nothing outlives the call, so no other code ever meets
// the back screen busy. Elsewhere DirectDraw's own context is borrowed.
#ifndef MU_DRAW_BACK_DC_H
#define MU_DRAW_BACK_DC_H

#include <mu.h>

namespace muDraw {

// A context for drawing on the back screen until EndBackScreenDC; null when
// there is no back screen, it is lost or busy, or a context is already out
// (an open font selection), and then nothing is drawn. One at a time.
HDC BeginBackScreenDC();

// Ends the drawing begun with dc: GDI's queued work is finished and the back
// screen unlocked, or DirectDraw's context given back. Null does nothing.
void EndBackScreenDC(HDC dc);

// Frees the library's own context (the back screen is about to be released).
void FreeBackScreenDC();

// One call's context: begun when made, ended when it goes out of scope.
class BackScreenDC {
 public:
  BackScreenDC() : dc_(BeginBackScreenDC()) {}
  ~BackScreenDC() { EndBackScreenDC(dc_); }
  BackScreenDC(const BackScreenDC&) = delete;
  BackScreenDC& operator=(const BackScreenDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

}  // namespace muDraw

#endif
