// Sound packs, streams and the playback format on Wine's real DirectSound.
// Like the sound device test, ctest runs this program twice: with Wine's
// output recorded through an ALSA `file` device (MU_SOUND_MODE=record) and
// with no sound device at all (MU_SOUND_MODE=none).
#include <gtest/gtest.h>
#include <mu.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "message_box.h"
#include "sound/sound_pack.h"
#include "sound_buffers.h"
#include "sound_recording.h"
#include "test_app.h"
#include "tools/sound_media.h"

namespace {

// The pack's folder, beside the executable. Its files are written in lower
// or mixed case; the pack holds their names in upper case.
constexpr char kFolder[] = "stream_media";
constexpr char kPack[] = "stream_media.pak";
constexpr char kOtherPack[] = "stream_other.pak";  // a copy, for a stream of its own pack
constexpr char kLooseWave[] = "stream_loose.wav";  // a WAVE file outside the pack

// The 20.5-second stream: left channel 400 Hz + 100 Hz per second, right 250 Hz.
const media::Tone kSteps = {22050, 2, 16, 400, 20.5, 0.5, 100, 250};
// The 5-second loop: 500 Hz + 200 Hz per second, mono.
const media::Tone kLoopTone = {22050, 1, 16, 500, 5.0, 0.5, 200};
constexpr DWORD kLoopOffset = 110250;  // 2.5 s of 22050 Hz 16-bit mono

using testapp::ExeFile;

media::Tone Mono(int rate, int bits, double seconds) { return {rate, 1, bits, 1000, seconds}; }

void WriteWave(const std::string& name, const media::Tone& tone) {
  media::WriteFile(ExeFile(name), media::ToneWave(tone));
}

void StartSound() {
  static bool started = false;
  if (started) return;
  started = true;
  ASSERT_TRUE(testapp::StartShell());
  CreateDirectoryA(ExeFile(kFolder).c_str(), nullptr);
  std::string in = std::string(kFolder) + "\\";
  WriteWave(in + "steps.wav", kSteps);
  WriteWave(in + "Loop.wav", kLoopTone);
  WriteWave(in + "edge49.wav", Mono(8000, 8, 4.9));
  WriteWave(in + "edge50.wav", Mono(8000, 8, 5.0));
  WriteWave(in + "shot.wav", Mono(22050, 16, 0.1));
  WriteWave(in + "a_sound_whose_name_is_too_long.wav", Mono(22050, 16, 0.05));
  WriteWave(kLooseWave, Mono(22050, 16, 0.5));
  std::vector<uint8_t> broken = media::ToneWave(Mono(22050, 16, 0.1));
  broken.resize(broken.size() / 2);
  media::WriteFile(ExeFile(std::string(in) + "broken.txt"), broken);
  DeleteFileA(ExeFile(kPack).c_str());
  muSound::Init();
  muSound::ResetObjects();
  if (muSound::soundEnabled) {
    muSound::MakePack(kPack, kFolder, 1);
    CopyFileA(ExeFile(kPack).c_str(), ExeFile(kOtherPack).c_str(), FALSE);
  }
}

void FreeAll() {
  for (int slot = 0; slot < muSound::kSoundSlots; ++slot) muSound::FreeObject(slot);
  muSound::SetPack(kPack);
}

// Runs frames of the main loop, each calling Streaming as a game's frame
// would, until `done` or `seconds` have passed; every Streaming answer.
std::vector<int> RunFrames(double seconds, const std::function<bool()>& done = [] { return false; }) {
  std::vector<int> answers;
  testapp::onFrame = [&answers] { answers.push_back(muSound::Streaming()); };
  for (DWORD start = GetTickCount(); GetTickCount() - start < seconds * 1000 && !done(); Sleep(10)) {
    testapp::Frame();
  }
  testapp::onFrame = nullptr;
  return answers;
}

std::string Box(const char* where, const char* message) {
  return std::string(where) + " : " + message;
}

// ---- Packs ------------------------------------------------------------------

TEST(SoundPack, BuiltFromAFolderAndLoadedByName) {
  NEED_DEVICE();
  AutoAnswer answer(IDOK);
  muSound::SetPack(kPack);
  EXPECT_EQ(ExeFile(kPack), muSound::currentPack);
  // The names are stored in upper case, whatever the files were called; a
  // file that is not a WAVE file at all was not taken.
  mu::PackFile pack(muSound::currentPack);
  ASSERT_TRUE(pack.open());
  mu::PackEntry entry;
  for (const char* name : {"STEPS.WAV", "LOOP.WAV", "EDGE49.WAV", "EDGE50.WAV", "SHOT.WAV"})
    EXPECT_TRUE(mu::FindPackEntry(pack.source(), name, &entry)) << name;
  EXPECT_FALSE(mu::FindPackEntry(pack.source(), "steps.wav", &entry));
  pack.close();

  int shot = muSound::LoadPack("shot.wav", 2);
  ASSERT_GE(shot, 0);
  EXPECT_STREQ("shot.wav", Row(shot).name);
  EXPECT_EQ(1, Row(shot).fromPack);
  EXPECT_EQ(2, Row(shot).mixCount);
  EXPECT_EQ(0, Row(shot).echoState);
  EXPECT_EQ(22050, Row(shot).baseFrequency);
  EXPECT_EQ(4410u, BufferBytes(shot, 1));

  // 4.9 seconds: an ordinary sound with one buffer; 5.0 seconds: a stream
  // with a buffer of four seconds.
  int short49 = muSound::LoadStream("Edge49.wav", 0);
  ASSERT_GE(short49, 0);
  EXPECT_EQ(0u, Row(short49).stream.dataSize);
  EXPECT_EQ(1, Row(short49).fromPack);
  EXPECT_EQ(1, Row(short49).mixCount);
  EXPECT_EQ(39200u, BufferBytes(short49));
  int long50 = muSound::LoadStream("edge50.wav", 0);
  ASSERT_GE(long50, 0);
  EXPECT_EQ(40000u, Row(long50).stream.dataSize);
  EXPECT_EQ(32000u, BufferBytes(long50));
  EXPECT_EQ(16000u, Row(long50).stream.chunkSize);
  EXPECT_EQ(-1, Row(long50).echoState);
  EXPECT_EQ(ExeFile(kPack), Row(long50).stream.packPath);
  EXPECT_FALSE(Playing(long50));
  // Played once, paused and resumed, the stream's buffer loops all the while:
  // only its data ends.
  auto looping = [long50] { return (Status(long50) & DSBSTATUS_LOOPING) != 0; };
  muSound::Play(long50, -1);
  EXPECT_TRUE(looping());
  muSound::TogglePause(long50, -1);
  EXPECT_FALSE(Playing(long50));
  muSound::TogglePause(long50, -1);
  EXPECT_TRUE(Playing(long50));
  EXPECT_TRUE(looping());
  muSound::Stop(long50, -1);
  EXPECT_TRUE(answer.boxes().empty());

  // Refusals, each reported under its own operation.
  const char* kLoadPack = "muSound::LoadPack";
  const char* kLoadStream = "muSound::LoadStream";
  EXPECT_EQ(-1, muSound::LoadPack("missing.wav", 1));
  EXPECT_EQ(-1, muSound::LoadStream("missing.wav", 0));
  EXPECT_EQ(-1, muSound::LoadPack("shot.wav", -11));
  EXPECT_EQ(-1, muSound::LoadPack("a_sound_whose_name_is_too_long.wav", 1));
  EXPECT_EQ(-1, muSound::LoadStream(std::string(200, 'x').c_str(), 0));
  muSound::SetPack("no_such.pak");
  EXPECT_EQ(-1, muSound::LoadPack("shot.wav", 1));
  EXPECT_EQ(-1, muSound::LoadStream("steps.wav", 0));
  muSound::SetPack(std::string(300, 'p').c_str());  // does not fit: no pack named
  EXPECT_STREQ("", muSound::currentPack);
  EXPECT_EQ(-1, muSound::LoadPack("shot.wav", 1));
  std::vector<std::string> expected = {Box(kLoadPack, "WAVEファイルを読み込めません"),
                                       Box(kLoadStream, "WAVEファイルを読み込めません"),
                                       Box(kLoadPack, "ミックス数が多過ぎます"),
                                       Box(kLoadPack, "ファイル名が長すぎます"),
                                       Box(kLoadStream, "WAVEファイルを読み込めません"),
                                       Box(kLoadPack, "パックファイル名が指定されていません"),
                                       Box(kLoadStream, "パックファイル名が指定されていません"),
                                       Box(kLoadPack, "パックファイル名が指定されていません")};
  EXPECT_EQ(expected, answer.bodies());
  // The row of the name that was too long is free again.
  EXPECT_EQ(0, Row(long50 + 1).inUse);
  FreeAll();
}

TEST(SoundPack, AppendingKeepsTheFirstCopyAndRefusedFilesAddNothing) {
  NEED_DEVICE();
  const char kDup[] = "stream_dup.pak";
  CreateDirectoryA(ExeFile("stream_dup").c_str(), nullptr);
  WriteWave("stream_dup\\a.wav", Mono(22050, 16, 0.1));
  EXPECT_EQ(1, muSound::MakePack(kDup, "stream_dup", 1));
  WriteWave("stream_dup\\a.wav", Mono(22050, 16, 0.2));
  EXPECT_EQ(1, muSound::MakePack(kDup, "stream_dup", 0));
  muSound::SetPack(kDup);
  int first = muSound::LoadPack("a.wav", 1);
  ASSERT_GE(first, 0);
  EXPECT_EQ(4410u, BufferBytes(first));
  muSound::FreeObject(first);
  muSound::MakePack(kDup, "stream_dup", 1);
  int replaced = muSound::LoadPack("A.WAV", 1);
  ASSERT_GE(replaced, 0);
  EXPECT_EQ(8820u, BufferBytes(replaced));

  // A file the WAVE reader refuses, or that is not there, adds nothing.
  auto size = [&] { return testapp::FileBytes(ExeFile(kDup)).size(); };
  const size_t before = size();
  muSound::AddToPack(kDup, "stream_media\\broken.txt");
  muSound::AddToPack(kDup, "stream_dup\\missing.wav");
  EXPECT_EQ(before, size());
  // A loose file added by hand goes in under its upper-case name.
  muSound::AddToPack(kDup, kLooseWave);
  EXPECT_EQ(before + 4 + sizeof "STREAM_LOOSE.WAV" + 4 + 18 + 22050, size());
  EXPECT_GE(muSound::LoadPack(kLooseWave, 1), 0);
  FreeAll();
}

// ---- Streams, heard -----------------------------------------------------------

// The stretch of a recording channel that sounds: from its first to its last
// sample louder than 5% of full scale.
struct Sounding {
  size_t first = 0, last = 0;
  bool found = false;
};
Sounding FindSounding(const std::vector<double>& v) {
  Sounding s;
  for (size_t i = 0; i < v.size(); ++i) {
    if (std::fabs(v[i]) > 0.05) {
      if (!s.found) s.first = i;
      s.found = true;
      s.last = i;
    }
  }
  return s;
}

// The longest run of quiet samples (below 2% of full scale) in [from, to):
// a tone of 250 Hz or more is never that quiet for more than a few ms.
struct Quiet {
  size_t length = 0, at = 0;
};
Quiet LongestQuiet(const std::vector<double>& v, size_t from, size_t to) {
  Quiet longest;
  size_t run = 0;
  for (size_t i = from; i < to && i < v.size(); ++i) {
    run = std::fabs(v[i]) < 0.02 ? run + 1 : 0;
    if (run > longest.length) longest = Quiet{run, i + 1 - run - from};
  }
  return longest;
}

TEST(SoundStream, PlayedOnceComesOutCompleteAndInOrderThenStops) {
  NEED_DEVICE();
  Recording recording;
  ASSERT_TRUE(recording.Available());
  muSound::SetPack(kPack);
  int slot = muSound::LoadStream("steps.wav", 0);
  ASSERT_GE(slot, 0);

  DWORD from = recording.Size();
  muSound::Play(slot, -1);
  const std::vector<int> answers = RunFrames(kSteps.seconds + 6, [slot] { return !Playing(slot); });
  EXPECT_FALSE(Playing(slot)) << "the stream did not stop";
  Sleep(300);
  DWORD to = recording.Size();
  EXPECT_EQ(std::vector<int>(answers.size(), 1), answers);

  const int rate = recording.Rate();
  ASSERT_GT(rate, 0);
  Unpadded unpadded =
      CutDevicePads(recording.Channel(from, to, 0), recording.Channel(from, to, 1), rate);
  const std::vector<double>& left = unpadded.channels[0];
  const std::vector<double>& right = unpadded.channels[1];
  Sounding heard = FindSounding(left);
  ASSERT_TRUE(heard.found);
  double seconds = static_cast<double>(heard.last - heard.first) / rate;
  EXPECT_NEAR(kSteps.seconds, seconds, 0.02);

  // Each second at its own pitch, in order, and the right channel on its own
  // tone throughout: the channels never change places, not even across the
  // last two chunks, which share the last 2.5 s (an odd number of frames).
  std::vector<double> pitches;
  for (int second = 0; second < 21; ++second) {
    double end = std::min(second + 0.9, kSteps.seconds - 0.1);
    size_t a = heard.first + static_cast<size_t>((second + 0.1) * rate);
    size_t b = heard.first + static_cast<size_t>(end * rate);
    double pitch = Pitch(left, a, b, rate);
    pitches.push_back(pitch);
    EXPECT_NEAR(media::ToneFrequencyAt(kSteps, second), pitch, 12) << "second " << second;
    EXPECT_NEAR(kSteps.otherChannels, Pitch(right, a, b, rate), 12) << "second " << second;
  }
  // No gap and no click: the tone never falls quiet, and no sample jumps
  // further than the steepest of the tones can move (2400 Hz at half scale
  // moves at most 0.5 x 2 pi x 2400 / 48000 = 0.16 per sample).
  Quiet quiet = LongestQuiet(left, heard.first, heard.last);
  EXPECT_LT(quiet.length, static_cast<size_t>(rate / 1000))
      << "at " << quiet.at * 1.0 / rate << " s";
  double steepest = 0;
  for (size_t i = heard.first + 1; i <= heard.last; ++i)
    steepest = std::max(steepest, std::fabs(left[i] - left[i - 1]));
  EXPECT_LT(steepest, 0.25 * 48000 / rate + 0.01);
  // Then silence.
  double after = 0;
  for (size_t i = heard.last + rate / 100; i < left.size(); ++i)
    after = std::max(after, std::fabs(left[i]));
  EXPECT_LT(after, 0.01);
  std::printf(
      "stream: %.3f s heard over %zu frames; pitches %.0f .. %.0f Hz; steepest step %.3f; "
      "%zu device pads cut\n",
      seconds, answers.size(), pitches.front(), pitches.back(), steepest, unpadded.pads);
  FreeAll();
}

TEST(SoundStream, LoopingRepeatsFromTheLoopOffset) {
  NEED_DEVICE();
  Recording recording;
  ASSERT_TRUE(recording.Available());
  muSound::SetPack(kPack);
  int slot = muSound::LoadStream("LOOP.WAV", kLoopOffset);
  ASSERT_GE(slot, 0);
  EXPECT_EQ(kLoopOffset, Row(slot).stream.loopPoint - Row(slot).stream.dataStart);

  DWORD from = recording.Size();
  muSound::PlayLoop(slot, -1);
  // The whole sound, then three repeats of its second half.
  const std::vector<int> answers = RunFrames(60, [&] { return recording.Seconds(from, recording.Size()) > 12.6; });
  EXPECT_TRUE(Playing(slot));
  muSound::Stop(slot, -1);
  DWORD to = recording.Size();
  EXPECT_EQ(std::vector<int>(answers.size(), 1), answers);

  const int rate = recording.Rate();
  Unpadded unpadded = CutDevicePads(recording.Channel(from, to, 0), {}, rate);
  const std::vector<double>& left = unpadded.channels[0];
  Sounding heard = FindSounding(left);
  ASSERT_TRUE(heard.found);
  Quiet quiet = LongestQuiet(left, heard.first, heard.last);
  EXPECT_LT(quiet.length, static_cast<size_t>(rate / 1000))
      << "at " << quiet.at * 1.0 / rate << " s";
  // Where in the samples the sound is t seconds after it began: the whole
  // sound, then again and again from 2.5 s on.
  const double loopFrom = kLoopOffset / 44100.0, length = kLoopTone.seconds;
  auto sampleTime = [&](double t) {
    return t < length ? t : loopFrom + std::fmod(t - length, length - loopFrom);
  };
  int windows = 0;
  const double heardSeconds = static_cast<double>(heard.last - heard.first) / rate;
  std::printf("loop: %.3f s heard; %zu device pads cut\n", heardSeconds, unpadded.pads);
  for (double t = 0.05; t + 0.25 < heardSeconds - 0.1; t += 0.25) {
    double a = sampleTime(t), b = sampleTime(t + 0.2);
    if (std::floor(a) != std::floor(b) || b < a) continue;  // straddles a step or the loop
    double pitch = Pitch(left, heard.first + static_cast<size_t>(t * rate),
                         heard.first + static_cast<size_t>((t + 0.2) * rate), rate);
    EXPECT_NEAR(media::ToneFrequencyAt(kLoopTone, static_cast<int>(a)), pitch, 25)
        << "at " << t << " s";
    ++windows;
  }
  EXPECT_GT(windows, heardSeconds * 2);
  FreeAll();
}

TEST(SoundStream, APackThatGoesAwayStopsOnlyItsStreamAndIsReportedOnce) {
  NEED_DEVICE();
  AutoAnswer answer(IDOK);
  const char kGone[] = "stream_gone.pak";
  const char kShrunk[] = "stream_shrunk.pak";
  ASSERT_TRUE(CopyFileA(ExeFile(kPack).c_str(), ExeFile(kGone).c_str(), FALSE));
  ASSERT_TRUE(CopyFileA(ExeFile(kPack).c_str(), ExeFile(kShrunk).c_str(), FALSE));
  muSound::SetPack(kGone);
  int gone = muSound::LoadStream("steps.wav", 0);
  muSound::SetPack(kShrunk);
  int shrunk = muSound::LoadStream("steps.wav", 0);
  muSound::SetPack(kPack);
  int healthy = muSound::LoadStream("steps.wav", 0);
  int plain = muSound::LoadObject(kLooseWave, 1);
  ASSERT_GE(gone, 0);
  ASSERT_GE(shrunk, 0);
  ASSERT_GE(healthy, 0);
  ASSERT_GE(plain, 0);
  for (int slot : {gone, shrunk, healthy}) muSound::Play(slot, -1);
  muSound::PlayLoop(plain, -1);

  // One pack disappears, the other is cut inside the second chunk.
  ASSERT_TRUE(DeleteFileA(ExeFile(kGone).c_str()));
  HANDLE file =
      CreateFileA(ExeFile(kShrunk).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, file);
  SetFilePointer(file, Row(shrunk).stream.dataStart + Row(shrunk).stream.chunkSize * 3 / 2, nullptr,
                 FILE_BEGIN);
  SetEndOfFile(file);
  CloseHandle(file);

  const DWORD healthyRead = Row(healthy).stream.readPosition;
  const std::vector<int> answers = RunFrames(1.0);
  EXPECT_EQ(2, std::count(answers.begin(), answers.end(), 0));
  std::vector<std::string> expected = {
      Box("muSound::Streaming", "パックファイル名が指定されていません"),
      Box("muSound::Streaming", "ストリーミング再生できません")};
  EXPECT_EQ(expected, answer.bodies());
  EXPECT_FALSE(Playing(gone));
  EXPECT_FALSE(Playing(shrunk));
  EXPECT_TRUE(Playing(healthy));
  EXPECT_TRUE(Playing(plain));
  EXPECT_NE(healthyRead, Row(healthy).stream.readPosition);  // still refilled

  // Played again, the stream without its pack is reported by the rewind and
  // does not start.
  muSound::Play(gone, -1);
  ASSERT_EQ(3u, answer.boxes().size());
  EXPECT_EQ(Box("muSound::ResetStream", "パックファイル名が指定されていません"), answer.lastBody());
  EXPECT_FALSE(Playing(gone));
  EXPECT_EQ(0, muSound::ResetStream(gone));
  EXPECT_EQ(4u, answer.boxes().size());
  FreeAll();
}

// ---- The playback format and reloads -----------------------------------------------

WAVEFORMATEX PrimaryFormat() {
  WAVEFORMATEX format = {};
  muSound::primaryBuffer->GetFormat(&format, sizeof format, nullptr);
  return format;
}

TEST(SoundFormat, FormatChangesKeepEverySoundInItsSlotWithItsSettings) {
  NEED_DEVICE();
  AutoAnswer answer(IDOK);
  muSound::SetPack(kPack);
  int plain = muSound::LoadObject(kLooseWave, 1);
  int gap = muSound::LoadObject(kLooseWave, 1);
  int packed = muSound::LoadPack("shot.wav", 3);
  muSound::SetPack(kOtherPack);
  int stream = muSound::LoadStream("steps.wav", 8);
  // The pack current at the reloads holds neither sound: each comes back from
  // its own pack, and the current one stays current.
  const char kChosen[] = "stream_none.pak";
  muSound::SetPack(kChosen);
  muSound::FreeObject(gap);
  ASSERT_GE(plain, 0);
  ASSERT_GE(packed, 0);
  ASSERT_GE(stream, 0);
  muSound::SetVolume(plain, -12, -1);
  muSound::SetPan(plain, 7, -1);
  muSound::AddFrequency(plain, 5, -1);
  muSound::SetVolume(packed, -3, 2);
  muSound::PanLeft(packed, 1);
  muSound::SetFrequency(packed, -10, 0);
  muSound::SetVolume(stream, -20, -1);
  muSound::PanRight(stream, -1);
  muSound::SetFrequency(stream, 10, -1);
  // The stream plays on for a while: after the reload it is at its start.
  muSound::Play(stream, -1);
  RunFrames(0.3);
  ASSERT_NE(Row(stream).stream.chunkSize, Row(stream).stream.dataPosition);

  auto check = [&](const char* when) {
    SCOPED_TRACE(when);
    EXPECT_EQ(0, Row(gap).inUse);
    EXPECT_EQ(-1200, RealVolume(plain, 0));
    EXPECT_EQ(700, RealPan(plain, 0));
    EXPECT_EQ(22550u, RealFrequency(plain, 0));
    EXPECT_EQ(3, Row(packed).mixCount);
    EXPECT_EQ(1, Row(packed).fromPack);
    EXPECT_EQ(-300, RealVolume(packed, 2));
    EXPECT_EQ(-10000, RealPan(packed, 1));
    EXPECT_EQ(21050u, RealFrequency(packed, 0));
    EXPECT_EQ(22050u, RealFrequency(packed, 1));
    const muSound::StreamRecord& s = Row(stream).stream;
    EXPECT_EQ(ExeFile(kOtherPack), s.packPath);
    EXPECT_EQ(8u, s.loopPoint - s.dataStart);
    EXPECT_EQ(s.chunkSize, s.dataPosition);
    EXPECT_EQ(s.dataStart + s.chunkSize, s.readPosition);
    EXPECT_EQ(s.chunkSize, s.writePosition);
    EXPECT_EQ(-2000, RealVolume(stream, 0));
    EXPECT_EQ(10000, RealPan(stream, 0));
    EXPECT_EQ(23050u, RealFrequency(stream, 0));
    EXPECT_EQ(
        muSound::kSoundSlots,
        std::count_if(muSound::soundTable, muSound::soundTable + muSound::kSoundSlots,
                      [](const muSound::SoundObject& row) { return !row.inUse || row.buffer[0]; }));
    EXPECT_EQ(ExeFile(kChosen), muSound::currentPack);
  };

  EXPECT_EQ(1, muSound::SelectFormat(2, 22, 16));
  WAVEFORMATEX format = PrimaryFormat();
  EXPECT_EQ(22050u, format.nSamplesPerSec);
  EXPECT_EQ(2, format.nChannels);
  EXPECT_EQ(16, format.wBitsPerSample);
  EXPECT_EQ(4, format.nBlockAlign);
  EXPECT_EQ(88200u, format.nAvgBytesPerSec);
  check("22 kHz");
  EXPECT_EQ(1, muSound::SelectFormat(2, 48000, 16));
  EXPECT_EQ(48000u, PrimaryFormat().nSamplesPerSec);
  check("48000 Hz");
  EXPECT_TRUE(answer.boxes().empty());

  // Wine refuses 12 bits: reported, and every sound is rebuilt in the format
  // that stays in force.
  EXPECT_EQ(0, muSound::SelectFormat(2, 22, 12));
  EXPECT_EQ(std::vector<std::string>{Box("muSound::SelectFormat", "再生フォーマットを変更できません")},
            answer.bodies());
  EXPECT_EQ(48000u, PrimaryFormat().nSamplesPerSec);
  EXPECT_EQ(16, PrimaryFormat().wBitsPerSample);
  check("refused");
  muSound::Play(packed, 2);
  EXPECT_TRUE(Playing(packed, 2));
  muSound::Stop(packed, -1);

  // A restore brings the same rows back, each from its own pack.
  muSound::Restore();
  check("restored");
  EXPECT_EQ(1u, answer.boxes().size());
  FreeAll();
}

// ---- No sound device -------------------------------------------------------------

TEST(SoundSilent, PacksStreamsAndTheFormatDoNothing) {
  StartSound();
  if (SoundMode() != "none") GTEST_SKIP() << "runs with MU_SOUND_MODE=none";
  AutoAnswer answer(IDOK);
  ASSERT_EQ(0, muSound::soundEnabled);
  const char kSilentPack[] = "stream_silent.pak";
  DeleteFileA(ExeFile(kSilentPack).c_str());
  muSound::SetPack(kSilentPack);
  EXPECT_STREQ("", muSound::currentPack);
  EXPECT_EQ(1, muSound::MakePack(kSilentPack, kFolder, 1));
  muSound::AddToPack(kSilentPack, kLooseWave);
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(ExeFile(kSilentPack).c_str()));
  EXPECT_EQ(-1, muSound::LoadPack("shot.wav", 1));
  EXPECT_EQ(-1, muSound::LoadPack("shot.wav", 50));
  EXPECT_EQ(-1, muSound::LoadStream("steps.wav", 0));
  EXPECT_EQ(1, muSound::Streaming());
  for (int slot : {0, 69, -1, 70}) EXPECT_EQ(1, muSound::ResetStream(slot));
  EXPECT_EQ(1, muSound::SelectFormat(2, 22, 16));
  EXPECT_EQ(1, muSound::SelectFormat(2, 22, 12));
  for (int slot = 0; slot < muSound::kSoundSlots; ++slot) EXPECT_EQ(0, Row(slot).inUse);
  EXPECT_TRUE(answer.boxes().empty());
}

}  // namespace
