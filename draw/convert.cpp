// Building a pack from a folder of BMP pictures (muDraw::Convert): each
// picture comes in through the library's own BMP loader, is read back through
// GDI and is appended as an entry by draw/pack_format.
#include <mu.h>

#include <cstdint>
#include <cstdio>

#include "app/pack_files.h"
#include "app/paths.h"
#include "draw/pack_format.h"
#include "draw/sprites.h"

namespace muDraw {

namespace {

constexpr char kConvertOp[] = "muDraw::Convert";
constexpr char kNeedsFullColour[] = "画面をフルカラーにして下さい";
constexpr int kHighestRefusedDepth = 16;  // a 16-bit screen has already lost the colours
constexpr int kSystemMemory = 1;          // memory type of the pictures read back
constexpr char kPictureFiles[] = "*.BMP";

std::uint32_t GdiColorAt(void* dc, int x, int y) { return GetPixel(static_cast<HDC>(dc), x, y); }

// Loads the picture `name` (upper case, relative to the executable's
// directory) and appends it to the pack file as one entry. A picture that
// does not load, or a pack that cannot be opened, appends nothing.
void AppendEntry(const char* name, const void* packFile) {
  const int sprite = LoadObject(name, kSystemMemory);
  if (sprite == 0) return;
  const SpriteRecord& r = spriteTable[sprite];
  HDC dc;
  if (SUCCEEDED(r.surface->GetDC(&dc))) {
    if (std::FILE* pack = std::fopen(static_cast<const char*>(packFile), "ab")) {
      mu::WritePackEntry(pack, mu::FileNameOf(name, mu::SystemLeadByte), r.width, r.height,
                         GdiColorAt, dc);
      std::fclose(pack);
    }
    r.surface->ReleaseDC(dc);
  }
  DeleteObject(sprite);
}

}  // namespace

int Convert(const char* pack, const char* folder, int fresh) {
  if (muSystem::GetScreenDepth() <= kHighestRefusedDepth) {
    return muSystem::Error(kConvertOp, kNeedsFullColour, 0);
  }
  if (!pack) pack = "";
  if (!folder) folder = "";
  const char* dir = muSystem::GetExeDir(0);
  // Paths that would overflow their buffers name no file: nothing is written.
  char packFile[muSystem::kTextBufferSize];
  if (!mu::JoinPath(packFile, sizeof packFile, dir, pack)) return 1;
  if (fresh) DeleteFileA(packFile);
  mu::ForEachFolderFile(folder, kPictureFiles, AppendEntry, packFile);
  return 1;
}

}  // namespace muDraw
