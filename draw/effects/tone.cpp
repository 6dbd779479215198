// Tone kernels: reference loops and fast paths (per-call tables here, vectors
// in blend_sse2.cpp).
#include "draw/effects/tone.h"

#include <algorithm>

#include "draw/effects/effect_paths.h"
#include "draw/effects/channels.h"

namespace mu {

void Brightness(PixelView dst, ConstPixelView src, const PixelFormat& f, ChannelFloats factor) {
  ForDepth(dst, f, [&](auto pixel) {
    using P = decltype(pixel);
    if (!FastPath()) {
      const float held[3] = {FactorValue(factor.v[0]), FactorValue(factor.v[1]), FactorValue(factor.v[2])};
      EachPixel<P>(dst, src, [&](std::uint32_t s, std::uint32_t) {
        std::uint32_t out = 0;
        for (int c = 0; c < 3; ++c) {
          const long double v = static_cast<long double>(f.Get(s, c)) * held[c];
          const long long t = static_cast<long long>(v);
          out |= f.Put(static_cast<std::uint32_t>(std::min<long long>(t, f.channel[c].max)), c);
        }
        return out;
      });
      return;
    }
    ScaleSteps steps[3];
    for (int c = 0; c < 3; ++c) steps[c].Build(factor.v[c], static_cast<int>(f.channel[c].max));
#ifdef __SSE2__
    if (sse2::Brightness(dst, src, f, steps)) return;
#endif
    EachPixel<P>(dst, src, [&](std::uint32_t s, std::uint32_t) {
      std::uint32_t out = 0;
      for (int c = 0; c < 3; ++c) out |= f.Put(static_cast<std::uint32_t>(steps[c].value[f.Get(s, c)]), c);
      return out;
    });
  });
}

void GrayBlt(PixelView dst, ConstPixelView src, const PixelFormat& f) {
  ForDepth(dst, f, [&](auto pixel) {
    using P = decltype(pixel);
#ifdef __SSE2__
    if (FastPath() && sse2::GrayBlt(dst, src, f)) return;
#endif
    EachPixel<P>(dst, src, [&](std::uint32_t s, std::uint32_t) {
      const std::uint32_t g =
          (Depth<P>::Get(s, f, kRed) + Depth<P>::Get(s, f, kGreen) + Depth<P>::Get(s, f, kBlue)) / 3;
      return Depth<P>::Put(g, f, kRed) | Depth<P>::Put(g, f, kGreen) | Depth<P>::Put(g, f, kBlue);
    });
  });
}

void ChannelMask(PixelView dst, ConstPixelView src, const PixelFormat& f, bool keepRed,
                 bool keepGreen, bool keepBlue) {
  ForDepth(dst, f, [&](auto pixel) {
    using P = decltype(pixel);
    const std::uint32_t keep =
        (keepRed ? f.mask[kRed] : 0) | (keepGreen ? f.mask[kGreen] : 0) | (keepBlue ? f.mask[kBlue] : 0);
#ifdef __SSE2__
    if (FastPath() && sse2::ChannelMask(dst, src, f, keep)) return;
#endif
    EachPixel<P>(dst, src, [keep](std::uint32_t s, std::uint32_t) { return s & keep; });
  });
}

}  // namespace mu
