// The text layout on the real screen with the IPA fonts: a Japanese paragraph
// laid out plain and smoothed in a 300-pixel box, read back from the back
// screen; the typewriter reveal under a controlled frame time; the shrink
// against its native kernel; and the hand-over of the caller's selection.
// Runs on the display it gets: 5-6-5 on a 16-bit one, 32-bit on a 24-bit one.
#include <gtest/gtest.h>
#include <mu.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "surface_faults.h"
#include "surface_pixels.h"
#include "test_app.h"
#include "text/shrink.h"
#include "text/text_state.h"

namespace {

using namespace muDraw;
using testpix::Channel;
using testpix::Snapshot;

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new testapp::ScreenEnvironment);

constexpr int kLeft = 20, kRight = 320;   // the 300-pixel box
// Characters of a line without punctuation, taken as many as fill the box.
const char kPlainRun[] = "今日は朝から雨が降っていたので私たちは図書館で本を読んで過ごした";
const char kRest[] =
    "図書館は静かで、窓の外では雨の音がずっと続いていた。午後になると空が明るくなり、"
    "私たちは「そろそろ帰ろうか」と言って外に出た。水たまりに映る雲を見ながら、"
    "ゆっくりと坂道を下りていった……。";

// The last Message or SmoothMessage's glyph rectangles, entry 0 left out.
bool InGlyph(int x, int y) {
  for (int i = 1; i < glyphCount; ++i) {
    const RECT& r = glyphTable[i];
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
  }
  return false;
}

class TextLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    SetClip(0, 0, 640, 480);
    PaintBackground();
    before_ = Snapshot(backScreen);
    ASSERT_TRUE(before_.Ok());
  }
  void TearDown() override {
    CloseSelection();
    for (int i = kInternalSprites; i < kSpriteCount; ++i) DeleteObject(i);
    SetClip(0, 0, 640, 480);
    muSystem::frameSeconds = 0;
    messageBlit = 1;
  }

  // A gradient under the text, so that blends show against varied pixels;
  // no pixel is 0 or white.
  void PaintBackground() {
    const int s = CreateObject(640, 480, 2);
    testpix::PaintValues(s, [](int x, int y) {
      return testpix::Rgb(60 + (x * 120) / 640, 30 + (y * 60) / 480, 150 - (x * 100) / 640);
    });
    Blt(0, 0, s, 0, 0, 640, 480);
    DeleteObject(s);
  }

  // A paragraph whose first line ends with 。 hanging at the right edge: as
  // many full-width characters as the line takes at the open selection's
  // size, then 。, then more text. A plain line takes characters up to the
  // edge; a smoothed one (drawn at double size) only those ending before it.
  std::string Paragraph(bool smooth) {
    SIZE one = {0, 0};
    GetTextExtentPoint32A(textDC, "今", 2, &one);
    const int room = smooth ? 2 * (kRight - kLeft) - 1 : kRight - kLeft;
    fit_ = one.cx > 0 ? room / static_cast<int>(one.cx + (smooth ? one.cx & 1 : 0)) : 0;
    EXPECT_GT(fit_, 5);
    EXPECT_LT(fit_, 30);
    return std::string(kPlainRun, 2 * fit_) + "。" + kRest;
  }
  int fit_ = 0;         // characters of the first line
  Snapshot before_{nullptr};   // the back screen under the text

  bool Sixteen() const { return mu::screenFormat.bytesPerPixel == 2; }
  // The top five bits of a channel on 16 bits (as the shrink sees it), else all eight.
  DWORD Level(DWORD value, int c) const {
    const DWORD v = Channel(value, c);
    return Sixteen() && testpix::ChannelMax(c) == 63 ? v >> 1 : v;
  }

  // The back screen's part, where the test run keeps its screenshots.
  void Save(const char* name, int left, int top, int right, int bottom) {
    const char* dir = std::getenv("MU_SHOTS");
    if (dir) CreateDirectoryA(dir, nullptr);   // its parent exists; an existing one is kept
    const std::string path = std::string(dir ? dir : ".") + "/" + name;
    testpix::WritePpm(path, backScreen, left, top, right - left, bottom - top);
  }

  // Every pixel that changed lies in a glyph rectangle, or right of the last
  // glyph on its rows, where punctuation hangs past the edge. Returns the
  // number of changed pixels at or right of x = from on the first line.
  int CheckChangedPixels(const Snapshot& after, int from) {
    int hanging = 0, outside = 0;
    for (int y = 0; y < 480; ++y) {
      int lineEnd = 1 << 30;   // no glyph on the row: nothing may change
      for (int i = 1; i < glyphCount; ++i) {
        const RECT& r = glyphTable[i];
        if (y < r.top || y >= r.bottom) continue;
        lineEnd = lineEnd == 1 << 30 ? r.right : std::max<int>(lineEnd, r.right);
      }
      for (int x = 0; x < 640; ++x) {
        if (before_.At(x, y) == after.At(x, y) || InGlyph(x, y)) continue;
        if (x >= lineEnd) {
          hanging += x >= from && y >= glyphTable[1].top && y < glyphTable[1].bottom;
        } else if (++outside <= 5) {
          ADD_FAILURE() << "text pixel outside the glyph rectangles at " << x << ", " << y;
        }
      }
    }
    return hanging;
  }
};

TEST_F(TextLayout, MessageLaysOutAParagraph) {
  // 20-pixel characters fill the 300-pixel box exactly: the 。 after them
  // lies wholly right of it.
  SetFont(1, 20, 0, 0, 0, 0);
  SetTextColor(0xFFFFFF, 0x000000, 1);
  const std::string text = Paragraph(false);
  EXPECT_EQ(fit_, 15);
  Message(kLeft, 20, kRight, 220, text.c_str(), 0);
  ReleaseFont();
  const Snapshot after(backScreen);
  ASSERT_TRUE(after.Ok());

  // The first line's characters, then the next line at the left edge: 。
  // is not in the table.
  ASSERT_GT(glyphCount, 40);
  const RECT& last = glyphTable[fit_];
  EXPECT_EQ(last.top, 20);
  EXPECT_LE(last.right, kRight);
  EXPECT_EQ(glyphTable[fit_ + 1].left, kLeft);
  EXPECT_GT(glyphTable[fit_ + 1].top, 20);
  EXPECT_EQ(glyphTable[0].left, kLeft);
  EXPECT_EQ(glyphTable[0].top, 20);

  EXPECT_EQ(glyphTable[fit_].right, kRight);
  EXPECT_GT(CheckChangedPixels(after, kRight), 3) << "the hanging 。 right of the box";
  // White text, copied with its colour.
  int white = 0;
  for (int y = 20; y < 220; ++y)
    for (int x = kLeft; x < kRight; ++x) white += after.At(x, y) == whiteValue;
  EXPECT_GT(white, 500);
  Save("message.ppm", 0, 0, 360, 240);
}

TEST_F(TextLayout, SmoothMessageBlendsItsEdges) {
  SetBufferFont(1, 16);
  SetTextColor(0xFFFFFF, 0x000000, 1);
  const std::string text = Paragraph(true);
  SmoothMessage(kLeft, 240, kRight, 470, text.c_str(), 0);
  EXPECT_EQ(textSurface, spriteTable[kFontBufferSprite].surface);   // given back there
  ReleaseBufferFont();
  const Snapshot after(backScreen);
  ASSERT_TRUE(after.Ok());
  ASSERT_GT(glyphCount, 40);
  EXPECT_EQ(glyphTable[1].top, 240);

  // A character ending at the right edge or past it leaves the line, so the
  // 。 hangs across the edge: its cell reaches it (the bounds take it in).
  const int lineEnd = glyphTable[fit_].right;
  EXPECT_LT(lineEnd, kRight);
  EXPECT_EQ(glyphTable[fit_ + 1].left, kLeft);
  EXPECT_GE(glyphTable[0].right, kRight);
  EXPECT_GT(CheckChangedPixels(after, lineEnd), 3) << "the hanging 。 after the line";

  // White text: each channel of a changed pixel lies between the pixel under
  // it and the maximum; edge pixels are strictly between in some channel.
  int interior = 0, edge = 0;
  for (int y = 240; y < 470; ++y) {
    for (int x = 0; x < 640; ++x) {
      const DWORD b = before_.At(x, y), a = after.At(x, y);
      if (a == b) continue;
      bool between = false;
      for (int c = 0; c < 3; ++c) {
        const DWORD under = Level(b, c), drawn = Level(a, c), top = Sixteen() ? 31 : 255;
        ASSERT_GE(drawn, under) << x << ", " << y << " channel " << c;
        between = between || (drawn > under && drawn < top);
      }
      edge += between;
      interior += !between;
    }
  }
  EXPECT_GT(edge, 300) << "blends of the text colour and the pixels under it";
  EXPECT_GT(interior, 300) << "the text colour itself";
  Save("smooth_message.ppm", 0, 220, 360, 480);
}

TEST_F(TextLayout, TypeMessageRevealsCharacterByCharacter) {
  SetFont(1, 20, 0, 0, 0, 0);   // the first line fills the box; 。 hangs right of it
  SetTextColor(0xFFFFFF, 0, 1);
  const std::string text = Paragraph(false);
  MessageLayout(kLeft, 20, kRight, 220, text.c_str(), 0);
  ReleaseFont();
  EXPECT_EQ(messageBlit, 1);
  auto drawnIn = [&](const RECT& r) {
    const Snapshot s(backScreen);
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += s.At(x, y) != before_.At(x, y);
    return n;
  };
  EXPECT_EQ(drawnIn(glyphTable[0]), 0) << "the layout alone draws nothing";

  const RECT right = {kRight, 20, 640, glyphTable[1].bottom};   // where 。 hangs
  const int count = glyphCount;
  // Frames exactly one interval long: one more character per call.
  muSystem::frameSeconds = 0.25f;
  int calls = 0;
  auto step = [&] {
    ++calls;
    return TypeMessage(0.25f);
  };
  EXPECT_EQ(step(), 0);
  EXPECT_EQ(step(), 0);
  EXPECT_EQ(drawnIn(glyphTable[1]), 0);
  EXPECT_EQ(step(), 0);   // two intervals have passed: the first character
  EXPECT_GT(drawnIn(glyphTable[1]), 10);
  EXPECT_EQ(drawnIn(glyphTable[2]), 0);
  EXPECT_EQ(step(), 0);
  EXPECT_GT(drawnIn(glyphTable[2]), 10);
  EXPECT_EQ(drawnIn(glyphTable[3]), 0);
  int result = 0;
  while (result == 0 && calls < 2 * kGlyphEntries) {
    result = step();
    if (calls == count + 1) {
      EXPECT_EQ(result, 0);
      EXPECT_GT(drawnIn(glyphTable[count - 1]), 10) << "every character, one by one";
      EXPECT_EQ(drawnIn(right), 0) << "。 comes only with the whole box";
    }
  }
  EXPECT_EQ(calls, count + 2);   // one step after the last character
  EXPECT_EQ(revealCount, count + 1);
  EXPECT_GT(drawnIn(right), 3);
  EXPECT_EQ(step(), 1);
}

TEST_F(TextLayout, TypeMessageWithoutIntervalShowsAllAtOnce) {
  SetBufferFont(1, 12);
  SetTextColor(0xFFFFFF, 0, 1);
  SmoothMessageLayout(kLeft, 20, kRight, 220, "一度に全部。", 0);
  ReleaseBufferFont();
  EXPECT_EQ(glyphCount, 7);
  EXPECT_EQ(TypeMessage(0), 1);
  EXPECT_EQ(revealCount, glyphCount + 1);
  const Snapshot after(backScreen);
  int changed = 0;
  for (int y = 20; y < 220; ++y)
    for (int x = kLeft; x < kRight; ++x) changed += after.At(x, y) != before_.At(x, y);
  EXPECT_GT(changed, 100);
}

TEST_F(TextLayout, CallersSelectionIsHandedBack) {
  SetFont(0, 20, 0, 0, 0, 0);
  SetTextColor(0x00FF00, 0x0000FF, 0);
  Message(10, 10, 300, 100, "選択", 0);
  ASSERT_NE(textDC, nullptr);
  EXPECT_EQ(textSurface, backScreen);
  EXPECT_EQ(GetTextColor(textDC), 0x00FF00u);
  EXPECT_EQ(GetBkColor(textDC), 0x0000FFu);
  EXPECT_EQ(GetBkMode(textDC), OPAQUE);
  TEXTMETRICA tm;
  GetTextMetricsA(textDC, &tm);
  EXPECT_NEAR(tm.tmHeight, 20, 1);
  ReleaseFont();
  // Every surface is free again.
  for (LPDIRECTDRAWSURFACE s : {backScreen, spriteTable[kFontSprite].surface,
                                spriteTable[kFontBufferSprite].surface}) {
    EXPECT_TRUE(testpix::Unlocked(s));
  }
  // Without a selection, none is left open.
  Message(10, 10, 300, 100, "選択", 0);
  SmoothMessage(10, 10, 300, 100, "選択", 0);
  EXPECT_EQ(textDC, nullptr);
}

TEST_F(TextLayout, BadInputIsHandled) {
  SetFont(1, 16, 0, 0, 0, 0);
  SetTextColor(0xFFFFFF, 0, 1);
  Message(10, 10, 300, 100, nullptr, 0);
  EXPECT_EQ(glyphCount, 1);
  SetFont(1, 16, 0, 0, 0, 0);
  Message(100, 10, 100, 400, "あいう", 0);   // no room: nothing, and it returns
  Message(100, 10, 50, 400, "あいう", 0);
  EXPECT_EQ(glyphCount, 1);
  ReleaseFont();
  const Snapshot after(backScreen);
  for (int y = 0; y < 480; y += 3)
    for (int x = 0; x < 640; x += 3) ASSERT_EQ(after.At(x, y), before_.At(x, y)) << x << ", " << y;

  // 5,000 characters on one line far wider than the screen: the table ends
  // at its last entry, for both routines.
  std::string longText;
  for (int i = 0; i < 5000; ++i) longText += "長";
  SetFont(1, 16, 0, 0, 0, 0);
  Message(0, 0, 1 << 20, 480, longText.c_str(), 0);
  ReleaseFont();
  EXPECT_EQ(glyphCount, kGlyphEntries);
  SetBufferFont(1, 8);
  SmoothMessage(0, 0, 1 << 20, 480, longText.c_str(), 0);
  ReleaseBufferFont();
  EXPECT_EQ(glyphCount, kGlyphEntries);
  EXPECT_EQ(glyphTable[kGlyphEntries - 1].left, (kGlyphEntries - 2) * glyphTable[1].right);
}

// ---- The shrink on the real surfaces ---------------------------------------------

TEST_F(TextLayout, ShrinkLineMatchesItsKernel) {
  const DWORD white = whiteValue;
  testpix::PaintValues(kFontBufferSprite, [white](int x, int y) {
    return ((x * 7 + y * 13) % 5 < 2) ? 0 : ((x * 2654435761u) ^ (y * 40503u)) & white;
  });
  for (const mu::ClipBounds clip : {mu::ClipBounds{0, 0, 640, 480}, mu::ClipBounds{37, 23, 150, 60}}) {
    SCOPED_TRACE(clip.left);
    ClearObject(kFontSprite);
    SetClip(clip.left, clip.top, clip.right, clip.bottom);
    ASSERT_EQ(ShrinkLine(30, 20, 0, 0, 160, 64), 1);
    testpix::Bytes expected(testpix::ReadBytes(spriteTable[kFontSprite].surface).size(), 0);
    testpix::Bytes buffer = testpix::ReadBytes(spriteTable[kFontBufferSprite].surface);
    testpix::Bytes screen = testpix::ReadBytes(backScreen);
    mu::ShrinkArea area;
    ASSERT_TRUE(mu::ClipShrink(30, 20, 0, 0, 160, 64, clip, area));
    mu::ShrinkOnto(testpix::View(expected, 640, 480), mu::AsConst(testpix::View(screen, 640, 480)),
                   mu::AsConst(testpix::View(buffer, 640, 480)), mu::screenFormat, area);
    EXPECT_EQ(testpix::FirstDifference(spriteTable[kFontSprite].surface, expected), "");
    EXPECT_GT(std::count_if(expected.begin(), expected.end(), [](std::uint8_t b) { return b != 0; }), 100);
  }
}

TEST_F(TextLayout, ShrinkLineStopsWhenALockFails) {
  {
    FaultInPlace fault(spriteTable[kFontSprite].surface, DDERR_SURFACEBUSY);
    EXPECT_EQ(ShrinkLine(0, 0, 0, 0, 64, 64), 0);
  }
  // The Font buffer, locked first, was unlocked again.
  EXPECT_TRUE(testpix::Unlocked(spriteTable[kFontBufferSprite].surface));
  // A segment wholly outside the clip rectangle does nothing, and succeeds.
  EXPECT_EQ(ShrinkLine(700, 0, 0, 0, 64, 64), 1);
}

}  // namespace
