#include "draw/effects/curtain_edges.h"

#include <algorithm>

#include "draw/effects/frame_motion.h"

namespace mu {

namespace {

// One axis of the rectangle: its low and high edge (left/right or top/bottom).
// Edges are worked in 64 bits so that a step of any size cannot overflow.
struct Axis {
  long long lo, hi;
};

struct Shape {
  Axis x, y;   // the clip rectangle's edges
  Axis sx, sy; // the saved rectangle's
  long long cx, cy;
  Axis bandX, bandY;   // the bands of types 8 and 9, inside the saved rectangle
};

Shape Measure(const Curtain& c) {
  Shape s;
  s.x = {c.clip.left, c.clip.right};
  s.y = {c.clip.top, c.clip.bottom};
  s.sx = {c.saved.left, c.saved.right};
  s.sy = {c.saved.top, c.saved.bottom};
  s.cx = (s.sx.hi - s.sx.lo) / 2 + s.sx.lo;
  s.cy = (s.sy.hi - s.sy.lo) / 2 + s.sy.lo;
  // A band wider than the rectangle is the whole rectangle: the curtain never
  // moves an edge past the rectangle it opens towards.
  const long long half = c.band / 2;
  s.bandX = {std::max(s.cx - half, s.sx.lo), std::min(s.cx + half, s.sx.hi)};
  s.bandY = {std::max(s.cy - half, s.sy.lo), std::min(s.cy + half, s.sy.hi)};
  return s;
}

void Store(Curtain& c, const Shape& s) {
  c.clip = {ClampToInt(s.x.lo), ClampToInt(s.y.lo), ClampToInt(s.x.hi), ClampToInt(s.y.hi)};
}

bool Same(const Axis& a, const Axis& b) { return a.lo == b.lo && a.hi == b.hi; }

// Opening one edge: the low edge moves down to its saved value, the high edge
// up to its own; an edge that reaches or passes it is set to it.
void OpenLow(long long& e, long long saved, long long s) { e = std::max(e - s, saved); }
void OpenHigh(long long& e, long long saved, long long s) { e = std::min(e + s, saved); }

// Opening a pair outward: both set to their saved values as soon as one arrives.
void OpenPair(Axis& a, const Axis& saved, long long s) {
  a.lo -= s;
  a.hi += s;
  if (a.lo <= saved.lo || a.hi >= saved.hi) a = saved;
}

// Closing one edge towards the opposite saved edge: true once it arrives
// (an edge that would pass it stops on it, and the rectangle is collapsed).
bool CloseLow(long long& e, long long target, long long s) {
  e = std::min(e + s, target);
  return e >= target;
}
bool CloseHigh(long long& e, long long target, long long s) {
  e = std::max(e - s, target);
  return e <= target;
}

// Closing a pair inward: true once the edges meet or cross. Each edge stays
// within the saved rectangle.
bool ClosePair(Axis& a, const Axis& saved, long long s) {
  a.lo = std::min(a.lo + s, std::max(saved.lo, saved.hi));
  a.hi = std::max(a.hi - s, std::min(saved.lo, saved.hi));
  return a.lo >= a.hi;
}

// The first stage of types 8 and 9 closing: inward until an edge would pass
// the band, then both stand on the band's edges.
void CloseToBand(Axis& a, const Axis& band, long long s) {
  a.lo += s;
  a.hi -= s;
  if (a.lo >= band.lo || a.hi <= band.hi) a = band;
}

// One opening step; true when the curtain is fully open.
bool OpenStep(Shape& r, int type, long long s) {
  switch (type) {
    case 1: OpenLow(r.y.lo, r.sy.lo, s); break;
    case 2: OpenHigh(r.y.hi, r.sy.hi, s); break;
    case 3: OpenLow(r.x.lo, r.sx.lo, s); break;
    case 4: OpenHigh(r.x.hi, r.sx.hi, s); break;
    case 5: OpenPair(r.y, r.sy, s); break;
    case 6: OpenPair(r.x, r.sx, s); break;
    case 7:
      OpenPair(r.x, r.sx, s);
      OpenPair(r.y, r.sy, s);
      break;
    case 8:   // the band grows to full height, then sideways
      if (!Same(r.y, r.sy)) {
        OpenPair(r.y, r.sy, s);
      } else {
        OpenPair(r.x, r.sx, s);
      }
      break;
    case 9:   // the band grows to full width, then up and down
      if (!Same(r.x, r.sx)) {
        OpenPair(r.x, r.sx, s);
      } else {
        OpenPair(r.y, r.sy, s);
      }
      break;
  }
  return Same(r.x, r.sx) && Same(r.y, r.sy);
}

// One closing step; true when the curtain is fully closed.
bool CloseStep(Shape& r, int type, long long s) {
  switch (type) {
    case 1: return CloseLow(r.y.lo, r.sy.hi, s);
    case 2: return CloseHigh(r.y.hi, r.sy.lo, s);
    case 3: return CloseLow(r.x.lo, r.sx.hi, s);
    case 4: return CloseHigh(r.x.hi, r.sx.lo, s);
    case 5: return ClosePair(r.y, r.sy, s);
    case 6: return ClosePair(r.x, r.sx, s);
    case 7: {
      // A pair that meets or crosses stands on the centre.
      if (ClosePair(r.x, r.sx, s)) r.x = {r.cx, r.cx};
      if (ClosePair(r.y, r.sy, s)) r.y = {r.cy, r.cy};
      return Same(r.x, {r.cx, r.cx}) && Same(r.y, {r.cy, r.cy});
    }
    case 8:
      if (!Same(r.x, r.bandX)) {
        CloseToBand(r.x, r.bandX, s);
        return false;
      }
      return ClosePair(r.y, r.sy, s);
    case 9:
      if (!Same(r.y, r.bandY)) {
        CloseToBand(r.y, r.bandY, s);
        return false;
      }
      return ClosePair(r.x, r.sx, s);
  }
  return false;
}

// The opening curtain's first shape: what is still hidden is collapsed.
void CollapseForOpening(Shape& r, int type) {
  switch (type) {
    case 1: r.y.lo = r.sy.hi; break;
    case 2: r.y.hi = r.sy.lo; break;
    case 3: r.x.lo = r.sx.hi; break;
    case 4: r.x.hi = r.sx.lo; break;
    case 5: r.y = {r.cy, r.cy}; break;
    case 6: r.x = {r.cx, r.cx}; break;
    case 7:
      r.x = {r.cx, r.cx};
      r.y = {r.cy, r.cy};
      break;
    case 8:
      r.x = r.bandX;
      r.y = {r.cy, r.cy};
      break;
    case 9:
      r.x = {r.cx, r.cx};
      r.y = r.bandY;
      break;
  }
}

}  // namespace

bool StartCurtain(Curtain& c, int closing, int type, float speed, int band, int (*random)()) {
  if (c.state > 0) return false;
  if (c.state == kCurtainClosed) c.clip = c.saved;
  c.saved = c.clip;
  if (type <= 0) type = random() % kCurtainTypes + 1;
  c.opened = c.closed = 0;
  c.closing = closing;
  c.type = type;
  c.speed = speed;
  c.band = band < 0 ? 0 : band;
  if (closing) {
    c.state = kCurtainClosing;
    return true;
  }
  c.state = kCurtainOpening;
  Shape r = Measure(c);
  CollapseForOpening(r, type);
  Store(c, r);
  return true;
}

bool StepCurtain(Curtain& c, float seconds) {
  if (c.state < 1) return false;
  if (c.state != kCurtainOpening && c.state != kCurtainClosing) return true;
  if (c.type < 1 || c.type > kCurtainTypes) return true;   // such a curtain runs for ever
  const long long s = StepPixels(seconds, c.speed);
  Shape r = Measure(c);
  if (c.state == kCurtainOpening) {
    const bool open = OpenStep(r, c.type, s);
    Store(c, r);
    if (open) {
      c.state = kCurtainIdle;
      c.opened = 1;
    }
  } else {
    const bool shut = CloseStep(r, c.type, s);
    Store(c, r);
    if (shut) {
      c.state = kCurtainClosed;
      c.closed = 1;
    }
  }
  return true;
}

void CloseCurtain(Curtain& c) {
  c.saved = c.clip;
  c.clip.right = c.clip.left;
  c.clip.bottom = c.clip.top;
  c.state = kCurtainClosed;
}

void EndCurtain(Curtain& c) {
  if (c.state <= 0) return;
  c.clip = c.saved;
  c.state = kCurtainIdle;
}

}  // namespace mu
