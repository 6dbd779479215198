// The tunnel: a table of texture coordinates (u, v) for every cell of an area,
// built once with the trigonometry (u the angle about a centre, v the depth),
// and its drawing, which costs one table read and two remainders per pixel.
#ifndef MU_DRAW_EFFECTS_TUNNEL_H
#define MU_DRAW_EFFECTS_TUNNEL_H

#include <cstdint>

#include "draw/pixels/clip.h"
#include "draw/pixels/pixel_view.h"

namespace mu {

constexpr int kTunnelWidth = 640, kTunnelHeight = 480;
constexpr int kTunnelEntries = kTunnelWidth * kTunnelHeight;   // any width x height up to this
constexpr int kMaxTunnelRange = 32768;   // u and v are kept in signed 16 bits

// The tunnel's state: the last table built and its sizes.
struct TunnelTable {
  std::int16_t entry[kTunnelEntries][2];   // (u, v) of cell (j, i) at i x width + j
  int uRange, vRange;                      // u lies in 0..uRange - 1, v in 0..vRange - 1
  int width, height;                       // 0 until a table is built
};
extern TunnelTable tunnelTable;            // muDraw's table

// How the centre moves while the rows are built (other values: it stays).
constexpr int kTunnelStill = 0;
constexpr int kTunnelRising = 1;      // from the bottom edge, one row up per row
constexpr int kTunnelSweeping = 2;    // from the right edge, one column left per cell, every row
constexpr int kTunnelLeftward = 3;    // from the right edge, one column left per row, not past 0
constexpr int kTunnelRightward = 4;   // from the left edge, one column right per row, not past width

struct TunnelShape {
  int uRange, vRange;      // 1..kMaxTunnelRange
  int width, height;       // positive, width x height at most kTunnelEntries
  int centreX, centreY;    // -1: width / 2, height / 2
  int viewDivisor;         // the view angle is pi / max(divisor, 2); -1: 8
  int motion;
  int distanceKind;        // 0 round, 1 square, 2 diamond, 3 cross, 4 columns, 5 rows, 6 the centre's x; others 0
  int depthKind;           // 0..5; others 0
};

// Builds the table: for cell (j, i), dx = j - centre x, dy = i - centre y,
// u = trunc(uRange / 2 pi x atan2(dy, dx)) and v = trunc(e (|centre| - f) / f)
// with f the distance and e the depth factor of their kinds, both reduced into
// their ranges (negative values wrap). A cell whose distance or depth divisor
// is 0 (the centre) gets v = 0. Returns the height, or 0 with the old table
// kept when a size or range is out of bounds.
int MakeTunnel(TunnelTable& table, const TunnelShape& shape);

// Draws the table with its top-left at (x, y) of the screen, only inside
// `bounds` (which lie inside the screen): pixel (x + j, y + i) takes the sprite
// pixel at ((u + uOffset) mod uRange, (v + vOffset) mod vRange), zero
// included, the offsets taken modulo the ranges (negative ones too). A sprite
// smaller than the ranges is repeated: the coordinates are further reduced
// modulo its width and height. An empty table draws nothing.
void DrawTunnel(PixelView screen, const ClipBounds& bounds, int x, int y, int uOffset, int vOffset,
                ConstPixelView sprite, const PixelFormat& f, const TunnelTable& table);

}  // namespace mu

#endif
