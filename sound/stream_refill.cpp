#include "sound/stream_refill.h"

namespace mu {

namespace {

constexpr uint8_t kCountdownStart = 2;  // one pass writes silence, the next one stops

// A refill is due once the cursor has moved into the newest chunk. After a
// chunk was written below the one before (the write position ran round the
// buffer's end) the cursor is still above it, and reaching the newest chunk
// means coming round to it: below the wrap mark noted then.
bool RefillDue(const StreamState& s, uint32_t cursor) {
  if (s.wrapMark == kNoWrap) return cursor >= s.newestChunk || cursor < s.lastCursor;
  uint32_t mark = static_cast<uint32_t>(s.wrapMark);
  if (s.newestChunk < mark) return cursor >= s.newestChunk && cursor < mark;
  return cursor >= s.newestChunk;
}

}  // namespace

bool IsStreamed(uint32_t sampleBytes, uint32_t avgBytesPerSec) {
  return avgBytesPerSec != 0 && sampleBytes / avgBytesPerSec >= kStreamMinSeconds;
}

void StartStream(StreamState& s, uint32_t dataStart, uint32_t dataSize, uint32_t avgBytesPerSec,
                 uint32_t frameBytes, uint32_t loopOffset) {
  s.frameBytes = frameBytes ? frameBytes : 1;
  loopOffset -= loopOffset % s.frameBytes;
  if (loopOffset >= dataSize) loopOffset = 0;
  s.dataStart = dataStart;
  s.dataSize = dataSize;
  s.loopPoint = dataStart + loopOffset;
  s.bufferSize = kStreamBufferSeconds * avgBytesPerSec;
  s.chunkSize = s.bufferSize / 2;
  RewindStream(s);
}

void RewindStream(StreamState& s) {
  s.newestChunk = 0;
  s.writePosition = s.chunkSize;
  s.readPosition = s.dataStart + s.chunkSize;
  s.dataPosition = s.chunkSize;
  s.wrapMark = kNoWrap;
  s.lastCursor = 0;
  s.endCountdown = 0;
}

uint32_t ChunkLength(const StreamState& s) {
  uint32_t remaining = s.dataSize - s.dataPosition;
  if (remaining < s.chunkSize) return remaining;
  if (remaining - s.chunkSize < s.chunkSize) {
    // The last two chunks share the tail; the first half is cut at a frame
    // boundary, so the second one starts on one too.
    uint32_t half = remaining / 2;
    return half - half % s.frameBytes;
  }
  return s.chunkSize;
}

Refill PlanRefill(StreamState& s, uint32_t cursor) {
  Refill refill{Refill::kNothing, 0, 0, 0, false};
  if (!RefillDue(s, cursor)) return refill;
  s.lastCursor = cursor;
  if (s.endCountdown > 0 && --s.endCountdown == 0) {
    refill.action = Refill::kStop;
    return refill;
  }
  refill.action = Refill::kWrite;
  refill.readFrom = s.readPosition;
  refill.writeAt = s.writePosition;
  refill.length = ChunkLength(s);
  refill.silence = s.endCountdown == 1;
  return refill;
}

void FinishRefill(StreamState& s, const Refill& refill, uint32_t cursor, bool looping) {
  s.readPosition = refill.readFrom + refill.length;
  s.dataPosition += refill.length;
  if (s.dataPosition >= s.dataSize) {
    s.readPosition = s.loopPoint;
    s.dataPosition = s.loopPoint - s.dataStart;
    // A countdown already running is not started again: a short loop would
    // otherwise reach the end on every pass and never let the stream stop.
    if (!looping && s.endCountdown == 0) s.endCountdown = kCountdownStart;
  }
  s.wrapMark = s.writePosition < s.newestChunk ? static_cast<int32_t>(cursor) : kNoWrap;
  s.newestChunk =
      s.writePosition >= s.bufferSize ? s.writePosition - s.bufferSize : s.writePosition;
  s.writePosition += refill.length;
  if (s.writePosition >= s.bufferSize) s.writePosition -= s.bufferSize;
}

}  // namespace mu
