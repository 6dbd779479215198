#include "showcase/pixel_colour.h"

#include "draw/pixel_format.h"

namespace showcase {

namespace {

std::uint32_t Channel(std::uint32_t mask, int value) {
  const mu::ChannelFormat f = mu::AnalyseMask(mask);
  if (value < 0) value = 0;
  if (value > 255) value = 255;
  return ((static_cast<std::uint32_t>(value) * f.max + 127) / 255) << f.shift;
}

}  // namespace

std::uint32_t PackPixel(std::uint32_t redMask, std::uint32_t greenMask, std::uint32_t blueMask,
                        int red, int green, int blue) {
  return Channel(redMask, red) | Channel(greenMask, green) | Channel(blueMask, blue);
}

}  // namespace showcase
