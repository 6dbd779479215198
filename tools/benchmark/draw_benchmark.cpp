// Measures the drawing library under the real shell and screen: every figure
// registered by the files of this folder (figures.h), each timed over the
// same number of frames after a warm-up, median and 99th percentile, beside
// memcpy of one frame of the back screen. Prints one line per figure, quits.
//   draw_benchmark.exe [frames] [name filter]   (default 300 frames, all figures)
#include <mu.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "figures.h"

extern const char appCaption[] = "muBenchmark";

namespace bench {

int fullSprite, smallSprite;

namespace {

constexpr int kWarmUpFrames = 20;
constexpr int kDefaultFrames = 300;
constexpr int kMemcpyRounds = 200;

std::vector<Figure>& Figures() {
  static std::vector<Figure> figures;
  return figures;
}

int frames = kDefaultFrames;
char filter[64];
std::vector<Figure> chosen;
std::vector<double> samples;
int figureIndex, frameInFigure;
double memcpySeconds;
LARGE_INTEGER ticksPerSecond;

double Now() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(ticksPerSecond.QuadPart);
}

double Percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[static_cast<std::size_t>(p * (v.size() - 1))];
}

// The anchor: one frame's bytes copied in memory, median of many rounds.
void MeasureMemcpy(int bytesPerPixel) {
  const std::size_t bytes = static_cast<std::size_t>(muSystem::screenWidth) *
                            muSystem::screenHeight * bytesPerPixel;
  std::vector<char> from(bytes, 1), to(bytes, 0);
  std::vector<double> rounds;
  for (int i = 0; i < kMemcpyRounds; ++i) {
    double start = Now();
    std::memcpy(to.data(), from.data(), bytes);
    rounds.push_back(Now() - start);
    from[i % bytes] = static_cast<char>(to[(i * 7) % bytes] + 1);   // keep the copy alive
  }
  memcpySeconds = Percentile(rounds, 0.5);
}

void ReportFigure(const Figure& f) {
  const double median = Percentile(samples, 0.5), p99 = Percentile(samples, 0.99);
  const int calls = f.callsPerFrame > 1 ? f.callsPerFrame : 1;
  std::printf("%-58s median %9.1f us  p99 %9.1f us  %6.1f x memcpy", f.name, median * 1e6,
              p99 * 1e6, median / memcpySeconds);
  if (calls > 1) std::printf("  (%.2f us per call)", median * 1e6 / calls);
  std::printf("\n");
  std::fflush(stdout);
}

}  // namespace

Register::Register(const Figure& figure) { Figures().push_back(figure); }

void Paint(int sprite, int width, int height) {
  HDC dc;
  if (!muDraw::spriteTable[sprite].surface ||
      FAILED(muDraw::spriteTable[sprite].surface->GetDC(&dc)))
    return;
  for (int y = 0; y < height; y += 4) {
    RECT row = {0, y, width, y + 4};
    HBRUSH brush = CreateSolidBrush((y / 4) % 3 == 0 ? RGB(0, 0, 0) : RGB(y % 256, 90, 200));
    FillRect(dc, &row, brush);
    DeleteObject(brush);
  }
  muDraw::spriteTable[sprite].surface->ReleaseDC(dc);
}

}  // namespace bench

using namespace bench;

void GameInit() {
  QueryPerformanceFrequency(&ticksPerSecond);
  const char* arg = muSystem::GetCommandLine();
  if (arg && std::atoi(arg) > 0) frames = std::atoi(arg);
  if (arg) std::sscanf(arg, "%*d %63s", filter);
  if (!muDraw::Screen(640, 480, 1)) return;
  muDraw::SetVSync(0);
  fullSprite = muDraw::CreateObject(640, 480, 2);
  smallSprite = muDraw::CreateObject(30, 30, 2);
  if (!fullSprite || !smallSprite) return;
  Paint(fullSprite, 640, 480);
  Paint(smallSprite, 30, 30);
  for (const Figure& f : Figures()) {
    if (filter[0] && !std::strstr(f.name, filter)) continue;
    chosen.push_back(f);
  }
  for (const Figure& f : chosen) {
    if (f.prepare) f.prepare();
  }
  DDPIXELFORMAT format = {};
  format.dwSize = sizeof format;
  muDraw::backScreen->GetPixelFormat(&format);
  MeasureMemcpy(static_cast<int>(format.dwRGBBitCount) / 8);
  std::printf("draw_benchmark: %d-bit back screen, %s, %d frames per figure; memcpy of a frame "
              "%.1f us\n",
              static_cast<int>(format.dwRGBBitCount),
              muSystem::fullScreen ? "full screen" : "windowed", frames, memcpySeconds * 1e6);
  std::fflush(stdout);
  muSystem::sceneNumber = 1;
  muSystem::previousScene = 0;
}

void GameFrame() {
  if (figureIndex >= static_cast<int>(chosen.size())) {
    muSystem::sceneNumber = 0;
    muSystem::Quit();
    return;
  }
  const Figure& f = chosen[figureIndex];
  double start = Now();
  f.measured();
  double seconds = Now() - start;
  if (f.untimed) f.untimed();
  if (frameInFigure >= kWarmUpFrames) samples.push_back(seconds);
  if (++frameInFigure == kWarmUpFrames + frames) {
    ReportFigure(f);
    samples.clear();
    frameInFigure = 0;
    ++figureIndex;
  }
}

void OnActivate(int) {}
