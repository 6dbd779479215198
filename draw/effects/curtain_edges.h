// The clip-rectangle curtains as a plain state machine: a curtain opens the
// clip rectangle towards the rectangle saved when it started, or closes it
// from there, moving its edges by one frame's step per call.
//
// Types: 1 top edge, 2 bottom edge, 3 left edge, 4 right edge (each from or to
// the opposite side), 5 top and bottom, 6 left and right (from or to the
// centre line), 7 all four (an iris), 8 a vertical band of `band` pixels then
// sideways, 9 a horizontal band then up and down. A type above 9 never ends.
#ifndef MU_DRAW_EFFECTS_CURTAIN_EDGES_H
#define MU_DRAW_EFFECTS_CURTAIN_EDGES_H

#include "draw/pixels/clip.h"

namespace mu {

constexpr int kCurtainTypes = 9;
constexpr int kCurtainIdle = 0, kCurtainOpening = 1, kCurtainClosing = 2, kCurtainClosed = -1;

struct Curtain {
  ClipBounds clip;    // the clip rectangle the curtain moves
  ClipBounds saved;   // the clip rectangle when the curtain was set up
  int state;          // kCurtainIdle, kCurtainOpening, kCurtainClosing or kCurtainClosed
  int type;           // 1..9; above 9 never ends
  int closing;        // non-zero: the last curtain started was a closing one
  float speed;        // pixels a second
  int band;           // band width of types 8 and 9, 0 or more
  int opened;         // 1 once an opening curtain completed (cleared by a start)
  int closed;         // 1 once a closing curtain completed (cleared by a start)
};

// Starts a curtain unless one runs (then false and nothing changes). A closed
// curtain's saved rectangle comes back first. Type 0 (or below) becomes
// random() % 9 + 1; a band below 0 counts as 0.
bool StartCurtain(Curtain& c, int closing, int type, float speed, int band, int (*random)());

// Moves a running curtain's edges by trunc(seconds x speed) + 1 pixels and
// ends it when they arrive. False when no curtain runs.
bool StepCurtain(Curtain& c, float seconds);

// Closes at once: the clip rectangle is saved and collapsed to its top-left.
void CloseCurtain(Curtain& c);

// Ends a running curtain: the saved rectangle back in the clip rectangle, idle.
void EndCurtain(Curtain& c);

}  // namespace mu

#endif
