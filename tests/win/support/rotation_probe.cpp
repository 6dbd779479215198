// Draws an asymmetric picture turned by 90 and by 270 degrees with
// muDraw::RotateBlt on the real back screen and writes the picture and both
// turned results as PPM files (source.ppm, turned90.ppm, turned270.ppm) into
// the directory given, for the end-to-end test that compares them with
// ImageMagick's quarter turns.
//   rotation_probe <directory>        exit code 0 when all three were written
#include <mu.h>

#include <string>

#include "surface_pixels.h"
#include "test_app.h"

// Odd sides: a quarter turn of an odd picture is exact (an even one is
// shifted by a pixel, as the rule's half turn is).
constexpr int kWidth = 41, kHeight = 27;

int main(int argc, char** argv) {
  if (argc < 2 || testapp::StartScreen() != 1) return 2;
  const std::string dir = std::string(argv[1]) + "\\";
  const int sprite = muDraw::CreateObject(kWidth, kHeight, 2);
  if (!sprite) return 3;
  // Every pixel its own value, none transparent.
  testpix::PaintValues(sprite, [](int x, int y) { return static_cast<DWORD>(1 + x + kWidth * y); });
  if (!testpix::WritePpm(dir + "source.ppm", muDraw::spriteTable[sprite].surface, 0, 0, kWidth, kHeight)) return 4;
  muDraw::ClearScreen();
  muDraw::RotateBlt(100, 100, 100 + kHeight, 100 + kWidth, 90, sprite, 0, 0, kWidth, kHeight);
  muDraw::RotateBlt(300, 100, 300 + kHeight, 100 + kWidth, 270, sprite, 0, 0, kWidth, kHeight);
  if (!testpix::WritePpm(dir + "turned90.ppm", muDraw::backScreen, 100, 100, kHeight, kWidth) ||
      !testpix::WritePpm(dir + "turned270.ppm", muDraw::backScreen, 300, 100, kHeight, kWidth)) {
    return 7;
  }
  muSystem::Quit();
  return 0;
}
