// The output format asked of the primary buffer: channels, a rate given as
// a short code (8, 11, 22, 44 kHz) or in Hz, and bits per sample, made into
// the fields of an 18-byte PCM WAVEFORMATEX.
#ifndef MU_SOUND_PLAYBACK_FORMAT_H
#define MU_SOUND_PLAYBACK_FORMAT_H

#include <cstdint>

namespace mu {

struct PlaybackFormat {
  uint16_t tag;  // 1, PCM
  uint16_t channels;
  uint32_t samplesPerSec;
  uint32_t avgBytesPerSec;  // blockAlign x samplesPerSec
  uint16_t blockAlign;      // channels x whole bytes of a sample (bits / 8)
  uint16_t bits;
  uint16_t cbSize;  // 18, the size of the structure itself
};

// The rate in Hz for a rate argument: 8, 11, 22 and 44 stand for 8000, 11025,
// 22050 and 44100 Hz; any other value is taken in Hz as it stands.
uint32_t PlaybackRate(int rate);

PlaybackFormat MakePlaybackFormat(int channels, int rate, int bits);

}  // namespace mu

#endif
