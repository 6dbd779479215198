// The fills' rectangles cut to the surface, and the tint kernel on 16- and
// 32-bit pictures, fast path against the plain rule.
#include <gtest/gtest.h>

#include <climits>

#include "draw/effects/fill_rects.h"
#include "draw/effects/tint.h"
#include "pixel_pictures.h"

namespace {

using mu::ClipBounds;

TEST(FillRects, CutToTheSurface) {
  struct Case {
    ClipBounds in;
    const char* out;
  } cases[] = {
      {{10, 10, 20, 20}, "10 10 20 20"},
      {{600, 470, 700, 500}, "600 470 640 480"},
      {{-5, -5, 3, 2}, "0 0 3 2"},
      {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, "0 0 640 480"},
      {{50, 50, 40, 60}, "nothing"},     // inverted
      {{50, 50, 50, 60}, "nothing"},     // empty
      {{640, 0, 700, 10}, "nothing"},    // wholly off
      {{-20, 0, 0, 10}, "nothing"},
  };
  for (const Case& c : cases) {
    ClipBounds r = c.in;
    EXPECT_EQ(pictures::Ints(r, mu::CutToSurface(r, 640, 480)), c.out) << pictures::Ints(c.in);
  }
}

struct Format {
  const char* name;
  mu::PixelFormat (*make)();
};
const Format kFormats[] = {{"565", mu::Format565}, {"555", mu::Format555}, {"888", mu::Format888}};

TEST(Tint, WhiteOverBlackIsHalfOfEachChannel) {
  for (const Format& fm : kFormats) {
    SCOPED_TRACE(fm.name);
    const mu::PixelFormat f = fm.make();
    pictures::Picture p(5, 3, f.bytesPerPixel);
    p.Fill(0);
    mu::Tint(p.View(), f, f.white);
    // Half of each channel's top: 15 of 31, 31 of 63, 127 of 255.
    for (int c = 0; c < 3; ++c) EXPECT_EQ(f.Get(p.Get(4, 2), c), f.channel[c].max / 2);
    EXPECT_TRUE(p.GuardsIntact());
  }
  // Black over white halves it; a value of the low bits only adds nothing.
  pictures::Picture p(1, 1, 2);
  p.Fill(0xFFFF);
  mu::Tint(p.View(), mu::Format565(), 0x0821);
  EXPECT_EQ(p.Get(0, 0), 0x7BEFu);
}

TEST(Tint, FastPathEqualsThePlainRule) {
  // Widths around the 16-byte step, odd starts, padded pitches.
  for (const Format& fm : kFormats) {
    const mu::PixelFormat f = fm.make();
    for (int width : {1, 3, 7, 8, 9, 16, 17, 33, 640}) {
      for (int offset : {0, 1, 3}) {
        SCOPED_TRACE(testing::Message() << fm.name << " width " << width << " offset " << offset);
        pictures::Picture fast(width, 4, f.bytesPerPixel, 5, offset);
        pictures::Picture plain(width, 4, f.bytesPerPixel, 5, offset);
        fast.FillRandom(f, width * 31 + offset);
        plain.FillRandom(f, width * 31 + offset);
        const std::uint32_t value = 0x9E3779B9u & f.white;
        mu::Tint(fast.View(), f, value);
        mu::TintReference(plain.View(), f, value);
        EXPECT_EQ(fast.FirstDifference(plain), "");
        EXPECT_TRUE(fast.GuardsIntact());
      }
    }
  }
}

TEST(Tint, OtherPixelSizesAndEmptyViewsAreLeftAlone) {
  pictures::Picture p(4, 2, 3);
  p.Fill(0x123456);
  mu::PixelFormat f = mu::MakePixelFormat(24, 0xFF0000, 0xFF00, 0xFF);
  mu::Tint(p.View(), f, 0);
  EXPECT_EQ(p.Get(3, 1), 0x123456u);
  pictures::Picture empty(0, 0, 2);
  mu::Tint(empty.View(), mu::Format565(), 0xFFFF);
  EXPECT_TRUE(empty.GuardsIntact());
}

}  // namespace
