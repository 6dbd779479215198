// The showcase's shared pictures and the small helpers its pages draw with.
#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "showcase/page.h"
#include "showcase/pixel_colour.h"

namespace showcase {

Pictures pictures;

namespace {

constexpr int kPlaced = muDraw::kMemoryPlaced;
constexpr float kTwoPi = 6.2831853f;

Named<int> Load(const char* file, const char* label) {
  return Label(muDraw::LoadObject(file, kPlaced), label);
}

}  // namespace

void LoadPictures() {
  muDraw::SetColorKey(0);   // black is transparent in every picture that has a key
  pictures.photo = Load("showcase\\photo.bmp", "photo");
  pictures.mini = Load("showcase\\mini.bmp", "mini");
  pictures.sprites = Load("showcase\\sprites.bmp", "sprites");
  pictures.tile = Load("showcase\\tile.bmp", "tile");
  pictures.texture = Load("showcase\\texture.bmp", "texture");
  pictures.light = Load("showcase\\light.bmp", "light");
}

DWORD PixelOf(COLORREF colour) {
  return PackPixel(muDraw::redMask, muDraw::greenMask, muDraw::blueMask, GetRValue(colour),
                   GetGValue(colour), GetBValue(colour));
}

void Outline(int left, int top, int right, int bottom, COLORREF colour) {
  const int r = right - 1, b = bottom - 1;
  muDraw::Line(left, top, r, top, colour, 1);
  muDraw::Line(r, top, r, b, colour, 1);
  muDraw::Line(r, b, left, b, colour, 1);
  muDraw::Line(left, b, left, top, colour, 1);
}

void Caption(int x, int y, const char* text, COLORREF colour) {
  muDraw::SetFont(1, 12, 0, 0, 0, 0);
  muDraw::SetTextColor(colour, 0, 1);
  muDraw::Text(x, y, text);
  muDraw::ReleaseFont();
}

void CaptionF(int x, int y, COLORREF colour, const char* format, ...) {
  char text[muSystem::kTextBufferSize];
  std::va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  Caption(x, y, text, colour);
}

float Swing(float seconds, float period) { return std::sin(seconds / period * kTwoPi); }

float PingPong(float seconds, float period) {
  const float phase = std::fmod(seconds / period, 1.0f);
  return phase < 0.5f ? 2 * phase : 2 - 2 * phase;
}

int StepOf(float seconds, float period, int count) {
  if (count <= 0 || period <= 0) return 0;
  return static_cast<int>(seconds / period) % count;
}

}  // namespace showcase
