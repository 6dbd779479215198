// Rows of the effect kernel table for the rotation and mapping effects: each
// draws from the source view (taken as a whole sprite, its rectangle hanging
// over the edges now and then) onto the target view with random arguments.
#include "draw/effects/ripple.h"
#include "draw/effects/rotate.h"
#include "draw/effects/smear.h"
#include "draw/effects/tunnel.h"
#include "draw/pixel_format.h"
#include "effect_cases.h"

namespace {

using effectcases::Args;
using mu::ConstPixelView;
using mu::PixelFormat;
using mu::PixelView;

// The target view as the written part of a slightly larger rectangle, and a
// source rectangle near the whole sprite.
mu::RotateTarget Target(PixelView d, Args& a) {
  mu::BuildSineTable();
  const int column = a.Int(0, 2), row = a.Int(0, 2);
  return mu::RotateTarget{d, column + d.width + a.Int(0, 3), row + d.height + a.Int(0, 3), column, row};
}
mu::RotateSource Source(ConstPixelView s, Args& a) {
  if (a.Int(0, 3) != 0) return mu::RotateSource{s, 0, 0, s.width, s.height};
  return mu::RotateSource{s, a.Int(-2, 1), a.Int(-2, 1), s.width + a.Int(-1, 2) + 1, s.height + a.Int(0, 2)};
}
int Angle(Args& a) { return a.Flag() ? 90 * a.Int(-1, 4) : a.Int(-400, 760); }
float Zoom(Args& a) {
  static constexpr float kZooms[] = {1.0f, 2.0f, 0.5f, 3.0f, 0.1f, 1.0f / 3, 0.75f, 7.0f};
  return a.Flag() ? kZooms[a.Int(0, 7)] : 0.05f + 4.0f * a.Unit();
}

// The target, the source rectangle and the angle, drawn from the arguments in that order.
struct Turn {
  mu::RotateTarget t;
  mu::RotateSource s;
  int angle;
};
Turn Turned(PixelView d, ConstPixelView s, Args& a) { return Turn{Target(d, a), Source(s, a), Angle(a)}; }

const effectcases::Register kRows({
    {"RotateBlt", [](auto d, auto s, auto& f, auto& a) {
       const Turn r = Turned(d, s, a);
       mu::RotateBlt(r.t, r.s, f, r.angle);
     }},
    {"RotateTile", [](auto d, auto s, auto& f, auto& a) {
       const Turn r = Turned(d, s, a);
       mu::RotateTile(r.t, r.s, f, r.angle);
     }},
    {"RotateZoom", [](auto d, auto s, auto& f, auto& a) {
       const Turn r = Turned(d, s, a);
       mu::RotateZoom(r.t, r.s, f, r.angle, Zoom(a));
     }},
    {"RotateZoomTile", [](auto d, auto s, auto& f, auto& a) {
       const Turn r = Turned(d, s, a);
       mu::RotateZoomTile(r.t, r.s, f, r.angle, Zoom(a));
     }},
    {"RotateStretchTile", [](auto d, auto s, auto& f, auto& a) {
       const Turn r = Turned(d, s, a);
       mu::StretchRows rows = {Zoom(a), 0.125f * a.Int(-2, 3), Zoom(a), a.Unit() / 7, {}};
       for (float& factor : rows.factor.v) factor = a.Unit();
       mu::RotateStretchTile(r.t, r.s, f, r.angle, rows);
     }},
    {"SmearBlt", [](auto d, auto s, auto& f, auto& a) {
       // The view is the whole screen; the rectangle starts near its corner.
       const mu::SmearArea area = {a.Int(-2, 2), a.Int(-2, 2), a.Int(-1, 1), a.Int(-1, 1),
                                   s.width + a.Int(-1, 2), s.height + a.Int(-1, 2)};
       const mu::ClipBounds bounds = {a.Int(0, 1), a.Int(0, 1), d.width, d.height};
       const int mode = a.Int(0, 3);
       mu::SmearBlt(d, bounds, s, f, area, mode, a.Int(-1, 6));
     }},
    {"RippleBlt", [](auto d, auto s, auto& f, auto& a) {
       const mu::EffectArea area = {0, 0, a.Int(-2, 1), a.Int(-1, 1), s.width, s.height};
       const mu::RippleWave wave = {a.Int(-8, 8), a.Int(-20, 20), a.Int(1, 3), 0.5f + a.Unit(), a.Unit() - 0.5f};
       mu::RippleBlt(d, mu::ClipBounds{0, 0, d.width, d.height}, area, s.width + a.Int(0, 2), s.height, s, f, wave);
     }},
    {"DrawTunnel", [](auto d, auto s, auto& f, auto& a) {
       static mu::TunnelTable table;
       const mu::TunnelShape shape = {a.Int(1, s.width + 3), a.Int(1, s.height + 3), d.width, d.height,
                                      a.Flag() ? -1 : a.Int(0, d.width), -1, -1, a.Int(0, 4), a.Int(0, 6), a.Int(0, 5)};
       mu::MakeTunnel(table, shape);
       const mu::ClipBounds bounds = {a.Int(0, 1), 0, d.width, d.height};
       const int uOffset = a.Int(-70, 70);
       mu::DrawTunnel(d, bounds, 0, 0, uOffset, a.Int(-70, 70), s, f, table);
     }},
});

}  // namespace
