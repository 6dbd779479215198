// The application side of a Windows test executable: the library calls
// GameInit, GameFrame and OnActivate; a test decides what they do.
#ifndef MU_TEST_APP_H
#define MU_TEST_APP_H

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

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
// full 16-bit one when fullScreen, and scene 1; later calls give the first
// call's answer. muDraw::Screen's result, or -1 when the shell did not start.
int StartScreen(bool fullScreen = false);

// A test program's screen: started before its first test (with a folder
// beside the program for the files the tests write, when one is named) and
// released after its last, which gives a full-screen run's display mode back.
//   ::testing::AddGlobalTestEnvironment(new testapp::ScreenEnvironment)
class ScreenEnvironment : public ::testing::Environment {
 public:
  explicit ScreenEnvironment(bool fullScreen = false, const char* folder = nullptr)
      : fullScreen_(fullScreen), folder_(folder) {}
  void SetUp() override;
  void TearDown() override;

 private:
  bool fullScreen_;
  const char* folder_;
};

// The path of a file beside the program.
std::string ExeFile(const std::string& name);
// A whole file's bytes (none when it cannot be read), a file written whole,
// and whether a file or folder exists.
std::vector<std::uint8_t> FileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
bool Exists(const std::string& path);

// Runs one frame of the main loop after dispatching the queued messages.
void Frame();

}  // namespace testapp

#endif
