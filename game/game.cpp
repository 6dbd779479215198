// Pelmora's start-up and frame: the library's side of the game. The rules
// (well, piece, landing, clearing) are in game/rules.cpp; here they are given
// the real keyboard, the block picture and the status-text output.
#include <mu.h>

#include "game/rules.h"

int blockSprite = 0;
int backSprite = 0;

namespace {

constexpr int kMarkerSize = 30;
constexpr COLORREF kMarkerFill = 0xFF00FF;   // magenta
constexpr COLORREF kMarkerOutline = 0;

void PollKey(int key, int* state) { muSystem::UpdateKeyState(key, state); }

// Colour number v is the cell of the block strip whose left edge is at 30 v.
void DrawCell(int x, int y, int colour) {
  muDraw::BltKey(x, y, blockSprite, kCellSize * colour, 0, kCellSize * colour + kCellSize, kCellSize);
}

void Print(int x, int y, const char* text) { muDraw::PrintF(x, y, "%s", text); }

}  // namespace

void GameInit() {
  muDraw::Screen(640, 480, 1);
  blockSprite = muDraw::LoadObject("bmp\\block.bmp", 2);
  backSprite = muDraw::LoadObject("bmp\\back.bmp", 2);
  gameSeam = GameSeam{PollKey, DrawCell, Print};
  muSystem::sceneNumber = 1;
  muSystem::previousScene = 0;
}

void GameFrame() {
  muDraw::ClearScreen();
  muDraw::BltKey(0, 0, backSprite, 0, 0, 640, 480);
  DrawWell();
  if (!piece.active) SpawnPiece();
  UpdatePiece(muSystem::frameSeconds);
  ClearEnclosed();
  const int x = muSystem::mouseX, y = muSystem::mouseY;
  muDraw::Box(x, y, x + kMarkerSize, y + kMarkerSize, kMarkerFill, kMarkerOutline, 1);
  muDraw::Flip();
}
