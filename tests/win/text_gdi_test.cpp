// GDI primitives and text output, read back from the real back screen.
#include <gtest/gtest.h>
#include <mu.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "surface_pixels.h"
#include "test_app.h"
#include "text/text_state.h"

namespace {

struct Rgb {
  int r, g, b;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

// Reads the back screen directly (not through GDI): 8-bit channels.
class Pixels {
 public:
  DWORD Raw(int x, int y) const { return testpix::ReadPixel(muDraw::backScreen, x, y); }
  Rgb At(int x, int y) const {
    const DWORD v = Raw(x, y);
    int c[3];
    for (int i = 0; i < 3; ++i) c[i] = static_cast<int>(testpix::Channel(v, i) * 255 / testpix::ChannelMax(i));
    return {c[0], c[1], c[2]};
  }
  // Fills the back screen with a COLORREF through a colour-fill blit.
  void Fill(COLORREF color) const {
    testpix::FillSurface(muDraw::backScreen, testpix::Rgb(GetRValue(color), GetGValue(color), GetBValue(color)));
  }
  int bytes() const {
    DDPIXELFORMAT f = {};
    f.dwSize = sizeof f;
    muDraw::backScreen->GetPixelFormat(&f);
    return static_cast<int>(f.dwRGBBitCount / 8);
  }
  // The top-left w x h pixels as a binary PPM picture, to look at.
  void SavePpm(const char* file, int w, int h) const { testpix::WritePpm(file, muDraw::backScreen, 0, 0, w, h); }
};

const Rgb kBlack = {0, 0, 0}, kMagenta = {255, 0, 255}, kGreen = {0, 255, 0}, kRed = {255, 0, 0},
          kBlue = {0, 0, 255}, kWhite = {255, 255, 255}, kNavy = {0, 0, 128};
constexpr COLORREF kGreenRef = 0x00FF00, kRedRef = 0x0000FF, kBlueRef = 0xFF0000;

bool Near(const Rgb& a, const Rgb& b) {
  return std::abs(a.r - b.r) <= 8 && std::abs(a.g - b.g) <= 8 && std::abs(a.b - b.b) <= 8;
}

// Windowed, or with MU_TEXT_FULLSCREEN=1 on a full 640 x 480 x 16 screen.
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(
    new testapp::ScreenEnvironment(testapp::FullScreenRun("MU_TEXT_FULLSCREEN")));

class Gdi : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(muDraw::backScreen, nullptr);
    px_.Fill(kGreenRef);
  }
  Pixels px_;
};

TEST_F(Gdi, BoxRingAndInside) {
  muDraw::Box(10, 10, 40, 40, 0xFF00FF, 0, 1);
  for (int i = 10; i < 40; ++i) {
    EXPECT_EQ(px_.At(i, 10), kBlack) << i;
    EXPECT_EQ(px_.At(i, 39), kBlack) << i;
    EXPECT_EQ(px_.At(10, i), kBlack) << i;
    EXPECT_EQ(px_.At(39, i), kBlack) << i;
    EXPECT_EQ(px_.At(40, i), kGreen) << i;   // column 40 untouched
    EXPECT_EQ(px_.At(i, 40), kGreen) << i;   // row 40 untouched
  }
  for (int y = 11; y < 39; y += 3)
    for (int x = 11; x < 39; x += 3) EXPECT_EQ(px_.At(x, y), kMagenta) << x << "," << y;
  EXPECT_EQ(px_.At(9, 9), kGreen);
}

TEST_F(Gdi, BoxWidthZeroIsOnePixelOutline) {
  muDraw::Box(50, 50, 80, 80, 0xFF00FF, 0xFFFFFF, 0);
  EXPECT_EQ(px_.At(50, 60), kWhite);
  EXPECT_EQ(px_.At(51, 60), kMagenta);
  EXPECT_EQ(px_.At(79, 60), kWhite);
  EXPECT_EQ(px_.At(78, 60), kMagenta);
}

TEST_F(Gdi, LineLeavesItsEndPoint) {
  muDraw::Line(0, 0, 10, 0, kRedRef, 1);
  for (int x = 0; x < 10; ++x) EXPECT_EQ(px_.At(x, 0), kRed) << x;
  EXPECT_EQ(px_.At(10, 0), kGreen);
  EXPECT_EQ(px_.At(0, 1), kGreen);
}

// Counts colours inside the square (101..159) after a polygon over (100..160).
struct Census {
  int red = 0, blue = 0, green = 0, other = 0;
};
Census Inside(const Pixels& px) {
  Census c;
  for (int y = 104; y < 156; y += 1)
    for (int x = 104; x < 156; x += 1) {
      Rgb p = px.At(x, y);
      if (p == kRed) ++c.red;
      else if (p == kBlue) ++c.blue;
      else if (p == kGreen) ++c.green;
      else ++c.other;
    }
  return c;
}

const POINT kSquare[4] = {{100, 100}, {160, 100}, {160, 160}, {100, 160}};

TEST_F(Gdi, PolygonFillModes) {
  muDraw::Polygon(kSquare, 4, kRedRef, kBlueRef, 1, 0);
  Census c0 = Inside(px_);
  EXPECT_EQ(c0.red + c0.blue + c0.other, 0);   // outline only
  EXPECT_EQ(px_.At(100, 130), kRed);

  // See-through hatch first, so an opaque one after it cannot rely on defaults.
  px_.Fill(kGreenRef);
  muDraw::Polygon(kSquare, 4, kRedRef, kBlueRef, 1, 2);
  Census c2 = Inside(px_);
  EXPECT_GT(c2.red, 100);
  EXPECT_GT(c2.green, 100);
  EXPECT_EQ(c2.blue + c2.other, 0);

  px_.Fill(kGreenRef);
  muDraw::Polygon(kSquare, 4, kRedRef, kBlueRef, 1, 1);
  Census c1 = Inside(px_);
  EXPECT_GT(c1.red, 100);
  EXPECT_GT(c1.blue, 100);
  EXPECT_EQ(c1.green + c1.other, 0);
  std::vector<DWORD> mode1;
  for (int x = 100; x < 160; ++x) mode1.push_back(px_.Raw(x, 130));

  px_.Fill(kGreenRef);
  muDraw::Polygon(kSquare, 4, kRedRef, kBlueRef, 1, 3);
  for (int x = 100; x < 160; ++x) EXPECT_EQ(px_.Raw(x, 130), mode1[x - 100]) << x;
}

TEST_F(Gdi, BezierAndClippedShapes) {
  const POINT curve[4] = {{200, 200}, {220, 180}, {240, 220}, {260, 200}};
  muDraw::Bezier(curve, 4, kRedRef, 1);
  EXPECT_EQ(px_.At(200, 200), kRed);
  // Partly and wholly off the surface: GDI clips, nothing breaks.
  muDraw::Box(620, 470, 700, 600, 0xFF00FF, 0, 1);
  muDraw::Box(-100, -100, -50, -50, 0xFF00FF, 0, 1);
  muDraw::Line(-10, -10, 5000, 5000, kRedRef, 3);
  EXPECT_EQ(px_.At(639, 479), kMagenta);
  muDraw::Polygon(nullptr, 4, kRedRef, kBlueRef, 1, 1);
  muDraw::Bezier(nullptr, 4, kRedRef, 1);
}

TEST_F(Gdi, InvertBoxTwiceRestores) {
  muDraw::Box(300, 300, 340, 340, 0x123456, 0xABCDEF, 2);
  std::vector<DWORD> before;
  for (int y = 295; y < 345; y += 7)
    for (int x = 295; x < 345; x += 3) before.push_back(px_.Raw(x, y));
  DWORD inside = px_.Raw(310, 310), edge = px_.Raw(340, 320);
  muDraw::InvertBox(300, 300, 340, 340);
  DWORD all = px_.bytes() == 2 ? 0xFFFF : 0xFFFFFF;
  EXPECT_EQ(px_.Raw(310, 310) & all, ~inside & all);   // every bit flipped
  EXPECT_EQ(px_.Raw(340, 320), edge);                  // right edge exclusive
  muDraw::InvertBox(300, 300, 340, 340);
  size_t i = 0;
  for (int y = 295; y < 345; y += 7)
    for (int x = 295; x < 345; x += 3) EXPECT_EQ(px_.Raw(x, y), before[i++]) << x << "," << y;
}

TEST_F(Gdi, PutPixelThenGetPixelColor) {
  muDraw::PutPixel(5, 5, 0x0000FF);
  int r = -1, g = -1, b = -1;
  muDraw::GetPixelColor(5, 5, &r, &g, &b);
  if (px_.bytes() >= 3) {
    EXPECT_EQ(r, 255);
    EXPECT_EQ(g, 0);
    EXPECT_EQ(b, 0);
  } else {
    EXPECT_GE(r, 248);   // 5 bits of red
    EXPECT_EQ(g, 0);
    EXPECT_EQ(b, 0);
  }
  EXPECT_EQ(px_.At(5, 5), kRed);
  muDraw::GetPixelColor(6, 5, &r, nullptr, &b);   // missing outputs are skipped
  EXPECT_EQ(r, 0);
}

TEST_F(Gdi, NothingDrawnWithoutABackScreen) {
  LPDIRECTDRAWSURFACE saved = muDraw::backScreen;
  muDraw::backScreen = nullptr;
  muDraw::Box(0, 0, 10, 10, 0, 0, 1);
  muDraw::InvertBox(0, 0, 10, 10);
  muDraw::PutPixel(1, 1, 0);
  int r = 0, g = 0, b = 0;
  muDraw::GetPixelColor(1, 1, &r, &g, &b);
  EXPECT_EQ(r, 255);   // what GDI answers for an unreadable pixel
  muDraw::Print(0, 0, "x");
  EXPECT_EQ(muDraw::textDC, nullptr);
  muDraw::backScreen = saved;
  EXPECT_EQ(px_.At(1, 1), kGreen);
}

// ---- Fonts and text ----

TEST_F(Gdi, FontListWasFilled) {
  EXPECT_GT(muDraw::fontListCount, 0);
  EXPECT_LE(muDraw::fontListCount, 200);
  EXPECT_NE(muDraw::fontRecord, nullptr);
  EXPECT_EQ(muDraw::messageBlit, 1);
  for (int i = 0; i < muDraw::fontListCount; ++i) {
    const mu::FontEntry& e = muDraw::fontList[i];
    int want = e.charSet == 128 ? 1 : e.charSet == 2 ? 3 : 2;
    EXPECT_EQ(e.kind, want) << e.faceName;
  }
  if (muDraw::fontListCount < 200) {
    EXPECT_EQ(muDraw::fontList[muDraw::fontListCount].kind, -1);
  }
}

TEST_F(Gdi, SharedRecordAfterEachSelection) {
  const LOGFONTA& f = *muDraw::fontRecord;
  muDraw::SetFont(0, 20, 30, 1, 1, 1);
  EXPECT_STREQ(f.lfFaceName, "標準明朝");
  EXPECT_EQ(f.lfHeight, 20);
  EXPECT_EQ(f.lfEscapement, 300);
  EXPECT_EQ(f.lfWeight, 700);
  EXPECT_EQ(f.lfItalic, 1);
  EXPECT_EQ(f.lfUnderline, 1);
  EXPECT_EQ(f.lfCharSet, 128);
  EXPECT_NE(muDraw::textDC, nullptr);
  muDraw::ReleaseFont();
  EXPECT_EQ(muDraw::textDC, nullptr);

  muDraw::SetFont(9, 16, 0, 2, 0, 0);   // other family keeps the face; weight 2 is "any"
  EXPECT_STREQ(f.lfFaceName, "標準明朝");
  EXPECT_EQ(f.lfWeight, 0);
  EXPECT_EQ(f.lfItalic, 0);
  muDraw::ReleaseFont();
  muDraw::SetFont(1, 12, 0, 0, 0, 0);
  EXPECT_STREQ(f.lfFaceName, "標準ゴシック");
  EXPECT_EQ(f.lfWeight, 400);
  EXPECT_EQ(muDraw::fontHeight, 12);
  muDraw::ReleaseFont();

  // By name: the listed face's character set; an unknown one stays Shift-JIS.
  const mu::FontEntry& first = muDraw::fontList[0];
  muDraw::SetFontByName(first.faceName, 14, 0, 0, 0, 0);
  EXPECT_STREQ(f.lfFaceName, first.faceName);
  EXPECT_EQ(f.lfCharSet, first.charSet);
  muDraw::ReleaseFont();
  muDraw::SetFontByName("NoSuchFaceAnywhere", 14, 0, 0, 0, 0);
  EXPECT_EQ(f.lfCharSet, 128);
  muDraw::ReleaseFont();
  ASSERT_LT(muDraw::fontListCount, 200);
  muDraw::SetFontByName("", 14, 0, 0, 0, 0);   // matches the first free row
  EXPECT_EQ(f.lfCharSet, 0);
  muDraw::ReleaseFont();

  // A name longer than the record holds is cut, the record's neighbours intact.
  std::string longName(100, 'L');
  muDraw::SetFontByName(longName.c_str(), 14, 0, 0, 0, 0);
  EXPECT_EQ(std::strlen(f.lfFaceName), 31u);
  muDraw::ReleaseFont();
}

TEST_F(Gdi, BufferFontIsDoubleSizeOnTheFontBuffer) {
  muDraw::SetBufferFont(1, 12);
  EXPECT_EQ(muDraw::fontRecord->lfHeight, 24);
  EXPECT_EQ(muDraw::fontHeight, 24);
  EXPECT_EQ(muDraw::textSurface, muDraw::spriteTable[muDraw::kFontBufferSprite].surface);
  ASSERT_NE(muDraw::textDC, nullptr);
  TEXTMETRICA tm;
  GetTextMetricsA(muDraw::textDC, &tm);
  EXPECT_NEAR(tm.tmHeight, 24, 1);   // the face's own rounding of a 24-pixel cell
  muDraw::ReleaseBufferFont();
  EXPECT_EQ(muDraw::textDC, nullptr);
}

int CountNear(const Pixels& px, int l, int t, int r, int b, const Rgb& c) {
  int n = 0;
  for (int y = t; y < b; ++y)
    for (int x = l; x < r; ++x) n += Near(px.At(x, y), c) ? 1 : 0;
  return n;
}

TEST_F(Gdi, TextBoxAlignsAndMeasures) {
  muDraw::SetFont(1, 16, 0, 0, 0, 0);
  muDraw::SetTextColor(0xFFFFFF, 0, 1);
  EXPECT_EQ(muDraw::TextBox(0, 0, 200, 100, "abc", 3), 0);
  muDraw::ReleaseFont();
  EXPECT_EQ(CountNear(px_, 0, 0, 200, 100, kGreen), 200 * 100);

  muDraw::SetFont(1, 16, 0, 0, 0, 0);
  muDraw::SetTextColor(0xFFFFFF, 0, 1);
  int one = muDraw::TextHeight(0, 0, 600, 400, "word");
  int wrapped = muDraw::TextHeight(0, 0, 60, 400, "word word word word word");
  int drawn = muDraw::TextBox(0, 200, 60, 400, "word word word word word", 2);
  muDraw::ReleaseFont();
  EXPECT_GE(one, 16);
  EXPECT_GE(wrapped, 3 * one);
  EXPECT_EQ(drawn, wrapped);
  EXPECT_EQ(CountNear(px_, 0, 0, 600, 190, kGreen), 600 * 190);   // measuring draws nothing
  EXPECT_GT(CountNear(px_, 0, 200, 60, 400, kWhite), 20);
}

TEST_F(Gdi, PrintFJapaneseWhiteOnNavy) {
  px_.Fill(0);
  muDraw::PrintF(0, 0, "%s%s", "atr", "第壱ポイント通過");
  int navy = CountNear(px_, 0, 0, 200, 12, kNavy);
  int white = CountNear(px_, 0, 0, 200, 12, kWhite);
  EXPECT_GT(navy, 300);
  EXPECT_GT(white, 150);
  // White in the right half of the line: the Japanese glyphs, not only "atr".
  EXPECT_GT(CountNear(px_, 40, 0, 110, 12, kWhite), 80);
  EXPECT_EQ(CountNear(px_, 0, 14, 200, 30, kBlack), 200 * 16);   // nothing below the line
  EXPECT_EQ(muDraw::textColor, 0xFFFFFFu);
  EXPECT_EQ(muDraw::textBackColor, 0x800000u);
  EXPECT_EQ(muDraw::textDC, nullptr);
  if (const char* file = std::getenv("MU_SHOT_FILE")) px_.SavePpm(file, 240, 40);
}

TEST_F(Gdi, PrintFIsBoundedByItsBuffer) {
  std::string big(2000, 'W');
  muDraw::PrintF(0, 100, "%s%s", big.c_str(), big.c_str());
  EXPECT_EQ(muDraw::textDC, nullptr);
  EXPECT_GT(CountNear(px_, 600, 100, 640, 112, kWhite), 10);   // the line runs across
}

TEST_F(Gdi, ShowFpsFirstLine) {
  px_.Fill(0);
  muDraw::ShowFps();
  EXPECT_STREQ(muDraw::fpsText, "0.0 fps ( max 0.0 / min 999.9 )");
  EXPECT_GT(CountNear(px_, 0, 0, 150, 12, kNavy), 200);
}

TEST_F(Gdi, SecondSelectionClosesAnUnreleasedOne) {
  muDraw::SetFont(1, 12, 0, 0, 0, 0);
  muDraw::SetFont(0, 12, 0, 0, 0, 0);   // the first was never released
  muDraw::ReleaseFont();
  EXPECT_TRUE(testpix::Unlocked(muDraw::backScreen));   // the back screen is free again
}

// In full screen the screen set-up confines the pointer to the screen.
TEST_F(Gdi, FullScreenKeepsThePointerOnTheScreen) {
  if (!muSystem::fullScreen) GTEST_SKIP() << "windowed run";
  RECT c;
  GetClipCursor(&c);
  EXPECT_EQ(c.left, 0);
  EXPECT_EQ(c.top, 0);
  EXPECT_EQ(c.right, 640);
  EXPECT_EQ(c.bottom, 480);
  EXPECT_EQ(muSystem::cursorClipped, 1);
  SetCursorPos(900, 700);
  POINT p;
  GetCursorPos(&p);
  EXPECT_LT(p.x, 640);
  EXPECT_LT(p.y, 480);
}

}  // namespace
