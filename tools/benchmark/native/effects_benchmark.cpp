// The native effects benchmark: every kernel of the table (kernels.h) over a
// full 640 x 480 picture onto a full 640 x 480 screen, median microseconds per
// call of the fast path and of the reference loop, beside the anchors measured
// in the same run on the same pixels: memcpy of one frame, SDL2's colour-keyed,
// alpha-mod and additive blits, pixman's OVER with a 50 % mask and ADD.
//   effects_benchmark [16|32|both] [name filter]     (default: 16, every row)
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#ifdef MU_HAVE_SDL2
#include <SDL.h>
#endif
#ifdef MU_HAVE_PIXMAN
#include <pixman.h>
#endif

#include "draw/effects/channels.h"
#include "draw/pixel_format.h"
#include "kernels.h"

namespace kbench {

namespace {
std::vector<Kernel>& Table() {
  static std::vector<Kernel> table;
  return table;
}
}  // namespace

Register::Register(const Kernel& k) { Table().push_back(k); }

}  // namespace kbench

namespace {

constexpr int kWidth = 640, kHeight = 480;
constexpr double kSecondsPerFigure = 0.6;
constexpr int kMinRounds = 15, kMaxRounds = 400;

struct Frame {
  std::vector<std::uint8_t> bytes;
  mu::PixelView View(int bpp) {
    return mu::PixelView{bytes.data(), static_cast<std::ptrdiff_t>(kWidth) * bpp, kWidth, kHeight};
  }
};

std::uint32_t Pack(const mu::PixelFormat& f, int r, int g, int b) {
  return (static_cast<std::uint32_t>(r * f.channel[0].max / 255) << f.channel[0].shift) |
         (static_cast<std::uint32_t>(g * f.channel[1].max / 255) << f.channel[1].shift) |
         (static_cast<std::uint32_t>(b * f.channel[2].max / 255) << f.channel[2].shift);
}

// The drawing benchmark's picture: 4-pixel bands, every third one black (the
// transparent value), the others coloured by the row.
Frame Picture(const mu::PixelFormat& f) {
  Frame p;
  p.bytes.resize(static_cast<std::size_t>(kWidth) * kHeight * f.bytesPerPixel);
  for (int y = 0; y < kHeight; ++y) {
    const std::uint32_t v = (y / 4) % 3 == 0 ? 0 : Pack(f, y % 256, 90, 200);
    for (int x = 0; x < kWidth; ++x) std::memcpy(&p.bytes[(y * kWidth + x) * f.bytesPerPixel], &v, f.bytesPerPixel);
  }
  return p;
}

// A screen to draw on: a smooth colour field.
Frame Screen(const mu::PixelFormat& f) {
  Frame p;
  p.bytes.resize(static_cast<std::size_t>(kWidth) * kHeight * f.bytesPerPixel);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const std::uint32_t v = Pack(f, (x * 255) / kWidth, (y * 255) / kHeight, ((x + y) * 255) / (kWidth + kHeight));
      std::memcpy(&p.bytes[(y * kWidth + x) * f.bytesPerPixel], &v, f.bytesPerPixel);
    }
  return p;
}

double Seconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Median seconds of `call`, with `reset` (untimed) before each.
double Median(const std::function<void()>& call, const std::function<void()>& reset) {
  reset();
  const double t0 = Seconds();
  call();
  const double first = std::max(Seconds() - t0, 1e-7);
  const int rounds = std::clamp(static_cast<int>(kSecondsPerFigure / first), kMinRounds, kMaxRounds);
  std::vector<double> samples;
  for (int i = 0; i < rounds; ++i) {
    reset();
    const double start = Seconds();
    call();
    samples.push_back(Seconds() - start);
  }
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

struct Anchor {
  std::string name;
  double seconds;
};

std::vector<Anchor> MeasureAnchors(const mu::PixelFormat& f, Frame& screen, const Frame& screenStart,
                                   const Frame& picture) {
  std::vector<Anchor> anchors;
  const std::size_t bytes = screen.bytes.size();
  auto reset = [&] { std::memcpy(screen.bytes.data(), screenStart.bytes.data(), bytes); };
  anchors.push_back({"memcpy", Median([&] { std::memcpy(screen.bytes.data(), picture.bytes.data(), bytes); }, [] {})});
#ifdef MU_HAVE_SDL2
  {
    const Uint32 format = f.Sixteen() ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_RGB888;
    const int pitchS = kWidth * f.bytesPerPixel;
    SDL_Surface* src = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint8_t*>(picture.bytes.data()),
                                                          kWidth, kHeight, f.bytesPerPixel * 8, pitchS, format);
    SDL_Surface* dst = SDL_CreateRGBSurfaceWithFormatFrom(screen.bytes.data(), kWidth, kHeight,
                                                          f.bytesPerPixel * 8, pitchS, format);
    if (src && dst) {
      SDL_SetColorKey(src, SDL_TRUE, 0);
      SDL_SetSurfaceBlendMode(src, SDL_BLENDMODE_NONE);
      anchors.push_back({"SDL2 colour-keyed blit", Median([&] { SDL_BlitSurface(src, nullptr, dst, nullptr); }, reset)});
      SDL_SetColorKey(src, SDL_FALSE, 0);
      SDL_SetSurfaceAlphaMod(src, 128);
      SDL_SetSurfaceBlendMode(src, SDL_BLENDMODE_BLEND);
      anchors.push_back({"SDL2 alpha-mod blit", Median([&] { SDL_BlitSurface(src, nullptr, dst, nullptr); }, reset)});
      SDL_SetSurfaceAlphaMod(src, 255);
      SDL_SetSurfaceBlendMode(src, SDL_BLENDMODE_ADD);
      anchors.push_back({"SDL2 additive blit", Median([&] { SDL_BlitSurface(src, nullptr, dst, nullptr); }, reset)});
    }
    if (src) SDL_FreeSurface(src);
    if (dst) SDL_FreeSurface(dst);
  }
#endif
#ifdef MU_HAVE_PIXMAN
  {
    const pixman_format_code_t format = f.Sixteen() ? PIXMAN_r5g6b5 : PIXMAN_x8r8g8b8;
    const int stride = kWidth * f.bytesPerPixel;
    pixman_image_t* src = pixman_image_create_bits(format, kWidth, kHeight,
                                                   reinterpret_cast<uint32_t*>(const_cast<std::uint8_t*>(picture.bytes.data())), stride);
    pixman_image_t* dst = pixman_image_create_bits(format, kWidth, kHeight, reinterpret_cast<uint32_t*>(screen.bytes.data()), stride);
    pixman_color_t half = {0, 0, 0, 0x8000};
    pixman_image_t* mask = pixman_image_create_solid_fill(&half);
    anchors.push_back({"pixman OVER, 50 % mask", Median([&] {
                         pixman_image_composite32(PIXMAN_OP_OVER, src, mask, dst, 0, 0, 0, 0, 0, 0, kWidth, kHeight);
                       }, reset)});
    anchors.push_back({"pixman ADD", Median([&] {
                         pixman_image_composite32(PIXMAN_OP_ADD, src, nullptr, dst, 0, 0, 0, 0, 0, 0, kWidth, kHeight);
                       }, reset)});
    pixman_image_unref(mask);
    pixman_image_unref(src);
    pixman_image_unref(dst);
  }
#endif
  return anchors;
}

void Run(const mu::PixelFormat& f, const char* filter) {
  Frame picture = Picture(f), start = Screen(f), screen = start;
  const int bpp = f.bytesPerPixel;
  auto reset = [&] { std::memcpy(screen.bytes.data(), start.bytes.data(), screen.bytes.size()); };
  const std::vector<Anchor> anchors = MeasureAnchors(f, screen, start, picture);
  const double memcpySeconds = anchors[0].seconds;
  std::printf("\n%s, %d x %d, median microseconds per call\n", f.Sixteen() ? "5-6-5" : "8-8-8", kWidth, kHeight);
  std::printf("  anchors:\n");
  for (const Anchor& a : anchors) {
    std::printf("    %-28s %9.1f us %7.1f x memcpy\n", a.name.c_str(), a.seconds * 1e6, a.seconds / memcpySeconds);
  }
  std::printf("  %-30s %9s %9s %8s  %s\n", "kernel", "fast us", "ref us", "x memcpy", "nearest anchor");
  for (const kbench::Kernel& k : kbench::Table()) {
    if (filter && !std::strstr(k.name, filter)) continue;
    auto call = [&] { k.run(screen.View(bpp), mu::AsConst(picture.View(bpp)), f); };
    mu::kernelPath = mu::KernelPath::kFast;
    const double fast = Median(call, reset);
    mu::kernelPath = mu::KernelPath::kReference;
    const double reference = Median(call, reset);
    mu::kernelPath = mu::KernelPath::kFast;
    const Anchor* nearest = &anchors[0];
    for (const Anchor& a : anchors) {
      if (std::fabs(std::log(a.seconds / fast)) < std::fabs(std::log(nearest->seconds / fast))) nearest = &a;
    }
    std::printf("  %-30s %9.1f %9.1f %8.1f  %.2f x %s\n", k.name, fast * 1e6, reference * 1e6,
                fast / memcpySeconds, fast / nearest->seconds, nearest->name.c_str());
    std::fflush(stdout);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::string depth = argc > 1 ? argv[1] : "16";
  const char* filter = argc > 2 ? argv[2] : nullptr;
  std::srand(1);
  for (int i = 0; i < muDraw::kNoiseEntries; ++i) muDraw::noiseTable[i] = static_cast<std::uint8_t>(std::rand() % 3);
#ifndef MU_HAVE_SDL2
  std::printf("(built without SDL2: its anchors are missing)\n");
#endif
#ifndef MU_HAVE_PIXMAN
  std::printf("(built without pixman: its anchors are missing)\n");
#endif
  if (depth == "16" || depth == "both") Run(mu::Format565(), filter);
  if (depth == "32" || depth == "both") Run(mu::Format888(), filter);
  return 0;
}
