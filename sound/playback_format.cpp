#include "sound/playback_format.h"

namespace mu {

namespace {

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatStructBytes = 18;

struct RateCode {
  int code;
  uint32_t hertz;
};
constexpr RateCode kRateCodes[] = {{8, 8000}, {11, 11025}, {22, 22050}, {44, 44100}};

}  // namespace

uint32_t PlaybackRate(int rate) {
  for (const RateCode& r : kRateCodes) {
    if (r.code == rate) return r.hertz;
  }
  return static_cast<uint32_t>(rate);
}

PlaybackFormat MakePlaybackFormat(int channels, int rate, int bits) {
  PlaybackFormat f{};
  f.tag = kFormatPcm;
  f.channels = static_cast<uint16_t>(channels);
  f.bits = static_cast<uint16_t>(bits);
  f.samplesPerSec = PlaybackRate(rate);
  // Bits that are not a whole number of bytes count their whole bytes only:
  // 12 bits give one byte per channel.
  f.blockAlign = static_cast<uint16_t>(f.channels * (f.bits / 8));
  f.avgBytesPerSec = f.blockAlign * f.samplesPerSec;
  f.cbSize = kFormatStructBytes;
  return f;
}

}  // namespace mu
