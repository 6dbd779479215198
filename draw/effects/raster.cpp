// The raster effects: a picture drawn one source row at a time, each row by
// one colour-keyed blit (the roll by one opaque blit), at the places the rules
// of raster_rows.h give, with the frame time of the frame that runs.
#include <mu.h>

#include <cstdlib>

#include "draw/effects/raster_rows.h"

namespace muDraw {

namespace {

// Blits the rows a rule hands on from the sprite's source columns left..right.
class SpriteRows final : public mu::RowSink {
 public:
  SpriteRows(int sprite, int left, int right, bool keyed)
      : sprite_(sprite), left_(left), right_(right), keyed_(keyed) {}
  void Blit(int x, int y, int top, int bottom) override {
    if (keyed_) {
      BltKey(x, y, sprite_, left_, top, right_, bottom);
    } else {
      muDraw::Blt(x, y, sprite_, left_, top, right_, bottom);
    }
  }

 private:
  int sprite_, left_, right_;
  bool keyed_;
};

}  // namespace

void WaveBlt(int x, int y, int amplitude, int rowsPerDegree, float speed, int sprite, int left,
             int top, int right, int bottom, int interlace) {
  SpriteRows rows(sprite, left, right, true);
  mu::WaveRows(x, y, amplitude, rowsPerDegree, speed, {left, top, right, bottom}, interlace,
               muSystem::frameSeconds, mu::rasterState, rows);
}

void TileScroll(float speedX, float speedY, int sprite, int left, int top, int right, int bottom) {
  SpriteRows rows(sprite, left, right, true);
  mu::TileRows(speedX, speedY, {left, top, right, bottom}, muSystem::screenWidth,
               muSystem::screenHeight, muSystem::frameSeconds, mu::rasterState, rows);
}

void WaveScroll(int x, int y, int amplitude, int rowsPerDegree, float waveSpeed, float scrollSpeed,
                int sprite, int left, int top, int right, int bottom) {
  SpriteRows rows(sprite, left, right, true);
  mu::WaveScrollRows(x, y, amplitude, rowsPerDegree, waveSpeed, scrollSpeed,
                     {left, top, right, bottom}, muSystem::frameSeconds, mu::rasterState, rows);
}

void WaveBand(int bandTop, int bandBottom, int amplitude, int rowsPerDegree, float waveSpeed,
              float scrollSpeed, int sprite, int left, int top, int right, int bottom) {
  SpriteRows rows(sprite, left, right, true);
  mu::WaveBandRows(bandTop, bandBottom, amplitude, rowsPerDegree, waveSpeed, scrollSpeed,
                   {left, top, right, bottom}, muSystem::screenWidth, muSystem::frameSeconds,
                   mu::rasterState, rows);
}

void RowMosaic(int x, int y, int blockHeight, int sprite, int left, int top, int right,
               int bottom) {
  SpriteRows rows(sprite, left, right, true);
  mu::MosaicRows(x, y, blockHeight, {left, top, right, bottom}, rows);
}

void SkipRows(int x, int y, int step, int sprite, int left, int top, int right, int bottom) {
  SpriteRows rows(sprite, left, right, true);
  mu::SkipRowsOf(x, y, step, {left, top, right, bottom}, std::rand, rows);
}

void JitterBlt(int x, int y, int shift, int sprite, int left, int top, int right, int bottom) {
  SpriteRows rows(sprite, left, right, true);
  mu::JitterRows(x, y, shift, {left, top, right, bottom}, std::rand, rows);
}

void RollBlt(int x, int y, int forward, float speed, int sprite, int left, int top, int right,
             int bottom) {
  SpriteRows rows(sprite, left, right, false);
  mu::RollRows(x, y, forward, speed, {left, top, right, bottom}, muSystem::frameSeconds,
               mu::rasterState, rows);
}

}  // namespace muDraw
