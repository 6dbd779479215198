#include "test_app.h"

#include <mu.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

extern const char appCaption[] = "muTest";

namespace testapp {

std::function<void()> onInit;
std::function<void()> onFrame;
int initCalls, frameCalls;
int activateCalls[2];

// At exit the test program lets go of the sound device, MIDI and DirectDraw as
// a game's shut-down does: Wine's own process exit can crash while its sound
// threads are still running.
void ReleaseLibrary() {
  muSound::Release();
  muDraw::Release();
}

bool StartShell(const char* commandLine) {
  static int started = -1;
  if (started < 0) {
    started = muSystem::Startup(GetModuleHandleA(nullptr), commandLine, SW_SHOW);
    std::atexit(ReleaseLibrary);
  }
  muSystem::PumpMessages();
  return started == 1;
}

bool FullScreenRun(const char* variable) {
  const char* v = std::getenv(variable);
  return v && v[0] == '1';
}

int StartScreen(bool fullScreen) {
  static bool called = false;
  static int result = -1;
  if (called) return result;
  called = true;
  onInit = [fullScreen] {
    if (fullScreen) {
      muSystem::fullScreen = 1;
      muDraw::SetDepth(16, 0, 0);
    }
    result = muDraw::Screen(640, 480, 1);
    muSystem::sceneNumber = 1;
    muSystem::previousScene = 0;
  };
  if (!StartShell()) result = -1;   // the shell did not start
  onInit = nullptr;
  return result;
}

void ScreenEnvironment::SetUp() {
  ASSERT_EQ(StartScreen(fullScreen_), 1);
  if (folder_) CreateDirectoryA(ExeFile(folder_).c_str(), nullptr);
}

void ScreenEnvironment::TearDown() { muDraw::Release(); }

std::string ExeFile(const std::string& name) { return muSystem::GetExeDir(0) + name; }

std::vector<std::uint8_t> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

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
