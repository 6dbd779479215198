// The sound module's shared state: the DirectSound device, its primary buffer
// and the 70-row sound table, with the helpers the loaders and the playback
// operations share. Internal to the sound module (and its tests).
#ifndef MU_SOUND_SOUND_TABLE_H
#define MU_SOUND_SOUND_TABLE_H

#include <mu.h>
#include <dsound.h>

namespace muSound {

constexpr int kPackPathSize = 259;

// State of a streamed sound; a non-zero data size marks a streamed row.
struct StreamRecord {
  DWORD dataStart, loopPoint, readPosition, dataSize, dataPosition;
  DWORD newestChunk, writePosition, chunkSize, bufferSize;
  LONG wrapMark;
  DWORD lastCursor;
  BYTE endCountdown;
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

// Makes the row's buffers from a format and its samples (the loaders' common
// step): creates and fills `mixCount` buffers, then applies the stored volume,
// frequency and pan while restoring, or takes the loaded frequency as the base
// otherwise. Returns DS_OK, or the failing creation's result with no buffer left.
HRESULT FillRowBuffers(SoundObject& row, const WAVEFORMATEX* format, const BYTE* samples,
                       DWORD sampleBytes);

// Reloads every row in use into its own slot with its stored settings, with
// restoringSounds 1 meanwhile and soundSlot as the loop variable, so that the
// loader fills the current row. Restore and a change of the playback format
// both end with it, after all secondary buffers were released.
void ReloadAllRows();

}  // namespace muSound

#endif
