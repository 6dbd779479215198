// Draws an asymmetric picture turned by 90 and by 270 degrees with
// muDraw::RotateBlt on the real back screen and writes the picture and both
// turned results as PPM files (source.ppm, turned90.ppm, turned270.ppm) into
// the directory given, for the end-to-end test that compares them with
// ImageMagick's quarter turns.
//   rotation_probe <directory>        exit code 0 when all three were written
#include <mu.h>

#include <cstdio>
#include <string>

#include "draw/pixels/pixel_view.h"
#include "draw/pixels/surface_lock.h"
#include "surface_pixels.h"

namespace {

// Odd sides: a quarter turn of an odd picture is exact (an even one is
// shifted by a pixel, as the rule's half turn is).
constexpr int kWidth = 41, kHeight = 27;

// Writes the w x h pixels at (x, y) of a locked surface as 8-bit RGB.
bool WritePpm(const std::string& path, const mu::PixelView& v, int x, int y, int w, int h) {
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  std::fprintf(out, "P6\n%d %d\n255\n", w, h);
  const mu::PixelFormat& f = mu::screenFormat;
  for (int row = y; row < y + h; ++row) {
    for (int col = x; col < x + w; ++col) {
      const std::uint32_t p = f.Sixteen() ? v.Row<std::uint16_t>(row)[col] : v.Row<std::uint32_t>(row)[col];
      for (int c = 0; c < 3; ++c) std::fputc(static_cast<int>(f.Get(p, c) * 255 / f.channel[c].max), out);
    }
  }
  return std::fclose(out) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || !testpix::StartScreen()) return 2;
  const std::string dir = std::string(argv[1]) + "\\";
  const int sprite = muDraw::CreateObject(kWidth, kHeight, 2);
  if (!sprite) return 3;
  // Every pixel its own value, none transparent.
  testpix::PaintValues(sprite, [](int x, int y) { return static_cast<DWORD>(1 + x + kWidth * y); });
  {
    muDraw::SurfaceLock lock(muDraw::spriteTable[sprite].surface);
    if (!lock.Locked() || !WritePpm(dir + "source.ppm", lock.View(), 0, 0, kWidth, kHeight)) return 4;
  }
  muDraw::ClearScreen();
  muDraw::RotateBlt(100, 100, 100 + kHeight, 100 + kWidth, 90, sprite, 0, 0, kWidth, kHeight);
  muDraw::RotateBlt(300, 100, 300 + kHeight, 100 + kWidth, 270, sprite, 0, 0, kWidth, kHeight);
  muDraw::SurfaceLock lock(muDraw::backScreen);
  if (!lock.Locked()) return 6;
  if (!WritePpm(dir + "turned90.ppm", lock.View(), 100, 100, kHeight, kWidth) ||
      !WritePpm(dir + "turned270.ppm", lock.View(), 300, 100, kHeight, kWidth)) {
    return 7;
  }
  lock.Unlock();
  muSystem::Quit();
  return 0;
}
