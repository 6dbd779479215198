// The back screen's pixel format as the software effects see it, and the
// lookup tables built from it once at screen set-up: channel masks, maxes,
// shifts, top-five-bit positions, the half mask for 50 % blends, the sine
// table and, on a 16-bit display, the per-channel tables.
#ifndef MU_DRAW_PIXEL_FORMAT_H
#define MU_DRAW_PIXEL_FORMAT_H

#include <cstdint>

namespace muDraw {

constexpr int kSineEntries = 450;           // 0..449 degrees: cosine = entry + 90
constexpr int kSineScale = 360;
constexpr int kPixelValues = 65536;         // every 16-bit pixel value
constexpr int kChannels = 3;                // 0 red, 1 green, 2 blue
constexpr int kLevels5 = 32;                // levels of a 5-bit channel value
constexpr int kGreySums = 94;               // sums of three 5-bit values: 0..93
constexpr int kNoiseEntries = 10000;

extern std::uint32_t redMask, greenMask, blueMask;
extern std::uint32_t redMax, greenMax, blueMax;
extern std::uint32_t redShift, greenShift, blueShift;
extern std::uint32_t redTop5, greenTop5, blueTop5;
extern std::uint32_t halfMask, halfMaskPair, whiteValue;

extern int sineTable[kSineEntries];
extern std::uint8_t pixelToRgb5[kPixelValues * 3];
extern std::uint16_t fadeTable[kChannels][kLevels5][kLevels5][kLevels5];
extern std::uint16_t darkenAddTable[kChannels][kLevels5][kLevels5][kLevels5];
extern std::uint16_t subtractTable[kChannels][kLevels5][kLevels5];
extern std::uint16_t greyTable[kGreySums];
extern std::uint8_t noiseTable[kNoiseEntries];

}  // namespace muDraw

namespace mu {

// One channel of a mask: its value range and the position of its lowest bit.
struct ChannelFormat {
  std::uint32_t max;    // the mask shifted down to bit 0 (31, 63, 255 ...)
  std::uint32_t shift;  // the channel's lowest bit
  std::uint32_t top5;   // shift, plus 1 for a 6-bit channel: where its top five bits start
};

// A zero mask (a palette mode has no channel masks) gives max 0, shift 0.
ChannelFormat AnalyseMask(std::uint32_t mask);

// Sets the masks, maxes, shifts, top5 positions, halfMask, halfMaskPair and
// whiteValue of muDraw from the three channel masks.
void DerivePixelFormat(std::uint32_t red, std::uint32_t green, std::uint32_t blue);

// sin(i x 2 pi / 360) x 360, truncated toward zero, for i = 0..449.
void BuildSineTable();

// Builds the 16-bit tables for the current pixel format (noiseTable draws
// rand() % 3 in index order); ClearSixteenBitTables zeroes them all.
void BuildSixteenBitTables();
void ClearSixteenBitTables();
// The noise alone (the effects on 32-bit screens use it too).
void BuildNoiseTable();

}  // namespace mu

#endif
