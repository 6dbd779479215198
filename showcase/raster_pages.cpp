// Pages of the raster effects: pictures drawn one row at a time, swung on a
// cosine, wound on a drum, tiled, banded, repeated, skipped and jittered.
#include "showcase/page.h"

namespace showcase {

namespace {

constexpr int kTop = 56;

// ---- Waves and the drum --------------------------------------------------------

void WavesFrame(float t) {
  const int interlace = StepOf(t, 3, 2);
  SHOW(muDraw::WaveBlt)(20, kTop, 12, 2, 180.0f, pictures.photo, 0, 0, 256, 192, interlace);
  SHOW(muDraw::WaveScroll)(300, kTop, 8, 1, 120.0f, 40.0f, pictures.mini, 0, 0, 160, 120);
  SHOW(muDraw::RollBlt)(468, kTop, 1, 50.0f, pictures.mini, 0, 0, 160, 120);
  Caption(20, 256, interlace ? "WaveBlt: 一行ごとに逆向き (interlace 1)"
                             : "WaveBlt: 行を余弦で揺らす (interlace 0)");
  Caption(300, 186, "WaveScroll: 揺れながら");
  Caption(300, 202, "上へ流れる");
  Caption(468, 186, "RollBlt: 回るドラムに");
  Caption(468, 202, "巻いた絵");
}

// ---- Tiles, bands and row patterns -----------------------------------------------

void RowsFrame(float t) {
  SHOW(muDraw::TileScroll)(30.0f, 20.0f, pictures.tile, 0, 0, 64, 64);
  SHOW(muDraw::WaveBand)(226, 346, 10, 2, 90.0f, 30.0f, pictures.mini, 0, 0, 160, 120);
  const int block = 1 + StepOf(t, 0.4f, 12);
  SHOW(muDraw::RowMosaic)(24, kTop, block, pictures.mini, 0, 0, 160, 120);
  static const int kSteps[] = {1, 2, 3, 4, -3, -6};
  const int skip = kSteps[StepOf(t, 1, 6)];
  SHOW(muDraw::SkipRows)(240, kTop, skip, pictures.mini, 0, 0, 160, 120);
  const int shift = StepOf(t, 0.5f, 8);
  SHOW(muDraw::JitterBlt)(456, kTop, shift, pictures.mini, 0, 0, 160, 120);
  CaptionF(24, 182, 0xFFFFFF, "RowMosaic: %d 行ずつ", block);
  CaptionF(240, 182, 0xFFFFFF, skip > 0 ? "SkipRows: %d 行おき" : "SkipRows: ランダムに 1〜%d 行",
           skip > 0 ? skip : -skip);
  CaptionF(456, 182, 0xFFFFFF, "JitterBlt: ±%d 画素", shift);
  Caption(24, 206, "TileScroll (背景) と WaveBand (下の帯)");
}

}  // namespace

extern const Page kWavesPage = {
    "waves", "raster", "ラスター効果: 波とドラム", "一行ずつの転送で揺らす・巻く", nullptr, WavesFrame,
    nullptr, true, true};
extern const Page kRowsPage = {
    "rows", "raster", "ラスター効果: タイル・帯・行", "タイルの敷き詰め、波打つ帯、行のモザイク", nullptr,
    RowsFrame, nullptr, true, false};

}  // namespace showcase
