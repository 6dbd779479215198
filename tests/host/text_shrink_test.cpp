// The smoothed text's shrink: its clip rule, its cut to the surfaces, and
// the nine-sample rule on 16-, 32- and 24-bit pixels.
#include "text/shrink.h"

#include <gtest/gtest.h>

#include "pixel_pictures.h"

namespace {

using pictures::Picture;

const mu::ClipBounds kScreen = {0, 0, 640, 480};

mu::ConstPixelView Read(const Picture& p) { return p.View(); }

using pictures::Ints;

TEST(ClipShrink, CutsTheFinalSizeAndSkipsTheClippedColumns) {
  const struct {
    const char* name;
    int x, y, sr, sb;
    mu::ClipBounds clip;
    const char* area;   // x y column row width height sourceLeft sourceTop
  } cases[] = {
      {"inside", 100, 50, 64, 32, kScreen, "100 50 0 0 32 16 0 0"},
      {"odd source size", 100, 50, 65, 33, kScreen, "100 50 0 0 32 16 0 0"},
      {"cut at the right", 620, 50, 64, 32, kScreen, "620 50 0 0 20 16 0 0"},
      {"cut at the bottom", 100, 470, 64, 32, kScreen, "100 470 0 0 32 10 0 0"},
      {"left of the clip", 7, 50, 64, 32, {10, 0, 640, 480}, "10 50 3 0 29 16 0 0"},
      {"above the clip", 100, 12, 64, 32, {0, 20, 640, 480}, "100 20 0 8 32 8 0 0"},
      {"exactly at the right edge", 640, 50, 64, 32, kScreen, "640 50 0 0 0 16 0 0"},
      {"past the right edge", 700, 50, 64, 32, kScreen, "nothing"},
      {"wholly left of the clip", -100, 50, 64, 32, kScreen, "nothing"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    mu::ShrinkArea a = {};
    EXPECT_EQ(Ints(a, mu::ClipShrink(c.x, c.y, 0, 0, c.sr, c.sb, c.clip, a)), c.area);
  }
}

TEST(FitShrink, KeepsReadsAndWritesOnTheSurfaces) {
  const struct {
    const char* name;
    mu::ShrinkArea in;
    int srcWidth;
    const char* area;   // x y column row width height sourceLeft sourceTop
  } cases[] = {
      {"inside", {100, 50, 0, 0, 32, 16, 0, 0}, 640, "100 50 0 0 32 16 0 0"},
      {"left of the target", {-10, -4, 0, 0, 32, 16, 0, 0}, 640, "0 0 10 4 22 12 0 0"},
      {"past the target", {630, 475, 0, 0, 32, 16, 0, 0}, 640, "630 475 0 0 10 5 0 0"},
      {"source narrower than the segment", {0, 0, 0, 0, 32, 16, 0, 0}, 41, "0 0 0 0 20 16 0 0"},
      {"source ending mid-segment, skipped columns", {0, 0, 5, 0, 32, 16, 0, 0}, 41,
       "0 0 5 0 15 16 0 0"},
      {"source starting before the surface", {0, 0, 0, 0, 32, 16, -3, 0}, 640, "2 0 2 0 30 16 -3 0"},
      {"nothing on the target", {700, 0, 0, 0, 32, 16, 0, 0}, 640, "nothing"},
      {"nothing in the source", {0, 0, 0, 0, 32, 16, 700, 0}, 640, "nothing"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    mu::ShrinkArea a = c.in;
    EXPECT_EQ(Ints(a, mu::FitShrink(a, c.srcWidth, 480, 640, 480)), c.area);
  }
}

// ---- The nine-sample rule on one final pixel ------------------------------------

mu::PixelFormat Format24() { return mu::MakePixelFormat(24, 0xFF0000, 0x00FF00, 0x0000FF); }

std::uint32_t Top5Of565(int r, int g, int b) {
  return static_cast<std::uint32_t>(r << 11 | g << 6 | b);   // green's low bit 0
}
std::uint32_t Of888(int r, int g, int b) { return static_cast<std::uint32_t>(r << 16 | g << 8 | b); }
std::uint32_t OfBytes(int b0, int b1, int b2) {
  return static_cast<std::uint32_t>(b0 | b1 << 8 | b2 << 16);
}

constexpr std::uint32_t kUntouched = 0x1234;

// One final pixel from a 3 x 3 picture of samples: sample value `sample`
// where `drawn` (nine bits, row by row, bit 0 the top-left) has a bit, 0
// elsewhere; its source pixel is the centre, so the left column and the top
// row are the neighbours that leftInside and topInside let in.
TEST(ShrinkLine, NineSampleRule) {
  const mu::PixelFormat f565 = mu::Format565(), f888 = mu::Format888(), f24 = Format24();
  const std::uint32_t s565 = Top5Of565(8, 20, 4), u565 = Top5Of565(16, 0, 31);
  const std::uint32_t s888 = Of888(64, 160, 32), u888 = Of888(128, 0, 255);
  const struct {
    const char* name;
    const mu::PixelFormat& format;
    std::uint32_t sample, under;
    int drawn;
    bool leftInside, topInside;
    std::uint32_t expected;
  } cases[] = {
      // 5-bit channels: (n x sample + 31 + (8 - n) x under) / 8, clamped to 31.
      {"16-bit, all nine", f565, s565, u565, 0x1FF, true, true, Top5Of565(12, 26, 8)},
      {"16-bit, the centre alone", f565, s565, u565, 0x010, true, true, Top5Of565(18, 6, 31)},
      {"16-bit, eight: no back screen", f565, s565, u565, 0x1EF, true, true, Top5Of565(11, 23, 7)},
      {"16-bit, none: left transparent", f565, s565, u565, 0, true, true, kUntouched},
      {"16-bit, top-left corner of the segment", f565, s565, u565, 0x1FF, false, false,
       Top5Of565(15, 13, 21)},
      {"16-bit, left edge of the segment", f565, s565, u565, 0x1FF, false, true,
       Top5Of565(13, 18, 14)},
      {"16-bit, drawn only outside the segment", f565, s565, u565, 0x049, false, true, kUntouched},
      {"16-bit, clamped", f565, Top5Of565(31, 31, 31), 0, 0x1FF, true, true,
       Top5Of565(31, 31, 31)},
      {"16-bit 5-5-5", mu::Format555(), 8 << 10 | 20 << 5 | 4, 16 << 10 | 31, 0x010, true, true,
       18 << 10 | 6 << 5 | 31},
      // 8-bit channels: the same with 255.
      {"32-bit, the centre alone", f888, s888, u888, 0x010, true, true, Of888(151, 51, 255)},
      {"32-bit, all nine", f888, s888, u888, 0x1FF, true, true, Of888(103, 211, 67)},
      // Three bytes, a pixel drawn when any byte is.
      {"24-bit, one byte set", f24, OfBytes(0, 0, 200), OfBytes(100, 50, 0), 0x010, true, true,
       OfBytes(119, 75, 56)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const int bytes = c.format.bytesPerPixel;
    Picture src(3, 3, bytes), dst(1, 1, bytes), under(1, 1, bytes);
    for (int i = 0; i < 9; ++i) src.Set(i % 3, i / 3, (c.drawn >> i & 1) ? c.sample : 0);
    dst.Set(0, 0, kUntouched);
    under.Set(0, 0, c.under);
    mu::ShrinkLine(dst.View(), Read(under), Read(src).Sub(1, 1, 2, 2, bytes), c.format,
                   c.leftInside, c.topInside);
    EXPECT_EQ(dst.Get(0, 0), c.expected) << std::hex << dst.Get(0, 0);
    EXPECT_TRUE(dst.GuardsIntact() && src.GuardsIntact());
  }
  // Palette pixels have no channels: nothing is written.
  Picture palette(2, 2, 1);
  EXPECT_FALSE(mu::ShrinkOnto(palette.View(), Read(palette), Read(palette),
                              mu::MakePixelFormat(8, 0, 0, 0), {0, 0, 0, 0, 1, 1, 0, 0}));
}

// ---- Whole segments ---------------------------------------------------------------

// A clipped shrink writes exactly the clipped part of the unclipped result:
// the skipped columns move the source by twice their number, and the first
// written pixel still takes its left and upper neighbours, so the glyphs stay
// in place and unchanged.
TEST(ShrinkOnto, ClippedIsThePartOfTheWhole) {
  constexpr int kW = 40, kH = 12, kX = 30, kY = 20;   // final size and place
  const mu::PixelFormat formats[] = {mu::Format565(), mu::Format555(), mu::Format888(),
                                     Format24()};
  const mu::ClipBounds clips[] = {{kX + 7, kY + 3, 640, 480},   // left and top cut
                                  {0, 0, kX + 25, kY + 5},      // right and bottom cut
                                  {kX + 1, kY + 1, kX + 2, kY + 2},
                                  {-50, -50, 5000, 5000}};       // past the surfaces
  for (const mu::PixelFormat& f : formats) {
    const int bytes = f.bytesPerPixel;
    SCOPED_TRACE(bytes);
    Picture buffer(100, 40, bytes), screen(120, 60, bytes);
    buffer.FillRandom(f, 7, 0.6);   // mostly transparent, as text is
    screen.FillRandom(f, 8, 0.0);
    // The segment shrunk onto a fresh picture under one clip rectangle.
    auto shrunk = [&](const mu::ClipBounds& clip) {
      Picture out(120, 60, bytes);
      out.Fill(kUntouched);
      mu::ShrinkArea area;
      EXPECT_TRUE(mu::ClipShrink(kX, kY, 0, 0, 2 * kW, 2 * kH, clip, area));
      EXPECT_TRUE(mu::ShrinkOnto(out.View(), Read(screen), Read(buffer), f, area));
      EXPECT_TRUE(out.GuardsIntact());
      return out;
    };
    const Picture whole = shrunk(kScreen);
    for (const mu::ClipBounds& clip : clips) {
      SCOPED_TRACE(clip.left);
      const Picture part = shrunk(clip);
      for (int y = 0; y < part.Height(); ++y) {
        for (int x = 0; x < part.Width(); ++x) {
          const bool inside = x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
          ASSERT_EQ(part.Get(x, y), inside ? whole.Get(x, y) : kUntouched) << x << ", " << y;
        }
      }
    }
  }
}

}  // namespace
