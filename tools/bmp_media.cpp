#include "tools/bmp_media.h"

#include <cstring>

namespace media {

namespace {

constexpr int kFileHeaderBytes = 14;
constexpr std::uint32_t kSrgb = 0x73524742;       // "sRGB": no profile
constexpr std::uint32_t kEmbedded = 0x4D424544;   // "MBED": profile bytes in the file
constexpr int kProfileBytes = 16;
constexpr int kGapStart = 6, kGapEnd = 10;        // the zero gap of every palette row

void Add16(Bytes& b, std::uint32_t v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Add32(Bytes& b, std::uint32_t v) {
  Add16(b, v & 0xFFFF);
  Add16(b, v >> 16);
}

bool RunLength(const BmpKind& k) { return k.compression == 1 || k.compression == 2; }
int Rows(const BmpKind& k) { return k.height < 0 ? -k.height : k.height; }

int PaletteSize(const BmpKind& k) {
  if (k.bits > 8) return k.colorsUsed;
  return k.colorsUsed != 0 ? k.colorsUsed : 1 << k.bits;
}

std::uint32_t PaletteColour(int i) {
  return ((i * 53 + 40) & 0xF8) << 16 | ((i * 97 + 16) & 0xF8) << 8 | ((i * 29 + 200) & 0xF8);
}

// A run of six, a gap of four zeros, then a value that changes at every pixel;
// odd rows end in three zeros. Run-length pictures code these as a run, a jump,
// literal pixels and an early end of row.
int PaletteIndex(const BmpKind& k, int x, int y) {
  const int top = PaletteSize(k) - 1;
  if (x >= kGapStart && x < kGapEnd) return 0;
  if ((y & 1) && x >= k.width - 3) return 0;
  if (x < kGapStart) return y % top + 1;
  return (x * 5 + y * 3) % top + 1;
}

bool Rgb565(const BmpKind& k) { return k.bits == 16 && k.compression == 3; }

// Raw channel values of a direct-colour pixel and their widths in bits.
void Channels(const BmpKind& k, int x, int y, std::uint32_t c[3], int width[3]) {
  if (k.bits == 16) {
    width[0] = width[2] = 5;
    width[1] = Rgb565(k) ? 6 : 5;
    c[0] = (x * 7 + 3) & 31;
    c[1] = (y * 9 + 5) & ((1u << width[1]) - 1);
    c[2] = (x + 2 * y) & 31;
  } else {
    width[0] = width[1] = width[2] = 8;
    c[0] = (x * 37 + 11) & 255;
    c[1] = (y * 59 + 23) & 255;
    c[2] = (x * y * 13 + 101) & 255;
  }
}

// An n-bit channel widened to 8 bits by repeating its bits from the top.
std::uint32_t Widen(std::uint32_t v, int n) {
  std::uint32_t out = 0;
  for (int shift = 8 - n; shift > -n; shift -= n) out |= shift >= 0 ? v << shift : v >> -shift;
  return out & 255;
}

// Uncompressed rows in stored order, each padded to 32 bits.
Bytes PixelRows(const BmpKind& k) {
  const int stride = (k.width * k.bits + 31) / 32 * 4;
  Bytes out(static_cast<std::size_t>(stride) * Rows(k), 0);
  for (int s = 0; s < Rows(k); ++s) {
    const int y = k.height < 0 ? s : Rows(k) - 1 - s;
    std::uint8_t* row = out.data() + static_cast<std::size_t>(s) * stride;
    for (int x = 0; x < k.width; ++x) {
      if (k.bits <= 8) {   // packed from the top bit of each byte
        const int bit = x * k.bits;
        row[bit / 8] |= static_cast<std::uint8_t>(PaletteIndex(k, x, y) << (8 - k.bits - bit % 8));
        continue;
      }
      std::uint32_t c[3];
      int width[3];
      Channels(k, x, y, c, width);
      std::uint8_t* p = row + x * (k.bits / 8);
      if (k.bits == 16) {
        const std::uint32_t v = c[0] << (width[1] + 5) | c[1] << 5 | c[2];
        p[0] = static_cast<std::uint8_t>(v);
        p[1] = static_cast<std::uint8_t>(v >> 8);
      } else {
        p[0] = static_cast<std::uint8_t>(c[2]);
        p[1] = static_cast<std::uint8_t>(c[1]);
        p[2] = static_cast<std::uint8_t>(c[0]);
        if (k.bits == 32 && k.headerBytes >= 56) p[3] = 0xFF;   // opaque where a mask names alpha
      }
    }
  }
  return out;
}

// Run-length codes of a palette picture: runs of three or more equal values,
// literal stretches between them, a jump over a gap of zeros, an early end of
// row before zeros that reach the row's end, and the end of the picture.
Bytes RunCodes(const BmpKind& k) {
  const bool nibbles = k.compression == 2;
  Bytes out;
  for (int s = 0; s < Rows(k); ++s) {
    const int y = Rows(k) - 1 - s;   // run-length rows are bottom-up
    auto at = [&](int x) { return PaletteIndex(k, x, y); };
    auto same = [&](int x) {
      int n = 1;
      while (x + n < k.width && n < 255 && at(x + n) == at(x)) ++n;
      return n;
    };
    int x = 0;
    while (x < k.width) {
      const int equal = same(x);
      if (at(x) == 0 && x + equal == k.width) break;   // the end of row paints the rest
      if (at(x) == 0 && equal >= 4) {
        out.insert(out.end(), {0, 2, static_cast<std::uint8_t>(equal), 0});
        x += equal;
        continue;
      }
      int literal = 0;
      while (x + literal < k.width && literal < 255 && same(x + literal) < 3) ++literal;
      if (equal >= 3 || literal < 3) {
        const int v = at(x);
        out.push_back(static_cast<std::uint8_t>(equal));
        out.push_back(static_cast<std::uint8_t>(nibbles ? v << 4 | v : v));
        x += equal;
        continue;
      }
      out.push_back(0);
      out.push_back(static_cast<std::uint8_t>(literal));
      Bytes values;
      for (int i = 0; i < literal; ++i) {
        const int v = at(x + i);
        if (!nibbles) values.push_back(static_cast<std::uint8_t>(v));
        else if (i % 2 == 0) values.push_back(static_cast<std::uint8_t>(v << 4));
        else values.back() |= static_cast<std::uint8_t>(v);
      }
      if (values.size() % 2) values.push_back(0);   // literals end on a word boundary
      out.insert(out.end(), values.begin(), values.end());
      x += literal;
    }
    out.insert(out.end(), {0, static_cast<std::uint8_t>(s + 1 == Rows(k) ? 1 : 0)});
  }
  return out;
}

// The file: headers, masks, colour table, the given pixel data, and a colour
// profile after the pixels when the kind names one.
Bytes Assemble(const BmpKind& k, const Bytes& pixels) {
  const bool fields = k.compression == 3;
  const std::uint32_t masks[4] = {
      fields ? (k.bits == 16 ? 0xF800u : 0x00FF0000u) : 0,
      fields ? (k.bits == 16 ? 0x07E0u : 0x0000FF00u) : 0,
      fields ? (k.bits == 16 ? 0x001Fu : 0x000000FFu) : 0,
      fields && k.bits == 32 ? 0xFF000000u : 0};
  Bytes info;
  Add32(info, static_cast<std::uint32_t>(k.headerBytes));
  if (k.headerBytes == 12) {
    Add16(info, static_cast<std::uint32_t>(k.width));
    Add16(info, static_cast<std::uint32_t>(k.height));
    Add16(info, 1);
    Add16(info, static_cast<std::uint32_t>(k.bits));
  } else {
    Add32(info, static_cast<std::uint32_t>(k.width));
    Add32(info, static_cast<std::uint32_t>(k.height));
    Add16(info, 1);
    Add16(info, static_cast<std::uint32_t>(k.bits));
    Add32(info, static_cast<std::uint32_t>(k.compression));
    Add32(info, static_cast<std::uint32_t>(pixels.size()));
    Add32(info, 2835);
    Add32(info, 2835);
    Add32(info, static_cast<std::uint32_t>(k.colorsUsed));
    Add32(info, 0);
  }
  if (k.headerBytes >= 52) {
    for (int i = 0; i < 3; ++i) Add32(info, masks[i]);
  }
  if (k.headerBytes >= 56) Add32(info, masks[3]);
  if (k.headerBytes >= 108) {
    Add32(info, k.profile ? kEmbedded : kSrgb);
    info.resize(info.size() + 36 + 12, 0);   // end points and gamma, unused
  }
  std::size_t profileField = 0;
  if (k.headerBytes == 124) {
    Add32(info, 4);   // rendering intent: pictures
    profileField = info.size();
    Add32(info, 0);
    Add32(info, k.profile ? kProfileBytes : 0);
    Add32(info, 0);
  }
  if (fields && k.headerBytes == 40) {
    for (int i = 0; i < 3; ++i) Add32(info, masks[i]);
  }
  for (int i = 0; i < PaletteSize(k); ++i) {
    const std::uint32_t c = PaletteColour(i);
    info.push_back(static_cast<std::uint8_t>(c));
    info.push_back(static_cast<std::uint8_t>(c >> 8));
    info.push_back(static_cast<std::uint8_t>(c >> 16));
    if (k.headerBytes != 12) info.push_back(0);
  }
  if (k.profile) Put32(info, profileField, static_cast<std::uint32_t>(info.size() + pixels.size()));

  Bytes file = {'B', 'M'};
  const std::size_t size =
      kFileHeaderBytes + info.size() + pixels.size() + (k.profile ? kProfileBytes : 0);
  Add32(file, static_cast<std::uint32_t>(size));
  Add32(file, 0);
  Add32(file, static_cast<std::uint32_t>(kFileHeaderBytes + info.size()));
  file.insert(file.end(), info.begin(), info.end());
  file.insert(file.end(), pixels.begin(), pixels.end());
  for (int i = 0; k.profile && i < kProfileBytes; ++i) file.push_back(static_cast<std::uint8_t>(0xC0 + i));
  return file;
}

const BmpKind& Kind(const char* name) {
  for (const BmpKind& k : BmpKinds()) {
    if (std::strcmp(k.name, name) == 0) return k;
  }
  return BmpKinds().front();
}

NamedBmp Edited(const char* name, const char* kind, std::size_t at, std::uint32_t value) {
  NamedBmp out{name, SampleBmp(Kind(kind))};
  Put32(out.bytes, at, value);
  return out;
}

// A sample cut to `size` bytes, with the file size field telling the truth.
NamedBmp Cut(const char* name, const char* kind, std::size_t size) {
  NamedBmp out{name, SampleBmp(Kind(kind))};
  out.bytes.resize(size);
  if (size >= kFileHeaderBytes) Put32(out.bytes, kFileSizeAt, static_cast<std::uint32_t>(size));
  return out;
}

}  // namespace

const std::vector<BmpKind>& BmpKinds() {
  static const std::vector<BmpKind> kinds = {
      {"1bit", 40, 1, 0, 13, 7, 0, false},
      {"4bit", 40, 4, 0, 11, 6, 0, false},
      {"8bit-short-table", 40, 8, 0, 12, 5, 20, false},
      {"8bit-top-down", 40, 8, 0, 12, -3, 0, false},
      {"16bit", 40, 16, 0, 7, 5, 0, false},
      {"24bit", 40, 24, 0, 5, 4, 0, false},
      {"24bit-with-table", 40, 24, 0, 4, 4, 3, false},
      {"32bit", 40, 32, 0, 6, 3, 0, false},
      {"rle8", 40, 8, 1, 23, 9, 0, false},
      {"rle4", 40, 4, 2, 21, 8, 0, false},
      {"565-fields", 40, 16, 3, 7, 5, 0, false},
      {"565-fields-v2", 52, 16, 3, 9, 4, 0, false},
      {"32bit-fields-v3", 56, 32, 3, 6, 4, 0, false},
      {"core-8bit", 12, 8, 0, 13, 4, 0, false},
      {"core-24bit", 12, 24, 0, 5, 3, 0, false},
      {"v4-24bit-top-down", 108, 24, 0, 6, -5, 0, false},
      {"v5-8bit-profile", 124, 8, 0, 12, 4, 0, true},
  };
  return kinds;
}

std::uint32_t SampleColour(const BmpKind& k, int x, int y) {
  if (k.bits <= 8) return PaletteColour(PaletteIndex(k, x, y));
  std::uint32_t c[3];
  int width[3];
  Channels(k, x, y, c, width);
  return Widen(c[0], width[0]) << 16 | Widen(c[1], width[1]) << 8 | Widen(c[2], width[2]);
}

Bytes SampleBmp(const BmpKind& k) { return Assemble(k, RunLength(k) ? RunCodes(k) : PixelRows(k)); }

Bytes RunLengthBmp(int width, int height, bool nibbles, const Bytes& codes) {
  return Assemble(BmpKind{"runs", 40, nibbles ? 4 : 8, nibbles ? 2 : 1, width, height, 2, false},
                  codes);
}

Bytes ResourceForm(const Bytes& file) {
  return file.size() > kFileHeaderBytes ? Bytes(file.begin() + kFileHeaderBytes, file.end())
                                        : Bytes();
}

void Put16(Bytes& b, std::size_t at, std::uint16_t v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
  Put16(b, at, static_cast<std::uint16_t>(v));
  Put16(b, at + 2, static_cast<std::uint16_t>(v >> 16));
}

NamedBmp HugeOffsetBmp() { return Edited("offset-7fffffff", "1bit", kPixelOffsetAt, 0x7FFFFFFF); }

NamedBmp HugeSizeBmp() {
  return {"1bit-8192x8192", Assemble(BmpKind{"huge", 40, 1, 0, 8192, 8192, 0, false},
                                     Bytes(28, 0xA5))};
}

std::vector<NamedBmp> DamagedBmps() {
  std::vector<NamedBmp> out = {HugeOffsetBmp(), HugeSizeBmp()};
  const std::size_t size24 = SampleBmp(Kind("24bit")).size();
  out.push_back(Edited("offset-past-end", "24bit", kPixelOffsetAt, static_cast<std::uint32_t>(size24)));
  out.push_back(Edited("offset-zero", "8bit-short-table", kPixelOffsetAt, 0));
  out.push_back(Edited("file-size-ffffffff", "24bit", kFileSizeAt, 0xFFFFFFFF));
  out.push_back(Edited("width-7fffffff", "24bit", kWidthAt, 0x7FFFFFFF));
  out.push_back(Edited("height-80000000", "24bit", kHeightAt, 0x80000000));
  out.push_back(Edited("width-16385", "1bit", kWidthAt, 16385));
  out.push_back(Edited("header-size-ffffffff", "24bit", kHeaderBytesAt, 0xFFFFFFFF));
  out.push_back(Edited("bits-7", "8bit-short-table", kBitsAt, 7));
  out.push_back(Edited("compression-png", "24bit", kCompressionAt, 5));
  out.push_back(Edited("colours-40000000", "8bit-short-table", kColorsUsedAt, 0x40000000));
  out.push_back(Edited("profile-outside", "v5-8bit-profile", kFileHeaderBytes + 112, 0x7FFFFFF0));
  out.push_back(Edited("runs-size-7fffffff", "rle8", kImageBytesAt, 0x7FFFFFFF));
  out.push_back(Cut("header-cut", "1bit", 30));
  out.push_back(Cut("pixels-cut", "24bit", size24 - 1));
  out.push_back(Cut("masks-missing", "565-fields", kFileHeaderBytes + 40 + 4));
  out.push_back({"runs-past-row", RunLengthBmp(8, 4, false, {9, 1, 0, 1})});
  out.push_back({"runs-jump-outside", RunLengthBmp(8, 4, false, {0, 2, 3, 9, 0, 1})});
  out.push_back({"runs-above-top", RunLengthBmp(8, 4, false, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1})});
  out.push_back({"runs-literal-cut", RunLengthBmp(8, 4, false, {0, 6, 1, 2})});
  out.push_back({"runs-without-end", RunLengthBmp(8, 4, false, {4, 1, 0, 0})});
  out.push_back({"nibble-runs-past-row", RunLengthBmp(5, 2, true, {6, 0x12, 0, 1})});
  return out;
}

}  // namespace media
