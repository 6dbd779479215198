// Rows of the native effects benchmark for the rotation and mapping effects:
// each over the full 640 x 480 screen from the full picture; the tunnel
// drawn from a 640 x 480 table built at start-up, and its building alone.
#include "draw/effects/ripple.h"
#include "draw/effects/rotate.h"
#include "draw/effects/smear.h"
#include "draw/effects/tunnel.h"
#include "draw/pixel_format.h"
#include "kernels.h"

namespace {

using mu::ConstPixelView;
using mu::PixelFormat;
using mu::PixelView;

constexpr mu::TunnelShape kTunnel = {256, 256, 640, 480, -1, -1, -1, 0, 0, 0};

// The sine table and the tunnel table the rows draw with.
const bool kTables = (mu::BuildSineTable(), mu::MakeTunnel(mu::tunnelTable, kTunnel), true);

mu::RotateTarget Full(PixelView d) { return mu::RotateTarget{d, d.width, d.height, 0, 0}; }
mu::RotateSource All(ConstPixelView s) { return mu::RotateSource{s, 0, 0, s.width, s.height}; }

#define MU_KERNEL(name, call) \
  kbench::Register({name, [](PixelView d, ConstPixelView s, const PixelFormat& f) { call; }})

const kbench::Register kRows[] = {
    MU_KERNEL("RotateBlt 30", mu::RotateBlt(Full(d), All(s), f, 30)),
    MU_KERNEL("RotateTile 30", mu::RotateTile(Full(d), All(s), f, 30)),
    MU_KERNEL("RotateZoom 30, 1.5", mu::RotateZoom(Full(d), All(s), f, 30, 1.5f)),
    MU_KERNEL("RotateZoomTile 30, 0.7", mu::RotateZoomTile(Full(d), All(s), f, 30, 0.7f)),
    MU_KERNEL("RotateStretchTile 30, floor",
              mu::RotateStretchTile(Full(d), All(s), f, 30, mu::StretchRows{0.2f, 0.004f, 0.2f, 0.004f, {{0.9f, 0.8f, 1.0f}}})),
    MU_KERNEL("SmearBlt mode 0 at 320",
              mu::SmearBlt(d, mu::ClipBounds{0, 0, d.width, d.height}, s, f, mu::SmearArea{0, 0, 0, 0, d.width, d.height}, 0, 320)),
    MU_KERNEL("RippleBlt stride 1",
              mu::RippleBlt(d, mu::ClipBounds{0, 0, d.width, d.height}, mu::EffectArea{0, 0, 0, 0, s.width, s.height},
                            s.width, s.height, s, f, mu::RippleWave{24, 18, 1, 0.9f, 0.05f})),
    MU_KERNEL("DrawTunnel 640 x 480",
              mu::DrawTunnel(d, mu::ClipBounds{0, 0, d.width, d.height}, 0, 0, 37, 11, s, f, mu::tunnelTable)),
    MU_KERNEL("MakeTunnel 640 x 480 (no pixels)", (void)kTables; mu::MakeTunnel(mu::tunnelTable, kTunnel)),
};

#undef MU_KERNEL

}  // namespace
