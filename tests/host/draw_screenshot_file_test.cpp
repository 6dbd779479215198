// Screenshot files natively: the pixels of 32- and 16-bit screens as written
// (read back from the file) with their row padding, the 58-byte header, and
// the formats that have no writer.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "draw/pixel_format.h"
#include "draw/screenshot_file.h"
#include "pixel_pictures.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t Le(const Bytes& b, std::size_t at, int size) {
  std::uint32_t v = 0;
  for (int i = size - 1; i >= 0; --i) v = (v << 8) | b[at + i];
  return v;
}

std::string TempPath(const std::string& name) { return ::testing::TempDir() + "mu_shot_" + name; }

// Writes the picture as a screenshot and reads the file back; empty if none.
Bytes Shot(const pictures::Picture& picture, const mu::PixelFormat& f, const std::string& name,
           bool* wrote = nullptr) {
  const std::string path = TempPath(name);
  std::remove(path.c_str());
  const bool ok = mu::WriteScreenshot(path.c_str(), picture.View(), f);
  if (wrote) *wrote = ok;
  std::ifstream in(path, std::ios::binary);
  Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::remove(path.c_str());
  return bytes;
}

// 32-bit screens: each pixel's three colour bytes (its unused top byte left
// out), rows bottom-up, each padded with zero bytes to a multiple of four:
// 641 wide, one zero byte after each row's pixels; 642, two; 640, none.
TEST(ScreenshotFile, ThirtyTwoBitRowsAreTheirColourBytesPaddedToFour) {
  for (const auto& [width, row] : {std::pair{640, 1920u}, {641, 1924u}, {642, 1928u}, {643, 1932u}, {1, 4u}, {4, 12u}}) {
    SCOPED_TRACE(width);
    EXPECT_EQ(mu::ScreenshotRowBytes(width), row);
    pictures::Picture picture(width, 2, 4);
    picture.FillRandom(mu::Format888(), static_cast<std::uint32_t>(width), 0);
    picture.Set(0, 0, 0xFF123456);
    const Bytes file = Shot(picture, mu::Format888(), "rows.bmp");
    ASSERT_EQ(file.size(), mu::kScreenshotHeaderBytes + 2 * row);
    for (std::uint32_t i = 0; i < 2 * row; ++i) {
      const int x = static_cast<int>(i % row / 3), y = 1 - static_cast<int>(i / row);
      const std::uint32_t want = x < width ? picture.Get(x, y) >> 8 * (i % row % 3) & 0xFF : 0;
      ASSERT_EQ(file[mu::kScreenshotHeaderBytes + i], want) << "byte " << i;
    }
  }
  EXPECT_EQ(mu::ScreenshotRowBytes(0), 0u);
}

TEST(ScreenshotFile, HeaderLayout) {
  pictures::Picture picture(637, 400, 2);
  picture.Fill(0);
  const Bytes file = Shot(picture, mu::Format565(), "header.bmp");
  ASSERT_GE(file.size(), 58u);
  const std::uint32_t image = 1912 * 400;  // 637 x 3 = 1911, rounded up
  struct Field {
    std::size_t offset;
    int size;
    std::uint32_t value;
  } fields[] = {
      {0, 2, 0x4D42}, {2, 4, 58 + image}, {6, 2, 0},  {8, 2, 0},   {10, 4, 58}, {14, 4, 40},
      {18, 4, 637},   {22, 4, 400},       {26, 2, 1}, {28, 2, 24}, {30, 4, 0},  {34, 4, image},
      {38, 4, 2834},  {42, 4, 2834},      {46, 4, 0}, {50, 4, 0},  {54, 4, 0},
  };
  for (const Field& f : fields)
    EXPECT_EQ(Le(file, f.offset, f.size), f.value) << "offset " << f.offset;
  EXPECT_EQ(file.size(), 58 + image);
}

// Every pixel value of a 16-bit format, one row each way up, against the
// screen's per-channel table (5-bit values), times 8.
TEST(ScreenshotFile, SixteenBitPixelsAreTheirFiveBitValuesTimesEight) {
  struct Case {
    const char* name;
    mu::PixelFormat f;
  } cases[] = {{"5-6-5", mu::Format565()}, {"5-5-5", mu::Format555()}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    mu::DerivePixelFormat(c.f.mask[0], c.f.mask[1], c.f.mask[2]);
    mu::BuildSixteenBitTables();
    const int values = c.f.white + 1;  // 65536 or 32768
    pictures::Picture picture(values / 2, 2, 2);
    for (int v = 0; v < values; ++v) picture.Set(v % (values / 2), v / (values / 2), v);
    const Bytes file = Shot(picture, c.f, "sixteen.bmp");
    ASSERT_EQ(file.size(), 58u + 2 * mu::ScreenshotRowBytes(values / 2));
    for (int v = 0; v < values; ++v) {
      // Rows are stored bottom-up: the picture's row 1 comes first.
      const int fileRow = 1 - v / (values / 2);
      const std::size_t at =
          58 + fileRow * mu::ScreenshotRowBytes(values / 2) + 3 * (v % (values / 2));
      const std::uint8_t* rgb = &muDraw::pixelToRgb5[3 * v];   // each at most 31: no carry between bytes
      ASSERT_EQ(Le(file, at, 3), (rgb[0] << 16 | rgb[1] << 8 | rgb[2]) * 8u) << std::hex << v;
    }
  }
  mu::ClearSixteenBitTables();
}

TEST(ScreenshotFile, FormatsWithoutAWriterMakeNoFile) {
  const mu::PixelFormat formats[] = {mu::MakePixelFormat(24, 0xFF0000, 0xFF00, 0xFF),
                                     mu::MakePixelFormat(8, 0, 0, 0)};
  for (const mu::PixelFormat& f : formats) {
    SCOPED_TRACE(f.bytesPerPixel);
    EXPECT_FALSE(mu::ScreenshotWritable(f));
    pictures::Picture picture(4, 4, f.bytesPerPixel);
    bool wrote = true;
    EXPECT_TRUE(Shot(picture, f, "none.bmp", &wrote).empty());
    EXPECT_FALSE(wrote);
  }
  // A file that cannot be made: nothing written, no failure beyond the result.
  pictures::Picture picture(4, 4, 2);
  EXPECT_FALSE(mu::WriteScreenshot((TempPath("no-such-dir") + "/x.bmp").c_str(),
                                   mu::AsConst(picture.View()), mu::Format565()));
}

}  // namespace
