// Pelmora's rules played frame by frame with controlled frame lengths and keys.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "game/rules.h"

namespace {

struct Cell {
  int x, y, colour;
};

bool keyDown[256];
std::vector<Cell> drawn;          // cells drawn in the current frame
std::vector<std::string> texts;   // texts printed in the current frame, "x,y:text"

// The keyboard's four-state poll: 1 pressed, 3 held, 2 released, 0 up.
void PollKey(int key, int* state) {
  if (keyDown[key]) *state = (*state == 0) ? 1 : 3;
  else *state = (*state == 1 || *state == 3) ? 2 : 0;
}
void DrawCell(int x, int y, int colour) { drawn.push_back({x, y, colour}); }
void Print(int x, int y, const char* text) {
  texts.push_back(std::to_string(x) + "," + std::to_string(y) + ":" + text);
}

// Steps 3 to 6 of the game's frame, in the game's order.
void Frame(float seconds) {
  drawn.clear();
  texts.clear();
  DrawWell();
  if (!piece.active) SpawnPiece();
  UpdatePiece(seconds);
  ClearEnclosed();
}

// A single press: one frame with `key` down, then two with it up (the state
// goes 1, 2, 0; a key pressed again while in state 2 reads held, not pressed).
void Tap(int key, float seconds = 1.0f / 64) {
  keyDown[key] = true;
  Frame(seconds);
  keyDown[key] = false;
  Frame(seconds);
  Frame(seconds);
}

bool Printed(const std::string& entry) {
  for (const auto& t : texts) {
    if (t == entry) return true;
  }
  return false;
}

const std::string kFirst = std::string("0,0:") + firstPointText;
const std::string kSecond = std::string("0,20:") + secondPointText;

// Counts the interior cells holding something.
int Blocks() {
  int n = 0;
  for (int c = 1; c <= 8; ++c)
    for (int r = 0; r <= 11; ++r) n += well[c][r] != 0;
  return n;
}

void ExpectWallsIntact() {
  for (int r = 0; r < kWellRows; ++r) {
    EXPECT_EQ(well[0][r], kWallCell);
    EXPECT_EQ(well[9][r], kWallCell);
  }
  for (int c = 0; c < kWellColumns; ++c) EXPECT_EQ(well[c][12], kWallCell);
}

class GameRules : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGame();
    std::memset(keyDown, 0, sizeof keyDown);
    gameSeam = GameSeam{PollKey, DrawCell, Print};
  }
  void TearDown() override { ResetGame(); }

  // Plays frames until the falling piece comes to rest; returns how many.
  int PlayUntilRest(float seconds, int limit = 2000) {
    for (int n = 1; n <= limit; ++n) {
      Frame(seconds);
      if (!piece.active) return n;
    }
    return -1;
  }
};

TEST_F(GameRules, FirstPieceRestsOnTheFloorInColumnTwoWhenYReaches270) {
  // 1/128 s at 100 pixels per second: under a pixel a frame, so y passes
  // through every whole value.
  const float step = 1.0f / 128;
  Frame(step);
  Frame(step);
  EXPECT_EQ(piece.y, 1);
  EXPECT_TRUE(Printed(kFirst));
  EXPECT_FALSE(Printed(kSecond));
  int lastY = piece.y;
  while (piece.active) {
    lastY = piece.y;
    Frame(step);
    if (piece.active) {
      EXPECT_FALSE(Printed(kSecond));
    }
  }
  EXPECT_EQ(lastY, 269);
  EXPECT_EQ(piece.y, 270);
  EXPECT_EQ(piece.row, 9);
  EXPECT_TRUE(Printed(kSecond));
  EXPECT_EQ(well[2][10], 5);
  EXPECT_EQ(well[2][11], 4);
  EXPECT_EQ(Blocks(), 2);
  ExpectWallsIntact();

  // The rested pair is drawn with the well from the next frame on, and a new
  // piece starts at the top in that frame.
  Frame(step);
  ASSERT_EQ(drawn.size(), 2u + 9u);
  EXPECT_EQ(drawn[0].x, 230);
  EXPECT_EQ(drawn[0].y, 420);
  EXPECT_EQ(drawn[0].colour, 5);
  EXPECT_EQ(drawn[1].y, 450);
  EXPECT_EQ(drawn[1].colour, 4);
  EXPECT_EQ(piece.active, 1);
  EXPECT_EQ(piece.y, 0);
  EXPECT_EQ(piece.column, 1);
}

TEST_F(GameRules, FallMovesWholePixelsAndCarriesTheFraction) {
  Frame(0.0625f);   // 6.25 pixels
  EXPECT_EQ(piece.y, 6);
  Frame(0.0625f);   // 6.5 with the carried quarter
  EXPECT_EQ(piece.y, 12);
  Frame(0.005f);    // half a pixel completes the seventh
  EXPECT_EQ(piece.y, 13);
  EXPECT_EQ(fallFraction, 0.0f);
}

TEST_F(GameRules, FastFramesStillFallAtTheFullSpeed) {
  // A thousand frames of one millisecond: a tenth of a pixel each.
  for (int n = 0; n < 1000; ++n) Frame(0.001f);
  EXPECT_NEAR(piece.y, 100, 1);
  // 144 frames a second at 200 pixels per second.
  keyDown[kKeyDown] = true;
  Frame(0.0f);
  Frame(0.0f);
  const int y = piece.y;
  for (int n = 0; n < 72; ++n) Frame(1.0f / 144);
  EXPECT_NEAR(piece.y - y, 100, 1);
}

TEST_F(GameRules, AllNineBoxCellsAreDrawnAtTheBoxPosition) {
  Frame(0.0625f);
  ASSERT_EQ(drawn.size(), 9u);
  int k = 0;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j, ++k) {
      EXPECT_EQ(drawn[k].x, 200 + 30 * i);
      EXPECT_EQ(drawn[k].y, 126 + 30 * j);
      EXPECT_EQ(drawn[k].colour, pieceCells[i][j]);
    }
  // Both coloured cells print the first text; nothing else is printed.
  EXPECT_EQ(texts.size(), 2u);
}

TEST_F(GameRules, LeftOnceReachesColumnOneAndTheWallStopsTheNext) {
  Frame(1.0f / 64);
  keyDown[kKeyLeft] = true;
  Frame(1.0f / 64);
  EXPECT_EQ(piece.column, 0);
  // Drawn at the old column in the frame of the move, at the new one after.
  EXPECT_EQ(drawn[4].x, 230);
  Frame(1.0f / 64);   // held: no repeat
  EXPECT_EQ(piece.column, 0);
  EXPECT_EQ(drawn[4].x, 200);
  keyDown[kKeyLeft] = false;
  Frame(1.0f / 64);
  Tap(kKeyLeft);
  EXPECT_EQ(piece.column, 0);
  PlayUntilRest(1.0f / 64);
  EXPECT_EQ(well[1][10], 5);
  EXPECT_EQ(well[1][11], 4);
  ExpectWallsIntact();
}

TEST_F(GameRules, RightRepeatedlyStopsInColumnEight) {
  for (int n = 0; n < 12; ++n) Tap(kKeyRight);
  EXPECT_EQ(piece.column, 7);
  PlayUntilRest(1.0f / 64);
  EXPECT_EQ(well[8][10], 5);
  EXPECT_EQ(well[8][11], 4);
  ExpectWallsIntact();
}

TEST_F(GameRules, LeftAndRightInOneFrameAreEachTestedInTurn) {
  Frame(1.0f / 64);
  keyDown[kKeyLeft] = keyDown[kKeyRight] = true;
  Frame(1.0f / 64);
  EXPECT_EQ(piece.column, 1);
  // Against the wall, left is refused and right still moves.
  keyDown[kKeyLeft] = keyDown[kKeyRight] = false;
  Tap(kKeyLeft);
  keyDown[kKeyLeft] = keyDown[kKeyRight] = true;
  Frame(1.0f / 64);
  EXPECT_EQ(piece.column, 1);
}

TEST_F(GameRules, HoldingDownDoublesTheFallFromTheSecondFrameAfterThePress) {
  // 1/20 s: 5 pixels a frame at 100, 10 at 200.
  std::vector<int> steps;
  auto step = [&] {
    const int y = piece.y;
    Frame(0.05f);
    steps.push_back(piece.y - y);
  };
  Frame(0.05f);
  keyDown[kKeyDown] = true;
  step();   // N: press seen
  step();   // N + 1: held, speed set
  step();   // N + 2: fast
  step();
  keyDown[kKeyDown] = false;
  step();   // M: release seen
  step();   // M + 1: up, speed set
  step();   // M + 2: normal
  EXPECT_EQ(steps, (std::vector<int>{5, 5, 10, 10, 10, 10, 5}));
  EXPECT_EQ(piece.speed, kNormalSpeed);
}

TEST_F(GameRules, ThreeInARowKeepsTheOuterTwo) {
  well[3][11] = well[4][11] = well[5][11] = 5;
  ClearEnclosed();
  EXPECT_EQ(well[3][11], 5);
  EXPECT_EQ(well[4][11], 0);
  EXPECT_EQ(well[5][11], 5);
}

TEST_F(GameRules, WallsCountAsNeighbours) {
  well[1][11] = well[2][11] = 4;
  well[7][5] = well[8][5] = 6;
  ClearEnclosed();
  EXPECT_EQ(well[1][11], 0);   // wall on its left, block on its right
  EXPECT_EQ(well[2][11], 4);   // its left neighbour was cleared first
  EXPECT_EQ(well[7][5], 6);
  EXPECT_EQ(well[8][5], 0);
  ExpectWallsIntact();
}

TEST_F(GameRules, ColoursOneAndTwoNeverVanishAndNothingFalls) {
  well[3][4] = well[5][4] = 7;
  well[4][4] = 2;
  well[6][4] = 1;
  well[6][3] = 9;   // above a block that stays
  well[4][3] = 8;
  ClearEnclosed();
  EXPECT_EQ(well[4][4], 2);
  EXPECT_EQ(well[5][4], 0);
  EXPECT_EQ(well[6][4], 1);
  EXPECT_EQ(well[4][3], 8);
  EXPECT_EQ(well[6][3], 9);
}

TEST_F(GameRules, EnclosedLowerCellVanishesWhileTheCellAboveStays) {
  well[2][11] = 6;
  well[4][11] = 7;
  Tap(kKeyRight);
  EXPECT_EQ(piece.column, 2);
  PlayUntilRest(1.0f / 64);
  // The clearing scan of the landing frame already removed the lower cell.
  EXPECT_EQ(well[3][11], 0);
  EXPECT_EQ(well[3][10], 5);
  EXPECT_EQ(well[2][11], 6);
  EXPECT_EQ(well[4][11], 7);
  Frame(1.0f / 64);
  for (const Cell& c : drawn) {
    if (c.colour == 0) continue;
    EXPECT_FALSE(c.x == 260 && c.y == 450) << "removed block still drawn";
  }
}

TEST_F(GameRules, SideTestLooksAtTheBoxTopRowOnly) {
  for (int r = 5; r <= 11; ++r) well[3][r] = 6;
  // Box top row 4, the piece's cells in rows 5 and 6 of column 2.
  SpawnPiece();
  piece.y = 125;
  keyDown[kKeyRight] = true;
  Frame(0.01f);
  EXPECT_EQ(piece.column, 2);
  // Moved into the column, it comes to rest over the blocks there at once.
  EXPECT_EQ(piece.active, 0);
  EXPECT_EQ(well[3][5], 5);
  EXPECT_EQ(well[3][6], 4);
  EXPECT_TRUE(Printed(kSecond));

  // A block in the box's top row refuses the move.
  ResetGame();
  for (int r = 4; r <= 11; ++r) well[3][r] = 6;
  SpawnPiece();
  piece.y = 125;
  keyDown[kKeyRight] = false;
  Frame(0.01f);
  keyDown[kKeyRight] = true;
  Frame(0.01f);
  EXPECT_EQ(piece.column, 1);
  EXPECT_EQ(piece.active, 1);
}

TEST_F(GameRules, NewPieceOnOccupiedCellsRestsAtOnceEveryFrame) {
  well[2][1] = well[2][2] = well[2][3] = 8;
  for (int n = 0; n < 3; ++n) {
    Frame(1.0f / 64);
    EXPECT_EQ(piece.active, 0);
    EXPECT_TRUE(Printed(kSecond));
    EXPECT_EQ(well[2][1], 5);
    EXPECT_EQ(well[2][2], 4);
    EXPECT_EQ(well[2][3], 8);
  }
  // Moved aside in its first frame, it falls on.
  keyDown[kKeyLeft] = true;
  Frame(1.0f / 64);
  EXPECT_EQ(piece.column, 0);
  EXPECT_EQ(piece.active, 1);
}

TEST_F(GameRules, LongFramesNeverCarryThePieceOutOfTheWell) {
  // One second at 100 pixels per second is more than three rows a frame.
  EXPECT_EQ(PlayUntilRest(1.0f), 3);
  EXPECT_EQ(piece.y, 270);
  EXPECT_EQ(well[2][10], 5);
  EXPECT_EQ(well[2][11], 4);
  EXPECT_EQ(Blocks(), 2);
  ExpectWallsIntact();

  // Every row passed is tested: the piece stops on a stack it would have
  // jumped over, at fast speed too.
  for (int r = 6; r <= 11; ++r) well[5][r] = 3;
  for (int n = 0; n < 3; ++n) Tap(kKeyRight, 0.0f);
  ASSERT_EQ(piece.column, 4);
  keyDown[kKeyDown] = true;
  Frame(0.0f);
  Frame(0.0f);
  ASSERT_EQ(piece.speed, kFastSpeed);
  Frame(1.0f);   // 200 pixels: rows 0 to 6 passed
  EXPECT_EQ(piece.active, 0);
  EXPECT_EQ(piece.row, 3);
  EXPECT_EQ(well[5][4], 5);
  EXPECT_EQ(well[5][5], 4);
  ExpectWallsIntact();
}

TEST_F(GameRules, BadFrameLengthsKeepThePieceInTheWell) {
  const float bad[] = {1e9f, std::numeric_limits<float>::infinity(),
                       std::numeric_limits<float>::quiet_NaN(), -5.0f};
  for (float seconds : bad) {
    ResetGame();
    Frame(0.1f);
    const int y = piece.y;
    Frame(seconds);
    if (seconds > 0) {
      EXPECT_EQ(piece.active, 0) << seconds;
      EXPECT_EQ(well[2][11], 4) << seconds;
    } else {
      EXPECT_EQ(piece.y, y) << seconds;
      EXPECT_EQ(piece.active, 1) << seconds;
    }
    ExpectWallsIntact();
  }
}

TEST_F(GameRules, FullWellKeepsPlayingWithoutLeavingIt) {
  // Pieces pile up in column 2 until spawning lands on the pile every frame.
  for (int n = 0; n < 400; ++n) Frame(0.25f);
  for (int r = 1; r <= 11; ++r) EXPECT_NE(well[2][r], 0) << r;
  EXPECT_EQ(Blocks(), 11);
  ExpectWallsIntact();
}

}  // namespace
