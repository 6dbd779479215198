// The pixel layer every software effect, copy and conversion works on: a view
// of pixels in memory (pointer, pitch, size) and the pixel format that says
// where each channel sits. Plain C++: the Windows side fills a view from a
// locked surface and hands it to kernels that know nothing of DirectDraw.
//
// Conventions for kernels: `void Name(PixelView dst, ConstPixelView src,
// const PixelFormat& f, args...)` over views that are already clipped and of
// equal size; rows are reached through Row<P>(y), never by width x bytes, so a
// pitch larger than the row (surfaces, padded test pictures) always works.
// Pixel pointers are aligned to the pixel size (2 or 4 bytes).
#ifndef MU_DRAW_PIXELS_PIXEL_VIEW_H
#define MU_DRAW_PIXELS_PIXEL_VIEW_H

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "draw/pixel_format.h"

namespace mu {

constexpr int kRed = 0, kGreen = 1, kBlue = 2;

// Where the channels of a pixel lie. Built once at screen set-up for the back
// screen (screenFormat); tests build their own with MakePixelFormat.
struct PixelFormat {
  int bytesPerPixel;             // 2 or 4; anything else has no software effects
  std::uint32_t mask[3];         // raw channel masks, red, green, blue
  ChannelFormat channel[3];      // max, shift and top5 of each channel
  std::uint32_t halfMask;        // every channel bit but each channel's highest
  std::uint32_t white;           // every channel bit set

  bool Sixteen() const { return bytesPerPixel == 2; }
  bool ThirtyTwo() const { return bytesPerPixel == 4; }
  // The native value of channel c of pixel p, and a value put back in place.
  std::uint32_t Get(std::uint32_t p, int c) const {
    return (p >> channel[c].shift) & channel[c].max;
  }
  std::uint32_t Put(std::uint32_t v, int c) const { return v << channel[c].shift; }
};

// bitsPerPixel 16 or 32 (24 and 8 give bytesPerPixel 3 and 1: no kernel takes them).
PixelFormat MakePixelFormat(int bitsPerPixel, std::uint32_t red, std::uint32_t green,
                            std::uint32_t blue);

// The common formats, for tests and tools.
PixelFormat Format565();
PixelFormat Format555();
PixelFormat Format888();   // 32-bit x8r8g8b8

// The back screen's format, set by muDraw::Screen (bytesPerPixel 0 before).
extern PixelFormat screenFormat;

template <typename Byte>
struct BasicPixelView {
  Byte* pixels;           // the top-left pixel of the view
  std::ptrdiff_t pitch;   // bytes from the start of one row to the next
  int width, height;      // in pixels

  template <typename P>
  auto Row(int y) const {
    using Out = typename std::conditional<std::is_const<Byte>::value, const P, P>::type;
    return reinterpret_cast<Out*>(pixels + y * pitch);
  }
  template <typename P>
  auto At(int x, int y) const {
    return Row<P>(y) + x;
  }
  // The part (x, y, w, h) of this view; the caller keeps it inside.
  BasicPixelView Sub(int x, int y, int w, int h, int bytesPerPixel) const {
    return BasicPixelView{pixels + y * pitch + static_cast<std::ptrdiff_t>(x) * bytesPerPixel,
                          pitch, w, h};
  }
  bool Empty() const { return width <= 0 || height <= 0; }
};

using PixelView = BasicPixelView<std::uint8_t>;
using ConstPixelView = BasicPixelView<const std::uint8_t>;

inline ConstPixelView AsConst(const PixelView& v) {
  return ConstPixelView{v.pixels, v.pitch, v.width, v.height};
}

}  // namespace mu

#endif
