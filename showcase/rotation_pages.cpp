// Pages of the rotation and mapping effects: turned, zoomed and tiled
// pictures, a floor in perspective, smears, a rippled sheet and the tunnel.
#include "showcase/page.h"

namespace showcase {

namespace {

int Angle(float t, float degreesPerSecond) {
  int a = static_cast<int>(t * degreesPerSecond) % 360;
  return a < 0 ? a + 360 : a;
}

// ---- Rotation ----------------------------------------------------------------------------

void RotationFrame(float t) {
  const int angle = Angle(t, 45);
  SHOW(muDraw::RotateBlt)(8, 46, 208, 196, angle, pictures.mini, 0, 0, 160, 120);
  const float zoom = 1.4f + 0.6f * Swing(t, 4);
  SHOW(muDraw::RotateZoom)(220, 46, 420, 196, 360 - angle, zoom, pictures.sprites, 128, 0, 192,
                           64);
  SHOW(muDraw::RotateTile)(432, 46, 632, 196, angle / 2, pictures.tile, 0, 0, 64, 64);
  SHOW(muDraw::RotateZoomTile)(8, 212, 208, 348, Angle(t, -30), 0.6f + 0.3f * Swing(t, 3),
                               pictures.texture, 0, 0, 256, 256);
  // A floor in perspective: the zoom grows row by row towards the viewer.
  SHOW(muDraw::RotateStretchTile)(220, 212, 632, 348, Angle(t, 20), 0.3f, 0.02f, 0.3f, 0.02f,
                                  1.0f, 0.9f, 0.7f, pictures.tile, 0, 0, 64, 64);
  CaptionF(12, 182, 0xFFFFFF, "RotateBlt %d 度", angle);
  CaptionF(224, 182, 0xFFFFFF, "RotateZoom x%d.%02d", static_cast<int>(zoom),
           static_cast<int>(zoom * 100) % 100);
  Caption(436, 182, "RotateTile");
  Caption(12, 334, "RotateZoomTile");
  Caption(224, 334, "RotateStretchTile: 行ごとに拡大率を変えて床に");
}

// ---- Smears and the rippled sheet ----------------------------------------------------------

const char* const kSmearNames[] = {"右へ伸ばす", "左へ伸ばす", "下へ伸ばす", "上へ伸ばす"};

void SmearFrame(float t) {
  const int mode = StepOf(t, 3, 4);
  const float sweep = 0.5f + 0.5f * Swing(t, 3);
  const int position = static_cast<int>((mode < 2 ? 159 : 119) * sweep);
  SHOW(muDraw::SmearBlt)(120, 140, mode, position, pictures.mini, 0, 0, 160, 120);

  const int amplitude = static_cast<int>(30 + 20 * Swing(t, 5));
  const int frequency = 6 + StepOf(t, 2, 6);
  SHOW(muDraw::RippleBlt)(380, 80, amplitude, frequency, 1, 1.0f, 0.25f + 0.15f * Swing(t, 4),
                          pictures.photo, 0, 0, 256, 192);
  CaptionF(12, 48, 0xFFFFFF, "SmearBlt モード %d: 列 / 行 %d を%s", mode, position,
           kSmearNames[mode]);
  CaptionF(380, 48, 0xFFFFFF, "RippleBlt: 波打つ布 (振幅 %d, 周波数 %d)", amplitude, frequency);
}

// ---- Tunnel ------------------------------------------------------------------------------
// The table is built once for each shape and drawn every frame with moving offsets.

constexpr int kTunnelShapes = 4;
const int kDistanceKinds[kTunnelShapes] = {0, 1, 2, 0};
const int kDepthKinds[kTunnelShapes] = {0, 3, 4, 1};
const char* const kShapeNames[kTunnelShapes] = {"丸", "四角", "ひし形", "上下に開く"};
int shape;

void BuildTunnel(int index) {
  shape = index;
  EventCalls events;
  SHOW(muDraw::MakeTunnel)(256, 256, kDemoArea.Width(), kDemoArea.Height(), -1, -1, -1, 0,
                           kDistanceKinds[shape], kDepthKinds[shape]);
}

void TunnelOpen() { BuildTunnel(0); }

void TunnelFrame(float t) {
  const int wanted = StepOf(t, 4, kTunnelShapes);
  if (wanted != shape) BuildTunnel(wanted);
  const int u = static_cast<int>(t * 40) % 256, v = static_cast<int>(t * 160) % 256;
  SHOW(muDraw::DrawTunnel)(kDemoArea.left, kDemoArea.top, u, v, pictures.texture);
  CaptionF(12, 48, 0xFFFFFF, "MakeTunnel: %s  DrawTunnel: ずらし (%d, %d)", kShapeNames[shape], u,
           v);
}

}  // namespace

extern const Page kRotationPage = {
    "rotation", "rotation", "回転と拡大", "回転、拡大、敷き詰め、遠近の床", nullptr, RotationFrame,
    nullptr, true, true};
extern const Page kSmearPage = {
    "smear", "rotation", "スミアと波紋", "端まで伸ばす・波打つ布", nullptr, SmearFrame, nullptr,
    true, false};
extern const Page kTunnelPage = {
    "tunnel", "rotation", "トンネル", "表を一度作り、ずらしながら描く", TunnelOpen, TunnelFrame,
    nullptr, true, false};

}  // namespace showcase
