// The sound module's shared state: the DirectSound device, its primary buffer
// and the 70-row sound table, with the helpers the loaders and the playback
// operations share. Internal to the sound module (and its tests).
#ifndef MU_SOUND_SOUND_TABLE_H
#define MU_SOUND_SOUND_TABLE_H

#include <mu.h>
#include <dsound.h>

#include "sound/stream_refill.h"
#include "sound/wave_format.h"

namespace muSound {

constexpr int kPackPathSize = 259;

// State of a streamed sound (a non-zero dataSize marks a streamed row), and
// the full path of the pack any row from a pack was loaded from.
struct StreamRecord : mu::StreamState {
  char packPath[kPackPathSize];
};

struct SoundObject {
  int inUse;
  int mixCount;       // 0..kMixMax buffers
  int echoState;      // -1 not available, 0 idle, n >= 1: the next echo's number
  int rotationIndex;  // buffer of the next rotating play
  int baseFrequency;  // Hz, as loaded
  char name[kSoundNameMax + 1];
  int fromPack;
  StreamRecord stream;
  int looping;            // the last play was a looping one
  float echoElapsed;      // ms since the last echo
  float echoPanPosition;  // dB, -30..30
  int echoDirection;      // -1 or +1
  int echoLooping;        // echoes play looping
  LPDIRECTSOUNDBUFFER buffer[kMixMax];
  LONG volume[kMixMax];     // hundredths of a dB, -10000..0
  LONG frequency[kMixMax];  // Hz, 100..100000 (0: as loaded)
  LONG pan[kMixMax];        // hundredths of a dB, -10000..10000
  DWORD pausedPosition[kMixMax];
};

extern LPDIRECTSOUND soundDevice;
extern LPDIRECTSOUNDBUFFER primaryBuffer;
extern SoundObject soundTable[kSoundSlots];

// The row of a slot that operations may touch: sound on, slot in range, row in use.
SoundObject* LoadedRow(int slot);

// Stops and releases every buffer of the row (pointers become null).
void ReleaseRowBuffers(SoundObject& row);

// Reads a WAVE file into two GlobalAlloc blocks (format, samples) the caller
// frees with GlobalFree; 0 on success, non-zero (and no blocks) on failure.
int ReadWaveFile(const char* path, WAVEFORMATEX** format, DWORD* formatBytes, BYTE** samples,
                 DWORD* sampleBytes);

// The loaders' first steps: nothing without a device (-1, no message); an
// absolute mix count above kMixMax is reported; then the slot to fill is
// picked, the lowest free row or while restoring the current one (soundSlot),
// or the full table is reported. Returns the slot (also in soundSlot) or -1.
int BeginLoad(const char* where, int mixCount);

// Drops the row's old buffers and sets its mix count (the absolute value), its
// echo state (available above 1) and, unless restoring, its rotation index.
void PrepareRow(SoundObject& row, int mixCount);

// Makes the row's `mixCount` buffers as described, copying `sampleBytes` of
// samples into each (none when `samples` is null), then applies the stored
// volume, frequency and pan while restoring, or takes the loaded frequency as
// the base otherwise. Returns DS_OK, or the failing creation's result with no
// buffer left.
HRESULT MakeRowBuffers(SoundObject& row, const DSBUFFERDESC& description, const BYTE* samples,
                       DWORD sampleBytes);

// MakeRowBuffers with static buffers holding exactly the samples.
HRESULT FillRowBuffers(SoundObject& row, const WAVEFORMATEX* format, const BYTE* samples,
                       DWORD sampleBytes);

// A load that failed after PrepareRow: a new row is freed again, a restored
// row keeps its settings without buffers. Reports; returns -1.
int FailLoad(SoundObject& row, const char* where, const char* message, long code);

// The loaders' last step: marks the row in use. While restoring returns the
// slot; otherwise stores the name and returns the slot, or for a name of more
// than kSoundNameMax characters frees the row again and reports `tooLong`.
int FinishLoad(SoundObject& row, const char* name, const char* where, const char* tooLong);

// Rewinds a stream and writes its first chunk, read from its pack, at the
// start of its buffer. False when the pack no longer holds the chunk.
bool WriteFirstChunk(SoundObject& row, const mu::ByteSource& pack);

// Reloads a row that came from a pack from its own pack: a stream at its
// start, a whole sound with its mix count.
void ReloadPackedRow(SoundObject& row);

// Reloads every row in use into its own slot with its stored settings, with
// restoringSounds 1 meanwhile and soundSlot as the loop variable, so that the
// loader fills the current row (a row from a pack from its own pack). Restore
// and a change of the playback format both end with it, after all secondary
// buffers were released.
void ReloadAllRows();

}  // namespace muSound

#endif
