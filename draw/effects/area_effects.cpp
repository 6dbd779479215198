// The effects on an area of the back screen, in the frames of effect_frame.h:
// the area is cut to the locked surface and the kernel runs on a plain view of
// it. The zoom locks the Buffer sprite with the back screen.
#include "draw/effects/area_effects.h"

#include <mu.h>

#include "draw/effects/channels.h"
#include "draw/effects/effect_frame.h"
#include "draw/effects/grain.h"
#include "draw/effects/mosaic.h"
#include "draw/effects/soften.h"
#include "draw/effects/zoom.h"

namespace muDraw {

AreaEffectsNoise areaNoise;

namespace {

constexpr int kSmokeRowsBelow = 1;   // the smoke reads one row below its area

// Locks the back screen, cuts the area (moved down by `down` rows) to it and
// runs the kernel on that part.
template <typename Kernel>
int OnArea(int x, int y, int down, unsigned width, unsigned height, Kernel kernel) {
  if (width == 0 || height == 0) return 1;
  return OnScreen([&](const mu::PixelView& screen) {
    mu::Area a;
    if (mu::FitArea(x, static_cast<long long>(y) + down, width, height, screen.width,
                    screen.height, a)) {
      kernel(screen.Sub(a.x, a.y, a.width, a.height, mu::screenFormat.bytesPerPixel));
    }
  });
}

int SoftenWith(unsigned fade, int x, int y, unsigned width, unsigned height) {
  return OnArea(x, y, 0, width, height,
                [&](mu::PixelView v) { mu::SoftenArea(v, mu::screenFormat, fade); });
}

int SmokeWith(mu::SmokeNoise& state, unsigned fade, int x, int y, unsigned width,
              unsigned height) {
  return OnArea(x, y, kSmokeRowsBelow, width, height, [&](mu::PixelView v) {
    mu::SmokeRise(v, mu::screenFormat, fade, state, noiseTable);
  });
}

int GrainWith(mu::NoiseReader& reader, unsigned channels, int shift, int x, int y,
              unsigned width, unsigned height) {
  return OnArea(x, y, 0, width, height, [&](mu::PixelView v) {
    mu::AddGrain(v, mu::screenFormat, shift, channels, reader, noiseTable);
  });
}

// The enlarged copy is made in the Buffer sprite under both locks and then
// blitted over the area, after the locks have ended.
int ZoomBy(int factor, int x, int y, unsigned width, unsigned height, int sparse) {
  if (width == 0 || height == 0) return 1;
  mu::Area a;
  bool enlarged = false;
  const int locked =
      OnSpriteAndScreen(kBufferSprite, [&](const mu::PixelView& to, const mu::PixelView& screen) {
        if (!mu::FitZoom(x, y, width, height, factor, screen.width, screen.height, to.width,
                         to.height, a)) {
          return;
        }
        mu::Enlarge(to, mu::AsConst(screen.Sub(a.x, a.y, a.width, a.height,
                                              mu::screenFormat.bytesPerPixel)),
                    mu::screenFormat.bytesPerPixel, factor, sparse != 0);
        enlarged = true;
      });
  if (enlarged) Blt(a.x, a.y, kBufferSprite, 0, 0, factor * a.width, factor * a.height);
  return locked;
}

}  // namespace

int Soften(int x, int y, unsigned width, unsigned height) { return SoftenWith(0, x, y, width, height); }

int SoftenFade(int fadeRed, int fadeGreen, int fadeBlue, int x, int y, unsigned width,
               unsigned height) {
  return SoftenWith(mu::ChannelFlags(fadeRed, fadeGreen, fadeBlue), x, y, width, height);
}

int Smoke(int x, int y, unsigned width, unsigned height) {
  return SmokeWith(areaNoise.smoke, 0, x, y, width, height);
}

int SmokeFade(int fadeRed, int fadeGreen, int fadeBlue, int x, int y, unsigned width,
              unsigned height) {
  return SmokeWith(areaNoise.smokeFade, mu::ChannelFlags(fadeRed, fadeGreen, fadeBlue), x, y,
                   width, height);
}

int Zoom2(int x, int y, unsigned width, unsigned height, int sparse) {
  return ZoomBy(2, x, y, width, height, sparse);
}

int Zoom4(int x, int y, unsigned width, unsigned height, int sparse) {
  return ZoomBy(4, x, y, width, height, sparse);
}

int DiscMosaic(int centreX, int centreY, int radius, int cellSize) {
  return OnScreen([&](const mu::PixelView& screen) {
    mu::PaintDiscMosaic(screen, mu::screenFormat.bytesPerPixel, centreX, centreY, radius,
                        cellSize);
  });
}

int Grain(int shift, int x, int y, unsigned width, unsigned height) {
  return GrainWith(areaNoise.grain, mu::kAllChannels, shift, x, y, width, height);
}

int GrainRGB(int grainRed, int grainGreen, int grainBlue, int shift, int x, int y,
             unsigned width, unsigned height) {
  return GrainWith(areaNoise.grainRgb, mu::ChannelFlags(grainRed, grainGreen, grainBlue), shift,
                   x, y, width, height);
}

}  // namespace muDraw
