// The figures of the drawing benchmark. Each area of the library adds its own
// in a file of its own, with a static bench::Register: the benchmark sets the
// screen up once, prepares every figure, then times each one over the same
// number of frames and prints its median and 99th percentile beside memcpy
// of one frame of the back screen, measured in the same run.
#ifndef MU_TOOLS_BENCHMARK_FIGURES_H
#define MU_TOOLS_BENCHMARK_FIGURES_H

namespace bench {

struct Figure {
  const char* name;       // printed as it stands
  void (*prepare)();      // once, after the screen is up; may be null
  void (*measured)();     // the timed part of one frame
  void (*untimed)();      // the rest of that frame (a Flip, a clear); may be null
  int callsPerFrame;      // calls the timed part makes, for a per-call figure (1: whole frame)
};

struct Register {
  explicit Register(const Figure& figure);
};

// Pictures the figures share, made at set-up: a 640 x 480 and a 30 x 30
// sprite painted in stripes with black (the key colour) holes.
extern int fullSprite, smallSprite;

// Paints stripes with black holes into a sprite (through GDI).
void Paint(int sprite, int width, int height);

}  // namespace bench

#endif
