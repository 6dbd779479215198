// The layout walks over a fixed-width fake measure: full-width characters
// `full` pixels wide, ASCII half that, every character `height` high.
#include "text/layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace mu {
// Found by argument lookup, for the expectations on glyph boxes.
bool operator==(const GlyphBox& a, const GlyphBox& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
std::ostream& operator<<(std::ostream& os, const GlyphBox& b) {
  return os << "(" << b.left << ", " << b.top << ", " << b.right << ", " << b.bottom << ")";
}
}  // namespace mu

namespace {

using Point = std::pair<int, int>;   // x, y

struct Drawn {
  Point at;
  std::string character;
  bool shadow;
};

class FakeCanvas : public mu::GlyphCanvas {
 public:
  explicit FakeCanvas(int full = 16, int height = 16, int half = -1)
      : full_(full), half_(half < 0 ? full / 2 : half), height_(height) {}
  mu::Extent Measure(const char* character, int bytes) override {
    return mu::Extent{bytes == 2 ? full_ : half_, height_};
  }
  void Draw(int x, int y, const char* character, int bytes, bool shadow) override {
    draws.push_back({{x, y}, std::string(character, bytes), shadow});
  }
  void Keep(int index, const mu::GlyphBox& box) override {
    EXPECT_EQ(index, static_cast<int>(kept.size()) + 1);
    kept.push_back(box);
  }
  void Flush(int x, int y, int width, int height) override {
    flushes.push_back({x, y, x + width, y + height});
  }

  // Top-left corners of the kept entries.
  std::vector<Point> KeptAt() const {
    std::vector<Point> v;
    for (const mu::GlyphBox& b : kept) v.push_back({b.left, b.top});
    return v;
  }

  std::vector<Drawn> draws;
  std::vector<mu::GlyphBox> kept;
  std::vector<mu::GlyphBox> flushes;   // (x, y, x + width, y + height) of each Flush

 private:
  int full_, half_, height_;
};

mu::LayoutRequest Request(mu::LayoutBox box, int flags = 0, int fontHeight = 16,
                          int entries = 3200) {
  return mu::LayoutRequest{box, flags, fontHeight, entries, mu::Cp932LeadByte};
}

// ---- The plain walk -----------------------------------------------------------

// A box five full-width characters wide: (10, 20)-(90, 200), line height 16.
constexpr mu::LayoutBox kFive = {10, 20, 90, 200};

struct WrapCase {
  const char* name;
  const char* text;
  std::vector<Point> kept;
  std::vector<Point> hanging;   // drawn, not kept
};

TEST(LayOut, WrapsBreaksAndHangs) {
  const WrapCase cases[] = {
      {"。 hangs past the right edge", "あいうえお。か",
       {{10, 20}, {26, 20}, {42, 20}, {58, 20}, {74, 20}, {10, 36}}, {{90, 20}}},
      {"the line fills exactly; an ordinary character moves on", "あいうえおか",
       {{10, 20}, {26, 20}, {42, 20}, {58, 20}, {74, 20}, {10, 36}}, {}},
      {"an ASCII comma hangs too", "あいうえお,あ",
       {{10, 20}, {26, 20}, {42, 20}, {58, 20}, {74, 20}, {10, 36}}, {{90, 20}}},
      {"\\n\\n leaves an empty line", "あ\n\nい", {{10, 20}, {10, 52}}, {}},
      {"half-width characters", "ab\nc", {{10, 20}, {18, 20}, {10, 36}}, {}},
  };
  for (const WrapCase& c : cases) {
    SCOPED_TRACE(c.name);
    FakeCanvas canvas;
    const mu::Layout layout = mu::LayOut(c.text, Request(kFive), canvas);
    EXPECT_EQ(layout.count, static_cast<int>(c.kept.size()) + 1);
    EXPECT_EQ(canvas.KeptAt(), c.kept);
    // Each character is drawn once, where it stands.
    std::vector<Point> drawn, expected = c.kept;
    expected.insert(expected.end(), c.hanging.begin(), c.hanging.end());
    for (const Drawn& d : canvas.draws) drawn.push_back(d.at);
    std::sort(drawn.begin(), drawn.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(drawn, expected);
  }
}

TEST(LayOut, EntriesAndBoundsOfMixedText) {
  FakeCanvas canvas;
  const mu::Layout a = mu::LayOut("Aあb", Request(kFive), canvas);
  ASSERT_EQ(a.count, 4);
  EXPECT_EQ(canvas.kept[0], (mu::GlyphBox{10, 20, 18, 36}));
  EXPECT_EQ(canvas.kept[1], (mu::GlyphBox{18, 20, 34, 36}));
  EXPECT_EQ(canvas.kept[2], (mu::GlyphBox{34, 20, 42, 36}));
  // The right edge lies one character's width past the pen.
  EXPECT_EQ(a.bounds, (mu::GlyphBox{10, 20, 50, 36}));
  EXPECT_EQ(canvas.draws[1].character, "あ");

  // Nothing drawn: the bounds are the start position alone.
  FakeCanvas none;
  EXPECT_EQ(mu::LayOut("", Request(kFive), none).bounds, (mu::GlyphBox{10, 20, 10, 20}));
}

TEST(LayOut, FlagsWidenTheCellAndPlaceTheShadow) {
  // 0x0305: 5 pixels of spacing, shadow, drawn again one pixel right.
  FakeCanvas canvas;
  const mu::Layout layout = mu::LayOut("あ\nい", Request(kFive, 0x0305), canvas);
  ASSERT_EQ(layout.count, 3);
  EXPECT_EQ(canvas.kept[0], (mu::GlyphBox{10, 20, 28, 37}));   // 2 wider, 1 higher
  EXPECT_EQ(canvas.kept[1].top, 20 + 5 + 16);                  // line height 5 + 16
  ASSERT_EQ(canvas.draws.size(), 6u);
  EXPECT_TRUE(canvas.draws[0].shadow);
  EXPECT_EQ(canvas.draws[0].at, (Point{12, 21}));   // 2 right, 1 down
  EXPECT_EQ(canvas.draws[1].at, (Point{10, 20}));
  EXPECT_EQ(canvas.draws[2].at, (Point{11, 20}));
  EXPECT_FALSE(canvas.draws[2].shadow);
}

TEST(GlyphPasses, OffsetsByFlagsAndScale) {
  struct Case {
    int flags, scale;
    std::vector<mu::GlyphPass> passes;
  };
  const Case cases[] = {
      {0x100, 2, {{2, 2, true}, {0, 0, false}}},
      {0x305, 1, {{2, 1, true}, {0, 0, false}, {1, 0, false}}},
      {0x400, 1, {{0, 0, false}, {0, 1, false}}},
      {0x700, 2, {{3, 3, true}, {0, 0, false}, {1, 0, false}, {1, 1, false}, {0, 1, false}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.flags << " scale " << c.scale);
    mu::GlyphPass out[mu::kMaxGlyphPasses];
    const int n = mu::GlyphPasses(c.flags, c.scale, out);
    ASSERT_EQ(n, static_cast<int>(c.passes.size()));
    for (int i = 0; i < n; ++i) {
      EXPECT_TRUE(out[i].dx == c.passes[i].dx && out[i].dy == c.passes[i].dy &&
                  out[i].shadow == c.passes[i].shadow) << "pass " << i;
    }
  }
}

TEST(LiftNearBlack, OnlyColoursBelowSixteenInEveryChannel) {
  const std::uint32_t cases[][2] = {{0x000000, 0x101010}, {0x0F0F0F, 0x101010},
                                    {0x100000, 0x100000}, {0x00000F, 0x101010},
                                    {0x000010, 0x000010}, {0x101010, 0x101010}};
  for (const auto& c : cases) EXPECT_EQ(mu::LiftNearBlack(c[0]), c[1]) << std::hex << c[0];
}

TEST(LayOut, StopsBeforeALineThatReachesTheBottom) {
  // Line height 16 from top 20: the second line would end at 52.
  const struct {
    int bottom;
    const char* text;
    int count;
  } cases[] = {{52, "あいうえおかき", 6}, {53, "あいうえおかき", 8},
               {52, "あ\nい", 2},        {53, "あ\nい", 3},
               {21, "あいう", 4}};   // the first line is drawn whatever the bottom
  for (const auto& c : cases) {
    FakeCanvas canvas;
    const mu::Layout layout = mu::LayOut(c.text, Request({10, 20, 90, c.bottom}), canvas);
    EXPECT_EQ(layout.count, c.count) << c.text << " bottom " << c.bottom;
  }
}

// ---- Bad input ------------------------------------------------------------------

TEST(LayOut, LongTextStopsAtTheTablesLastEntry) {
  std::string text;
  for (int i = 0; i < 5000; ++i) text += "あ";
  FakeCanvas plain;
  const mu::Layout a = mu::LayOut(text.c_str(), Request({0, 0, 1 << 30, 100}), plain);
  EXPECT_EQ(a.count, 3200);
  EXPECT_EQ(plain.kept.size(), 3199u);
  EXPECT_EQ(plain.draws.size(), 3199u);   // the rest is not drawn
  EXPECT_EQ(a.bounds.right, 3200 * 16);

  FakeCanvas smooth(32, 32);
  const mu::Layout b =
      mu::LayOutSmooth(text.c_str(), Request({0, 0, 1 << 30, 100}, 0, 32), 640, smooth);
  EXPECT_EQ(b.count, 3200);
  EXPECT_EQ(smooth.kept.size(), 3199u);
  EXPECT_EQ(b.bounds.right, 3199 * 16);   // every kept character was flushed
}

TEST(LayOut, NullTextOrALoneLeadByteEndsTheText) {
  // Exactly the bytes of "あ", a lone lead byte and the terminator: a read
  // past them is caught by the address sanitizer.
  const std::vector<char> text = {'\x82', '\xA0', '\x82', '\0'};
  const struct {
    const char* text;
    int count;
  } cases[] = {{text.data(), 2}, {nullptr, 1}};
  for (const auto& c : cases) {
    FakeCanvas plain, smooth(32, 32);
    EXPECT_EQ(mu::LayOut(c.text, Request(kFive), plain).count, c.count);
    EXPECT_EQ(plain.draws.size(), c.count - 1u);
    EXPECT_EQ(mu::LayOutSmooth(c.text, Request(kFive, 0, 32), 640, smooth).count, c.count);
    EXPECT_EQ(smooth.flushes.size(), c.count - 1u);
    EXPECT_EQ(smooth.draws.size(), c.count - 1u);
  }
  EXPECT_EQ(mu::CharacterBytes("", mu::Cp932LeadByte), 0);
  EXPECT_EQ(mu::CharacterBytes("\x82", mu::Cp932LeadByte), 0);
  EXPECT_EQ(mu::CharacterBytes("\x82\x5C", mu::Cp932LeadByte), 2);   // trail byte 0x5C
}

// Boxes no character fits in: every walk ends, drawing at most hanging
// characters, whatever the line height (0 included).
TEST(LayOut, BoxesWithoutRoomNeverLoop) {
  const struct {
    const char* name;
    mu::LayoutBox box;
    int fontHeight, glyphHeight;
    const char* text;
    int plainDraws;
  } cases[] = {
      {"right at left", {10, 20, 10, 200}, 16, 16, "あいう", 0},
      {"right left of left", {10, 20, 0, 200}, 16, 16, "あいう", 0},
      {"hanging characters, one per line", {10, 20, 0, 200}, 16, 16, "。。あ", 2},
      {"no line height", {10, 20, 0, 200}, 0, 0, "。、あ。", 2},
      {"no line height, zero-width text", {10, 20, 0, 200}, 0, 0, "ab", 0},
      {"wider than the box", {10, 20, 20, 200}, 16, 16, "あい", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeCanvas plain(16, c.glyphHeight, c.glyphHeight == 0 ? 0 : -1);
    EXPECT_EQ(mu::LayOut(c.text, Request(c.box, 0, c.fontHeight), plain).count, 1);
    EXPECT_EQ(static_cast<int>(plain.draws.size()), c.plainDraws);
    FakeCanvas smooth(32, 2 * c.glyphHeight, c.glyphHeight == 0 ? 0 : -1);
    EXPECT_EQ(mu::LayOutSmooth(c.text, Request(c.box, 0, 2 * c.fontHeight), 640, smooth).count, 1);
  }
  // A character wider than the Font buffer fits no segment.
  FakeCanvas huge(700, 32);
  EXPECT_EQ(mu::LayOutSmooth("あい", Request({0, 0, 1000, 400}, 0, 32), 640, huge).count, 1);
}

// ---- The smoothed walk ------------------------------------------------------------

// Double-size characters 32 x 32 (16 x 16 final) in a box at (10, 20).
TEST(LayOutSmooth, SegmentsPerLine) {
  FakeCanvas canvas(32, 32);
  const mu::Layout layout =
      mu::LayOutSmooth("あいう\nえ", Request({10, 20, 200, 400}, 0, 32), 640, canvas);
  ASSERT_EQ(layout.count, 5);
  EXPECT_EQ(canvas.kept[0], (mu::GlyphBox{10, 20, 26, 36}));
  EXPECT_EQ(canvas.kept[2], (mu::GlyphBox{42, 20, 58, 36}));
  EXPECT_EQ(canvas.kept[3], (mu::GlyphBox{10, 36, 26, 52}));
  // Drawn one after another along the canvas's top, from its left edge.
  EXPECT_EQ(canvas.draws[1].at, (Point{32, 0}));
  EXPECT_EQ(canvas.draws[3].at, (Point{0, 0}));
  ASSERT_EQ(canvas.flushes.size(), 2u);
  EXPECT_EQ(canvas.flushes[0], (mu::GlyphBox{10, 20, 10 + 96, 20 + 32}));
  EXPECT_EQ(canvas.flushes[1], (mu::GlyphBox{10, 36, 10 + 32, 36 + 32}));
  EXPECT_EQ(layout.bounds, (mu::GlyphBox{10, 20, 58, 52}));
}

TEST(LayOutSmooth, OddSizesAreMadeEvenBeforeTheFlags) {
  FakeCanvas canvas(31, 33, 15);
  mu::LayOutSmooth("あa", Request({10, 20, 200, 400}, 0x0700, 32), 640, canvas);
  // 32 + 2 (shadow) + 1 wide, 34 + 2 + 1 high, then halved.
  EXPECT_EQ(canvas.kept[0], (mu::GlyphBox{10, 20, 10 + 35 / 2, 20 + 37 / 2}));
  EXPECT_EQ(canvas.kept[1].left, 10 + 35 / 2);
  EXPECT_EQ(canvas.draws[0].at, (Point{3, 3}));   // the double-size shadow
  EXPECT_EQ(canvas.draws[5].at, (Point{35 + 3, 3}));
}

TEST(LayOutSmooth, SegmentEndsWhereTheBufferEnds) {
  // A buffer of 64: a segment holds one character; the line goes on.
  FakeCanvas canvas(32, 32);
  const mu::Layout layout =
      mu::LayOutSmooth("あいう", Request({10, 20, 200, 400}, 0, 32), 64, canvas);
  EXPECT_EQ(layout.count, 4);
  EXPECT_EQ(canvas.KeptAt(), (std::vector<Point>{{10, 20}, {26, 20}, {42, 20}}));
  ASSERT_EQ(canvas.flushes.size(), 3u);
  EXPECT_EQ(canvas.flushes[1], (mu::GlyphBox{26, 20, 58, 52}));
}

TEST(LayOutSmooth, HangingCharacterStaysInTheSegment) {
  // Three characters reach 58; at 58 or more a character leaves the line.
  FakeCanvas canvas(32, 32);
  const mu::Layout layout =
      mu::LayOutSmooth("あいう。え", Request({10, 20, 59, 400}, 0, 32), 640, canvas);
  EXPECT_EQ(canvas.KeptAt(), (std::vector<Point>{{10, 20}, {26, 20}, {42, 20}, {10, 36}}));
  EXPECT_EQ(canvas.flushes[0], (mu::GlyphBox{10, 20, 10 + 128, 52}));   // with the 。
  EXPECT_EQ(layout.bounds.right, 74);

  FakeCanvas moved(32, 32);
  mu::LayOutSmooth("あいう", Request({10, 20, 58, 400}, 0, 32), 640, moved);
  EXPECT_EQ(moved.KeptAt(), (std::vector<Point>{{10, 20}, {26, 20}, {10, 36}}));
}

TEST(LayOutSmooth, SegmentsAreCutAtTheBottom) {
  // Lines 16 final pixels high in a box 24 high: the second line shows 8 rows.
  FakeCanvas cut(32, 32);
  const mu::Layout a = mu::LayOutSmooth("あ\nい\nう", Request({0, 0, 200, 24}, 0, 32), 640, cut);
  EXPECT_EQ(a.count, 3);   // the third line starts at the bottom
  ASSERT_EQ(cut.flushes.size(), 2u);
  EXPECT_EQ(cut.flushes[1], (mu::GlyphBox{0, 16, 32, 16 + 16}));   // 16 double-size rows
  EXPECT_EQ(a.bounds.bottom, 24);

  // The text's last segment is shrunk whole; the bounds still stop at 24.
  FakeCanvas last(32, 32);
  const mu::Layout b = mu::LayOutSmooth("あ\nい", Request({0, 0, 200, 24}, 0, 32), 640, last);
  EXPECT_EQ(last.flushes.back(), (mu::GlyphBox{0, 16, 32, 48}));
  EXPECT_EQ(b.bounds.bottom, 24);
}

// ---- The typewriter reveal ------------------------------------------------------------

TEST(Reveal, OneMoreCharacterPerInterval) {
  // Three characters (four entries); frames of half an interval. Calls 1..10
  // show 0, 0, 1, 1, 2, ... entries (entry 1 is copied from call 5, after two
  // intervals); one step after the last, calls 11 and 12 give the whole box, done.
  int count = 0;
  float timer = 0;
  for (int call = 1; call <= 12; ++call) {
    const mu::RevealStep s = mu::Reveal(count, timer, 0.25f, 0.125f, 4);
    SCOPED_TRACE(call);
    EXPECT_EQ(s.whole, call > 10);
    EXPECT_EQ(s.whole ? -1 : s.shown, call > 10 ? -1 : (call - 1) / 2);
    EXPECT_EQ(s.result, call > 10 ? 1 : 0);
  }
  EXPECT_EQ(count, 5);
}

TEST(Reveal, WholeTextAtOnce) {
  int count = 0;
  float timer = 0;
  // Interval 0: the whole text on the first call.
  mu::RevealStep s = mu::Reveal(count, timer, 0, 0.5f, 10);
  EXPECT_TRUE(s.whole);
  EXPECT_EQ(s.result, 1);
  EXPECT_EQ(count, 11);
  // A count beyond the table (set by the application) shows the whole box too.
  count = 500;
  s = mu::Reveal(count, timer, 1.0f, 0.0f, 10);
  EXPECT_TRUE(s.whole);
  EXPECT_EQ(count, 11);
}

}  // namespace
