// A window to look at: the game's background picture with keyed blocks over
// it and a falling block, revealed by a backward wipe. Escape ends it.
#include <mu.h>

extern const char appCaption[] = "muDrawView";

namespace {
constexpr int kCell = 30;
int background, blocks;
float fall;
}  // namespace

void GameInit() {
  muDraw::Screen(640, 480, 1);
  background = muDraw::LoadObject("bmp\\back.bmp", 2);
  blocks = muDraw::LoadObject("bmp\\block.bmp", 2);
  if (muDraw::SetWipe("view\\wipe.bmp")) muDraw::WipeBackward();
  muSystem::sceneNumber = 1;
  muSystem::previousScene = 0;
}

void GameFrame() {
  muDraw::ClearScreen();
  muDraw::BltKey(0, 0, background, 0, 0, 640, 480);
  for (int i = 0; i < 8; ++i) {
    int colour = 1 + i % 9;
    muDraw::BltKey(200 + kCell * i, 450 - kCell * (i % 3), blocks, kCell * colour, 0,
                   kCell * (colour + 1), kCell);
  }
  fall += muSystem::frameSeconds * 60.0f;
  if (fall > 360.0f) fall = 0.0f;
  muDraw::BltKey(320, 120 + static_cast<int>(fall), blocks, kCell * 5, 0, kCell * 6, kCell);
  muDraw::Flip();
}

void OnActivate(int) {}
