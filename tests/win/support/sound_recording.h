// Wine's sound output as the sound tests record it: the ALSA `file` device
// named by MU_SOUND_RECORD writes everything Wine mixes, and a test reads
// back what was heard between two sizes of that file.
#ifndef MU_TEST_SOUND_RECORDING_H
#define MU_TEST_SOUND_RECORDING_H

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Wine's output as the ALSA file device writes it: a WAVE header whose sizes
// stay 0 while the file is open, then interleaved frames from byte 44 on.
// Wine mixes in 32-bit floats, but the header calls them PCM: 32-bit samples
// count as floats unless some of them cannot be floats of a mix.
class Recording {
 public:
  Recording();
  bool Available() const { return !path_.empty(); }
  DWORD Size() const;
  // Channel c of every frame between two file sizes, as fractions of full scale.
  std::vector<double> Channel(DWORD from, DWORD to, int c) const;
  int Rate() const;
  // Seconds of sound between two file sizes.
  double Seconds(DWORD from, DWORD to) const;

 private:
  std::vector<uint8_t> Read(DWORD from, DWORD to) const;
  std::string path_;
};

// What was heard in one stretch of the recording, without the device's pads,
// measured after its first quarter (the mixer runs a little behind the calls).
struct Heard {
  double leftRms = 0, rightRms = 0;
  double pitch = 0;        // Hz, from the left channel's zero crossings
  int soundingFrames = 0;  // frames of the 1 ms blocks whose left peak passes 1% of full scale
  int frames = 0;
};

// Wine's output device pads its stream with whole periods of silence (10 ms
// each) whenever its mixer thread is late, which happens on a loaded machine.
// Those pads are cut out of recorded channels before they are read: a quiet
// run (below 2% of full scale on the left) between two sounds that is a whole
// number of periods, give or take a few samples of a tone passing zero. Any
// other quiet run stays.
struct Unpadded {
  std::vector<double> channels[2];
  size_t pads = 0;  // periods cut
};
Unpadded CutDevicePads(const std::vector<double>& left, const std::vector<double>& right, int rate);

double Rms(const std::vector<double>& v, size_t from);

// Rising crossings of +20% of the RMS after a fall below -20%, per second:
// the pitch of a tone.
double Pitch(const std::vector<double>& v, size_t from, size_t to, int rate);

Heard Listen(const Recording& recording, DWORD from, DWORD to);

// Runs an action, lets it sound for a while and returns what was recorded meanwhile.
template <typename Action>
Heard During(const Recording& recording, Action action, DWORD milliseconds = 300) {
  DWORD from = recording.Size();
  action();
  Sleep(milliseconds);
  return Listen(recording, from, recording.Size());
}

#endif
