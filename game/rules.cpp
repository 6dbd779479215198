// Pelmora's rules. The frame's order (draw the well, spawn, move and land,
// clear) is kept by the caller; each routine here is one step of it.
#include "game/rules.h"

namespace {

void NoKey(int, int*) {}
void NoCell(int, int, int) {}
void NoText(int, int, const char*) {}

constexpr int W = kWallCell;

// Anything outside the well counts as occupied, like the walls and the floor,
// so no test can read past the array whatever the piece's shape or position.
bool Occupied(int column, int row) {
  if (column < 0 || column >= kWellColumns || row < 0 || row >= kWellRows) return true;
  return well[column][row] != 0;
}

void Store(int column, int row, int value) {
  if (column >= 0 && column < kWellColumns && row >= 0 && row < kWellRows)
    well[column][row] = value;
}

// True when the piece, with its box's top row at `row`, has a cell lying on
// an occupied cell: the landing test of the frame, for any row.
bool RestsAt(int column, int row) {
  for (int i = 0; i < kBoxSize; ++i)
    for (int j = 0; j < kBoxSize; ++j)
      if (pieceCells[i][j] != 0 && Occupied(column + i, row + j + 1)) return true;
  return false;
}

// Sideways moves look at one well cell in the box's top row, chosen by the
// piece's shape: the cell the box's middle row would enter.
bool LeftAllowed() {
  if (pieceCells[0][1] != 0) return !Occupied(piece.column - 1, piece.row);
  return !Occupied(piece.column, piece.row);
}

bool RightAllowed() {
  if (pieceCells[0][1] != 0) return !Occupied(piece.column + 2, piece.row);
  if (pieceCells[2][1] != 0) return !Occupied(piece.column + 3, piece.row);
  return !Occupied(piece.column + 2, piece.row);
}

}  // namespace

// Walls in columns 0 and 9, the floor in row 12, the interior empty.
int well[kWellColumns][kWellRows] = {
    {W, W, W, W, W, W, W, W, W, W, W, W, W},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, W},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, W},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, W},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, W},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, W},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, W},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, W},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, W},
    {W, W, W, W, W, W, W, W, W, W, W, W, W},
};

// A vertical pair in the middle column: colour 5 above colour 4.
const int pieceCells[kBoxSize][kBoxSize] = {{0, 0, 0}, {0, 5, 4}, {0, 0, 0}};

Piece piece = {0, 0, 0, 0, 0, 0.0f};
int downKeyState = 0, leftKeyState = 0, rightKeyState = 0;
float fallFraction = 0.0f;
GameSeam gameSeam = {NoKey, NoCell, NoText};

const char firstPointText[] = "atr第壱ポイント通過";
const char secondPointText[] = "atr第弐ポイント通過";

void ResetGame() {
  for (int c = 0; c < kWellColumns; ++c)
    for (int r = 0; r < kWellRows; ++r)
      well[c][r] = (c == 0 || c == kWellColumns - 1 || r == kWellRows - 1) ? kWallCell : 0;
  piece = Piece{0, 0, 0, 0, 0, 0.0f};
  fallFraction = 0.0f;
  downKeyState = leftKeyState = rightKeyState = 0;
}

void DrawWell() {
  for (int c = 1; c <= 8; ++c)
    for (int r = 0; r <= 11; ++r)
      if (well[c][r] != 0)
        gameSeam.drawCell(kWellLeft + kCellSize * c, kWellTop + kCellSize * r, well[c][r]);
}

int SpawnPiece() {
  if (piece.active) return 0;
  piece = Piece{1, 0, 0, 1, 0, kNormalSpeed};
  fallFraction = 0.0f;
  return 1;
}

void UpdatePiece(float frameSeconds) {
  if (!piece.active) return;

  gameSeam.pollKey(kKeyDown, &downKeyState);
  gameSeam.pollKey(kKeyLeft, &leftKeyState);
  gameSeam.pollKey(kKeyRight, &rightKeyState);

  piece.x = piece.column * kCellSize;

  // The fall of one frame. The piece moves whole pixels; the fraction left
  // over is carried into the next frame, so the fall keeps its speed at any
  // frame rate (dropped every frame, it would stop the piece altogether once
  // a frame lasts less than one pixel's worth of time). A timer reading that
  // is negative or not a number moves nothing, and no frame moves the piece
  // further than the well is deep (this also keeps the conversion in range).
  float fall = frameSeconds * piece.speed;
  if (!(fall >= 0.0f)) fall = 0.0f;
  if (fall > float(kWellRows * kCellSize)) fall = float(kWellRows * kCellSize);
  fall += fallFraction;
  const int whole = static_cast<int>(fall);
  fallFraction = fall - static_cast<float>(whole);
  const int startY = piece.y;
  piece.y += whole;

  // A long frame (the window dragged, the machine busy) can carry the box past
  // several rows at once. Each row it passed is a place where it had to stop:
  // the first such row holds it, so it neither skips a resting place nor
  // leaves the well. Rows are tested from the one it started the frame in.
  for (int r = startY / kCellSize; r < piece.y / kCellSize; ++r) {
    if (RestsAt(piece.column, r)) {
      piece.y = r * kCellSize > startY ? r * kCellSize : startY;
      fallFraction = 0.0f;
      break;
    }
  }
  piece.row = piece.y / kCellSize;

  // The speed takes effect from the next frame: held means fast, up means
  // normal, and the one-frame press and release states keep what was there.
  if (downKeyState == 3) piece.speed = kFastSpeed;
  else if (downKeyState == 0) piece.speed = kNormalSpeed;

  if (leftKeyState == 1 && LeftAllowed()) --piece.column;
  if (rightKeyState == 1 && RightAllowed()) ++piece.column;

  // Draw every cell of the box (empty ones from the transparent cell 0) at the
  // column the frame started with, and land on the first supported cell.
  for (int i = 0; i < kBoxSize; ++i) {
    for (int j = 0; j < kBoxSize; ++j) {
      const int v = pieceCells[i][j];
      gameSeam.drawCell(kWellLeft + piece.x + kCellSize * i, kWellTop + piece.y + kCellSize * j, v);
      if (v == 0) continue;
      gameSeam.print(0, 0, firstPointText);
      if (Occupied(piece.column + i, piece.row + j + 1)) {
        gameSeam.print(0, 20, secondPointText);
        Store(piece.column + i, piece.row + j, v);
        // The other cell of a pair in the box's middle column rests with it.
        if (pieceCells[1][0] != 0) Store(piece.column + 1, piece.row, pieceCells[1][0]);
        else if (pieceCells[1][2] != 0) Store(piece.column + 1, piece.row + 1, pieceCells[1][1]);
        piece.active = 0;
      }
    }
  }
}

void ClearEnclosed() {
  // Left to right, changing the well as it goes: a block cleared here no
  // longer counts as a neighbour for the columns after it. Colours 1 and 2
  // never vanish.
  for (int c = 1; c <= 8; ++c)
    for (int r = 0; r <= 11; ++r)
      if (well[c][r] >= 3 && well[c + 1][r] != 0 && well[c - 1][r] != 0) well[c][r] = 0;
}
