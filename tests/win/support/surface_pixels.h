// Raw pixels of DirectDraw surfaces for the drawing tests: read once into a
// copy, painted through a lock, filled by colour-fill blits; and the screen
// set up once per test program.
#ifndef MU_TEST_SURFACE_PIXELS_H
#define MU_TEST_SURFACE_PIXELS_H

#include <gtest/gtest.h>
#include <mu.h>

#include <functional>
#include <vector>

namespace testpix {

// Starts the shell once with a windowed 640 x 480 screen (scene 1); true when
// both the shell and muDraw::Screen ran.
bool StartScreen();

// A test program's screen: started before its first test, released after its
// last (::testing::AddGlobalTestEnvironment(new testpix::ScreenEnvironment)).
class ScreenEnvironment : public ::testing::Environment {
 public:
  void SetUp() override;
  void TearDown() override;
};

// A copy of a whole surface, taken with one lock.
class Snapshot {
 public:
  explicit Snapshot(LPDIRECTDRAWSURFACE surface);
  bool Ok() const { return ok_; }
  DWORD At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  bool ok_ = false;
  int width_ = 0, height_ = 0;
  std::vector<DWORD> pixels_;
};

DWORD ReadPixel(LPDIRECTDRAWSURFACE surface, int x, int y);
void FillSurface(LPDIRECTDRAWSURFACE surface, DWORD value);
// Writes every pixel of the sprite with value(x, y), through one lock.
void PaintValues(int sprite, const std::function<DWORD(int, int)>& value);
// The screen's pixel value of a colour.
DWORD ValueOf(COLORREF colour);
// A pixel value from 8-bit channels on the back screen's format.
DWORD Rgb(int red, int green, int blue);
// The channel c (0 red, 1 green, 2 blue) of a back-screen pixel value, unscaled.
DWORD Channel(DWORD value, int c);

}  // namespace testpix

#endif
