// Times Pelmora's frame under the real shell, screen and pictures:
//   game_benchmark.exe [frames]
// After the game's start-up it calls GameFrame `frames` times (default 1000)
// with the vertical-blank wait off, each one timed together with the message
// pump after it (where the window receives the frame), once on DirectDraw's
// blit path and once on the library's, and prints the median and 99th
// percentile of each; then, with the wait on and the measured path, runs the
// shell's own frames (messages and frame timer included) for two seconds and
// prints the rate. Then it quits.
#include <mu.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "draw/blit_path.h"

extern const char appCaption[] = "PelmoraBenchmark";

namespace {

constexpr int kDefaultFrames = 1000;
constexpr int kMaxFrames = 100000;
constexpr float kPlayFrameSeconds = 1.0f / 60;   // the fall of a 60 Hz game
constexpr double kRateSeconds = 2.0;

double frameTimes[kMaxFrames];
LARGE_INTEGER ticksPerSecond;

double Now() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(ticksPerSecond.QuadPart);
}

void Measure() {
  QueryPerformanceFrequency(&ticksPerSecond);
  int frames = std::atoi(muSystem::GetCommandLine());
  if (frames <= 0) frames = kDefaultFrames;
  if (frames > kMaxFrames) frames = kMaxFrames;

  DDPIXELFORMAT format = {};
  format.dwSize = sizeof format;
  if (muDraw::backScreen) muDraw::backScreen->GetPixelFormat(&format);
  std::printf("game_benchmark: %d-bit back screen, %s\n", static_cast<int>(format.dwRGBBitCount),
              muSystem::fullScreen ? "full screen" : "windowed");

  muDraw::SetVSync(0);
  const struct {
    muDraw::BlitPath path;
    const char* name;
  } paths[] = {{muDraw::BlitPath::kDirectDraw, "DirectDraw"}, {muDraw::BlitPath::kLibrary, "library"}};
  for (const auto& p : paths) {
    muDraw::ForceBlitPath(p.path);
    double total = 0;
    for (int n = 0; n < frames; ++n) {
      muSystem::frameSeconds = kPlayFrameSeconds;
      const double start = Now();
      GameFrame();
      muSystem::PumpMessages();
      frameTimes[n] = Now() - start;
      total += frameTimes[n];
    }
    std::sort(frameTimes, frameTimes + frames);
    std::printf("GameFrame + message pump, vertical-blank wait off, %s: median %.1f us, p99 %.1f us, "
                "mean %.1f us over %d frames\n",
                p.name, frameTimes[frames / 2] * 1e6, frameTimes[frames * 99 / 100] * 1e6,
                total / frames * 1e6, frames);
    std::fflush(stdout);
  }
  muDraw::ForceBlitPath(muDraw::BlitPath::kMeasured);

  muDraw::SetVSync(1);
  muSystem::ResetFrameTimer();
  int shown = 0;
  const double start = Now();
  while (Now() - start < kRateSeconds && muSystem::PumpMessages()) {
    muSystem::RunFrame();
    ++shown;
  }
  const double rate = shown / (Now() - start);
  std::printf("Frames with the vertical-blank wait on: %.1f per second over %d frames\n", rate,
              shown);
  std::fflush(stdout);
}

}  // namespace

// Called once, right after GameInit: the screen and the pictures are up.
void OnActivate(int active) {
  static int measured = 0;
  if (active || measured) return;
  measured = 1;
  Measure();
  muSystem::Quit();
}
