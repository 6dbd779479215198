// The blits' copies: the keyed rule as DirectDraw applies it, and the fast
// paths equal to the reference loops on padded, oddly placed pictures.
#include "draw/pixels/copy.h"

#include <gtest/gtest.h>

#include <random>

#include "pixel_pictures.h"

namespace {

using pictures::Picture;

constexpr std::uint32_t kDst = 0x5A5A5A5A;   // what the destination held before

// One source pixel through the keyed reference copy: written or left out.
bool Written(int bytes, std::uint32_t pixel, mu::ColorKey key) {
  Picture src(1, 1, bytes), dst(1, 1, bytes);
  src.Set(0, 0, pixel);
  dst.Fill(kDst);
  mu::CopyKeyedReference(dst.View(), mu::AsConst(src.View()), bytes, key);
  return dst.Get(0, 0) == pixel;
}

TEST(KeyedCopy, LeavesOutExactlyTheKeyedPixels) {
  struct Case {
    int bytes;
    std::uint32_t pixel, key, mask;
    bool written;
  } cases[] = {
      {2, 0x1234, 0x1234, 0xFFFF, false},
      {2, 0x1235, 0x1234, 0xFFFF, true},
      {2, 0x0000, 0x0000, 0xFFFF, false},           // black, the default key
      {2, 0xFFFF, 0xFFFF, 0xFFFF, false},
      {2, 0xFFFF, 0xFFFFFFFF, 0xFFFF, true},        // a failed colour match keys nothing
      {2, 0x8000, 0x0000, 0x7FFF, false},           // 5-5-5: the unused top bit never decides
      {2, 0x8000, 0x8000, 0x7FFF, true},            // and a key that sets it matches nothing
      {4, 0x00123456, 0x00123456, 0xFFFFFF, false},
      {4, 0xAB123456, 0x00123456, 0xFFFFFF, false}, // the unused top byte never decides
      {4, 0x00123456, 0xAB123456, 0xFFFFFF, true},  // a key with it set matches nothing
      {4, 0x01000000, 0x00000000, 0xFFFFFF, false},
      {4, 0x00123457, 0x00123456, 0xFFFFFF, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.bytes << " bytes, pixel " << std::hex << c.pixel
                                    << ", key " << c.key);
    EXPECT_EQ(Written(c.bytes, c.pixel, {c.key, c.mask}), c.written);
  }
}

// Raw pixel values of every bit, the unused top byte included, with about
// `keyShare` of them equal to the key in their colour bits.
void FillWithKeys(Picture& p, std::uint32_t seed, mu::ColorKey key, double keyShare) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  for (int y = 0; y < p.Height(); ++y) {
    for (int x = 0; x < p.Width(); ++x) {
      std::uint32_t v = rng();
      if (unit(rng) < keyShare) v = (v & ~key.mask) | key.value;
      p.Set(x, y, v);
    }
  }
}

struct Shape {
  int width, height, pad, offset;
};
const Shape kShapes[] = {
    {0, 3, 2, 0},  {1, 1, 0, 0},  {7, 5, 3, 1},   {8, 4, 0, 0},   {9, 3, 1, 3},
    {15, 2, 5, 1}, {16, 6, 0, 2}, {17, 9, 7, 1},  {33, 5, 2, 5},  {640, 3, 16, 0},
};
const double kKeyShares[] = {0.0, 0.3, 0.9, 1.0};

TEST(CopyFastPaths, EqualTheReferenceOnRandomPictures) {
  std::uint32_t seed = 1;
  for (int bytes : {2, 4}) {
    const mu::PixelFormat f = bytes == 2 ? mu::Format565() : mu::Format888();
    const std::uint32_t mask = mu::KeyMask(f.mask[0], f.mask[1], f.mask[2]);
    const mu::ColorKey keys[] = {{0, mask}, {0xF81F & mask, mask}, {0x00ABCDEF & mask, mask},
                                 {0xFFFFFFFF, mask}};
    for (const Shape& s : kShapes) {
      for (const mu::ColorKey& key : keys) {
        for (double share : kKeyShares) {
          SCOPED_TRACE(testing::Message() << bytes << " bytes, " << s.width << " x " << s.height
                                          << ", key " << std::hex << key.value << ", share "
                                          << share);
          // The source's own padding holds pixels too, so a copy that runs
          // past the row's end writes something the guards notice.
          Picture whole(s.width + 8, s.height, bytes, s.pad, s.offset);
          FillWithKeys(whole, ++seed, key, share);
          const mu::ConstPixelView src =
              mu::AsConst(whole.View()).Sub(0, 0, s.width, s.height, bytes);
          Picture want(s.width, s.height, bytes, s.pad + 1, s.offset + 1);
          FillWithKeys(want, ++seed, key, 0.0);
          Picture got = want, opaque = want, opaqueWant = want;

          mu::CopyKeyedReference(want.View(), src, bytes, key);
          mu::CopyKeyed(got.View(), src, bytes, key);
          EXPECT_EQ(got.FirstDifference(want), "");
          EXPECT_TRUE(got.GuardsIntact());

          mu::CopyOpaqueReference(opaqueWant.View(), src, bytes);
          mu::CopyOpaque(opaque.View(), src, bytes);
          EXPECT_EQ(opaque.FirstDifference(opaqueWant), "");
          EXPECT_TRUE(opaque.GuardsIntact());
        }
      }
    }
  }
}

TEST(CopyFastPaths, OtherPixelSizesCopyNothing) {
  Picture src(4, 2, 3), dst(4, 2, 3);
  src.Fill(0x123456);
  dst.Fill(0x654321);
  Picture before = dst;
  mu::CopyOpaque(dst.View(), mu::AsConst(src.View()), 3);
  mu::CopyKeyed(dst.View(), mu::AsConst(src.View()), 3, {0, 0xFFFFFF});
  EXPECT_EQ(dst.FirstDifference(before), "");
}

}  // namespace
