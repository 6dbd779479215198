// Pages of the screen transitions: the nine clip-rectangle curtains, the tile
// wipe and the page view.
#include "showcase/page.h"

namespace showcase {

namespace {

// A scrolling backdrop, a picture in the middle and sprites flying over it:
// all drawn by blits that keep to the clip rectangle. Two variations.
void Scenery(int variation, float t) {
  if (variation == 0) {
    SHOW(muDraw::TileScroll)(20.0f, 10.0f, pictures.texture, 0, 0, 256, 256);
    SHOW(muDraw::Blt)(192, 100, pictures.photo, 0, 0, 256, 192);
  } else {
    SHOW(muDraw::TileScroll)(-30.0f, 15.0f, pictures.tile, 0, 0, 64, 64);
    SHOW(muDraw::Blt)(240, 136, pictures.mini, 0, 0, 160, 120);
  }
  for (int i = 0; i < 4; ++i) {
    const int cell = (i * 2 + 1 + variation) % 6;
    const int x = 288 + static_cast<int>(250 * Swing(t * 0.7f + i * 1.3f, 4 + i));
    const int y = 160 + static_cast<int>(90 * Swing(t + i * 0.6f, 2.7f + 0.5f * i));
    muDraw::BltKey(x, y, pictures.sprites, kSpriteCell * cell, 0, kSpriteCell * cell + kSpriteCell,
                   kSpriteCell);
  }
}

// ---- Curtains --------------------------------------------------------------------
// Each of the nine types opens, rests, closes and rests in turn; the ninth is
// closed at once with CloseCurtain instead, and the round goes on.

constexpr float kCurtainSpeed = 420;   // pixels a second
constexpr int kCurtainBand = 60;
constexpr float kRest = 0.6f;
constexpr int kCurtainSteps = 18;      // open and close each of nine types

struct CurtainShow {
  int next;          // step to run next: type next / 2 + 1, closing when odd
  int shown;         // the step running or last run; -1 the page's own curtain
  bool resting;
  float restUntil;
} curtain;

const char* const kCurtainNames[] = {"上から",   "下から",   "右から", "左から",   "上下に",
                                     "左右に",   "中心から", "縦の帯から", "横の帯から"};

// The round begins with the iris opening again (type 7), then goes on in turn.
constexpr int kFirstStep = 12;

void CurtainsOpen() { curtain = CurtainShow{kFirstStep, -1, false, 0}; }

void CurtainsFrame(float t) {
  RecordText("muDraw::StepCurtain", "");
  if (muDraw::curtainState > 0) {
    // running
  } else if (!curtain.resting) {
    curtain.resting = true;
    curtain.restUntil = t + kRest;
  } else if (t >= curtain.restUntil) {
    EventCalls events;
    curtain.resting = false;
    curtain.shown = curtain.next;
    curtain.next = (curtain.next + 1) % kCurtainSteps;
    if (curtain.shown == kCurtainSteps - 1) {
      SHOW(muDraw::CloseCurtain)();
    } else {
      SHOW(muDraw::StartCurtain)(curtain.shown % 2, curtain.shown / 2 + 1, kCurtainSpeed,
                                 kCurtainBand);
    }
  }
  Scenery(0, t);
  // The clip rectangle itself, outlined (the outline is not clipped), and
  // the time to the next curtain while one rests.
  Outline(muDraw::clipLeft, muDraw::clipTop, muDraw::clipRight, muDraw::clipBottom, 0x60E0FF);
  if (curtain.resting && t < curtain.restUntil) {
    const int left = static_cast<int>((curtain.restUntil - t) / kRest * 200);
    muDraw::FillBox(420, 50, 420 + left, 54, PixelOf(0x60E0FF));
  }
  if (curtain.shown < 0) {
    Caption(12, 48, "ページを開くカーテン");
  } else if (curtain.shown == kCurtainSteps - 1) {
    Caption(12, 48, "CloseCurtain: すぐに閉じる");
  } else {
    CaptionF(12, 48, 0xFFFFFF, "タイプ %d (%s) %s", curtain.shown / 2 + 1,
             kCurtainNames[curtain.shown / 2], curtain.shown % 2 ? "閉じる" : "開く");
  }
  CaptionF(12, 64, 0x60E0FF, "curtainState %d   curtainOpened %d   curtainClosed %d",
           muDraw::curtainState, muDraw::curtainOpened, muDraw::curtainClosed);
}

void CurtainsClose() {
  if (muDraw::curtainState > 0) muDraw::EndCurtain();
}

// ---- Tile wipe -------------------------------------------------------------------
// Every three seconds: a forward wipe covers the picture (the frame loop shows
// only the wipe for ten frames), then the other picture is revealed by a
// backward wipe drawn over the page's own frames.

Named<int> wipeTiles;
int wipeScene;          // 0 photo, 1 texture
bool wipeCovering;      // a forward wipe was started
float nextWipe;

void WipeOpen() {
  wipeTiles = Label(SHOW(muDraw::SetWipe)("showcase\\wipe.bmp"), "wipe");
  SHOW(muDraw::SetVSync)(1);
  wipeScene = 0;
  wipeCovering = false;
  nextWipe = 2;
}

void WipeFrame(float t) {
  if (wipeCovering && muDraw::wipeDirection == 0) {
    // The forward wipe has ended: change the picture and wipe it in.
    wipeCovering = false;
    wipeScene ^= 1;
    EventCalls events;
    SHOW(muDraw::WipeBackward)();
  }
  Scenery(wipeScene, t);
  CaptionF(12, 48, 0xFFFFFF, "wipeStep %d   wipeDirection %d", muDraw::wipeStep,
           muDraw::wipeDirection);
  if (t >= nextWipe && muDraw::wipeStep == 0) {
    nextWipe = t + 3;
    wipeCovering = true;
    muSystem::nextScene = muSystem::sceneNumber;   // the scene to go on with afterwards
    EventCalls events;
    SHOW(muDraw::WipeForward)();
  }
}

void WipeClose() {
  muDraw::wipeStep = 0;
  muDraw::wipeDirection = 0;
  muDraw::DeleteObject(wipeTiles);
  muDraw::wipeSprite = 0;
}

// ---- Page view -------------------------------------------------------------------
// Space (or a click on the picture) turns the page view on and off. While it
// is on, the keys reach the page view, not the program: the arrows scroll it.

int spaceState;
int spaceHeld;   // Space as the page view saw it in the previous frame

void PageViewOpen() {
  SHOW(muDraw::SetPage)("showcase\\page.bmp", "showcase\\pagetile.bmp", 960);
  spaceState = 0;
  spaceHeld = 0;
}

void PageViewFrame(float t) {
  bool toggle = muSystem::leftPressed && kDemoArea.Contains(muSystem::mouseX, muSystem::mouseY);
  if (muDraw::pageViewOn) {
    const int held = muSystem::pageViewKey == VK_SPACE;
    toggle = toggle || (held && !spaceHeld);
    spaceHeld = held;
  } else {
    muSystem::UpdateKeyState(VK_SPACE, &spaceState);
    toggle = toggle || spaceState == 1;
  }
  if (toggle) {
    EventCalls events;
    SHOW(muDraw::TogglePage)();
    spaceHeld = muSystem::pageViewKey == VK_SPACE;
  }

  // Under the page view: a small copy of the page with a window gliding over it.
  muDraw::Stretch(40, 56, muDraw::pageSprite, 0, 0, 640, 960, 160, 240);
  const int y = 56 + static_cast<int>(80 * (1 + Swing(t, 6)));
  Outline(38, y - 2, 202, y + 80, 0x60E0FF);
  Caption(240, 80, "Space またはクリックでページビュー (TogglePage)", 0xFFFFFF);
  Caption(240, 104, "表示中は ↑↓ で毎秒 100 画素、←→ で毎秒 300 画素", 0xFFFFFF);
  Caption(240, 120, "スクロールし、背景のタイルもゆっくり流れる", 0xFFFFFF);
  Caption(240, 144, "表示中のページ移動はマウスで", 0x60E0FF);
  CaptionF(240, 176, 0x60E0FF, "pageViewOn %d   pagePos %d", muDraw::pageViewOn,
           static_cast<int>(muDraw::pagePos));
}

// The page view's two pictures are given back; the next SetPage loads afresh.
void PageViewClose() {
  if (muDraw::pageViewOn) muDraw::TogglePage();
  muDraw::DeleteObject(muDraw::pageSprite);
  muDraw::DeleteObject(muDraw::pageTileSprite);
  muDraw::pageSprite = muDraw::pageTileSprite = 0;
  muDraw::pageHeight = 0;
}

}  // namespace

extern const Page kCurtainsPage = {
    "curtains", "transitions", "カーテン", "クリップ矩形を動かす九種類の開閉", CurtainsOpen, CurtainsFrame,
    CurtainsClose, true, true};
extern const Page kWipePage = {
    "wipe", "transitions", "タイルワイプ", "64 x 48 のタイル十枚で画面を覆い、また現す", WipeOpen, WipeFrame,
    WipeClose, true, false};
extern const Page kPageViewPage = {
    "pageview", "transitions", "ページビュー", "縦長の絵をスクロールして読む", PageViewOpen, PageViewFrame,
    PageViewClose, true, false};

}  // namespace showcase
