#include "text/text_rules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// The fields of the Windows font record that selections write.
struct FakeLogFont {
  long lfHeight, lfWidth, lfEscapement, lfOrientation, lfWeight;
  unsigned char lfItalic, lfUnderline, lfStrikeOut, lfCharSet;
  unsigned char lfOutPrecision, lfClipPrecision, lfQuality, lfPitchAndFamily;
  char lfFaceName[32];
};

TEST(FontRecord, ScreenSelectionFields) {
  FakeLogFont f = {};
  mu::WriteScreenFont(f, mu::FamilyFace(1), 12, 45, 1, 1, 1);
  EXPECT_STREQ(f.lfFaceName, "標準ゴシック");
  EXPECT_EQ(f.lfHeight, 12);
  EXPECT_EQ(f.lfEscapement, 450);
  EXPECT_EQ(f.lfWeight, 700);
  EXPECT_EQ(f.lfItalic, 1);
  EXPECT_EQ(f.lfUnderline, 1);
  EXPECT_EQ(f.lfCharSet, 128);

  // Weight 0 normal, 2 and negative "don't care"; another family keeps the face.
  mu::WriteScreenFont(f, mu::FamilyFace(0), 20, 0, 0, 0, 0);
  EXPECT_STREQ(f.lfFaceName, "標準明朝");
  EXPECT_EQ(f.lfWeight, 400);
  mu::WriteScreenFont(f, mu::FamilyFace(7), 20, 0, 2, 0, 0);
  EXPECT_STREQ(f.lfFaceName, "標準明朝");
  EXPECT_EQ(f.lfWeight, 0);
  mu::WriteScreenFont(f, mu::FamilyFace(-1), 20, 0, -3, 0, 0);
  EXPECT_EQ(f.lfWeight, 0);
  EXPECT_EQ(f.lfOrientation, 0);
  EXPECT_EQ(f.lfQuality, 0);
  EXPECT_EQ(f.lfPitchAndFamily, 0);
}

TEST(FontRecord, FaceStaysEmptyBeforeAnyNamedSelection) {
  FakeLogFont f = {};
  mu::WriteScreenFont(f, mu::FamilyFace(5), 16, 0, 0, 0, 0);
  EXPECT_STREQ(f.lfFaceName, "");
}

TEST(FontRecord, BufferSelectionIsDoubleSizePlain) {
  FakeLogFont f = {};
  mu::WriteScreenFont(f, "X", 10, 90, 1, 1, 1);
  mu::WriteBufferFont(f, mu::FamilyFace(1), 12);
  EXPECT_EQ(f.lfHeight, 24);
  EXPECT_EQ(f.lfEscapement, 0);
  EXPECT_EQ(f.lfWeight, 400);
  EXPECT_EQ(f.lfItalic, 0);
  EXPECT_EQ(f.lfUnderline, 0);
  EXPECT_STREQ(f.lfFaceName, "標準ゴシック");
}

TEST(FontRecord, LongFaceNameIsCutNotOverrun) {
  struct {
    FakeLogFont f;
    char guard[16];
  } g = {};
  FakeLogFont& f = g.f;
  std::memset(g.guard, 'G', sizeof g.guard);
  std::string longName(80, 'a');
  mu::WriteScreenFont(f, longName.c_str(), 12, 0, 0, 0, 0);
  EXPECT_EQ(std::strlen(f.lfFaceName), 31u);
  EXPECT_EQ(g.guard[0], 'G');
  // A double-byte character that does not fit whole is left out.
  std::string sjis(30, 'b');
  sjis += "\x83\x41";   // one katakana, bytes 31 and 32
  mu::WriteScreenFont(f, sjis.c_str(), 12, 0, 0, 0, 0);
  EXPECT_EQ(std::string(f.lfFaceName), std::string(30, 'b'));
}

TEST(FontList, KindsCountAndCapacity) {
  static mu::FontEntry list[mu::kFontListRows];
  int count = 7;
  mu::ClearFontList(list, count);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(list[199].kind, mu::kFontFree);
  EXPECT_EQ(mu::AddFontEntry(list, count, "Gothic", 128), 1);
  EXPECT_EQ(mu::AddFontEntry(list, count, "Symbol", 2), 1);
  EXPECT_EQ(mu::AddFontEntry(list, count, "Arial", 0), 1);
  EXPECT_EQ(list[0].kind, 1);
  EXPECT_EQ(list[1].kind, 3);
  EXPECT_EQ(list[2].kind, 2);
  EXPECT_EQ(list[2].charSet, 0);
  std::string longName(40, 'n');
  for (int i = 3; i < mu::kFontListRows; ++i) {
    EXPECT_EQ(mu::AddFontEntry(list, count, longName.c_str(), 186), 1);
  }
  EXPECT_EQ(count, 200);
  EXPECT_EQ(mu::AddFontEntry(list, count, "More", 128), 0);
  EXPECT_EQ(count, 200);
  EXPECT_EQ(std::strlen(list[150].faceName), 35u);
}

TEST(FontList, CharSetLookupByName) {
  static mu::FontEntry list[mu::kFontListRows];
  int count;
  mu::ClearFontList(list, count);
  mu::AddFontEntry(list, count, "Arial", 0);
  mu::AddFontEntry(list, count, "Wingdings", 2);
  mu::AddFontEntry(list, count, "arial", 186);
  EXPECT_EQ(mu::CharSetForFace(list, "Wingdings"), 2);
  EXPECT_EQ(mu::CharSetForFace(list, "arial"), 186);   // case-sensitive
  EXPECT_EQ(mu::CharSetForFace(list, "Unknown"), 128);
  // The empty name matches the first free row: character set 0.
  mu::AddFontEntry(list, count, "Hebrew", 177);
  EXPECT_EQ(mu::CharSetForFace(list, ""), 0);
}

TEST(Fps, FirstCallAndTwoSecondWindows) {
  mu::FpsCounter c = mu::FpsStart(1000);
  char text[mu::kFpsTextBytes];
  mu::FpsTick(c, 1000, 1000);
  mu::FormatFps(c, text, sizeof text);
  EXPECT_STREQ(text, "0.0 fps ( max 0.0 / min 999.9 )");

  for (int i = 1; i < 120; ++i) mu::FpsTick(c, 1000 + i * 16, 1000 + i * 16);
  mu::FpsTick(c, 3000, 3001);   // 120 frames in the window
  EXPECT_FLOAT_EQ(c.current, 60.0f);
  EXPECT_FLOAT_EQ(c.highest, 60.0f);
  EXPECT_FLOAT_EQ(c.lowest, 60.0f);
  EXPECT_EQ(c.nextSample, 5001u);

  for (int i = 1; i < 40; ++i) mu::FpsTick(c, 3001 + i, 3001 + i);
  mu::FpsTick(c, 5001, 5001);   // 40 frames
  EXPECT_FLOAT_EQ(c.current, 20.0f);
  EXPECT_FLOAT_EQ(c.highest, 60.0f);
  EXPECT_FLOAT_EQ(c.lowest, 20.0f);

  // A window in which nobody called: the rate is 0, the minimum stays.
  c.frames = 0;
  mu::FpsTick(c, 7001, 7001);
  EXPECT_FLOAT_EQ(c.current, 0.0f);
  EXPECT_FLOAT_EQ(c.lowest, 20.0f);
}

TEST(Fps, CountCapsAt999) {
  mu::FpsCounter c = mu::FpsStart(0);
  mu::FpsTick(c, 0, 0);
  for (int i = 0; i < 1500; ++i) mu::FpsTick(c, 1, 1);
  EXPECT_EQ(c.frames, 999);
  mu::FpsTick(c, 2000, 2000);
  EXPECT_FLOAT_EQ(c.current, 499.5f);
  char text[mu::kFpsTextBytes];
  mu::FormatFps(c, text, sizeof text);
  EXPECT_STREQ(text, "499.5 fps ( max 499.5 / min 499.5 )");
}

TEST(Fps, WindowClosesAcrossTimerWrap) {
  mu::FpsCounter c = mu::FpsStart(0xFFFFF000u);
  mu::FpsTick(c, 0xFFFFF000u, 0xFFFFF000u);   // next sample at 0xFFFFF7D0
  mu::FpsTick(c, 0xFFFFF100u, 0xFFFFF100u);
  EXPECT_EQ(c.frames, 2);   // not yet: the window is still open
  mu::FpsTick(c, 0x00000800u, 0x00000800u);   // after the timer wrapped
  EXPECT_EQ(c.frames, 1);
  EXPECT_FLOAT_EQ(c.current, 1.0f);
}

int Format(char* buf, std::size_t size, const char* format, ...) {
  va_list args;
  va_start(args, format);
  int n = mu::FormatText(buf, size, format, args);
  va_end(args);
  return n;
}

TEST(FormatText, BoundedByTheBuffer) {
  char buf[256];
  EXPECT_EQ(Format(buf, sizeof buf, "x=%d %s", 12, "ok"), 7);
  EXPECT_STREQ(buf, "x=12 ok");

  std::string big(1000, 'q');
  char guarded[260];
  std::memset(guarded, '#', sizeof guarded);
  EXPECT_EQ(Format(guarded, 256, "%s", big.c_str()), 255);
  EXPECT_EQ(std::strlen(guarded), 255u);
  EXPECT_EQ(guarded[256], '#');

  // 254 single bytes then a double-byte character: byte 255 would be a lone lead.
  std::string edge(254, 'a');
  edge += "\x88\x9F";
  EXPECT_EQ(Format(buf, sizeof buf, "%s", edge.c_str()), 254);
  // A trail byte in the lead range is not taken for a lead byte.
  std::string pairs;
  for (int i = 0; i < 200; ++i) pairs += "\x88\x88";
  int n = Format(buf, sizeof buf, "%s", pairs.c_str());
  EXPECT_EQ(n, 254);
}

}  // namespace
