// The page of the GDI drawing primitives on the back screen.
#include <cmath>

#include "showcase/page.h"

namespace showcase {

namespace {

constexpr float kDegree = 3.14159265f / 180;

POINT At(int cx, int cy, float radius, float degrees) {
  return POINT{cx + static_cast<int>(radius * std::cos(degrees * kDegree)),
               cy + static_cast<int>(radius * std::sin(degrees * kDegree))};
}

// A five-pointed star turned by `turn` degrees.
void Star(POINT* points, int cx, int cy, float turn) {
  for (int i = 0; i < 10; ++i) points[i] = At(cx, cy, i % 2 ? 16.0f : 40.0f, turn + 36.0f * i - 90);
}

void GdiFrame(float t) {
  // Boxes breathing in size, with outlines of 1, 3 and 5 pixels.
  for (int i = 0; i < 3; ++i) {
    const int grow = static_cast<int>(14 * Swing(t + i * 0.5f, 2));
    const int x = 24 + 64 * i, y = 60;
    SHOW(muDraw::Box)(x - grow / 2, y - grow / 2, x + 48 + grow / 2, y + 48 + grow / 2,
                      Hex(RGB(60 + 80 * i, 120, 200 - 60 * i), 6), Hex(0xFFFFFF, 6), 1 + 2 * i);
  }

  // A clock of lines: twelve spokes turning, thicker towards the hand.
  const int cx = 300, cy = 108;
  for (int i = 0; i < 12; ++i) {
    const POINT end = At(cx, cy, 54, t * 40 + 30.0f * i);
    SHOW(muDraw::Line)(cx, cy, static_cast<int>(end.x), static_cast<int>(end.y),
                       Hex(RGB(255, 80 + 14 * i, 40), 6), 1 + i / 4);
  }

  // Stars in the three fill modes: outline, see-through hatch, opaque hatch.
  static const int kModes[] = {0, 2, 1};
  for (int i = 0; i < 3; ++i) {
    POINT star[10];
    Star(star, 424 + 84 * (i % 3), 108, t * 60 * (i + 1));
    SHOW(muDraw::Polygon)(Label(static_cast<const POINT*>(star), "star"), 10,
                          Hex(RGB(255, 230, 80), 6), Hex(0x802000, 6), 2, kModes[i]);
  }

  // A Bezier curve through four segments, its control points swinging.
  POINT curve[13];
  for (int i = 0; i < 13; ++i) {
    curve[i] = POINT{24 + 48 * i, 236 + static_cast<int>(56 * Swing(t * 0.8f + i * 0.35f, 2.4f))};
  }
  SHOW(muDraw::Bezier)(Label(static_cast<const POINT*>(curve), "curve"), 13, Hex(0x80FF80, 6), 3);

  // Pixels along a travelling sine.
  for (int x = 0; x < 600; x += 6) {
    const int y = 300 + static_cast<int>(24 * std::sin((x + t * 200) / 40.0f));
    SHOW(muDraw::PutPixel)(20 + x, y, Hex(0x00FFFF, 6));
  }

  // A band of inverted pixels sweeping over the clock and the stars.
  const int band = 240 + static_cast<int>(180 * (1 + Swing(t, 5)));
  SHOW(muDraw::InvertBox)(band, 52, band + 40, 164);

  // The colour under the pointer.
  int red = 0, green = 0, blue = 0;
  SHOW(muDraw::GetPixelColor)(muSystem::mouseX, muSystem::mouseY, Label(&red, "&red"),
                              Label(&green, "&green"), Label(&blue, "&blue"));
  muDraw::Box(540, 300, 620, 340, RGB(red, green, blue), 0xFFFFFF, 1);
  CaptionF(420, 316, 0xFFFFFF, "(%d, %d, %d)", red, green, blue);
  Caption(420, 300, "ポインタの下の色");
  Caption(24, 140, "Box: 塗りと 1, 3, 5 画素の枠");
  Caption(244, 170, "Line と InvertBox");
  Caption(376, 170, "Polygon: 枠・透ける網・網");
  Caption(24, 178, "Bezier と PutPixel");
}

}  // namespace

extern const Page kGdiPage = {
    "gdi", "gdi", "GDI の図形", "四角、線、多角形、ベジェ曲線、点、色の反転と読み取り", nullptr, GdiFrame,
    nullptr, true, true};

}  // namespace showcase
