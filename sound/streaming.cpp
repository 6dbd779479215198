// Streamed sounds while they play: the per-frame refill of every playing
// stream and the rewind before a play. What to read and where it goes is
// stream_refill's arithmetic; this file opens the pack for each refill (no
// file stays open between frames) and reads straight into the locked buffer.
#include <cstring>

#include "app/error_texts.h"
#include "sound/sound_pack.h"
#include "sound/sound_table.h"

namespace muSound {

namespace {

constexpr char kStreamingWhere[] = "muSound::Streaming";
constexpr char kResetWhere[] = "muSound::ResetStream";
constexpr char kCannotStream[] = "ストリーミング再生できません";

// Fills `length` bytes of a stream's buffer from `writeAt`, round the end of
// the buffer when it gets there, with the pack's bytes from `readFrom`, or
// with silence when there is no pack. False when the pack holds fewer bytes
// (what could not be read is silence then).
bool WriteChunk(LPDIRECTSOUNDBUFFER buffer, DWORD writeAt, DWORD length, const mu::ByteSource* pack,
                DWORD readFrom) {
  void* parts[2] = {};
  DWORD sizes[2] = {};
  if (FAILED(buffer->Lock(writeAt, length, &parts[0], &sizes[0], &parts[1], &sizes[1], 0)))
    return true;  // nothing written; the next refill goes on from the positions
  bool complete = true;
  for (int i = 0; i < 2; ++i) {
    if (!parts[i] || !sizes[i]) continue;
    if (!pack || !pack->read(pack->context, readFrom, parts[i], sizes[i])) {
      std::memset(parts[i], 0, sizes[i]);
      complete = complete && !pack;
    }
    readFrom += sizes[i];
  }
  buffer->Unlock(parts[0], sizes[0], parts[1], sizes[1]);
  return complete;
}

// A stream whose pack is gone or cut short stops at once (it would repeat
// its buffer for as long as the box is open) and is reported once: stopped,
// it is not refilled again until it is played again.
int StreamFailed(int slot, const char* where, const char* message) {
  Stop(slot, kAllBuffers);
  return muSystem::Error(where, message, 0);
}

}  // namespace

bool WriteFirstChunk(SoundObject& row, const mu::ByteSource& pack) {
  mu::RewindStream(row.stream);
  return WriteChunk(row.buffer[0], 0, row.stream.chunkSize, &pack, row.stream.dataStart);
}

int ResetStream(int slot) {
  SoundObject* row = LoadedRow(slot);
  if (!row || !row->stream.dataSize || !row->buffer[0]) return 1;
  mu::PackFile pack(row->stream.packPath);
  if (!pack.open()) return muSystem::Error(kResetWhere, mu::kNoPackText, 0);
  if (!WriteFirstChunk(*row, pack.source())) return muSystem::Error(kResetWhere, kCannotStream, 0);
  return 1;
}

int Streaming() {
  if (!soundEnabled) return 1;
  for (int slot = 0; slot < kSoundSlots; ++slot) {
    SoundObject& row = soundTable[slot];
    LPDIRECTSOUNDBUFFER buffer = row.buffer[0];
    if (!row.inUse || !row.stream.dataSize || !buffer) continue;
    DWORD status = 0, cursor = 0;
    buffer->GetStatus(&status);
    if (!(status & DSBSTATUS_PLAYING)) continue;
    buffer->GetCurrentPosition(&cursor, nullptr);

    mu::Refill refill = mu::PlanRefill(row.stream, cursor);
    if (refill.action == mu::Refill::kNothing) continue;
    if (refill.action == mu::Refill::kStop) {
      Stop(slot, kAllBuffers);
      continue;
    }
    if (refill.silence) {
      WriteChunk(buffer, refill.writeAt, refill.length, nullptr, 0);
    } else {
      mu::PackFile pack(row.stream.packPath);
      if (!pack.open()) return StreamFailed(slot, kStreamingWhere, mu::kNoPackText);
      if (!WriteChunk(buffer, refill.writeAt, refill.length, &pack.source(), refill.readFrom))
        return StreamFailed(slot, kStreamingWhere, kCannotStream);
    }
    mu::FinishRefill(row.stream, refill, cursor, row.looping != 0);
  }
  return 1;
}

}  // namespace muSound
