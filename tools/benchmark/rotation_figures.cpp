// The rotation and mapping effects under Wine: each over the full 640 x 480
// back screen from the full 640 x 480 picture, locks included, with the same
// arguments as the native benchmark's rows (native/rotation_kernels.cpp); the
// back screen is cleared (untimed) before every call. The tunnel is drawn from
// a 640 x 480 table built once beforehand, and its building is timed alone.
#include <mu.h>

#include "figures.h"

namespace {

void BuildTunnel() { muDraw::MakeTunnel(256, 256, 640, 480, -1, -1, -1, 0, 0, 0); }

#define MU_FIGURE(name, call) bench::Register({name, BuildTunnel, [] { muDraw::call; }, muDraw::ClearScreen, 1})

#define SPRITE bench::fullSprite, 0, 0, 640, 480

const bench::Register kFigures[] = {
    MU_FIGURE("RotateBlt 30", RotateBlt(0, 0, 640, 480, 30, SPRITE)),
    MU_FIGURE("RotateTile 30", RotateTile(0, 0, 640, 480, 30, SPRITE)),
    MU_FIGURE("RotateZoom 30, 1.5", RotateZoom(0, 0, 640, 480, 30, 1.5f, SPRITE)),
    MU_FIGURE("RotateZoomTile 30, 0.7", RotateZoomTile(0, 0, 640, 480, 30, 0.7f, SPRITE)),
    MU_FIGURE("RotateStretchTile 30, floor",
              RotateStretchTile(0, 0, 640, 480, 30, 0.2f, 0.004f, 0.2f, 0.004f, 0.9f, 0.8f, 1.0f, SPRITE)),
    MU_FIGURE("SmearBlt mode 0 at 320", SmearBlt(0, 0, 0, 320, SPRITE)),
    MU_FIGURE("RippleBlt stride 1", RippleBlt(0, 0, 24, 18, 1, 0.9f, 0.05f, SPRITE)),
    MU_FIGURE("DrawTunnel 640 x 480", DrawTunnel(0, 0, 37, 11, bench::fullSprite)),
    MU_FIGURE("MakeTunnel 640 x 480 (no pixels)", MakeTunnel(256, 256, 640, 480, -1, -1, -1, 0, 0, 0)),
};

#undef SPRITE
#undef MU_FIGURE

}  // namespace
