// Rotation kernels. The reference loops follow the rule pixel by pixel, with
// U and V in 64 bits and the zoomed quotients in extended precision (where
// they are the exact quotients truncated). The fast paths give the same
// pixels: with a fixed zoom each axis's source coordinate depends only on
// U / 360 (or V / 360), so it is looked up in a table built per call by the
// reference's own mapping; the stretched tiles, whose zoom changes per row,
// rebuild the tables for each row by walking the exact quotients in integer
// steps.
#include "draw/effects/rotate.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "draw/effects/channels.h"
#include "draw/effects/effect_paths.h"
#include "draw/pixel_format.h"

namespace mu {

int AngleIndex(int degrees) {
  const int r = degrees % 360;
  return r < 0 ? r + 360 : r;
}

namespace {

constexpr long long kScale = muDraw::kSineScale;
constexpr int kStepScale = muDraw::kSineScale;   // for U and V stepped in 32 bits: an int division

// The angle's cosine and sine and the rectangle's half sizes.
struct Turn {
  int c, s;
  long long hw, hh;
};

Turn TurnOf(const RotateTarget& t, int angle) {
  const int a = AngleIndex(angle);
  return Turn{muDraw::sineTable[a + 90], muDraw::sineTable[a], t.width >> 1, t.height >> 1};
}

// U and V at the first written pixel of written row r.
long long RowU(const Turn& g, const RotateTarget& t, int r) {
  const long long i = t.firstColumn, j = static_cast<long long>(t.firstRow) + r;
  return kScale * g.hw + g.c * (i - g.hw) - g.s * (j - g.hh);
}
long long RowV(const Turn& g, const RotateTarget& t, int r) {
  const long long i = t.firstColumn, j = static_cast<long long>(t.firstRow) + r;
  return kScale * g.hh + g.s * (i - g.hw) + g.c * (j - g.hh);
}

bool ValidZoom(float z) { return std::isfinite(z) && z > 0; }

enum class Form { kPlain, kTiled, kZoomed, kZoomedTiled };

// One axis of a form: the source coordinate (0..size - 1, inside the sprite)
// shown where U / 360 (or V / 360) is q, or -1 for none.
struct Axis {
  Form form;
  long long offset;           // ox (oy): (W - SW) >> 1
  long double zoomedOffset;   // the zoomed form's: (W - trunc(SW x zoom)) >> 1
  long double zoom;
  long long size;             // SW (SH)
  long long readFrom, readTo; // the coordinates whose pixels lie inside the sprite

  int Map(long long q) const {
    long long s = 0;
    switch (form) {
      case Form::kPlain:
        s = q - offset;
        if (s < 0 || s >= size) return -1;
        break;
      case Form::kTiled:
        s = std::llabs(q - offset) % size;
        break;
      case Form::kZoomed: {
        const long double v = std::trunc((static_cast<long double>(q) - zoomedOffset) / zoom);
        if (!(v >= 0 && v < size)) return -1;
        s = static_cast<long long>(v);
        break;
      }
      case Form::kZoomedTiled: {
        // fmod is exact, so a quotient beyond the integers still has its remainder.
        const long double v = std::trunc(static_cast<long double>(q - offset) / zoom);
        s = static_cast<long long>(std::fmod(std::fabs(v), static_cast<long double>(size)));
        break;
      }
    }
    return s >= readFrom && s < readTo ? static_cast<int>(s) : -1;
  }
};

struct Axes {
  Axis x, y;
};

Axis MakeAxis(Form form, long long target, long long size, long long start, long long spriteSize,
              long double zoom) {
  Axis a{};
  a.form = form;
  a.offset = (target - size) >> 1;   // >> of a negative value rounds toward minus infinity
  a.zoom = zoom;
  a.size = size;
  // An empty range (readTo = readFrom) when the rectangle misses the sprite:
  // the fast paths take readTo - readFrom as an unsigned span.
  a.readFrom = std::max(0LL, -start);
  a.readTo = std::max(a.readFrom, std::min(size, spriteSize - start));
  if (form == Form::kZoomed) a.zoomedOffset = std::floor((target - std::trunc(size * zoom)) / 2);
  return a;
}

Axes MakeAxes(const RotateTarget& t, const RotateSource& s, Form form, float zoomX, float zoomY) {
  return Axes{MakeAxis(form, t.width, s.width, s.left, s.sprite.width, zoomX),
              MakeAxis(form, t.height, s.height, s.top, s.sprite.height, zoomY)};
}

// Written row r by the rule.
template <typename P, typename Paint>
void ReferenceRow(const RotateTarget& t, const RotateSource& s, const Turn& g, const Axes& axes,
                  int r, Paint paint) {
  long long u = RowU(g, t, r), v = RowV(g, t, r);
  P* d = t.written.Row<P>(r);
  for (int c = 0; c < t.written.width; ++c, u += g.c, v += g.s) {
    const int sx = axes.x.Map(u / kScale), sy = axes.y.Map(v / kScale);
    if (sx < 0 || sy < 0) continue;
    const P pixel = s.sprite.Row<P>(s.top + sy)[s.left + sx];
    if (pixel != 0) d[c] = static_cast<P>(paint(pixel));
  }
}

// The least and greatest value of start + c x perColumn + r x perRow over
// columns 0..columns - 1 and rows 0..rows - 1 (an affine function: the
// extremes lie at the corners).
struct Span {
  long long lo, hi;
};
Span SpanOf(long long start, long long perColumn, long long perRow, int columns, int rows) {
  const long long across = perColumn * (columns - 1), down = perRow * (rows - 1);
  return Span{start + std::min(0LL, across) + std::min(0LL, down),
              start + std::max(0LL, across) + std::max(0LL, down)};
}

// U and V stepped in 32 bits need every value, and one step past the last
// column, to fit.
bool FitsInt(const Span& s) { return s.lo >= INT_MIN + kScale && s.hi <= INT_MAX - kScale; }

// The fast paths' tables: for U / 360 = firstA + k, entry k is the byte
// offset of the source column in a sprite row; for V / 360 = firstB + k, the
// byte offset of the source row. -1: nothing drawn there.
constexpr int kAxisTableSize = 1 << 14;
struct AxisTables {
  int firstA, firstB;
  int columnBytes[kAxisTableSize];
  std::ptrdiff_t rowBytes[kAxisTableSize];
};
AxisTables tables;

// The written part's U and V, when they suit 32-bit stepping and the tables.
struct Window {
  long long u0, v0;   // at its first pixel
  Span a, b;          // the quotients U / 360 and V / 360 over it
};
bool WindowOf(const RotateTarget& t, const Turn& g, Window& out) {
  const int w = t.written.width, h = t.written.height;
  out.u0 = RowU(g, t, 0);
  out.v0 = RowV(g, t, 0);
  const Span us = SpanOf(out.u0, g.c, -g.s, w, h), vs = SpanOf(out.v0, g.s, g.c, w, h);
  if (!FitsInt(us) || !FitsInt(vs)) return false;
  out.a = Span{us.lo / kScale, us.hi / kScale};   // the quotient keeps the order
  out.b = Span{vs.lo / kScale, vs.hi / kScale};
  return out.a.hi - out.a.lo < kAxisTableSize && out.b.hi - out.b.lo < kAxisTableSize;
}

// Written row r through the tables, each drawn pixel passed through paint.
template <typename P, typename Paint>
void TableRow(const RotateTarget& t, const RotateSource& s, const Turn& g, const Window& win, int r,
              Paint paint) {
  const std::uint8_t* base = s.sprite.pixels;
  int u = static_cast<int>(win.u0 - static_cast<long long>(g.s) * r);
  int v = static_cast<int>(win.v0 + static_cast<long long>(g.c) * r);
  P* d = t.written.Row<P>(r);
  for (int c = 0; c < t.written.width; ++c, u += g.c, v += g.s) {
    const std::ptrdiff_t x = tables.columnBytes[u / kStepScale - tables.firstA];
    const std::ptrdiff_t y = tables.rowBytes[v / kStepScale - tables.firstB];
    if ((x | y) < 0) continue;   // either is -1: the OR of two offsets has the sign bit of either
    const P pixel = *reinterpret_cast<const P*>(base + y + x);
    if (pixel != 0) d[c] = static_cast<P>(paint(pixel));
  }
}

// The fixed forms: one pair of tables for the whole window, filled by the
// reference's own mapping. False (nothing drawn) when the window does not suit.
template <typename P>
bool TableRows(const RotateTarget& t, const RotateSource& s, const Turn& g, const Axes& axes) {
  Window win;
  if (!WindowOf(t, g, win)) return false;
  tables.firstA = static_cast<int>(win.a.lo);
  tables.firstB = static_cast<int>(win.b.lo);
  for (long long q = win.a.lo; q <= win.a.hi; ++q) {
    const int sx = axes.x.Map(q);
    tables.columnBytes[q - win.a.lo] = sx < 0 ? -1 : (s.left + sx) * static_cast<int>(sizeof(P));
  }
  for (long long q = win.b.lo; q <= win.b.hi; ++q) {
    const int sy = axes.y.Map(q);
    tables.rowBytes[q - win.b.lo] = sy < 0 ? -1 : static_cast<std::ptrdiff_t>(s.top + sy) * s.sprite.pitch;
  }
  for (int r = 0; r < t.written.height; ++r) TableRow<P>(t, s, g, win, r, [](std::uint32_t p) { return p; });
  return true;
}

void FixedForm(const RotateTarget& t, const RotateSource& s, const PixelFormat& f, int angle, Form form,
               float zoom) {
  if (t.written.Empty() || s.width <= 0 || s.height <= 0 || !ValidZoom(zoom)) return;
  ForDepth(t.written, f, [&](auto pixel) {
    using P = decltype(pixel);
    const Turn g = TurnOf(t, angle);
    const Axes axes = MakeAxes(t, s, form, zoom, zoom);
    if (FastPath() && TableRows<P>(t, s, g, axes)) return;
    for (int r = 0; r < t.written.height; ++r) {
      ReferenceRow<P>(t, s, g, axes, r, [](std::uint32_t p) { return p; });
    }
  });
}

// The zooms of RotateStretchTile's destination rows, visited in order. Rows
// far above the written ones cost nothing once the sums stop changing (a float
// sum does within about 2^25 steps, when the step falls below half its unit).
class RowZooms {
 public:
  explicit RowZooms(const StretchRows& rows) : rows_(rows), x_(rows.zoomX), y_(rows.zoomY) {}
  void MoveTo(long long row) {
    for (; row_ < row; ++row_) {
      const float x = x_ + rows_.zoomXStep, y = y_ + rows_.zoomYStep;
      if (Same(x, x_) && Same(y, y_)) {
        row_ = row;
        break;
      }
      x_ = x;
      y_ = y;
    }
  }
  float x() const { return x_; }
  float y() const { return y_; }

 private:
  static bool Same(float a, float b) { return a == b || (std::isnan(a) && std::isnan(b)); }
  const StretchRows& rows_;
  float x_, y_;
  long long row_ = 0;
};

// The colour factors held to their range (FactorValue), once per call.
ChannelFloats HeldFactors(const ChannelFloats& factor) {
  return ChannelFloats{{FactorValue(factor.v[0]), FactorValue(factor.v[1]), FactorValue(factor.v[2])}};
}

// A pixel's level components times factors already held to their range.
template <typename P>
std::uint32_t Scaled(std::uint32_t p, const PixelFormat& f, const ChannelFloats& held) {
  std::uint32_t out = 0;
  for (int c = 0; c < 3; ++c) {
    const long double v = static_cast<long double>(Depth<P>::Get(p, f, c)) * held.v[c];
    out |= Depth<P>::Put(static_cast<std::uint32_t>(std::min<long long>(static_cast<long long>(v), Depth<P>::kMax)), f, c);
  }
  return out;
}

template <typename P>
void StretchReference(const RotateTarget& t, const RotateSource& s, const PixelFormat& f, const Turn& g,
                      const StretchRows& rows) {
  const ChannelFloats held = HeldFactors(rows.factor);
  RowZooms zooms(rows);
  for (int r = 0; r < t.written.height; ++r) {
    zooms.MoveTo(static_cast<long long>(t.firstRow) + r);
    if (!ValidZoom(zooms.x()) || !ValidZoom(zooms.y())) continue;
    const Axes axes = MakeAxes(t, s, Form::kZoomedTiled, zooms.x(), zooms.y());
    ReferenceRow<P>(t, s, g, axes, r, [&](std::uint32_t p) { return Scaled<P>(p, f, held); });
  }
}

// trunc(n / zoom) mod size for n = first, first + 1, ... in exact integer
// steps. zoom = m 2^e with a 24-bit m, so n / zoom = (n 2^s) / d with
// s = max(-e, 0) and d = m 2^max(e, 0): each step adds 2^s to the numerator,
// which raises the quotient by 2^s / d and the remainder by 2^s mod d (and
// the quotient by one more when the remainder reaches d), and the quotient's
// residue mod size follows. While n / zoom stays below 2^26 every number fits;
// the result is the exact quotient's, which is the rule's.
class QuotientWalk {
 public:
  // False when n / zoom may reach 2^26 for n up to last.
  bool Start(float zoom, std::uint32_t first, std::uint32_t last, std::uint32_t size) {
    size_ = size;
    if (static_cast<double>(last) < zoom) {   // every quotient is 0
      residue_ = stepQuotient_ = 0;
      divisor_ = 1;
      remainder_ = stepRemainder_ = 0;
      return true;
    }
    if (static_cast<double>(last) >= static_cast<double>(zoom) * kQuotientLimit) return false;
    int e = 0;
    const double mantissa = std::frexp(static_cast<double>(zoom), &e);   // in [0.5, 1)
    const auto m = static_cast<std::uint64_t>(std::ldexp(mantissa, 24));
    e -= 24;
    const int s = e < 0 ? -e : 0;
    divisor_ = static_cast<std::uint32_t>(m << (e > 0 ? e : 0));   // below 2^31: zoom <= last
    const std::uint64_t numerator = std::uint64_t{first} << s, step = std::uint64_t{1} << s;   // below 2^50
    residue_ = static_cast<std::uint32_t>(numerator / divisor_ % size);
    remainder_ = static_cast<std::uint32_t>(numerator % divisor_);
    stepQuotient_ = static_cast<std::uint32_t>(step / divisor_ % size);
    stepRemainder_ = static_cast<std::uint32_t>(step % divisor_);
    return true;
  }
  // The value for the current n; moves on to n + 1.
  std::uint32_t Next() {
    const std::uint32_t value = residue_;
    remainder_ += stepRemainder_;
    const std::uint32_t carry = remainder_ >= divisor_ ? 1 : 0;
    remainder_ -= carry ? divisor_ : 0;
    residue_ += stepQuotient_ + carry;   // below 2 x size
    residue_ -= residue_ >= size_ ? size_ : 0;
    return value;
  }

 private:
  static constexpr double kQuotientLimit = 67108864.0;   // 2^26
  // The remainders stay below the divisor, so their sum fits 32 bits.
  std::uint32_t size_ = 1, residue_ = 0, stepQuotient_ = 0;
  std::uint32_t divisor_ = 1, remainder_ = 0, stepRemainder_ = 0;
};

// One axis of a stretched row: entry q - first of `out`, for q = first..last,
// gets bytes(trunc(|q - offset| / zoom) mod size). The two sides of offset
// are walked apart, each with n = |q - offset| rising. False when the walk
// cannot take the quotients.
template <typename T, typename Bytes>
bool WalkAxis(float zoom, long long first, long long last, long long offset, long long size, T* out,
              Bytes bytes) {
  auto side = [&](long long nFrom, long long nTo, long long sign) {
    if (nFrom > nTo) return true;
    QuotientWalk walk;
    if (nTo > INT_MAX || !walk.Start(zoom, static_cast<std::uint32_t>(nFrom), static_cast<std::uint32_t>(nTo),
                                     static_cast<std::uint32_t>(size))) {
      return false;
    }
    T* entry = out + (offset + sign * nFrom - first);
    for (long long n = nFrom; n <= nTo; ++n, entry += sign) *entry = bytes(walk.Next());
    return true;
  };
  return side(std::max(first, offset) - offset, last - offset, 1) &&
         side(offset - std::min(last, offset - 1), offset - first, -1);
}

// The two paint tables of 16-bit pixels (see StretchFast).
constexpr int kSplitBits = 11;
struct SplitPaint {
  std::uint16_t high[1 << kSplitBits];
  std::uint16_t low[1 << 8];
};
SplitPaint splitPaint;

// False when the window does not suit the tables; rows whose quotients are
// too large for the walk go through the reference row.
template <typename P>
bool StretchFast(const RotateTarget& t, const RotateSource& s, const PixelFormat& f, const Turn& g,
                 const StretchRows& rows) {
  Window win;
  if (!WindowOf(t, g, win)) return false;
  // The colour factors per native value of each channel, the result already
  // in place: three lookups paint a pixel.
  struct ChannelScale {
    std::uint32_t shift, max;
    std::uint32_t out[kChannelValues];
  } scale[3];
  for (int c = 0; c < 3; ++c) {
    ScaleSteps steps;
    steps.Build(rows.factor.v[c], Depth<P>::kMax);
    scale[c].shift = f.channel[c].shift;
    scale[c].max = f.channel[c].max;
    for (std::uint32_t v = 0; v <= scale[c].max; ++v) {
      const std::uint32_t level = Depth<P>::Get(v << scale[c].shift, f, c);
      scale[c].out[v] = Depth<P>::Put(static_cast<std::uint32_t>(steps.value[level]), f, c);
    }
  }
  auto paint = [&scale](std::uint32_t p) {
    return scale[0].out[(p >> scale[0].shift) & scale[0].max] | scale[1].out[(p >> scale[1].shift) & scale[1].max] |
           scale[2].out[(p >> scale[2].shift) & scale[2].max];
  };
  // On 16-bit pixels with blue in the lowest bits, two lookups: red and green
  // together by the bits above blue, blue by its own (a channel's value 0
  // stays 0, so the two halves OR together).
  int blueBits = 0;
  while (f.channel[kBlue].shift == 0 && blueBits < 8 && ((f.channel[kBlue].max >> blueBits) & 1)) ++blueBits;
  const bool split = sizeof(P) == 2 && blueBits > 0 && 16 - blueBits <= kSplitBits;
  if (split) {
    for (std::uint32_t high = 0; high < (1u << (16 - blueBits)); ++high) splitPaint.high[high] = paint(high << blueBits);
    for (std::uint32_t low = 0; low <= f.channel[kBlue].max; ++low) splitPaint.low[low] = paint(low);
  }
  const Axis ax = MakeAxis(Form::kZoomedTiled, t.width, s.width, s.left, s.sprite.width, 1);
  const Axis ay = MakeAxis(Form::kZoomedTiled, t.height, s.height, s.top, s.sprite.height, 1);
  // Source coordinates as byte offsets; -1 outside the sprite (unsigned:
  // below the first readable one too).
  const auto xFrom = static_cast<std::uint32_t>(ax.readFrom), xSpan = static_cast<std::uint32_t>(ax.readTo - ax.readFrom);
  const auto yFrom = static_cast<std::uint32_t>(ay.readFrom), ySpan = static_cast<std::uint32_t>(ay.readTo - ay.readFrom);
  auto columnBytes = [&](std::uint32_t sx) {
    return sx - xFrom < xSpan ? (s.left + static_cast<int>(sx)) * static_cast<int>(sizeof(P)) : -1;
  };
  auto rowBytes = [&](std::uint32_t sy) {
    return sy - yFrom < ySpan ? static_cast<std::ptrdiff_t>(s.top + static_cast<int>(sy)) * s.sprite.pitch : std::ptrdiff_t{-1};
  };
  const long long across = t.written.width - 1;
  RowZooms zooms(rows);
  for (int r = 0; r < t.written.height; ++r) {
    zooms.MoveTo(static_cast<long long>(t.firstRow) + r);
    const float zx = zooms.x(), zy = zooms.y();
    if (!ValidZoom(zx) || !ValidZoom(zy)) continue;
    // The row's quotients lie between those at its ends.
    const long long u = win.u0 - static_cast<long long>(g.s) * r, v = win.v0 + static_cast<long long>(g.c) * r;
    const long long ua = u / kScale, ub = (u + g.c * across) / kScale;
    const long long va = v / kScale, vb = (v + g.s * across) / kScale;
    tables.firstA = static_cast<int>(std::min(ua, ub));
    tables.firstB = static_cast<int>(std::min(va, vb));
    if (!WalkAxis(zx, tables.firstA, std::max(ua, ub), ax.offset, s.width, tables.columnBytes, columnBytes) ||
        !WalkAxis(zy, tables.firstB, std::max(va, vb), ay.offset, s.height, tables.rowBytes, rowBytes)) {
      const Axes axes = MakeAxes(t, s, Form::kZoomedTiled, zx, zy);
      const ChannelFloats held = HeldFactors(rows.factor);
      ReferenceRow<P>(t, s, g, axes, r, [&](std::uint32_t p) { return Scaled<P>(p, f, held); });
      continue;
    }
    if (split) {
      TableRow<P>(t, s, g, win, r, [blueBits](std::uint32_t p) {
        return splitPaint.high[p >> blueBits] | splitPaint.low[p & ((1u << blueBits) - 1)];
      });
    } else {
      TableRow<P>(t, s, g, win, r, paint);
    }
  }
  return true;
}

}  // namespace

void RotateBlt(const RotateTarget& t, const RotateSource& s, const PixelFormat& f, int angle) {
  FixedForm(t, s, f, angle, Form::kPlain, 1);
}

void RotateTile(const RotateTarget& t, const RotateSource& s, const PixelFormat& f, int angle) {
  FixedForm(t, s, f, angle, Form::kTiled, 1);
}

void RotateZoom(const RotateTarget& t, const RotateSource& s, const PixelFormat& f, int angle, float zoom) {
  FixedForm(t, s, f, angle, Form::kZoomed, zoom);
}

void RotateZoomTile(const RotateTarget& t, const RotateSource& s, const PixelFormat& f, int angle,
                    float zoom) {
  FixedForm(t, s, f, angle, Form::kZoomedTiled, zoom);
}

void RotateStretchTile(const RotateTarget& t, const RotateSource& s, const PixelFormat& f, int angle,
                       const StretchRows& rows) {
  if (t.written.Empty() || s.width <= 0 || s.height <= 0) return;
  ForDepth(t.written, f, [&](auto pixel) {
    using P = decltype(pixel);
    const Turn g = TurnOf(t, angle);
    if (FastPath() && StretchFast<P>(t, s, f, g, rows)) return;
    StretchReference<P>(t, s, f, g, rows);
  });
}

}  // namespace mu
