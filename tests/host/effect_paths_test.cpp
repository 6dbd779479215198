// Walks the effect kernel table (effect_cases.h): for every kernel, the fast
// path equals the reference bit for bit on random pictures with odd widths,
// odd start addresses, padded pitches, transparent pixels and cut-out parts of
// larger pictures, in 5-6-5, 5-5-5 and 8-8-8; and a 32-bit result reduced to
// five bits per channel is within one level of the 5-5-5 result of the same
// inputs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "draw/effects/channels.h"
#include "draw/pixel_format.h"
#include "effect_cases.h"
#include "pixel_pictures.h"

namespace effectcases {

namespace {
std::vector<Case>& Table() {
  static std::vector<Case> table;
  return table;
}
}  // namespace

Register::Register(std::initializer_list<Case> rows) { Table().insert(Table().end(), rows); }
const std::vector<Case>& Cases() { return Table(); }

}  // namespace effectcases

namespace {

using pictures::Picture;

// A noise table as screen set-up makes it (values 0..2), for the noisy kernels.
class EffectPaths : public ::testing::Test {
 protected:
  void SetUp() override {
    std::srand(11);
    for (int i = 0; i < muDraw::kNoiseEntries; ++i) muDraw::noiseTable[i] = static_cast<std::uint8_t>(std::rand() % 3);
  }
  void TearDown() override { mu::kernelPath = mu::KernelPath::kFast; }
};

struct Shape {
  int width, height, pad, offset;
  double zeroShare;
};
const Shape kShapes[] = {
    {1, 1, 0, 0, 0.2}, {2, 2, 1, 1, 0.2},   {7, 3, 3, 1, 0.3},  {8, 4, 0, 0, 0.0},  {9, 5, 5, 3, 0.5},
    {17, 9, 2, 1, 0.1}, {33, 7, 0, 7, 1.0}, {70, 12, 4, 2, 0.2}, {3, 40, 1, 1, 0.05},
};

const mu::PixelFormat kFormats[] = {mu::Format565(), mu::Format555(), mu::Format888()};

TEST_F(EffectPaths, FastPathEqualsReference) {
  ASSERT_GE(effectcases::Cases().size(), 20u);
  for (const effectcases::Case& c : effectcases::Cases()) {
    for (const mu::PixelFormat& f : kFormats) {
      for (unsigned seed = 0; seed < 12; ++seed) {
        const Shape& shape = kShapes[seed % (sizeof kShapes / sizeof kShapes[0])];
        // The views are the inner part of larger pictures, as a clipped effect sees them.
        Picture src(shape.width + 2, shape.height + 2, f.bytesPerPixel, shape.pad, shape.offset);
        Picture fast(shape.width + 2, shape.height + 2, f.bytesPerPixel, shape.pad + 1, shape.offset + 1);
        src.FillRandom(f, 100 + seed, shape.zeroShare);
        fast.FillRandom(f, 200 + seed, 0.1);
        Picture reference = fast;
        auto inner = [&](Picture& p) { return p.View().Sub(1, 1, shape.width, shape.height, f.bytesPerPixel); };
        const mu::ConstPixelView s = mu::AsConst(src.View()).Sub(1, 1, shape.width, shape.height, f.bytesPerPixel);

        effectcases::Args fastArgs(seed), referenceArgs(seed);
        mu::kernelPath = mu::KernelPath::kFast;
        c.run(inner(fast), s, f, fastArgs);
        mu::kernelPath = mu::KernelPath::kReference;
        c.run(inner(reference), s, f, referenceArgs);
        EXPECT_EQ(fast.FirstDifference(reference), "")
            << c.name << ", " << f.bytesPerPixel * 8 << "-bit, seed " << seed;
        EXPECT_TRUE(fast.GuardsIntact()) << c.name;
      }
    }
  }
}

// The 5-5-5 picture of an 8-8-8 one: each channel's top five bits.
Picture Reduced(const Picture& p) {
  const mu::PixelFormat f32 = mu::Format888();
  Picture out(p.Width(), p.Height(), 2);
  for (int y = 0; y < p.Height(); ++y) {
    for (int x = 0; x < p.Width(); ++x) {
      const std::uint32_t v = p.Get(x, y);
      out.Set(x, y, ((f32.Get(v, 0) >> 3) << 10) | ((f32.Get(v, 1) >> 3) << 5) | (f32.Get(v, 2) >> 3));
    }
  }
  return out;
}

TEST_F(EffectPaths, ThirtyTwoBitWithinOneLevelOfSixteen) {
  const mu::PixelFormat f32 = mu::Format888(), f16 = mu::Format555();
  for (const effectcases::Case& c : effectcases::Cases()) {
    for (unsigned seed = 0; seed < 10; ++seed) {
      const int w = 5 + 7 * static_cast<int>(seed), h = 3 + static_cast<int>(seed % 4) * 5;
      Picture src(w, h, 4), dst(w, h, 4);
      src.FillRandom(f32, 300 + seed, 0.25);
      dst.FillRandom(f32, 400 + seed, 0.1);
      // A drawn 32-bit pixel must stay drawn in five bits.
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
          if (src.Get(x, y) != 0 && (src.Get(x, y) & 0xF8F8F8) == 0) src.Set(x, y, src.Get(x, y) | 0x080000);
      Picture src16 = Reduced(src), dst16 = Reduced(dst);

      effectcases::Args args32(seed), args16(seed);
      c.run(dst.View(), mu::AsConst(src.View()), f32, args32);
      c.run(dst16.View(), mu::AsConst(src16.View()), f16, args16);
      int worst = 0;
      std::string where;
      for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
          for (int ch = 0; ch < 3; ++ch) {
            const int a = static_cast<int>(f32.Get(dst.Get(x, y), ch) >> 3);
            const int b = static_cast<int>(f16.Get(dst16.Get(x, y), ch));
            if (std::abs(a - b) > worst) {
              worst = std::abs(a - b);
              where = "(" + std::to_string(x) + ", " + std::to_string(y) + ") channel " + std::to_string(ch);
            }
          }
        }
      }
      EXPECT_LE(worst, 1) << c.name << ", seed " << seed << ", at " << where;
    }
  }
}

}  // namespace
