// Times the sound module's disk work under the real shell and DirectSound:
//   sound_benchmark.exe [rounds]   (default 300)
// - one muSound::Streaming pass that refills a 2-second chunk of 44.1 kHz
//   stereo 16-bit sound (open, seek, read, lock, copy, close), and
// - muSound::LoadPack of a 1-second sound at the end of a 100-entry pack,
// each as median and 99th percentile beside two anchors measured in the same
// run: memcpy of the chunk's bytes, and reading the same bytes from the pack
// with stdio (open, seek, read, close). The packs are written first, so the
// file reads come from the system's file cache. Needs a sound device
// (tools/benchmark.sh gives Wine one). Prints its lines, then quits.
#include <mu.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "sound/sound_pack.h"
#include "sound/sound_table.h"
#include "tools/sound_media.h"

extern const char appCaption[] = "muSoundBenchmark";

namespace {

constexpr int kDefaultRounds = 300;
constexpr int kRate = 44100, kChannels = 2, kBits = 16;
constexpr double kStreamSeconds = 30;
constexpr int kPackEntries = 100;
constexpr char kStreamPack[] = "bench_stream.pak";
constexpr char kLoadPack[] = "bench_load.pak";

LARGE_INTEGER ticksPerSecond;

double Now() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(ticksPerSecond.QuadPart);
}

struct Times {
  std::vector<double> samples;
  double Percentile(double p) const {
    if (samples.empty()) return 0;
    std::vector<double> v = samples;
    std::sort(v.begin(), v.end());
    return v[static_cast<size_t>(p * (v.size() - 1))];
  }
};

// Writes a pack of `count` entries, each the tone's WAVE file under name(i).
bool WritePack(const char* pack, const media::Tone& tone, int count, std::string (*name)(int)) {
  std::vector<uint8_t> wave = media::ToneWave(tone);
  uint8_t format[18] = {};
  std::memcpy(format, wave.data() + mu::kResourceFormatOffset, mu::kPcmFormatBytes);
  const uint8_t* samples = wave.data() + mu::kResourceHeaderBytes;
  const uint32_t sampleBytes = static_cast<uint32_t>(wave.size() - mu::kResourceHeaderBytes);
  std::string path = std::string(muSystem::GetExeDir(0)) + pack;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool ok = true;
  for (int i = 0; i < count && ok; ++i)
    ok = mu::WritePackEntry(file, name(i).c_str(), format, sizeof format, samples, sampleBytes);
  return std::fclose(file) == 0 && ok;
}

std::string StreamName(int) { return "STREAM.WAV"; }
std::string EntryName(int i) {
  char name[16];
  std::snprintf(name, sizeof name, "S%03d.WAV", i);
  return name;
}

void Report(const char* what, const Times& t, double memcpySeconds, double readSeconds) {
  const double median = t.Percentile(0.5);
  std::printf("%-62s median %8.1f us  p99 %8.1f us  %6.1f x memcpy  %5.2f x read\n", what,
              median * 1e6, t.Percentile(0.99) * 1e6, median / memcpySeconds, median / readSeconds);
}

void Measure() {
  QueryPerformanceFrequency(&ticksPerSecond);
  int rounds = std::atoi(muSystem::GetCommandLine());
  if (rounds <= 0) rounds = kDefaultRounds;
  if (!muSound::soundEnabled) {
    std::printf("sound_benchmark: no sound device, nothing measured\n");
    return;
  }
  media::Tone tone;
  tone.sampleRate = kRate;
  tone.channels = kChannels;
  tone.bits = kBits;
  tone.seconds = kStreamSeconds;
  tone.frequency = 440;
  if (!WritePack(kStreamPack, tone, 1, StreamName)) return;
  tone.seconds = 1.0;
  if (!WritePack(kLoadPack, tone, kPackEntries, EntryName)) return;

  muSound::SetPack(kStreamPack);
  int stream = muSound::LoadStream("STREAM.WAV", 0);
  if (stream < 0) return;
  muSound::SetVolume(stream, -100, -1);
  muSound::PlayLoop(stream, -1);
  muSound::StreamRecord& record = muSound::soundTable[stream].stream;
  const uint32_t chunk = record.chunkSize;
  std::string packPath = muSound::currentPack;
  muSound::SetPack(kLoadPack);

  std::vector<char> from(chunk, 1), to(chunk, 0);
  Times copies, reads, refills, loads;
  int missed = 0;
  for (int round = 0; round < rounds; ++round) {
    double start = Now();
    std::memcpy(to.data(), from.data(), chunk);
    copies.samples.push_back(Now() - start);
    from[round % chunk] = static_cast<char>(to[(round * 7) % chunk] + 1);  // keeps the copy

    start = Now();
    if (std::FILE* file = std::fopen(packPath.c_str(), "rb")) {
      std::fseek(file, static_cast<long>(record.dataStart + chunk), SEEK_SET);
      std::fread(to.data(), 1, chunk, file);
      std::fclose(file);
    }
    reads.samples.push_back(Now() - start);

    // A refill falls due at once: the newest chunk is at the buffer's start,
    // and the next chunk is a whole one of the second and third seconds.
    record.newestChunk = 0;
    record.wrapMark = mu::kNoWrap;
    record.readPosition = record.dataStart + chunk;
    record.dataPosition = chunk;
    start = Now();
    muSound::Streaming();
    refills.samples.push_back(Now() - start);
    if (record.dataPosition != 2 * chunk) ++missed;

    start = Now();
    int slot = muSound::LoadPack("S099.WAV", 1);
    loads.samples.push_back(Now() - start);
    if (slot < 0) return;
    muSound::FreeObject(slot);
  }
  muSound::Stop(stream, -1);

  const double memcpySeconds = copies.Percentile(0.5), readSeconds = reads.Percentile(0.5);
  std::printf(
      "sound_benchmark: %d rounds; anchors: memcpy of %u bytes (2 s of 44.1 kHz stereo "
      "16-bit) %.1f us, reading them from the pack (fopen, fseek, fread, fclose) %.1f us\n",
      rounds, chunk, memcpySeconds * 1e6, readSeconds * 1e6);
  Report("Streaming pass refilling a 2 s chunk", refills, memcpySeconds, readSeconds);
  Report("LoadPack of a 1 s sound at the end of a 100-entry pack", loads, memcpySeconds,
         readSeconds);
  if (missed) std::printf("(%d of the passes found no refill due)\n", missed);
  std::fflush(stdout);
}

}  // namespace

void GameInit() {
  if (!muDraw::Screen(640, 480, 1)) return;
  muSystem::sceneNumber = 1;
}

void GameFrame() {}

// Called once, right after GameInit: the screen and the sound device are up.
void OnActivate(int active) {
  static int measured = 0;
  if (active || measured) return;
  measured = 1;
  Measure();
  muSystem::Quit();
}
