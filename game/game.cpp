// Pelmora, the falling-block game: its start-up and its frame. The rules live
// in game/rules.cpp; this file connects them to the library.
#include <mu.h>

#include "game/rules.h"

extern const char appCaption[] = "Pelmora";

void GameInit() {
  muSystem::sceneNumber = 1;
  muSystem::previousScene = 0;
}

void GameFrame() {
  DrawWell();
  if (!piece.active) SpawnPiece();
  UpdatePiece(muSystem::frameSeconds);
  ClearEnclosed();
}

void OnActivate(int) {}
