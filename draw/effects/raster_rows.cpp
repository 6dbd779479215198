#include "draw/effects/raster_rows.h"

#include <cmath>

#include "draw/effects/frame_motion.h"

namespace mu {

RasterState rasterState;

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr float kFullTurn = 360.0f;

// Positions are worked in 64 bits and handed on through ClampToInt.
// The phase of the wave effects after a frame: less 360 once when it reaches
// 360; a negative speed lets it fall below 0.
float TurnPhase(float phase, float seconds, float speed) {
  phase = Advance(phase, seconds, speed);
  if (phase >= kFullTurn) phase -= kFullTurn;
  return phase;
}

// The scroll of WaveScroll and WaveBand: rows scrolled upwards, kept in 0..height.
float ScrollOn(float rows, float seconds, float speed, long long height) {
  const float h = static_cast<float>(height);
  rows = Advance(rows, seconds, -speed);
  if (rows < 0) rows += h;
  if (rows >= h) rows -= h;
  return rows;
}

// The wave's angle of row r: r / rowsPerDegree + trunc(phase) (integer
// division), or trunc(phase) + r when rowsPerDegree is 0.
long long Angle(long long r, int rowsPerDegree, float phase) {
  const long long base = TruncToInt(Finite(phase));
  return rowsPerDegree != 0 ? r / rowsPerDegree + base : base + r;
}

}  // namespace

int WaveOffset(int amplitude, long long angle) {
  return TruncToInt(amplitude * std::cos(static_cast<double>(angle) * kTwoPi / 360.0));
}

void WaveRows(int x, int y, int amplitude, int rowsPerDegree, float speed, const SourceRect& src,
              int interlace, float seconds, RasterState& st, RowSink& sink) {
  for (long long r = src.top; r < src.bottom; ++r) {
    long long o = WaveOffset(amplitude, Angle(r, rowsPerDegree, st.wavePhase));
    if (interlace) {
      o *= st.waveSign;
      st.waveSign = -st.waveSign;
    }
    sink.Blit(ClampToInt(x + o), ClampToInt(y + r - src.top), ClampToInt(r), ClampToInt(r + 1));
  }
  st.wavePhase = TurnPhase(st.wavePhase, seconds, speed);
}

void TileRows(float speedX, float speedY, const SourceRect& src, int screenWidth,
              int screenHeight, float seconds, RasterState& st, RowSink& sink) {
  const long long w = static_cast<long long>(src.right) - src.left;
  const long long h = static_cast<long long>(src.bottom) - src.top;
  if (w == 0 || h == 0) return;
  const long long ox = TruncToInt(Finite(st.tileX)), oy = TruncToInt(Finite(st.tileY));
  for (long long n = 0; n <= screenHeight / h + 1; ++n) {
    for (long long m = 0; m <= screenWidth / w + 1; ++m) {
      sink.Blit(ClampToInt(w * m + ox), ClampToInt(h * n + oy), src.top, src.bottom);
    }
  }
  // Each offset is kept within -size..0, so the tiling covers the screen
  // whichever way it moves.
  auto wrap = [](float offset, long long size) {
    const float s = static_cast<float>(size);
    if (offset < -s) offset += s;
    if (offset > 0) offset -= s;
    return offset;
  };
  st.tileX = wrap(Advance(st.tileX, seconds, speedX), w);
  st.tileY = wrap(Advance(st.tileY, seconds, speedY), h);
}

void WaveScrollRows(int x, int y, int amplitude, int rowsPerDegree, float waveSpeed,
                    float scrollSpeed, const SourceRect& src, float seconds, RasterState& st,
                    RowSink& sink) {
  const long long scroll = TruncToInt(Finite(st.scrollRows));
  for (long long r = src.top; r < src.bottom; ++r) {
    const int o = WaveOffset(amplitude, Angle(r, rowsPerDegree, st.scrollPhase));
    long long s = scroll + r;
    if (s >= src.bottom) s = src.top + (s - src.bottom);
    // The destination row is y + r, the source row number itself.
    sink.Blit(ClampToInt(x + static_cast<long long>(o)), ClampToInt(y + r), ClampToInt(s),
              ClampToInt(s + 1));
  }
  st.scrollPhase = TurnPhase(st.scrollPhase, seconds, waveSpeed);
  st.scrollRows = ScrollOn(st.scrollRows, seconds, scrollSpeed,
                           static_cast<long long>(src.bottom) - src.top);
}

void WaveBandRows(int bandTop, int bandBottom, int amplitude, int rowsPerDegree, float waveSpeed,
                  float scrollSpeed, const SourceRect& src, int screenWidth, float seconds,
                  RasterState& st, RowSink& sink) {
  const long long w = static_cast<long long>(src.right) - src.left;
  const long long h = static_cast<long long>(src.bottom) - src.top;
  if (w == 0 || h == 0) return;
  const long long scroll = TruncToInt(Finite(st.bandRows));
  for (long long k = 0; k < static_cast<long long>(bandBottom) - bandTop; ++k) {
    long long s = k % h + scroll;
    if (s > h - 1) s -= h;
    // The row's offset is the same for every tile of it: one cosine per row.
    const long long o = WaveOffset(amplitude, Angle(k, rowsPerDegree, st.bandPhase));
    const long long row = src.top + s;
    for (long long m = 0; m <= screenWidth / w + 1; ++m) {
      // Shifted left by the amplitude so that the left edge stays covered.
      sink.Blit(ClampToInt(w * m + o - amplitude), ClampToInt(bandTop + k), ClampToInt(row),
                ClampToInt(row + 1));
    }
  }
  st.bandPhase = TurnPhase(st.bandPhase, seconds, waveSpeed);
  st.bandRows = ScrollOn(st.bandRows, seconds, scrollSpeed, h);
}

void MosaicRows(int x, int y, int blockHeight, const SourceRect& src, RowSink& sink) {
  if (blockHeight < 1) return;
  for (long long b = src.top; b < src.bottom; b += blockHeight) {
    // The last block keeps its full height even where it passes the bottom.
    for (long long r = b; r < b + blockHeight; ++r) {
      sink.Blit(x, ClampToInt(y + r - src.top), ClampToInt(b), ClampToInt(b + 1));
    }
  }
}

void SkipRowsOf(int x, int y, int step, const SourceRect& src, int (*random)(), RowSink& sink) {
  auto draw = [&](long long r) {
    sink.Blit(x, ClampToInt(y + r - src.top), ClampToInt(r), ClampToInt(r + 1));
  };
  if (step > 0) {
    for (long long r = static_cast<long long>(src.top) + step; r < src.bottom; r += step) draw(r);
  } else if (step < 0) {
    const long long most = -static_cast<long long>(step);
    for (long long r = src.top + random() % most + 1; r < src.bottom; r += random() % most + 1) {
      draw(r);
    }
  }
}

void JitterRows(int x, int y, int shift, const SourceRect& src, int (*random)(), RowSink& sink) {
  if (shift <= 0) {
    sink.Blit(x, y, src.top, src.bottom);
    return;
  }
  const long long span = 2LL * shift;
  for (long long r = src.top; r < src.bottom; ++r) {
    sink.Blit(ClampToInt(x + random() % span - shift), ClampToInt(y + r - src.top), ClampToInt(r),
              ClampToInt(r + 1));
  }
}

void RollRows(int x, int y, int forward, float speed, const SourceRect& src, float seconds,
              RasterState& st, RowSink& sink) {
  const long long h = static_cast<long long>(src.bottom) - src.top;
  if (h < 2) return;
  const long long half = h / 2;
  const double phase = Finite(st.rollPhase);
  long long next = 0;
  for (long long i = 0; i < h; ++i) {
    // Where source row i ends on the drum; it covers the rows from the
    // previous row's end, or none when the drum turns it away.
    const double angle = (phase + static_cast<double>(i)) * kTwoPi / static_cast<double>(h - 1);
    const long long target = TruncToInt(static_cast<double>(half) + std::cos(angle) * half);
    for (long long d = next; d <= target; ++d) {
      sink.Blit(x, ClampToInt(y + d), ClampToInt(src.top + i), ClampToInt(src.top + i + 1));
    }
    next = target + 1;
  }
  const float height = static_cast<float>(h);
  if (forward) {
    st.rollPhase = Advance(st.rollPhase, seconds, speed);
    if (st.rollPhase >= height) st.rollPhase -= height;
  } else {
    st.rollPhase = Advance(st.rollPhase, seconds, -speed);
    if (st.rollPhase < 0) st.rollPhase += height;
  }
}

}  // namespace mu
