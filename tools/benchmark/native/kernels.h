// The kernel table of the native effects benchmark: every effect kernel
// registers a row (from a *_kernels.cpp file of its own area, in this folder)
// that runs it once over a full picture onto a full screen of the same size.
// The benchmark times each row, median of many calls, beside the anchors
// measured in the same run (memcpy of a frame, SDL2 and pixman blits).
#ifndef MU_TOOLS_BENCHMARK_NATIVE_KERNELS_H
#define MU_TOOLS_BENCHMARK_NATIVE_KERNELS_H

#include "draw/pixels/pixel_view.h"

namespace kbench {

struct Kernel {
  const char* name;
  // One call: `picture` (stripes with black, transparent holes) onto `screen`.
  void (*run)(mu::PixelView screen, mu::ConstPixelView picture, const mu::PixelFormat& f);
};

struct Register {
  explicit Register(const Kernel& k);
};

}  // namespace kbench

#endif
