// The mirrored blit: each mode's pixel order, value 0 left out, and the cut to
// the clip rectangle and to both surfaces checked against the per-pixel rule.
#include "draw/effects/mirror.h"

#include <gtest/gtest.h>

#include "pixel_pictures.h"

namespace {

using pictures::Picture;

// FlipBlt's whole path on pictures: the clip rule, the plan, the copy.
bool Mirror(Picture& dst, const Picture& src, int x, int y, int mode, mu::ClipBounds rect,
            mu::ClipBounds clip, int bytes) {
  mu::EffectArea clipped;
  if (!mu::ClipEffect(x, y, rect.left, rect.top, rect.right, rect.bottom, clip, clipped)) return false;
  mu::MirrorArea a;
  if (!mu::PlanMirror(clipped, x, y, mode, rect, src.Width(), src.Height(), dst.Width(),
                      dst.Height(), a))
    return false;
  mu::MirrorCopy(dst.View().Sub(a.x, a.y, a.width, a.height, bytes),
                 src.View().Sub(a.left, a.top, a.width, a.height, bytes), bytes, a.flipX, a.flipY);
  return true;
}

TEST(Mirror, EachModeReadsColumnsAndRowsInItsOrder) {
  // A 4 x 2 source: A B C D over E F 0 H (0 is transparent).
  Picture src(4, 2, 2);
  const int values[2][4] = {{1, 2, 3, 4}, {5, 6, 0, 8}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) src.Set(x, y, values[y][x]);
  struct Case {
    int mode;
    int rows[2][4];
  } cases[] = {
      {0, {{1, 2, 3, 4}, {5, 6, 9, 8}}},
      {1, {{4, 3, 2, 1}, {8, 9, 6, 5}}},   // D C B A
      {2, {{5, 6, 9, 8}, {1, 2, 3, 4}}},
      {3, {{8, 9, 6, 5}, {4, 3, 2, 1}}},
      {4, {{9, 9, 9, 9}, {9, 9, 9, 9}}},   // no such mode: nothing
      {-1, {{9, 9, 9, 9}, {9, 9, 9, 9}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    Picture dst(6, 3, 2);
    dst.Fill(9);
    Mirror(dst, src, 0, 0, c.mode, {0, 0, 4, 2}, {0, 0, 6, 3}, 2);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 4; ++x) EXPECT_EQ(dst.Get(x, y), static_cast<unsigned>(c.rows[y][x])) << x << "," << y;
    EXPECT_EQ(dst.Get(4, 0), 9u);
    EXPECT_EQ(dst.Get(0, 2), 9u);
    EXPECT_TRUE(dst.GuardsIntact());
  }
}

// The rule pixel by pixel: destination (x + i, y + j) inside the clip and the
// target takes the mapped source pixel when that lies on the source and is not
// 0. Returns how many destination pixels have a source pixel, 0 included.
int Expected(Picture& dst, const Picture& src, int x, int y, int mode, mu::ClipBounds r,
              mu::ClipBounds clip) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  int mapped = 0;
  for (int j = 0; j < h; ++j) {
    for (int i = 0; i < w; ++i) {
      const int dx = x + i, dy = y + j;
      const int sx = (mode == 1 || mode == 3) ? r.right - 1 - i : r.left + i;
      const int sy = (mode == 2 || mode == 3) ? r.bottom - 1 - j : r.top + j;
      if (dx < clip.left || dx >= clip.right || dy < clip.top || dy >= clip.bottom) continue;
      if (dx < 0 || dy < 0 || dx >= dst.Width() || dy >= dst.Height()) continue;
      if (sx < 0 || sy < 0 || sx >= src.Width() || sy >= src.Height()) continue;
      ++mapped;
      if (src.Get(sx, sy)) dst.Set(dx, dy, src.Get(sx, sy));
    }
  }
  return mapped;
}

TEST(Mirror, ClippedAndCutPixelsAreThoseOfTheWholeBlit) {
  struct Case {
    int x, y;
    mu::ClipBounds rect, clip;
  } cases[] = {
      {-3, 2, {0, 0, 9, 7}, {0, 0, 20, 16}},      // partly left of the clip rectangle
      {5, -4, {2, 1, 11, 8}, {6, 0, 14, 12}},     // above, and a narrowed clip
      {15, 12, {0, 0, 9, 7}, {0, 0, 20, 16}},     // past the right and bottom
      {4, 4, {-3, -2, 8, 9}, {0, 0, 20, 16}},     // source partly off its picture
      {4, 4, {5, 3, 14, 12}, {0, 0, 20, 16}},     // past the source's right and bottom
      {-8, -8, {0, 0, 9, 7}, {-50, -50, 90, 90}}, // clip rectangle larger than the target
      {2, 2, {0, 0, 9, 7}, {8, 8, 8, 8}},         // empty clip rectangle
      {0, 0, {20, 0, 24, 5}, {0, 0, 20, 16}},     // wholly off the source
      {0, 0, {0, 0, 0, 5}, {0, 0, 20, 16}},       // an empty source rectangle
  };
  for (int bytes : {2, 4}) {
    for (int mode = 0; mode < 4; ++mode) {
      for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << bytes << " bytes, mode " << mode << " at " << c.x << ","
                                        << c.y);
        Picture src(10, 8, bytes);
        const mu::PixelFormat f = bytes == 2 ? mu::Format565() : mu::Format888();
        src.FillRandom(f, 7 + mode);
        Picture got(20, 16, bytes), want(20, 16, bytes);
        got.FillRandom(f, 99, 0);
        want.FillRandom(f, 99, 0);
        // A copy is planned exactly when some pixel maps.
        const bool planned = Mirror(got, src, c.x, c.y, mode, c.rect, c.clip, bytes);
        EXPECT_EQ(planned, Expected(want, src, c.x, c.y, mode, c.rect, c.clip) > 0);
        EXPECT_EQ(got.FirstDifference(want), "");
        EXPECT_TRUE(got.GuardsIntact());
      }
    }
  }
}

}  // namespace
