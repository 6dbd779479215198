// Pictures out of the pack file: naming the pack (packPath), loading an entry
// into a new sprite (LoadPack) or into an existing one (SwapPack, also the way
// Restore brings a packed picture back). draw/pack_format finds the entry and
// turns its 5-5-5 pixels into the screen's format; this side opens the file,
// fills a locked scratch sprite and copies it into the destination.
#include <mu.h>

#include <cstdio>
#include <cstring>

#include "app/error_texts.h"
#include "app/pack_files.h"
#include "app/paths.h"
#include "draw/pack_format.h"
#include "draw/pixels/surface_lock.h"
#include "draw/sprites.h"

namespace muDraw {

char packPath[muSystem::kTextBufferSize];

namespace {

constexpr char kLoadPackOp[] = "muDraw::LoadPack";
constexpr char kSwapPackOp[] = "muDraw::SwapPack";
constexpr char kNoCopy[] = "サーフェース間で展開できません";
constexpr int kCopyAttempts = 10;

// The pack file, open for reading while this lives; each load opens it anew.
class PackFile {
 public:
  PackFile() : file_(packPath[0] ? std::fopen(packPath, "rb") : nullptr) {}
  ~PackFile() { Close(); }
  PackFile(const PackFile&) = delete;
  PackFile& operator=(const PackFile&) = delete;

  std::FILE* get() const { return file_; }
  void Close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
  }

 private:
  std::FILE* file_;
};

// Opens the pack and finds the entry for a requested name, matched in upper
// case; a name longer than a sprite's name is never an entry's. Reports for
// `op` what went wrong.
bool FindEntry(const char* op, const PackFile& file, const char* name,
               char (&upper)[mu::kPackNameMax + 1], mu::PictureEntry* entry) {
  if (!file.get()) return muSystem::Error(op, mu::kNoPackText, 0);
  if (mu::UpperCaseName(name ? name : "", upper, sizeof upper) &&
      mu::FindPackEntry(file.get(), upper, entry)) {
    return true;
  }
  return muSystem::Error(op, mu::kUnreadableBmpText, 0);
}

// The record of a picture from the pack: reloaded from it by its name.
void NameRecord(int sprite, const char* upper, const mu::PictureEntry& entry) {
  SpriteRecord& r = spriteTable[sprite];
  std::strcpy(r.name, upper);
  r.packed = 1;
  r.memoryType = kMemoryPlaced;
  r.width = static_cast<unsigned short>(entry.width);
  r.height = static_cast<unsigned short>(entry.height);
}

enum class Outcome { kDone, kFailed, kLockFailed };

// Converts the entry's pixels from the file into the scratch sprite, locked
// for that, in the scratch surface's own pixel format.
Outcome FillScratch(int scratch, const PackFile& file, const mu::PictureEntry& entry) {
  SurfaceLock lock(spriteTable[scratch].surface);
  if (!lock.Locked()) return Outcome::kLockFailed;
  const mu::PixelView view = lock.View();
  const mu::PixelFormat format = lock.ViewFormat();
  if (view.width < entry.width || view.height < entry.height) return Outcome::kFailed;
  const mu::PixelView part = view.Sub(0, 0, entry.width, entry.height, format.bytesPerPixel);
  return mu::ReadPackPixels(file.get(), part, format) ? Outcome::kDone : Outcome::kFailed;
}

// Set while the Restore of a copy that met a loss runs. That Restore may
// reload other packed pictures, whose copies may meet the loss too: those
// restore only their own two surfaces, so that a display that keeps losing
// its surfaces cannot make the reloads recurse without end.
bool restoringForCopy;

// Blits the scratch sprite onto the destination, up to kCopyAttempts times,
// restoring the surfaces after each attempt that finds them lost.
HRESULT CopyScratch(int destination, int scratch, const mu::PictureEntry& entry) {
  RECT whole = {0, 0, entry.width, entry.height};
  HRESULT hr = DDERR_SURFACELOST;
  for (int attempt = 0; attempt < kCopyAttempts; ++attempt) {
    // Taken afresh each time: the Restore in between may have given a
    // packed destination a new surface.
    LPDIRECTDRAWSURFACE to = SpriteSurface(destination), from = SpriteSurface(scratch);
    if (!to || !from) return DDERR_INVALIDOBJECT;
    hr = to->Blt(&whole, from, &whole, DDBLT_WAIT, nullptr);
    if (SUCCEEDED(hr)) break;
    if (hr != DDERR_SURFACELOST) continue;
    if (restoringForCopy) {
      to->Restore();
      from->Restore();
    } else {
      restoringForCopy = true;
      Restore();
      restoringForCopy = false;
    }
  }
  return hr;
}

// What both loaders do once the destination has its surface and the file
// stands at the entry's pixels: fill a scratch sprite, copy it over, then key
// and name the destination. Reports its failures, except a failed lock; the
// scratch sprite is always freed again.
Outcome FillDestination(const char* op, PackFile& file, const mu::PictureEntry& entry,
                        const char* upper, int destination) {
  const int scratch = CreateUnkeyed(entry.width, entry.height, kMemoryPlaced);
  if (scratch == 0) return Outcome::kFailed;  // reported by CreateObject
  const Outcome filled = FillScratch(scratch, file, entry);
  file.Close();
  if (filled != Outcome::kDone) {
    DeleteObject(scratch);
    if (filled == Outcome::kFailed) muSystem::Error(op, mu::kUnreadableBmpText, 0);
    return filled;
  }
  const HRESULT hr = CopyScratch(destination, scratch, entry);
  DeleteObject(scratch);
  if (FAILED(hr)) {
    muSystem::Error(op, kNoCopy, hr);
    return Outcome::kFailed;
  }
  ApplyLoadKey(destination);
  NameRecord(destination, upper, entry);
  return Outcome::kDone;
}

}  // namespace

char* SetPack(const char* fileName) {
  // A name that would overflow the buffer names no pack, never a cut one.
  mu::JoinPath(packPath, sizeof packPath, muSystem::GetExeDir(0), fileName ? fileName : "");
  return packPath;
}

int LoadPack(const char* name, int memoryType) {
  PackFile file;
  char upper[mu::kPackNameMax + 1];
  mu::PictureEntry entry;
  if (!FindEntry(kLoadPackOp, file, name, upper, &entry)) return 0;
  const int sprite = CreateUnkeyed(entry.width, entry.height, memoryType);
  if (sprite == 0) return 0;  // reported by CreateObject
  if (FillDestination(kLoadPackOp, file, entry, upper, sprite) != Outcome::kDone) {
    // Nobody holds the index of a failed load: the record is free again.
    DeleteObject(sprite);
    return 0;
  }
  return sprite;
}

int SwapPack(const char* name, int sprite, int memoryType) {
  if (!ValidSprite(sprite)) return 0;
  PackFile file;
  char upper[mu::kPackNameMax + 1];
  mu::PictureEntry entry;
  if (!FindEntry(kSwapPackOp, file, name, upper, &entry)) return 0;
  SpriteRecord& r = spriteTable[sprite];
  ReleaseObject(r.surface);
  // The index stays reserved under the entry's name even if the load fails:
  // its holder keeps using it, and a later Restore may still bring it back.
  NameRecord(sprite, upper, entry);
  const HRESULT hr =
      CreatePlainSurface(entry.width, entry.height, MemoryTypeCaps(memoryType), &r.surface);
  if (FAILED(hr)) return muSystem::Error(kSwapPackOp, mu::kUnreadableBmpText, hr);
  return FillDestination(kSwapPackOp, file, entry, upper, sprite) == Outcome::kDone ? sprite : 0;
}

}  // namespace muDraw
