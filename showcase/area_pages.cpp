// Pages of the area effects: operations on what the back screen already
// holds, with no source sprite. Smoke and softening build up over frames, so
// that page keeps the demo area from one frame to the next in a sprite
// (CaptureBox at the end of a frame, Blt at the start of the next).
#include "showcase/page.h"

namespace showcase {

namespace {

// ---- Smoke and softening ---------------------------------------------------------------

Named<int> trail;

struct Panel {
  int x, y;
  unsigned width, height;
};
constexpr Panel kPanels[4] = {
    {8, 48, 304, 140}, {328, 48, 304, 140}, {8, 204, 304, 140}, {328, 204, 304, 140}};

void SmokeOpen() {
  trail = Label(SHOW(muDraw::CreateObject)(kDemoArea.Width(), kDemoArea.Height(), 2), "trail");
  SHOW(muDraw::ClearObject)(trail);
}

void SmokeClose() { muDraw::DeleteObject(trail); }

void SmokeFrame(float t) {
  muDraw::Blt(kDemoArea.left, kDemoArea.top, trail, 0, 0, kDemoArea.Width(), kDemoArea.Height());
  // Sparks and coins moving along the foot of each panel feed the effects.
  for (int p = 0; p < 4; ++p) {
    const Panel& panel = kPanels[p];
    for (int i = 0; i < 3; ++i) {
      const int cell = p < 2 ? 1 + 3 * (i % 2) : 5 - i;
      const int x = panel.x + 120 + static_cast<int>(110 * Swing(t * (0.6f + 0.2f * i) + i, 3));
      const int y = panel.y + static_cast<int>(panel.height) - 48 - (p < 2 ? 0 : 40 * (i % 2));
      muDraw::BltKey(x, y, pictures.sprites, kSpriteCell * cell, 12, kSpriteCell * cell + 64, 52);
    }
  }
  const Panel& a = kPanels[0];
  const Panel& b = kPanels[1];
  const Panel& c = kPanels[2];
  const Panel& d = kPanels[3];
  SHOW(muDraw::Smoke)(a.x, a.y, a.width, a.height);
  SHOW(muDraw::SmokeFade)(1, 1, 1, b.x, b.y, b.width, b.height);
  SHOW(muDraw::Soften)(c.x, c.y, c.width, c.height);
  SHOW(muDraw::SoftenFade)(0, 1, 1, d.x, d.y, d.width, d.height);
  SHOW(muDraw::CaptureBox)(trail, kDemoArea.left, kDemoArea.top, kDemoArea.right,
                           kDemoArea.bottom);
  Caption(a.x + 4, a.y + 2, "Smoke: 一行ずつ立ち上る");
  Caption(b.x + 4, b.y + 2, "SmokeFade: 消えていく煙");
  Caption(c.x + 4, c.y + 2, "Soften: 隣の平均でなじむ");
  Caption(d.x + 4, d.y + 2, "SoftenFade: 緑と青が薄れる");
}

// ---- Magnifiers, round mosaic and grain -----------------------------------------------------

void LensFrame(float t) {
  muDraw::Blt(16, 52, pictures.photo, 0, 0, 256, 192);
  const int cx = 144 + static_cast<int>(90 * Swing(t, 5));
  const int cy = 148 + static_cast<int>(50 * Swing(t, 3.3f));
  const int cell = 4 + 2 * StepOf(t, 1.5f, 4);
  SHOW(muDraw::DiscMosaic)(cx, cy, 56, cell);

  const int sparse = StepOf(t, 2, 2);
  muDraw::Blt(300, 52, pictures.mini, 0, 0, 160, 120);
  const int zx = static_cast<int>(40 * (1 + Swing(t, 4)));
  const int zy = static_cast<int>(30 * (1 + Swing(t, 3)));
  SHOW(muDraw::Zoom2)(300 + zx, 52 + zy, 40u, 30u, sparse);
  muDraw::Blt(470, 52, pictures.mini, 0, 0, 160, 120);
  SHOW(muDraw::Zoom4)(470 + zx, 52 + zy, 20u, 15u, sparse);

  const int shift = StepOf(t, 1, 4);
  muDraw::Blt(300, 204, pictures.mini, 0, 0, 160, 120);
  SHOW(muDraw::Grain)(shift, 300, 204, 160u, 120u);
  muDraw::Blt(470, 204, pictures.mini, 0, 0, 160, 120);
  SHOW(muDraw::GrainRGB)(0, 1, 1, shift, 470, 204, 160u, 120u);

  CaptionF(16, 248, 0xFFFFFF, "DiscMosaic: 円の中を %d 画素のます目に", cell);
  CaptionF(300, 174, 0xFFFFFF, sparse ? "Zoom2 / Zoom4: 間引き" : "Zoom2 / Zoom4: その場で拡大");
  CaptionF(300, 326, 0xFFFFFF, "Grain / GrainRGB: 粒子 (shift %d)", shift);
}

}  // namespace

extern const Page kSmokePage = {
    "smoke", "area", "画面の効果: 煙となじませ", "前のフレームの上に積み重ねる", SmokeOpen,
    SmokeFrame, SmokeClose, true, true};
extern const Page kLensPage = {
    "lens", "area", "画面の効果: 拡大・モザイク・粒子", "描いた画面をその場で加工する", nullptr,
    LensFrame, nullptr, true, false};

}  // namespace showcase
