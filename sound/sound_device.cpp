// The DirectSound device, its primary buffer and the sound table: start-up,
// release and full restore, loading sound objects from WAVE files and WAVE
// resources, freeing them, the play-position query and the system player.
#include "sound/sound_table.h"

#include <cstring>

#include "app/error_texts.h"
#include "app/paths.h"
#include "sound/wave_format.h"

namespace muSound {

int soundEnabled;
int restoringSounds;
int soundSlot;
DWORD playPosition;
LPDIRECTSOUND soundDevice;
LPDIRECTSOUNDBUFFER primaryBuffer;
SoundObject soundTable[kSoundSlots];

namespace {

constexpr char kLoadWhere[] = "muSound::LoadObject";
constexpr DWORD kBufferFlags =
    DSBCAPS_STATIC | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;  // 0xE2
constexpr char kWaveResourceType[] = "WAVE";

void ResetRow(SoundObject& row) {
  ReleaseRowBuffers(row);
  row = SoundObject{};
  row.mixCount = 1;
  row.echoState = -1;
}

int FreeSlot() {
  for (int slot = 0; slot < kSoundSlots; ++slot) {
    if (!soundTable[slot].inUse) return slot;
  }
  return -1;
}

// Copies `count` bytes into the two parts a Lock hands out, as far as they reach.
void CopyIntoParts(const BYTE* from, DWORD count, void* part1, DWORD bytes1, void* part2,
                   DWORD bytes2) {
  DWORD first = count < bytes1 ? count : bytes1;
  if (part1 && first) std::memcpy(part1, from, first);
  DWORD rest = count - first;
  if (rest > bytes2) rest = bytes2;
  if (part2 && rest) std::memcpy(part2, from + first, rest);
}

// A sound taken from a resource of the executable: type "WAVE", then RT_RCDATA.
bool FindWaveResource(const char* name, mu::ResourceWave* wave) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, name, kWaveResourceType);
  if (!found) found = FindResourceA(module, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (!found) return false;
  HGLOBAL loaded = LoadResource(module, found);
  const BYTE* data = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
  return mu::ReadResourceWave(data, SizeofResource(module, found), wave);
}

}  // namespace

SoundObject* LoadedRow(int slot) {
  if (!soundEnabled || slot < 0 || slot >= kSoundSlots || !soundTable[slot].inUse) return nullptr;
  return &soundTable[slot];
}

void ReleaseRowBuffers(SoundObject& row) {
  for (LPDIRECTSOUNDBUFFER& buffer : row.buffer) {
    if (!buffer) continue;
    buffer->Stop();
    buffer->Release();
    buffer = nullptr;
  }
}

int Init() {
  Release();  // a second start must not leak the first device
  soundDevice = nullptr;
  primaryBuffer = nullptr;
  if (FAILED(DirectSoundCreate(nullptr, &soundDevice, nullptr)) || !soundDevice) {
    soundDevice = nullptr;
    soundEnabled = 0;
    return 0;
  }
  if (FAILED(soundDevice->SetCooperativeLevel(muSystem::mainWindow, DSSCL_PRIORITY))) {
    soundDevice->SetCooperativeLevel(muSystem::mainWindow, DSSCL_NORMAL);
  }
  DSBUFFERDESC description = {};
  description.dwSize = sizeof description;
  description.dwFlags = DSBCAPS_PRIMARYBUFFER;
  if (FAILED(soundDevice->CreateSoundBuffer(&description, &primaryBuffer, nullptr))) {
    primaryBuffer = nullptr;
  }
  for (SoundObject& row : soundTable) {
    for (LPDIRECTSOUNDBUFFER& buffer : row.buffer) buffer = nullptr;
  }
  restoringSounds = 0;
  soundEnabled = 1;
  return 1;
}

void ResetObjects() {
  for (SoundObject& row : soundTable) ResetRow(row);
}

void Release() {
  // The buffers first, then the primary buffer and the device. The table's
  // settings stay, so that Restore can rebuild every row.
  for (SoundObject& row : soundTable) ReleaseRowBuffers(row);
  if (primaryBuffer) {
    primaryBuffer->Release();
    primaryBuffer = nullptr;
  }
  if (soundDevice) {
    soundDevice->Release();
    soundDevice = nullptr;
  }
}

void ReloadAllRows() {
  restoringSounds = 1;
  for (soundSlot = 0; soundSlot < kSoundSlots; ++soundSlot) {
    SoundObject& row = soundTable[soundSlot];
    // The stored mix count is never negative: a sound loaded with -n (n >= 2)
    // comes back with its echo available.
    if (!row.inUse) continue;
    if (row.fromPack) {
      ReloadPackedRow(row);
    } else {
      LoadObject(row.name, row.mixCount);
    }
  }
  restoringSounds = 0;
}

void Restore() {
  if (!soundEnabled) return;
  Init();  // releases whatever is left of the old device first
  ReloadAllRows();
}

HRESULT FillRowBuffers(SoundObject& row, const WAVEFORMATEX* format, const BYTE* samples,
                       DWORD sampleBytes) {
  DSBUFFERDESC description = {};
  description.dwSize = sizeof description;
  description.dwFlags = kBufferFlags;
  description.dwBufferBytes = sampleBytes;
  description.lpwfxFormat = const_cast<WAVEFORMATEX*>(format);
  return MakeRowBuffers(row, description, samples, sampleBytes);
}

HRESULT MakeRowBuffers(SoundObject& row, const DSBUFFERDESC& description, const BYTE* samples,
                       DWORD sampleBytes) {
  for (int i = 0; i < row.mixCount; ++i) {
    HRESULT result = soundDevice->CreateSoundBuffer(&description, &row.buffer[i], nullptr);
    if (FAILED(result) || !row.buffer[i]) {
      row.buffer[i] = nullptr;
      ReleaseRowBuffers(row);
      return FAILED(result) ? result : DSERR_GENERIC;
    }
    LPDIRECTSOUNDBUFFER buffer = row.buffer[i];
    void *part1 = nullptr, *part2 = nullptr;
    DWORD bytes1 = 0, bytes2 = 0;
    if (samples && SUCCEEDED(buffer->Lock(0, sampleBytes, &part1, &bytes1, &part2, &bytes2, 0))) {
      CopyIntoParts(samples, sampleBytes, part1, bytes1, part2, bytes2);
      buffer->Unlock(part1, bytes1, part2, bytes2);
    }
    if (restoringSounds) {
      buffer->SetVolume(row.volume[i]);
      buffer->SetFrequency(row.frequency[i]);
      buffer->SetPan(row.pan[i]);
    } else {
      DWORD frequency = 0;
      buffer->GetFrequency(&frequency);
      row.frequency[i] = static_cast<LONG>(frequency);
      row.baseFrequency = static_cast<int>(frequency);
      row.volume[i] = 0;
      row.pan[i] = 0;
    }
  }
  return DS_OK;
}

int BeginLoad(const char* where, int mixCount) {
  // After Release (the shut-down, or a system sound in progress) there is no
  // device to make buffers with, although the table is kept: nothing loads.
  if (!soundEnabled || !soundDevice) return -1;
  long long count = mixCount < 0 ? -static_cast<long long>(mixCount) : mixCount;
  if (count > kMixMax) {
    muSystem::Error(where, "ミックス数が多過ぎます", 0);
    return -1;
  }
  if (restoringSounds) return soundSlot >= 0 && soundSlot < kSoundSlots ? soundSlot : -1;
  soundSlot = FreeSlot();
  if (soundSlot < 0) muSystem::Error(where, mu::kTooManyObjectsText, 0);
  return soundSlot;
}

void PrepareRow(SoundObject& row, int mixCount) {
  ReleaseRowBuffers(row);
  row.mixCount = mixCount < 0 ? -mixCount : mixCount;
  row.echoState = mixCount > 1 ? 0 : -1;
  if (!restoringSounds) row.rotationIndex = 0;
}

int FailLoad(SoundObject& row, const char* where, const char* message, long code) {
  if (restoringSounds) {
    ReleaseRowBuffers(row);
  } else {
    ResetRow(row);
  }
  muSystem::Error(where, message, code);
  return -1;
}

int FinishLoad(SoundObject& row, const char* name, const char* where, const char* tooLong) {
  row.inUse = 1;
  if (restoringSounds) return soundSlot;
  if (std::strlen(name) > static_cast<size_t>(kSoundNameMax)) {
    ResetRow(row);  // no caller could name this row: it is freed again
    muSystem::Error(where, tooLong, 0);
    return -1;
  }
  std::memcpy(row.name, name, std::strlen(name) + 1);
  return soundSlot;
}

int LoadObject(const char* name, int mixCount) {
  if (!name) name = "";
  if (BeginLoad(kLoadWhere, mixCount) < 0) return -1;
  SoundObject& row = soundTable[soundSlot];

  // The file beside the executable first, then a resource of that name.
  WAVEFORMATEX* fileFormat = nullptr;
  BYTE* fileSamples = nullptr;
  DWORD formatBytes = 0, sampleBytes = 0;
  const WAVEFORMATEX* format = nullptr;
  const BYTE* samples = nullptr;
  WAVEFORMATEX resourceFormat = {};
  char path[muSystem::kTextBufferSize];
  if (mu::JoinPath(path, sizeof path, muSystem::GetExeDir(0), name) &&
      ReadWaveFile(path, &fileFormat, &formatBytes, &fileSamples, &sampleBytes) == 0) {
    format = fileFormat;
    samples = fileSamples;
  } else {
    mu::ResourceWave wave;
    if (!FindWaveResource(name, &wave)) {
      muSystem::Error(kLoadWhere, "WAVEリソースが見つかりません", 0);
      return -1;
    }
    // Only the 16 stored bytes are taken; in the 44-byte layout the two bytes
    // after them belong to the "data" header, not to a cbSize.
    std::memcpy(&resourceFormat, wave.pcmFormat, mu::kPcmFormatBytes);
    resourceFormat.cbSize = 0;
    format = &resourceFormat;
    samples = wave.samples;
    sampleBytes = wave.sampleBytes;
  }

  PrepareRow(row, mixCount);
  HRESULT result = FillRowBuffers(row, format, samples, sampleBytes);
  if (fileFormat) GlobalFree(fileFormat);
  if (fileSamples) GlobalFree(fileSamples);
  if (FAILED(result)) return FailLoad(row, kLoadWhere, mu::kNoSoundBufferText, result);
  row.fromPack = 0;
  row.stream.dataSize = 0;
  return FinishLoad(row, name, kLoadWhere, mu::kNameTooLongText);
}

int FreeObject(int slot) {
  SoundObject* row = LoadedRow(slot);
  if (row) ResetRow(*row);
  return slot;
}

DWORD GetPlayPosition(int slot) {
  SoundObject* row = LoadedRow(slot);
  if (!row || row->mixCount < 1 || !row->buffer[0]) return 0;
  DWORD cursor = 0;
  if (SUCCEEDED(row->buffer[0]->GetCurrentPosition(&cursor, nullptr))) playPosition = cursor;
  return playPosition;
}

void PlaySystemSound(const char* sound) {
  if (!soundEnabled) return;
  Release();
  sndPlaySoundA(sound, SND_SYNC);
  Restore();
}

}  // namespace muSound
