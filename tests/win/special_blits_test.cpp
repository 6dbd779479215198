// Fills, the tint, stretched, mirrored and raster blits and the capture, read
// back from the real back screen under Wine. Runs on the display it gets: a
// 16-bit display gives a 5-6-5 back screen, a 24-bit one a 32-bit screen.
#include <gtest/gtest.h>
#include <mu.h>

#include <cmath>

#include "draw/effects/raster_rows.h"
#include "surface_faults.h"
#include "surface_pixels.h"
#include "test_app.h"

namespace {

using namespace muDraw;
using testpix::Channel;
using testpix::Snapshot;

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new testapp::ScreenEnvironment);

class Special : public ::testing::Test {
 protected:
  void SetUp() override {
    SetClip(0, 0, 640, 480);
  }
  void TearDown() override {
    for (int i = kInternalSprites; i < kSpriteCount; ++i) DeleteObject(i);
    SetClip(0, 0, 640, 480);
    muSystem::frameSeconds = 0;
  }
  bool Sixteen() const { return muSystem::GetScreenDepth() == 16; }
};

// A pixel value naming a source pixel: red = column, green = row, blue 1
// (never 0, the transparent value). Columns 0..31 and rows 0..63 stay distinct.
DWORD Code(int column, int row) {
  return (static_cast<DWORD>(column) << redShift) | (static_cast<DWORD>(row) << greenShift) |
         (1u << blueShift);
}

// A 32 x 48 sprite of coded pixels.
int CodedSprite() {
  int s = CreateObject(32, 48, 2);
  testpix::PaintValues(s, Code);
  return s;
}

// Screen row y holds source row `row` at x..x + 31, and nothing drawn just
// beside it (the screen was cleared to 0).
::testing::AssertionResult RowAt(const Snapshot& s, int y, int x, int row) {
  for (int i = 0; i < 32; ++i) {
    if (s.At(x + i, y) != Code(i, row))
      return ::testing::AssertionFailure()
             << "screen (" << x + i << ", " << y << ") is " << s.At(x + i, y) << ", not column "
             << i << " of row " << row;
  }
  if (x > 0 && s.At(x - 1, y) != 0) return ::testing::AssertionFailure() << "drawn left of " << x;
  if (x + 32 < 640 && s.At(x + 32, y) != 0)
    return ::testing::AssertionFailure() << "drawn right of " << x + 31;
  return ::testing::AssertionSuccess();
}

bool RowEmpty(const Snapshot& s, int y) {
  for (int x = 0; x < 640; ++x)
    if (s.At(x, y) != 0) return false;
  return true;
}

TEST_F(Special, FillsCutToTheSurfaceAndIgnoreTheClipRectangle) {
  testpix::FillSurface(backScreen, whiteValue);
  ClearFrame(10, 10, 20, 20);
  ClearBox(600, 470, 700, 500);   // reaches past the surface: its visible part is cleared
  ClearBox(50, 50, 40, 60);       // inverted: nothing
  SetClip(0, 0, 5, 5);            // fills do not follow the clip rectangle
  FillBox(-5, 100, 3, 102, 0x12345);
  Snapshot s(backScreen);
  ASSERT_TRUE(s.Ok());
  for (int i = 10; i < 20; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(s.At(i, 10), 0u);
    EXPECT_EQ(s.At(i, 19), 0u);
    EXPECT_EQ(s.At(10, i), 0u);
    EXPECT_EQ(s.At(19, i), 0u);
  }
  const DWORD white = whiteValue, filled = Sixteen() ? 0x2345u : 0x12345u;   // 16-bit: the low 16 bits
  const struct {
    int x, y;
    DWORD want;
  } points[] = {{11, 11, white}, {18, 18, white}, {20, 10, white}, {10, 20, white},   // in and beside the frame
                {639, 479, 0},   {600, 470, 0},   {599, 470, white},                 // the box cut to the surface
                {45, 55, white},                                                     // the inverted box
                {0, 100, filled}, {2, 101, filled}, {3, 101, white}};                // the filled box, unclipped
  for (const auto& p : points) EXPECT_EQ(s.At(p.x, p.y), p.want) << p.x << ", " << p.y;

  ClearBox(0, 0, 640, 480);
  WhiteBox(100, 100, 102, 101);
  EXPECT_EQ(testpix::ReadPixel(backScreen, 101, 100), whiteValue);
  EXPECT_EQ(testpix::ReadPixel(backScreen, 101, 101), 0u);
  WhiteScreen();
  EXPECT_EQ(testpix::ReadPixel(backScreen, 639, 479), whiteValue);

  int sprite = CreateObject(30, 20, 2);
  ASSERT_GT(sprite, 0);
  testpix::FillSurface(spriteTable[sprite].surface, whiteValue);
  ClearObject(sprite);
  Snapshot cleared(spriteTable[sprite].surface);
  EXPECT_EQ(cleared.At(0, 0), 0u);
  EXPECT_EQ(cleared.At(29, 19), 0u);
  for (int bad : {-1, 1024, 700}) ClearObject(bad);   // outside the table or empty: nothing
}

TEST_F(Special, TintHalvesEveryChannelTowardsTheValue) {
  testpix::FillSurface(backScreen, 0);
  SetClip(0, 0, 100, 100);
  EXPECT_EQ(TintBox(90, 90, 200, 200, whiteValue), 1);   // cut to (90, 90, 100, 100)
  Snapshot s(backScreen);
  const DWORD half = s.At(95, 95);   // 15 of 31 and 31 of 63 on 5-6-5, 127 of 255 on 32 bits
  for (int c = 0; c < 3; ++c) EXPECT_EQ(Channel(half, c), Channel(whiteValue, c) / 2) << c;
  EXPECT_EQ(half & ~whiteValue, 0u);
  EXPECT_EQ(s.At(89, 95), 0u);
  EXPECT_EQ(s.At(100, 95), 0u);
  EXPECT_EQ(s.At(95, 100), 0u);

  // A second tint over the first: half of half plus half again.
  SetClip(0, 0, 640, 480);
  TintBox(90, 90, 91, 91, whiteValue);
  EXPECT_EQ(Channel(testpix::ReadPixel(backScreen, 90, 90), 1),
            Channel(half, 1) / 2 + Channel(whiteValue, 1) / 2);
  // Nothing to tint; and a clip rectangle larger than the surface touches only the surface.
  EXPECT_EQ(TintBox(50, 50, 40, 60, whiteValue), 1);
  SetClip(-100, -100, 2000, 2000);
  EXPECT_EQ(TintBox(-100, -100, 2000, 2000, 0), 1);
  EXPECT_EQ(testpix::ReadPixel(backScreen, 95, 95), (half >> 1) & halfMask);
  // No back screen to lock: 0.
  LPDIRECTDRAWSURFACE saved = backScreen;
  backScreen = nullptr;
  EXPECT_EQ(TintBox(0, 0, 10, 10, 0), 0);
  backScreen = saved;
}

TEST_F(Special, StretchedBlitsOnBothPathsKeepTheirKeys) {
  // A 4 x 2 source with key-coloured (0) pixels, doubled to 8 x 4.
  const DWORD a = Code(1, 1), b = Code(2, 3), c = Code(5, 7), d = Code(9, 2), e = Code(30, 40);
  const DWORD picture[2][4] = {{a, 0, b, c}, {d, e, 0, a}};
  int small = CreateObject(4, 2, 2);
  testpix::PaintValues(small, [&](int x, int y) { return picture[y][x]; });
  // Columns alternate between two values: a shrink must keep one of them.
  int stripes = CreateObject(8, 2, 2);
  testpix::PaintValues(stripes, [&](int x, int) { return x % 2 ? b : d; });
  const int saved = canStretch;
  for (int path : {1, 0}) {
    SCOPED_TRACE(path ? "DirectDraw" : "GDI through the Buffer sprite");
    canStretch = path;
    WhiteScreen();
    StretchKey(10, 10, small, 0, 0, 4, 2, 8, 4);
    Stretch(30, 10, small, 0, 0, 4, 2, 8, 4);
    Stretch(50, 10, stripes, 0, 0, 8, 2, 4, 1);
    Snapshot s(backScreen);
    for (int y = 0; y < 4; ++y) {
      for (int x = 0; x < 8; ++x) {
        const DWORD v = picture[y / 2][x / 2];
        EXPECT_EQ(s.At(10 + x, 10 + y), v ? v : whiteValue) << "keyed " << x << "," << y;
        EXPECT_EQ(s.At(30 + x, 10 + y), v) << "opaque " << x << "," << y;
      }
    }
    EXPECT_EQ(s.At(18, 10), whiteValue);
    EXPECT_EQ(s.At(10, 14), whiteValue);
    for (int x = 0; x < 4; ++x) {
      EXPECT_TRUE(s.At(50 + x, 10) == b || s.At(50 + x, 10) == d) << "shrunk column " << x;
    }
    EXPECT_EQ(s.At(54, 10), whiteValue);
    StretchKey(0, 0, 2000, 0, 0, 4, 2, 8, 4);   // no such sprite: nothing
    Stretch(0, 0, small, 0, 0, 4, 2, -8, 4);    // inverted: nothing
    EXPECT_EQ(testpix::ReadPixel(backScreen, 0, 0), whiteValue);
  }
  canStretch = saved;
}

TEST_F(Special, FlipBltMirrorsAndIsClipped) {
  // A B 0 D mirrored left-right at x = 0: D, the screen, B, A.
  const DWORD a = Code(1, 1), b = Code(2, 2), d = Code(4, 4);
  int row = CreateObject(4, 1, 2);
  testpix::PaintValues(row, [&](int x, int) { const DWORD v[4] = {a, b, 0, d}; return v[x]; });
  WhiteScreen();
  EXPECT_EQ(FlipBlt(0, 0, 1, row, 0, 0, 4, 1), 1);
  Snapshot s(backScreen);
  const DWORD mirrored[5] = {d, whiteValue, b, a, whiteValue};
  for (int x = 0; x < 5; ++x) EXPECT_EQ(s.At(x, 0), mirrored[x]) << x;

  // Upside down and left-right, partly left of and above the clip rectangle:
  // the pixels left are those of the whole blit.
  int coded = CodedSprite();
  ClearScreen();
  SetClip(5, 20, 640, 480);
  EXPECT_EQ(FlipBlt(-10, 10, 3, coded, 0, 0, 32, 48), 1);
  Snapshot m(backScreen);
  for (int y = 10; y < 58; ++y) {
    for (int x = 0; x < 22; ++x) {
      const DWORD want = (x < 5 || y < 20) ? 0 : Code(31 - (x + 10), 47 - (y - 10));
      ASSERT_EQ(m.At(x, y), want) << x << "," << y;
    }
  }
  EXPECT_EQ(m.At(22, 30), 0u);
  SetClip(0, 0, 640, 480);
  EXPECT_EQ(FlipBlt(0, 0, 7, coded, 0, 0, 32, 48), 1);   // no such mode: nothing
  EXPECT_EQ(FlipBlt(700, 0, 0, coded, 0, 0, 32, 48), 1);  // clipped away before any lock
  EXPECT_EQ(FlipBlt(0, 0, 0, 2000, 0, 0, 32, 48), 0);     // nothing to lock
  // The back screen's lock fails after the sprite's: the sprite is left unlocked.
  {
    FaultInPlace busy(backScreen, DDERR_SURFACEBUSY);
    EXPECT_EQ(FlipBlt(0, 0, 0, coded, 0, 0, 32, 48), 0);
  }
  EXPECT_TRUE(testpix::Unlocked(spriteTable[coded].surface));
  EXPECT_EQ(testpix::ReadPixel(backScreen, 0, 0), 0u);
}

TEST_F(Special, WaveRowsFollowThePhaseOverFrames) {
  int s = CodedSprite();
  mu::rasterState.wavePhase = 0;
  mu::rasterState.waveSign = 1;
  int interlace = 0;
  testapp::onFrame = [&] {
    muSystem::frameSeconds = 0.5f;   // a controlled frame time: 45 degrees a frame at 90
    ClearScreen();
    WaveBlt(100, 50, 10, 0, 90, s, 0, 0, 32, 48, interlace);
  };
  auto offset = [](int degrees) {
    return static_cast<int>(10 * std::cos(degrees * 6.283185307179586 / 360));
  };
  for (int frame = 0; frame < 3; ++frame) {
    testapp::Frame();
    Snapshot shot(backScreen);
    for (int r : {0, 1, 10, 30, 47}) {
      EXPECT_TRUE(RowAt(shot, 50 + r, 100 + offset(45 * frame + r), r)) << "frame " << frame;
    }
    EXPECT_TRUE(RowEmpty(shot, 49));
    EXPECT_TRUE(RowEmpty(shot, 98));
  }
  EXPECT_FLOAT_EQ(mu::rasterState.wavePhase, 135);
  // Interlaced: neighbouring rows swing in opposite directions.
  interlace = 1;
  mu::rasterState.wavePhase = 0;
  testapp::Frame();
  Snapshot shot(backScreen);
  EXPECT_TRUE(RowAt(shot, 50, 100 + offset(0), 0));
  EXPECT_TRUE(RowAt(shot, 51, 100 - offset(1), 1));
  EXPECT_TRUE(RowAt(shot, 52, 100 + offset(2), 2));
  testapp::onFrame = nullptr;

  // Amplitude 0 draws the picture unmoved, and rows obey the clip rectangle.
  ClearScreen();
  SetClip(0, 0, 640, 60);
  WaveBlt(200, 20, 0, 3, 90, s, 0, 0, 32, 48, 0);
  Snapshot still(backScreen);
  for (int r = 0; r < 40; ++r) EXPECT_TRUE(RowAt(still, 20 + r, 200, r));
  EXPECT_TRUE(RowEmpty(still, 60));
}

TEST_F(Special, RowEffectsOnTheRealScreen) {
  int s = CodedSprite();
  muSystem::frameSeconds = 0.5f;
  ClearScreen();
  SkipRows(0, 0, 1, s, 0, 0, 32, 48);     // every row but the first
  SkipRows(40, 0, 0, s, 0, 0, 32, 48);    // nothing
  SkipRows(80, 0, 5, s, 0, 0, 32, 48);
  JitterBlt(120, 0, 0, s, 0, 0, 32, 48);  // a plain keyed blit
  RowMosaic(160, 0, 4, s, 0, 0, 32, 48);
  Snapshot shot(backScreen);
  for (int r = 0; r < 48; ++r) {
    SCOPED_TRACE(r);
    if (r > 0) {
      EXPECT_TRUE(RowAt(shot, r, 0, r));
    } else {
      EXPECT_EQ(shot.At(0, 0), 0u);
    }
    if (r % 5 == 0 && r > 0) {
      EXPECT_TRUE(RowAt(shot, r, 80, r));
    } else {
      EXPECT_EQ(shot.At(85, r), 0u);
    }
    EXPECT_EQ(shot.At(45, r), 0u);
    EXPECT_TRUE(RowAt(shot, r, 120, r));
    EXPECT_TRUE(RowAt(shot, r, 160, r - r % 4));
  }

  // The drum at phase 0: source row 0 first covers rows 0..48 (2 x half);
  // the rows that come up again later draw over it, the last ending on row 48.
  ClearScreen();
  mu::rasterState.rollPhase = 0;
  RollBlt(300, 100, 1, 10, s, 0, 0, 32, 48);
  Snapshot roll(backScreen);
  EXPECT_TRUE(RowAt(roll, 100, 300, 0));
  EXPECT_TRUE(RowAt(roll, 148, 300, 47));
  EXPECT_TRUE(RowEmpty(roll, 149));
  EXPECT_FLOAT_EQ(mu::rasterState.rollPhase, 5);   // 0.5 s x 10 rows a second

  // Tiles with both speeds 0 from (0, 0) over the whole screen; a band of
  // tiled rows without wave or scroll.
  ClearScreen();
  mu::rasterState.tileX = mu::rasterState.tileY = 0;
  TileScroll(0, 0, s, 0, 0, 32, 48);
  Snapshot tiles(backScreen);
  for (int y = 0; y < 480; y += 37) {
    for (int x = 0; x < 640; x += 29) ASSERT_EQ(tiles.At(x, y), Code(x % 32, y % 48)) << x << "," << y;
  }
  EXPECT_EQ(mu::rasterState.tileX, 0.0f);
  ClearScreen();
  mu::rasterState.bandPhase = mu::rasterState.bandRows = 0;
  WaveBand(200, 300, 0, 0, 0, 0, s, 0, 0, 32, 48);
  Snapshot band(backScreen);
  EXPECT_EQ(band.At(0, 200), Code(0, 0));
  EXPECT_EQ(band.At(639, 299), Code(639 % 32, 99 % 48));
  EXPECT_TRUE(RowEmpty(band, 199));
  EXPECT_TRUE(RowEmpty(band, 300));
}

TEST_F(Special, CaptureBoxCopiesAnAreaOfTheBackScreenUnkeyed) {
  int s = CodedSprite();
  int target = CreateObject(64, 64, 2);
  testpix::FillSurface(spriteTable[target].surface, whiteValue);
  ClearScreen();
  BltKey(200, 100, s, 0, 0, 32, 48);
  CaptureBox(target, 190, 100, 232, 148);
  Snapshot got(spriteTable[target].surface);
  EXPECT_EQ(got.At(0, 0), 0u);               // the black beside the picture came too
  EXPECT_EQ(got.At(10, 0), Code(0, 0));
  EXPECT_EQ(got.At(41, 47), Code(31, 47));
  EXPECT_EQ(got.At(42, 0), whiteValue);      // outside the captured area: unchanged
  EXPECT_EQ(got.At(0, 48), whiteValue);
  CaptureBox(2000, 0, 0, 10, 10);            // no such sprite: nothing
}

}  // namespace
