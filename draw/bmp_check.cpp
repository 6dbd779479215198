#include "draw/bmp_check.h"

#include "app/little_endian.h"

namespace mu {

namespace {

using u64 = std::uint64_t;

constexpr u64 kFileHeaderBytes = 14;
constexpr u64 kCoreHeaderBytes = 12;    // the oldest info header: 16-bit sizes, no compression
constexpr u64 kInfoHeaderBytes = 40;
constexpr u64 kV2HeaderBytes = 52;      // with the three masks
constexpr u64 kV3HeaderBytes = 56;      // and an alpha mask
constexpr u64 kV4HeaderBytes = 108;     // and a colour space
constexpr u64 kV5HeaderBytes = 124;     // and a colour profile, the only one that can name one
constexpr u64 kMaskBytes = 12;          // red, green and blue masks after a 40-byte header
constexpr std::uint16_t kBmType = 0x4D42;   // "BM"
constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;
// Where the colour space and the profile's place (from the header's start) and size lie.
constexpr u64 kColourSpaceAt = 56, kProfileAt = 112, kProfileBytesAt = 116;
constexpr std::uint32_t kProfileEmbedded = 0x4D424544;   // "MBED": profile bytes in the data
constexpr std::uint32_t kProfileLinked = 0x4C494E4B;     // "LINK": profile file name in the data

// `length` bytes from `at` lie inside `size` bytes (no sum that could wrap).
bool Inside(u64 at, u64 length, u64 size) { return at <= size && length <= size - at; }

bool HeaderSizeRead(u64 bytes) {
  return bytes == kCoreHeaderBytes || bytes == kInfoHeaderBytes || bytes == kV2HeaderBytes ||
         bytes == kV3HeaderBytes || bytes == kV4HeaderBytes || bytes == kV5HeaderBytes;
}

// What the info header says, with positions in the checked bytes.
struct Layout {
  u64 width, height;          // height without the sign that marks top-down rows
  bool topDown;
  std::uint32_t bits, compression;
  std::uint32_t imageBytes;   // the header's image size: the run data's length when not 0
  u64 infoEnd;                // first byte after the info header
  u64 tableEnd;               // first byte after the masks and the colour table
};

bool FormatRead(const Layout& p) {
  switch (p.bits) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: return false;
  }
  switch (p.compression) {
    case kRgb: return true;
    case kRle8: return p.bits == 8 && !p.topDown;   // run-length rows are bottom-up only
    case kRle4: return p.bits == 4 && !p.topDown;
    case kBitFields: return p.bits == 16 || p.bits == 32;
    default: return false;                         // JPEG, PNG and the rest
  }
}

// Reads the info header at `at` and checks it, its masks, its colour table
// and its colour profile against `size`.
BmpFault ReadInfoHeader(const std::uint8_t* data, u64 size, u64 at, Layout* p) {
  if (!Inside(at, 4, size)) return kBmpInfoHeader;
  const u64 headerBytes = Le32(data + at);
  if (!HeaderSizeRead(headerBytes) || !Inside(at, headerBytes, size)) return kBmpInfoHeader;
  const std::uint8_t* h = data + at;
  u64 colorsUsed = 0, entryBytes = 4;
  if (headerBytes == kCoreHeaderBytes) {
    p->width = Le16(h + 4);
    p->height = Le16(h + 6);
    p->topDown = false;
    p->bits = Le16(h + 10);
    p->compression = kRgb;
    p->imageBytes = 0;
    entryBytes = 3;   // blue, green, red without a spare byte
  } else {
    const auto width = static_cast<std::int32_t>(Le32(h + 4));
    const auto height = static_cast<std::int32_t>(Le32(h + 8));
    if (width <= 0) return kBmpDimensions;
    p->width = static_cast<u64>(width);
    p->topDown = height < 0;
    p->height = static_cast<u64>(height < 0 ? -static_cast<std::int64_t>(height) : height);
    p->bits = Le16(h + 14);
    p->compression = Le32(h + 16);
    p->imageBytes = Le32(h + 20);
    colorsUsed = Le32(h + 32);
  }
  if (p->width == 0 || p->height == 0 || p->width > static_cast<u64>(kBmpSideMax) ||
      p->height > static_cast<u64>(kBmpSideMax)) {
    return kBmpDimensions;
  }
  if (!FormatRead(*p)) return kBmpFormat;

  p->infoEnd = at + headerBytes;
  u64 tableAt = p->infoEnd;
  // Longer headers hold the masks; after the 40-byte one they follow it.
  if (p->compression == kBitFields && headerBytes == kInfoHeaderBytes) {
    tableAt += kMaskBytes;
    if (tableAt > size) return kBmpMasks;
  }
  // A palette picture has one colour for each of its values unless the header
  // names fewer; other pictures may carry a table of the colours they use most.
  const u64 entries = colorsUsed != 0 ? colorsUsed : p->bits <= 8 ? u64{1} << p->bits : 0;
  if (!Inside(tableAt, entries * entryBytes, size)) return kBmpColorTable;
  p->tableEnd = tableAt + entries * entryBytes;

  if (headerBytes == kV5HeaderBytes) {
    const std::uint32_t space = Le32(h + kColourSpaceAt);
    if ((space == kProfileEmbedded || space == kProfileLinked) &&
        !Inside(at + Le32(h + kProfileAt), Le32(h + kProfileBytesAt), size)) {
      return kBmpProfile;
    }
  }
  return kBmpSound;
}

// Walks the codes of a run-length picture from `at` to `end` once. Rows are
// counted from the bottom. A code pair (n, v) with n > 0 paints n pixels; (0,
// 0) ends a row, (0, 1) ends the picture, (0, 2, dx, dy) moves the pen, and
// (0, n) with n >= 3 is followed by n literal pixels, padded to a whole word.
bool WalkRuns(const std::uint8_t* data, u64 at, u64 end, const Layout& p) {
  const bool nibbles = p.compression == kRle4;
  u64 x = 0, y = 0;
  while (at + 2 <= end) {
    const u64 count = data[at], code = data[at + 1];
    at += 2;
    if (count > 0) {
      if (y >= p.height || x + count > p.width) return false;
      x += count;
      continue;
    }
    if (code == 0) {                       // end of row
      if (y >= p.height) return false;
      x = 0;
      ++y;
    } else if (code == 1) {                // end of picture
      return true;
    } else if (code == 2) {                // jump right and up
      if (at + 2 > end) return false;
      x += data[at];
      y += data[at + 1];
      at += 2;
      if (x > p.width || y > p.height) return false;
    } else {                               // literal pixels
      u64 bytes = nibbles ? (code + 1) / 2 : code;
      bytes += bytes & 1;
      if (y >= p.height || x + code > p.width || bytes > end - at) return false;
      x += code;
      at += bytes;
    }
  }
  return false;   // the data ended before the end-of-picture code
}

BmpFault CheckPixels(const std::uint8_t* data, u64 size, u64 at, const Layout& p) {
  if (p.compression == kRle8 || p.compression == kRle4) {
    u64 end = size;
    if (p.imageBytes != 0) {   // the loader may take exactly that many bytes of runs
      if (!Inside(at, p.imageBytes, size)) return kBmpRuns;
      end = at + p.imageBytes;
    }
    return WalkRuns(data, at, end, p) ? kBmpSound : kBmpRuns;
  }
  const u64 stride = (p.width * p.bits + 31) / 32 * 4;   // rows padded to 32 bits
  return Inside(at, stride * p.height, size) ? kBmpSound : kBmpPixels;
}

}  // namespace

BmpFault CheckBmpFile(const std::uint8_t* data, std::size_t size) {
  if (!data || size < kFileHeaderBytes || Le16(data) != kBmType) return kBmpFileHeader;
  if (Le32(data + 2) > size) return kBmpFileHeader;   // a file size of 0 says nothing
  Layout p;
  const BmpFault fault = ReadInfoHeader(data, size, kFileHeaderBytes, &p);
  if (fault != kBmpSound) return fault;
  // The pixels lie after the headers: an offset inside them (0 included) is damage.
  const u64 pixels = Le32(data + 10);
  if (pixels < p.infoEnd || pixels >= size) return kBmpFileHeader;
  return CheckPixels(data, size, pixels, p);
}

BmpFault CheckBmpResource(const std::uint8_t* data, std::size_t size) {
  if (!data) return kBmpInfoHeader;
  Layout p;
  const BmpFault fault = ReadInfoHeader(data, size, 0, &p);
  if (fault != kBmpSound) return fault;
  return CheckPixels(data, size, p.tableEnd, p);
}

}  // namespace mu
