// The arithmetic of a streamed sound: a sound of five seconds or more plays
// from one looping buffer four seconds long, refilled two seconds (a chunk) at
// a time from its pack entry while the play cursor moves on. This file decides
// when a refill is due, which bytes of the entry it reads, where in the buffer
// they go, how long the chunk is, and when a stream played once has ended; the
// caller only reads the file and locks the buffer.
//
// Offsets named "position" or "point" in the file are file offsets; the
// newest chunk, the write position and the wrap mark are buffer offsets.
#ifndef MU_SOUND_STREAM_REFILL_H
#define MU_SOUND_STREAM_REFILL_H

#include <cstdint>

namespace mu {

constexpr uint32_t kStreamMinSeconds = 5;     // shorter sounds load whole
constexpr uint32_t kStreamBufferSeconds = 4;  // the buffer holds two chunks
constexpr int32_t kNoWrap = -1;

struct StreamState {
  uint32_t dataStart;      // file offset of the entry's first sample byte
  uint32_t loopPoint;      // file offset where reading goes on after the last sample
  uint32_t readPosition;   // file offset of the next byte to read
  uint32_t dataSize;       // the entry's sample bytes; non-zero marks a streamed row
  uint32_t dataPosition;   // sample bytes consumed, counted from dataStart
  uint32_t newestChunk;    // buffer offset of the chunk written last
  uint32_t writePosition;  // buffer offset of the next chunk
  uint32_t chunkSize;      // two seconds of bytes
  uint32_t bufferSize;     // four seconds, two chunks
  int32_t wrapMark;        // cursor noted when a chunk went below the one before; kNoWrap
  uint32_t lastCursor;     // play cursor at the last refill
  uint8_t endCountdown;    // 0 playing; 2, 1 after the last sample of a stream played once
  uint32_t frameBytes;     // the format's block alignment: no chunk splits a sample frame
};

// True when an entry of `sampleBytes` at `avgBytesPerSec` is streamed: five
// whole seconds or more (a 4.9-second sound loads whole).
bool IsStreamed(uint32_t sampleBytes, uint32_t avgBytesPerSec);

// A stream loaded: the buffer geometry from the format and the loop point,
// `loopOffset` bytes into the samples (rounded down to a whole sample frame;
// an offset at or past the end loops from the beginning). Then RewindStream.
void StartStream(StreamState& s, uint32_t dataStart, uint32_t dataSize, uint32_t avgBytesPerSec,
                 uint32_t frameBytes, uint32_t loopOffset);

// Back to the start with the first chunk in place at buffer offset 0: the
// caller writes chunkSize bytes read from dataStart there.
void RewindStream(StreamState& s);

// What one pass of the refill does for a playing stream.
struct Refill {
  enum Action { kNothing, kStop, kWrite } action;
  uint32_t readFrom;  // file offset of the chunk
  uint32_t writeAt;   // buffer offset it goes to (it may run round the buffer's end)
  uint32_t length;    // bytes: a chunk, half the tail, or what is left
  bool silence;       // write zero bytes instead (the end of a stream played once)
};

// Decides the pass at play cursor `cursor`: whether a refill is due, the end
// countdown, and the chunk. Notes the cursor when a refill is due.
Refill PlanRefill(StreamState& s, uint32_t cursor);

// After the chunk of a kWrite was written: the file positions move on (round
// to the loop point at the end of the data, where a stream that does not loop
// starts its end countdown), and the buffer positions and wrap mark move on.
void FinishRefill(StreamState& s, const Refill& refill, uint32_t cursor, bool looping);

// The length of the next chunk: a whole chunk, or when less than two chunks
// are left their first half rounded down to whole frames, or what is left.
uint32_t ChunkLength(const StreamState& s);

}  // namespace mu

#endif
