// The library's blits, frame show and GDI context against DirectDraw's on the
// real screen (windowed, on the display the run gets: 16- or 24-bit): the
// same calls on both paths leave the back screen, the sprites and the window
// the same, bit for bit. Then losses, and failed locks and key reads, on the
// library's path.
#include <gtest/gtest.h>
#include <mu.h>

#include <cstdint>
#include <string>
#include <vector>

#include "draw/blit_path.h"
#include "surface_faults.h"
#include "surface_pixels.h"
#include "test_app.h"

namespace {

using namespace muDraw;

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new testapp::ScreenEnvironment);

using testpix::Bytes;
using testpix::ReadBytes;
using testpix::WriteBytes;

DWORD KeyOf(int sprite) {
  DDCOLORKEY k = {};
  spriteTable[sprite].surface->GetColorKey(DDCKEY_SRCBLT, &k);
  return k.dwColorSpaceLowValue;
}

// Random raw pixels, every bit (a 32-bit pixel's unused top byte too), about
// a third of them the key in their colour bits.
void FillRandom(LPDIRECTDRAWSURFACE s, std::uint32_t seed, DWORD key) {
  testpix::FillRandom(s, seed, 0xFFFFFFFF, 3, key);
}

struct Call {
  int destination;   // -1: the back screen
  bool keyed;
  int x, y, sprite;
  RECT source;
};

void Perform(const Call& c) {
  const RECT& r = c.source;
  if (c.destination < 0 && c.keyed) BltKey(c.x, c.y, c.sprite, r.left, r.top, r.right, r.bottom);
  if (c.destination < 0 && !c.keyed) Blt(c.x, c.y, c.sprite, r.left, r.top, r.right, r.bottom);
  if (c.destination >= 0 && c.keyed)
    ObjectBltKey(c.destination, c.x, c.y, c.sprite, r.left, r.top, r.right, r.bottom);
  if (c.destination >= 0 && !c.keyed)
    ObjectBlt(c.destination, c.x, c.y, c.sprite, r.left, r.top, r.right, r.bottom);
}

std::string Describe(const Call& c, const RECT& clip) {
  char text[200];
  std::snprintf(text, sizeof text, "clip (%ld,%ld,%ld,%ld): %s into %d at (%d,%d) from %d (%ld,%ld,%ld,%ld)",
                clip.left, clip.top, clip.right, clip.bottom, c.keyed ? "keyed" : "opaque",
                c.destination, c.x, c.y, c.sprite, c.source.left, c.source.top, c.source.right,
                c.source.bottom);
  return text;
}

class BlitPaths : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(backScreen, nullptr); }
  void TearDown() override {
    ForceBlitPath(BlitPath::kMeasured);
    SetClip(0, 0, 640, 480);
    for (int s : made_) DeleteObject(s);
    SetColorKey(0);
  }
  int Make(int w, int h, int memoryType) {
    int s = CreateObject(w, h, memoryType);
    made_.push_back(s);
    return s;
  }
  std::vector<int> made_;
};

// Every sprite format the screen can have is the screen's own, in either
// placement; keys of every kind the sprite table sets.
TEST_F(BlitPaths, BothPathsLeaveTheSamePixels) {
  const int placed = Make(64, 48, 2), system = Make(37, 29, 1), screenSized = Make(640, 480, 2);
  const int copied = Make(50, 40, 1), intoPlaced = Make(200, 150, 2), intoSystem = Make(120, 90, 1);
  ASSERT_GT(intoSystem, 0);
  SetObjectColorKey(placed, 0);
  SetObjectColorKey(system, RGB(255, 0, 255));
  CopyColorKey(copied, system);
  std::uint32_t seed = 7;
  for (int s : {placed, system, copied}) FillRandom(spriteTable[s].surface, ++seed, KeyOf(s));
  FillRandom(spriteTable[screenSized].surface, ++seed, 0x1234 & whiteValue);
  SetObjectColorKeyTopLeft(screenSized);
  for (int s : {intoPlaced, intoSystem}) FillRandom(spriteTable[s].surface, ++seed, 0);
  FillRandom(backScreen, ++seed, 0);

  // The starting pixels, put back before each path runs.
  const std::vector<int> targets = {intoPlaced, intoSystem, placed};
  const Bytes back = ReadBytes(backScreen);
  std::vector<Bytes> start;
  for (int t : targets) start.push_back(ReadBytes(spriteTable[t].surface));

  const RECT clips[] = {{0, 0, 640, 480},          // the screen
                        {13, 7, 600, 451},         // cuts every side
                        {-20, -20, 700, 500},      // larger than the surfaces: DirectDraw refuses
                        {100, 100, 100, 300}};     // no width at all
  const POINT at[] = {{10, 10}, {-5, -7}, {620, 460}, {590, 3}, {3, 440}, {700, 10},
                      {10, 500}, {600, 0}, {160, 120}, {-63, 20}};
  std::vector<std::pair<RECT, Call>> calls;
  for (const RECT& clip : clips) {
    for (int sprite : {placed, system, screenSized, copied}) {
      const int w = spriteTable[sprite].width, h = spriteTable[sprite].height;
      const RECT sources[] = {{0, 0, w, h}, {3, 2, w - 4, h - 3}, {0, 0, w + 9, h}};
      for (const POINT& p : at) {
        for (const RECT& r : sources) {
          for (bool keyed : {true, false}) calls.push_back({clip, {-1, keyed, p.x, p.y, sprite, r}});
        }
      }
      for (int into : {intoPlaced, intoSystem}) {
        for (bool keyed : {true, false}) {
          calls.push_back({clip, {into, keyed, 30, 20, sprite, {0, 0, w, h}}});
          calls.push_back({clip, {into, keyed, 100, 70, sprite, {1, 1, w, h}}});
        }
      }
    }
    // Into the sprite it comes from: DirectDraw's blit on both paths.
    calls.push_back({clip, {placed, false, 5, 4, placed, {0, 0, 30, 20}}});
    calls.push_back({clip, {placed, true, 9, 1, placed, {2, 2, 40, 30}}});
  }

  std::vector<std::uint64_t> hashes[2];
  for (int path = 0; path < 2; ++path) {
    ForceBlitPath(path == 0 ? BlitPath::kDirectDraw : BlitPath::kLibrary);
    WriteBytes(backScreen, back);
    for (std::size_t i = 0; i < targets.size(); ++i) WriteBytes(spriteTable[targets[i]].surface, start[i]);
    for (const auto& [clip, call] : calls) {
      SetClip(clip.left, clip.top, clip.right, clip.bottom);
      Perform(call);
      LPDIRECTDRAWSURFACE to = call.destination < 0 ? backScreen : spriteTable[call.destination].surface;
      hashes[path].push_back(testpix::Hash(to));
    }
  }
  for (std::size_t i = 0; i < calls.size(); ++i) {
    ASSERT_EQ(hashes[0][i], hashes[1][i]) << "first difference at call " << i << ": "
                                          << Describe(calls[i].second, calls[i].first);
  }
  // Both paths really drew: the back screen is no longer what it was.
  EXPECT_NE(testpix::FirstDifference(backScreen, back), "");
}

// The 640 x 480 pixels at the top left of the window's client area, or of
// the back screen, as GDI reads them, 32 bits a pixel.
Bytes ThroughGdi(bool window) {
  HDC from = nullptr;
  if (window) {
    from = GetDC(muSystem::mainWindow);
  } else if (FAILED(backScreen->GetDC(&from))) {
    return {};
  }
  HDC memory = CreateCompatibleDC(from);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 640, -480, 1, 32, BI_RGB};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, 640, 480, from, 0, 0, SRCCOPY);
  GdiFlush();
  const std::uint8_t* p = static_cast<const std::uint8_t*>(bits);
  Bytes out(p, p + 640 * 480 * 4);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  if (window) {
    ReleaseDC(muSystem::mainWindow, from);
  } else {
    backScreen->ReleaseDC(from);
  }
  return out;
}
Bytes Window() { return ThroughGdi(true); }
Bytes BackScreenThroughGdi() { return ThroughGdi(false); }

void PaintWindow(COLORREF colour) {
  HDC window = GetDC(muSystem::mainWindow);
  RECT all = {0, 0, 640, 480};
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(window, &all, brush);
  DeleteObject(brush);
  ReleaseDC(muSystem::mainWindow, window);
}

TEST_F(BlitPaths, FrameShowGivesTheWindowTheSamePixels) {
  FillRandom(backScreen, 99, 0);
  const Bytes wanted = BackScreenThroughGdi();
  ASSERT_FALSE(wanted.empty());
  SetVSync(0);
  for (BlitPath path : {BlitPath::kDirectDraw, BlitPath::kLibrary}) {
    SCOPED_TRACE(path == BlitPath::kLibrary ? "library" : "DirectDraw");
    ForceBlitPath(path);
    PaintWindow(RGB(10, 200, 30));   // nothing of an earlier frame may pass for this one
    Flip();
    EXPECT_TRUE(Window() == wanted);
    muSystem::PumpMessages();
  }
  SetVSync(1);
}

// A real loss, by a display-mode change: the library's lock meets it, the
// blit draws nothing and restores, and the next frame draws from the
// reloaded picture. (Wine's own blits never report this loss.)
TEST_F(BlitPaths, LibraryPathMeetsALossAndTheNextFrameDraws) {
  ForceBlitPath(BlitPath::kLibrary);
  testpix::WriteBmp("blit_lossy.bmp", 4, 4, [](int, int) { return RGB(255, 255, 0); });
  const int s = LoadObject("blit_lossy.bmp", 2);
  ASSERT_GT(s, 0);
  made_.push_back(s);
  testpix::FillSurface(spriteTable[s].surface, 0);
  testpix::FillSurface(backScreen, whiteValue);
  SetVSync(0);

  LoseSurfaces();
  PaintWindow(RGB(0, 0, 255));
  const Bytes painted = Window();
  Flip();                                                      // meets it: shows nothing
  EXPECT_TRUE(Window() == painted);
  EndLoss();

  LoseSurfaces();
  Blt(0, 0, s, 0, 0, 4, 4);
  EXPECT_EQ(GdiPixel(backScreen, 1, 1), RGB(255, 255, 255));   // nothing drawn
  EXPECT_EQ(GdiPixel(spriteTable[s].surface, 1, 1), RGB(255, 255, 0));   // reloaded
  EndLoss();

  Blt(0, 0, s, 0, 0, 4, 4);                                    // the next frame
  EXPECT_EQ(GdiPixel(backScreen, 1, 1), RGB(255, 255, 0));
  Flip();
  EXPECT_TRUE(Window() == BackScreenThroughGdi());
  SetVSync(1);
}

// A lock or a colour-key read that fails leaves the blit to DirectDraw, with
// the pixels DirectDraw's path gives.
TEST_F(BlitPaths, FailedLockOrKeyReadFallsBackToDirectDraw) {
  const int s = Make(32, 32, 2);
  FillRandom(spriteTable[s].surface, 5, 0);
  SetObjectColorKey(s, 0);
  FillRandom(backScreen, 6, 0);
  const Bytes back = ReadBytes(backScreen);
  ForceBlitPath(BlitPath::kDirectDraw);
  BltKey(8, 8, s, 0, 0, 32, 32);
  const Bytes wanted = ReadBytes(backScreen);
  ASSERT_NE(wanted, back);

  ForceBlitPath(BlitPath::kLibrary);
  struct Fault {
    const char* what;
    bool onBackScreen;
    HRESULT lock, key;
  } faults[] = {{"sprite busy", false, DDERR_SURFACEBUSY, DD_OK},
                {"back screen busy", true, DDERR_SURFACEBUSY, DD_OK},
                {"no key", false, DD_OK, DDERR_NOCOLORKEY}};
  for (const Fault& f : faults) {
    SCOPED_TRACE(f.what);
    WriteBytes(backScreen, back);
    {
      FaultInPlace fault(f.onBackScreen ? backScreen : spriteTable[s].surface, f.lock, f.key);
      BltKey(8, 8, s, 0, 0, 32, 32);
    }
    if (f.key == DD_OK) {
      EXPECT_EQ(testpix::FirstDifference(backScreen, wanted), "");
    } else {
      EXPECT_NE(testpix::FirstDifference(backScreen, back), "");   // drawn by DirectDraw, by its rule for no key
    }
  }
}

// GDI drawing of every kind, through the library's own context over the
// locked back screen on its path.
void GdiRun() {
  Box(10, 10, 40, 40, 0xFF00FF, 0, 1);
  PrintF(0, 50, "%s", "own 第壱");
  SetFont(0, 16, 0, 1, 0, 0);
  Text(5, 70, "no colours set");   // must meet the context as a fresh one
  ReleaseFont();
  Line(0, 100, 200, 130, 0x00FF00, 3);
  const POINT square[4] = {{100, 100}, {160, 100}, {160, 160}, {100, 160}};
  Polygon(square, 4, 0x0000FF, 0xFF0000, 1, 1);
  Polygon(square, 4, 0x00FFFF, 0xFF0000, 2, 2);
  Polygon(square, 4, 0xFF00FF, 0xFF0000, 1, 0);
  const POINT curve[4] = {{200, 200}, {220, 180}, {240, 220}, {260, 200}};
  Bezier(curve, 4, 0xFFFFFF, 1);
  PutPixel(300, 300, 0x123456);
  InvertBox(5, 5, 60, 60);
  SetFont(1, 24, 30, 0, 1, 1);
  SetTextColor(0x00FF00, 0x0000FF, 1);
  TextBox(300, 20, 420, 200, "word word word word", 1);
  ReleaseFont();
}

// On both paths: GDI gives the same pixels, and leaves the back screen free
// once a call returns; an open font selection keeps it busy, as it always
// has: a blit or a box meanwhile draws nothing, and the text still lands.
TEST_F(BlitPaths, GdiDrawingGivesTheSamePixelsAndHoldsNothing) {
  const int s = Make(16, 16, 2);
  testpix::FillSurface(spriteTable[s].surface, whiteValue);
  FillRandom(backScreen, 3, 0);
  const Bytes start = ReadBytes(backScreen);
  Bytes drawn[2];
  int rgb[2][3];
  for (int path = 0; path < 2; ++path) {
    SCOPED_TRACE(path ? "library" : "DirectDraw");
    ForceBlitPath(path == 0 ? BlitPath::kDirectDraw : BlitPath::kLibrary);
    WriteBytes(backScreen, start);
    GdiRun();
    GetPixelColor(300, 300, &rgb[path][0], &rgb[path][1], &rgb[path][2]);
    drawn[path] = ReadBytes(backScreen);
    EXPECT_TRUE(testpix::Unlocked(backScreen));   // an application's own lock succeeds
    ASSERT_EQ(GetBackDC(), DD_OK);
    ReleaseBackDC();

    ClearScreen();
    SetFont(1, 12, 0, 0, 0, 0);
    Blt(0, 0, s, 0, 0, 16, 16);
    Box(20, 0, 40, 16, 0xFFFFFF, 0xFFFFFF, 1);
    SetTextColor(0xFFFFFF, 0, 0);
    Text(100, 100, "W");
    ReleaseFont();
    EXPECT_EQ(GdiPixel(backScreen, 1, 1), RGB(0, 0, 0));
    EXPECT_EQ(GdiPixel(backScreen, 25, 5), RGB(0, 0, 0));
    int white = 0;
    for (int y = 100; y < 112; ++y)
      for (int x = 100; x < 110; ++x) white += GdiPixel(backScreen, x, y) == RGB(255, 255, 255);
    EXPECT_GT(white, 5);
  }
  EXPECT_TRUE(drawn[0] != start);
  EXPECT_TRUE(drawn[1] == drawn[0]);
  for (int c = 0; c < 3; ++c) EXPECT_EQ(rgb[1][c], rgb[0][c]);
}

}  // namespace
