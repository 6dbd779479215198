// The state the area effects keep across calls: a noise reader for each of
// the four noisy operations, and a counter for each smoke. All start at 0.
#ifndef MU_DRAW_EFFECTS_AREA_EFFECTS_H
#define MU_DRAW_EFFECTS_AREA_EFFECTS_H

#include "draw/effects/noise.h"
#include "draw/effects/smoke.h"

namespace muDraw {

struct AreaEffectsNoise {
  mu::SmokeNoise smoke;        // muDraw::Smoke
  mu::SmokeNoise smokeFade;    // muDraw::SmokeFade
  mu::NoiseReader grain;       // muDraw::Grain
  mu::NoiseReader grainRgb;    // muDraw::GrainRGB
};
extern AreaEffectsNoise areaNoise;

}  // namespace muDraw

#endif
