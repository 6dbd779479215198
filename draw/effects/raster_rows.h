// Where the raster effects put each row: the wave, tile, scroll, band,
// mosaic, skip, jitter and roll rules, and the phases and offsets they keep
// between calls. Plain C++: each rule hands its blits, in drawing order, to a
// RowSink; the Windows side draws each with one keyed or opaque blit.
//
// Angles are whole degrees; a cosine is taken in double precision of
// angle x 2 pi / 360, and products become integers by truncation toward zero.
// Kept values advance by frame time x speed (frame_motion.h).
#ifndef MU_DRAW_EFFECTS_RASTER_ROWS_H
#define MU_DRAW_EFFECTS_RASTER_ROWS_H

#include "draw/pixels/clip.h"

namespace mu {

// Receives one blit: source rows sourceTop .. sourceBottom - 1 (between the
// source rectangle's left and right) to (x, y).
class RowSink {
 public:
  virtual void Blit(int x, int y, int sourceTop, int sourceBottom) = 0;

 protected:
  ~RowSink() = default;
};

// The state of the animated effects, one set for the whole program: an
// effect resumes where its last call left it, whatever picture it draws.
struct RasterState {
  float wavePhase = 0;        // WaveBlt: degrees
  int waveSign = 1;           // WaveBlt: +1 or -1, the next row's swing when interlaced
  float tileX = 0, tileY = 0; // TileScroll: offsets in -width..0 and -height..0
  float scrollPhase = 0;      // WaveScroll: degrees
  float scrollRows = 0;       // WaveScroll: rows scrolled, 0..height
  float bandPhase = 0;        // WaveBand: degrees
  float bandRows = 0;         // WaveBand: rows scrolled, 0..tile height
  float rollPhase = 0;        // RollBlt: rows, 0..height
};
extern RasterState rasterState;

// The source rectangle (right and bottom exclusive).
using SourceRect = ClipBounds;

// trunc(amplitude x cos(angle degrees)).
int WaveOffset(int amplitude, long long angle);

// Each source row r to (x + its wave offset, y + r - top); then the phase moves on.
void WaveRows(int x, int y, int amplitude, int rowsPerDegree, float speed, const SourceRect& src,
              int interlace, float seconds, RasterState& state, RowSink& sink);

// The whole source as tiles over a screen of screenWidth x screenHeight at the
// kept offsets; then the offsets move on. A tile without area draws nothing.
void TileRows(float speedX, float speedY, const SourceRect& src, int screenWidth,
              int screenHeight, float seconds, RasterState& state, RowSink& sink);

// Each row r of the rectangle, scrolled and waved, to (x + offset, y + r).
void WaveScrollRows(int x, int y, int amplitude, int rowsPerDegree, float waveSpeed,
                    float scrollSpeed, const SourceRect& src, float seconds, RasterState& state,
                    RowSink& sink);

// Screen rows bandTop .. bandBottom - 1 tiled across with scrolled, waved
// source rows. A tile without area draws nothing.
void WaveBandRows(int bandTop, int bandBottom, int amplitude, int rowsPerDegree, float waveSpeed,
                  float scrollSpeed, const SourceRect& src, int screenWidth, float seconds,
                  RasterState& state, RowSink& sink);

// Each block's first row repeated over the block; a block height below 1 draws nothing.
void MosaicRows(int x, int y, int blockHeight, const SourceRect& src, RowSink& sink);

// Every step-th row after the first (step > 0), rows at random gaps of 1 to
// -step (step < 0), nothing for step 0. random() answers 0..RAND_MAX.
void SkipRowsOf(int x, int y, int step, const SourceRect& src, int (*random)(), RowSink& sink);

// Each row moved sideways at random by -shift .. shift - 1; shift <= 0 is one
// blit of the whole source.
void JitterRows(int x, int y, int shift, const SourceRect& src, int (*random)(), RowSink& sink);

// The source wound on a turning drum: rows stretched and hidden by a cosine
// of the kept phase; then the phase turns forward or back. A source under two
// rows high draws nothing.
void RollRows(int x, int y, int forward, float speed, const SourceRect& src, float seconds,
              RasterState& state, RowSink& sink);

}  // namespace mu

#endif
