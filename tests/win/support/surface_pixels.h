// Raw pixels of DirectDraw surfaces for the drawing tests, through the
// surfaces' own locks (not the library's): copied out whole, written back,
// filled with seeded random pixels, compared and digested; single pixels and
// colour values; pictures written as PPM files to look at, and BMP files for
// the loaders.
#ifndef MU_TEST_SURFACE_PIXELS_H
#define MU_TEST_SURFACE_PIXELS_H

#include <mu.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "draw/pixels/pixel_view.h"

namespace testpix {

// A surface's pixels row after row without the pitch's padding, as stored
// (2 or 4 bytes a pixel); empty when the lock fails.
using Bytes = std::vector<std::uint8_t>;
Bytes ReadBytes(LPDIRECTDRAWSURFACE surface);
void WriteBytes(LPDIRECTDRAWSURFACE surface, const Bytes& pixels);
// A view of such pixels, on the screen's pixel size.
mu::PixelView View(Bytes& pixels, int width, int height);

// Writes every pixel of the surface with the bits `kept` of a value from a
// generator seeded with `seed`; about one pixel in `oneIn` (never, for 0)
// has its colour bits set to `special` instead. Returns what it wrote.
Bytes FillRandom(LPDIRECTDRAWSURFACE surface, std::uint32_t seed, DWORD kept, int oneIn = 0,
                 DWORD special = 0);

// The first pixel where the surface differs from `expected` ("(x, y): got,
// expected"), or "".
std::string FirstDifference(LPDIRECTDRAWSURFACE surface, const Bytes& expected);

// A digest of every pixel of the surface.
std::uint64_t Hash(LPDIRECTDRAWSURFACE surface);

// A copy of a whole surface, taken with one lock, a pixel at a time.
class Snapshot {
 public:
  explicit Snapshot(LPDIRECTDRAWSURFACE surface);
  bool Ok() const { return ok_; }
  DWORD At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

 private:
  bool ok_ = false;
  int width_ = 0, height_ = 0;
  std::vector<DWORD> pixels_;
};

// One pixel through a lock; 0xDEADBEEF when the lock fails.
DWORD ReadPixel(LPDIRECTDRAWSURFACE surface, int x, int y);
// A colour-fill blit of the whole surface.
void FillSurface(LPDIRECTDRAWSURFACE surface, DWORD value);
// Writes every pixel of the sprite with value(x, y), through one lock.
void PaintValues(int sprite, const std::function<DWORD(int, int)>& value);
// True when the surface can be locked: nothing left it locked.
bool Unlocked(LPDIRECTDRAWSURFACE surface);

// The screen's pixel value of a colour.
DWORD ValueOf(COLORREF colour);
// A pixel value from 8-bit channels on the back screen's format.
DWORD Rgb(int red, int green, int blue);
// The channel c (0 red, 1 green, 2 blue) of a back-screen pixel value, unscaled,
// and its largest value (31 or 63 on 16 bits, 255 on 32).
DWORD Channel(DWORD value, int c);
DWORD ChannelMax(int c);

// The width x height pixels at (x, y) of a surface of the screen's format as
// an 8-bit RGB PPM file; false when it cannot be written.
bool WritePpm(const std::string& path, LPDIRECTDRAWSURFACE surface, int x, int y, int width, int height);

// A 24-bit BMP file of colour(x, y) at a path relative to the program.
void WriteBmp(const std::string& name, int width, int height,
              const std::function<COLORREF(int, int)>& colour);

}  // namespace testpix

#endif
