// Golden rows of the rotation and mapping effects: each drawn where the clip
// rectangle cuts it, with the sprite's rectangle or the sprite read past its
// edges where the operation allows.
#include <mu.h>

#include "draw/effects/ripple.h"
#include "draw/effects/rotate.h"
#include "draw/effects/smear.h"
#include "draw/effects/tunnel.h"
#include "golden/golden.h"

namespace {

using mu::ConstPixelView;
using mu::PixelFormat;
using mu::PixelView;

struct Rect {
  int left, top, right, bottom;
};

// A rotation's reference: the destination's written part by the clip rule.
template <typename Kernel>
void Rotated(PixelView screen, ConstPixelView sprite, const PixelFormat& f, Rect d, Rect s, Kernel kernel) {
  mu::WriteLimits w;
  if (!mu::ClipWrites(d.left, d.top, d.right, d.bottom, golden::kClip, screen.width, screen.height, w)) return;
  const mu::RotateTarget t = {screen.Sub(d.left + w.firstColumn, d.top + w.firstRow, w.endColumn - w.firstColumn,
                                         w.endRow - w.firstRow, f.bytesPerPixel),
                              d.right - d.left, d.bottom - d.top, w.firstColumn, w.firstRow};
  kernel(t, mu::RotateSource{sprite, s.left, s.top, s.right - s.left, s.bottom - s.top});
}

// A smear's reference; modes 0 and 2 reach the screen's right or bottom edge.
void Smeared(PixelView screen, ConstPixelView sprite, const PixelFormat& f, int x, int y, int mode, int position,
             Rect s) {
  if (mode == 0) s.right = screen.width - s.left;
  if (mode == 2) s.bottom = screen.height - s.top;
  mu::SmearBlt(screen, golden::kClip, sprite, f,
               mu::SmearArea{x, y, s.left, s.top, s.right - s.left, s.bottom - s.top}, mode, position);
}

void Rippled(PixelView screen, ConstPixelView sprite, const PixelFormat& f, int x, int y, Rect s,
             const mu::RippleWave& wave) {
  mu::EffectArea a;
  if (!mu::ClipEffect(x, y, s.left, s.top, s.right, s.bottom, golden::kClip, a)) return;
  mu::RippleBlt(screen, golden::kClip, a, s.right - a.left, s.bottom - a.top, sprite, f, wave);
}

void Tunnel(PixelView screen, ConstPixelView sprite, const PixelFormat& f, const mu::TunnelShape& shape, int x,
            int y, int uOffset, int vOffset) {
  static mu::TunnelTable table;
  mu::MakeTunnel(table, shape);
  mu::DrawTunnel(screen, golden::kClip, x, y, uOffset, vOffset, sprite, f, table);
}

constexpr Rect kWhole = {0, 0, golden::kSpriteWidth, golden::kSpriteHeight};
constexpr Rect kPart = {3, 5, 190, 140};
constexpr Rect kPastEdges = {-10, 20, 230, 170};   // reaches past the sprite on three sides
constexpr mu::StretchRows kFloor = {0.3f, 0.01f, 0.25f, 0.012f, {{0.9f, 0.7f, 1.2f}}};
constexpr mu::RippleWave kWave = {20, 12, 1, 1.1f, 0.1f};
constexpr mu::RippleWave kSparseWave = {-35, 30, 2, 0.8f, -0.3f};
constexpr mu::TunnelShape kStillTunnel = {200, 150, 640, 480, -1, -1, -1, 0, 0, 0};
constexpr mu::TunnelShape kMovingTunnel = {256, 256, 320, 240, -1, -1, 5, 3, 6, 2};

#define MU_GOLDEN(name, call, reference)                                                              \
  golden::Register({name, [](int sprite) { muDraw::call; },                                           \
                    [](PixelView screen, ConstPixelView sprite, const PixelFormat& f) { reference; }})
#define MU_ROTATED(d, s, kernel) \
  Rotated(screen, sprite, f, d, s, [&](const mu::RotateTarget& t, const mu::RotateSource& src) { kernel; })

const golden::Register kRows[] = {
    MU_GOLDEN("RotateBlt", RotateBlt(-20, 300, 220, 520, 33, sprite, 3, 5, 190, 140),
              MU_ROTATED((Rect{-20, 300, 220, 520}), kPart, mu::RotateBlt(t, src, f, 33))),
    MU_GOLDEN("RotateBlt past the sprite's edges", RotateBlt(500, 100, 700, 350, -100, sprite, -10, 20, 230, 170),
              MU_ROTATED((Rect{500, 100, 700, 350}), kPastEdges, mu::RotateBlt(t, src, f, -100))),
    MU_GOLDEN("RotateTile", RotateTile(100, -30, 500, 200, 290, sprite, 3, 5, 190, 140),
              MU_ROTATED((Rect{100, -30, 500, 200}), kPart, mu::RotateTile(t, src, f, 290))),
    MU_GOLDEN("RotateZoom", RotateZoom(400, 200, 700, 500, 75, 1.3f, sprite, 0, 0, 200, 150),
              MU_ROTATED((Rect{400, 200, 700, 500}), kWhole, mu::RotateZoom(t, src, f, 75, 1.3f))),
    MU_GOLDEN("RotateZoomTile", RotateZoomTile(0, 0, 640, 480, 200, 0.45f, sprite, 3, 5, 190, 140),
              MU_ROTATED((Rect{0, 0, 640, 480}), kPart, mu::RotateZoomTile(t, src, f, 200, 0.45f))),
    MU_GOLDEN("RotateStretchTile",
              RotateStretchTile(0, 240, 640, 480, 15, 0.3f, 0.01f, 0.25f, 0.012f, 0.9f, 0.7f, 1.2f, sprite, 0, 0, 200, 150),
              MU_ROTATED((Rect{0, 240, 640, 480}), kWhole, mu::RotateStretchTile(t, src, f, 15, kFloor))),
    MU_GOLDEN("SmearBlt mode 0", SmearBlt(100, 50, 0, 90, sprite, 20, 0, 0, 150),
              Smeared(screen, sprite, f, 100, 50, 0, 90, Rect{20, 0, 0, 150})),
    MU_GOLDEN("SmearBlt mode 1", SmearBlt(300, 100, 1, 50, sprite, 0, 0, 200, 150),
              Smeared(screen, sprite, f, 300, 100, 1, 50, kWhole)),
    MU_GOLDEN("SmearBlt mode 2", SmearBlt(-30, 200, 2, 60, sprite, 0, 10, 200, 0),
              Smeared(screen, sprite, f, -30, 200, 2, 60, Rect{0, 10, 200, 0})),
    MU_GOLDEN("SmearBlt mode 3", SmearBlt(420, 250, 3, 100, sprite, 3, 5, 190, 140),
              Smeared(screen, sprite, f, 420, 250, 3, 100, kPart)),
    MU_GOLDEN("RippleBlt", RippleBlt(100, 100, 20, 12, 1, 1.1f, 0.1f, sprite, 0, 0, 200, 150),
              Rippled(screen, sprite, f, 100, 100, kWhole, kWave)),
    MU_GOLDEN("RippleBlt stride 2, clipped", RippleBlt(-40, 380, -35, 30, 2, 0.8f, -0.3f, sprite, 3, 5, 190, 140),
              Rippled(screen, sprite, f, -40, 380, kPart, kSparseWave)),
    MU_GOLDEN("DrawTunnel", MakeTunnel(200, 150, 640, 480, -1, -1, -1, 0, 0, 0); muDraw::DrawTunnel(-5, 3, 17, -40, sprite),
              Tunnel(screen, sprite, f, kStillTunnel, -5, 3, 17, -40)),
    MU_GOLDEN("DrawTunnel, moving centre, small sprite",
              MakeTunnel(256, 256, 320, 240, -1, -1, 5, 3, 6, 2); muDraw::DrawTunnel(400, 300, -1000, 77, sprite),
              Tunnel(screen, sprite, f, kMovingTunnel, 400, 300, -1000, 77)),
};

#undef MU_ROTATED
#undef MU_GOLDEN

}  // namespace
