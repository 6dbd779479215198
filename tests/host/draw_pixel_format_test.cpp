#include "draw/pixel_format.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using namespace muDraw;

TEST(PixelFormat, Format565) {
  mu::DerivePixelFormat(0xF800, 0x07E0, 0x001F);
  EXPECT_EQ(redShift, 11u);
  EXPECT_EQ(greenShift, 5u);
  EXPECT_EQ(blueShift, 0u);
  EXPECT_EQ(redMax, 31u);
  EXPECT_EQ(greenMax, 63u);
  EXPECT_EQ(blueMax, 31u);
  EXPECT_EQ(redTop5, 11u);
  EXPECT_EQ(greenTop5, 6u);
  EXPECT_EQ(blueTop5, 0u);
  EXPECT_EQ(halfMask, 0x7BEFu);
  EXPECT_EQ(halfMaskPair, 0x7BEF7BEFu);
  EXPECT_EQ(whiteValue, 0xFFFFu);
}

TEST(PixelFormat, Format555And888) {
  mu::DerivePixelFormat(0x7C00, 0x03E0, 0x001F);
  EXPECT_EQ(redShift, 10u);
  EXPECT_EQ(greenShift, 5u);
  EXPECT_EQ(redTop5, 10u);
  EXPECT_EQ(greenTop5, 5u);
  EXPECT_EQ(blueTop5, 0u);
  EXPECT_EQ(halfMask, 0x3DEFu);
  EXPECT_EQ(whiteValue, 0x7FFFu);
  mu::DerivePixelFormat(0xFF0000, 0x00FF00, 0x0000FF);
  EXPECT_EQ(redMax, 255u);
  EXPECT_EQ(redShift, 16u);
  EXPECT_EQ(halfMask, 0x7F7F7Fu);
  EXPECT_EQ(whiteValue, 0xFFFFFFu);
}

TEST(PixelFormat, ZeroMaskEndsAtOnce) {
  mu::ChannelFormat c = mu::AnalyseMask(0);
  EXPECT_EQ(c.max, 0u);
  EXPECT_EQ(c.shift, 0u);
}

TEST(SineTable, ListedEntries) {
  mu::BuildSineTable();
  EXPECT_EQ(sineTable[0], 0);
  EXPECT_EQ(sineTable[1], 6);
  EXPECT_EQ(sineTable[30], 179);  // just below 180: truncated toward zero
  EXPECT_EQ(sineTable[45], 254);
  EXPECT_EQ(sineTable[90], 360);
  EXPECT_EQ(sineTable[180], 0);
  EXPECT_EQ(sineTable[270], -360);
  EXPECT_EQ(sineTable[449], 359);
}

TEST(SixteenBitTables, Format565) {
  mu::DerivePixelFormat(0xF800, 0x07E0, 0x001F);
  std::srand(7);
  mu::BuildSixteenBitTables();
  // 0xFFFF is white: 31, 31, 31 (green's six bits halved).
  EXPECT_EQ(pixelToRgb5[3 * 0xFFFF], 31);
  EXPECT_EQ(pixelToRgb5[3 * 0xFFFF + 1], 31);
  EXPECT_EQ(pixelToRgb5[3 * 0xFFFF + 2], 31);
  // Pure green at level 42 of 63 gives 21.
  unsigned g = 42u << 5;
  EXPECT_EQ(pixelToRgb5[3 * g], 0);
  EXPECT_EQ(pixelToRgb5[3 * g + 1], 21);
  // Tables shift into each channel's top five bits.
  EXPECT_EQ(fadeTable[0][5][20][10], (15 << 11));                 // (20-5) + max(10+5-31, 0)
  EXPECT_EQ(fadeTable[1][10][20][30], ((10 + 9) << 6));          // 10 + 9
  EXPECT_EQ(darkenAddTable[2][3][10][30], 31);                   // min(7 + 30, 31)
  EXPECT_EQ(darkenAddTable[1][0][4][5], (9 << 6));
  EXPECT_EQ(subtractTable[0][3][9], 0);
  EXPECT_EQ(subtractTable[0][9][3], (6 << 11));
  EXPECT_EQ(greyTable[93], 31);
  EXPECT_EQ(greyTable[5], 1);
  // Noise is rand() % 3 in index order.
  std::srand(7);
  for (int n = 0; n < 100; ++n) EXPECT_EQ(noiseTable[n], std::rand() % 3);
  int seen[3] = {};
  for (int n = 0; n < kNoiseEntries; ++n) ++seen[noiseTable[n]];
  EXPECT_GT(seen[0], 0);
  EXPECT_GT(seen[2], 0);
}

TEST(SixteenBitTables, Format555AndClear) {
  mu::DerivePixelFormat(0x7C00, 0x03E0, 0x001F);
  mu::BuildSixteenBitTables();
  EXPECT_EQ(pixelToRgb5[3 * 0x7FFF], 31);
  EXPECT_EQ(pixelToRgb5[3 * 0x7FFF + 1], 31);
  EXPECT_EQ(pixelToRgb5[3 * 0x03E0 + 1], 31);
  EXPECT_EQ(pixelToRgb5[3 * 0x8000], 0);  // bit 15 unused
  EXPECT_EQ(fadeTable[1][0][1][0], 1 << 5);
  mu::ClearSixteenBitTables();
  EXPECT_EQ(pixelToRgb5[3 * 0x7FFF], 0);
  EXPECT_EQ(fadeTable[1][0][1][0], 0);
  EXPECT_EQ(greyTable[93], 0);
}

}  // namespace
