// Writes test media for the sound module.
//   make_sound_media tone FILE.wav RATE FREQUENCY SECONDS [CHANNELS [BITS [AMPLITUDE]]]
//   make_sound_media midi FILE.mid NOTES [TEMPO_US_PER_QUARTER]
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tools/sound_media.h"

int main(int argc, char** argv) {
  if (argc >= 6 && std::strcmp(argv[1], "tone") == 0) {
    media::Tone tone;
    tone.sampleRate = std::atoi(argv[3]);
    tone.frequency = std::atof(argv[4]);
    tone.seconds = std::atof(argv[5]);
    if (argc > 6) tone.channels = std::atoi(argv[6]);
    if (argc > 7) tone.bits = std::atoi(argv[7]);
    if (argc > 8) tone.amplitude = std::atof(argv[8]);
    if (tone.sampleRate <= 0 || tone.channels < 1 || (tone.bits != 8 && tone.bits != 16)) {
      std::fprintf(stderr, "make_sound_media: bad tone parameters\n");
      return 2;
    }
    return media::WriteFile(argv[2], media::ToneWave(tone)) ? 0 : 1;
  }
  if (argc >= 4 && std::strcmp(argv[1], "midi") == 0) {
    int tempo = argc > 4 ? std::atoi(argv[4]) : 500000;
    return media::WriteFile(argv[2], media::MidiFile(std::atoi(argv[3]), tempo)) ? 0 : 1;
  }
  std::fprintf(stderr,
               "usage: make_sound_media tone FILE RATE FREQ SECONDS [CHANNELS [BITS [AMP]]]\n"
               "       make_sound_media midi FILE NOTES [TEMPO]\n");
  return 2;
}
