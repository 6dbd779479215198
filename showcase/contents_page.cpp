// The first page: the showcase's title and its contents, each entry a link.
#include "showcase/page.h"

namespace showcase {

namespace {

constexpr COLORREF kEntry = 0xF0E8E0, kEntryHover = 0x60E0FF, kHoverFill = 0x6A3A20;

void ContentsFrame(float t) {
  SHOW(muDraw::TileScroll)(24.0f, 12.0f, pictures.tile, 0, 0, 64, 64);
  SHOW(muDraw::TintBox)(0, 40, 640, 352, Hex(PixelOf(0x000000), 6));
  for (int i = 0; i < 6; ++i) {
    const int y = 42 + static_cast<int>(6 * (1 + Swing(t + i * 0.15f, 1.2f)));
    SHOW(muDraw::BltKey)(372 + 42 * i, y, pictures.sprites, kSpriteCell * i, 0,
                         kSpriteCell * i + kSpriteCell, kSpriteCell);
  }

  const int hover = ContentsEntryAt(muSystem::mouseX, muSystem::mouseY, kPageCount);
  if (hover >= 0) {
    const Rect r = ContentsEntry(hover);
    muDraw::Box(r.left - 4, r.top, r.right, r.bottom, kHoverFill, kHoverFill, 1);
    if (muSystem::leftPressed) RequestPage(hover);
  }

  muDraw::SetFont(1, 26, 0, 1, 0, 0);
  muDraw::SetTextColor(0xFFFFFF, 0, 1);
  muDraw::Text(24, 50, "mu ライブラリ ショーケース");
  muDraw::ReleaseFont();
  muDraw::SetFont(1, 13, 0, 0, 0, 0);
  for (int i = 0; i < kPageCount; ++i) {
    const Rect r = ContentsEntry(i);
    char line[128];
    wsprintfA(line, "%2d. %s", i + 1, kPages[i]->title);
    muDraw::SetTextColor(i == hover ? kEntryHover : kEntry, 0, 1);
    muDraw::Text(r.left, r.top + 2, line);
  }
  muDraw::ReleaseFont();
}

}  // namespace

extern const Page kContentsPage = {
    "title", "title", "目次", "項目をクリックするとそのページへ", nullptr, ContentsFrame, nullptr,
    true, true};

}  // namespace showcase
