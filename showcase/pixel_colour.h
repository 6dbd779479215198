// Raw pixel values of the back screen (what fills and effects take) from
// 8-bit red, green and blue, for any channel masks. Platform-free.
#ifndef SHOWCASE_PIXEL_COLOUR_H
#define SHOWCASE_PIXEL_COLOUR_H

#include <cstdint>

namespace showcase {

// Each channel is scaled to its mask's range, rounded, and put in place.
std::uint32_t PackPixel(std::uint32_t redMask, std::uint32_t greenMask, std::uint32_t blueMask,
                        int red, int green, int blue);

}  // namespace showcase

#endif
