#include "draw/pixels/pixel_view.h"

namespace mu {

PixelFormat screenFormat;

PixelFormat MakePixelFormat(int bitsPerPixel, std::uint32_t red, std::uint32_t green,
                            std::uint32_t blue) {
  PixelFormat f = {};
  f.bytesPerPixel = (bitsPerPixel + 7) / 8;
  const std::uint32_t masks[3] = {red, green, blue};
  for (int c = 0; c < 3; ++c) {
    f.mask[c] = masks[c];
    f.channel[c] = AnalyseMask(masks[c]);
    // Halving a channel must not borrow from its neighbour: leave out its top bit.
    f.halfMask |= (f.channel[c].max >> 1) << f.channel[c].shift;
    f.white |= masks[c];
  }
  return f;
}

PixelFormat Format565() { return MakePixelFormat(16, 0xF800, 0x07E0, 0x001F); }
PixelFormat Format555() { return MakePixelFormat(16, 0x7C00, 0x03E0, 0x001F); }
PixelFormat Format888() { return MakePixelFormat(32, 0xFF0000, 0x00FF00, 0x0000FF); }

}  // namespace mu
