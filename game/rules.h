// Pelmora's rules: the well, the falling piece, landing and clearing.
// Plain C++ with no Windows calls. Everything the rules need from the outside
// (the key poll, drawing a block, printing a status text) goes through
// `gameSeam`, and the frame's length is an argument, so the rules run the same
// in the game and in native tests.
#ifndef PELMORA_RULES_H
#define PELMORA_RULES_H

constexpr int kWellColumns = 10;     // 8 playable columns between two walls
constexpr int kWellRows = 13;        // 12 playable rows above the floor
constexpr int kWallCell = 99;        // wall or floor
constexpr int kCellSize = 30;        // pixels per cell, both ways
constexpr int kWellLeft = 170;       // screen position of well cell (0, 0)
constexpr int kWellTop = 120;
constexpr int kBoxSize = 3;          // the piece's box is 3 x 3 cells
constexpr float kNormalSpeed = 100.0f;   // fall speed, pixels per second
constexpr float kFastSpeed = 200.0f;     // while the down-arrow key is held

constexpr int kKeyDown = 40;         // virtual-key codes of the arrow keys
constexpr int kKeyLeft = 37;
constexpr int kKeyRight = 39;

// Colour numbers, indexed [column][row]; 0 empty, kWallCell walls and floor.
extern int well[kWellColumns][kWellRows];
// The piece's shape and colours inside its box, indexed [column][row].
extern const int pieceCells[kBoxSize][kBoxSize];

struct Piece {
  int active;    // 1 while falling
  int x, y;      // box offset from the well's origin, pixels
  int column;    // well column of the box's left column
  int row;       // well row of the box's top row (y / kCellSize)
  float speed;   // pixels per second
};
extern Piece piece;
extern float fallFraction;           // part of a pixel the piece has yet to fall

extern int downKeyState, leftKeyState, rightKeyState;   // 0 up, 1 pressed, 3 held, 2 released

struct GameSeam {
  void (*pollKey)(int key, int* state);             // advances one key state
  void (*drawCell)(int x, int y, int colour);        // block picture of that colour at (x, y)
  void (*print)(int x, int y, const char* text);     // status text at (x, y)
};
extern GameSeam gameSeam;            // starts as no-ops

extern const char firstPointText[];   // shown while a piece falls
extern const char secondPointText[];  // shown in the frame a piece comes to rest

void ResetGame();                     // empty well, no piece, keys up
void DrawWell();                      // every non-empty interior cell
int SpawnPiece();                     // new piece at the top; 0 if one is already falling
void UpdatePiece(float frameSeconds); // keys, fall, sideways move, draw, land
void ClearEnclosed();                 // removes blocks with occupied cells on both sides

#endif
