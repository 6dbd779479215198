// The rotation kernels against their rule: the turns that must come out
// exact, tiles, zooms, stretched rows and colour factors, what bad input
// draws, and the fast paths against the reference where they fall back.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <limits>

#include "draw/effects/channels.h"
#include "draw/effects/rotate.h"
#include "draw/pixel_format.h"
#include "effect_cases.h"
#include "pixel_pictures.h"

namespace {

using pictures::Picture;

constexpr std::uint32_t kMarker = 0xBEEF;   // a target pixel nothing wrote

Picture Numbered(int w, int h, int bytes) {
  Picture p(w, h, bytes);
  p.FillNumbered();
  return p;
}
Picture Blank(int w, int h, int bytes) {
  Picture p(w, h, bytes);
  p.Fill(kMarker);
  return p;
}

mu::RotateSource Whole(const Picture& p) { return mu::RotateSource{p.View(), 0, 0, p.Width(), p.Height()}; }
mu::RotateTarget WholeTarget(Picture& p) { return mu::RotateTarget{p.View(), p.Width(), p.Height(), 0, 0}; }

// Each of the five forms once, with zooms that differ from 1 and change per row.
constexpr int kForms = 5;
void DrawForm(int form, const mu::RotateTarget& t, const mu::RotateSource& s, int angle) {
  const mu::PixelFormat f = mu::Format565();
  switch (form) {
    case 0: mu::RotateBlt(t, s, f, angle); break;
    case 1: mu::RotateTile(t, s, f, angle); break;
    case 2: mu::RotateZoom(t, s, f, angle, 1.7f); break;
    case 3: mu::RotateZoomTile(t, s, f, angle, 0.6f); break;
    default: mu::RotateStretchTile(t, s, f, angle, mu::StretchRows{0.6f, 0.05f, 0.8f, 0.02f, {{0.9f, 1, 0.5f}}});
  }
}

class Rotation : public ::testing::Test {
 protected:
  void SetUp() override { mu::BuildSineTable(); }
};

// Where the target differs from expected(i, j, sx, sy): the source pixel
// (sx, sy) it shows, or kMarker (unwritten) where expected is false.
using Expected = bool (*)(int i, int j, int& sx, int& sy);
std::string Mismatch(const Picture& target, const Picture& source, Expected expected) {
  return target.FirstDifference([&](int i, int j) {
    int sx = 0, sy = 0;
    return expected(i, j, sx, sy) ? source.Get(sx, sy) : kMarker;
  });
}

// Turns that must come out exact, unturned tiles and a zoom of two.
TEST_F(Rotation, ExactPlacements) {
  const Expected unmoved = [](int i, int j, int& x, int& y) { x = i, y = j; return true; };
  enum Form { kPlain, kTile, kZoomTwo };
  const struct {
    const char* what;
    Form form;
    int angle, sw, sh, w, h;
    Expected expected;
  } cases[] = {
      {"angle 0, even", kPlain, 0, 8, 6, 8, 6, unmoved},
      {"angle 0, odd", kPlain, 0, 7, 5, 7, 5, unmoved},
      // Half a turn of an even picture: column 0 and row 0 stay unwritten.
      {"angle 180, even", kPlain, 180, 8, 6, 8, 6,
       [](int i, int j, int& x, int& y) { x = 8 - i, y = 6 - j; return i > 0 && j > 0; }},
      {"angle 180, odd", kPlain, 180, 7, 5, 7, 5,
       [](int i, int j, int& x, int& y) { x = 6 - i, y = 4 - j; return true; }},
      // Quarter turns of an odd picture into the turned rectangle.
      {"angle 90", kPlain, 90, 9, 5, 5, 9, [](int i, int j, int& x, int& y) { x = 8 - j, y = i; return true; }},
      {"angle 270", kPlain, 270, 9, 5, 5, 9, [](int i, int j, int& x, int& y) { x = j, y = 4 - i; return true; }},
      // Unturned tiles mirror about the source origin (16, 12).
      {"tiles", kTile, 0, 7, 5, 39, 30, [](int i, int j, int& x, int& y) {
         x = std::abs(i - 16) % 7, y = std::abs(j - 12) % 5;
         return true;
       }},
      // Offsets (16 - 12) >> 1 = 2 and (12 - 8) >> 1 = 2; the quotient truncates
      // toward zero, so column and row 1 (a = -1) still show source column and row 0.
      {"zoom 2", kZoomTwo, 0, 6, 4, 16, 12, [](int i, int j, int& x, int& y) {
         x = (i - 2) / 2, y = (j - 2) / 2;
         return i >= 1 && i < 14 && j >= 1 && j < 10;
       }},
  };
  for (const auto& c : cases) {
    for (int bytes : {2, 4}) {
      const mu::PixelFormat f = bytes == 2 ? mu::Format565() : mu::Format888();
      effectcases::OnBothPaths([&] {
        const Picture src = Numbered(c.sw, c.sh, bytes);
        Picture dst = Blank(c.w, c.h, bytes);
        if (c.form == kPlain) mu::RotateBlt(WholeTarget(dst), Whole(src), f, c.angle);
        if (c.form == kTile) mu::RotateTile(WholeTarget(dst), Whole(src), f, c.angle);
        if (c.form == kZoomTwo) mu::RotateZoom(WholeTarget(dst), Whole(src), f, c.angle, 2.0f);
        EXPECT_EQ(Mismatch(dst, src, c.expected), "") << c.what << ", " << bytes << " bytes";
        EXPECT_TRUE(dst.GuardsIntact()) << c.what;
      });
    }
  }
}

// Every form reduces its angle the same way.
TEST_F(Rotation, AnglesAreTakenModulo360) {
  const Picture src = Numbered(9, 7, 2);
  const std::pair<int, int> same[] = {{-90, 270}, {-270, 90}, {450, 90}, {360, 0}, {-720, 0},
                                      {INT_MIN, INT_MIN % 360 + 360}, {INT_MAX, INT_MAX % 360}, {-1, 359}};
  for (const auto& [angle, within] : same) {
    Picture a = Blank(12, 10, 2), b = Blank(12, 10, 2);
    mu::RotateTile(WholeTarget(a), Whole(src), mu::Format565(), angle);
    mu::RotateTile(WholeTarget(b), Whole(src), mu::Format565(), within);
    EXPECT_EQ(a.FirstDifference(b), "") << angle;
  }
}

TEST_F(Rotation, TurnedAndZoomedTilesLeaveNoGap) {
  const Picture src = Numbered(7, 5, 2);
  Picture turned = Blank(40, 30, 2), zoomed = Blank(40, 30, 2);
  mu::RotateTile(WholeTarget(turned), Whole(src), mu::Format565(), 30);
  mu::RotateZoomTile(WholeTarget(zoomed), Whole(src), mu::Format565(), 200, 0.3f);
  EXPECT_EQ(turned.CountOf(kMarker) + zoomed.CountOf(kMarker), 0);
}

// The forms agree where their rules meet.
TEST_F(Rotation, FormsAgreeWhereTheirRulesMeet) {
  const mu::PixelFormat f = mu::Format888();
  Picture src(11, 7, 4);
  src.FillRandom(f, 5, 0.2);
  using Draw = std::function<void(const mu::RotateTarget&, const mu::RotateSource&, int)>;
  const mu::ChannelFloats ones = {{1, 1, 1}};
  const struct {
    const char* what;
    Draw a, b;
  } pairs[] = {
      {"zoom 1 = plain", [&](auto& t, auto& s, int g) { mu::RotateZoom(t, s, f, g, 1); },
       [&](auto& t, auto& s, int g) { mu::RotateBlt(t, s, f, g); }},
      {"zoomed tiles, zoom 1 = tiles", [&](auto& t, auto& s, int g) { mu::RotateZoomTile(t, s, f, g, 1); },
       [&](auto& t, auto& s, int g) { mu::RotateTile(t, s, f, g); }},
      {"stretch without change = zoomed tiles",
       [&](auto& t, auto& s, int g) { mu::RotateStretchTile(t, s, f, g, mu::StretchRows{0.7f, 0, 0.7f, 0, ones}); },
       [&](auto& t, auto& s, int g) { mu::RotateZoomTile(t, s, f, g, 0.7f); }},
  };
  for (const auto& p : pairs) {
    for (int angle : {0, 17, 90, 135, 301}) {
      Picture a = Blank(23, 19, 4), b = Blank(23, 19, 4);
      p.a(WholeTarget(a), Whole(src), angle);
      p.b(WholeTarget(b), Whole(src), angle);
      EXPECT_EQ(a.FirstDifference(b), "") << p.what << ", angle " << angle;
    }
  }
}

TEST_F(Rotation, StretchedTilesTakeEachRowsZoom) {
  const mu::PixelFormat f = mu::Format888();
  Picture src(9, 6, 4);
  src.FillRandom(f, 8, 0.0);
  // Steps of a quarter add up exactly: row j has zoom 0.75 - 0.25 j, and from
  // row 3 on the zoom is no longer positive, so nothing is drawn there.
  Picture stretched = Blank(20, 8, 4);
  mu::RotateStretchTile(WholeTarget(stretched), Whole(src), f, 40,
                        mu::StretchRows{0.75f, -0.25f, 0.75f, -0.25f, {{1, 1, 1}}});
  for (int j = 0; j < 8; ++j) {
    Picture row = Blank(20, 8, 4);
    mu::RotateZoomTile(WholeTarget(row), Whole(src), f, 40, 0.75f - 0.25f * j);
    for (int i = 0; i < 20; ++i) ASSERT_EQ(stretched.Get(i, j), row.Get(i, j)) << i << ", " << j;
  }
}

TEST_F(Rotation, StretchFactorsScaleTheLevelsAndSaturate) {
  struct Case {
    mu::PixelFormat f;
    int in[3];
    float factor[3];
    int out[3];
  } cases[] = {
      // 5-6-5: five-bit levels, the six-bit green halved and its lowest bit left 0.
      {mu::Format565(), {20, 20, 31}, {0.5f, 2.0f, 1.0f}, {10, 20, 31}},
      {mu::Format565(), {20, 63, 1}, {3.0f, 0.0f, 0.99f}, {31, 0, 0}},
      {mu::Format888(), {200, 100, 50}, {0.5f, 2.0f, 1.5f}, {100, 200, 75}},
      {mu::Format888(), {200, 255, 3}, {2.0f, std::numeric_limits<float>::quiet_NaN(), 1000.0f}, {255, 0, 255}},
  };
  for (const Case& c : cases) {
    Picture src(1, 1, c.f.bytesPerPixel);
    src.Set(0, 0, c.f.Put(c.in[0], 0) | c.f.Put(c.in[1], 1) | c.f.Put(c.in[2], 2));
    const std::uint32_t want =
        c.f.Sixteen() ? (c.out[0] << 11) | (c.out[1] << 6) | c.out[2] : c.f.Put(c.out[0], 0) | c.f.Put(c.out[1], 1) | c.f.Put(c.out[2], 2);
    effectcases::OnBothPaths([&] {
      Picture dst = Blank(3, 3, c.f.bytesPerPixel);
      mu::RotateStretchTile(WholeTarget(dst), Whole(src), c.f, 10,
                            mu::StretchRows{1, 0, 1, 0, {{c.factor[0], c.factor[1], c.factor[2]}}});
      EXPECT_EQ(dst.CountOf(want), 9) << c.in[0];
    });
  }
}

TEST_F(Rotation, BadZoomsAndEmptySourcesDrawNothing) {
  const Picture src = Numbered(5, 5, 2);
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  for (float zoom : {0.0f, -0.0f, -1.0f, nan, inf, -inf}) {
    Picture dst = Blank(8, 8, 2);
    mu::RotateZoom(WholeTarget(dst), Whole(src), mu::Format565(), 10, zoom);
    mu::RotateZoomTile(WholeTarget(dst), Whole(src), mu::Format565(), 10, zoom);
    mu::RotateStretchTile(WholeTarget(dst), Whole(src), mu::Format565(), 10, mu::StretchRows{zoom, 0, 1, 0, {{1, 1, 1}}});
    mu::RotateStretchTile(WholeTarget(dst), Whole(src), mu::Format565(), 10, mu::StretchRows{1, 0, zoom, 0, {{1, 1, 1}}});
    mu::RotateTile(WholeTarget(dst), mu::RotateSource{src.View(), 0, 0, 0, 5}, mu::Format565(), 10);
    EXPECT_EQ(dst.FirstDifference(Blank(8, 8, 2)), "") << zoom;
  }
}

// Source pixels outside the sprite count as transparent: the sprite here is
// the middle of a larger picture whose other pixels must never show. A source
// rectangle hanging over the sprite draws it; one that misses it altogether
// (beside, below, far off) draws nothing.
TEST_F(Rotation, SourceRectanglesReadOnlyInsideTheSprite) {
  Picture around(14, 12, 2);
  around.Fill(0x7777);
  const mu::ConstPixelView sprite = mu::AsConst(around.View()).Sub(4, 3, 6, 5, 2);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) around.Set(4 + x, 3 + y, 1 + x + 6 * y);
  const struct {
    mu::RotateSource s;
    bool draws;
  } cases[] = {{{sprite, -3, -2, 12, 9}, true},      {{sprite, 0, 6, 6, 5}, false},
               {{sprite, -5, 0, 4, 5}, false},       {{sprite, 7, 0, 3, 5}, false},
               {{sprite, 0, 100000, 6, 5}, false},   {{sprite, -100000, -3, 6, 5}, false}};
  effectcases::OnBothPaths([&] {
    for (const auto& c : cases) {
      for (int form = 0; form < kForms; ++form) {
        Picture dst = Blank(30, 30, 2);
        DrawForm(form, WholeTarget(dst), c.s, 33);
        EXPECT_EQ(dst.CountOf(0x7777), 0) << "form " << form << " left " << c.s.left << " top " << c.s.top;
        if (c.draws) {
          EXPECT_LT(dst.CountOf(kMarker), 30 * 30) << "form " << form;
        } else {
          EXPECT_EQ(dst.CountOf(kMarker), 30 * 30) << "form " << form << " left " << c.s.left << " top " << c.s.top;
        }
      }
    }
  });
}

// Drawing only a window of the rectangle (as the clip rectangle asks) writes
// there exactly what drawing the whole rectangle writes.
TEST_F(Rotation, WrittenPartMatchesTheWholeRectangle) {
  const mu::PixelFormat f = mu::Format565();
  Picture src(13, 9, 2);
  src.FillRandom(f, 3, 0.1);
  for (int form = 0; form < kForms; ++form) {
    for (int angle : {0, 45, 123, 270}) {
      Picture whole = Blank(31, 27, 2), part = Blank(31, 27, 2);
      DrawForm(form, WholeTarget(whole), Whole(src), angle);
      DrawForm(form, mu::RotateTarget{part.View().Sub(5, 7, 20, 15, 2), 31, 27, 5, 7}, Whole(src), angle);
      EXPECT_EQ(part.FirstDifference([&](int i, int j) {
                  return i >= 5 && i < 25 && j >= 7 && j < 22 ? whole.Get(i, j) : kMarker;
                }), "") << "form " << form << ", angle " << angle;
    }
  }
}

// Where the fast paths give up (values beyond 32 bits, quotients beyond the
// exact reciprocal's range) they still give the reference's pixels.
TEST_F(Rotation, FastPathsEqualTheReferenceAtTheExtremes) {
  const mu::PixelFormat f = mu::Format565();
  Picture src(17, 11, 2);
  src.FillRandom(f, 9, 0.1);
  struct Case {
    const char* what;
    mu::RotateTarget (*target)(Picture&);
    std::function<void(const mu::RotateTarget&, const mu::RotateSource&)> draw;
  } cases[] = {
      {"huge rectangle", [](Picture& p) { return mu::RotateTarget{p.View(), 1 << 30, 1 << 30, (1 << 29) - 20, (1 << 29) - 15}; },
       [&](auto& t, auto& s) { mu::RotateTile(t, s, f, 31); }},
      {"huge rectangle, zoomed", [](Picture& p) { return mu::RotateTarget{p.View(), INT_MAX, 5000, INT_MAX - 40, 2400}; },
       [&](auto& t, auto& s) { mu::RotateZoomTile(t, s, f, 200, 3.3f); }},
      {"tiny zooms", [](Picture& p) { return WholeTarget(p); },
       [&](auto& t, auto& s) { mu::RotateStretchTile(t, s, f, 7, mu::StretchRows{1e-6f, 2e-7f, 2.0f, -0.5f, {{1, 1, 1}}}); }},
      {"huge zoom", [](Picture& p) { return WholeTarget(p); },
       [&](auto& t, auto& s) { mu::RotateZoom(t, s, f, 300, 3e38f); }},
      {"rows far below the rectangle's top", [](Picture& p) { return mu::RotateTarget{p.View(), 50, INT_MAX, 5, INT_MAX - 40}; },
       [&](auto& t, auto& s) { mu::RotateStretchTile(t, s, f, 15, mu::StretchRows{0.5f, 0.001f, 2.0f, -1e-4f, {{1, 1, 1}}}); }},
      {"exact quotients", [](Picture& p) { return WholeTarget(p); },
       [&](auto& t, auto& s) { mu::RotateStretchTile(t, s, f, 0, mu::StretchRows{3.0f, 0.1f, 1.0f / 3, 0.25f, {{1, 1, 1}}}); }},
  };
  for (const Case& c : cases) {
    Picture fast = Blank(40, 30, 2), reference = Blank(40, 30, 2);
    mu::kernelPath = mu::KernelPath::kReference;
    c.draw(c.target(reference), Whole(src));
    mu::kernelPath = mu::KernelPath::kFast;
    c.draw(c.target(fast), Whole(src));
    EXPECT_EQ(fast.FirstDifference(reference), "") << c.what;
  }
}

}  // namespace
