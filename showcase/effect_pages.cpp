// Pages of the pixel effects: a sprite drawn over the back screen through a
// per-pixel rule (blends, light, shadow, tone, blur, displacement, glow).
// Each effect has a cell of its own over a piece of the plasma texture, with
// its changing argument printed under it.
#include <cstdarg>

#include "showcase/page.h"

namespace showcase {

namespace {

// Cells: four across, two down, of 160 x 152 (or two by two of 320 x 152).
struct Cell {
  int x, y;     // top-left of the cell
  int px, py;   // where the 128 x 96 picture goes
};
Cell CellAt(int index, int across, float t) {
  const int width = kScreenWidth / across;
  const int x = width * (index % across), y = kDemoArea.top + 6 + 152 * (index / across);
  const int drift = static_cast<int>(6 * Swing(t + index * 0.4f, 3));
  return Cell{x, y, x + (width - 128) / 2 + drift, y + 14};
}

// A piece of the plasma behind the cell's picture, and the cell's label.
void Backdrop(const Cell& c, int width) {
  constexpr int kTexture = 256;
  for (int x = 4; x < width - 4; x += kTexture) {
    const int piece = width - 4 - x < kTexture ? width - 4 - x : kTexture;
    muDraw::Blt(c.x + x, c.y, pictures.texture, 0, 0, piece, 124);
  }
}
void CellLabel(const Cell& c, const char* format, ...) {
  char text[96];
  va_list args;
  va_start(args, format);
  wvsprintfA(text, format, args);
  va_end(args);
  Caption(c.x + 6, c.y + 128, text, 0xFFFFFF);
}

// Whole-number percent of a 0..1 value, for the labels.
int Percent(float v) { return static_cast<int>(v * 100 + 0.5f); }
float Unit(float t, float period) { return 0.5f + 0.5f * Swing(t, period); }
int Level(float t, float period) { return static_cast<int>(31 * Unit(t, period) + 0.5f); }

const Named<int>& Mini() { return pictures.mini; }
constexpr int kMiniLeft = 16, kMiniTop = 12, kMiniRight = 144, kMiniBottom = 108;

// ---- Blends ----------------------------------------------------------------------------

void BlendsFrame(float t) {
  for (int i = 0; i < 8; ++i) Backdrop(CellAt(i, 4, t), 160);
  Cell c = CellAt(0, 4, t);
  SHOW(muDraw::HalfBlend)(c.px, c.py, Mini(), kMiniLeft, kMiniTop, kMiniRight, kMiniBottom);
  CellLabel(c, "HalfBlend: 半々");

  c = CellAt(1, 4, t);
  const float alpha = Unit(t, 3);
  SHOW(muDraw::AlphaBlend)(c.px, c.py, alpha, Mini(), kMiniLeft, kMiniTop, kMiniRight, kMiniBottom);
  CellLabel(c, "AlphaBlend %d %%", Percent(alpha));

  c = CellAt(2, 4, t);
  SHOW(muDraw::AlphaBlendRGB)(c.px, c.py, 1.0f, Unit(t, 2), 0.2f, Mini(), kMiniLeft, kMiniTop,
                              kMiniRight, kMiniBottom);
  CellLabel(c, "AlphaBlendRGB");

  c = CellAt(3, 4, t);
  const int level = Level(t, 3);
  SHOW(muDraw::FadeBlend)(c.px, c.py, level, Mini(), kMiniLeft, kMiniTop, kMiniRight, kMiniBottom);
  CellLabel(c, "FadeBlend %d / 31", level);

  c = CellAt(4, 4, t);
  SHOW(muDraw::FadeBlendRGB)(c.px, c.py, 31, Level(t, 2.5f), 8, Mini(), kMiniLeft, kMiniTop,
                             kMiniRight, kMiniBottom);
  CellLabel(c, "FadeBlendRGB");

  c = CellAt(5, 4, t);
  const int start = static_cast<int>(48 * Unit(t, 4));
  SHOW(muDraw::AlphaGradient)(c.px, c.py, 0.0f, 0.0f, 0.0f, 1, start, 1, Mini(), kMiniLeft,
                              kMiniTop, kMiniRight, kMiniBottom);
  CellLabel(c, "AlphaGradient 縦");

  c = CellAt(6, 4, t);
  SHOW(muDraw::FadeGradient)(c.px, c.py, 0, 0, 0, 0, start * 2, 2, Mini(), kMiniLeft, kMiniTop,
                             kMiniRight, kMiniBottom);
  CellLabel(c, "FadeGradient 横");

  c = CellAt(7, 4, t);
  SHOW(muDraw::AddBlend)(c.px, c.py - 16, pictures.light, 0, 0, 128, 128);
  CellLabel(c, "AddBlend: 光を足す");
}

// ---- Light, shadow and tone ------------------------------------------------------------

void TonesFrame(float t) {
  for (int i = 0; i < 8; ++i) Backdrop(CellAt(i, 4, t), 160);
  Cell c = CellAt(0, 4, t);
  const float amount = Unit(t, 2);
  SHOW(muDraw::AddBlendLevel)(c.px, c.py - 16, amount, pictures.light, 0, 0, 128, 128);
  CellLabel(c, "AddBlendLevel %d %%", Percent(amount));

  c = CellAt(1, 4, t);
  SHOW(muDraw::ShadowBlend)(c.px, c.py - 16, pictures.light, 0, 0, 128, 128);
  CellLabel(c, "ShadowBlend: 影");

  c = CellAt(2, 4, t);
  const int cell = StepOf(t, 1, 6);
  SHOW(muDraw::SoftEdge)(c.px + 32, c.py + 16, pictures.sprites, kSpriteCell * cell, 0,
                         kSpriteCell * cell + kSpriteCell, kSpriteCell);
  CellLabel(c, "SoftEdge: 縁をなじませる");

  c = CellAt(3, 4, t);
  static const int kKeep[][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 0}, {0, 1, 1}, {1, 0, 1}};
  const int* keep = kKeep[StepOf(t, 1, 6)];
  SHOW(muDraw::ChannelMask)(c.px, c.py, keep[0], keep[1], keep[2], Mini(), kMiniLeft, kMiniTop,
                            kMiniRight, kMiniBottom);
  CellLabel(c, "ChannelMask %d %d %d", keep[0], keep[1], keep[2]);

  c = CellAt(4, 4, t);
  const float factor = 0.2f + 0.8f * Unit(t, 3);
  SHOW(muDraw::Brightness)(c.px, c.py, factor, Mini(), kMiniLeft, kMiniTop, kMiniRight,
                           kMiniBottom);
  CellLabel(c, "Brightness %d %%", Percent(factor));

  c = CellAt(5, 4, t);
  SHOW(muDraw::BrightnessRGB)(c.px, c.py, 1.0f, 0.75f, Unit(t, 2), Mini(), kMiniLeft, kMiniTop,
                              kMiniRight, kMiniBottom);
  CellLabel(c, "BrightnessRGB");

  c = CellAt(6, 4, t);
  const int level = Level(t, 3);
  SHOW(muDraw::Darken)(c.px, c.py, level, Mini(), kMiniLeft, kMiniTop, kMiniRight, kMiniBottom);
  CellLabel(c, "Darken %d / 31", level);

  c = CellAt(7, 4, t);
  SHOW(muDraw::DarkenRGB)(c.px, c.py, Level(t, 2), 31, Level(t + 1, 2), Mini(), kMiniLeft,
                          kMiniTop, kMiniRight, kMiniBottom);
  CellLabel(c, "DarkenRGB");
}

// ---- Blur, grey, displacement and glow ----------------------------------------------------

void FiltersFrame(float t) {
  for (int i = 0; i < 4; ++i) Backdrop(CellAt(i, 2, t), 320);
  Cell c = CellAt(0, 2, t);
  const int size = 1 + StepOf(t, 0.5f, 12);
  SHOW(muDraw::BoxBlur)(c.px, c.py, size, Mini(), kMiniLeft, kMiniTop, kMiniRight, kMiniBottom);
  CellLabel(c, "BoxBlur %d x %d", size, size);

  c = CellAt(1, 2, t);
  SHOW(muDraw::GrayBlt)(c.px, c.py, Mini(), kMiniLeft, kMiniTop, kMiniRight, kMiniBottom);
  CellLabel(c, "GrayBlt: 灰色");

  c = CellAt(2, 2, t);
  const float amount = Unit(t, 3);
  SHOW(muDraw::DisplaceBlt)(c.px, c.py - 16, amount, pictures.light, 0, 0, 128, 128);
  CellLabel(c, "DisplaceBlt %d %%: 下の画素を引き上げる", Percent(amount));

  c = CellAt(3, 2, t);
  const int star = 1;
  muDraw::BltKey(c.px + 32, c.py + 16, pictures.sprites, kSpriteCell * star, 0,
                 kSpriteCell * star + kSpriteCell, kSpriteCell);
  SHOW(muDraw::GlowBlt)(c.px + 32, c.py + 16, 1, 1, 2, Hex(0xFF, 2), 1, pictures.sprites,
                        kSpriteCell * star, 0, kSpriteCell * star + kSpriteCell, kSpriteCell);
  CellLabel(c, "GlowBlt: 八方向に光る");
}

}  // namespace

extern const Page kBlendsPage = {
    "blends", "effects", "ピクセル効果: 重ね合わせ", "半透明、フェード、グラデーション、加算",
    nullptr, BlendsFrame, nullptr, true, true};
extern const Page kTonesPage = {
    "tones", "effects", "ピクセル効果: 光・影・色調", "加算の量、影、縁、チャンネル、明るさ",
    nullptr, TonesFrame, nullptr, true, false};
extern const Page kFiltersPage = {
    "filters", "effects", "ピクセル効果: ぼかし・灰色・変位・光", "一画素ずつの計算で描く", nullptr,
    FiltersFrame, nullptr, true, false};

}  // namespace showcase
