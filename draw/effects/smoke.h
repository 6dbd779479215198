// Smoke: the content of an area rises one row per call. For each pixel of
// the area's inner columns, from the area's third row down to its last, a
// counter is raised and compared with the noise entry at the reader's
// position: below it, the four-neighbour average of the pixel is written one
// row up; otherwise the pixel itself is copied one row up, the counter goes
// back to 0 and the reader moves on. Every so often a pixel is so smoothed
// instead of copied. The fading form lowers the flagged channels of each
// average by one level.
#ifndef MU_DRAW_EFFECTS_SMOKE_H
#define MU_DRAW_EFFECTS_SMOKE_H

#include <cstdint>

#include "draw/effects/noise.h"
#include "draw/pixels/pixel_view.h"

namespace mu {

// A reader and its counter, kept by each smoke operation for the whole run.
struct SmokeNoise {
  NoiseReader reader;
  int counter;    // raised per pixel, back to 0 at each copy
};

// `rows` is the area without its top row but with the row below it: the rows
// the smoke reads (height = the area's height). Its rows 0..height - 3 are
// rewritten; `noise` is the 10,000-entry noise table.
void SmokeRise(PixelView rows, const PixelFormat& f, unsigned fade, SmokeNoise& state,
               const std::uint8_t* noise);
// The SSE2 path SmokeRise takes; false when it does not apply.
bool SmokeRiseSse2(PixelView rows, const PixelFormat& f, unsigned fade, SmokeNoise& state,
                   const std::uint8_t* noise);

}  // namespace mu

#endif
