// Where the raster effects put each row, and how their kept phases and
// offsets move and wrap from call to call.
#include "draw/effects/raster_rows.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

struct Placed {
  int x, y, top, bottom;
  bool operator==(const Placed& o) const {
    return x == o.x && y == o.y && top == o.top && bottom == o.bottom;
  }
};
std::ostream& operator<<(std::ostream& out, const Placed& b) {
  return out << "(" << b.x << ", " << b.y << " <- " << b.top << ".." << b.bottom << ")";
}

struct Recorder final : mu::RowSink {
  std::vector<Placed> blits;
  void Blit(int x, int y, int top, int bottom) override { blits.push_back({x, y, top, bottom}); }
};

// A scripted random source for the skip and jitter rules.
std::vector<int> script;
size_t scriptAt;
int Scripted() { return script[scriptAt++ % script.size()]; }

class Raster : public ::testing::Test {
 protected:
  mu::RasterState st;
  Recorder out;
};

TEST_F(Raster, WaveOffsetsFollowTheCosineOfTheRowAngle) {
  struct Case {
    int amplitude, rowsPerDegree;
    float phase;
    std::vector<int> offsets;   // rows 0, 1, 2, ... of source rows 0..n-1
  } cases[] = {
      {0, 3, 45, {0, 0, 0, 0}},                    // no amplitude: unmoved
      {100, 0, 0, {100, 99, 99, 99}},              // one degree a row: cos 1, 2, 3 degrees
      {100, 0, 59, {51, 50, 48}},                  // 59, 60, 61 degrees
      {100, 0, 89.9f, {1, 0, -1}},                 // trunc(phase) = 89: 89, 90, 91 degrees
      {100, 2, 90, {0, 0, -1, -1, -3}},            // two rows a degree: 90, 90, 91, 91, 92
      {-20, -1, 0, {-20, -19, -19}},               // 0, -1, -2 degrees
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "amplitude " << c.amplitude << " rows/degree "
                                    << c.rowsPerDegree << " phase " << c.phase);
    st.wavePhase = c.phase;
    out.blits.clear();
    const int rows = static_cast<int>(c.offsets.size());
    mu::WaveRows(10, 20, c.amplitude, c.rowsPerDegree, 0, {5, 0, 9, rows}, 0, 0.0f, st, out);
    ASSERT_EQ(out.blits.size(), c.offsets.size());
    for (int r = 0; r < rows; ++r) {
      EXPECT_EQ(out.blits[r], (Placed{10 + c.offsets[r], 20 + r, r, r + 1})) << "row " << r;
    }
  }
}

TEST_F(Raster, WaveRowsStartAtTheDestinationAndInterlaceSwingsCarryOver) {
  mu::WaveRows(0, 100, 10, 0, 0, {0, 40, 8, 43}, 1, 0.0f, st, out);
  // Rows 40..42 at 40, 41, 42 degrees (10 cos 40 = 7.66); signs +, -, +.
  EXPECT_EQ(out.blits[0], (Placed{7, 100, 40, 41}));
  EXPECT_EQ(out.blits[1], (Placed{-7, 101, 41, 42}));
  EXPECT_EQ(out.blits[2], (Placed{7, 102, 42, 43}));
  EXPECT_EQ(st.waveSign, -1);
  out.blits.clear();
  mu::WaveRows(0, 0, 10, 0, 0, {0, 40, 8, 41}, 1, 0.0f, st, out);
  EXPECT_EQ(out.blits[0].x, -7);   // the next call goes on with the carried sign
  EXPECT_EQ(st.waveSign, 1);
}

TEST_F(Raster, WavePhaseTurnsWithTheFrameTime) {
  struct Case {
    float phase, seconds, speed, after;
  } cases[] = {
      {350, 0.5f, 40, 10},        // 370: less 360 once
      {0, 1, 800, 440},           // only once
      {10, 1, -30, -20},          // a negative speed falls below 0 without wrapping
      {5, NAN, 30, 5},            // a frame time that is not a number moves nothing
      {NAN, 1, 30, 30},           // a kept value that is not a number counts as 0
      {5, 1, INFINITY, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.phase);
    st.wavePhase = c.phase;
    mu::WaveRows(0, 0, 1, 0, c.speed, {0, 0, 1, 1}, 0, c.seconds, st, out);
    EXPECT_FLOAT_EQ(st.wavePhase, c.after);
  }
}

TEST_F(Raster, TilesCoverTheScreenFromTheKeptOffsets) {
  mu::TileRows(0, 0, {8, 8, 40, 40}, 640, 480, 1.0f, st, out);
  // 32 x 32 tiles from (0, 0): columns 0..21, rows 0..16 (n = 0 .. 480 / 32 + 1).
  ASSERT_EQ(out.blits.size(), 22u * 17u);
  EXPECT_EQ(out.blits.front(), (Placed{0, 0, 8, 40}));
  EXPECT_EQ(out.blits[21], (Placed{672, 0, 8, 40}));
  EXPECT_EQ(out.blits.back(), (Placed{672, 512, 8, 40}));
  EXPECT_EQ(st.tileX, 0.0f);

  struct Case {
    float speed;
    std::vector<float> offsets;   // after each of the calls
  } cases[] = {
      {10, {-22, -12, -2, -24}},   // 10 > 0: less 32
      {-10, {-10, -20, -30, -8}},  // -40 < -32: add 32
      {0, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.speed);
    st.tileX = st.tileY = 0;
    for (float expected : c.offsets) {
      out.blits.clear();
      const float before = st.tileX;
      mu::TileRows(c.speed, c.speed / 2, {0, 0, 32, 32}, 640, 480, 1.0f, st, out);
      EXPECT_EQ(out.blits[0].x, static_cast<int>(before));
      EXPECT_FLOAT_EQ(st.tileX, expected);
      EXPECT_GE(st.tileY, -32.0f);
      EXPECT_LE(st.tileY, 0.0f);
    }
  }
}

TEST_F(Raster, TilesWithoutAreaDrawNothingAndKeepTheOffsets) {
  st.tileX = -3;
  for (mu::SourceRect r : {mu::SourceRect{5, 0, 5, 10}, mu::SourceRect{0, 7, 10, 7}}) {
    mu::TileRows(10, 10, r, 640, 480, 1.0f, st, out);
    mu::WaveBandRows(0, 10, 3, 0, 10, 10, r, 640, 1.0f, st, out);
  }
  EXPECT_TRUE(out.blits.empty());
  EXPECT_EQ(st.tileX, -3.0f);
  EXPECT_EQ(st.bandPhase, 0.0f);
}

TEST_F(Raster, WaveScrollTakesScrolledRowsToTheRowNumberItself) {
  st.scrollRows = 2;
  mu::WaveScrollRows(5, 100, 0, 0, 0, 0, {0, 10, 16, 14}, 0.0f, st, out);
  const std::vector<Placed> expected = {
      {5, 110, 12, 13}, {5, 111, 13, 14}, {5, 112, 10, 11}, {5, 113, 11, 12}};
  EXPECT_EQ(out.blits, expected);

  struct Case {
    float rows, speed, after;
  } cases[] = {
      {0, 2, 2},     // 0 - 2 < 0: add the height 4
      {2, 2, 0},
      {0, -3, 3},
      {3, -3, 2},    // 6 >= 4: less 4
      {NAN, 1, 3},
  };
  for (const Case& c : cases) {
    st.scrollRows = c.rows;
    mu::WaveScrollRows(0, 0, 0, 0, 0, c.speed, {0, 10, 1, 14}, 1.0f, st, out);
    EXPECT_FLOAT_EQ(st.scrollRows, c.after) << c.rows << " at " << c.speed;
  }
  st.scrollPhase = 350;
  mu::WaveScrollRows(0, 0, 0, 0, 20, 0, {0, 10, 1, 14}, 1.0f, st, out);
  EXPECT_FLOAT_EQ(st.scrollPhase, 10);
}

TEST_F(Raster, WaveBandTilesEachScreenRowWithAScrolledSourceRow) {
  st.bandRows = 3;
  st.bandPhase = 90;   // cos 90 degrees: offset 0 on the first row
  mu::WaveBandRows(100, 103, 5, 0, 0, 0, {0, 20, 10, 24}, 640, 0.0f, st, out);
  ASSERT_EQ(out.blits.size(), 3u * 66u);   // tiles m = 0 .. 640 / 10 + 1
  // Row k: source row 20 + (k mod 4 + 3, less 4 past 3), angle 90 + k.
  EXPECT_EQ(out.blits[0], (Placed{-5, 100, 23, 24}));
  EXPECT_EQ(out.blits[65], (Placed{645, 100, 23, 24}));
  EXPECT_EQ(out.blits[66], (Placed{-5, 101, 20, 21}));   // 5 cos 91 = -0.09: 0
  EXPECT_EQ(out.blits[132], (Placed{-5, 102, 21, 22}));
  out.blits.clear();
  mu::WaveBandRows(100, 100, 5, 0, 0, 0, {0, 20, 10, 24}, 640, 0.0f, st, out);
  EXPECT_TRUE(out.blits.empty());
}

TEST_F(Raster, MosaicSkipAndJitterRows) {
  mu::MosaicRows(1, 50, 2, {0, 10, 4, 15}, out);
  // Blocks from rows 10, 12, 14; the last one keeps its full height.
  std::vector<Placed> expected = {{1, 50, 10, 11}, {1, 51, 10, 11}, {1, 52, 12, 13},
                                {1, 53, 12, 13}, {1, 54, 14, 15}, {1, 55, 14, 15}};
  EXPECT_EQ(out.blits, expected);
  out.blits.clear();
  for (int bad : {0, -3}) mu::MosaicRows(1, 50, bad, {0, 10, 4, 15}, out);
  EXPECT_TRUE(out.blits.empty());

  struct Case {
    int step;
    std::vector<int> script;
    std::vector<int> rows;   // source rows drawn, each to 50 + row - 10
  } cases[] = {
      {1, {}, {11, 12, 13, 14}},    // every row but the first
      {3, {}, {13}},
      {0, {}, {}},
      {-2, {0, 1, 0, 1}, {11, 13, 14}},   // gaps 1, 2, 1, 2
      {-3, {5, 5}, {13}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.step);
    script = c.script.empty() ? std::vector<int>{0} : c.script;
    scriptAt = 0;
    out.blits.clear();
    mu::SkipRowsOf(1, 50, c.step, {0, 10, 4, 15}, Scripted, out);
    ASSERT_EQ(out.blits.size(), c.rows.size());
    for (size_t i = 0; i < c.rows.size(); ++i) {
      EXPECT_EQ(out.blits[i], (Placed{1, 40 + c.rows[i], c.rows[i], c.rows[i] + 1}));
    }
  }

  out.blits.clear();
  mu::JitterRows(7, 8, 0, {0, 10, 4, 15}, Scripted, out);   // a plain blit of the whole source
  EXPECT_EQ(out.blits, (std::vector<Placed>{{7, 8, 10, 15}}));
  out.blits.clear();
  script = {0, 1, 2, 3, 7};
  scriptAt = 0;
  mu::JitterRows(7, 8, 2, {0, 10, 4, 15}, Scripted, out);
  expected = {{5, 8, 10, 11}, {6, 9, 11, 12}, {7, 10, 12, 13}, {8, 11, 13, 14}, {8, 12, 14, 15}};
  EXPECT_EQ(out.blits, expected);
}

TEST_F(Raster, RollWindsTheRowsOnADrum) {
  // Five rows, half 2, phase 0: row 0 ends at 4 (cos 0), row 1 at 2 and row 2
  // at 0 draw nothing (below the running next row), row 3 ends at 1, row 4 at 4.
  mu::RollRows(3, 100, 1, 0, {0, 20, 6, 25}, 0.0f, st, out);
  const std::vector<Placed> expected = {{3, 100, 20, 21}, {3, 101, 20, 21}, {3, 102, 20, 21},
                                      {3, 103, 20, 21}, {3, 104, 20, 21}, {3, 101, 23, 24},
                                      {3, 102, 24, 25}, {3, 103, 24, 25}, {3, 104, 24, 25}};
  EXPECT_EQ(out.blits, expected);

  struct Case {
    int forward;
    float phase, after;
  } cases[] = {{1, 0, 3}, {1, 3, 1}, {0, 0, 2}, {0, 4, 1}, {1, NAN, 3}};
  for (const Case& c : cases) {
    st.rollPhase = c.phase;
    mu::RollRows(0, 0, c.forward, 3, {0, 20, 6, 25}, 1.0f, st, out);
    EXPECT_FLOAT_EQ(st.rollPhase, c.after) << c.forward << " from " << c.phase;
  }
  out.blits.clear();
  st.rollPhase = 1;
  for (int bottom : {21, 20, 10}) mu::RollRows(0, 0, 1, 3, {0, 20, 6, bottom}, 1.0f, st, out);
  EXPECT_TRUE(out.blits.empty());
  EXPECT_EQ(st.rollPhase, 1.0f);
}

TEST_F(Raster, FarPositionsSaturateInsteadOfOverflowing) {
  mu::WaveRows(INT_MAX, INT_MAX, 10, 0, 0, {0, 0, 1, 2}, 0, 0.0f, st, out);
  EXPECT_EQ(out.blits[1], (Placed{INT_MAX, INT_MAX, 1, 2}));
  out.blits.clear();
  script = {RAND_MAX};
  scriptAt = 0;
  mu::JitterRows(INT_MIN, 0, INT_MAX, {0, 0, 1, 1}, Scripted, out);
  mu::SkipRowsOf(0, 0, INT_MIN, {0, 0, 1, 3}, Scripted, out);
  mu::TileRows(0, 0, {INT_MIN, 0, INT_MAX, 1}, 640, 1, 0.0f, st, out);
  EXPECT_EQ(out.blits.back().x, INT_MAX);   // a tile as wide as the int range
}

}  // namespace
