// The tunnel table and its drawing: the reference loop takes the remainders
// per pixel, the fast path looks each u and v up in per-call tables of the
// sprite column and row they end on.
#include "draw/effects/tunnel.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "draw/effects/channels.h"
#include "draw/effects/effect_paths.h"

namespace mu {

TunnelTable tunnelTable;

namespace {

constexpr double kPi = 3.141592653589793;
constexpr int kDistanceKinds = 7, kDepthKinds = 6;
constexpr int kDefaultViewDivisor = 8;

// trunc(value) reduced into 0..range - 1 (a negative one raised by the range
// until it is not). fmod is exact, so no value is too large.
int Wrap(double value, int range) {
  double m = std::fmod(std::trunc(value), static_cast<double>(range));
  if (m < 0) m += range;
  return static_cast<int>(m);
}

int WrapInt(long long value, long long range) {
  const long long m = value % range;
  return static_cast<int>(m < 0 ? m + range : m);
}

}  // namespace

int MakeTunnel(TunnelTable& t, const TunnelShape& sh) {
  if (sh.uRange <= 0 || sh.vRange <= 0 || sh.uRange > kMaxTunnelRange || sh.vRange > kMaxTunnelRange) return 0;
  if (sh.width <= 0 || sh.height <= 0 || static_cast<long long>(sh.width) * sh.height > kTunnelEntries) return 0;
  const int width = sh.width, height = sh.height;
  long long cx = sh.centreX == -1 ? width / 2 : sh.centreX;
  long long cy = sh.centreY == -1 ? height / 2 : sh.centreY;
  const int divisor = sh.viewDivisor == -1 ? kDefaultViewDivisor : sh.viewDivisor;
  if (sh.motion == kTunnelRising) cy = height;
  if (sh.motion == kTunnelLeftward) cx = width;
  if (sh.motion == kTunnelRightward) cx = 0;
  const int distanceKind = sh.distanceKind >= 0 && sh.distanceKind < kDistanceKinds ? sh.distanceKind : 0;
  const int depthKind = sh.depthKind >= 0 && sh.depthKind < kDepthKinds ? sh.depthKind : 0;
  const double g = kPi / std::max(divisor, 2) / 2;
  const double base = sh.vRange / (2 * std::tan(g));
  const double uScale = sh.uRange / (2 * kPi);

  for (int i = 0; i < height; ++i) {
    if (sh.motion == kTunnelRising) --cy;
    if (sh.motion == kTunnelLeftward) cx = std::max(cx - 1, 0LL);
    if (sh.motion == kTunnelRightward) cx = std::min<long long>(cx + 1, width);
    if (sh.motion == kTunnelSweeping) cx = width;
    for (int j = 0; j < width; ++j) {
      if (sh.motion == kTunnelSweeping) --cx;
      const double dx = static_cast<double>(j - cx), dy = static_cast<double>(i - cy);
      const double ax = std::fabs(dx), ay = std::fabs(dy);
      double f = 0;
      switch (distanceKind) {
        case 0: f = std::sqrt(dx * dx + dy * dy); break;
        case 1: f = std::max(ax, ay); break;
        case 2: f = (ax + ay) / 2; break;
        case 3: f = std::min(ax, ay); break;
        case 4: f = ax; break;
        case 5: f = ay; break;
        default: f = static_cast<double>(cx); break;
      }
      double depth = 0;   // the depth factor's divisor
      switch (depthKind) {
        case 0: depth = 32; break;
        case 1: depth = (ay + 1) / 10; break;
        case 2: depth = (ax + 1) / 10; break;
        case 4: depth = (ax + ay) / 2; break;
        default: depth = std::max(ax, ay); break;   // kinds 3 and 5
      }
      int v = 0;
      if (f != 0 && depth != 0) {
        const double e = std::fabs(base / depth);
        const double centre = std::sqrt(static_cast<double>(cx) * cx + static_cast<double>(cy) * cy);
        v = Wrap(e * (centre - f) / f, sh.vRange);
      }
      std::int16_t* cell = t.entry[i * width + j];
      cell[0] = static_cast<std::int16_t>(Wrap(uScale * std::atan2(dy, dx), sh.uRange));
      cell[1] = static_cast<std::int16_t>(v);
    }
  }
  t.uRange = sh.uRange;
  t.vRange = sh.vRange;
  t.width = width;
  t.height = height;
  return height;
}

namespace {

// Per-call tables of the fast path: for each u the byte offset of the sprite
// column it ends on, for each v that of the sprite row.
int columnBytes[kMaxTunnelRange];
std::ptrdiff_t rowBytes[kMaxTunnelRange];

}  // namespace

void DrawTunnel(PixelView screen, const ClipBounds& bounds, int x, int y, int uOffset, int vOffset,
                ConstPixelView sprite, const PixelFormat& f, const TunnelTable& t) {
  if (t.width <= 0 || t.height <= 0 || sprite.Empty()) return;
  const long long j0 = std::max(0LL, static_cast<long long>(bounds.left) - x);
  const long long j1 = std::min<long long>(t.width, static_cast<long long>(bounds.right) - x);
  const long long i0 = std::max(0LL, static_cast<long long>(bounds.top) - y);
  const long long i1 = std::min<long long>(t.height, static_cast<long long>(bounds.bottom) - y);
  if (j1 <= j0 || i1 <= i0) return;
  const int uo = WrapInt(uOffset, t.uRange), vo = WrapInt(vOffset, t.vRange);
  const int columns = static_cast<int>(j1 - j0);
  ForDepth(screen, f, [&](auto pixel) {
    using P = decltype(pixel);
    if (!FastPath()) {
      for (long long i = i0; i < i1; ++i) {
        P* d = screen.Row<P>(static_cast<int>(y + i)) + (x + j0);
        for (int k = 0; k < columns; ++k) {
          const std::int16_t* cell = t.entry[i * t.width + j0 + k];
          const int su = WrapInt(WrapInt(cell[0] + uo, t.uRange), sprite.width);
          const int sv = WrapInt(WrapInt(cell[1] + vo, t.vRange), sprite.height);
          d[k] = sprite.Row<P>(sv)[su];
        }
      }
      return;
    }
    for (int u = 0; u < t.uRange; ++u) columnBytes[u] = ((u + uo) % t.uRange % sprite.width) * static_cast<int>(sizeof(P));
    for (int v = 0; v < t.vRange; ++v) rowBytes[v] = static_cast<std::ptrdiff_t>((v + vo) % t.vRange % sprite.height) * sprite.pitch;
    for (long long i = i0; i < i1; ++i) {
      P* d = screen.Row<P>(static_cast<int>(y + i)) + (x + j0);
      const std::int16_t(*cell)[2] = t.entry + (i * t.width + j0);
      for (int k = 0; k < columns; ++k) {
        d[k] = *reinterpret_cast<const P*>(sprite.pixels + rowBytes[cell[k][1]] + columnBytes[cell[k][0]]);
      }
    }
  });
}

}  // namespace mu
