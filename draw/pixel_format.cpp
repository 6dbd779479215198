#include "draw/pixel_format.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace muDraw {

std::uint32_t redMask, greenMask, blueMask;
std::uint32_t redMax, greenMax, blueMax;
std::uint32_t redShift, greenShift, blueShift;
std::uint32_t redTop5, greenTop5, blueTop5;
std::uint32_t halfMask, halfMaskPair, whiteValue;

int sineTable[kSineEntries];
std::uint8_t pixelToRgb5[kPixelValues * 3];
std::uint16_t fadeTable[kChannels][kLevels5][kLevels5][kLevels5];
std::uint16_t darkenAddTable[kChannels][kLevels5][kLevels5][kLevels5];
std::uint16_t subtractTable[kChannels][kLevels5][kLevels5];
std::uint16_t greyTable[kGreySums];
std::uint8_t noiseTable[kNoiseEntries];

}  // namespace muDraw

namespace mu {

using namespace muDraw;

ChannelFormat AnalyseMask(std::uint32_t mask) {
  ChannelFormat c = {mask, 0, 0};
  if (mask == 0) return c;  // no bit to find: the shift loop would never end
  while ((c.max & 1u) == 0) {
    c.max >>= 1;
    ++c.shift;
  }
  c.top5 = c.shift + (c.max == 63 ? 1 : 0);
  return c;
}

void DerivePixelFormat(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
  ChannelFormat r = AnalyseMask(red), g = AnalyseMask(green), b = AnalyseMask(blue);
  redMask = red;
  greenMask = green;
  blueMask = blue;
  redMax = r.max;
  greenMax = g.max;
  blueMax = b.max;
  redShift = r.shift;
  greenShift = g.shift;
  blueShift = b.shift;
  redTop5 = r.top5;
  greenTop5 = g.top5;
  blueTop5 = b.top5;
  // Every channel bit but each channel's highest: (p >> 1) & halfMask halves
  // each channel without a borrow from its neighbour.
  halfMask = ((r.max >> 1) << r.shift) | ((g.max >> 1) << g.shift) | ((b.max >> 1) << b.shift);
  halfMaskPair = (halfMask << 16) | halfMask;
  whiteValue = (r.max << r.shift) | (g.max << g.shift) | (b.max << b.shift);
}

void BuildSineTable() {
  const double pi = 3.141592653589793;
  for (int i = 0; i < kSineEntries; ++i) {
    sineTable[i] = static_cast<int>(std::sin(((pi + pi) * i) / 360.0) * kSineScale);
  }
}

void ClearSixteenBitTables() {
  std::memset(pixelToRgb5, 0, sizeof pixelToRgb5);
  std::memset(fadeTable, 0, sizeof fadeTable);
  std::memset(darkenAddTable, 0, sizeof darkenAddTable);
  std::memset(subtractTable, 0, sizeof subtractTable);
  std::memset(greyTable, 0, sizeof greyTable);
  std::memset(noiseTable, 0, sizeof noiseTable);
}

namespace {
int Positive(int v) { return v > 0 ? v : 0; }

// A 5-bit channel value placed at the channel's top five bits, in 16 bits.
std::uint16_t AtTop5(int value, std::uint32_t top5) {
  return static_cast<std::uint16_t>(static_cast<std::uint16_t>(value) << top5);
}
}  // namespace

void BuildSixteenBitTables() {
  ClearSixteenBitTables();
  // pixelToRgb5: a 6-bit channel is halved to five bits; blue sits unshifted.
  const int redLevels = redMax == 63 ? 64 : 32;
  const int greenLevels = greenMax == 63 ? 64 : 32;
  const int blueLevels = blueMax == 63 ? 64 : 32;
  for (int r = 0; r < redLevels; ++r) {
    for (int g = 0; g < greenLevels; ++g) {
      for (int b = 0; b < blueLevels; ++b) {
        std::uint32_t index = (static_cast<std::uint32_t>(r) << redShift) +
                              (static_cast<std::uint32_t>(g) << greenShift) +
                              static_cast<std::uint32_t>(b);
        if (index >= static_cast<std::uint32_t>(kPixelValues)) continue;  // not a 16-bit format
        std::uint8_t* rgb = &pixelToRgb5[3 * index];
        rgb[0] = static_cast<std::uint8_t>(redLevels == 64 ? r >> 1 : r);
        rgb[1] = static_cast<std::uint8_t>(greenLevels == 64 ? g >> 1 : g);
        rgb[2] = static_cast<std::uint8_t>(blueLevels == 64 ? b >> 1 : b);
      }
    }
  }

  const std::uint32_t top5[kChannels] = {redTop5, greenTop5, blueTop5};
  for (int c = 0; c < kChannels; ++c) {
    for (int a = 0; a < kLevels5; ++a) {
      for (int i = 0; i < kLevels5; ++i) {
        for (int j = 0; j < kLevels5; ++j) {
          fadeTable[c][a][i][j] = AtTop5(Positive(i - a) + Positive(j + a - 31), top5[c]);
          int lit = Positive(i - a) + j;
          darkenAddTable[c][a][i][j] = AtTop5(lit < 31 ? lit : 31, top5[c]);
        }
      }
    }
    for (int i = 0; i < kLevels5; ++i) {
      for (int j = 0; j < kLevels5; ++j) subtractTable[c][i][j] = AtTop5(Positive(i - j), top5[c]);
    }
  }

  for (int n = 0; n < kGreySums; ++n) greyTable[n] = static_cast<std::uint16_t>(n / 3);
  BuildNoiseTable();
}

void BuildNoiseTable() {
  for (int n = 0; n < kNoiseEntries; ++n) noiseTable[n] = static_cast<std::uint8_t>(std::rand() % 3);
}

}  // namespace mu
