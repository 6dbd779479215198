#include "draw/screenshot_file.h"

#include <cstdio>
#include <cstring>

#include "app/little_endian.h"

namespace mu {

namespace {

constexpr int kFileHeaderBytes = 14;
constexpr int kInfoHeaderBytes = 40;
constexpr int kChunkPixels = 1024;              // pixels converted at a time
constexpr std::size_t kBlockBytes = 48 * 1024;  // bytes written at a time (> 3 x kChunkPixels)

// Blue, green and red bytes of `count` pixels.
template <typename P>
void RowBytes(const P* pixels, int count, const PixelFormat& f, std::uint8_t* out) {
  // 16 bits: the channel's top five bits, times 8; 32 bits: the byte at the shift.
  const bool sixteen = sizeof(P) == 2;
  const std::uint32_t mask = sixteen ? 31 : 0xFF, scale = sixteen ? 3 : 0;
  const std::uint32_t red = sixteen ? f.channel[kRed].top5 : f.channel[kRed].shift;
  const std::uint32_t green = sixteen ? f.channel[kGreen].top5 : f.channel[kGreen].shift;
  const std::uint32_t blue = sixteen ? f.channel[kBlue].top5 : f.channel[kBlue].shift;
  for (int i = 0; i < count; ++i) {
    const std::uint32_t p = pixels[i];
    out[3 * i] = static_cast<std::uint8_t>(((p >> blue) & mask) << scale);
    out[3 * i + 1] = static_cast<std::uint8_t>(((p >> green) & mask) << scale);
    out[3 * i + 2] = static_cast<std::uint8_t>(((p >> red) & mask) << scale);
  }
}

// Gathers the file's bytes and writes them out in large blocks, so that a
// screenshot takes few writes however narrow its rows are.
class BlockWriter {
 public:
  explicit BlockWriter(std::FILE* file) : file_(file) {}
  // Room for `bytes` more (at most 3 x kChunkPixels), after writing out the
  // block when it is too full to take them.
  std::uint8_t* Reserve(std::size_t bytes) {
    if (used_ + bytes > sizeof block_) Flush();
    return block_ + used_;
  }
  void Commit(std::size_t bytes) { used_ += bytes; }
  // Writes what is held; false once any write failed.
  bool Flush() {
    ok_ = ok_ && std::fwrite(block_, 1, used_, file_) == used_;
    used_ = 0;
    return ok_;
  }

 private:
  std::FILE* file_;
  std::size_t used_ = 0;
  bool ok_ = true;
  std::uint8_t block_[kBlockBytes];
};

void RowPart(ConstPixelView view, int x, int y, int count, const PixelFormat& f,
             std::uint8_t* out) {
  if (f.Sixteen()) {
    RowBytes(view.At<std::uint16_t>(x, y), count, f, out);
  } else {
    RowBytes(view.At<std::uint32_t>(x, y), count, f, out);
  }
}

}  // namespace

std::uint32_t ScreenshotRowBytes(int width) {
  const std::uint32_t bytes = 3u * static_cast<std::uint32_t>(width);
  return bytes / 4 * 4 + (bytes % 4 != 0 ? 4 : 0);
}

void ScreenshotHeader(int width, int height, std::uint8_t (&out)[kScreenshotHeaderBytes]) {
  const std::uint32_t image = ScreenshotRowBytes(width) * static_cast<std::uint32_t>(height);
  std::memset(out, 0, sizeof out);
  out[0] = 'B';
  out[1] = 'M';
  PutLe32(out + 2, kScreenshotHeaderBytes + image);
  PutLe32(out + 10, kScreenshotHeaderBytes);
  std::uint8_t* info = out + kFileHeaderBytes;
  PutLe32(info, kInfoHeaderBytes);
  PutLe32(info + 4, static_cast<std::uint32_t>(width));
  PutLe32(info + 8, static_cast<std::uint32_t>(height));  // positive: rows bottom-up
  PutLe16(info + 12, 1);                                  // planes
  PutLe16(info + 14, 24);                                 // bits per pixel
  PutLe32(info + 20, image);
  PutLe32(info + 24, kScreenshotResolution);
  PutLe32(info + 28, kScreenshotResolution);
  // Compression, colours used, important colours and the colour-table entry stay 0.
}

bool ScreenshotWritable(const PixelFormat& f) { return f.Sixteen() || f.ThirtyTwo(); }

bool WriteScreenshot(const char* path, ConstPixelView view, const PixelFormat& f) {
  if (!ScreenshotWritable(f)) return false;
  std::FILE* file = std::fopen(path, "wb");
  if (!file) return false;
  BlockWriter out(file);
  std::uint8_t header[kScreenshotHeaderBytes];
  ScreenshotHeader(view.width, view.height, header);
  std::memcpy(out.Reserve(sizeof header), header, sizeof header);
  out.Commit(sizeof header);
  const std::size_t padding = ScreenshotRowBytes(view.width) - 3u * view.width;
  for (int y = view.height - 1; y >= 0; --y) {
    for (int x = 0; x < view.width; x += kChunkPixels) {
      const int count = view.width - x < kChunkPixels ? view.width - x : kChunkPixels;
      RowPart(view, x, y, count, f, out.Reserve(3u * count));
      out.Commit(3u * count);
    }
    std::memset(out.Reserve(padding), 0, padding);
    out.Commit(padding);
  }
  const bool ok = out.Flush();
  return std::fclose(file) == 0 && ok;
}

}  // namespace mu
