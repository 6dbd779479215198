// Rows of the native effects benchmark for the effects on an area of the back
// screen, each over the whole screen (the zooms enlarge a quarter or a
// sixteenth of the picture into the whole screen; the entry points then blit
// it back, which is not measured here).
#include "draw/effects/channels.h"
#include "draw/effects/grain.h"
#include "draw/effects/mosaic.h"
#include "draw/effects/smoke.h"
#include "draw/effects/soften.h"
#include "draw/effects/zoom.h"
#include "draw/pixel_format.h"
#include "kernels.h"

namespace {

using mu::ConstPixelView;
using mu::PixelFormat;
using mu::PixelView;

mu::SmokeNoise smoke;
mu::NoiseReader grain;

#define MU_KERNEL(name, call) \
  kbench::Register({name, [](PixelView d, ConstPixelView s, const PixelFormat& f) { (void)s; call; }})

const kbench::Register kRows[] = {
    MU_KERNEL("Soften", mu::SoftenArea(d, f, 0)),
    MU_KERNEL("SoftenFade red blue", mu::SoftenArea(d, f, 5)),
    MU_KERNEL("Smoke", mu::SmokeRise(d, f, 0, smoke, muDraw::noiseTable)),
    MU_KERNEL("SmokeFade green", mu::SmokeRise(d, f, 2, smoke, muDraw::noiseTable)),
    MU_KERNEL("Zoom2 (enlargement)",
              mu::Enlarge(d, s.Sub(0, 0, s.width / 2, s.height / 2, f.bytesPerPixel), f.bytesPerPixel, 2, false)),
    MU_KERNEL("Zoom4 (enlargement)",
              mu::Enlarge(d, s.Sub(0, 0, s.width / 4, s.height / 4, f.bytesPerPixel), f.bytesPerPixel, 4, false)),
    MU_KERNEL("DiscMosaic cell 8", mu::PaintDiscMosaic(d, f.bytesPerPixel, d.width / 2, d.height / 2, d.width, 8)),
    MU_KERNEL("Grain shift 1", mu::AddGrain(d, f, 1, mu::kAllChannels, grain, muDraw::noiseTable)),
    MU_KERNEL("GrainRGB shift 1", mu::AddGrain(d, f, 1, 5, grain, muDraw::noiseTable)),
};

}  // namespace
