// The drawing core on a real DirectDraw screen under Wine: the screen set-up,
// colour keys, loading, blits and the frame show. Runs windowed on the
// display it gets (16- or 24-bit); with MU_DRAW_FULLSCREEN=1 it sets up a
// full 640 x 480 x 16 screen instead (run it inside a Wine virtual desktop).
#include <gtest/gtest.h>
#include <mu.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "draw/blit_path.h"
#include "draw/sprites.h"
#include "message_box.h"
#include "surface_faults.h"
#include "surface_pixels.h"
#include "test_app.h"

namespace {

using namespace muDraw;

bool FullScreenRun() { return testapp::FullScreenRun("MU_DRAW_FULLSCREEN"); }

// One shell per process: the test application's start-up sets up the screen.
// Pictures the tests write go to a folder of their own beside the program.
const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new testapp::ScreenEnvironment(FullScreenRun(), "dt"));

using testpix::FillSurface;
using testpix::ReadPixel;
using testpix::ValueOf;
using testpix::WriteBmp;

// Paints a sprite pixel by pixel through GDI.
void Paint(int sprite, const std::function<COLORREF(int, int)>& colour) {
  HDC dc;
  LPDIRECTDRAWSURFACE s = spriteTable[sprite].surface;
  ASSERT_TRUE(SUCCEEDED(s->GetDC(&dc)));
  for (int y = 0; y < spriteTable[sprite].height; ++y) {
    for (int x = 0; x < spriteTable[sprite].width; ++x) SetPixel(dc, x, y, colour(x, y));
  }
  s->ReleaseDC(dc);
}

void FreeAllSprites() {
  for (int i = kInternalSprites; i < kSpriteCount; ++i) {
    DeleteObject(i);
    if (!spriteTable[i].surface) EmptyRecord(i);
  }
  SetColorKey(0);
  SetClip(0, 0, 640, 480);
}

class Draw : public ::testing::Test {
 protected:
  void TearDown() override { FreeAllSprites(); }
  AutoAnswer answer{IDOK};
  size_t Boxes() const { return answer.boxes().size(); }
  std::string LastBody() const { return answer.lastBody(); }
};

TEST_F(Draw, SurfacesClipperAndInternalSprites) {
  ASSERT_NE(directDraw, nullptr);
  ASSERT_NE(primarySurface, nullptr);
  ASSERT_NE(backScreen, nullptr);
  if (FullScreenRun()) {
    EXPECT_EQ(clipper, nullptr);
    EXPECT_EQ(displayDepth, 16);
  } else {
    ASSERT_NE(clipper, nullptr);
    HWND bound = nullptr;
    clipper->GetHWnd(&bound);
    EXPECT_EQ(bound, muSystem::mainWindow);
    LPDIRECTDRAWCLIPPER attached = nullptr;
    ASSERT_TRUE(SUCCEEDED(primarySurface->GetClipper(&attached)));
    EXPECT_EQ(attached, clipper);
    attached->Release();
    EXPECT_EQ(displayDepth, muSystem::GetScreenDepth());
  }
  const char* names[] = {"内部用１", "内部用２", "内部用３", "内部用４"};
  for (int i = 0; i < kInternalSprites; ++i) {
    SCOPED_TRACE(i);
    ASSERT_NE(spriteTable[i].surface, nullptr);
    EXPECT_STREQ(spriteTable[i].name, names[i]);
    EXPECT_EQ(spriteTable[i].width, 640);
    EXPECT_EQ(spriteTable[i].height, 480);
    EXPECT_EQ(spriteTable[i].colorKey, 0);
    EXPECT_EQ(spriteTable[i].memoryType, 2);
    DDCOLORKEY key = {1, 1};
    ASSERT_TRUE(SUCCEEDED(spriteTable[i].surface->GetColorKey(DDCKEY_SRCBLT, &key)));
    EXPECT_EQ(key.dwColorSpaceLowValue, 0u);
    DDSCAPS caps = {};
    spriteTable[i].surface->GetCaps(&caps);
    if (i >= 2) {
      EXPECT_TRUE(caps.dwCaps & DDSCAPS_SYSTEMMEMORY);
    }
  }
  EXPECT_EQ(spriteTable[4].surface, nullptr);
  EXPECT_EQ(spriteTable[4].name[0], '\0');
  EXPECT_EQ(clipLeft, 0);
  EXPECT_EQ(clipRight, 640);
  EXPECT_EQ(clipBottom, 480);
  EXPECT_EQ(screenRect.right, 640);
  EXPECT_EQ(muSystem::clientRect.right - muSystem::clientRect.left, 640);
}

TEST_F(Draw, PixelFormatAndTablesOfTheRealBackScreen) {
  DDPIXELFORMAT format = {};
  format.dwSize = sizeof format;
  ASSERT_TRUE(SUCCEEDED(backScreen->GetPixelFormat(&format)));
  EXPECT_EQ(redMask, format.dwRBitMask);
  EXPECT_EQ(sineTable[30], 179);
  EXPECT_EQ(sineTable[270], -360);
  EXPECT_EQ(sineTable[449], 359);
  if (muSystem::GetScreenDepth() == 16) {
    ASSERT_EQ(format.dwRGBBitCount, 16u);
    EXPECT_EQ(redShift, 11u);
    EXPECT_EQ(greenShift, 5u);
    EXPECT_EQ(greenTop5, 6u);
    EXPECT_EQ(halfMask, 0x7BEFu);
    EXPECT_EQ(halfMaskPair, 0x7BEF7BEFu);
    EXPECT_EQ(whiteValue, 0xFFFFu);
    EXPECT_EQ(greyTable[93], 31);
    EXPECT_EQ(pixelToRgb5[3 * 0xFFFF + 1], 31);
    EXPECT_EQ(subtractTable[0][9][3], 6 << 11);
  } else {
    EXPECT_EQ(whiteValue, 0xFFFFFFu);
    EXPECT_EQ(greyTable[93], 0);  // the 16-bit tables are not built
    EXPECT_EQ(pixelToRgb5[3 * 0xFFFF + 1], 0);
    EXPECT_EQ(fadeTable[1][0][31][0], 0);
  }
}

TEST_F(Draw, BackScreenDeviceContextIsLentAndReturned) {
  ASSERT_TRUE(SUCCEEDED(GetBackDC()));
  ASSERT_NE(backScreenDC, nullptr);
  SetPixel(backScreenDC, 5, 5, RGB(255, 255, 255));
  ReleaseBackDC();
  EXPECT_EQ(backScreenDC, nullptr);
  EXPECT_EQ(ReadPixel(backScreen, 5, 5), whiteValue);
  ReleaseBackDC();  // nothing borrowed: nothing happens
}

TEST_F(Draw, ColorMatchingAndKeys) {
  int s = CreateObject(8, 8, 2);
  ASSERT_GE(s, 4);
  Paint(s, [](int x, int y) { return x == 0 && y == 0 ? RGB(0, 128, 255) : RGB(10, 20, 30); });
  DWORD before = ReadPixel(spriteTable[s].surface, 0, 0);
  EXPECT_EQ(MatchColor(spriteTable[s].surface, RGB(255, 255, 255)), whiteValue);
  EXPECT_EQ(MatchColor(spriteTable[s].surface, 0), 0u);
  EXPECT_EQ(ReadPixel(spriteTable[s].surface, 0, 0), before);  // probe put back
  EXPECT_EQ(MatchColor(spriteTable[s].surface, static_cast<COLORREF>(-1)), before);

  // Black is the default key of a load; top-left takes pixel (0, 0).
  WriteBmp("dt\\keys.bmp", 4, 4, [](int x, int y) { return x + y == 0 ? RGB(255, 0, 255) : RGB(0, 0, 0); });
  int black = LoadObject("dt\\keys.bmp", 2);
  ASSERT_GE(black, 4);
  DDCOLORKEY key = {};
  spriteTable[black].surface->GetColorKey(DDCKEY_SRCBLT, &key);
  EXPECT_EQ(key.dwColorSpaceLowValue, 0u);
  EXPECT_EQ(spriteTable[black].colorKey, 0);
  SetColorKeyTopLeft();
  int topLeft = LoadObject("dt\\keys.bmp", 2);
  spriteTable[topLeft].surface->GetColorKey(DDCKEY_SRCBLT, &key);
  EXPECT_EQ(key.dwColorSpaceLowValue, ValueOf(RGB(255, 0, 255)));
  EXPECT_EQ(spriteTable[topLeft].colorKey, -1);
  SetColorKey(RGB(255, 255, 255));
  EXPECT_EQ(loadKeyTopLeft, 0);
  int white = LoadObject("dt\\keys.bmp", 2);
  spriteTable[white].surface->GetColorKey(DDCKEY_SRCBLT, &key);
  EXPECT_EQ(key.dwColorSpaceLowValue, whiteValue);

  // Per-object keys, and a copied key that leaves the record's colorKey alone.
  SetObjectColorKey(black, RGB(255, 255, 255));
  EXPECT_EQ(spriteTable[black].colorKey, static_cast<int>(RGB(255, 255, 255)));
  SetObjectColorKeyTopLeft(s);
  EXPECT_EQ(spriteTable[s].colorKey, -1);
  spriteTable[s].surface->GetColorKey(DDCKEY_SRCBLT, &key);
  EXPECT_EQ(key.dwColorSpaceLowValue, before);
  CopyColorKey(topLeft, black);
  spriteTable[topLeft].surface->GetColorKey(DDCKEY_SRCBLT, &key);
  EXPECT_EQ(key.dwColorSpaceLowValue, whiteValue);
  EXPECT_EQ(spriteTable[topLeft].colorKey, -1);
}

TEST_F(Draw, NameLengthsAndUnreadablePictures) {
  const char* name30 = "dt\\abcdefghijklmnopqrstuvw.bmp";
  ASSERT_EQ(std::strlen(name30), 30u);
  WriteBmp(name30, 2, 2, [](int, int) { return RGB(1, 2, 3); });
  int s = LoadObject(name30, 2);
  EXPECT_EQ(s, 4);
  EXPECT_STREQ(spriteTable[s].name, name30);

  const char* name31 = "dt\\abcdefghijklmnopqrstuvwx.bmp";
  size_t boxes = Boxes();
  EXPECT_EQ(LoadObject(name31, 2), 0);
  ASSERT_EQ(Boxes(), boxes + 1);
  EXPECT_EQ(LastBody(), "muDraw::LoadObject : ファイル名またはリソース名が長すぎます");
  EXPECT_EQ(answer.boxes().back().caption, "エラー発生");
  EXPECT_EQ(SwapObject(name31, s, 2), 0);
  EXPECT_EQ(LastBody(), "muDraw::SwapObject : ファイル名またはリソース名が長すぎます");
  EXPECT_STREQ(spriteTable[s].name, name30);  // refused before anything changed
  EXPECT_EQ(spriteTable[5].name[0], '\0');   // no record was taken

  // Not a BMP: the error box and 0, and the record is free again.
  std::string junk = testapp::ExeFile("dt\\junk.bmp");
  FILE* f = std::fopen(junk.c_str(), "wb");
  std::fputs("BM this is not a picture", f);
  std::fclose(f);
  muSystem::errorRaised = 0;
  EXPECT_EQ(LoadObject("dt\\junk.bmp", 2), 0);
  EXPECT_EQ(LastBody(), "muDraw::LoadObject : BMPファイルを読み込めません");
  EXPECT_EQ(muSystem::errorRaised, 1);
  EXPECT_EQ(spriteTable[5].name[0], '\0');
  EXPECT_EQ(LoadObject("dt\\missing.bmp", 2), 0);
  EXPECT_EQ(LastBody(), "muDraw::LoadObject : BMPファイルを読み込めません");
}

TEST_F(Draw, MakePathJoinsTheProgramsDirectory) {
  std::string dir = muSystem::GetExeDir(0);
  EXPECT_EQ(std::string(MakePath("bmp\\back.bmp")), dir + "bmp\\back.bmp");
  EXPECT_EQ(std::string(MakePath(std::string(300, 'x').c_str())), "");  // never cut or overrun
}

TEST_F(Draw, FullTableAndLowestFreeRecord) {
  for (int i = kInternalSprites; i < kSpriteCount; ++i) ASSERT_EQ(CreateObject(1, 1, 2), i);
  WriteBmp("dt\\one.bmp", 2, 2, [](int, int) { return RGB(9, 9, 9); });
  size_t boxes = Boxes();
  EXPECT_EQ(LoadObject("dt\\one.bmp", 2), 0);
  EXPECT_EQ(LastBody(), "muDraw::LoadObject : オブジェクト数が多過ぎます");
  EXPECT_EQ(CreateObject(1, 1, 2), 0);
  EXPECT_EQ(LastBody(), "muDraw::CreateObject : オブジェクト数が多過ぎます");
  EXPECT_EQ(Boxes(), boxes + 2);
  DeleteObject(10);
  EXPECT_EQ(spriteTable[10].name[0], '\0');
  EXPECT_EQ(LoadObject("dt\\one.bmp", 2), 10);
  EXPECT_EQ(spriteTable[10].width, 2);
  DeleteObject(10);
  DeleteObject(10);  // no surface any more: nothing happens
  EXPECT_EQ(CreateObject(3, 3, 1), 10);
  DDSCAPS caps = {};
  spriteTable[10].surface->GetCaps(&caps);
  EXPECT_TRUE(caps.dwCaps & DDSCAPS_SYSTEMMEMORY);  // memory type other than 2
}

TEST_F(Draw, LoadOrderAndSwap) {
  // Resources compiled into this executable (see tests/win/draw_core_test.rc.in):
  // ORDERA.BMP under its full path (red) and bare (blue), ORDERB.BMP bare (blue).
  WriteBmp("orderA.bmp", 2, 2, [](int, int) { return RGB(0, 255, 0); });
  WriteBmp("orderB.bmp", 3, 3, [](int, int) { return RGB(0, 255, 0); });
  int a = LoadObject("orderA.bmp", 2);
  int b = LoadObject("orderB.bmp", 2);
  int c = LoadObject("orderC.bmp", 2);
  ASSERT_GT(a, 0);
  ASSERT_GT(b, 0);
  ASSERT_GT(c, 0);
  EXPECT_EQ(ReadPixel(spriteTable[a].surface, 0, 0), ValueOf(RGB(255, 0, 0)));  // full-path resource
  EXPECT_EQ(ReadPixel(spriteTable[b].surface, 0, 0), ValueOf(RGB(0, 255, 0)));  // file
  EXPECT_EQ(ReadPixel(spriteTable[c].surface, 0, 0), ValueOf(RGB(0, 0, 255)));  // bare resource
  EXPECT_EQ(spriteTable[c].width, 5);
  EXPECT_EQ(spriteTable[c].height, 4);

  // A swap keeps the index, takes the new picture's size and its name.
  WriteBmp("dt\\wide.bmp", 20, 7, [](int, int) { return RGB(255, 255, 255); });
  LPDIRECTDRAWSURFACE old = spriteTable[b].surface;
  EXPECT_EQ(SwapObject("dt\\wide.bmp", b, 2), 1);
  EXPECT_NE(spriteTable[b].surface, nullptr);
  (void)old;
  EXPECT_EQ(spriteTable[b].width, 20);
  EXPECT_EQ(spriteTable[b].height, 7);
  EXPECT_STREQ(spriteTable[b].name, "dt\\wide.bmp");
  EXPECT_EQ(ReadPixel(spriteTable[b].surface, 19, 6), whiteValue);

  // A failed swap keeps the index reserved without a surface; nothing uses it.
  EXPECT_EQ(SwapObject("dt\\nothing.bmp", b, 2), 0);
  EXPECT_EQ(LastBody(), "muDraw::SwapObject : BMPファイルを読み込めません");
  EXPECT_EQ(spriteTable[b].surface, nullptr);
  EXPECT_STREQ(spriteTable[b].name, "dt\\nothing.bmp");
  EXPECT_NE(LoadObject("dt\\wide.bmp", 2), b);
  BltKey(0, 0, b, 0, 0, 10, 10);
  SetObjectColorKey(b, 0);
  CopyColorKey(b, a);
  CopyColorKey(a, b);
  ObjectBlt(b, 0, 0, a, 0, 0, 1, 1);
}

TEST_F(Draw, IndexesOutsideTheTableAreIgnored) {
  size_t boxes = Boxes();
  for (int bad : {-1, 1024, 1 << 30}) {
    BltKey(0, 0, bad, 0, 0, 4, 4);
    Blt(0, 0, bad, 0, 0, 4, 4);
    ObjectBltKey(bad, 0, 0, 0, 0, 0, 4, 4);
    ObjectBlt(0, 0, 0, bad, 0, 0, 4, 4);
    DeleteObject(bad);
    SetObjectColorKey(bad, 0);
    SetObjectColorKeyTopLeft(bad);
    CopyColorKey(bad, 0);
    CopyColorKey(0, bad);
    EXPECT_EQ(SwapObject("dt\\one.bmp", bad, 2), 0);
  }
  EXPECT_EQ(Boxes(), boxes);
}

// A 64 x 48 sprite whose every pixel tells its own column and row.
int Gradient() {
  int s = CreateObject(64, 48, 2);
  Paint(s, [](int x, int y) { return RGB(x * 4 + 3, y * 5 + 3, 200); });
  return s;
}

TEST_F(Draw, BlitsClipToTheClipRectangle) {
  int s = Gradient();
  LPDIRECTDRAWSURFACE src = spriteTable[s].surface;
  ClearScreen();
  BltKey(600, 10, s, 0, 0, 64, 48);
  EXPECT_EQ(ReadPixel(backScreen, 600, 10), ReadPixel(src, 0, 0));
  EXPECT_EQ(ReadPixel(backScreen, 639, 57), ReadPixel(src, 39, 47));
  EXPECT_EQ(ReadPixel(backScreen, 599, 10), 0u);
  BltKey(-10, -5, s, 0, 0, 64, 48);
  EXPECT_EQ(ReadPixel(backScreen, 0, 0), ReadPixel(src, 10, 5));
  EXPECT_EQ(ReadPixel(backScreen, 53, 42), ReadPixel(src, 63, 47));
  EXPECT_EQ(ReadPixel(backScreen, 54, 0), 0u);

  ClearScreen();
  BltKey(640, 0, s, 0, 0, 64, 48);
  Blt(0, 480, s, 0, 0, 64, 48);
  EXPECT_EQ(ReadPixel(backScreen, 639, 0), 0u);
  EXPECT_EQ(ReadPixel(backScreen, 0, 479), 0u);

  // Into a sprite: cut by the clip rectangle, not by the destination's size.
  int d = CreateObject(640, 480, 2);
  FillSurface(spriteTable[d].surface, 0);
  SetClip(0, 0, 100, 100);
  ObjectBlt(d, 90, 0, s, 0, 0, 64, 48);
  EXPECT_EQ(ReadPixel(spriteTable[d].surface, 99, 0), ReadPixel(src, 9, 0));
  EXPECT_EQ(ReadPixel(spriteTable[d].surface, 100, 0), 0u);
  ObjectBltKey(d, 200, 200, s, 0, 0, 64, 48);
  EXPECT_EQ(ReadPixel(spriteTable[d].surface, 200, 200), 0u);
  // Blits into the back screen obey a narrowed clip rectangle too.
  ClearScreen();
  SetClip(20, 30, 40, 50);
  Blt(0, 0, s, 0, 0, 64, 48);
  EXPECT_EQ(ReadPixel(backScreen, 20, 30), ReadPixel(src, 20, 30));
  EXPECT_EQ(ReadPixel(backScreen, 39, 47), ReadPixel(src, 39, 47));
  EXPECT_EQ(ReadPixel(backScreen, 19, 30), 0u);
  EXPECT_EQ(ReadPixel(backScreen, 40, 30), 0u);
  EXPECT_EQ(ReadPixel(backScreen, 20, 50), 0u);
}

TEST_F(Draw, KeyedBlitLeavesKeyPixelsOut) {
  WriteBmp("dt\\holes.bmp", 8, 8, [](int x, int y) { return (x + y) % 2 ? RGB(0, 0, 0) : RGB(255, 255, 0); });
  int s = LoadObject("dt\\holes.bmp", 2);
  ASSERT_GT(s, 0);
  FillSurface(backScreen, whiteValue);
  BltKey(0, 0, s, 0, 0, 8, 8);
  EXPECT_EQ(ReadPixel(backScreen, 0, 0), ValueOf(RGB(255, 255, 0)));
  EXPECT_EQ(ReadPixel(backScreen, 1, 0), whiteValue);  // black left out
  Blt(0, 0, s, 0, 0, 8, 8);
  EXPECT_EQ(ReadPixel(backScreen, 1, 0), 0u);          // opaque copies black
  ClearScreen();
  EXPECT_EQ(ReadPixel(backScreen, 0, 0), 0u);
}

}  // namespace

namespace {

TEST_F(Draw, RestoreReloadsOnlyLostPictures) {
  WriteBmp("dt\\lossy.bmp", 16, 16, [](int, int) { return RGB(255, 255, 0); });
  SetColorKey(RGB(255, 255, 255));
  int s = LoadObject("dt\\lossy.bmp", 2);
  SetColorKey(0);
  int blank = CreateObject(16, 16, 2);
  ASSERT_GT(s, 0);
  ASSERT_GT(blank, 0);
  FillSurface(spriteTable[s].surface, 0);       // content the reload must replace
  FillSurface(spriteTable[blank].surface, 0);   // content nothing brings back
  LPDIRECTDRAWSURFACE blankSurface = spriteTable[blank].surface;

  LoseSurfaces();
  EXPECT_EQ(spriteTable[s].surface->IsLost(), DDERR_SURFACELOST);
  Restore();
  EXPECT_EQ(GdiPixel(spriteTable[s].surface, 3, 3), RGB(255, 255, 0));  // reloaded from its file
  EXPECT_EQ(spriteTable[s].colorKey, static_cast<int>(RGB(255, 255, 255)));
  EXPECT_STREQ(spriteTable[s].name, "dt\\lossy.bmp");
  EXPECT_EQ(spriteTable[s].width, 16);
  EXPECT_EQ(loadColorKey, RGB(255, 255, 255));  // the last reloaded record's key
  EXPECT_EQ(spriteTable[blank].surface, blankSurface);  // restored in place, not reloaded
  EXPECT_EQ(GdiPixel(blankSurface, 3, 3), RGB(0, 0, 0));
  EndLoss();
  EXPECT_EQ(backScreen->IsLost(), DD_OK);
  DDCOLORKEY key = {};
  spriteTable[s].surface->GetColorKey(DDCKEY_SRCBLT, &key);
  EXPECT_EQ(key.dwColorSpaceLowValue, whiteValue);

  // Without a loss nothing is reloaded.
  FillSurface(spriteTable[s].surface, 0);
  Restore();
  EXPECT_EQ(ReadPixel(spriteTable[s].surface, 3, 3), 0u);
}

TEST_F(Draw, PackedPicturesReloadThroughThePackReader) {
  WriteBmp("dt\\packed.bmp", 4, 4, [](int, int) { return RGB(0, 0, 255); });
  int s = LoadObject("dt\\packed.bmp", 2);
  ASSERT_GT(s, 0);
  spriteTable[s].packed = 1;
  size_t boxes = Boxes();
  LoseSurfaces();
  Restore();
  EndLoss();
  ASSERT_EQ(Boxes(), boxes + 1);
  EXPECT_EQ(LastBody(), "muDraw::SwapPack : パックファイル名が指定されていません");
}

// On both paths: DirectDraw's blit, and the library's copy, which meets the
// loss in its lock.
class DrawOnPath : public Draw, public ::testing::WithParamInterface<BlitPath> {
 protected:
  void SetUp() override {
    Draw::SetUp();
    ForceBlitPath(GetParam());
  }
  void TearDown() override {
    ForceBlitPath(BlitPath::kMeasured);
    Draw::TearDown();
  }
};
INSTANTIATE_TEST_SUITE_P(BothPaths, DrawOnPath,
                         ::testing::Values(BlitPath::kDirectDraw, BlitPath::kLibrary));

TEST_P(DrawOnPath, BlitThatMeetsALossDrawsNothingAndTheNextFrameDraws) {
  WriteBmp("dt\\lossy.bmp", 16, 16, [](int, int) { return RGB(255, 255, 0); });
  int s = LoadObject("dt\\lossy.bmp", 2);
  ASSERT_GT(s, 0);
  const DWORD yellow = ReadPixel(spriteTable[s].surface, 0, 0);
  FillSurface(spriteTable[s].surface, 0);
  FillSurface(backScreen, whiteValue);

  LPDIRECTDRAWSURFACE realBack = backScreen;
  FaultySurface* wrappedBack = new FaultySurface(realBack);
  FaultySurface* wrappedSprite = new FaultySurface(spriteTable[s].surface);
  backScreen = wrappedBack;
  spriteTable[s].surface = wrappedSprite;

  ClearScreen();  // clears nothing and restores nothing
  EXPECT_EQ(wrappedBack->restores, 0);
  EXPECT_EQ(ReadPixel(realBack, 0, 0), whiteValue);

  BltKey(0, 0, s, 0, 0, 16, 16);  // meets the loss: restores, draws nothing
  EXPECT_EQ(wrappedBack->restores, 1);
  EXPECT_EQ(ReadPixel(realBack, 0, 0), whiteValue);
  // The lost picture was reloaded into a new surface of the same record.
  ASSERT_NE(spriteTable[s].surface, nullptr);
  EXPECT_NE(spriteTable[s].surface, static_cast<LPDIRECTDRAWSURFACE>(wrappedSprite));
  EXPECT_EQ(ReadPixel(spriteTable[s].surface, 0, 0), yellow);

  BltKey(0, 0, s, 0, 0, 16, 16);  // the next frame draws normally
  EXPECT_EQ(ReadPixel(realBack, 0, 0), yellow);

  // The frame copy meets a loss the same way.
  wrappedBack->lost = true;
  LPDIRECTDRAWSURFACE realPrimary = primarySurface;
  FaultySurface* wrappedPrimary = new FaultySurface(realPrimary);
  realPrimary->AddRef();
  primarySurface = wrappedPrimary;
  SetVSync(0);
  Flip();
  SetVSync(1);
  EXPECT_EQ(wrappedPrimary->restores, 1);  // restored unconditionally
  EXPECT_EQ(wrappedBack->restores, 2);
  primarySurface = realPrimary;
  wrappedPrimary->Release();

  backScreen = realBack;
  realBack->AddRef();
  wrappedBack->Release();
}

// What the window shows at a point of its client area, read through GDI.
COLORREF WindowPixel(int x, int y) {
  HDC dc = GetDC(muSystem::mainWindow);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(muSystem::mainWindow, dc);
  return c;
}

TEST_P(DrawOnPath, FlipShowsTheBackScreen) {
  EXPECT_EQ(waitVBlank, 1);
  FillSurface(backScreen, ValueOf(RGB(0, 255, 0)));
  Flip();  // with the vertical-blank wait
  EXPECT_EQ(WindowPixel(10, 10), RGB(0, 255, 0));
  SetVSync(0);
  EXPECT_EQ(waitVBlank, 0);
  FillSurface(backScreen, ValueOf(RGB(255, 0, 0)));
  Flip();
  EXPECT_EQ(WindowPixel(10, 10), RGB(255, 0, 0));
  EXPECT_EQ(WindowPixel(639, 479), RGB(255, 0, 0));
  SetVSync(1);
}

TEST_F(Draw, ScreenAgainFallbacksAndDrawingAfterAFailedSetUp) {
  // Width -1 takes the start-up size, whatever height is given.
  ASSERT_EQ(Screen(-1, 5, 1), 1);
  EXPECT_EQ(muSystem::screenWidth, 640);
  EXPECT_EQ(muSystem::screenHeight, 480);
  EXPECT_EQ(clipBottom, 480);
  EXPECT_EQ(spriteTable[1].height, 480);

  if (FullScreenRun()) {
    SetDepth(16, 0, 0);
    EXPECT_EQ(Screen(640, 480, 1), 1);
    EXPECT_EQ(displayDepth, 16);
  }

  // A back screen that cannot be made: reported, and later drawing skips
  // whatever is missing.
  EXPECT_EQ(Screen(0, 0, 1), 0);
  EXPECT_EQ(LastBody(), "muDraw::Screen : 裏画面が生成できません");
  EXPECT_EQ(muSystem::errorRaised, 1);
  EXPECT_EQ(backScreen, nullptr);
  EXPECT_EQ(spriteTable[0].surface, nullptr);
  ClearScreen();
  BltKey(0, 0, 0, 0, 0, 10, 10);
  Blt(0, 0, 4, 0, 0, 10, 10);
  ObjectBlt(0, 0, 0, 1, 0, 0, 10, 10);
  EXPECT_FALSE(SUCCEEDED(GetBackDC()));
  ReleaseBackDC();
  WipeForward();
  pageViewOn = 1;
  Flip();
  pageViewOn = 0;
  wipeStep = wipeDirection = 0;
  Restore();

  ASSERT_EQ(Screen(640, 480, 1), 1);
  EXPECT_EQ(muSystem::errorRaised, 0);
  EXPECT_NE(backScreen, nullptr);
  EXPECT_EQ(clipper != nullptr, !FullScreenRun());
}

COLORREF WipeColour(int frame) { return RGB(20 + 20 * frame, 200 - 15 * frame, 100); }

class Wipe : public Draw {
 protected:
  void SetUp() override {
    Draw::SetUp();
    WriteBmp("dt\\wipe.bmp", 640, 48, [](int x, int) { return WipeColour(x / 64); });
    sprite = SetWipe("dt\\wipe.bmp");
    ASSERT_GT(sprite, 0);
    for (int f = 0; f < 10; ++f) value[f] = ValueOf(WipeColour(f));
    SetVSync(0);
  }
  void TearDown() override {
    testapp::onFrame = nullptr;
    muSystem::sceneNumber = muSystem::previousScene = 1;
    SetVSync(1);
    Draw::TearDown();
  }
  // Every tile of the grid shows frame f.
  void ExpectFrame(int f) {
    EXPECT_EQ(ReadPixel(backScreen, 0, 0), value[f]) << "frame " << f;
    EXPECT_EQ(ReadPixel(backScreen, 639, 479), value[f]) << "frame " << f;
    EXPECT_EQ(ReadPixel(backScreen, 64 * 3 + 5, 48 * 7 + 5), value[f]) << "frame " << f;
  }
  int sprite = 0;
  DWORD value[10] = {};
};

TEST_F(Wipe, ForwardRunsInsteadOfTheSceneThenChangesIt) {
  ClearScreen();
  muSystem::sceneNumber = muSystem::previousScene = 1;
  muSystem::nextScene = 7;
  int frames = testapp::frameCalls;
  WipeForward();
  for (int f = 0; f < 10; ++f) {
    EXPECT_EQ(muSystem::sceneNumber, 1);
    testapp::Frame();
    ExpectFrame(f);
  }
  EXPECT_EQ(wipeStep, 0);
  EXPECT_EQ(wipeDirection, 0);
  EXPECT_EQ(muSystem::sceneNumber, 7);
  EXPECT_EQ(testapp::frameCalls, frames);  // the scene did not run meanwhile
}

TEST_F(Wipe, BackwardRunsOverTheScenesFrames) {
  muSystem::sceneNumber = muSystem::previousScene = 1;
  testapp::onFrame = [] {
    ClearScreen();
    Flip();
  };
  int frames = testapp::frameCalls;
  WipeBackward();
  for (int f = 9; f >= 0; --f) {
    testapp::Frame();
    ExpectFrame(f);
  }
  EXPECT_EQ(wipeStep, 0);
  EXPECT_EQ(wipeDirection, 0);
  EXPECT_EQ(testapp::frameCalls, frames + 10);
  testapp::Frame();
  EXPECT_EQ(ReadPixel(backScreen, 0, 0), 0u);  // over: the scene's own picture
}

TEST_F(Wipe, TilesAreCutByTheClipRectangle) {
  ClearScreen();
  SetClip(100, 100, 200, 200);
  WipeForward();
  Flip();
  EXPECT_EQ(ReadPixel(backScreen, 150, 150), value[0]);
  EXPECT_EQ(ReadPixel(backScreen, 99, 150), 0u);
  EXPECT_EQ(ReadPixel(backScreen, 200, 150), 0u);
  wipeStep = wipeDirection = 0;
}

COLORREF PageColour(int x, int y) { return RGB((y >> 8) * 50 + 20, y & 255, x & 255); }

TEST_F(Draw, PageViewScrollsAndClamps) {
  WriteBmp("dt\\page.bmp", 640, 1000, PageColour);
  WriteBmp("dt\\tile.bmp", 64, 48, [](int, int) { return RGB(255, 0, 255); });
  pageViewOn = 0;
  TogglePage();
  EXPECT_EQ(pageViewOn, 0);  // no page yet
  SetPage("dt\\page.bmp", "dt\\tile.bmp", 1000);
  ASSERT_GT(pageSprite, 0);
  ASSERT_GT(pageTileSprite, 0);
  const int page = pageSprite;
  LPDIRECTDRAWSURFACE pageSurface = spriteTable[page].surface;
  TogglePage();
  ASSERT_EQ(pageViewOn, 1);
  SetVSync(0);
  pageTileX = pageTileY = 0;

  muSystem::frameSeconds = 1.0f;
  muSystem::pageViewKey = 40;  // down: 100 a second
  ClearScreen();
  Flip();
  EXPECT_EQ(ReadPixel(backScreen, 0, 0), ReadPixel(pageSurface, 0, 0));
  EXPECT_FLOAT_EQ(pagePos, 100.0f);
  EXPECT_FLOAT_EQ(pageTileX, -10.0f);
  EXPECT_FLOAT_EQ(pageTileY, -10.0f);
  Flip();
  EXPECT_EQ(ReadPixel(backScreen, 5, 0), ReadPixel(pageSurface, 5, 100));
  EXPECT_EQ(ReadPixel(backScreen, 5, 479), ReadPixel(pageSurface, 5, 579));
  EXPECT_FLOAT_EQ(pagePos, 200.0f);

  muSystem::pageViewKey = 39;  // right: a page of 300
  Flip();
  EXPECT_FLOAT_EQ(pagePos, 500.0f);
  Flip();
  EXPECT_FLOAT_EQ(pagePos, 520.0f);  // 1000 - 480
  muSystem::pageViewKey = 37;
  muSystem::frameSeconds = 2.0f;
  Flip();
  EXPECT_FLOAT_EQ(pagePos, 0.0f);

  // Tiles show where the page leaves its key colour: a clip rectangle narrower
  // than the screen shows the drifting tiles around it.
  muSystem::pageViewKey = 0;
  SetClip(100, 100, 300, 300);
  ClearScreen();
  Flip();
  EXPECT_EQ(ReadPixel(backScreen, 150, 150), ReadPixel(pageSurface, 50, 50));
  SetClip(0, 0, 640, 480);

  // A second SetPage replaces the pictures in the same sprites; a short page
  // leaves the position negative.
  SetPage("dt\\page.bmp", "dt\\tile.bmp", 300);
  EXPECT_EQ(pageSprite, page);
  EXPECT_FLOAT_EQ(pagePos, 0.0f);
  muSystem::pageViewKey = 40;
  muSystem::frameSeconds = 1.0f;
  Flip();
  EXPECT_FLOAT_EQ(pagePos, -180.0f);

  TogglePage();
  EXPECT_EQ(pageViewOn, 0);
  pageHeight = 0;
  TogglePage();
  EXPECT_EQ(pageViewOn, 0);
  muSystem::pageViewKey = 0;
  muSystem::frameSeconds = 0;
  SetVSync(1);
}

TEST_F(Draw, PageTileThatFailedToLoadNeverReplacesTheBufferSprite) {
  const int savedPage = pageSprite, savedTile = pageTileSprite;
  pageSprite = pageTileSprite = 0;
  WriteBmp("dt\\page2.bmp", 640, 600, PageColour);
  SetPage("dt\\page2.bmp", "dt\\no-such-tile.bmp", 600);
  ASSERT_GT(pageSprite, 0);
  EXPECT_EQ(pageTileSprite, 0);
  const int width = spriteTable[kBufferSprite].width;
  LPDIRECTDRAWSURFACE buffer = spriteTable[kBufferSprite].surface;
  // The second call loads the tile into a record of its own.
  WriteBmp("dt\\tile2.bmp", 64, 48, [](int, int) { return RGB(255, 0, 255); });
  SetPage("dt\\page2.bmp", "dt\\tile2.bmp", 600);
  EXPECT_GT(pageTileSprite, 3);
  EXPECT_EQ(spriteTable[kBufferSprite].surface, buffer);
  EXPECT_EQ(spriteTable[kBufferSprite].width, width);
  DeleteObject(pageSprite);
  DeleteObject(pageTileSprite);
  pageSprite = savedPage;
  pageTileSprite = savedTile;
  pageHeight = 0;
}

}  // namespace
