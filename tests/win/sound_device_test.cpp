// The sound module on Wine's real DirectSound and MCI. The ctest entries run
// this program twice: with Wine's output recorded to a file through an ALSA
// `file` device (MU_SOUND_MODE=record, MU_SOUND_RECORD = the recording), and
// with no ALSA configuration at all (MU_SOUND_MODE=none), where the library
// must run silently. Run by hand without MU_SOUND_MODE, the mode tests skip.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <mu.h>

#include "message_box.h"
#include "sound_buffers.h"
#include "sound_recording.h"
#include "test_app.h"
#include "tools/sound_media.h"

namespace {

constexpr char kTone[] = "sound_tone.wav";  // 1 s, 1000 Hz
constexpr char kLoop[] = "sound_loop.wav";  // 0.1 s, 1000 Hz: exactly 100 periods
constexpr char kSong[] = "sound_song.mid";  // two notes, 0.3 s
constexpr char kBroken[] = "sound_broken.wav";
constexpr int kToneRate = 22050;

using testapp::ExeFile;

// Starts the shell and the sound module once, as the screen set-up does, and
// writes the test media beside the executable.
void StartSound() {
  static bool started = false;
  if (started) return;
  started = true;
  ASSERT_TRUE(testapp::StartShell());
  media::Tone tone;
  tone.sampleRate = kToneRate;
  media::WriteFile(ExeFile(kTone), media::ToneWave(tone));
  tone.seconds = 0.1;
  media::WriteFile(ExeFile(kLoop), media::ToneWave(tone));
  std::vector<uint8_t> broken = media::ToneWave(tone);
  broken.resize(broken.size() / 2);  // its data chunk runs past the end
  media::WriteFile(ExeFile(kBroken), broken);
  media::WriteFile(ExeFile(kSong), media::MidiFile(2, 150000));
  muSound::Init();
  muSound::ResetObjects();
  muSound::InitMidi();
}

std::string LoadError(const char* message) {
  return std::string("muSound::LoadObject : ") + message;
}

void FreeAll() {
  for (int slot = 0; slot < muSound::kSoundSlots; ++slot) muSound::FreeObject(slot);
}

TEST(SoundRecording, TonesVolumePanPitchStopAndLoop) {
  NEED_DEVICE();
  Recording recording;
  ASSERT_TRUE(recording.Available());
  int loop = muSound::LoadObject(kLoop, 1);
  int once = muSound::LoadObject(kLoop, 1);
  ASSERT_GE(loop, 0);
  ASSERT_GE(once, 0);

  // The 0.1 s tone played once sounds for 0.1 s of the recording, then stops.
  // (Wine starts writing the recording with the first sound.)
  Heard single = During(recording, [&] { muSound::Play(once, 0); });
  ASSERT_GT(recording.Rate(), 0);
  double singleSeconds = static_cast<double>(single.soundingFrames) / recording.Rate();
  EXPECT_NEAR(0.1, singleSeconds, 0.02);
  Heard quiet = During(recording, [] {});
  EXPECT_GT(quiet.frames, 1000);
  EXPECT_EQ(0, quiet.soundingFrames);

  // Looping, it keeps going to the end of the stretch, at 1000 Hz.
  Heard full = During(recording, [&] { muSound::PlayLoop(loop, -1); });
  EXPECT_GT(full.leftRms, 0.05);
  EXPECT_NEAR(1000, full.pitch, 30);
  Heard still = During(recording, [] {});
  EXPECT_NEAR(full.leftRms, still.leftRms, full.leftRms * 0.05);
  EXPECT_GE(still.soundingFrames, still.frames - recording.Rate() / 1000);

  Heard half = During(recording, [&] { muSound::SetVolume(loop, -6, -1); });
  EXPECT_NEAR(0.501, half.leftRms / full.leftRms, 0.04);

  Heard left = During(recording, [&] {
    muSound::ResetVolume(loop, -1);
    muSound::PanLeft(loop, -1);
  });
  EXPECT_GT(left.leftRms, full.leftRms * 0.9);
  EXPECT_LT(left.rightRms, full.leftRms * 0.01);

  Heard high = During(recording, [&] {
    muSound::CenterPan(loop, -1);
    muSound::SetFrequency(loop, 220, -1);  // 22050 Hz + 22000 Hz: the pitch doubles
  });
  EXPECT_NEAR(1000.0 * 44050 / 22050, high.pitch, 60);
  EXPECT_NEAR(high.leftRms, high.rightRms, high.leftRms * 0.05);

  Heard stopped = During(recording, [&] { muSound::Stop(loop, -1); });
  EXPECT_LT(stopped.leftRms, full.leftRms * 0.01);
  Heard after = During(recording, [] {});
  EXPECT_EQ(0, after.soundingFrames);
  std::printf(
      "recorded: once %.3f s; loop rms %.3f at %.0f Hz; -6 dB ratio %.3f; "
      "pan left: right/left %.5f; +220 steps: %.0f Hz; stopped rms %.5f\n",
      singleSeconds, full.leftRms, full.pitch, half.leftRms / full.leftRms,
      left.rightRms / left.leftRms, high.pitch, stopped.leftRms);
  FreeAll();
}

// ---- The table --------------------------------------------------------------

TEST(SoundTable, MixCountsAndTheirEchoStates) {
  NEED_DEVICE();
  AutoAnswer answer(IDOK);
  struct Case {
    int mix, buffers, echo;
  } cases[] = {{0, 0, -1}, {1, 1, -1}, {2, 2, 0}, {-3, 3, -1}, {10, 10, 0}};
  for (const Case& c : cases) {
    int slot = muSound::LoadObject(kLoop, c.mix);
    ASSERT_EQ(0, slot) << c.mix;
    EXPECT_EQ(1, Row(slot).inUse);
    EXPECT_EQ(c.buffers, Row(slot).mixCount);
    EXPECT_EQ(c.echo, Row(slot).echoState);
    EXPECT_EQ(c.buffers ? kToneRate : 0, Row(slot).baseFrequency);
    for (int i = 0; i < muSound::kMixMax; ++i)
      EXPECT_EQ(i < c.buffers, Row(slot).buffer[i] != nullptr);
    muSound::FreeObject(slot);
  }
  EXPECT_EQ(-1, muSound::LoadObject(kLoop, 11));
  EXPECT_EQ(-1, muSound::LoadObject(kLoop, -11));
  EXPECT_EQ(-1, muSound::LoadObject(kLoop, -2147483647 - 1));
  ASSERT_EQ(3u, answer.boxes().size());
  for (const BoxRecord& box : answer.boxes()) {
    EXPECT_EQ(LoadError("ミックス数が多過ぎます"), box.body);
    EXPECT_EQ("エラー発生", box.caption);
  }
  EXPECT_EQ(0, Row(0).inUse);
}

TEST(SoundTable, SeventyRowsThenTooMany) {
  NEED_DEVICE();
  AutoAnswer answer(IDOK);
  for (int i = 0; i < muSound::kSoundSlots; ++i) ASSERT_EQ(i, muSound::LoadObject(kLoop, 1));
  EXPECT_TRUE(answer.boxes().empty());
  EXPECT_EQ(-1, muSound::LoadObject(kLoop, 1));
  ASSERT_EQ(1u, answer.boxes().size());
  EXPECT_EQ(LoadError("オブジェクト数が多過ぎます"), answer.boxes()[0].body);
  // A freed row is the next one handed out.
  muSound::FreeObject(42);
  EXPECT_EQ(42, muSound::LoadObject(kLoop, 1));
  FreeAll();
  for (int i = 0; i < muSound::kSoundSlots; ++i) EXPECT_EQ(0, Row(i).inUse);
}

TEST(SoundTable, FreeingAFreeRowChangesNothing) {
  NEED_DEVICE();
  muSound::SoundObject before = Row(5);
  EXPECT_EQ(5, muSound::FreeObject(5));
  EXPECT_EQ(0, std::memcmp(&before, &Row(5), sizeof before));
  EXPECT_EQ(-4, muSound::FreeObject(-4));
  EXPECT_EQ(70, muSound::FreeObject(70));
}

TEST(SoundTable, NamesFilesAndResources) {
  NEED_DEVICE();
  AutoAnswer answer(IDOK);
  std::string thirty = std::string(26, 'n') + ".wav";
  std::string thirtyOne = std::string(27, 'n') + ".wav";
  std::vector<uint8_t> bytes = media::ToneWave(media::Tone{});
  media::WriteFile(ExeFile(thirty.c_str()), bytes);
  media::WriteFile(ExeFile(thirtyOne.c_str()), bytes);

  int slot = muSound::LoadObject(thirty.c_str(), 1);
  ASSERT_EQ(0, slot);
  EXPECT_EQ(thirty, Row(slot).name);
  EXPECT_TRUE(answer.boxes().empty());

  // Too long a name: reported, and the row that was loaded is free again.
  EXPECT_EQ(-1, muSound::LoadObject(thirtyOne.c_str(), 1));
  ASSERT_EQ(1u, answer.boxes().size());
  EXPECT_EQ(LoadError("ファイル名またはリソース名が長すぎます"), answer.boxes()[0].body);
  EXPECT_EQ(0, Row(1).inUse);
  EXPECT_EQ(nullptr, Row(1).buffer[0]);

  // No such file, a broken file, a resource shorter than its header: not found.
  EXPECT_EQ(-1, muSound::LoadObject("sound_missing.wav", 1));
  EXPECT_EQ(-1, muSound::LoadObject(kBroken, 1));
  EXPECT_EQ(-1, muSound::LoadObject("SOUND_RES_SHORT", 1));
  ASSERT_EQ(4u, answer.boxes().size());
  for (int i = 1; i < 4; ++i)
    EXPECT_EQ(LoadError("WAVEリソースが見つかりません"), answer.boxes()[i].body);
  EXPECT_EQ(0, Row(1).inUse);

  // Resources of type "WAVE" and RT_RCDATA load by their fixed layout.
  int wave = muSound::LoadObject("SOUND_RES_WAVE", 2);
  int data = muSound::LoadObject("SOUND_RES_DATA", 1);
  ASSERT_EQ(1, wave);
  ASSERT_EQ(2, data);
  EXPECT_EQ(kToneRate, Row(wave).baseFrequency);
  EXPECT_EQ(220u, BufferBytes(data));
  EXPECT_EQ(4u, answer.boxes().size());
  FreeAll();
}

TEST(SoundTable, SettingsSurviveRestoreAndTheSystemPlayer) {
  NEED_DEVICE();
  int a = muSound::LoadObject(kLoop, 1);
  int gap = muSound::LoadObject(kLoop, 1);
  int b = muSound::LoadObject(kTone, -3);
  int c = muSound::LoadObject(kLoop, 2);
  muSound::FreeObject(gap);
  muSound::SetVolume(a, -12, -1);
  muSound::SetPan(a, 7, -1);
  muSound::AddFrequency(a, 5, -1);
  muSound::SetVolume(b, -3, 1);
  muSound::PanRight(b, 2);
  muSound::SetFrequency(b, -10, 0);
  muSound::Play(c, -1);
  auto check = [&](const char* when, int echoOfB) {
    SCOPED_TRACE(when);
    EXPECT_EQ(0, Row(gap).inUse);
    EXPECT_EQ(1, Row(a).inUse);
    EXPECT_EQ(-1200, RealVolume(a, 0));
    EXPECT_EQ(700, RealPan(a, 0));
    EXPECT_EQ(22550u, RealFrequency(a, 0));
    EXPECT_EQ(3, Row(b).mixCount);
    EXPECT_EQ(echoOfB, Row(b).echoState);
    EXPECT_EQ(0, RealVolume(b, 0));
    EXPECT_EQ(-300, RealVolume(b, 1));
    EXPECT_EQ(10000, RealPan(b, 2));
    EXPECT_EQ(21050u, RealFrequency(b, 0));
    EXPECT_EQ(22050u, RealFrequency(b, 1));
    EXPECT_EQ(0, Row(c).echoState);
    EXPECT_EQ(1, Row(c).rotationIndex);  // the rotation goes on where it was
    EXPECT_EQ(kToneRate, Row(c).baseFrequency);
  };
  check("loaded", -1);
  // The reload passes the stored (positive) mix count of 3: the echo becomes available.
  muSound::Restore();
  check("restored", 0);
  muSound::PlaySystemSound(ExeFile(kLoop).c_str());
  check("after the system player", 0);
  EXPECT_EQ(1, muSound::soundEnabled);
  FreeAll();
}

TEST(SoundTable, FailedBuffersAndVanishedFilesLeaveNothingBehind) {
  NEED_DEVICE();
  AutoAnswer answer(IDOK);
  // No samples at all: DirectSound refuses the buffer; the row stays free.
  media::Tone silent;
  silent.seconds = 0;
  media::WriteFile(ExeFile("sound_empty.wav"), media::ToneWave(silent));
  EXPECT_EQ(-1, muSound::LoadObject("sound_empty.wav", 3));
  ASSERT_EQ(1u, answer.boxes().size());
  EXPECT_EQ(LoadError("サウンドバッファが生成できません"), answer.boxes()[0].body);
  EXPECT_EQ(0, Row(0).inUse);
  for (int i = 0; i < muSound::kMixMax; ++i) EXPECT_EQ(nullptr, Row(0).buffer[i]);

  // A sound whose file is gone by the time of a restore keeps its row and
  // settings but has no buffers, and playing it touches nothing.
  media::Tone tone;
  tone.seconds = 0.05;
  media::WriteFile(ExeFile("sound_gone.wav"), media::ToneWave(tone));
  int slot = muSound::LoadObject("sound_gone.wav", 2);
  ASSERT_EQ(0, slot);
  muSound::SetVolume(slot, -9, -1);
  DeleteFileA(ExeFile("sound_gone.wav").c_str());
  muSound::Restore();
  ASSERT_EQ(2u, answer.boxes().size());
  EXPECT_EQ(LoadError("WAVEリソースが見つかりません"), answer.boxes()[1].body);
  EXPECT_EQ(1, Row(slot).inUse);
  EXPECT_EQ(-900, Row(slot).volume[1]);
  EXPECT_EQ(nullptr, Row(slot).buffer[0]);
  muSound::Play(slot, -2);
  muSound::SetPan(slot, 3, -1);
  muSound::TogglePause(slot, -1);
  EXPECT_EQ(0u, muSound::GetPlayPosition(slot));
  EXPECT_EQ(slot, muSound::FreeObject(slot));
  EXPECT_EQ(0, Row(slot).inUse);

  // After the device is released (as by the shut-down) a load does nothing,
  // with no box; Restore brings the device back.
  muSound::Release();
  EXPECT_EQ(-1, muSound::LoadObject(kTone, 1));
  EXPECT_EQ(2u, answer.boxes().size());
  muSound::Restore();
  ASSERT_NE(nullptr, muSound::soundDevice);
}

// ---- Playback control ---------------------------------------------------------

TEST(SoundPlayback, RotationOverThreeBuffers) {
  NEED_DEVICE();
  int slot = muSound::LoadObject(kTone, 3);
  ASSERT_GE(slot, 0);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(i, Row(slot).rotationIndex);
    muSound::Play(slot, -1);
    EXPECT_TRUE(Playing(slot, i)) << i;
  }
  EXPECT_EQ(0, Row(slot).rotationIndex);
  Sleep(200);
  DWORD before = muSound::GetPlayPosition(slot);
  EXPECT_GT(before, 0u);
  EXPECT_EQ(before, muSound::playPosition);
  muSound::Play(slot, -1);  // the fourth play restarts buffer 0 from its start
  EXPECT_LT(muSound::GetPlayPosition(slot), before);
  EXPECT_EQ(1, Row(slot).rotationIndex);
  EXPECT_EQ(0, Row(slot).looping);

  muSound::Stop(slot, 1);
  EXPECT_FALSE(Playing(slot, 1));
  EXPECT_TRUE(Playing(slot, 2));
  muSound::Stop(slot, -1);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(Playing(slot, i));

  // Pause keeps the cursor; the second toggle resumes from it, looping as last played.
  muSound::PlayLoop(slot, 0);
  EXPECT_EQ(1, Row(slot).looping);
  Sleep(150);
  muSound::TogglePause(slot, 0);
  EXPECT_FALSE(Playing(slot, 0));
  DWORD paused = Row(slot).pausedPosition[0];
  EXPECT_GT(paused, 0u);
  muSound::TogglePause(slot, 0);
  EXPECT_TRUE(Playing(slot, 0));
  DWORD status = 0;
  Row(slot).buffer[0]->GetStatus(&status);
  EXPECT_TRUE(status & DSBSTATUS_LOOPING);
  EXPECT_GE(muSound::GetPlayPosition(slot), paused);
  muSound::Stop(slot, -1);
  FreeAll();
}

TEST(SoundPlayback, ValuesAreClampedAndStored) {
  NEED_DEVICE();
  int slot = muSound::LoadObject(kLoop, 2);
  ASSERT_GE(slot, 0);
  muSound::AddVolume(slot, 5, -1);
  EXPECT_EQ(0, Row(slot).volume[0]);
  EXPECT_EQ(0, RealVolume(slot, 1));
  muSound::SetVolume(slot, -150, -1);
  EXPECT_EQ(-10000, Row(slot).volume[1]);
  EXPECT_EQ(-10000, RealVolume(slot, 0));
  muSound::AddVolume(slot, 30, 0);
  EXPECT_EQ(-7000, RealVolume(slot, 0));
  EXPECT_EQ(-10000, RealVolume(slot, 1));

  muSound::AddFrequency(slot, -1000, -1);
  EXPECT_EQ(100, Row(slot).frequency[0]);
  EXPECT_EQ(100u, RealFrequency(slot, 1));
  muSound::SetFrequency(slot, 2000, -1);
  EXPECT_EQ(100000, Row(slot).frequency[0]);
  muSound::SetFrequency(slot, 0, -1);
  LONG viaSet = Row(slot).frequency[0];
  muSound::AddFrequency(slot, 3, -1);
  muSound::ResetFrequency(slot, -1);
  EXPECT_EQ(viaSet, Row(slot).frequency[0]);
  EXPECT_EQ(kToneRate, viaSet);

  muSound::SetPan(slot, 200, -1);
  EXPECT_EQ(10000, RealPan(slot, 0));
  muSound::AddPan(slot, -300, -1);
  EXPECT_EQ(-10000, Row(slot).pan[1]);
  muSound::CenterPan(slot, -1);
  muSound::PanRight(slot, -2);  // the rotation buffer only
  EXPECT_EQ(10000, RealPan(slot, 0));
  EXPECT_EQ(0, RealPan(slot, 1));

  // Selectors beyond the mix count and slots not in use are left alone.
  muSound::SetVolume(slot, -20, 2);
  muSound::Play(slot, 5);
  muSound::SetVolume(slot + 1, -20, -1);
  muSound::Play(-1, -1);
  muSound::Stop(99, -1);
  EXPECT_EQ(-10000, Row(slot).volume[1]);
  FreeAll();
}

TEST(SoundPlayback, EchoPlaysThreeQuieterEchoesThenIdles) {
  NEED_DEVICE();
  int plain = muSound::LoadObject(kLoop, 1);
  int slot = muSound::LoadObject(kLoop, 2);
  ASSERT_GE(slot, 0);
  muSystem::frameSeconds = 0.05f;

  muSound::Play(plain, -2);
  EXPECT_EQ(-1, Row(plain).echoState);
  muSound::Echo(plain, 0, 3, 6);
  EXPECT_EQ(-1, Row(plain).echoState);

  muSound::SetVolume(slot, -20, -1);
  muSound::Play(slot, -2);
  EXPECT_EQ(1, Row(slot).echoState);
  EXPECT_EQ(0, RealVolume(slot, 0));  // the start resets the volumes
  std::vector<LONG> echoes;
  for (int frame = 0; frame < 12; ++frame) {
    int before = Row(slot).echoState;
    int buffer = Row(slot).rotationIndex;
    muSound::Echo(slot, 100, 3, 6);  // one echo every second frame
    if (Row(slot).echoState != before) {
      echoes.push_back(RealVolume(slot, buffer));
      EXPECT_TRUE(Playing(slot, buffer));
    }
  }
  EXPECT_EQ((std::vector<LONG>{-600, -1200, -1800}), echoes);
  EXPECT_EQ(0, Row(slot).echoState);

  // Stopping all buffers ends a running echo.
  muSound::PlayLoop(slot, -2);
  EXPECT_EQ(1, Row(slot).echoLooping);
  muSound::Stop(slot, -1);
  EXPECT_EQ(0, Row(slot).echoState);
  FreeAll();
}

TEST(SoundPlayback, EchoPanClampsAtThirtyAndTurns) {
  NEED_DEVICE();
  int slot = muSound::LoadObject(kLoop, 2);
  ASSERT_GE(slot, 0);
  muSystem::frameSeconds = 0.125f;  // exact in binary: steps of 12.5 dB per unit of speed
  muSound::Play(slot, -2);
  int direction = Row(slot).echoDirection;
  ASSERT_TRUE(direction == 1 || direction == -1);
  int buffer = Row(slot).rotationIndex;
  muSound::EchoPan(slot, 0, 5, 1, 40);  // a step of 500 dB
  EXPECT_FLOAT_EQ(30.0f * direction, Row(slot).echoPanPosition);
  EXPECT_EQ(-direction, Row(slot).echoDirection);
  EXPECT_EQ(3000 * direction, RealPan(slot, buffer));
  buffer = Row(slot).rotationIndex;
  muSound::EchoPan(slot, 0, 5, 1, 1);  // back by 12.5 dB, truncated to 17
  EXPECT_FLOAT_EQ(17.5f * direction, Row(slot).echoPanPosition);
  EXPECT_EQ(1700 * direction, RealPan(slot, buffer));
  muSound::Stop(slot, -1);
  FreeAll();
}

// ---- MIDI ------------------------------------------------------------------------

std::string MidiMode() {
  char mode[32] = {};
  if (mciSendStringA("status midi mode", mode, sizeof mode, nullptr) != 0) return "(closed)";
  return mode;
}

// Waits for the end of the current pass. Where the sequencer has no MIDI output
// port (Wine without an ALSA sequencer: midiOutOpen fails and the piece never
// moves from position 0), the test ends the pass itself the way the device
// would: it stops the piece and sends the window the successful notification.
void EndOfPass() {
  DWORD start = GetTickCount();
  int finished = muSound::midiFinished, open = muSound::midiOpen;
  char position[32] = "0";
  while (GetTickCount() - start < 3000) {
    if (muSound::midiFinished != finished || muSound::midiOpen != open) return;
    testapp::Frame();
    Sleep(5);
    if (GetTickCount() - start > 300) {
      mciSendStringA("status midi position", position, sizeof position, nullptr);
      if (std::strcmp(position, "0") == 0) break;  // the sequencer does not move
    }
  }
  ASSERT_STREQ("0", position) << "the piece moves but its end was never notified";
  mciSendStringA("stop midi", nullptr, 0, nullptr);
  PostMessageA(muSystem::mainWindow, MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, 0);
  testapp::Frame();
}

TEST(SoundMidi, LoopsThroughTheNotificationThenEnds) {
  StartSound();
  if (SoundMode().empty()) GTEST_SKIP() << "runs with MU_SOUND_MODE set";
  EXPECT_EQ(1, muSound::PlayMidi(kSong, 1));
  EXPECT_EQ(1, muSound::midiOpen);
  EXPECT_EQ(0, muSound::midiFinished);
  EXPECT_EQ("playing", MidiMode());

  // A notification while the device still plays changes nothing, and other
  // notifications than a successful one are ignored.
  SendMessageA(muSystem::mainWindow, MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, 0);
  SendMessageA(muSystem::mainWindow, MM_MCINOTIFY, MCI_NOTIFY_ABORTED, 0);
  EXPECT_EQ(0, muSound::midiFinished);

  // The end of the piece: it starts again and goes on playing.
  EndOfPass();
  EXPECT_EQ(1, muSound::midiFinished);
  EXPECT_EQ(1, muSound::midiOpen);
  EXPECT_EQ("playing", MidiMode());
  EndOfPass();
  EXPECT_EQ(1, muSound::midiOpen);
  EXPECT_EQ("playing", MidiMode());

  // After EndMidiLoop the current pass ends and the device is closed.
  muSound::EndMidiLoop();
  EXPECT_EQ("playing", MidiMode());
  EndOfPass();
  EXPECT_EQ(0, muSound::midiOpen);
  EXPECT_EQ("(closed)", MidiMode());
  EXPECT_EQ(1, muSound::midiFinished);
}

TEST(SoundMidi, StopWithNothingOpenSendsNothing) {
  StartSound();
  if (SoundMode().empty()) GTEST_SKIP() << "runs with MU_SOUND_MODE set";
  // A device opened under the alias behind the library's back stays open.
  std::string open = "open \"" + ExeFile(kSong) + "\" type sequencer alias midi";
  ASSERT_EQ(0u, mciSendStringA(open.c_str(), nullptr, 0, nullptr));
  ASSERT_EQ(0, muSound::midiOpen);
  muSound::StopMidi();
  EXPECT_NE("(closed)", MidiMode());
  EXPECT_EQ(0, muSound::CloseMidi());
  EXPECT_EQ("(closed)", MidiMode());

  // A name that would not fit the open command is not played.
  std::string longName(240, 'm');
  muSound::PlayMidi(longName.c_str(), 0);
  EXPECT_EQ(0, muSound::midiOpen);

  // Playing a new piece over an open one replaces it.
  muSound::PlayMidi(kSong, 0);
  muSound::PlayMidi(kSong, 1);
  EXPECT_EQ(1, muSound::midiOpen);
  EXPECT_EQ(1, muSound::midiLoop);
  muSound::StopMidi();
  EXPECT_EQ(0, muSound::midiOpen);
  EXPECT_EQ("(closed)", MidiMode());
}

// ---- No sound device ----------------------------------------------------------------

TEST(SoundSilent, EveryOperationDoesNothing) {
  StartSound();
  if (SoundMode() != "none") GTEST_SKIP() << "runs with MU_SOUND_MODE=none";
  AutoAnswer answer(IDOK);
  EXPECT_EQ(0, muSound::soundEnabled);
  EXPECT_EQ(0, muSound::Init());
  EXPECT_EQ(nullptr, muSound::soundDevice);
  EXPECT_EQ(-1, muSound::LoadObject(kLoop, 1));
  EXPECT_EQ(-1, muSound::LoadObject(kLoop, 50));
  EXPECT_EQ(-1, muSound::LoadObject("SOUND_RES_WAVE", 1));
  for (int slot : {0, 69, -1, 70}) {
    muSound::Play(slot, -2);
    muSound::PlayLoop(slot, -1);
    muSound::SetVolume(slot, -6, -1);
    muSound::AddPan(slot, 3, 0);
    muSound::SetFrequency(slot, 10, -1);
    muSound::TogglePause(slot, -1);
    muSound::Echo(slot, 0, 3, 6);
    muSound::EchoPan(slot, 0, 3, 6, 10);
    muSound::Stop(slot, -1);
    EXPECT_EQ(0u, muSound::GetPlayPosition(slot));
    EXPECT_EQ(slot, muSound::FreeObject(slot));
  }
  muSound::Restore();
  muSound::PlaySystemSound(ExeFile(kLoop).c_str());
  EXPECT_EQ(0, muSound::soundEnabled);
  for (int slot = 0; slot < muSound::kSoundSlots; ++slot) EXPECT_EQ(0, Row(slot).inUse);
  EXPECT_TRUE(answer.boxes().empty());
  muSound::Release();
  muSound::Release();
}

}  // namespace
