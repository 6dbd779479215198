#include "sound_recording.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

Recording::Recording() {
  const char* unixPath = std::getenv("MU_SOUND_RECORD");
  if (!unixPath) return;
  path_ = std::string("Z:") + unixPath;
  for (char& c : path_) {
    if (c == '/') c = '\\';
  }
}

DWORD Recording::Size() const {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path_.c_str(), GetFileExInfoStandard, &data)) return 0;
  return data.nFileSizeLow;
}

std::vector<double> Recording::Channel(DWORD from, DWORD to, int c) const {
  std::vector<double> out;
  std::vector<uint8_t> bytes = Read(0, to);
  if (bytes.size() < 44) return out;
  int tag = bytes[20] | (bytes[21] << 8);
  int channels = bytes[22] | (bytes[23] << 8);
  int bits = bytes[34] | (bytes[35] << 8);
  int frameBytes = channels * bits / 8;
  if (frameBytes <= 0 || c >= channels) return out;
  DWORD first = from < 44 ? 44 : 44 + (from - 44 + frameBytes - 1) / frameBytes * frameBytes;
  bool floats = bits == 32;
  for (DWORD at = first; floats && at + 4 <= bytes.size(); at += 4) {
    float f;
    std::memcpy(&f, &bytes[at], 4);
    if (!(std::fabs(f) <= 4.0f)) floats = tag == 3;
  }
  for (DWORD at = first; at + frameBytes <= bytes.size(); at += frameBytes) {
    const uint8_t* p = &bytes[at + c * bits / 8];
    double value = 0;
    if (floats) {
      float f;
      std::memcpy(&f, p, 4);
      value = f;
    } else if (bits == 32) {
      int32_t v;
      std::memcpy(&v, p, 4);
      value = v / 2147483648.0;
    } else if (bits == 16) {
      int16_t v;
      std::memcpy(&v, p, 2);
      value = v / 32768.0;
    }
    out.push_back(value);
  }
  return out;
}

int Recording::Rate() const {
  std::vector<uint8_t> bytes = Read(0, 44);
  return bytes.size() < 44 ? 0 : bytes[24] | (bytes[25] << 8) | (bytes[26] << 16);
}

double Recording::Seconds(DWORD from, DWORD to) const {
  std::vector<uint8_t> bytes = Read(0, 44);
  if (bytes.size() < 44 || to < from) return 0;
  double bytesPerSecond = bytes[28] | (bytes[29] << 8) | (bytes[30] << 16) | (bytes[31] << 24);
  return bytesPerSecond > 0 ? (to - from) / bytesPerSecond : 0;
}

std::vector<uint8_t> Recording::Read(DWORD from, DWORD to) const {
  std::vector<uint8_t> bytes;
  HANDLE file = CreateFileA(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  bytes.resize(to);
  DWORD got = 0;
  ReadFile(file, bytes.data(), to, &got, nullptr);
  bytes.resize(got);
  CloseHandle(file);
  return bytes;
}

Unpadded CutDevicePads(const std::vector<double>& left, const std::vector<double>& right,
                       int rate) {
  const size_t period = static_cast<size_t>(rate / 100), slack = 4;
  Unpadded out;
  auto keep = [&](size_t k) {
    out.channels[0].push_back(left[k]);
    if (k < right.size()) out.channels[1].push_back(right[k]);
  };
  size_t run = 0;
  for (size_t i = 0; i <= left.size(); ++i) {
    if (i < left.size() && std::fabs(left[i]) < 0.02) {
      ++run;
      continue;
    }
    size_t start = i - run, cut = 0;
    bool between = start > 0 && i < left.size();
    if (between && period && run >= period && run % period <= slack) cut = run - run % period;
    for (size_t k = start + cut; k < i; ++k) keep(k);
    out.pads += period ? cut / period : 0;
    if (i < left.size()) keep(i);
    run = 0;
  }
  return out;
}

double Rms(const std::vector<double>& v, size_t from) {
  double sum = 0;
  for (size_t i = from; i < v.size(); ++i) sum += v[i] * v[i];
  return v.size() > from ? std::sqrt(sum / (v.size() - from)) : 0;
}

double Pitch(const std::vector<double>& v, size_t from, size_t to, int rate) {
  if (to > v.size()) to = v.size();
  if (from >= to || rate <= 0) return 0;
  double sum = 0;
  for (size_t i = from; i < to; ++i) sum += v[i] * v[i];
  double threshold = std::sqrt(sum / (to - from)) * 0.2;
  int crossings = 0;
  bool above = false;
  for (size_t i = from; i < to; ++i) {
    if (!above && v[i] > threshold) {
      above = true;
      ++crossings;
    } else if (above && v[i] < -threshold) {
      above = false;
    }
  }
  return crossings / (static_cast<double>(to - from) / rate);
}

Heard Listen(const Recording& recording, DWORD from, DWORD to) {
  Heard heard;
  Unpadded unpadded = CutDevicePads(recording.Channel(from, to, 0), recording.Channel(from, to, 1),
                                    recording.Rate());
  const std::vector<double>& left = unpadded.channels[0];
  const std::vector<double>& right = unpadded.channels[1];
  size_t settled = left.size() / 4;
  heard.frames = static_cast<int>(left.size());
  heard.leftRms = Rms(left, settled);
  heard.rightRms = Rms(right, settled);
  const size_t block = recording.Rate() / 1000;
  for (size_t at = 0; block && at + block <= left.size(); at += block) {
    double peak = 0;
    for (size_t i = at; i < at + block; ++i) peak = std::max(peak, std::fabs(left[i]));
    if (peak > 0.01) heard.soundingFrames += static_cast<int>(block);
  }
  heard.pitch = Pitch(left, settled, left.size(), recording.Rate());
  return heard;
}
