// The primary buffer's format as asked for: rate codes, block alignment of
// whole bytes, bytes per second, and the structure's own size as cbSize.
#include <gtest/gtest.h>

#include "sound/playback_format.h"

namespace {

TEST(PlaybackFormat, RateCodesAlignmentAndBytesPerSecond) {
  struct Case {
    int channels, rate, bits;
    uint32_t hertz;
    uint16_t blockAlign;
    uint32_t avgBytes;
  } cases[] = {
      {2, 22, 16, 22050, 4, 88200},     {1, 8, 8, 8000, 1, 8000},
      {2, 11, 8, 11025, 2, 22050},      {2, 44, 16, 44100, 4, 176400},
      {2, 48000, 16, 48000, 4, 192000}, {2, 22050, 16, 22050, 4, 88200},
      {2, 22, 12, 22050, 2, 44100},  // 12 bits: one whole byte per channel
      {1, 44, 4, 44100, 0, 0},          {6, 48000, 24, 48000, 18, 864000},
  };
  for (const Case& c : cases) {
    mu::PlaybackFormat f = mu::MakePlaybackFormat(c.channels, c.rate, c.bits);
    SCOPED_TRACE(testing::Message() << c.channels << ", " << c.rate << ", " << c.bits);
    EXPECT_EQ(1, f.tag);
    EXPECT_EQ(c.channels, f.channels);
    EXPECT_EQ(c.bits, f.bits);
    EXPECT_EQ(c.hertz, f.samplesPerSec);
    EXPECT_EQ(c.blockAlign, f.blockAlign);
    EXPECT_EQ(c.avgBytes, f.avgBytesPerSec);
    EXPECT_EQ(18, f.cbSize);
  }
}

}  // namespace
