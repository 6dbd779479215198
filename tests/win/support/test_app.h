// The application side of a Windows test executable: the library calls
// GameInit, GameFrame and OnActivate; a test decides what they do.
#ifndef MU_TEST_APP_H
#define MU_TEST_APP_H

#include <functional>

namespace testapp {

extern std::function<void()> onInit;      // run by GameInit (default: scene 1)
extern std::function<void()> onFrame;     // run by GameFrame
extern int initCalls, frameCalls;
extern int activateCalls[2];              // OnActivate(0) and OnActivate(1) counts

// Starts the library's shell (window, GameInit) once per process, with the
// given command line the first time; true if it runs.
bool StartShell(const char* commandLine = "");

// True when the environment variable is "1": the program runs on a full
// screen inside a Wine virtual desktop (run_in_desktop.sh) instead of a window.
bool FullScreenRun(const char* variable);

// Starts the shell once with a GameInit that sets up a 640 x 480 screen, a
// full 16-bit one when fullScreen, and scene 1. muDraw::Screen's result, or
// -1 when the shell did not start.
int StartScreen(bool fullScreen);

// Runs one frame of the main loop after dispatching the queued messages.
void Frame();

}  // namespace testapp

#endif
