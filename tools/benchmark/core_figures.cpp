// The drawing core's figures: a whole frame of clear, full-screen keyed blit
// and frame show, and rows of small keyed blits.
#include <mu.h>

#include "figures.h"

namespace {

constexpr int kSmallBlits = 100;
int frame;

void ClearBlitFlip() {
  muDraw::ClearScreen();
  muDraw::BltKey(0, 0, bench::fullSprite, 0, 0, 640, 480);
  muDraw::Flip();
}

void SmallBlits() {
  for (int i = 0; i < kSmallBlits; ++i) {
    muDraw::BltKey((i % 20) * 32, (i / 20) * 32 + (frame % 8), bench::smallSprite, 0, 0, 30, 30);
  }
  ++frame;
}

void ClearAndFlip() {
  muDraw::Flip();
  muDraw::ClearScreen();
}

const bench::Register kFrame({"ClearScreen + full-screen BltKey + Flip (no vsync)", nullptr,
                              ClearBlitFlip, nullptr, 1});
const bench::Register kSmall({"100 keyed 30 x 30 BltKey", nullptr, SmallBlits, ClearAndFlip,
                              kSmallBlits});

}  // namespace
