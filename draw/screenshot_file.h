// Screenshot files without any platform call: a 24-bit uncompressed BMP with
// a 58-byte header (the 14-byte file header, the 40-byte info header and one
// zero colour-table entry), rows bottom-up, each row blue, green, red bytes
// per pixel and zero bytes up to a multiple of four.
#ifndef MU_DRAW_SCREENSHOT_FILE_H
#define MU_DRAW_SCREENSHOT_FILE_H

#include <cstdint>

#include "draw/pixels/pixel_view.h"

namespace mu {

constexpr int kScreenshotHeaderBytes = 58;
constexpr std::uint32_t kScreenshotResolution = 2834;  // pixels per metre, both ways

// 3 x width rounded up to a multiple of 4.
std::uint32_t ScreenshotRowBytes(int width);

// The file and info headers and the colour-table entry for width x height.
void ScreenshotHeader(int width, int height, std::uint8_t (&out)[kScreenshotHeaderBytes]);

// True for the pixel formats a screenshot can be taken of (16 and 32 bits).
bool ScreenshotWritable(const PixelFormat& f);

// Writes the view as a screenshot file at path: each pixel as blue, green and
// red bytes, on 16 bits each channel's top five bits times 8, on 32 bits the
// byte at each channel's shift. False, with no file made, when f is not
// ScreenshotWritable or the file cannot be created; false after a write error.
bool WriteScreenshot(const char* path, ConstPixelView view, const PixelFormat& f);

}  // namespace mu

#endif
