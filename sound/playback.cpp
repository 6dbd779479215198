// Playing the sound objects: play once or looping, stop, pause and resume,
// volume, pan and frequency per buffer with their clamps, and the two
// per-frame echo drivers. A slot that is not loaded, a buffer beyond the mix
// count or a buffer that was never made is never touched.
#include <cstdlib>

#include "sound/sound_table.h"

namespace muSound {

namespace {

constexpr LONG kVolumeMin = DSBVOLUME_MIN;  // -10000: silence
constexpr LONG kVolumeMax = DSBVOLUME_MAX;  // 0: full
constexpr LONG kPanLeft = DSBPAN_LEFT;      // -10000
constexpr LONG kPanRight = DSBPAN_RIGHT;    // 10000
constexpr LONG kFrequencyMin = 100;
constexpr LONG kFrequencyMax = 100000;
constexpr float kEchoPanLimit = 30.0f;  // dB either side

LONG Clamp(long long value, LONG low, LONG high) {
  return static_cast<LONG>(value < low ? low : value > high ? high : value);
}

// The buffer i of a row when it exists.
LPDIRECTSOUNDBUFFER BufferOf(SoundObject& row, int i) {
  return i >= 0 && i < row.mixCount ? row.buffer[i] : nullptr;
}

// Runs apply(i) for each buffer a value operation addresses: the selected
// one, the rotation buffer for kRotationBuffer, or every buffer.
template <typename Apply>
void ForValueBuffers(SoundObject& row, int selector, Apply apply) {
  if (selector >= 0) {
    if (BufferOf(row, selector)) apply(selector);
  } else if (selector == kRotationBuffer) {
    if (BufferOf(row, row.rotationIndex)) apply(row.rotationIndex);
  } else {
    for (int i = 0; i < row.mixCount; ++i) {
      if (row.buffer[i]) apply(i);
    }
  }
}

// A value operation on a loaded slot: apply(row, i) for each addressed buffer.
template <typename Apply>
int ForValues(int slot, int selector, Apply apply) {
  SoundObject* row = LoadedRow(slot);
  if (row) ForValueBuffers(*row, selector, [row, &apply](int i) { apply(*row, i); });
  return slot;
}

// Stop and pause address one buffer, or all of them for any negative selector.
template <typename Apply>
void ForControlBuffers(SoundObject& row, int selector, Apply apply) {
  if (selector >= 0) {
    if (BufferOf(row, selector)) apply(selector);
  } else {
    for (int i = 0; i < row.mixCount; ++i) {
      if (row.buffer[i]) apply(i);
    }
  }
}

// A stream's buffer always loops; the looping flag decides only whether its
// data does.
DWORD PlayFlags(const SoundObject& row, int looping) {
  return looping || row.stream.dataSize ? DSBPLAY_LOOPING : 0;
}

// Starts one buffer from its beginning. Every play goes through here. A
// stream starts again from its first chunk, and not at all when that cannot
// be read (its buffer would repeat whatever it last held).
void StartBuffer(SoundObject& row, int i, int looping) {
  LPDIRECTSOUNDBUFFER buffer = BufferOf(row, i);
  if (!buffer) return;
  buffer->Stop();
  if (row.stream.dataSize && !ResetStream(static_cast<int>(&row - soundTable))) return;
  buffer->SetCurrentPosition(0);
  buffer->Play(0, 0, PlayFlags(row, looping));
}

void SetVolumeOf(SoundObject& row, int i, long long value) {
  row.volume[i] = Clamp(value, kVolumeMin, kVolumeMax);
  row.buffer[i]->SetVolume(row.volume[i]);
}

void SetPanOf(SoundObject& row, int i, long long value) {
  row.pan[i] = Clamp(value, kPanLeft, kPanRight);
  row.buffer[i]->SetPan(row.pan[i]);
}

void SetFrequencyOf(SoundObject& row, int i, long long value) {
  row.frequency[i] = Clamp(value, kFrequencyMin, kFrequencyMax);
  row.buffer[i]->SetFrequency(static_cast<DWORD>(row.frequency[i]));
}

// Play and PlayLoop: one buffer, or the rotation buffer (starting the echo
// first for kRotationBuffer when the sound has one).
int PlayWith(int slot, int selector, int looping) {
  SoundObject* row = LoadedRow(slot);
  if (!row) return slot;
  if (selector >= 0) {
    StartBuffer(*row, selector, looping);
  } else {
    if (row->echoState != -1 && selector == kRotationBuffer) {
      ResetFrequency(slot, kAllBuffers);
      CenterPan(slot, kAllBuffers);
      ResetVolume(slot, kAllBuffers);
      row->echoState = 1;
      row->echoElapsed = 0.0f;
      row->echoLooping = looping;
      row->echoPanPosition =
          BufferOf(*row, row->rotationIndex) ? row->pan[row->rotationIndex] / 100.0f : 0.0f;
      row->echoDirection = (std::rand() % 2) * 2 - 1;
    }
    StartBuffer(*row, row->rotationIndex, looping);
    row->rotationIndex += 1;
    if (row->rotationIndex >= row->mixCount) row->rotationIndex = 0;
  }
  row->looping = looping;
  return slot;
}

// The common echo step; with wander the echo pan moves first (EchoPan).
int EchoStep(int slot, int interval, int repeats, int decay, bool wander, int panSpeed) {
  SoundObject* row = LoadedRow(slot);
  if (!row || row->echoState < 1 || repeats < 1) return slot;
  row->echoElapsed += muSystem::frameSeconds * 1000.0f;
  if (row->echoElapsed < static_cast<float>(interval)) return slot;
  row->echoElapsed = 0.0f;
  if (wander) {
    row->echoPanPosition += row->echoDirection * muSystem::frameSeconds * 100.0f * panSpeed;
    if (row->echoPanPosition < -kEchoPanLimit) {
      row->echoPanPosition = -kEchoPanLimit;
      row->echoDirection = -row->echoDirection;
    }
    if (row->echoPanPosition > kEchoPanLimit) {
      row->echoPanPosition = kEchoPanLimit;
      row->echoDirection = -row->echoDirection;
    }
    SetPan(slot, static_cast<int>(row->echoPanPosition), kRotationBuffer);
  }
  SetVolume(slot, static_cast<int>(-static_cast<long long>(row->echoState) * decay),
            kRotationBuffer);
  if (row->echoLooping) {
    PlayLoop(slot, -3);
  } else {
    Play(slot, -3);
  }
  row->echoState += 1;
  if (row->echoState > repeats) row->echoState = 0;
  return slot;
}

}  // namespace

int Play(int slot, int selector) { return PlayWith(slot, selector, 0); }

int PlayLoop(int slot, int selector) { return PlayWith(slot, selector, 1); }

int Stop(int slot, int selector) {
  SoundObject* row = LoadedRow(slot);
  if (!row) return slot;
  if (selector < 0 && row->echoState != -1) row->echoState = 0;
  ForControlBuffers(*row, selector, [row](int i) {
    row->buffer[i]->Stop();
    row->buffer[i]->SetCurrentPosition(0);
  });
  return slot;
}

int TogglePause(int slot, int selector) {
  SoundObject* row = LoadedRow(slot);
  if (!row) return slot;
  ForControlBuffers(*row, selector, [row](int i) {
    LPDIRECTSOUNDBUFFER buffer = row->buffer[i];
    DWORD status = 0;
    buffer->GetStatus(&status);
    if (status & DSBSTATUS_PLAYING) {
      buffer->GetCurrentPosition(&row->pausedPosition[i], nullptr);
      buffer->Stop();
    } else {
      buffer->SetCurrentPosition(row->pausedPosition[i]);
      buffer->Play(0, 0, PlayFlags(*row, row->looping));
    }
  });
  return slot;
}

int AddVolume(int slot, int decibels, int selector) {
  return ForValues(slot, selector, [decibels](SoundObject& row, int i) {
    SetVolumeOf(row, i, row.volume[i] + 100LL * decibels);
  });
}

int SetVolume(int slot, int decibels, int selector) {
  return ForValues(slot, selector,
                   [decibels](SoundObject& row, int i) { SetVolumeOf(row, i, 100LL * decibels); });
}

int ResetVolume(int slot, int selector) { return SetVolume(slot, 0, selector); }

int AddPan(int slot, int decibels, int selector) {
  return ForValues(slot, selector, [decibels](SoundObject& row, int i) {
    SetPanOf(row, i, row.pan[i] + 100LL * decibels);
  });
}

int SetPan(int slot, int decibels, int selector) {
  return ForValues(slot, selector,
                   [decibels](SoundObject& row, int i) { SetPanOf(row, i, 100LL * decibels); });
}

int CenterPan(int slot, int selector) { return SetPan(slot, 0, selector); }

int PanLeft(int slot, int selector) {
  return ForValues(slot, selector, [](SoundObject& row, int i) { SetPanOf(row, i, kPanLeft); });
}

int PanRight(int slot, int selector) {
  return ForValues(slot, selector, [](SoundObject& row, int i) { SetPanOf(row, i, kPanRight); });
}

int AddFrequency(int slot, int steps, int selector) {
  return ForValues(slot, selector, [steps](SoundObject& row, int i) {
    SetFrequencyOf(row, i, row.frequency[i] + 100LL * steps);
  });
}

int SetFrequency(int slot, int steps, int selector) {
  return ForValues(slot, selector, [steps](SoundObject& row, int i) {
    SetFrequencyOf(row, i, row.baseFrequency + 100LL * steps);
  });
}

int ResetFrequency(int slot, int selector) { return SetFrequency(slot, 0, selector); }

int Echo(int slot, int interval, int repeats, int decay) {
  return EchoStep(slot, interval, repeats, decay, false, 0);
}

int EchoPan(int slot, int interval, int repeats, int decay, int panSpeed) {
  return EchoStep(slot, interval, repeats, decay, true, panSpeed);
}

}  // namespace muSound
