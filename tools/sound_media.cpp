#include "tools/sound_media.h"

#include <cmath>
#include <cstdio>

namespace media {

namespace {

void Put32(std::vector<uint8_t>& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}
void Put16(std::vector<uint8_t>& out, uint16_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}
void PutTag(std::vector<uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }
void PutBig32(std::vector<uint8_t>& out, uint32_t value) {
  for (int i = 3; i >= 0; --i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

std::vector<uint8_t> ToneWave(const Tone& tone) {
  const int bytesPerSample = tone.bits / 8;
  const uint32_t frames = static_cast<uint32_t>(tone.seconds * tone.sampleRate);
  const uint32_t dataBytes = frames * tone.channels * bytesPerSample;
  std::vector<uint8_t> out;
  PutTag(out, "RIFF");
  Put32(out, 36 + dataBytes);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put32(out, 16);
  Put16(out, 1);
  Put16(out, static_cast<uint16_t>(tone.channels));
  Put32(out, static_cast<uint32_t>(tone.sampleRate));
  Put32(out, static_cast<uint32_t>(tone.sampleRate * tone.channels * bytesPerSample));
  Put16(out, static_cast<uint16_t>(tone.channels * bytesPerSample));
  Put16(out, static_cast<uint16_t>(tone.bits));
  PutTag(out, "data");
  Put32(out, dataBytes);
  // The first channel's phase grows by its angular step per frame; a new
  // second's step goes on from the phase reached, so the wave has no jump.
  auto angular = [&tone](double hertz) {
    return 2.0 * 3.14159265358979323846 * hertz / tone.sampleRate;
  };
  const double otherStep = angular(tone.otherChannels);
  double step = angular(tone.frequency), segmentPhase = 0;
  uint32_t segmentStart = 0;
  for (uint32_t i = 0; i < frames; ++i) {
    double now = angular(ToneFrequencyAt(tone, static_cast<int>(i / tone.sampleRate)));
    if (now != step) {
      segmentPhase += step * (i - segmentStart);
      segmentStart = i;
      step = now;
    }
    double first = tone.amplitude * std::sin(segmentPhase + step * (i - segmentStart));
    for (int c = 0; c < tone.channels; ++c) {
      double value =
          c == 0 || !tone.otherChannels ? first : tone.amplitude / 2 * std::sin(otherStep * i);
      if (bytesPerSample == 1) {
        out.push_back(static_cast<uint8_t>(128 + std::lround(value * 127)));
      } else {
        Put16(out, static_cast<uint16_t>(static_cast<int16_t>(std::lround(value * 32767))));
      }
    }
  }
  return out;
}

double ToneFrequencyAt(const Tone& tone, int second) {
  return tone.frequency + tone.stepPerSecond * second;
}

std::vector<uint8_t> MidiFile(int notes, int tempo) {
  const int ticks = 96;  // per quarter note; below 128, so one delta-time byte
  std::vector<uint8_t> track = {0x00,
                                0xFF,
                                0x51,
                                0x03,
                                static_cast<uint8_t>(tempo >> 16),
                                static_cast<uint8_t>(tempo >> 8),
                                static_cast<uint8_t>(tempo)};
  for (int n = 0; n < notes; ++n) {
    uint8_t key = static_cast<uint8_t>(60 + (n * 2) % 12);
    track.insert(track.end(), {0x00, 0x90, key, 0x60});                         // note on, at once
    track.insert(track.end(), {static_cast<uint8_t>(ticks), 0x80, key, 0x40});  // a quarter later
  }
  track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});  // end of track
  std::vector<uint8_t> out;
  PutTag(out, "MThd");
  PutBig32(out, 6);
  out.insert(out.end(), {0x00, 0x00, 0x00, 0x01, 0x00, static_cast<uint8_t>(ticks)});
  PutTag(out, "MTrk");
  PutBig32(out, static_cast<uint32_t>(track.size()));
  out.insert(out.end(), track.begin(), track.end());
  return out;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

}  // namespace media
