// Turning the showcase's pages: which page is shown, opening and closing
// pages, and one frame of the program.
//
// Each frame: read the reader's page moves, step the page-change curtain,
// clear the back screen, let the page draw (its calls recorded), draw the
// header, the call panel and the footer, show the frame rate, save the screen
// on F12, draw the pointer and show the frame. Every page opening is logged
// to DEBUG.TXT, which the end-to-end test reads.
#include "showcase/pager.h"

#include "showcase/chrome.h"
#include "showcase/page.h"

namespace showcase {

namespace {

int current = 0;          // index into kPages
int requested = -1;       // a page asked for by a contents link
float pageSeconds = 0;    // time since the current page opened

int keyLeft, keyRight, keyHome, keyEnd, keyF12;   // polled key states

constexpr int kShotsMax = 999;            // shot001.bmp .. shot999.bmp
constexpr float kNoticeSeconds = 3;
char notice[64];                          // shown in the header for a while
float noticeLeft;

constexpr float kCurtainSpeed = 1400;     // pixels a second
constexpr int kCurtainBand = 48;
constexpr int kCurtainTypes = 9;

void OpenPage(int index) {
  current = index;
  pageSeconds = 0;
  const Page& page = *kPages[current];
  // Each page opens behind a curtain of its own type over the demo area.
  muDraw::SetClip(kDemoArea.left, kDemoArea.top, kDemoArea.right, kDemoArea.bottom);
  muDraw::StartCurtain(0, index % kCurtainTypes + 1, kCurtainSpeed, kCurtainBand);
  ClearCalls(setupCalls);
  ClearCalls(eventCalls);
  recording = &setupCalls;
  if (page.open) page.open();
  recording = nullptr;
  muSystem::Log("page %d of %d: %s (%s)%s%s", current + 1, kPageCount, page.name, page.group,
                page.animated ? ", animated" : "", page.gallery ? ", gallery" : "");
}

void ClosePage() {
  const Page& page = *kPages[current];
  recording = nullptr;
  if (page.close) page.close();
  if (muDraw::curtainState > 0) muDraw::EndCurtain();
}

NavInput ReadNavigation() {
  muSystem::UpdateKeyState(VK_LEFT, &keyLeft);
  muSystem::UpdateKeyState(VK_RIGHT, &keyRight);
  muSystem::UpdateKeyState(VK_HOME, &keyHome);
  muSystem::UpdateKeyState(VK_END, &keyEnd);
  NavInput in{};
  in.previous = keyLeft == 1;
  in.next = keyRight == 1;
  in.first = keyHome == 1;
  in.last = keyEnd == 1;
  in.click = muSystem::leftPressed != 0;
  in.x = muSystem::mouseX;
  in.y = muSystem::mouseY;
  return in;
}

// F12: the back screen as it will be shown, saved beside the executable
// under the first free name shot001.bmp, shot002.bmp, ...
void SaveScreenOnKey() {
  muSystem::UpdateKeyState(VK_F12, &keyF12);
  if (keyF12 != 1) return;
  char name[16];
  for (int i = 1; i <= kShotsMax; ++i) {
    wsprintfA(name, "shot%03d.bmp", i);
    if (GetFileAttributesA(muDraw::MakePath(name)) != INVALID_FILE_ATTRIBUTES) continue;
    recording = &eventCalls;
    const int saved = SHOW(muDraw::SaveScreen)(name, kScreenWidth, kScreenHeight);
    recording = nullptr;
    wsprintfA(notice, saved ? "%s に保存しました" : "%s に保存できません", name);
    noticeLeft = kNoticeSeconds;
    return;
  }
}

}  // namespace

void RequestPage(int index) {
  if (index >= 0 && index < kPageCount) requested = index;
}

int CurrentPage() { return current; }

void StartShowcase() {
  LoadPictures();
  OpenPage(0);
}

void ShowcaseFrame() {
  int next = PageAfter(current, kPageCount, ReadNavigation());
  if (requested >= 0) next = requested;
  requested = -1;
  if (next != current) {
    ClosePage();
    OpenPage(next);
  }

  muDraw::StepCurtain();
  muDraw::ClearScreen();
  ClearCalls(frameCalls);
  recording = &frameCalls;
  kPages[current]->frame(pageSeconds);
  recording = nullptr;
  pageSeconds += muSystem::frameSeconds;

  noticeLeft -= muSystem::frameSeconds;
  DrawChrome(*kPages[current], current, kPageCount, noticeLeft > 0 ? notice : nullptr);
  muDraw::ShowFps();
  SaveScreenOnKey();
  DrawPointer();
  muDraw::Flip();
}

}  // namespace showcase
