// The page of fonts and text output on the back screen.
#include "showcase/page.h"

namespace showcase {

namespace {

constexpr char kWrapped[] =
    "TextBox は矩形の幅で折り返して書く。揃えは左・中央・右の三通り。";

void FontsFrame(float t) {
  // The two families, a bold weight, italic and underline.
  SHOW(muDraw::SetFont)(0, 28, 0, 0, 0, 0);
  SHOW(muDraw::SetTextColor)(Hex(0xFFFFFF, 6), Hex(0, 6), 1);
  SHOW(muDraw::Text)(20, 48, "明朝体 Mincho 0");
  muDraw::ReleaseFont();
  muDraw::SetFont(1, 28, 0, 1, 0, 0);
  muDraw::SetTextColor(0x80E0FF, 0, 1);
  muDraw::Text(20, 82, "ゴシック体 太字");
  muDraw::ReleaseFont();
  muDraw::SetFont(1, 22, 0, 0, 1, 1);
  muDraw::SetTextColor(0xA0FFA0, 0, 1);
  muDraw::Text(20, 118, "斜体と下線 Italic");
  SHOW(muDraw::ReleaseFont)();

  // A face by name, on an opaque background.
  SHOW(muDraw::SetFontByName)("Tahoma", 20, 0, 0, 0, 0);
  muDraw::SetTextColor(0x202020, 0x40C0FF, 0);
  muDraw::Text(20, 150, " Tahoma: The quick brown fox 123 ");
  muDraw::ReleaseFont();

  // Text turning round its start point.
  const int angle = static_cast<int>(t * 90) % 360;
  muDraw::SetFont(1, 24, angle, 1, 0, 0);
  muDraw::SetTextColor(0x60FFFF, 0, 1);
  muDraw::Text(500, 110, "  回る文字");
  muDraw::ReleaseFont();

  // Wrapped text in three alignments; each box is drawn to the measured height.
  muDraw::SetFont(1, 14, 0, 0, 0, 0);
  const int width = 150 + static_cast<int>(40 * Swing(t, 4));
  int heights[3];
  for (int align = 0; align < 3; ++align) {
    const int left = 20 + 205 * align;
    heights[align] = SHOW(muDraw::TextHeight)(left, 196, left + width, 340, kWrapped);
  }
  muDraw::ReleaseFont();
  for (int align = 0; align < 3; ++align) {
    const int left = 20 + 205 * align;
    muDraw::Box(left - 4, 192, left + width + 4, 200 + heights[align], 0x402010, 0xC09060, 1);
  }
  muDraw::SetFont(1, 14, 0, 0, 0, 0);
  muDraw::SetTextColor(0xFFFFFF, 0, 1);
  for (int align = 0; align < 3; ++align) {
    const int left = 20 + 205 * align;
    SHOW(muDraw::TextBox)(left, 196, left + width, 340, kWrapped, align);
  }
  muDraw::ReleaseFont();

  // The library's own quick print, formatted.
  static int frames = 0;
  ++frames;
  RecordText("muDraw::PrintF", "20, 318, \"PrintF: %%d フレーム目、%%.1f 秒\", %d, %.1f", frames, t);
  muDraw::PrintF(20, 318, "PrintF: %d フレーム目、%.1f 秒", frames, t);
}

}  // namespace

extern const Page kFontsPage = {
    "fonts", "text", "フォントと文字", "明朝とゴシック、太字・斜体・下線・角度、折り返し", nullptr,
    FontsFrame, nullptr, true, false};

}  // namespace showcase
