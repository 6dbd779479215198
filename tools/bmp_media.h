// Test media for the picture loader: small BMP pictures of every kind the
// system reads (each bit count, both run-length codings, bit fields, every
// info header size, top-down rows) with a known colour at every pixel, and
// damaged pictures made from them.
#ifndef MU_TOOLS_BMP_MEDIA_H
#define MU_TOOLS_BMP_MEDIA_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace media {

using Bytes = std::vector<std::uint8_t>;

struct BmpKind {
  const char* name;
  int headerBytes;    // info header: 12, 40, 52, 56, 108 or 124
  int bits;           // 1, 4, 8, 16, 24 or 32
  int compression;    // 0 none, 1 runs of bytes, 2 runs of nibbles, 3 bit fields
  int width, height;  // a negative height stores the rows top-down
  int colorsUsed;     // colour-table entries the header names; 0 for all of them
  bool profile;       // a 124-byte header naming a colour profile after the pixels
};

// One picture of each kind.
const std::vector<BmpKind>& BmpKinds();

// The colour (0xRRGGBB) of pixel (x, y), row 0 at the top, of a picture of
// this kind; 16-bit channels are widened by repeating their top bits.
std::uint32_t SampleColour(const BmpKind& kind, int x, int y);

// The picture of this kind as a BMP file.
Bytes SampleBmp(const BmpKind& kind);

// An 8-bit (or, with nibbles, 4-bit) run-length picture of two colours whose
// pixel data are the given codes, with the header's image size set to them.
Bytes RunLengthBmp(int width, int height, bool nibbles, const Bytes& codes);

// The bitmap resource form of a BMP file: the file without its file header.
Bytes ResourceForm(const Bytes& file);

// Little-endian fields written into a picture.
void Put16(Bytes& bytes, std::size_t at, std::uint16_t value);
void Put32(Bytes& bytes, std::size_t at, std::uint32_t value);

// Offsets of the fields that damage is made of (file form).
constexpr std::size_t kFileSizeAt = 2, kPixelOffsetAt = 10, kHeaderBytesAt = 14;
constexpr std::size_t kWidthAt = 18, kHeightAt = 22, kBitsAt = 28, kCompressionAt = 30;
constexpr std::size_t kImageBytesAt = 34, kColorsUsedAt = 46;

struct NamedBmp {
  std::string name;
  Bytes bytes;
};

// The two smallest files that crashed the system's loader: a valid 1-bit
// picture whose pixel offset is 0x7FFFFFFF, and a 1-bit header claiming
// 8192 x 8192 pixels with 28 bytes of pixels.
NamedBmp HugeOffsetBmp();
NamedBmp HugeSizeBmp();

// The worst damage seen in mutated pictures, one file each: huge offsets and
// sizes, cut headers and pixels, tables and masks outside the file, runs and
// jumps outside the picture, run data without its end.
std::vector<NamedBmp> DamagedBmps();

}  // namespace media

#endif
