// Pages of sound: effects with volume, pan, frequency and echo, and music.
// The effects page plays a round of six demonstrations by itself; without a
// sound device the library plays nothing and the page still runs.
#include <cmath>
#include <initializer_list>

#include "showcase/page.h"

namespace showcase {

namespace {

constexpr float kDemoSeconds = 2.5f;
constexpr int kDemos = 6;

Named<int> blip, laser, drum, chime, engine;

Named<int> LoadSound(const char* file, int mix, const char* label) {
  return Label(SHOW(muSound::LoadObject)(file, mix), label);
}

bool Loaded(const Named<int>& s) { return s.value >= 0; }

// Rings spreading from where a sound was placed in the stereo field.
constexpr int kRings = 16;
struct Ring {
  float born;   // page time; < 0 unused
  int x;
  COLORREF colour;
} rings[kRings];
int nextRing;

void Ripple(float t, int pan, COLORREF colour) {
  // pan in decibels, -100..100: the left and right ends of the meter
  rings[nextRing] = Ring{t, 320 + pan * 3, colour};
  nextRing = (nextRing + 1) % kRings;
}

struct SoundShow {
  int demo;        // 0..5, the demonstration running
  int beat;        // beats of the demonstration played so far
  int pan;         // the last pan set, decibels
  int volume;      // the last volume set, decibels
  int frequency;   // the last frequency steps
} show;

const char* const kDemoNames[kDemos] = {"パン", "周波数", "音量", "エコー", "エコーとパン",
                                        "ループと一時停止"};

void EffectsOpen() {
  SHOW(muSound::SelectFormat)(2, 22, 16);
  blip = LoadSound("showcase\\blip.wav", 4, "blip");
  laser = LoadSound("showcase\\laser.wav", 2, "laser");
  drum = LoadSound("showcase\\drum.wav", 3, "drum");
  chime = LoadSound("showcase\\chime.wav", 4, "chime");
  engine = LoadSound("showcase\\engine.wav", 1, "engine");
  show = SoundShow{-1, 0, 0, 0, 0};
  for (Ring& r : rings) r.born = -1;
}

void EffectsClose() {
  for (const Named<int>* s : {&blip, &laser, &drum, &chime, &engine}) {
    if (Loaded(*s)) {
      muSound::Stop(*s, muSound::kAllBuffers);
      muSound::FreeObject(*s);
    }
  }
}

// Plays beat `beat` of demonstration `demo` (beats come every half second).
void PlayBeat(int demo, int beat, float t) {
  EventCalls events;
  switch (demo) {
    case 0: {   // four blips from left to right, one buffer each
      if (beat > 3 || !Loaded(blip)) return;
      if (beat == 0) SHOW(muSound::PanLeft)(blip, 0);
      if (beat == 1) SHOW(muSound::SetPan)(blip, -20, 1);
      if (beat == 2) SHOW(muSound::CenterPan)(blip, 2);
      if (beat == 3) SHOW(muSound::PanRight)(blip, 3);
      show.pan = (beat == 0) ? -100 : (beat == 1) ? -20 : (beat == 2) ? 0 : 100;
      SHOW(muSound::Play)(blip, beat);
      Ripple(t, show.pan, 0x60E0FF);
      break;
    }
    case 1: {   // the laser at four pitches
      if (beat > 3 || !Loaded(laser)) return;
      static const int kSteps[] = {-80, 0, 60, 140};
      show.frequency = kSteps[beat];
      SHOW(muSound::SetFrequency)(laser, show.frequency, muSound::kAllBuffers);
      SHOW(muSound::Play)(laser, muSound::kAllBuffers);
      Ripple(t, 0, 0xFF80FF);
      if (beat == 3) SHOW(muSound::ResetFrequency)(laser, muSound::kAllBuffers);
      break;
    }
    case 2: {   // the drum, 6 dB quieter each time
      if (beat > 4 || !Loaded(drum)) return;
      if (beat == 0) {
        SHOW(muSound::ResetVolume)(drum, muSound::kAllBuffers);
        show.volume = 0;
      } else {
        SHOW(muSound::AddVolume)(drum, -6, muSound::kAllBuffers);
        show.volume -= 6;
      }
      SHOW(muSound::Play)(drum, muSound::kAllBuffers);
      Ripple(t, 0, RGB(255, 160 + 2 * show.volume, 80));
      break;
    }
    case 3:   // the chime with four echoes, 6 dB apart
    case 4:   // eight echoes wandering between the speakers
      if (beat != 0 || !Loaded(chime)) return;
      SHOW(muSound::Play)(chime, muSound::kRotationBuffer);
      Ripple(t, 0, 0x80FF80);
      break;
    case 5: {   // the engine looping, pitched up, paused and resumed
      if (!Loaded(engine)) return;
      if (beat == 0) {
        SHOW(muSound::SetVolume)(engine, -4, 0);
        SHOW(muSound::PlayLoop)(engine, 0);
        Ripple(t, 0, 0x40A0FF);
      }
      if (beat == 2 || beat == 3) SHOW(muSound::TogglePause)(engine, 0);
      if (beat == 4) {
        SHOW(muSound::Stop)(engine, 0);
        SHOW(muSound::ResetFrequency)(engine, 0);
      }
      break;
    }
    default:
      break;
  }
}

void EffectsFrame(float t) {
  const int demo = StepOf(t, kDemoSeconds, kDemos);
  const int beat = static_cast<int>((t - kDemoSeconds * std::floor(t / kDemoSeconds)) * 2);
  if (demo != show.demo) {
    show.demo = demo;
    show.beat = 0;
    show.frequency = 0;
  }
  while (show.beat <= beat) PlayBeat(demo, show.beat++, t);
  // The per-frame drivers.
  if (demo == 3 && Loaded(chime)) SHOW(muSound::Echo)(chime, 300, 4, 6);
  if (demo == 4 && Loaded(chime)) SHOW(muSound::EchoPan)(chime, 180, 8, 3, 4);
  if (demo == 5 && Loaded(engine) && beat < 4) {
    SHOW(muSound::AddFrequency)(engine, 1, 0);
    ++show.frequency;
  }

  // Cards of the six demonstrations, the running one lit, with its progress.
  for (int i = 0; i < kDemos; ++i) {
    const int x = 16 + 102 * i;
    muDraw::Box(x, 52, x + 96, 92, i == demo ? 0x705030 : 0x302018, i == demo ? 0x60E0FF : 0x806040,
                1);
  }
  const float part = (t - kDemoSeconds * std::floor(t / kDemoSeconds)) / kDemoSeconds;
  muDraw::FillBox(16 + 102 * demo, 88, 16 + 102 * demo + static_cast<int>(96 * part), 92,
                  PixelOf(0x60E0FF));

  // The stereo field: rings where sounds were placed, spreading and fading.
  muDraw::FillBox(20, 236, 620, 238, PixelOf(0x806040));
  for (const Ring& r : rings) {
    if (r.born < 0 || t - r.born > 1.2f || t < r.born) continue;
    const int size = 6 + static_cast<int>((t - r.born) * 90);
    Outline(r.x - size, 237 - size / 2, r.x + size, 237 + size / 2, r.colour);
  }
  muDraw::FillBox(320 + show.pan * 3 - 2, 226, 320 + show.pan * 3 + 2, 248, PixelOf(0xFFFFFF));

  muDraw::SetFont(1, 13, 0, 0, 0, 0);
  for (int i = 0; i < kDemos; ++i) {
    muDraw::SetTextColor(i == demo ? 0xFFFFFF : 0xB0A090, 0, 1);
    muDraw::TextBox(16 + 102 * i, 64, 112 + 102 * i, 92, kDemoNames[i], 1);
  }
  muDraw::ReleaseFont();
  Caption(20, 214, "左");
  Caption(604, 214, "右");
  CaptionF(20, 268, 0xFFFFFF, "パン %d dB    音量 %d dB    周波数 %+d Hz", show.pan,
           show.volume, show.frequency * 100);
  if (Loaded(chime)) {
    CaptionF(20, 288, 0x60E0FF, "GetPlayPosition(chime) = %lu バイト",
             static_cast<unsigned long>(SHOW(muSound::GetPlayPosition)(chime)));
  } else {
    Caption(20, 288, "音の装置がないため、音は鳴りません", 0x60E0FF);
  }
}

// ---- Streamed music ------------------------------------------------------------
// The tune of the sound pack (made at build time by muSound::MakePack) streams
// from disk through a four-second buffer refilled two seconds at a time; after
// its end it goes on from four seconds in. F plays the fanfare of the same
// pack, Space pauses and resumes the music.

constexpr DWORD kLoopOffset = 4 * 44100;   // four seconds of 22050 Hz 16-bit mono
constexpr DWORD kStreamBuffer = 4 * 44100;
Named<int> music, fanfare;
int keySpace, keyF;

void StreamOpen() {
  SHOW(muSound::SetPack)("showcase\\sounds.pak");
  music = Label(SHOW(muSound::LoadStream)("music.wav", kLoopOffset), "music");
  fanfare = Label(SHOW(muSound::LoadPack)("fanfare.wav", 2), "fanfare");
  if (Loaded(music)) SHOW(muSound::PlayLoop)(music, muSound::kAllBuffers);
  keySpace = keyF = 0;
}

void StreamClose() {
  for (const Named<int>* s : {&music, &fanfare}) {
    if (Loaded(*s)) {
      muSound::Stop(*s, muSound::kAllBuffers);
      muSound::FreeObject(*s);
    }
  }
}

void StreamFrame(float t) {
  SHOW(muSound::Streaming)();
  muSystem::UpdateKeyState(VK_SPACE, &keySpace);
  muSystem::UpdateKeyState('F', &keyF);
  {
    EventCalls events;
    if (keySpace == 1 && Loaded(music)) SHOW(muSound::TogglePause)(music, muSound::kAllBuffers);
    if (keyF == 1 && Loaded(fanfare)) SHOW(muSound::Play)(fanfare, muSound::kAllBuffers);
  }
  // The buffer: where the play cursor stands in its four seconds, with the
  // two halves the refills take turns on.
  const DWORD cursor = Loaded(music) ? SHOW(muSound::GetPlayPosition)(music) : 0;
  const int x = 40 + static_cast<int>(560.0 * (cursor % kStreamBuffer) / kStreamBuffer);
  muDraw::Box(40, 120, 320, 160, 0x503018, 0xC09060, 1);
  muDraw::Box(320, 120, 600, 160, 0x304818, 0x90C060, 1);
  muDraw::FillBox(x - 1, 112, x + 2, 168, PixelOf(0xFFFFFF));
  // A level meter that swings with the beat of the tune (120 a minute).
  for (int i = 0; i < 16; ++i) {
    const int h = static_cast<int>(30 * (1 + Swing(t * 2 + i * 0.13f, 1 + 0.1f * (i % 5))));
    muDraw::FillBox(40 + 35 * i, 300 - h, 40 + 35 * i + 28, 300, PixelOf(RGB(80 + 10 * i, 200, 120)));
  }
  Caption(40, 60, "sounds.pak の music.wav をストリーミング再生 (LoadStream)", 0xFFFFFF);
  Caption(40, 80, "Space: 一時停止と再開    F: ファンファーレ (LoadPack)", 0x60E0FF);
  Caption(40, 168, "4 秒のバッファ: 2 秒ずつ交互に詰め替える", 0xB0A090);
  if (Loaded(music)) {
    CaptionF(40, 186, 0xFFFFFF, "再生位置 %lu バイト", static_cast<unsigned long>(cursor));
  } else {
    Caption(40, 186, "音の装置がないため、音は鳴りません", 0x60E0FF);
  }
}

// ---- MIDI ----------------------------------------------------------------------
// The MIDI piece plays while the page is shown; P plays it again, E lets the
// current pass be the last, S stops it.

int keyP, keyE, keyS;
float turn;   // of the record, degrees

void MidiOpen() {
  SHOW(muSound::PlayMidi)("showcase\\tune.mid", 1);
  keyP = keyE = keyS = 0;
}

void MidiClose() { muSound::StopMidi(); }

void MidiFrame(float t) {
  muSystem::UpdateKeyState('P', &keyP);
  muSystem::UpdateKeyState('E', &keyE);
  muSystem::UpdateKeyState('S', &keyS);
  {
    EventCalls events;
    if (keyP == 1) SHOW(muSound::PlayMidi)("showcase\\tune.mid", 1);
    if (keyE == 1) SHOW(muSound::EndMidiLoop)();
    if (keyS == 1) SHOW(muSound::StopMidi)();
  }

  // A record turning while the piece is open.
  if (muSound::midiOpen) turn += muSystem::frameSeconds * 200;
  const int cx = 140, cy = 196;
  for (int r = 100; r >= 20; r -= 20) {
    muDraw::Box(cx - r, cy - r, cx + r, cy + r, r == 20 ? 0x3030C0 : 0x202020, 0x505050, 1);
  }
  for (int i = 0; i < 3; ++i) {
    const float a = (turn + 120.0f * i) * 3.14159265f / 180;
    muDraw::Line(cx + static_cast<int>(24 * std::cos(a)), cy + static_cast<int>(24 * std::sin(a)),
                 cx + static_cast<int>(96 * std::cos(a)), cy + static_cast<int>(96 * std::sin(a)),
                 0x909090, 1);
  }
  Caption(280, 72, "MIDI の曲 (MCI のシーケンサ)", 0xFFFFFF);
  CaptionF(280, 96, 0x60E0FF, "midiOpen %d   midiFinished %d   midiLoop %d", muSound::midiOpen,
           muSound::midiFinished, muSound::midiLoop);
  Caption(280, 128, "P: もう一度 (PlayMidi)", 0xFFFFFF);
  Caption(280, 146, "E: この回で終わる (EndMidiLoop)", 0xFFFFFF);
  Caption(280, 164, "S: 止める (StopMidi)", 0xFFFFFF);
  CaptionF(280, 196, 0xB0A090, "%.1f 秒", t);
}

}  // namespace

extern const Page kEffectsPage = {
    "effects", "sound", "効果音", "パン・周波数・音量・エコー、ループと一時停止", EffectsOpen, EffectsFrame,
    EffectsClose, true, true};
extern const Page kStreamPage = {
    "stream", "sound", "ストリーミング再生", "サウンドパックの曲をディスクから流す", StreamOpen,
    StreamFrame, StreamClose, true, false};
extern const Page kMidiPage = {
    "midi", "sound", "MIDI の曲", "MCI のシーケンサで流す", MidiOpen, MidiFrame, MidiClose, true,
    false};

}  // namespace showcase
