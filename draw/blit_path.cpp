#include "draw/blit_path.h"

#include "draw/pixels/copy.h"
#include "draw/pixels/surface_lock.h"
#include "draw/sprites.h"

namespace muDraw {

namespace {

// The scratch surfaces of the measurement: big enough for the copy to
// dominate the call, small enough to cost well under a millisecond in all.
constexpr int kScratchWidth = 256, kScratchHeight = 128;
constexpr int kRounds = 3;             // the fastest of three counts
constexpr int kPlacements = 2;         // 0 system memory, 1 video memory
constexpr DWORD kKeyedFast = DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT;

BlitPath forced = BlitPath::kMeasured;
// libraryFaster[from][to] by placement; false for a pair that could not be
// made at the measurement.
bool libraryFaster[kPlacements][kPlacements];
// When every measured pair chose alike, that choice holds for all surfaces
// and no blit needs to ask a surface where it lies.
bool uniform = true, uniformLibrary = false;

int PlacementOf(LPDIRECTDRAWSURFACE s) {
  DDSCAPS caps = {};
  if (!s || FAILED(s->GetCaps(&caps))) return 0;
  return (caps.dwCaps & DDSCAPS_VIDEOMEMORY) ? 1 : 0;
}

// The choice for a copy between two surfaces: forced, the same for all, or
// by where the two lie.
bool LibraryFor(LPDIRECTDRAWSURFACE from, LPDIRECTDRAWSURFACE to) {
  if (forced != BlitPath::kMeasured) return forced == BlitPath::kLibrary;
  return uniform ? uniformLibrary : libraryFaster[PlacementOf(from)][PlacementOf(to)];
}

double Seconds() {
  LARGE_INTEGER t, f;
  QueryPerformanceCounter(&t);
  QueryPerformanceFrequency(&f);
  return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

// A scratch surface in the screen's format with the given capabilities;
// the source one holds stripes of its key (black) between coloured rows.
LPDIRECTDRAWSURFACE MakeScratch(DWORD caps, bool source) {
  LPDIRECTDRAWSURFACE s = nullptr;
  if (FAILED(CreatePlainSurface(kScratchWidth, kScratchHeight, caps, &s))) return nullptr;
  if (source) {
    DDCOLORKEY black = {0, 0};
    s->SetColorKey(DDCKEY_SRCBLT, &black);
    SurfaceLock lock(s);
    const mu::PixelView v = lock.View();
    const int rowBytes = v.width * lock.BitsPerPixel() / 8;
    for (int y = 0; y < v.height; ++y) {
      std::uint8_t* row = v.Row<std::uint8_t>(y);
      for (int i = 0; i < rowBytes; ++i) {
        row[i] = (y % 3 == 0) ? 0 : static_cast<std::uint8_t>(i * 7 + y);
      }
    }
  }
  return s;
}

// The fastest of kRounds runs of copy() after one that warms up; a negative
// time when a run failed (copy() returned false).
template <typename Copy>
double Fastest(Copy copy) {
  double best = -1;
  for (int i = 0; i <= kRounds; ++i) {
    const double start = Seconds();
    if (!copy()) return -1;
    const double t = Seconds() - start;
    if (i > 0 && (best < 0 || t < best)) best = t;
  }
  return best;
}

// Keyed copies of the whole scratch picture by DirectDraw, each waiting until
// the destination can be locked again (a hardware blit runs on after the call
// returns), and by the library.
double TimeDirectDraw(LPDIRECTDRAWSURFACE to, LPDIRECTDRAWSURFACE from) {
  RECT all = {0, 0, kScratchWidth, kScratchHeight};
  return Fastest([&] {
    if (FAILED(to->BltFast(0, 0, from, &all, kKeyedFast))) return false;
    SurfaceLock done(to);
    return true;
  });
}

double TimeLibrary(LPDIRECTDRAWSURFACE to, LPDIRECTDRAWSURFACE from) {
  const RECT all = {0, 0, kScratchWidth, kScratchHeight};
  return Fastest([&] { return LockedBlit(to, 0, 0, from, all, true) == LockedResult::kDone; });
}

}  // namespace

void ForceBlitPath(BlitPath path) { forced = path; }

void ChooseBlitPaths() {
  if (!directDraw) return;
  bool faster[kPlacements][kPlacements] = {}, timed[kPlacements][kPlacements] = {};
  bool any = false;
  // Asked for: placed by DirectDraw (video memory first), and system memory.
  // Each pair is filed under where its surfaces really landed.
  const DWORD kAsked[] = {DDSCAPS_OFFSCREENPLAIN, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY};
  for (DWORD fromCaps : kAsked) {
    for (DWORD toCaps : kAsked) {
      LPDIRECTDRAWSURFACE from = MakeScratch(fromCaps, true), to = MakeScratch(toCaps, false);
      if (from && to) {
        const double direct = TimeDirectDraw(to, from), library = TimeLibrary(to, from);
        const int f = PlacementOf(from), t = PlacementOf(to);
        if (direct >= 0 || library >= 0) {
          timed[f][t] = any = true;
          faster[f][t] = library >= 0 && (direct < 0 || library < direct);
        }
      }
      ReleaseObject(from);
      ReleaseObject(to);
    }
  }
  // Nothing could be timed (the display is away, say): the last choice stands
  // until the next restore.
  if (!any) return;
  uniform = true;
  bool first = true;
  for (int i = 0; i < kPlacements; ++i) {
    for (int j = 0; j < kPlacements; ++j) {
      libraryFaster[i][j] = faster[i][j];
      if (!timed[i][j]) continue;
      if (first) uniformLibrary = faster[i][j];
      if (faster[i][j] != uniformLibrary) uniform = false;
      first = false;
    }
  }
}

bool LibraryBlits(LPDIRECTDRAWSURFACE from, LPDIRECTDRAWSURFACE to) { return LibraryFor(from, to); }

bool LibraryPresents() { return LibraryFor(backScreen, primarySurface); }

LockedResult LockedBlit(LPDIRECTDRAWSURFACE to, int x, int y, LPDIRECTDRAWSURFACE from,
                        const RECT& source, bool keyed) {
  // One surface cannot be locked twice; DirectDraw copies within a surface.
  if (to == from) return LockedResult::kFallBack;
  mu::ColorKey key = {0, 0};
  if (keyed) {
    // The key as the sprite table set it on the surface. A range of keys is
    // left to DirectDraw; the library sets only single values.
    DDCOLORKEY ck = {};
    if (FAILED(from->GetColorKey(DDCKEY_SRCBLT, &ck)) ||
        ck.dwColorSpaceLowValue != ck.dwColorSpaceHighValue) {
      return LockedResult::kFallBack;
    }
    key.value = ck.dwColorSpaceLowValue;
  }
  SurfaceLock fromLock(from, DDLOCK_WAIT | DDLOCK_READONLY);
  if (fromLock.Lost()) return LockedResult::kLost;
  if (!fromLock.Locked()) return LockedResult::kFallBack;
  SurfaceLock toLock(to);
  if (toLock.Lost()) return LockedResult::kLost;
  if (!toLock.Locked()) return LockedResult::kFallBack;

  const DDPIXELFORMAT &fs = fromLock.Format(), &ft = toLock.Format();
  const int bytes = static_cast<int>(fs.dwRGBBitCount) / 8;
  if (fs.dwRGBBitCount != ft.dwRGBBitCount || fs.dwRBitMask != ft.dwRBitMask ||
      fs.dwGBitMask != ft.dwGBitMask || fs.dwBBitMask != ft.dwBBitMask ||
      (bytes != 2 && bytes != 4)) {
    return LockedResult::kFallBack;
  }
  key.mask = mu::KeyMask(fs.dwRBitMask, fs.dwGBitMask, fs.dwBBitMask);

  const mu::PixelView s = fromLock.View(), t = toLock.View();
  const long long w = static_cast<long long>(source.right) - source.left;
  const long long h = static_cast<long long>(source.bottom) - source.top;
  if (w <= 0 || h <= 0 || source.left < 0 || source.top < 0 || source.right > s.width ||
      source.bottom > s.height || x < 0 || y < 0 || x + w > t.width || y + h > t.height) {
    return LockedResult::kDone;
  }
  const int iw = static_cast<int>(w), ih = static_cast<int>(h);
  const mu::ConstPixelView in = mu::AsConst(s).Sub(source.left, source.top, iw, ih, bytes);
  const mu::PixelView out = t.Sub(x, y, iw, ih, bytes);
  if (keyed) {
    mu::CopyKeyed(out, in, bytes, key);
  } else {
    mu::CopyOpaque(out, in, bytes);
  }
  return LockedResult::kDone;
}

}  // namespace muDraw
