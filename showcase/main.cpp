// The showcase program: one window that walks through numbered pages, each
// demonstrating a group of the library's operations live, with the calls and
// their arguments printed under the picture and the frame rate on top.
#include <mu.h>

#include "showcase/navigation.h"
#include "showcase/pager.h"

extern const char appCaption[] = "mu showcase";

void OnActivate(int) {}

void GameInit() {
  muDraw::Screen(showcase::kScreenWidth, showcase::kScreenHeight, 1);
  showcase::StartShowcase();
  muSystem::sceneNumber = 1;
  muSystem::previousScene = 0;
}

void GameFrame() { showcase::ShowcaseFrame(); }
