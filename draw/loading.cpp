// Filling the sprite table: BMP pictures from bitmap resources or files,
// blank sprites, replacing a sprite's picture in place, deleting a sprite.
#include <mu.h>

#include <cstdint>
#include <cstring>

#include "app/error_texts.h"
#include "app/paths.h"
#include "draw/bmp_check.h"
#include "draw/sprites.h"

namespace muDraw {

namespace {

constexpr char kLoadOp[] = "muDraw::LoadObject";
constexpr char kCreateOp[] = "muDraw::CreateObject";
constexpr char kSwapOp[] = "muDraw::SwapObject";
constexpr char kNoSprite[] = "スプライトを作成できません";
constexpr UINT kFromFile = LR_CREATEDIBSECTION | LR_LOADFROMFILE;  // 0x2010

char pathBuffer[muSystem::kTextBufferSize];

bool NameTooLong(const char* name) {
  return std::strlen(name) > static_cast<std::size_t>(kSpriteNameMax);
}

// The system's picture loader trusts a BMP's headers and reads what they
// name, so every picture is checked against its own bytes before it goes
// there: a damaged one counts as no picture at all, never as a crash.

// The bitmap resource of that name; null when there is none or it is damaged.
HBITMAP LoadResourceBitmap(const char* name) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, name, RT_BITMAP);
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes || mu::CheckBmpResource(static_cast<const std::uint8_t*>(bytes),
                                     SizeofResource(module, found)) != mu::kBmpSound) {
    return nullptr;
  }
  return static_cast<HBITMAP>(LoadImageA(module, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

// Whether the file holds a BMP the system's loader may read. The file is
// mapped into memory once and checked there.
bool BmpFileSound(const char* path) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD high = 0;
  const DWORD size = GetFileSize(file, &high);
  bool sound = false;
  // An empty file cannot be mapped; one of 4 GB or more is no picture a surface can hold.
  HANDLE mapping = size != 0 && size != INVALID_FILE_SIZE && high == 0
                       ? CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr)
                       : nullptr;
  if (mapping) {
    const void* bytes = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    if (bytes) {
      sound = mu::CheckBmpFile(static_cast<const std::uint8_t*>(bytes), size) == mu::kBmpSound;
      UnmapViewOfFile(bytes);
    }
    CloseHandle(mapping);
  }
  CloseHandle(file);
  return sound;
}

HBITMAP LoadFileBitmap(const char* path) {
  if (!BmpFileSound(path)) return nullptr;
  return static_cast<HBITMAP>(LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, kFromFile));
}

// Copies (x, y, w, h) of the bitmap onto the whole surface through GDI; 0 for
// w or h means the bitmap's own. Returns the result of the surface's GetDC.
HRESULT CopyBitmapToSurface(LPDIRECTDRAWSURFACE surface, HBITMAP bitmap, int x, int y, int w,
                            int h) {
  if (!surface || !bitmap) return E_FAIL;
  surface->Restore();
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BITMAP bm = {};
  GetObjectA(bitmap, sizeof bm, &bm);
  if (w == 0) w = bm.bmWidth;
  if (h == 0) h = bm.bmHeight;
  DDSURFACEDESC desc = {};
  desc.dwSize = sizeof desc;
  desc.dwFlags = DDSD_HEIGHT | DDSD_WIDTH;
  surface->GetSurfaceDesc(&desc);
  HDC dc = nullptr;
  HRESULT hr = surface->GetDC(&dc);
  if (SUCCEEDED(hr)) {
    StretchBlt(dc, 0, 0, desc.dwWidth, desc.dwHeight, memory, x, y, w, h, SRCCOPY);
    surface->ReleaseDC(dc);
  }
  SelectObject(memory, previous);
  DeleteDC(memory);
  return hr;
}

// A surface holding the bitmap named by the path: a resource of that name
// first, then the file. Null when neither exists or no surface can be made.
LPDIRECTDRAWSURFACE LoadBitmapSurface(const char* path, unsigned short* width,
                                      unsigned short* height, int memoryType) {
  HBITMAP bitmap = LoadResourceBitmap(path);
  if (!bitmap) bitmap = LoadFileBitmap(path);
  if (!bitmap) return nullptr;
  BITMAP bm = {};
  GetObjectA(bitmap, sizeof bm, &bm);
  *width = static_cast<unsigned short>(bm.bmWidth);
  *height = static_cast<unsigned short>(bm.bmHeight);
  LPDIRECTDRAWSURFACE surface = nullptr;
  if (FAILED(CreatePlainSurface(bm.bmWidth, bm.bmHeight, MemoryTypeCaps(memoryType), &surface))) {
    ::DeleteObject(bitmap);
    return nullptr;
  }
  CopyBitmapToSurface(surface, bitmap, 0, 0, 0, 0);
  ::DeleteObject(bitmap);
  return surface;
}

// Loads the named picture into the record: a resource named by the full path,
// the file at the full path, then a resource named by the bare name. With
// `checkCopy` a failed copy from the bare-name resource counts as a failure.
bool LoadIntoRecord(const char* name, int sprite, int memoryType, bool checkCopy,
                    HRESULT* code) {
  SpriteRecord& r = spriteTable[sprite];
  *code = 0;
  char path[muSystem::kTextBufferSize];
  // A name that does not fit after the directory cannot be a file there.
  if (mu::JoinPath(path, sizeof path, muSystem::GetExeDir(0), name)) {
    r.surface = LoadBitmapSurface(path, &r.width, &r.height, memoryType);
    if (r.surface) {
      ApplyLoadKey(sprite);
      return true;
    }
  }
  HBITMAP bitmap = LoadResourceBitmap(name);
  if (!bitmap) return false;
  BITMAP bm = {};
  GetObjectA(bitmap, sizeof bm, &bm);
  r.width = static_cast<unsigned short>(bm.bmWidth);
  r.height = static_cast<unsigned short>(bm.bmHeight);
  HRESULT hr = CreatePlainSurface(bm.bmWidth, bm.bmHeight, MemoryTypeCaps(memoryType), &r.surface);
  if (FAILED(hr)) {
    *code = hr;
    ::DeleteObject(bitmap);
    return false;
  }
  hr = CopyBitmapToSurface(r.surface, bitmap, 0, 0, 0, 0);
  ::DeleteObject(bitmap);
  if (checkCopy && FAILED(hr)) {
    *code = hr;
    ReleaseObject(r.surface);
    return false;
  }
  ApplyLoadKey(sprite);
  return true;
}

void Reserve(int sprite, const char* name) {
  SpriteRecord& r = spriteTable[sprite];
  std::strcpy(r.name, name);
  r.packed = 0;
  r.memoryType = kMemoryPlaced;
}

}  // namespace

char* MakePath(const char* name) {
  // A name that would overflow the buffer gives an empty path, not a cut one.
  mu::JoinPath(pathBuffer, sizeof pathBuffer, muSystem::GetExeDir(0), name ? name : "");
  return pathBuffer;
}

int LoadObject(const char* name, int memoryType) {
  if (!name) name = "";
  if (NameTooLong(name)) return muSystem::Error(kLoadOp, mu::kNameTooLongText, 0);
  int sprite = FreeRecord();
  if (sprite == 0) return muSystem::Error(kLoadOp, mu::kTooManyObjectsText, 0);
  Reserve(sprite, name);
  HRESULT code;
  if (LoadIntoRecord(name, sprite, memoryType, true, &code)) return sprite;
  // Nobody holds the index of a failed load: the record is free again.
  EmptyRecord(sprite);
  return muSystem::Error(kLoadOp, mu::kUnreadableBmpText, code);
}

int CreateUnkeyed(int width, int height, int memoryType) {
  int sprite = FreeRecord();
  if (sprite == 0) return muSystem::Error(kCreateOp, mu::kTooManyObjectsText, 0);
  Reserve(sprite, "*");
  SpriteRecord& r = spriteTable[sprite];
  r.width = static_cast<unsigned short>(width);
  r.height = static_cast<unsigned short>(height);
  HRESULT hr = CreatePlainSurface(width, height, MemoryTypeCaps(memoryType), &r.surface);
  if (FAILED(hr)) {
    EmptyRecord(sprite);
    return muSystem::Error(kCreateOp, kNoSprite, hr);
  }
  return sprite;
}

int CreateObject(int width, int height, int memoryType) {
  int sprite = CreateUnkeyed(width, height, memoryType);
  if (sprite != 0) ApplyLoadKey(sprite);
  return sprite;
}

int SwapObject(const char* name, int sprite, int memoryType) {
  if (!name) name = "";
  if (NameTooLong(name)) return muSystem::Error(kSwapOp, mu::kNameTooLongText, 0);
  if (!ValidSprite(sprite)) return 0;
  SpriteRecord& r = spriteTable[sprite];
  ReleaseObject(r.surface);
  // The index stays reserved under the new name even if the load fails: its
  // holder keeps using it, so no other load may take it.
  Reserve(sprite, name);
  HRESULT code;
  if (LoadIntoRecord(name, sprite, memoryType, false, &code)) return 1;
  return muSystem::Error(kSwapOp, mu::kUnreadableBmpText, code);
}

void DeleteObject(int sprite) {
  LPDIRECTDRAWSURFACE surface = SpriteSurface(sprite);
  if (!surface) return;
  surface->Release();
  EmptyRecord(sprite);
}

}  // namespace muDraw
