#include "test_app.h"

#include <mu.h>

extern const char appCaption[] = "muTest";

namespace testapp {

std::function<void()> onInit;
std::function<void()> onFrame;
int initCalls, frameCalls;
int activateCalls[2];

bool StartShell(const char* commandLine) {
  static int started = -1;
  if (started < 0) started = muSystem::Startup(GetModuleHandleA(nullptr), commandLine, SW_SHOW);
  muSystem::PumpMessages();
  return started == 1;
}

void Frame() {
  muSystem::PumpMessages();
  muSystem::RunFrame();
}

}  // namespace testapp

void GameInit() {
  ++testapp::initCalls;
  if (testapp::onInit) {
    testapp::onInit();
  } else {
    muSystem::sceneNumber = 1;
    muSystem::previousScene = 0;
  }
}

void GameFrame() {
  ++testapp::frameCalls;
  if (testapp::onFrame) testapp::onFrame();
}

void OnActivate(int active) { ++testapp::activateCalls[active ? 1 : 0]; }
