// The rotation and mapping effects of muDraw: each one the checks of its
// arguments, its clipping rule, the sprite and back screen locked together,
// and its kernel on the locked pixels.
#include <mu.h>

#include <climits>

#include "draw/effects/effect_frame.h"
#include "draw/effects/ripple.h"
#include "draw/effects/rotate.h"
#include "draw/effects/smear.h"
#include "draw/effects/tunnel.h"
#include "draw/pixels/clip.h"
#include "draw/sprites.h"

namespace muDraw {

namespace {

// The clip rectangle cut to the locked screen.
mu::ClipBounds OnScreen(const mu::PixelView& screen) {
  return mu::CutTo(ClipRectangle(), screen.width, screen.height);
}

// The sprite and the back screen locked together (effect_frame.h) for
// body(sprite, screen), the sprite read only.
template <typename Body>
int Locked(int sprite, Body body) {
  return OnSpriteAndScreen(sprite, [&body](const mu::PixelView& from, const mu::PixelView& screen) {
    body(mu::AsConst(from), screen);
  });
}

// A rectangle's side, when it is positive and fits an int.
bool Side(int from, int to, int& out) {
  const long long side = static_cast<long long>(to) - from;
  if (side <= 0 || side > INT_MAX) return false;
  out = static_cast<int>(side);
  return true;
}

// The rotation family's frame: the sizes checked, only pixels inside the clip
// rectangle written (nothing locked when there are none), the kernel run on
// the written part.
template <typename Kernel>
int Rotation(int left, int top, int right, int bottom, int sprite, int sourceLeft, int sourceTop,
             int sourceRight, int sourceBottom, Kernel kernel) {
  mu::RotateTarget t{};
  mu::RotateSource s{};
  if (!SpriteSurface(sprite) || !Side(left, right, t.width) || !Side(top, bottom, t.height) ||
      !Side(sourceLeft, sourceRight, s.width) || !Side(sourceTop, sourceBottom, s.height)) {
    return 1;
  }
  mu::WriteLimits limits;
  if (!mu::ClipWrites(left, top, right, bottom, ClipRectangle(), INT_MAX, INT_MAX, limits)) return 1;
  return Locked(sprite, [&](mu::ConstPixelView from, mu::PixelView screen) {
    if (!mu::ClipWrites(left, top, right, bottom, ClipRectangle(), screen.width, screen.height, limits)) return;
    t.written = screen.Sub(left + limits.firstColumn, top + limits.firstRow,
                           limits.endColumn - limits.firstColumn, limits.endRow - limits.firstRow,
                           mu::screenFormat.bytesPerPixel);
    t.firstColumn = limits.firstColumn;
    t.firstRow = limits.firstRow;
    s = mu::RotateSource{from, sourceLeft, sourceTop, s.width, s.height};
    kernel(t, s, mu::screenFormat);
  });
}

}  // namespace

int RotateBlt(int left, int top, int right, int bottom, int angle, int sprite, int sourceLeft,
              int sourceTop, int sourceRight, int sourceBottom) {
  return Rotation(left, top, right, bottom, sprite, sourceLeft, sourceTop, sourceRight, sourceBottom,
                  [angle](const mu::RotateTarget& t, const mu::RotateSource& s, const mu::PixelFormat& f) {
                    mu::RotateBlt(t, s, f, angle);
                  });
}

int RotateTile(int left, int top, int right, int bottom, int angle, int sprite, int sourceLeft,
               int sourceTop, int sourceRight, int sourceBottom) {
  return Rotation(left, top, right, bottom, sprite, sourceLeft, sourceTop, sourceRight, sourceBottom,
                  [angle](const mu::RotateTarget& t, const mu::RotateSource& s, const mu::PixelFormat& f) {
                    mu::RotateTile(t, s, f, angle);
                  });
}

int RotateZoom(int left, int top, int right, int bottom, int angle, float zoom, int sprite,
               int sourceLeft, int sourceTop, int sourceRight, int sourceBottom) {
  return Rotation(left, top, right, bottom, sprite, sourceLeft, sourceTop, sourceRight, sourceBottom,
                  [angle, zoom](const mu::RotateTarget& t, const mu::RotateSource& s, const mu::PixelFormat& f) {
                    mu::RotateZoom(t, s, f, angle, zoom);
                  });
}

int RotateZoomTile(int left, int top, int right, int bottom, int angle, float zoom, int sprite,
                   int sourceLeft, int sourceTop, int sourceRight, int sourceBottom) {
  return Rotation(left, top, right, bottom, sprite, sourceLeft, sourceTop, sourceRight, sourceBottom,
                  [angle, zoom](const mu::RotateTarget& t, const mu::RotateSource& s, const mu::PixelFormat& f) {
                    mu::RotateZoomTile(t, s, f, angle, zoom);
                  });
}

int RotateStretchTile(int left, int top, int right, int bottom, int angle, float zoomX,
                      float zoomXStep, float zoomY, float zoomYStep, float red, float green,
                      float blue, int sprite, int sourceLeft, int sourceTop, int sourceRight,
                      int sourceBottom) {
  const mu::StretchRows rows = {zoomX, zoomXStep, zoomY, zoomYStep, {{red, green, blue}}};
  return Rotation(left, top, right, bottom, sprite, sourceLeft, sourceTop, sourceRight, sourceBottom,
                  [angle, &rows](const mu::RotateTarget& t, const mu::RotateSource& s, const mu::PixelFormat& f) {
                    mu::RotateStretchTile(t, s, f, angle, rows);
                  });
}

int SmearBlt(int x, int y, int mode, int position, int sprite, int left, int top, int right,
             int bottom) {
  // Modes 0 and 2 draw on to the screen's right (bottom) edge, as far from it
  // as the rectangle starts from the sprite's left (top).
  long long r = right, b = bottom;
  if (mode == mu::kSmearRight) r = static_cast<long long>(muSystem::screenWidth) - left;
  if (mode == mu::kSmearDown) b = static_cast<long long>(muSystem::screenHeight) - top;
  mu::SmearArea smear = {x, y, left, top, 0, 0};
  if (!SpriteSurface(sprite) || r > INT_MAX || b > INT_MAX || !Side(left, static_cast<int>(r), smear.width) ||
      !Side(top, static_cast<int>(b), smear.height)) {
    return 1;
  }
  mu::EffectArea area;
  if (!mu::ClipEffect(x, y, left, top, static_cast<int>(r), static_cast<int>(b), ClipRectangle(), area)) return 1;
  if (area.width == 0 || area.height == 0) return 1;
  return Locked(sprite, [&](mu::ConstPixelView from, mu::PixelView screen) {
    mu::SmearBlt(screen, OnScreen(screen), from, mu::screenFormat, smear, mode, position);
  });
}

int RippleBlt(int x, int y, int amplitude, int frequency, int stride, float scale, float shear,
              int sprite, int left, int top, int right, int bottom) {
  mu::EffectArea area;
  if (!SpriteSurface(sprite) || !mu::ClipEffect(x, y, left, top, right, bottom, ClipRectangle(), area)) return 1;
  if (area.width == 0 || area.height == 0 || stride < 1) return 1;
  // The source's size less what the clipping cut away on the left and top.
  int spanWidth, spanHeight;
  if (!Side(area.left, right, spanWidth) || !Side(area.top, bottom, spanHeight)) return 1;
  const mu::RippleWave wave = {amplitude, frequency, stride, scale, shear};
  return Locked(sprite, [&](mu::ConstPixelView from, mu::PixelView screen) {
    mu::RippleBlt(screen, OnScreen(screen), area, spanWidth, spanHeight, from, mu::screenFormat, wave);
  });
}

int MakeTunnel(int uRange, int vRange, int width, int height, int centreX, int centreY,
               int viewDivisor, int motion, int distanceKind, int depthKind) {
  const mu::TunnelShape shape = {uRange, vRange, width, height, centreX, centreY, viewDivisor,
                                 motion, distanceKind, depthKind};
  return mu::MakeTunnel(mu::tunnelTable, shape);
}

int DrawTunnel(int x, int y, int uOffset, int vOffset, int sprite) {
  const mu::TunnelTable& table = mu::tunnelTable;
  if (!SpriteSurface(sprite) || table.width <= 0 || table.height <= 0) return 1;
  // Nothing locked when the table lies wholly outside the clip rectangle.
  const mu::ClipBounds c = ClipRectangle();
  const long long right = static_cast<long long>(x) + table.width, bottom = static_cast<long long>(y) + table.height;
  if (right <= c.left || x >= c.right || bottom <= c.top || y >= c.bottom) return 1;
  return Locked(sprite, [&](mu::ConstPixelView from, mu::PixelView screen) {
    mu::DrawTunnel(screen, OnScreen(screen), x, y, uOffset, vOffset, from, mu::screenFormat, table);
  });
}

}  // namespace muDraw
