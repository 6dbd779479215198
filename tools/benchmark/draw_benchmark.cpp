// Measures the drawing core under the real shell: the time per frame of
// ClearScreen + a full-screen BltKey + Flip (no vertical-blank wait), and of
// 100 keyed 30 x 30 blits. Prints one line per figure, then quits.
//   draw_benchmark.exe [frames]      (default 300 frames per figure)
#include <mu.h>

#include <cstdio>
#include <cstdlib>

extern const char appCaption[] = "muBenchmark";

namespace {

constexpr int kWarmUpFrames = 20;
constexpr int kDefaultFrames = 300;
constexpr int kSmallBlits = 100;
constexpr int kSmallSize = 30;

int frames = kDefaultFrames;
int fullSprite, smallSprite;
int frame;
double clearBlitFlipSeconds, smallBlitSeconds;
LARGE_INTEGER ticksPerSecond;

double Now() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(ticksPerSecond.QuadPart);
}

// Stripes with black holes, so the keyed blit has both kinds of pixels.
void Paint(int sprite, int width, int height) {
  HDC dc;
  if (FAILED(muDraw::spriteTable[sprite].surface->GetDC(&dc))) return;
  for (int y = 0; y < height; y += 4) {
    RECT row = {0, y, width, y + 4};
    HBRUSH brush = CreateSolidBrush((y / 4) % 3 == 0 ? RGB(0, 0, 0) : RGB(y % 256, 90, 200));
    FillRect(dc, &row, brush);
    DeleteObject(brush);
  }
  muDraw::spriteTable[sprite].surface->ReleaseDC(dc);
}

void Report() {
  DDPIXELFORMAT format = {};
  format.dwSize = sizeof format;
  if (muDraw::backScreen) muDraw::backScreen->GetPixelFormat(&format);
  std::printf("draw_benchmark: %d-bit back screen, %s, %d frames per figure\n",
              static_cast<int>(format.dwRGBBitCount),
              muSystem::fullScreen ? "full screen" : "windowed", frames);
  std::printf("ClearScreen + full-screen BltKey + Flip (no vsync): %.3f ms per frame\n",
              clearBlitFlipSeconds * 1000.0 / frames);
  std::printf("%d keyed %d x %d blits: %.3f ms per frame (%.2f us per blit)\n", kSmallBlits,
              kSmallSize, kSmallSize, smallBlitSeconds * 1000.0 / frames,
              smallBlitSeconds * 1e6 / frames / kSmallBlits);
  std::fflush(stdout);
}

}  // namespace

void GameInit() {
  QueryPerformanceFrequency(&ticksPerSecond);
  const char* arg = muSystem::GetCommandLine();
  if (arg && std::atoi(arg) > 0) frames = std::atoi(arg);
  if (!muDraw::Screen(640, 480, 1)) return;
  muDraw::SetVSync(0);
  fullSprite = muDraw::CreateObject(640, 480, 2);
  smallSprite = muDraw::CreateObject(kSmallSize, kSmallSize, 2);
  if (!fullSprite || !smallSprite) return;
  Paint(fullSprite, 640, 480);
  Paint(smallSprite, kSmallSize, kSmallSize);
  muSystem::sceneNumber = 1;
  muSystem::previousScene = 0;
}

void GameFrame() {
  const int measured = frame - kWarmUpFrames;
  if (measured < frames) {
    double start = Now();
    muDraw::ClearScreen();
    muDraw::BltKey(0, 0, fullSprite, 0, 0, 640, 480);
    muDraw::Flip();
    if (measured >= 0) clearBlitFlipSeconds += Now() - start;
  } else if (measured < 2 * frames) {
    muDraw::ClearScreen();
    double start = Now();
    for (int i = 0; i < kSmallBlits; ++i) {
      muDraw::BltKey((i % 20) * 32, (i / 20) * 32 + (frame % 8), smallSprite, 0, 0, kSmallSize,
                     kSmallSize);
    }
    smallBlitSeconds += Now() - start;
    muDraw::Flip();
  } else {
    Report();
    muSystem::sceneNumber = 0;
    muSystem::Quit();
  }
  ++frame;
}

void OnActivate(int) {}
