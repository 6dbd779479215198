// The smallest application: a caption, the three routines, nothing else.
#include <mu.h>

extern const char appCaption[] = "Consumer";

void GameInit() { muSystem::sceneNumber = 1; }
void GameFrame() { muSystem::Quit(); }
void OnActivate(int) {}
