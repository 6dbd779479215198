// The effects on an area of the back screen, on the real surfaces: the area
// is cut to the locked surface, the kernel runs on a plain view of it, and
// the lock ends with the call. Nothing is drawn without a back screen (or, for
// the zoom, without the Buffer sprite) or on a depth without effects; a failed
// lock returns 0 (and a lost surface is restored).
#include "draw/effects/area_effects.h"

#include <mu.h>

#include "draw/effects/grain.h"
#include "draw/effects/channels.h"
#include "draw/effects/mosaic.h"
#include "draw/effects/soften.h"
#include "draw/effects/zoom.h"
#include "draw/pixels/surface_lock.h"
#include "draw/sprites.h"

namespace muDraw {

AreaEffectsNoise areaNoise;

namespace {

constexpr int kSmokeRowsBelow = 1;   // the smoke reads one row below its area

bool EffectsDepth() { return mu::EffectsSupported(mu::screenFormat); }

// A lock that failed: 0, after restoring a lost surface.
int LockFailed(const SurfaceLock& lock) {
  if (lock.Lost()) Restore();
  return 0;
}

bool AtScreenDepth(const SurfaceLock& lock) {
  return lock.BitsPerPixel() == mu::screenFormat.bytesPerPixel * 8;
}

// Locks the back screen, cuts the area (moved down by `down` rows) to it and
// runs the kernel on that part. 1, or 0 when the lock failed.
template <typename Kernel>
int OnArea(int x, int y, int down, unsigned width, unsigned height, Kernel kernel) {
  if (!backScreen || !EffectsDepth() || width == 0 || height == 0) return 1;
  SurfaceLock lock(backScreen);
  if (!lock.Locked()) return LockFailed(lock);
  if (!AtScreenDepth(lock)) return 1;
  const mu::PixelView screen = lock.View();
  mu::Area a;
  if (mu::FitArea(x, static_cast<long long>(y) + down, width, height, screen.width, screen.height,
                  a)) {
    kernel(screen.Sub(a.x, a.y, a.width, a.height, mu::screenFormat.bytesPerPixel));
  }
  return 1;
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
  LPDIRECTDRAWSURFACE buffer = SpriteSurface(kBufferSprite);
  if (!backScreen || !buffer || !EffectsDepth() || width == 0 || height == 0) return 1;
  mu::Area a;
  {
    SurfaceLock bufferLock(buffer);
    if (!bufferLock.Locked()) return LockFailed(bufferLock);
    SurfaceLock screenLock(backScreen);   // a failure unlocks the buffer on return
    if (!screenLock.Locked()) {
      bufferLock.Unlock();
      return LockFailed(screenLock);
    }
    const mu::PixelView to = bufferLock.View(), screen = screenLock.View();
    if (!AtScreenDepth(bufferLock) || !AtScreenDepth(screenLock) ||
        !mu::FitZoom(x, y, width, height, factor, screen.width, screen.height, to.width,
                     to.height, a)) {
      return 1;
    }
    mu::Enlarge(to, mu::AsConst(screen.Sub(a.x, a.y, a.width, a.height,
                                          mu::screenFormat.bytesPerPixel)),
                mu::screenFormat.bytesPerPixel, factor, sparse != 0);
    bufferLock.Unlock();
    screenLock.Unlock();
  }
  Blt(a.x, a.y, kBufferSprite, 0, 0, factor * a.width, factor * a.height);
  return 1;
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
  if (!backScreen || !EffectsDepth()) return 1;
  SurfaceLock lock(backScreen);
  if (!lock.Locked()) return LockFailed(lock);
  if (!AtScreenDepth(lock)) return 1;
  mu::PaintDiscMosaic(lock.View(), mu::screenFormat.bytesPerPixel, centreX, centreY, radius,
                      cellSize);
  return 1;
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
