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

// Runs one frame of the main loop after dispatching the queued messages.
void Frame();

}  // namespace testapp

#endif
