// Rotation kernels. The reference loops follow the rule pixel by pixel, with
// U and V in 64 bits and the zoomed quotients in extended precision (where
// they are the exact quotients truncated). The fast paths give the same
// pixels: with a fixed zoom each axis's source coordinate depends only on
// U / 360 (or V / 360), so it is looked up in a table built per call by the
// reference's own mapping; the stretched tiles, whose zoom changes per row,
// divide by multiplying with the reciprocal and correcting the one case that
// can come out short (an exact quotient), and take remainders with Modulus.
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

Modulus::Modulus(std::uint32_t d) : divisor(d) {
  int l = 0;
  while ((std::uint64_t{1} << l) < d) ++l;
  shift = 31 + l;
  multiplier = static_cast<std::uint32_t>(((std::uint64_t{1} << shift) + d - 1) / d);
}

namespace {

constexpr long long kScale = muDraw::kSineScale;

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
  a.readFrom = std::max(0LL, -start);
  a.readTo = std::min(size, spriteSize - start);
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

// The least and greatest value of start + c x perColumn + r x perRow over the
// written part (an affine function: the extremes lie at its corners).
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

// Per-call tables of the fixed forms: for q = U / 360 - first, the byte
// offset of the source column in a sprite row; for q = V / 360 - first, the
// byte offset of the source row. -1: nothing drawn there.
constexpr int kAxisTableSize = 1 << 14;
int columnBytes[kAxisTableSize];
std::ptrdiff_t rowBytes[kAxisTableSize];

// The fixed forms through the tables; false (nothing drawn) when the window's
// U and V do not fit 32 bits or its quotients do not fit the tables.
template <typename P>
bool TableRows(const RotateTarget& t, const RotateSource& s, const Turn& g, const Axes& axes) {
  const int w = t.written.width, h = t.written.height;
  const long long u0 = RowU(g, t, 0), v0 = RowV(g, t, 0);
  const Span us = SpanOf(u0, g.c, -g.s, w, h), vs = SpanOf(v0, g.s, g.c, w, h);
  if (!FitsInt(us) || !FitsInt(vs)) return false;
  const long long qa0 = us.lo / kScale, qa1 = us.hi / kScale;   // the quotient keeps the order
  const long long qb0 = vs.lo / kScale, qb1 = vs.hi / kScale;
  if (qa1 - qa0 >= kAxisTableSize || qb1 - qb0 >= kAxisTableSize) return false;
  for (long long q = qa0; q <= qa1; ++q) {
    const int sx = axes.x.Map(q);
    columnBytes[q - qa0] = sx < 0 ? -1 : (s.left + sx) * static_cast<int>(sizeof(P));
  }
  for (long long q = qb0; q <= qb1; ++q) {
    const int sy = axes.y.Map(q);
    rowBytes[q - qb0] = sy < 0 ? -1 : static_cast<std::ptrdiff_t>(s.top + sy) * s.sprite.pitch;
  }
  const std::uint8_t* base = s.sprite.pixels;
  const int firstA = static_cast<int>(qa0), firstB = static_cast<int>(qb0);
  for (int r = 0; r < h; ++r) {
    int u = static_cast<int>(u0 - static_cast<long long>(g.s) * r);
    int v = static_cast<int>(v0 + static_cast<long long>(g.c) * r);
    P* d = t.written.Row<P>(r);
    for (int c = 0; c < w; ++c, u += g.c, v += g.s) {
      const std::ptrdiff_t x = columnBytes[u / 360 - firstA], y = rowBytes[v / 360 - firstB];
      if ((x | y) < 0) continue;
      const P pixel = *reinterpret_cast<const P*>(base + y + x);
      if (pixel != 0) d[c] = pixel;
    }
  }
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

// The zooms of RotateStretchTile's destination rows, visited in order.
class RowZooms {
 public:
  explicit RowZooms(const StretchRows& rows) : rows_(rows), x_(rows.zoomX), y_(rows.zoomY) {}
  void MoveTo(long long row) {
    for (; row_ < row; ++row_) {
      x_ += rows_.zoomXStep;
      y_ += rows_.zoomYStep;
    }
  }
  float x() const { return x_; }
  float y() const { return y_; }

 private:
  const StretchRows& rows_;
  float x_, y_;
  long long row_ = 0;
};

// trunc(a / zoom) from the reciprocal. With |a / zoom| below 2^26 the product
// is within 2^-26 of the quotient, while a quotient that is not whole lies at
// least 2^-24 from the nearest whole number (zoom has a 24-bit mantissa); so
// the truncated product is the truncated quotient, except when the quotient
// is whole and the product fell just short of it, which the exact product of
// the next candidate and the zoom (at most 51 bits) recognises.
inline int TruncQuotient(int a, double reciprocal, double zoom) {
  int q = static_cast<int>(a * reciprocal);
  const int next = q + (a > 0) - (a < 0);
  if (static_cast<double>(next) * zoom == a) q = next;
  return q;
}

constexpr double kQuotientLimit = 33554432.0;   // 2^25, with room below 2^26

template <typename P>
std::uint32_t Scaled(std::uint32_t p, const PixelFormat& f, const ChannelFloats& factor) {
  std::uint32_t out = 0;
  for (int c = 0; c < 3; ++c) {
    const long double v = static_cast<long double>(Depth<P>::Get(p, f, c)) * FactorValue(factor.v[c]);
    out |= Depth<P>::Put(static_cast<std::uint32_t>(std::min<long long>(static_cast<long long>(v), Depth<P>::kMax)), f, c);
  }
  return out;
}

template <typename P>
void StretchReference(const RotateTarget& t, const RotateSource& s, const PixelFormat& f, const Turn& g,
                      const StretchRows& rows) {
  RowZooms zooms(rows);
  for (int r = 0; r < t.written.height; ++r) {
    zooms.MoveTo(static_cast<long long>(t.firstRow) + r);
    if (!ValidZoom(zooms.x()) || !ValidZoom(zooms.y())) continue;
    const Axes axes = MakeAxes(t, s, Form::kZoomedTiled, zooms.x(), zooms.y());
    ReferenceRow<P>(t, s, g, axes, r, [&](std::uint32_t p) { return Scaled<P>(p, f, rows.factor); });
  }
}

// False when the window does not suit 32-bit stepping; rows whose quotients
// are too large for TruncQuotient go through the reference row.
template <typename P>
bool StretchFast(const RotateTarget& t, const RotateSource& s, const PixelFormat& f, const Turn& g,
                 const StretchRows& rows) {
  const int w = t.written.width, h = t.written.height;
  const long long u0 = RowU(g, t, 0), v0 = RowV(g, t, 0);
  const Span us = SpanOf(u0, g.c, -g.s, w, h), vs = SpanOf(v0, g.s, g.c, w, h);
  if (!FitsInt(us) || !FitsInt(vs)) return false;
  const long long ox = (static_cast<long long>(t.width) - s.width) >> 1;
  const long long oy = (static_cast<long long>(t.height) - s.height) >> 1;
  const long long aLimit = 1LL << 30;
  const long long aLo = us.lo / kScale - ox, aHi = us.hi / kScale - ox;
  const long long bLo = vs.lo / kScale - oy, bHi = vs.hi / kScale - oy;
  if (aLo < -aLimit || aHi > aLimit || bLo < -aLimit || bHi > aLimit) return false;

  ScaleSteps steps[3];
  for (int c = 0; c < 3; ++c) steps[c].Build(rows.factor.v[c], Depth<P>::kMax);
  const Modulus mx(static_cast<std::uint32_t>(s.width)), my(static_cast<std::uint32_t>(s.height));
  const Axis ax = MakeAxis(Form::kZoomedTiled, t.width, s.width, s.left, s.sprite.width, 1);
  const Axis ay = MakeAxis(Form::kZoomedTiled, t.height, s.height, s.top, s.sprite.height, 1);
  const auto xFrom = static_cast<std::uint32_t>(ax.readFrom), yFrom = static_cast<std::uint32_t>(ay.readFrom);
  const auto xSpan = static_cast<std::uint32_t>(std::max(0LL, ax.readTo - ax.readFrom));
  const auto ySpan = static_cast<std::uint32_t>(std::max(0LL, ay.readTo - ay.readFrom));
  const int oxi = static_cast<int>(ox), oyi = static_cast<int>(oy);

  RowZooms zooms(rows);
  for (int r = 0; r < h; ++r) {
    zooms.MoveTo(static_cast<long long>(t.firstRow) + r);
    const float zx = zooms.x(), zy = zooms.y();
    if (!ValidZoom(zx) || !ValidZoom(zy)) continue;
    int u = static_cast<int>(u0 - static_cast<long long>(g.s) * r);
    int v = static_cast<int>(v0 + static_cast<long long>(g.c) * r);
    // a and b run monotonically along the row: their ends bound them.
    const int aFirst = u / 360 - oxi, aLast = (u + g.c * (w - 1)) / 360 - oxi;
    const int bFirst = v / 360 - oyi, bLast = (v + g.s * (w - 1)) / 360 - oyi;
    const double aMax = std::max(std::abs(aFirst), std::abs(aLast));
    const double bMax = std::max(std::abs(bFirst), std::abs(bLast));
    if (aMax / zx >= kQuotientLimit || bMax / zy >= kQuotientLimit) {
      const Axes axes = MakeAxes(t, s, Form::kZoomedTiled, zx, zy);
      ReferenceRow<P>(t, s, g, axes, r, [&](std::uint32_t p) { return Scaled<P>(p, f, rows.factor); });
      continue;
    }
    const double rx = 1.0 / zx, ry = 1.0 / zy;
    P* d = t.written.Row<P>(r);
    for (int c = 0; c < w; ++c, u += g.c, v += g.s) {
      const int qa = TruncQuotient(u / 360 - oxi, rx, zx), qb = TruncQuotient(v / 360 - oyi, ry, zy);
      const std::uint32_t sx = mx.Of(static_cast<std::uint32_t>(qa < 0 ? -qa : qa));
      const std::uint32_t sy = my.Of(static_cast<std::uint32_t>(qb < 0 ? -qb : qb));
      if (sx - xFrom >= xSpan || sy - yFrom >= ySpan) continue;   // unsigned: also below the start
      const std::uint32_t p = s.sprite.Row<P>(s.top + static_cast<int>(sy))[s.left + static_cast<int>(sx)];
      if (p == 0) continue;
      d[c] = static_cast<P>(
          Depth<P>::Put(static_cast<std::uint32_t>(steps[kRed].value[Depth<P>::Get(p, f, kRed)]), f, kRed) |
          Depth<P>::Put(static_cast<std::uint32_t>(steps[kGreen].value[Depth<P>::Get(p, f, kGreen)]), f, kGreen) |
          Depth<P>::Put(static_cast<std::uint32_t>(steps[kBlue].value[Depth<P>::Get(p, f, kBlue)]), f, kBlue));
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
