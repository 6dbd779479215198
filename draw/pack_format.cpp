#include "draw/pack_format.h"

#include <cstring>

#include "app/little_endian.h"

namespace mu {

namespace {

constexpr int kHeaderBytes = 4;      // width and height
constexpr int kChunkPixels = 16384;  // pixels converted per read or write
constexpr std::uint32_t kFive = 31;  // a 5-bit channel value

// The file's size in bytes, the file left at its start; -1 when unknown.
long FileSize(std::FILE* file) {
  if (std::fseek(file, 0, SEEK_END) != 0) return -1;
  long size = std::ftell(file);
  if (std::fseek(file, 0, SEEK_SET) != 0) return -1;
  return size;
}

// Reads a name up to and including its zero byte into buffer; its length
// with the zero byte, or 0 when the file ends first or the buffer fills up.
int ReadName(std::FILE* file, char (&buffer)[kPackNameBuffer]) {
  for (int i = 0; i < kPackNameBuffer; ++i) {
    int c = std::fgetc(file);
    if (c == EOF) return 0;
    buffer[i] = static_cast<char>(c);
    if (c == 0) return i + 1;
  }
  return 0;
}

// Where each 5-bit value of a pack pixel goes in format f, one table per
// channel, so that a pixel is three lookups and two ORs.
struct ChannelTables {
  std::uint32_t value[3][kFive + 1];
};

ChannelTables MakeTables(const PixelFormat& f) {
  ChannelTables t;
  for (int c = 0; c < 3; ++c) {
    for (std::uint32_t v = 0; v <= kFive; ++v) {
      t.value[c][v] = f.Sixteen() ? (v << f.channel[c].top5) & f.mask[c]
                                  : (((v << 3) | (v >> 2)) << f.channel[c].shift) & f.mask[c];
    }
  }
  return t;
}

template <typename P>
void ConvertRun(const std::uint8_t* packed, int count, P* out, const ChannelTables& t) {
  for (int i = 0; i < count; ++i) {
    const int v = Le16(packed + 2 * i);
    out[i] = static_cast<P>(t.value[kRed][(v >> 10) & kFive] | t.value[kGreen][(v >> 5) & kFive] |
                            t.value[kBlue][v & kFive]);
  }
}

}  // namespace

bool FindPackEntry(std::FILE* file, const char* name, PictureEntry* entry) {
  if (std::strlen(name) > static_cast<std::size_t>(kPackNameMax)) return false;
  const long size = FileSize(file);
  if (size < 0) return false;
  // Positions are 64-bit: no size read from the file can wrap them round.
  std::uint64_t position = 0;
  char stored[kPackNameBuffer];
  for (;;) {
    std::uint8_t header[kHeaderBytes];
    if (std::fread(header, 1, kHeaderBytes, file) != kHeaderBytes) return false;
    const int width = Le16(header), height = Le16(header + 2);
    const int nameBytes = ReadName(file, stored);
    if (nameBytes == 0) return false;
    position += kHeaderBytes + nameBytes;
    const std::uint64_t pixelBytes = 2ull * width * height;
    if (pixelBytes > static_cast<std::uint64_t>(size) - position) return false;
    if (std::strcmp(stored, name) == 0) {
      if (width == 0 || height == 0) return false;
      *entry = PictureEntry{width, height};
      return true;
    }
    position += pixelBytes;
    if (std::fseek(file, static_cast<long>(position), SEEK_SET) != 0) return false;
  }
}

bool PackReadable(const PixelFormat& f) { return f.Sixteen() || f.ThirtyTwo(); }

bool ReadPackPixels(std::FILE* file, PixelView view, const PixelFormat& f) {
  if (!PackReadable(f)) return false;
  const ChannelTables t = MakeTables(f);
  // The pixels are one stream, read a chunk at a time across the rows.
  std::uint8_t chunk[2 * kChunkPixels];
  std::int64_t left = static_cast<std::int64_t>(view.width) * (view.height > 0 ? view.height : 0);
  int x = 0, y = 0;
  while (left > 0) {
    const int count = left < kChunkPixels ? static_cast<int>(left) : kChunkPixels;
    if (std::fread(chunk, 2, count, file) != static_cast<std::size_t>(count)) return false;
    left -= count;
    for (int done = 0; done < count;) {
      const int run = view.width - x < count - done ? view.width - x : count - done;
      if (f.Sixteen()) {
        ConvertRun(chunk + 2 * done, run, view.At<std::uint16_t>(x, y), t);
      } else {
        ConvertRun(chunk + 2 * done, run, view.At<std::uint32_t>(x, y), t);
      }
      done += run;
      x += run;
      if (x == view.width) {
        x = 0;
        ++y;
      }
    }
  }
  return true;
}

std::uint16_t PackFromColor(std::uint32_t colorref) {
  std::uint32_t red = colorref & 0xFF, green = (colorref >> 8) & 0xFF,
                blue = (colorref >> 16) & 0xFF;
  if (red | green | blue) {
    red >>= 3;
    green >>= 3;
    blue >>= 3;
    if ((red | green | blue) == 0) blue = 1;  // too dark for five bits, yet not black
  }
  return static_cast<std::uint16_t>((red << 10) | (green << 5) | blue);
}

bool WritePackEntry(std::FILE* file, const char* name, int width, int height, ColorAt colorAt,
                    void* context) {
  const std::size_t nameBytes = std::strlen(name) + 1;
  if (nameBytes > static_cast<std::size_t>(kPackNameMax) + 1) return false;
  if (width < 0 || height < 0 || width > kPackSizeMax || height > kPackSizeMax) return false;
  std::uint8_t header[kHeaderBytes];
  PutLe16(header, static_cast<unsigned>(width));
  PutLe16(header + 2, static_cast<unsigned>(height));
  bool ok = std::fwrite(header, 1, kHeaderBytes, file) == kHeaderBytes &&
            std::fwrite(name, 1, nameBytes, file) == nameBytes;
  std::uint8_t chunk[2 * kChunkPixels];
  for (int y = 0; ok && y < height; ++y) {
    for (int x = 0; ok && x < width; x += kChunkPixels) {
      const int count = width - x < kChunkPixels ? width - x : kChunkPixels;
      for (int i = 0; i < count; ++i)
        PutLe16(chunk + 2 * i, PackFromColor(colorAt(context, x + i, y)));
      ok = std::fwrite(chunk, 2, count, file) == static_cast<std::size_t>(count);
    }
  }
  return ok;
}

}  // namespace mu
