#include "surface_pixels.h"

#include <cstdio>
#include <cstring>
#include <random>

#include "draw/pixel_format.h"
#include "draw/sprites.h"
#include "test_app.h"

namespace testpix {

namespace {

// The back screen's channel masks as DirectDraw gives them, read again when
// the back screen changes.
DWORD Mask(int c) {
  static LPDIRECTDRAWSURFACE seen = nullptr;
  static DWORD masks[3];
  if (muDraw::backScreen != seen) {
    seen = muDraw::backScreen;
    DDPIXELFORMAT f = {};
    f.dwSize = sizeof f;
    if (seen) seen->GetPixelFormat(&f);
    masks[0] = f.dwRBitMask;
    masks[1] = f.dwGBitMask;
    masks[2] = f.dwBBitMask;
  }
  return masks[c];
}
int Shift(DWORD mask) {
  int s = 0;
  while (mask && !(mask & 1)) {
    mask >>= 1;
    ++s;
  }
  return s;
}

// A whole surface locked for as long as it lives.
class Lock {
 public:
  Lock(LPDIRECTDRAWSURFACE surface, DWORD flags) : surface_(surface) {
    desc_.dwSize = sizeof desc_;
    ok_ = surface && SUCCEEDED(surface->Lock(nullptr, &desc_, DDLOCK_WAIT | flags, nullptr));
  }
  ~Lock() {
    if (ok_) surface_->Unlock(desc_.lpSurface);
  }
  bool Ok() const { return ok_; }
  int Width() const { return static_cast<int>(desc_.dwWidth); }
  int Height() const { return static_cast<int>(desc_.dwHeight); }
  int PixelBytes() const { return static_cast<int>(desc_.ddpfPixelFormat.dwRGBBitCount / 8); }
  size_t RowBytes() const { return static_cast<size_t>(Width()) * PixelBytes(); }
  DWORD ColourBits() const {
    const DDPIXELFORMAT& f = desc_.ddpfPixelFormat;
    return f.dwRBitMask | f.dwGBitMask | f.dwBBitMask;
  }
  BYTE* Row(int y) const { return static_cast<BYTE*>(desc_.lpSurface) + y * desc_.lPitch; }

 private:
  LPDIRECTDRAWSURFACE surface_;
  DDSURFACEDESC desc_ = {};
  bool ok_;
};

}  // namespace

Bytes ReadBytes(LPDIRECTDRAWSURFACE surface) {
  Lock lock(surface, DDLOCK_READONLY);
  if (!lock.Ok()) return {};
  Bytes out(lock.RowBytes() * lock.Height());
  for (int y = 0; y < lock.Height(); ++y) std::memcpy(&out[y * lock.RowBytes()], lock.Row(y), lock.RowBytes());
  return out;
}

void WriteBytes(LPDIRECTDRAWSURFACE surface, const Bytes& pixels) {
  Lock lock(surface, 0);
  if (!lock.Ok() || pixels.size() != lock.RowBytes() * lock.Height()) return;
  for (int y = 0; y < lock.Height(); ++y) std::memcpy(lock.Row(y), &pixels[y * lock.RowBytes()], lock.RowBytes());
}

mu::PixelView View(Bytes& pixels, int width, int height) {
  const int bytes = mu::screenFormat.bytesPerPixel;
  return mu::PixelView{pixels.data(), static_cast<std::ptrdiff_t>(width) * bytes, width, height};
}

Bytes FillRandom(LPDIRECTDRAWSURFACE surface, std::uint32_t seed, DWORD kept, int oneIn, DWORD special) {
  std::mt19937 rng(seed);
  {
    Lock lock(surface, 0);
    if (!lock.Ok()) return {};
    const int bytes = lock.PixelBytes();
    const DWORD colour = lock.ColourBits();
    for (int y = 0; y < lock.Height(); ++y) {
      for (int x = 0; x < lock.Width(); ++x) {
        DWORD p = rng() & kept;
        if (oneIn > 0 && rng() % oneIn == 0) p = (p & ~colour) | special;
        std::memcpy(lock.Row(y) + x * bytes, &p, bytes);
      }
    }
  }
  return ReadBytes(surface);
}

std::string FirstDifference(LPDIRECTDRAWSURFACE surface, const Bytes& expected) {
  const Bytes got = ReadBytes(surface);
  if (got.size() != expected.size()) return "sizes differ (the surface is not locked?)";
  if (got == expected) return "";
  DDSURFACEDESC d = {};
  d.dwSize = sizeof d;
  surface->GetSurfaceDesc(&d);
  const size_t bytes = d.ddpfPixelFormat.dwRGBBitCount / 8, width = d.dwWidth;
  for (size_t at = 0; at < got.size(); at += bytes) {
    DWORD a = 0, b = 0;
    std::memcpy(&a, &got[at], bytes);
    std::memcpy(&b, &expected[at], bytes);
    if (a == b) continue;
    char text[96];
    std::snprintf(text, sizeof text, "(%zu, %zu): %lx, expected %lx", at / bytes % width,
                  at / bytes / width, a, b);
    return text;
  }
  return "";
}

std::uint64_t Hash(LPDIRECTDRAWSURFACE surface) {
  Lock lock(surface, DDLOCK_READONLY);
  std::uint64_t h = 1469598103934665603ULL;   // FNV-1a, eight bytes at a time
  for (int y = 0; lock.Ok() && y < lock.Height(); ++y) {
    const BYTE* p = lock.Row(y);
    size_t i = 0;
    for (std::uint64_t word; i + 8 <= lock.RowBytes(); i += 8) {
      std::memcpy(&word, p + i, 8);
      h = (h ^ word) * 1099511628211ULL;
    }
    for (; i < lock.RowBytes(); ++i) h = (h ^ p[i]) * 1099511628211ULL;
  }
  return h;
}

Snapshot::Snapshot(LPDIRECTDRAWSURFACE surface) {
  Lock lock(surface, DDLOCK_READONLY);
  if (!lock.Ok()) return;
  width_ = lock.Width();
  height_ = lock.Height();
  pixels_.assign(static_cast<size_t>(width_) * height_, 0);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x)
      std::memcpy(&pixels_[y * width_ + x], lock.Row(y) + x * lock.PixelBytes(), lock.PixelBytes());
  }
  ok_ = true;
}

DWORD ReadPixel(LPDIRECTDRAWSURFACE surface, int x, int y) {
  Lock lock(surface, DDLOCK_READONLY);
  DWORD value = 0;
  if (!lock.Ok()) return 0xDEADBEEF;
  std::memcpy(&value, lock.Row(y) + x * lock.PixelBytes(), lock.PixelBytes());
  return value;
}

void FillSurface(LPDIRECTDRAWSURFACE surface, DWORD value) {
  DDBLTFX fx = {};
  fx.dwSize = sizeof fx;
  fx.dwFillColor = value;
  surface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}

void PaintValues(int sprite, const std::function<DWORD(int, int)>& value) {
  Lock lock(muDraw::spriteTable[sprite].surface, 0);
  for (int y = 0; lock.Ok() && y < lock.Height(); ++y) {
    for (int x = 0; x < lock.Width(); ++x) {
      const DWORD v = value(x, y);
      std::memcpy(lock.Row(y) + x * lock.PixelBytes(), &v, lock.PixelBytes());
    }
  }
}

bool Unlocked(LPDIRECTDRAWSURFACE surface) { return Lock(surface, 0).Ok(); }

DWORD ValueOf(COLORREF colour) {
  int s = muDraw::CreateObject(1, 1, 2);
  DWORD v = muDraw::MatchColor(muDraw::spriteTable[s].surface, colour);
  muDraw::DeleteObject(s);
  return v;
}

DWORD Rgb(int red, int green, int blue) {
  const int c8[3] = {red, green, blue};
  DWORD v = 0;
  for (int c = 0; c < 3; ++c) {
    v |= (static_cast<DWORD>(c8[c]) * ChannelMax(c) / 255) << Shift(Mask(c));
  }
  return v;
}

DWORD ChannelMax(int c) { return Mask(c) >> Shift(Mask(c)); }

DWORD Channel(DWORD value, int c) {
  const DWORD m = Mask(c);
  return (value & m) >> Shift(m);
}

bool WritePpm(const std::string& path, LPDIRECTDRAWSURFACE surface, int x, int y, int width, int height) {
  const Snapshot s(surface);
  std::FILE* out = s.Ok() ? std::fopen(path.c_str(), "wb") : nullptr;
  if (!out) return false;
  std::fprintf(out, "P6\n%d %d\n255\n", width, height);
  for (int row = y; row < y + height; ++row) {
    for (int column = x; column < x + width; ++column) {
      for (int c = 0; c < 3; ++c) {
        std::fputc(static_cast<int>(Channel(s.At(column, row), c) * 255 / ChannelMax(c)), out);
      }
    }
  }
  return std::fclose(out) == 0;
}

void WriteBmp(const std::string& name, int width, int height,
              const std::function<COLORREF(int, int)>& colour) {
  std::FILE* f = std::fopen(testapp::ExeFile(name).c_str(), "wb");
  if (!f) return;
  const int rowSize = (width * 3 + 3) & ~3;
  BITMAPFILEHEADER fh = {};
  BITMAPINFOHEADER ih = {};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = fh.bfOffBits + rowSize * height;
  ih.biSize = sizeof ih;
  ih.biWidth = width;
  ih.biHeight = height;
  ih.biPlanes = 1;
  ih.biBitCount = 24;
  std::fwrite(&fh, sizeof fh, 1, f);
  std::fwrite(&ih, sizeof ih, 1, f);
  std::string row(rowSize, '\0');
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const COLORREF c = colour(x, y);
      row[3 * x] = static_cast<char>(GetBValue(c));
      row[3 * x + 1] = static_cast<char>(GetGValue(c));
      row[3 * x + 2] = static_cast<char>(GetRValue(c));
    }
    std::fwrite(row.data(), rowSize, 1, f);
  }
  std::fclose(f);
}

}  // namespace testpix
