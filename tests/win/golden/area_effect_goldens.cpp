// Golden rows of the effects on an area of the back screen: areas across the
// whole screen and past its edges, each flag form, and the zooms' copy back
// through the clip rectangle. Rows that read noise start the reference from
// the operation's own noise state and give both runs the same random draws.
#include <mu.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "draw/effects/area_effects.h"
#include "draw/effects/channels.h"
#include "draw/effects/grain.h"
#include "draw/effects/mosaic.h"
#include "draw/effects/soften.h"
#include "draw/effects/zoom.h"
#include "draw/pixel_format.h"
#include "golden/golden.h"

namespace {

using mu::ConstPixelView;
using mu::PixelFormat;
using mu::PixelView;

constexpr unsigned kSeed = 29;   // the random restarts of a noise reader

// The kernel on the area as the entry points cut it (`down`: the smoke's
// rows start one below the area's top).
template <typename Kernel>
void OnArea(PixelView screen, const PixelFormat& f, int x, int y, int down, unsigned w, unsigned h,
            Kernel kernel) {
  mu::Area a;
  if (w && h && mu::FitArea(x, static_cast<long long>(y) + down, w, h, screen.width, screen.height, a))
    kernel(screen.Sub(a.x, a.y, a.width, a.height, f.bytesPerPixel));
}

// The zooms: the Buffer sprite holds the sprite's picture at its top-left
// (sparse blocks keep it), and the enlarged copy goes back through the clip
// rectangle as muDraw::Blt takes it.
void BufferFromSprite(int sprite) {
  muDraw::SetClip(0, 0, 640, 480);
  muDraw::ObjectBlt(muDraw::kBufferSprite, 0, 0, sprite, 0, 0, golden::kSpriteWidth, golden::kSpriteHeight);
  muDraw::SetClip(golden::kClip.left, golden::kClip.top, golden::kClip.right, golden::kClip.bottom);
}

void ZoomReference(PixelView screen, ConstPixelView sprite, const PixelFormat& f, int factor, int x, int y,
                   unsigned w, unsigned h, bool sparse) {
  const int bpp = f.bytesPerPixel;
  std::vector<std::uint8_t> memory(static_cast<std::size_t>(screen.width) * screen.height * bpp, 0);
  const PixelView buffer = {memory.data(), static_cast<std::ptrdiff_t>(screen.width) * bpp, screen.width,
                            screen.height};
  for (int r = 0; r < sprite.height; ++r)
    std::memcpy(buffer.Row<std::uint8_t>(r), sprite.Row<std::uint8_t>(r), static_cast<std::size_t>(sprite.width) * bpp);
  mu::Area a;
  if (!mu::FitZoom(x, y, w, h, factor, screen.width, screen.height, buffer.width, buffer.height, a)) return;
  mu::Enlarge(buffer, mu::AsConst(screen).Sub(a.x, a.y, a.width, a.height, bpp), bpp, factor, sparse);
  mu::BlitArea copy = {a.x, a.y, 0, 0, factor * a.width, factor * a.height};
  if (!mu::ClipBlit(copy, golden::kClip)) return;
  for (int r = copy.top; r < copy.bottom; ++r)
    std::memcpy(screen.Row<std::uint8_t>(copy.y + r - copy.top) + copy.x * bpp,
                buffer.Row<std::uint8_t>(r) + copy.left * bpp, static_cast<std::size_t>(copy.right - copy.left) * bpp);
}

#define MU_AREA_GOLDEN(name, call, reference)                                                        \
  golden::Register({name, [](int sprite) { (void)sprite; std::srand(kSeed); muDraw::call; },         \
                    [](PixelView screen, ConstPixelView sprite, const PixelFormat& f) {              \
                      (void)sprite; (void)f; std::srand(kSeed); reference;                           \
                    }})

#define MU_ZOOM_GOLDEN(name, entry, factor, x, y, w, h, sparse)                                       \
  golden::Register({name, [](int sprite) { BufferFromSprite(sprite); muDraw::entry(x, y, w, h, sparse); }, \
                    [](PixelView screen, ConstPixelView sprite, const PixelFormat& f) {              \
                      ZoomReference(screen, sprite, f, factor, x, y, w, h, sparse);                  \
                    }})

void SoftenRef(PixelView s, const PixelFormat& f, unsigned fade, int x, int y, unsigned w, unsigned h) {
  OnArea(s, f, x, y, 0, w, h, [&](PixelView v) { mu::SoftenArea(v, f, fade); });
}
void SmokeRef(PixelView s, const PixelFormat& f, mu::SmokeNoise state, unsigned fade, int x, int y,
              unsigned w, unsigned h) {
  OnArea(s, f, x, y, 1, w, h, [&](PixelView v) { mu::SmokeRise(v, f, fade, state, muDraw::noiseTable); });
}
void GrainRef(PixelView s, const PixelFormat& f, mu::NoiseReader reader, int shift, unsigned channels, int x,
              int y, unsigned w, unsigned h) {
  OnArea(s, f, x, y, 0, w, h,
         [&](PixelView v) { mu::AddGrain(v, f, shift, channels, reader, muDraw::noiseTable); });
}

using muDraw::areaNoise;

const golden::Register kRows[] = {
    MU_AREA_GOLDEN("Soften", Soften(-20, 13, 333, 77), SoftenRef(screen, f, 0, -20, 13, 333, 77)),
    MU_AREA_GOLDEN("SoftenFade past the corner", SoftenFade(1, 0, 1, 600, 440, 100, 100),
                   SoftenRef(screen, f, 5, 600, 440, 100, 100)),
    MU_AREA_GOLDEN("Smoke full screen", Smoke(0, 0, 640, 480),
                   SmokeRef(screen, f, areaNoise.smoke, 0, 0, 0, 640, 480)),
    MU_AREA_GOLDEN("SmokeFade off the top", SmokeFade(0, 1, 0, 17, -40, 301, 200),
                   SmokeRef(screen, f, areaNoise.smokeFade, 2, 17, -40, 301, 200)),
    MU_ZOOM_GOLDEN("Zoom2", Zoom2, 2, 13, 7, 200, 150, 0),
    MU_ZOOM_GOLDEN("Zoom2 sparse", Zoom2, 2, 0, 0, 37, 29, 1),
    MU_ZOOM_GOLDEN("Zoom4 larger than the screen", Zoom4, 4, 100, 50, 640, 480, 0),
    MU_ZOOM_GOLDEN("Zoom4 sparse", Zoom4, 4, 1, 3, 23, 17, 1),
    MU_AREA_GOLDEN("DiscMosaic", DiscMosaic(320, 240, 150, 9),
                   mu::PaintDiscMosaic(screen, f.bytesPerPixel, 320, 240, 150, 9)),
    MU_AREA_GOLDEN("DiscMosaic past the edge", DiscMosaic(630, 5, 200, 16),
                   mu::PaintDiscMosaic(screen, f.bytesPerPixel, 630, 5, 200, 16)),
    MU_AREA_GOLDEN("Grain full screen", Grain(0, 0, 0, 640, 480),
                   GrainRef(screen, f, areaNoise.grain, 0, mu::kAllChannels, 0, 0, 640, 480)),
    MU_AREA_GOLDEN("GrainRGB past the edge", GrainRGB(0, 0, 1, 2, 500, 400, 1000, 1000),
                   GrainRef(screen, f, areaNoise.grainRgb, 2, 4, 500, 400, 1000, 1000)),
};

}  // namespace
