#include "test_app.h"

#include <mu.h>

#include <cstdlib>

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

bool FullScreenRun(const char* variable) {
  const char* v = std::getenv(variable);
  return v && v[0] == '1';
}

int StartScreen(bool fullScreen) {
  int result = -1;
  onInit = [&result, fullScreen] {
    if (fullScreen) {
      muSystem::fullScreen = 1;
      muDraw::SetDepth(16, 0, 0);
    }
    result = muDraw::Screen(640, 480, 1);
    muSystem::sceneNumber = 1;
    muSystem::previousScene = 0;
  };
  const bool started = StartShell();
  onInit = nullptr;
  return started ? result : -1;
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
