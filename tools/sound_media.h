// Test media for the sound module: PCM WAVE files holding a sine tone and
// small standard MIDI files, built in memory.
#ifndef MU_TOOLS_SOUND_MEDIA_H
#define MU_TOOLS_SOUND_MEDIA_H

#include <cstdint>
#include <string>
#include <vector>

namespace media {

struct Tone {
  int sampleRate = 22050;
  int channels = 1;
  int bits = 16;            // 8 or 16
  double frequency = 1000;  // Hz
  double seconds = 1.0;
  double amplitude = 0.5;    // of full scale
  double stepPerSecond = 0;  // Hz added at each whole second, phase kept (the order of
                             // the seconds can be read back from the pitch)
  double otherChannels = 0;  // Hz of the channels after the first (0: as the first),
                             // at half the amplitude
};

// The frequency of the tone's first channel during second `second`.
double ToneFrequencyAt(const Tone& tone, int second);

// A canonical 44-byte-header RIFF WAVE file of the tone.
std::vector<uint8_t> ToneWave(const Tone& tone);

// A format-0 standard MIDI file: `notes` quarter notes at `tempo` microseconds
// per quarter note (a piece of notes x tempo microseconds).
std::vector<uint8_t> MidiFile(int notes, int tempo);

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace media

#endif
