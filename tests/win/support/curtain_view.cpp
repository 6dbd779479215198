// A full-screen picture revealed by an opening iris curtain (type 7) that
// stops part-way, for a screenshot of a curtain on the real screen: the
// curtain takes one step a frame at speed 0 (one pixel) for the given number
// of frames, then holds still. Escape ends it.
//   curtain_view.exe [steps]   (default 120)
#include <mu.h>

#include <cstdlib>

extern const char appCaption[] = "muCurtainView";

namespace {
constexpr int kDefaultSteps = 120;
constexpr int kBlock = 40;   // the picture: a grid of 40 x 40 coloured blocks
int picture, steps = kDefaultSteps, stepped;

void PaintBlocks() {
  HDC dc;
  if (!picture || FAILED(muDraw::spriteTable[picture].surface->GetDC(&dc))) return;
  for (int y = 0; y < 480; y += kBlock) {
    for (int x = 0; x < 640; x += kBlock) {
      RECT block = {x, y, x + kBlock, y + kBlock};
      HBRUSH brush = CreateSolidBrush(RGB(40 + x * 200 / 640, 40 + y * 200 / 480, 160));
      FillRect(dc, &block, brush);
      DeleteObject(brush);
    }
  }
  muDraw::spriteTable[picture].surface->ReleaseDC(dc);
}
}  // namespace

void GameInit() {
  const char* arg = muSystem::GetCommandLine();
  if (arg && std::atoi(arg) > 0) steps = std::atoi(arg);
  if (!muDraw::Screen(640, 480, 1)) return;
  picture = muDraw::CreateObject(640, 480, 2);
  PaintBlocks();
  muDraw::StartCurtain(0, 7, 0, 0);
  muSystem::sceneNumber = 1;
  muSystem::previousScene = 0;
}

void GameFrame() {
  if (stepped < steps) {
    muSystem::frameSeconds = 0;
    muDraw::StepCurtain();
    ++stepped;
  }
  muDraw::ClearScreen();
  muDraw::BltKey(0, 0, picture, 0, 0, 640, 480);
  muDraw::Flip();
}

void OnActivate(int) {}
