// Sound packs: naming the current pack, loading a sound object or a stream
// from one of its entries, building packs from WAVE files, and bringing a row
// from a pack back from its own pack when the table is reloaded. The pack
// format itself is sound_pack's; this file opens the files and makes buffers.
#include <cstring>

#include "app/error_texts.h"
#include "app/pack_files.h"
#include "app/paths.h"
#include "sound/sound_pack.h"
#include "sound/sound_table.h"

namespace muSound {

char currentPack[muSystem::kTextBufferSize];

namespace {

constexpr char kPackWhere[] = "muSound::LoadPack";
constexpr char kStreamWhere[] = "muSound::LoadStream";
constexpr char kNoEntry[] = "WAVEファイルを読み込めません";
constexpr char kNameTooLong[] = "ファイル名が長すぎます";
constexpr char kWaveFiles[] = "*.WAV";
// A stream's buffer: its own play cursor, heard while the window is inactive.
constexpr DWORD kStreamFlags = DSBCAPS_GETCURRENTPOSITION2 | DSBCAPS_GLOBALFOCUS |
                               DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLPAN | DSBCAPS_CTRLFREQUENCY |
                               DSBCAPS_STATIC;  // 0x180E2

int Refuse(const char* where, const char* message) {
  muSystem::Error(where, message, 0);
  return -1;
}

// Copies a zero-terminated text into a buffer of `size` bytes, cut to fit.
void CopyText(char* out, size_t size, const char* text) {
  size_t length = std::strlen(text);
  if (length >= size) length = size - 1;
  std::memcpy(out, text, length);
  out[length] = '\0';
}

// An entry of a pack with its format block (a GlobalAlloc block of at least a
// whole WAVEFORMATEX, which the caller frees).
struct PackSound {
  mu::PackEntry entry;
  mu::SoundFormat format;
  WAVEFORMATEX* block;
};

// Finds the entry `name` (compared in upper case, as entries are stored) in
// the open pack and reads its format block. False, after reporting under
// `where`, when the pack is not open or has no usable entry of that name.
bool FindPackSound(const char* where, const char* name, const mu::PackFile& pack,
                   PackSound* sound) {
  sound->block = nullptr;
  if (!pack.open()) {
    Refuse(where, mu::kNoPackText);
    return false;
  }
  char upper[mu::kPackNameMax + 1];
  if (mu::UpperCaseName(name, upper, sizeof upper) &&
      mu::FindPackEntry(pack.source(), upper, &sound->entry)) {
    auto* block =
        static_cast<uint8_t*>(GlobalAlloc(GMEM_FIXED, mu::PackFormatBlockBytes(sound->entry)));
    if (block && mu::ReadPackFormat(pack.source(), sound->entry, block, &sound->format)) {
      sound->block = reinterpret_cast<WAVEFORMATEX*>(block);
      return true;
    }
    if (block) GlobalFree(block);
  }
  Refuse(where, kNoEntry);
  return false;
}

// The row's samples came from the current pack, which it keeps for reloads.
int FinishPackLoad(SoundObject& row, const char* name, const char* where) {
  row.fromPack = 1;
  CopyText(row.stream.packPath, sizeof row.stream.packPath, currentPack);
  return FinishLoad(row, name, where, kNameTooLong);
}

// One file of a folder into the pack named by the context (MakePack's walk).
void AddEachToPack(const char* wavPath, const void* packName) {
  AddToPack(static_cast<const char*>(packName), wavPath);
}

}  // namespace

void SetPack(const char* fileName) {
  if (!soundEnabled) return;
  // A path that does not fit leaves no pack named, rather than another file.
  mu::JoinPath(currentPack, sizeof currentPack, muSystem::GetExeDir(0), fileName ? fileName : "");
}

int LoadPack(const char* name, int mixCount) {
  if (!name) name = "";
  if (BeginLoad(kPackWhere, mixCount) < 0) return -1;
  SoundObject& row = soundTable[soundSlot];
  mu::PackFile pack(currentPack);
  PackSound sound;
  if (!FindPackSound(kPackWhere, name, pack, &sound)) return -1;
  // The entry lies wholly inside the file: the block is never larger than it.
  const uint32_t bytes = sound.entry.sampleBytes;
  BYTE* samples = static_cast<BYTE*>(GlobalAlloc(GMEM_FIXED, bytes ? bytes : 1));
  bool read =
      samples && pack.source().read(pack.source().context, sound.entry.dataOffset, samples, bytes);
  pack.close();
  HRESULT result = DS_OK;
  if (read) {
    PrepareRow(row, mixCount);
    result = FillRowBuffers(row, sound.block, samples, bytes);
  }
  if (samples) GlobalFree(samples);
  GlobalFree(sound.block);
  if (!read) return Refuse(kPackWhere, kNoEntry);
  if (FAILED(result)) return FailLoad(row, kPackWhere, mu::kNoSoundBufferText, result);
  row.stream.dataSize = 0;
  return FinishPackLoad(row, name, kPackWhere);
}

int LoadStream(const char* name, DWORD loopOffset) {
  if (!name) name = "";
  if (BeginLoad(kStreamWhere, 1) < 0) return -1;
  SoundObject& row = soundTable[soundSlot];
  mu::PackFile pack(currentPack);
  PackSound sound;
  if (!FindPackSound(kStreamWhere, name, pack, &sound)) return -1;
  const mu::PackEntry& entry = sound.entry;
  if (!mu::IsStreamed(entry.sampleBytes, sound.format.avgBytesPerSec)) {
    // A short sound is an ordinary sound object with one buffer.
    GlobalFree(sound.block);
    pack.close();
    return LoadPack(name, 1);
  }

  PrepareRow(row, 1);
  mu::StartStream(row.stream, entry.dataOffset, entry.sampleBytes, sound.format.avgBytesPerSec,
                  sound.format.blockAlign, loopOffset);
  DSBUFFERDESC description = {};
  description.dwSize = sizeof description;
  description.dwFlags = kStreamFlags;
  description.dwBufferBytes = row.stream.bufferSize;
  description.lpwfxFormat = sound.block;
  HRESULT result = MakeRowBuffers(row, description, nullptr, 0);
  GlobalFree(sound.block);
  if (FAILED(result)) return FailLoad(row, kStreamWhere, mu::kNoSoundBufferText, result);
  if (!WriteFirstChunk(row, pack.source())) return FailLoad(row, kStreamWhere, kNoEntry, 0);
  return FinishPackLoad(row, name, kStreamWhere);
}

void ReloadPackedRow(SoundObject& row) {
  // The row's own pack is current while it loads; the application's choice
  // of pack is put back afterwards.
  char chosen[sizeof currentPack];
  std::memcpy(chosen, currentPack, sizeof chosen);
  CopyText(currentPack, sizeof currentPack, row.stream.packPath);
  if (row.stream.dataSize) {
    LoadStream(row.name, row.stream.loopPoint - row.stream.dataStart);
  } else {
    LoadPack(row.name, row.mixCount);
  }
  std::memcpy(currentPack, chosen, sizeof chosen);
}

int MakePack(const char* packName, const char* folder, int replace) {
  if (!soundEnabled || !packName) return 1;
  if (!folder) folder = "";
  const char* exeDir = muSystem::GetExeDir(0);
  char path[muSystem::kTextBufferSize];
  if (replace && mu::JoinPath(path, sizeof path, exeDir, packName)) DeleteFileA(path);
  mu::ForEachFolderFile(folder, kWaveFiles, AddEachToPack, packName);
  return 1;
}

void AddToPack(const char* packName, const char* wavPath) {
  if (!soundEnabled || !packName || !wavPath) return;
  const char* exeDir = muSystem::GetExeDir(0);
  char wave[muSystem::kTextBufferSize], pack[muSystem::kTextBufferSize];
  if (!mu::JoinPath(wave, sizeof wave, exeDir, wavPath) ||
      !mu::JoinPath(pack, sizeof pack, exeDir, packName)) {
    return;
  }
  // Entries are found by their upper-case names, so they are stored so.
  char name[mu::kPackNameMax + 1];
  if (!mu::UpperCaseName(mu::FileNameOf(wavPath, mu::SystemLeadByte), name, sizeof name)) return;

  // A file the WAVE reader refuses adds nothing: no half entry in the pack.
  WAVEFORMATEX* format = nullptr;
  BYTE* samples = nullptr;
  DWORD formatBytes = 0, sampleBytes = 0;
  if (ReadWaveFile(wave, &format, &formatBytes, &samples, &sampleBytes) != 0) return;
  if (std::FILE* file = std::fopen(pack, "ab")) {
    mu::WritePackEntry(file, name, reinterpret_cast<const uint8_t*>(format), formatBytes, samples,
                       sampleBytes);
    std::fclose(file);
  }
  GlobalFree(format);
  GlobalFree(samples);
}

}  // namespace muSound
