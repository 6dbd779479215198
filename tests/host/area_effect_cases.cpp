// Rows of the effect kernel table for the effects on an area of the back
// screen, run on the target view (the source view is the zoom's picture).
// Noise positions, counters and the random restarts come from the row's
// arguments, so that both runs of a row read the same noise.
#include <cstdlib>

#include "draw/effects/channels.h"
#include "draw/effects/grain.h"
#include "draw/effects/mosaic.h"
#include "draw/effects/smoke.h"
#include "draw/effects/soften.h"
#include "draw/effects/zoom.h"
#include "draw/pixel_format.h"
#include "effect_cases.h"

namespace {

using effectcases::Args;

unsigned Flags(Args& a) { return static_cast<unsigned>(a.Int(0, 7)); }
// A reader near the table's end half of the time, so that runs cross the restart.
mu::NoiseReader Reader(Args& a) {
  std::srand(static_cast<unsigned>(a.Int(0, 1000)));
  return mu::NoiseReader{a.Flag() ? a.Int(muDraw::kNoiseEntries - 30, muDraw::kNoiseEntries - 1)
                                  : a.Int(0, muDraw::kNoiseEntries - 1)};
}

void Smoke(mu::PixelView d, const mu::PixelFormat& f, Args& a, unsigned fade) {
  mu::SmokeNoise state = {Reader(a), a.Int(0, 1)};
  for (int call = a.Int(1, 3); call > 0; --call) mu::SmokeRise(d, f, fade, state, muDraw::noiseTable);
}

void Zoom(mu::PixelView d, mu::ConstPixelView s, const mu::PixelFormat& f, int factor, bool sparse) {
  if (s.width < factor || s.height < factor) return;
  mu::Enlarge(d, s.Sub(0, 0, s.width / factor, s.height / factor, f.bytesPerPixel),
              f.bytesPerPixel, factor, sparse);
}

const effectcases::Register kRows({
    {"Soften", [](auto d, auto, auto& f, auto&) { mu::SoftenArea(d, f, 0); }},
    {"SoftenFade", [](auto d, auto, auto& f, auto& a) { mu::SoftenArea(d, f, Flags(a)); }},
    {"Smoke", [](auto d, auto, auto& f, auto& a) { Smoke(d, f, a, 0); }},
    {"SmokeFade", [](auto d, auto, auto& f, auto& a) { Smoke(d, f, a, Flags(a)); }},
    {"Zoom2", [](auto d, auto s, auto& f, auto& a) { Zoom(d, s, f, 2, a.Flag()); }},
    {"Zoom4", [](auto d, auto s, auto& f, auto& a) { Zoom(d, s, f, 4, a.Flag()); }},
    {"DiscMosaic", [](auto d, auto, auto& f, auto& a) {
       const int reach = d.width + d.height;
       mu::PaintDiscMosaic(d, f.bytesPerPixel, a.Int(-5, d.width + 5), a.Int(-5, d.height + 5), a.Int(-1, reach),
                           a.Int(0, 6));
     }},
    {"Grain", [](auto d, auto, auto& f, auto& a) {
       mu::NoiseReader reader = Reader(a);
       mu::AddGrain(d, f, a.Int(-1, 6), mu::kAllChannels, reader, muDraw::noiseTable);
     }},
    {"GrainRGB", [](auto d, auto, auto& f, auto& a) {
       mu::NoiseReader reader = Reader(a);
       mu::AddGrain(d, f, a.Int(-1, 6), Flags(a), reader, muDraw::noiseTable);
     }},
});

}  // namespace
