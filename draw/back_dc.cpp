#include "draw/back_dc.h"

#include "draw/blit_path.h"

namespace muDraw {

namespace {

// gdi32's context over memory in a given pixel format (Windows Vista and
// later, and Wine; DirectDraw's emulation makes its own contexts with it).
// Looked up at run time, so that the program still starts where it is
// missing and then always borrows DirectDraw's context.
struct CreateDCFromMemory {
  void* memory;
  UINT format;            // a Direct3D format number, below
  UINT width, height, pitch;
  HDC deviceDC;           // a context the new one is made compatible with
  PALETTEENTRY* colours;  // palette formats only
  HDC dc;                 // out
  HANDLE bitmap;          // out
};
struct DestroyDCFromMemory {
  HDC dc;
  HANDLE bitmap;
};
using CreateFn = LONG(WINAPI*)(CreateDCFromMemory*);
using DestroyFn = LONG(WINAPI*)(const DestroyDCFromMemory*);

template <typename Fn>
Fn FromGdi32(const char* name) {
  // Through a plain function pointer type, the one cast between function
  // types that says nothing about the signature.
  return reinterpret_cast<Fn>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("gdi32.dll"), name)));
}

constexpr UINT kX8R8G8B8 = 22, kR5G6B5 = 23, kX1R5G5B5 = 24;

// The format number for the back screen's pixel format; 0 for one the
// library does not draw into itself.
UINT FormatOf(const DDPIXELFORMAT& f) {
  struct Known {
    DWORD bits, red, green, blue;
    UINT format;
  };
  const Known kKnown[] = {{16, 0xF800, 0x07E0, 0x001F, kR5G6B5},
                          {16, 0x7C00, 0x03E0, 0x001F, kX1R5G5B5},
                          {32, 0xFF0000, 0x00FF00, 0x0000FF, kX8R8G8B8}};
  for (const Known& k : kKnown) {
    if (f.dwRGBBitCount == k.bits && f.dwRBitMask == k.red && f.dwGBitMask == k.green &&
        f.dwBBitMask == k.blue) {
      return k.format;
    }
  }
  return 0;
}

// The library's own context and the memory it draws into.
CreateDCFromMemory own;
enum class Out { kNone, kOwn, kDirectDraw } out = Out::kNone;
HDC outDC;
void* lockedPixels;

void DestroyOwn() {
  if (!own.dc) return;
  auto destroy = FromGdi32<DestroyFn>("D3DKMTDestroyDCFromMemory");
  DestroyDCFromMemory d = {own.dc, own.bitmap};
  if (destroy) destroy(&d);
  own = CreateDCFromMemory{};
}

// The own context over the locked back screen, made anew when the memory,
// its pitch or its format changed; null when it cannot be had.
HDC OwnOver(const DDSURFACEDESC& desc) {
  const UINT format = FormatOf(desc.ddpfPixelFormat);
  if (format == 0) return nullptr;
  if (own.dc && own.memory == desc.lpSurface && own.format == format &&
      own.width == desc.dwWidth && own.height == desc.dwHeight &&
      own.pitch == static_cast<UINT>(desc.lPitch)) {
    return own.dc;
  }
  DestroyOwn();
  auto create = FromGdi32<CreateFn>("D3DKMTCreateDCFromMemory");
  if (!create) return nullptr;
  HDC compatible = CreateCompatibleDC(nullptr);
  CreateDCFromMemory c = {desc.lpSurface, format, desc.dwWidth, desc.dwHeight,
                          static_cast<UINT>(desc.lPitch), compatible, nullptr, nullptr, nullptr};
  const LONG status = create(&c);
  DeleteDC(compatible);
  if (status != 0 || !c.dc) return nullptr;
  own = c;
  return own.dc;
}

}  // namespace

HDC BeginBackScreenDC() {
  if (!backScreen || out != Out::kNone) return nullptr;
  if (LibraryBlits(backScreen, backScreen)) {
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    const HRESULT hr = backScreen->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr);
    if (hr == DDERR_SURFACELOST) return nullptr;   // as DirectDraw's GetDC answers then
    if (SUCCEEDED(hr)) {
      if (HDC dc = OwnOver(desc)) {
        out = Out::kOwn;
        outDC = dc;
        lockedPixels = desc.lpSurface;
        return dc;
      }
      backScreen->Unlock(desc.lpSurface);
    }
  }
  HDC dc = nullptr;
  if (backScreen->GetDC(&dc) != DD_OK) return nullptr;
  out = Out::kDirectDraw;
  outDC = dc;
  return dc;
}

void EndBackScreenDC(HDC dc) {
  if (!dc || dc != outDC || out == Out::kNone) return;
  if (out == Out::kOwn) {
    GdiFlush();   // every pixel written before the memory goes back to DirectDraw
    backScreen->Unlock(lockedPixels);
  } else {
    backScreen->ReleaseDC(dc);
  }
  out = Out::kNone;
  outDC = nullptr;
}

void FreeBackScreenDC() {
  EndBackScreenDC(outDC);
  DestroyOwn();
}

}  // namespace muDraw
