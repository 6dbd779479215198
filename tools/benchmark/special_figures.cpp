// Figures of the special blits: the row-wise raster effects over a full-screen
// picture (one blit per row), a small tile scrolled over the screen, the
// stretched blit on both paths, and the tint of the whole screen.
#include <mu.h>

#include "figures.h"

namespace {

constexpr int kTile = 32;
int tile;
int savedStretch;

void PrepareTile() {
  tile = muDraw::CreateObject(kTile, kTile, 2);
  bench::Paint(tile, kTile, kTile);
  savedStretch = muDraw::canStretch;
}

void Wave() { muDraw::WaveBlt(0, 0, 16, 2, 90, bench::fullSprite, 0, 0, 640, 480, 0); }
void Roll() { muDraw::RollBlt(0, 0, 1, 60, bench::fullSprite, 0, 0, 640, 480); }
void Tiles() { muDraw::TileScroll(30, 20, tile, 0, 0, kTile, kTile); }
void StretchDirectDraw() {
  muDraw::canStretch = 1;
  muDraw::Stretch(0, 0, bench::fullSprite, 0, 0, 320, 240, 640, 480);
  muDraw::canStretch = savedStretch;
}
void StretchGdi() {
  muDraw::canStretch = 0;
  muDraw::Stretch(0, 0, bench::fullSprite, 0, 0, 320, 240, 640, 480);
  muDraw::canStretch = savedStretch;
}
void Tint() { muDraw::TintBox(0, 0, 640, 480, 0x0841); }

void FlipAndClear() {
  muDraw::Flip();
  muDraw::ClearScreen();
}

const bench::Register kWave({"WaveBlt of a full-screen picture (480 keyed row blits)", PrepareTile,
                             Wave, FlipAndClear, 1});
const bench::Register kRoll({"RollBlt of a full-screen picture (opaque row blits)", nullptr, Roll,
                             FlipAndClear, 1});
const bench::Register kTiles({"TileScroll of a 32 x 32 tile over the screen (374 blits)", nullptr,
                              Tiles, FlipAndClear, 1});
const bench::Register kStretchDd({"Stretch 320 x 240 -> 640 x 480, DirectDraw", nullptr,
                                  StretchDirectDraw, FlipAndClear, 1});
const bench::Register kStretchGdi({"Stretch 320 x 240 -> 640 x 480, GDI and Buffer sprite", nullptr,
                                   StretchGdi, FlipAndClear, 1});
const bench::Register kTint({"TintBox of the full screen", nullptr, Tint, FlipAndClear, 1});

}  // namespace
