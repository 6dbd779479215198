// Platform-free rules of the drawing core: the display-depth fallbacks, the
// tile wipe's steps and the page view's scrolling (the blits' clipping is in
// draw/pixels/clip.h).
#ifndef MU_DRAW_DRAW_RULES_H
#define MU_DRAW_DRAW_RULES_H

#include "draw/pixels/clip.h"

namespace mu {

// Sets the full-screen mode at `depth`; when that fails, at fallback1, then
// at fallback2 (0: no such fallback), leaving `depth` at the last one tried.
// trySet returns a result code, negative for a failure; so does this.
long SetDepthWithFallbacks(int& depth, int fallback1, int fallback2,
                           long (*trySet)(int depth, void* context), void* context);

// The tile wipe: ten 64 x 48 frames laid as a 10 x 10 grid over 640 x 480.
constexpr int kWipeFrames = 10;
constexpr int kWipeTileWidth = 64;
constexpr int kWipeTileHeight = 48;
constexpr int kWipeColumns = 10;
constexpr int kWipeRows = 10;

// The frame to lay at this frame show (-1 when no wipe runs); then moves the
// step on and, past the last frame, sets step and direction to 0.
int AdvanceWipe(int& step, int& direction);

// The page view: a tall picture scrolled by the held key over tiles that drift.
constexpr int kPageTileColumns = 11;
constexpr int kPageTileRows = 11;
constexpr float kPageTileDrift = 10.0f;   // pixels a second
constexpr float kPageLineSpeed = 100.0f;  // up and down arrows, pixels a second
constexpr float kPageLeafSpeed = 300.0f;  // left and right arrows
constexpr int kKeyLeft = 37, kKeyUp = 38, kKeyRight = 39, kKeyDown = 40;

// Moves the tile offsets by the frame's drift, wrapping into (-64, 0] and (-48, 0].
void DriftPageTiles(float& tileX, float& tileY, float seconds);

// The page position after a frame with this key held, clamped to 0 first and
// then to pageHeight - clipHeight (which may leave it negative for a short page).
float ScrollPage(float pagePos, int key, float seconds, int pageHeight, int clipHeight);

}  // namespace mu

#endif
