// The Windows entry point: start-up, then the loop. Always returns 0.
#include <mu.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
  if (!muSystem::Startup(instance, commandLine, showCommand)) return 0;
  return muSystem::RunLoop();
}
