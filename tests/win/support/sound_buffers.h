// What the sound tests read of the sound table: a slot's row, and what
// DirectSound says of its buffers. And the run's mode: ctest runs each sound
// test program with Wine's output recorded (MU_SOUND_MODE=record) and with no
// sound device at all (MU_SOUND_MODE=none).
#ifndef MU_TEST_SOUND_BUFFERS_H
#define MU_TEST_SOUND_BUFFERS_H

#include <gtest/gtest.h>
#include <mu.h>

#include <cstdlib>
#include <string>

#include "sound/sound_table.h"

inline std::string SoundMode() {
  const char* mode = std::getenv("MU_SOUND_MODE");
  return mode ? mode : "";
}

// Opens a test that needs the recorded device: each program's StartSound()
// starts the shell and the sound module once and writes its media.
#define NEED_DEVICE()                                                            \
  StartSound();                                                                  \
  if (SoundMode() != "record") GTEST_SKIP() << "runs with MU_SOUND_MODE=record"; \
  ASSERT_EQ(1, muSound::soundEnabled)

inline const muSound::SoundObject& Row(int slot) { return muSound::soundTable[slot]; }

inline LONG RealVolume(int slot, int i = 0) {
  LONG value = 1;
  Row(slot).buffer[i]->GetVolume(&value);
  return value;
}
inline LONG RealPan(int slot, int i = 0) {
  LONG value = 1;
  Row(slot).buffer[i]->GetPan(&value);
  return value;
}
inline DWORD RealFrequency(int slot, int i = 0) {
  DWORD value = 1;
  Row(slot).buffer[i]->GetFrequency(&value);
  return value;
}
inline DWORD Status(int slot, int i = 0) {
  DWORD status = 0;
  Row(slot).buffer[i]->GetStatus(&status);
  return status;
}
inline bool Playing(int slot, int i = 0) { return (Status(slot, i) & DSBSTATUS_PLAYING) != 0; }
inline DWORD BufferBytes(int slot, int i = 0) {
  DSBCAPS caps = {sizeof caps};
  Row(slot).buffer[i]->GetCaps(&caps);
  return caps.dwBufferBytes;
}

#endif
