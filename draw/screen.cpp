// DirectDraw and the surfaces: the device choice, the cooperative level and
// display mode, the primary surface, the back screen, the windowed clipper,
// the four internal sprites, the pixel format and tables, the start of the
// other subsystems, surface-loss recovery, the borrowed back-screen DC and
// the one release of everything.
#include <mu.h>

#include <cstring>

#include "draw/back_dc.h"
#include "draw/blit_path.h"
#include "draw/draw_rules.h"
#include "draw/pixel_format.h"
#include "draw/pixels/pixel_view.h"
#include "draw/sprites.h"

namespace muDraw {

LPDIRECTDRAW directDraw;
LPDIRECTDRAWSURFACE primarySurface;
LPDIRECTDRAWSURFACE backScreen;
LPDIRECTDRAWCLIPPER clipper;
HDC backScreenDC;
int displayDepth = 16;
int fallbackDepth1, fallbackDepth2;
int hardwareDevice;
int canStretch;
int clipLeft, clipTop, clipRight, clipBottom;
RECT screenRect;

namespace {

constexpr char kScreenOp[] = "muDraw::Screen";
constexpr DWORD kFullScreenLevel = DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT;  // 0x13
constexpr DWORD kWindowedLevel = DDSCL_NORMAL;                                              // 8
constexpr DWORD kSystemMemory = DDSCAPS_SYSTEMMEMORY;                                       // 0x800
constexpr DWORD kFontSpriteCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;            // 0x840

struct InternalSprite {
  const char* name;
  const char* failure;
  bool systemMemory;  // always in system memory, whatever the memory mode
};
const InternalSprite kInternal[kInternalSprites] = {
    {"内部用１", "Bufferスプライトが生成できません", false},
    {"内部用２", "Screenスプライトが生成できません", false},
    {"内部用３", "Fontスプライトが生成できません", true},
    {"内部用４", "Fontバッファスプライトが生成できません", true},
};

int Fail(const char* message, HRESULT code) {
  muSystem::Error(kScreenOp, message, static_cast<long>(code));
  return 0;
}

// Keeps the first driver that can do 3D with textures; the others are released.
BOOL WINAPI PickDriver(GUID* guid, LPSTR, LPSTR, LPVOID) {
  hardwareDevice = 0;
  LPDIRECTDRAW candidate = nullptr;
  if (FAILED(DirectDrawCreate(guid, &candidate, nullptr))) return DDENUMRET_OK;
  DDCAPS driver = {}, emulation = {};
  driver.dwSize = sizeof driver;
  emulation.dwSize = sizeof emulation;
  candidate->GetCaps(&driver, &emulation);
  if ((driver.dwCaps & DDCAPS_3D) && (driver.ddsCaps.dwCaps & DDSCAPS_TEXTURE)) {
    directDraw = candidate;
    hardwareDevice = 1;
    return DDENUMRET_CANCEL;
  }
  candidate->Release();
  return DDENUMRET_OK;
}

struct ModeRequest {
  int width, height;
};

long TryMode(int depth, void* context) {
  const ModeRequest* mode = static_cast<const ModeRequest*>(context);
  return directDraw->SetDisplayMode(mode->width, mode->height, depth);
}

// Frees every surface, the clipper and the DirectDraw object, handing a
// full-screen display mode back to the desktop.
void ReleaseAll() {
  FreeBackScreenDC();
  if (backScreenDC && backScreen) backScreen->ReleaseDC(backScreenDC);
  backScreenDC = nullptr;
  for (int i = 0; i < kSpriteCount; ++i) {
    if (spriteTable[i].surface) spriteTable[i].surface->Release();
    EmptyRecord(i);
  }
  ReleaseObject(clipper);
  ReleaseObject(primarySurface);
  ReleaseObject(backScreen);
  if (directDraw) {
    if (muSystem::fullScreen) {
      directDraw->RestoreDisplayMode();
      directDraw->SetCooperativeLevel(muSystem::mainWindow, DDSCL_NORMAL);
    }
    ReleaseObject(directDraw);
  }
}

}  // namespace

int Screen(int width, int height, int memoryMode) {
  // A second set-up frees what the first one made instead of losing it.
  if (directDraw) ReleaseAll();
  directDraw = nullptr;
  primarySurface = backScreen = nullptr;
  clipper = nullptr;
  muSystem::errorRaised = 0;

  if (width == -1) {
    width = muSystem::displayWidth;
    height = muSystem::displayHeight;
  }
  muSystem::screenWidth = width;
  muSystem::screenHeight = height;
  SetClip(0, 0, width, height);

  DirectDrawEnumerateA(PickDriver, nullptr);
  if (!directDraw) {
    HRESULT hr = DirectDrawCreate(nullptr, &directDraw, nullptr);
    if (FAILED(hr)) {
      directDraw = nullptr;
      return Fail("DirectDrawが使用できません", hr);
    }
  }

  // Modes 1 and 3 let DirectDraw place the surfaces (video memory first).
  DWORD memoryFlag = (memoryMode == 1 || memoryMode == 3) ? 0 : kSystemMemory;

  HWND window = muSystem::mainWindow;
  HRESULT hr = directDraw->SetCooperativeLevel(
      window, muSystem::fullScreen ? kFullScreenLevel : kWindowedLevel);
  if (FAILED(hr)) return Fail("フルスクリーン化できません", hr);

  if (muSystem::fullScreen) {
    ModeRequest request = {width, height};
    hr = mu::SetDepthWithFallbacks(displayDepth, fallbackDepth1, fallbackDepth2, TryMode, &request);
    if (FAILED(hr)) return Fail("解像度が変更できません", hr);
  } else {
    displayDepth = muSystem::GetScreenDepth();
  }

  DDSURFACEDESC desc = {};
  desc.dwSize = sizeof desc;  // 108 bytes
  desc.dwFlags = DDSD_CAPS;
  desc.ddsCaps.dwCaps = memoryFlag | DDSCAPS_PRIMARYSURFACE;
  hr = directDraw->CreateSurface(&desc, &primarySurface, nullptr);
  if (FAILED(hr)) {
    primarySurface = nullptr;
    return Fail("表画面が生成できません", hr);
  }

  hr = CreatePlainSurface(width, height, memoryFlag | DDSCAPS_OFFSCREENPLAIN, &backScreen);
  if (FAILED(hr)) return Fail("裏画面が生成できません", hr);

  if (!muSystem::fullScreen) {
    hr = directDraw->CreateClipper(0, &clipper, nullptr);
    if (FAILED(hr)) {
      clipper = nullptr;
      return Fail("クリップが生成できません", hr);
    }
    hr = clipper->SetHWnd(0, window);
    if (FAILED(hr)) return Fail("クリップにウィンドウハンドルを設定できません", hr);
    hr = primarySurface->SetClipper(clipper);
    if (FAILED(hr)) return Fail("表画面をクリップできません", hr);
  }

  // Mode 3 keeps the screen where DirectDraw put it but the internal sprites
  // in system memory.
  if (memoryMode == 3) memoryFlag = kSystemMemory;

  for (int i = 0; i < kInternalSprites; ++i) {
    SpriteRecord& r = spriteTable[i];
    if (r.surface) r.surface->Release();
    EmptyRecord(i);
    DWORD caps = kInternal[i].systemMemory ? kFontSpriteCaps : memoryFlag | DDSCAPS_OFFSCREENPLAIN;
    hr = CreatePlainSurface(width, height, caps, &r.surface);
    if (FAILED(hr)) return Fail(kInternal[i].failure, hr);
    ApplyColorKey(r.surface, 0);
    std::strcpy(r.name, kInternal[i].name);
    r.packed = 0;
    r.memoryType = kMemoryPlaced;
    r.colorKey = 0;
    r.width = static_cast<unsigned short>(width);
    r.height = static_cast<unsigned short>(height);
  }

  DDCAPS driver = {}, emulation = {};
  driver.dwSize = sizeof driver;
  emulation.dwSize = sizeof emulation;
  directDraw->GetCaps(&driver, &emulation);
  const DDCAPS& applying = hardwareDevice == 1 ? driver : emulation;
  canStretch = (applying.dwCaps & DDCAPS_BLTSTRETCH) ? 1 : 0;

  DDPIXELFORMAT format = {};
  format.dwSize = sizeof format;  // 32 bytes
  hr = backScreen->GetPixelFormat(&format);
  if (FAILED(hr)) return Fail("ピクセル情報が取得できません", hr);
  mu::DerivePixelFormat(format.dwRBitMask, format.dwGBitMask, format.dwBBitMask);
  mu::screenFormat = mu::MakePixelFormat(static_cast<int>(format.dwRGBBitCount),
                                         format.dwRBitMask, format.dwGBitMask, format.dwBBitMask);
  mu::BuildSineTable();
  if (muSystem::GetScreenDepth() == 16) {
    mu::BuildSixteenBitTables();
  } else {
    // The other tables are 16-bit only; the noise also serves the effects on
    // a 32-bit back screen.
    mu::ClearSixteenBitTables();
    mu::BuildNoiseTable();
  }

  for (int i = kInternalSprites; i < kSpriteCount; ++i) {
    if (spriteTable[i].surface) spriteTable[i].surface->Release();
    EmptyRecord(i);
  }

  ChooseBlitPaths();

  pageSprite = 0;
  pageTileSprite = 0;
  screenRect = RECT{0, 0, width, height};
  muSystem::clientRect = RECT{muSystem::clientLeft, muSystem::clientTop,
                              muSystem::clientLeft + width, muSystem::clientTop + height};

  muSound::Init();
  muSound::ResetObjects();
  muSound::InitMidi();
  muSystem::ResetInput();
  InitFontList();
  muSystem::JoyInit();
  if (muSystem::cursorConfinement) muSystem::ConfineCursor();
  return 1;
}

void SetDepth(int depth, int fallback1, int fallback2) {
  displayDepth = depth;
  fallbackDepth1 = fallback1;
  fallbackDepth2 = fallback2;
}

void SetClip(int left, int top, int right, int bottom) {
  clipLeft = left;
  clipTop = top;
  clipRight = right;
  clipBottom = bottom;
}

void Restore() {
  if (primarySurface) primarySurface->Restore();
  LPDIRECTDRAWSURFACE screens[] = {backScreen, spriteTable[0].surface, spriteTable[1].surface,
                                   spriteTable[2].surface, spriteTable[3].surface};
  bool restored = false;   // anything restored may lie elsewhere now
  for (LPDIRECTDRAWSURFACE s : screens) {
    if (s && s->IsLost() == DDERR_SURFACELOST) {
      s->Restore();
      restored = true;
    }
  }
  for (int i = kInternalSprites; i < kSpriteCount; ++i) {
    SpriteRecord& r = spriteTable[i];
    if (r.name[0] == '\0' || !r.surface || r.surface->IsLost() != DDERR_SURFACELOST) continue;
    r.surface->Restore();
    restored = true;
    if (r.name[0] == '*') continue;  // a blank sprite's content is not kept
    // The reload rewrites the record's name, so it works from a copy.
    char name[kSpriteNameSize];
    std::memcpy(name, r.name, sizeof name);
    SetColorKey(static_cast<COLORREF>(r.colorKey));
    if (r.packed) {
      SwapPack(name, i, r.memoryType);
    } else {
      SwapObject(name, i, r.memoryType);
    }
  }
  if (restored) ChooseBlitPaths();
}

void Release() {
  ReleaseAll();
  if (muSystem::fullScreen) CloseWindow(muSystem::mainWindow);
}

HRESULT GetBackDC() {
  if (!backScreen) return DDERR_INVALIDOBJECT;
  HDC dc = nullptr;
  HRESULT hr = backScreen->GetDC(&dc);
  if (SUCCEEDED(hr)) backScreenDC = dc;
  return hr;
}

void ReleaseBackDC() {
  if (backScreen && backScreenDC) backScreen->ReleaseDC(backScreenDC);
  backScreenDC = nullptr;
}

}  // namespace muDraw
