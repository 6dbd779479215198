// Pelmora, the falling-block game: its start-up and its frame.
#include <mu.h>

extern const char appCaption[] = "Pelmora";

void GameInit() {
  muSystem::sceneNumber = 1;
  muSystem::previousScene = 0;
}

void GameFrame() {}

void OnActivate(int) {}
