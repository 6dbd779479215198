// The stream's refill arithmetic, driven the way the refill pass drives it
// against a simulated looping buffer whose play cursor moves on between
// passes: what comes out of the buffer must be the samples, complete and in
// order, then silence and the stop (played once), or the repeats from the
// loop offset on (looping).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "sound/stream_refill.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr uint32_t kDataStart = 1000;  // file offset of the samples
constexpr uint32_t kFrame = 4;         // 16-bit stereo
constexpr uint32_t kAvg = 1000;        // bytes per second: 250 frames

Bytes Samples(uint32_t bytes) {
  Bytes b(bytes);
  for (uint32_t i = 0; i < bytes; ++i) b[i] = static_cast<uint8_t>(1 + (i * 7 + i / 251) % 255);
  return b;
}

// A stream's looping buffer played by a cursor that moves `step` bytes
// between two refill passes, as Streaming runs once per frame.
struct Player {
  mu::StreamState s{};
  Bytes data, buffer, heard;
  uint32_t cursor = 0;
  bool playing = false, looping = false, readPastEntry = false;

  Player(uint32_t bytes, uint32_t loopOffset, bool loop) : data(Samples(bytes)), looping(loop) {
    mu::StartStream(s, kDataStart, bytes, kAvg, kFrame, loopOffset);
    buffer.assign(s.bufferSize, 0);
  }
  void Write(uint32_t at, uint32_t from, uint32_t length, bool silence) {
    if (from - kDataStart + length > data.size()) readPastEntry = true;
    for (uint32_t k = 0; k < length && !readPastEntry; ++k)
      buffer[(at + k) % s.bufferSize] = silence ? 0 : data[from - kDataStart + k];
  }
  void Play() {
    mu::RewindStream(s);
    Write(0, s.dataStart, s.chunkSize, false);
    cursor = 0;
    playing = true;
  }
  void Pass() {
    mu::Refill r = mu::PlanRefill(s, cursor);
    if (r.action == mu::Refill::kStop) playing = false;
    if (r.action != mu::Refill::kWrite) return;
    Write(r.writeAt, r.readFrom, r.length, r.silence);
    mu::FinishRefill(s, r, cursor, looping);
  }
  void Run(uint32_t step, size_t limit) {
    Play();
    while (playing && heard.size() < limit) {
      Pass();
      if (!playing) break;
      for (uint32_t k = 0; k < step; ++k) {
        heard.push_back(buffer[cursor]);
        cursor = (cursor + 1) % s.bufferSize;
      }
    }
  }
};

// The first byte where what was heard differs from what was expected, or -1.
long FirstDifference(const Bytes& heard, const Bytes& expected) {
  const auto m = std::mismatch(heard.begin(), heard.end(), expected.begin(), expected.end());
  return m.first == heard.end() && m.second == expected.end() ? -1 : m.first - heard.begin();
}

struct PlayCase {
  const char* what;
  uint32_t bytes;       // samples
  uint32_t loopOffset;  // bytes
  uint32_t step;        // cursor bytes per pass
};

const PlayCase kPlays[] = {
    {"5.0 s at 60 frames a second", 5000, 0, 16},
    {"20.5 s at 60 frames a second", 20500, 0, 16},
    {"20 s, a frame every 0.5 s", 20000, 0, 500},
    {"tail of 1.5 chunks and one frame", 7004, 0, 16},
    {"tail of 1.5 chunks and one frame, slow frames", 7004, 0, 748},
    {"5.0 s looping from 2.5 s", 5000, 2500, 16},
    {"9 s looping from its last 0.1 s", 9000, 8900, 8},
    {"6 s looping from an offset inside a frame", 6000, 1002, 16},
    {"a loop offset past the end loops from the start", 5000, 7000, 16},
};

TEST(StreamRefill, PlayedOnceComesOutWholeThenSilenceThenStops) {
  for (const PlayCase& c : kPlays) {
    SCOPED_TRACE(c.what);
    Player player(c.bytes, c.loopOffset, false);
    player.Run(c.step, 10 * c.bytes);
    EXPECT_FALSE(player.readPastEntry);
    EXPECT_FALSE(player.playing) << "never stopped";
    // After the last sample: silence, for no longer than a buffer's worth.
    EXPECT_LE(player.heard.size(), player.data.size() + player.s.bufferSize + c.step);
    Bytes expected = player.data;
    expected.resize(std::max(expected.size(), player.heard.size()), 0);
    EXPECT_EQ(-1, FirstDifference(player.heard, expected));
  }
}

TEST(StreamRefill, LoopingRepeatsFromTheLoopOffset) {
  for (const PlayCase& c : kPlays) {
    SCOPED_TRACE(c.what);
    Player player(c.bytes, c.loopOffset, true);
    player.Run(c.step, 4 * c.bytes);
    EXPECT_FALSE(player.readPastEntry);
    EXPECT_TRUE(player.playing);
    uint32_t from = c.loopOffset - c.loopOffset % kFrame;
    if (from >= c.bytes) from = 0;
    Bytes expected = player.data;
    while (expected.size() < player.heard.size())
      expected.insert(expected.end(), player.data.begin() + from, player.data.end());
    expected.resize(player.heard.size());
    EXPECT_EQ(-1, FirstDifference(player.heard, expected));
  }
}

TEST(StreamRefill, StreamedFromFiveWholeSeconds) {
  struct Case {
    uint32_t bytes, avg;
    bool streamed;
  } cases[] = {{4900, 1000, false},        {4999, 1000, false}, {5000, 1000, true},
               {176400 * 5, 176400, true}, {1000000, 0, false}, {0, 1, false}};
  for (const Case& c : cases) EXPECT_EQ(c.streamed, mu::IsStreamed(c.bytes, c.avg)) << c.bytes;
}

TEST(StreamRefill, StartGivesTheBufferGeometryAndTheFirstChunk) {
  struct Case {
    uint32_t loopOffset, frameBytes, loopPoint;
  } cases[] = {{0, 4, kDataStart},           {2500, 4, kDataStart + 2500},
               {2503, 4, kDataStart + 2500}, {2503, 0, kDataStart + 2503},
               {4999, 4, kDataStart + 4996}, {5000, 4, kDataStart}};
  for (const Case& c : cases) {
    mu::StreamState s{};
    s.endCountdown = 1;
    s.wrapMark = 7;
    mu::StartStream(s, kDataStart, 5000, kAvg, c.frameBytes, c.loopOffset);
    EXPECT_EQ(c.loopPoint, s.loopPoint) << c.loopOffset;
    EXPECT_EQ(4000u, s.bufferSize);
    EXPECT_EQ(2000u, s.chunkSize);
    EXPECT_EQ(kDataStart + 2000, s.readPosition);
    EXPECT_EQ(2000u, s.dataPosition);
    EXPECT_EQ(2000u, s.writePosition);
    EXPECT_EQ(0u, s.newestChunk);
    EXPECT_EQ(mu::kNoWrap, s.wrapMark);
    EXPECT_EQ(0, s.endCountdown);
  }
}

TEST(StreamRefill, ChunkLengthSharesTheTailInWholeFrames) {
  struct Case {
    uint32_t remaining, frameBytes, length;
  } cases[] = {
      {6000, 4, 2000},                   // three chunks and more: a whole chunk
      {4000, 4, 2000}, {3000, 4, 1500},  // 1.5 chunks: two of 0.75
      {3004, 4, 1500},                   // and one frame: the first half is cut at a frame boundary
      {3004, 1, 1502}, {2000, 4, 1000}, {1500, 4, 1500},  // less than a chunk: all of it
      {2, 4, 2},
  };
  for (const Case& c : cases) {
    mu::StreamState s{};
    s.chunkSize = 2000;
    s.frameBytes = c.frameBytes;
    s.dataSize = 10000;
    s.dataPosition = s.dataSize - c.remaining;
    EXPECT_EQ(c.length, mu::ChunkLength(s)) << c.remaining << " " << c.frameBytes;
  }
}

TEST(StreamRefill, RefillIsDueWhenTheCursorReachesTheNewestChunk) {
  struct Case {
    const char* what;
    int32_t wrapMark;
    uint32_t newest, lastCursor, cursor;
    bool due;
  } cases[] = {
      {"no wrap, before the newest chunk", -1, 2000, 100, 1999, false},
      {"no wrap, at it", -1, 2000, 100, 2000, true},
      {"no wrap, the cursor came round", -1, 3500, 3600, 200, true},
      {"wrap, newest below the mark, cursor still above the mark", 2100, 0, 0, 2500, false},
      {"wrap, cursor came round into the newest chunk", 2100, 0, 2100, 10, true},
      {"wrap, newest below the mark, cursor at the mark", 2100, 1000, 0, 2100, false},
      {"wrap, newest above the mark", 500, 3000, 0, 2999, false},
      {"wrap, newest above the mark, cursor at it", 500, 3000, 0, 3000, true},
  };
  for (const Case& c : cases) {
    mu::StreamState s{};
    mu::StartStream(s, kDataStart, 10000, kAvg, kFrame, 0);
    s.wrapMark = c.wrapMark;
    s.newestChunk = c.newest;
    s.lastCursor = c.lastCursor;
    mu::Refill r = mu::PlanRefill(s, c.cursor);
    EXPECT_EQ(c.due ? mu::Refill::kWrite : mu::Refill::kNothing, r.action) << c.what;
    EXPECT_EQ(c.due ? c.cursor : c.lastCursor, s.lastCursor) << c.what;
  }
}

TEST(StreamRefill, EndCountdownWritesOneSilentChunkThenStops) {
  mu::StreamState s{};
  mu::StartStream(s, kDataStart, 5000, kAvg, kFrame, 0);
  s.endCountdown = 2;
  mu::Refill silent = mu::PlanRefill(s, 2000);
  EXPECT_EQ(mu::Refill::kWrite, silent.action);
  EXPECT_TRUE(silent.silence);
  EXPECT_EQ(1, s.endCountdown);
  mu::FinishRefill(s, silent, 2000, false);
  EXPECT_EQ(mu::Refill::kStop, mu::PlanRefill(s, 0).action);
  EXPECT_EQ(0, s.endCountdown);
}

}  // namespace
