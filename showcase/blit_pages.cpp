// Pages of the plain blits and colour keys, the fills, and the stretched,
// mirrored and captured blits.
#include "showcase/page.h"

namespace showcase {

namespace {

constexpr int kTop = 52;   // first row of the pictures in the demo area

// The source rectangle of sprite cell `cell` of the sprite sheet.
struct Cell {
  int left, right;
};
Cell SpriteCell(int cell) { return Cell{kSpriteCell * cell, kSpriteCell * cell + kSpriteCell}; }

// ---- Blits and colour keys ---------------------------------------------------

Named<int> canvas, keys;
int keyStep;   // the key colour set last

void BlitsOpen() {
  keyStep = -1;
  canvas = Label(SHOW(muDraw::CreateObject)(192, 144, 2), "canvas");
  keys = Label(SHOW(muDraw::LoadObject)("showcase\\keys.bmp", 2), "keys");
}

void BlitsClose() {
  muDraw::DeleteObject(canvas);
  muDraw::DeleteObject(keys);
}

// The key of the keys picture changes every 1.5 s: black, red, green, blue,
// then the colour of its top-left pixel (the grey around the discs).
const COLORREF kKeyColours[] = {0x000000, 0x0000FF, 0x00FF00, 0xFF0000};
const char* const kKeyNames[] = {"黒", "赤", "緑", "青", "左上の点の色"};

void BlitsFrame(float t) {
  SHOW(muDraw::ClearScreen)();
  SHOW(muDraw::Blt)(16, kTop, pictures.photo, 0, 0, 256, 192);
  for (int i = 0; i < 3; ++i) {
    const Cell c = SpriteCell(i * 2 + 1);
    const int x = 16 + 96 + static_cast<int>(96 * Swing(t + i * 0.9f, 3.1f + i));
    const int y = kTop + 64 + static_cast<int>(60 * Swing(t * 1.3f + i * 1.7f, 2.3f));
    SHOW(muDraw::BltKey)(x, y, pictures.sprites, c.left, 0, c.right, kSpriteCell);
  }

  // The canvas: a panning window onto the photo with a star stamped into it.
  const int pan = 32 + static_cast<int>(32 * Swing(t, 6));
  SHOW(muDraw::ObjectBlt)(canvas, 0, 0, pictures.photo, pan, 24, pan + 192, 168);
  const Cell star = SpriteCell(1);
  SHOW(muDraw::ObjectBltKey)(canvas, 64 + static_cast<int>(56 * Swing(t, 2)), 40, pictures.sprites,
                             star.left, 0, star.right, kSpriteCell);
  muDraw::Blt(288, kTop, canvas, 0, 0, 192, 144);

  // The sprite sheet, cell by cell.
  for (int i = 0; i < 6; ++i) {
    const Cell c = SpriteCell(i);
    muDraw::BltKey(496 + 68 * (i % 2), kTop + 68 * (i / 2), pictures.sprites, c.left, 0, c.right,
                   kSpriteCell);
  }

  // Colour keys over a checkerboard.
  const int step = StepOf(t, 1.5f, 5);
  for (int y = 0; y < 96; y += 16) {
    for (int x = 0; x < 192; x += 16) {
      const COLORREF colour = ((x + y) / 16) % 2 ? 0xF0F0F0 : 0xB0B0B0;
      muDraw::FillBox(288 + x, 212 + y, 288 + x + 16, 212 + y + 16, PixelOf(colour));
    }
  }
  if (step != keyStep) {
    EventCalls events;
    keyStep = step;
    if (step < 4) {
      SHOW(muDraw::SetObjectColorKey)(keys, Hex(kKeyColours[step], 6));
    } else {
      SHOW(muDraw::SetObjectColorKeyTopLeft)(keys);
    }
  }
  muDraw::BltKey(288, 212, keys, 0, 0, 192, 96);

  Caption(16, kTop + 196, "Blt と BltKey");
  Caption(288, kTop + 146, "ObjectBlt → canvas");
  Caption(496, kTop + 202, "sprites の六つの区画");
  CaptionF(496, 280, 0xFFFFFF, "keys の透明色:");
  CaptionF(496, 296, 0x60E0FF, "%s", kKeyNames[step]);
}

// ---- Fills and the tint ------------------------------------------------------

Named<int> stamp;

void FillsOpen() { stamp = Label(SHOW(muDraw::CreateObject)(128, 96, 2), "stamp"); }
void FillsClose() { muDraw::DeleteObject(stamp); }

const COLORREF kTints[] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFFFFFF, 0x000000};

void FillsFrame(float t) {
  SHOW(muDraw::WhiteScreen)();
  muDraw::Blt(16, kTop, pictures.photo, 0, 0, 256, 192);
  SHOW(muDraw::ClearFrame)(14, kTop - 2, 274, kTop + 194);
  const int band = 16 + static_cast<int>(96 * (Swing(t, 4) + 1));
  const COLORREF tint = kTints[StepOf(t, 2, 6)];
  SHOW(muDraw::TintBox)(band, kTop, band + 64, kTop + 192, Hex(PixelOf(tint), 6));

  // An equaliser of coloured bars with white tops on a dark panel.
  muDraw::FillBox(292, kTop - 4, 628, 244, PixelOf(0x301810));
  for (int i = 0; i < 8; ++i) {
    const int x = 300 + 40 * i;
    const int h = 40 + static_cast<int>(70 * (1 + Swing(t * (1 + 0.17f * i) + i, 1.7f)));
    const COLORREF colour = RGB(60 + 24 * i, 200 - 18 * i, 240 - 20 * i);
    SHOW(muDraw::FillBox)(x, 232 - h, x + 32, 232, Hex(PixelOf(colour), 6));
    SHOW(muDraw::WhiteBox)(x, 232 - h - 4, x + 32, 232 - h - 1);
  }
  SHOW(muDraw::ClearBox)(300, 234, 620, 238);

  // The stamp: cleared every frame, so the ball it carries leaves no trail.
  SHOW(muDraw::ClearObject)(stamp);
  const Cell ball = SpriteCell(0);
  muDraw::ObjectBltKey(stamp, 32 + static_cast<int>(32 * Swing(t, 1.6f)),
                       16 + static_cast<int>(16 * Swing(t, 1.1f)), pictures.sprites, ball.left, 0,
                       ball.right, kSpriteCell);
  muDraw::Blt(300, 248, stamp, 0, 0, 128, 96);

  Caption(16, kTop + 198, "TintBox: 色へ 50 % 寄せる", 0x000000);
  Caption(440, 250, "ClearObject のあと", 0x000000);
  Caption(440, 266, "ObjectBltKey で描く", 0x000000);
}

// ---- Stretched, mirrored and captured ------------------------------------------

Named<int> lens;

void StretchOpen() { lens = Label(SHOW(muDraw::CreateObject)(80, 60, 2), "lens"); }
void StretchClose() { muDraw::DeleteObject(lens); }

const char* const kMirrorNames[] = {"0: そのまま", "1: 左右", "2: 上下", "3: 上下左右"};

void StretchFrame(float t) {
  const float grow = 0.5f + 0.5f * Swing(t, 3);
  const int w = 128 + static_cast<int>(128 * grow), h = w * 3 / 4;
  SHOW(muDraw::Stretch)(16, kTop, pictures.photo, 0, 0, 256, 192, w, h);
  const int size = 24 + static_cast<int>(104 * (0.5f + 0.5f * Swing(t, 2.2f)));
  const Cell ball = SpriteCell(0);
  SHOW(muDraw::StretchKey)(352 - size / 2, 120 - size / 2, pictures.sprites, ball.left, 0,
                           ball.right, kSpriteCell, size, size);

  const int mode = StepOf(t, 0.8f, 4);
  const Cell rocket = SpriteCell(2);
  for (int m = 0; m < 4; ++m) {
    const int x = 432 + 100 * (m % 2), y = kTop + 92 * (m / 2);
    if (m == mode) muDraw::Box(x - 4, y - 4, x + 68, y + 68, 0x604020, 0x60E0FF, 1);
    SHOW(muDraw::FlipBlt)(x, y, m, pictures.sprites, rocket.left, 0, rocket.right, kSpriteCell);
  }

  // A magnifier: the screen under a moving square, captured and doubled.
  const int lx = 16 + static_cast<int>((w - 80) * (0.5f + 0.5f * Swing(t, 5)));
  const int ly = kTop + (h - 60) / 2;
  SHOW(muDraw::CaptureBox)(lens, lx, ly, lx + 80, ly + 60);
  muDraw::Stretch(272, 212, lens, 0, 0, 80, 60, 160, 120);
  muDraw::ClearFrame(lx - 1, ly - 1, lx + 81, ly + 61);

  Caption(16, 252, "Stretch: 写真を伸び縮み");
  Caption(320, 188, "StretchKey");
  Caption(440, 248, "FlipBlt の四つの向き");
  Caption(440, 264, kMirrorNames[mode], 0x60E0FF);
  Caption(440, 316, "CaptureBox → 2 倍に");
}

}  // namespace

extern const Page kBlitsPage = {
    "blits", "blits", "転送とカラーキー", "Blt / BltKey / 画像への転送 / 透明色の切り替え", BlitsOpen,
    BlitsFrame, BlitsClose, true, true};
extern const Page kFillsPage = {
    "fills", "blits", "塗りつぶしと色合い", "矩形の塗りつぶしと 50 % の色合い", FillsOpen, FillsFrame,
    FillsClose, true, false};
extern const Page kStretchPage = {
    "stretch", "blits", "拡大縮小・鏡像・取り込み", "伸縮、四つの向きの鏡像、画面の取り込み", StretchOpen,
    StretchFrame, StretchClose, true, false};

}  // namespace showcase
