// The page of the picture pack (made at build time by muDraw::Convert from
// the folder showcase\pack) and of the screenshot key.
#include "showcase/page.h"

namespace showcase {

namespace {

constexpr int kFrames = 8;
Named<int> coins[kFrames];
Named<int> landscape;
int night;   // which picture the landscape sprite holds now

void PackOpen() {
  SHOW(muDraw::SetPack)("showcase\\pictures.pak");
  static const char* const kNames[kFrames] = {"frame1.bmp", "frame2.bmp", "frame3.bmp",
                                              "frame4.bmp", "frame5.bmp", "frame6.bmp",
                                              "frame7.bmp", "frame8.bmp"};
  for (int i = 0; i < kFrames; ++i) {
    coins[i] = Label(SHOW(muDraw::LoadPack)(kNames[i], 2), "coin");
  }
  landscape = Label(SHOW(muDraw::LoadPack)("day.bmp", 2), "landscape");
  night = 0;
}

void PackClose() {
  for (Named<int>& coin : coins) muDraw::DeleteObject(coin);
  muDraw::DeleteObject(landscape);
}

void PackFrame(float t) {
  // Every two seconds the landscape's sprite takes the other picture of the pack.
  const int wanted = StepOf(t, 2, 2);
  if (wanted != night) {
    EventCalls events;
    night = wanted;
    SHOW(muDraw::SwapPack)(night ? "night.bmp" : "day.bmp", landscape, 2);
  }
  muDraw::Blt(24, 60, landscape, 0, 0, 256, 192);

  // The eight pictures of the turning coin as a flip-book, in three speeds.
  for (int row = 0; row < 3; ++row) {
    const int frame = static_cast<int>(t * (6 + 6 * row)) % kFrames;
    for (int i = 0; i < 4; ++i) {
      SHOW(muDraw::BltKey)(312 + 76 * i, 52 + 78 * row, coins[(frame + i) % kFrames], 0, 0, 64,
                           64);
    }
  }
  Caption(24, 258, night ? "night.bmp (SwapPack で差し替え)" : "day.bmp (SwapPack で差し替え)");
  Caption(312, 290, "frame1.bmp 〜 frame8.bmp を順に");
  Caption(24, 300, "pictures.pak: ビルド時に Convert で作ったパック", 0x60E0FF);
  Caption(24, 318, "F12: どのページでも SaveScreen で画面を保存", 0x60E0FF);
}

}  // namespace

extern const Page kPackPage = {
    "packs", "packs", "ピクチャーパック", "一つのパックファイルから絵を読む", PackOpen, PackFrame,
    PackClose, true, true};

}  // namespace showcase
