#include "draw/pixels/copy.h"

#include <cstring>

namespace mu {

namespace {

template <typename P>
void OpaqueLoop(PixelView dst, ConstPixelView src) {
  for (int y = 0; y < dst.height; ++y) {
    const P* from = src.Row<P>(y);
    P* to = dst.Row<P>(y);
    for (int x = 0; x < dst.width; ++x) to[x] = from[x];
  }
}

template <typename P>
void KeyedLoop(PixelView dst, ConstPixelView src, ColorKey key) {
  for (int y = 0; y < dst.height; ++y) {
    const P* from = src.Row<P>(y);
    P* to = dst.Row<P>(y);
    for (int x = 0; x < dst.width; ++x) {
      if ((from[x] & key.mask) != key.value) to[x] = from[x];
    }
  }
}

}  // namespace

void CopyOpaqueReference(PixelView dst, ConstPixelView src, int bytesPerPixel) {
  if (bytesPerPixel == 2) OpaqueLoop<std::uint16_t>(dst, src);
  if (bytesPerPixel == 4) OpaqueLoop<std::uint32_t>(dst, src);
}

void CopyKeyedReference(PixelView dst, ConstPixelView src, int bytesPerPixel, ColorKey key) {
  if (bytesPerPixel == 2) KeyedLoop<std::uint16_t>(dst, src, key);
  if (bytesPerPixel == 4) KeyedLoop<std::uint32_t>(dst, src, key);
}

void CopyOpaque(PixelView dst, ConstPixelView src, int bytesPerPixel) {
  if ((bytesPerPixel != 2 && bytesPerPixel != 4) || dst.Empty()) return;
  const std::size_t bytes = static_cast<std::size_t>(dst.width) * bytesPerPixel;
  for (int y = 0; y < dst.height; ++y) {
    std::memcpy(dst.Row<std::uint8_t>(y), src.Row<std::uint8_t>(y), bytes);
  }
}

void CopyKeyed(PixelView dst, ConstPixelView src, int bytesPerPixel, ColorKey key) {
#ifdef __SSE2__
  CopyKeyedSse2(dst, src, bytesPerPixel, key);
#else
  CopyKeyedReference(dst, src, bytesPerPixel, key);
#endif
}

}  // namespace mu
