// The pack format natively: colours to pack pixels and pack pixels to each
// screen format, entries written and found again, the finding rules, every
// kind of damage a pack on a user's disk may show, and a few thousand
// randomly damaged packs (under ASan and UBSan any stray read is a failure).
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "draw/pack_format.h"
#include "pack_bytes.h"
#include "pixel_pictures.h"

namespace {

using namespace packbytes;

// The pack as a file in memory (a scratch file when it is empty).
struct MemoryFile {
  explicit MemoryFile(Bytes bytes) : data(std::move(bytes)) {
    file = data.empty() ? std::tmpfile() : fmemopen(data.data(), data.size(), "rb");
  }
  ~MemoryFile() { std::fclose(file); }
  Bytes data;
  std::FILE* file;
};

// Finds `name`; on success reads the entry into a 5-5-5 picture (which holds
// pack pixels as they are) and checks that nothing outside it was touched.
bool Find(const Bytes& pack, const char* name, mu::PictureEntry* entry = nullptr,
          pictures::Picture* out = nullptr) {
  MemoryFile m(pack);
  mu::PictureEntry found = {-1, -1};
  if (!mu::FindPackEntry(m.file, name, &found)) return false;
  EXPECT_GE(found.width, 1);
  EXPECT_GE(found.height, 1);
  EXPECT_LE(std::ftell(m.file) + 2L * found.width * found.height, static_cast<long>(pack.size()));
  pictures::Picture picture(found.width, found.height, 2);
  EXPECT_TRUE(mu::ReadPackPixels(m.file, picture.View(), mu::Format555()));
  EXPECT_TRUE(picture.GuardsIntact());
  if (entry) *entry = found;
  if (out) *out = picture;
  return true;
}

TEST(PackPixels, OnlyPureBlackBecomesZero) {
  struct Case {
    std::uint32_t colorref;
    std::uint16_t packed;
  } cases[] = {
      {0x000000, 0x0000}, {0x070707, 0x0001}, {0xFFFFFF, 0x7FFF},
      {0x0000FF, 0x7C00}, {0x00FF00, 0x03E0}, {0xFF0000, 0x001F},
      {0x000007, 0x0001}, {0x070000, 0x0001}, {0x000008, 0x0400},
      {0x080000, 0x0001}, {0x563412, 0x08CA}, {0xFF000000, 0x0000},  // no colour bits
  };
  for (const Case& c : cases)
    EXPECT_EQ(mu::PackFromColor(c.colorref), c.packed) << std::hex << c.colorref;
}

TEST(PackPixels, IntoEachScreenFormat) {
  const std::vector<std::uint16_t> packed = {0x7FFF, 0x7C00, 0x03E0, 0x001F, 0x0421, 0x4210, 0x0000};
  const std::uint32_t untouched = 0xA5A5A5;   // the picture's memory before
  const struct {
    const char* format;
    mu::PixelFormat f;
    std::vector<std::uint32_t> pixels;
  } cases[] = {
      // The 6-bit green of 5-6-5 keeps its lowest bit 0: white is 0xFFDF.
      {"5-6-5", mu::Format565(), {0xFFDF, 0xF800, 0x07C0, 0x001F, 0x0841, 0x8410, 0}},
      {"5-5-5", mu::Format555(), {0x7FFF, 0x7C00, 0x03E0, 0x001F, 0x0421, 0x4210, 0}},
      // 32 bits: each value widened to 8 bits, v << 3 | v >> 2.
      {"8-8-8", mu::Format888(), {0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0x080808, 0x848484, 0}},
      {"24-bit: no reader, nothing written", mu::MakePixelFormat(24, 0xFF0000, 0xFF00, 0xFF),
       std::vector<std::uint32_t>(7, untouched)},
  };
  std::vector<std::uint16_t> rows = packed;
  rows.insert(rows.end(), packed.begin(), packed.end());
  Bytes pack;
  Entry(pack, static_cast<unsigned>(packed.size()), 2, "ROW", rows);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.format);
    MemoryFile m(pack);
    mu::PictureEntry entry;
    ASSERT_TRUE(mu::FindPackEntry(m.file, "ROW", &entry));
    pictures::Picture picture(entry.width, entry.height, c.f.bytesPerPixel);
    const bool readable = c.pixels[0] != untouched;
    EXPECT_EQ(mu::PackReadable(c.f), readable);
    EXPECT_EQ(mu::ReadPackPixels(m.file, picture.View(), c.f), readable);
    EXPECT_TRUE(picture.GuardsIntact());
    EXPECT_EQ(picture.FirstDifference([&](int x, int) { return c.pixels[x]; }), "");
  }
}

std::uint32_t Stripes(void*, int x, int y) {
  return ((x * 37 + y * 11) & 0xFF) | (((x ^ y) & 0xFF) << 8) | (((y * 5) & 0xFF) << 16);
}

TEST(PackEntries, WrittenEntriesAreFoundWithTheirPixels) {
  // Odd widths, more pixels than a conversion chunk (cut inside a row), names
  // up to 30 characters.
  const std::vector<std::pair<std::string, std::pair<int, int>>> entries = {
      {"A.BMP", {1, 1}},
      {"ODD.BMP", {5, 3}},
      {"LONG.BMP", {181, 100}},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZ.BMP", {3, 7}}};
  const Bytes pack = Written([&](std::FILE* file) {
    for (const auto& e : entries)
      EXPECT_TRUE(mu::WritePackEntry(file, e.first.c_str(), e.second.first, e.second.second, Stripes, nullptr));
  });
  std::size_t bytes = 0;
  for (const auto& e : entries)
    bytes += 4 + e.first.size() + 1 + 2u * e.second.first * e.second.second;
  EXPECT_EQ(pack.size(), bytes);  // no header, no padding
  for (const auto& e : entries) {
    SCOPED_TRACE(e.first);
    mu::PictureEntry entry;
    pictures::Picture picture(1, 1, 2);
    ASSERT_TRUE(Find(pack, e.first.c_str(), &entry, &picture));
    EXPECT_EQ(entry.width, e.second.first);
    EXPECT_EQ(entry.height, e.second.second);
    EXPECT_EQ(picture.FirstDifference([](int x, int y) { return mu::PackFromColor(Stripes(nullptr, x, y)); }), "");
  }
  // Names the reader could never find, and sizes a 2-byte field cannot hold, are not written.
  EXPECT_TRUE(Written([](std::FILE* file) {
                EXPECT_FALSE(mu::WritePackEntry(file, "ABCDEFGHIJKLMNOPQRSTUVWXYZ1.BMP", 1, 1, Stripes, nullptr));
                EXPECT_FALSE(mu::WritePackEntry(file, "BIG", 65536, 1, Stripes, nullptr));
                EXPECT_FALSE(mu::WritePackEntry(file, "NEG", 1, -1, Stripes, nullptr));
              }).empty());
}

TEST(PackEntries, FindingRules) {
  Bytes pack;
  Counting(pack, 2, 2, "BACK.BMP", 100);
  Counting(pack, 0, 5, "EMPTY.BMP");            // zero sizes: skipped by the scan
  Counting(pack, 4, 0, "FLAT.BMP");
  Counting(pack, 1, 1, std::string(127, 'L'));  // as long as a name can be
  Counting(pack, 3, 1, "TWICE.BMP", 200);
  Counting(pack, 1, 2, "TWICE.BMP", 300);
  Counting(pack, 1, 1, "ABCDEFGHIJKLMNOPQRSTUVWXYZ1.BMP");  // 31 characters
  Counting(pack, 2, 1, "ABCDEFGHIJKLMNOPQRSTUVWXYZ.BMP");   // 30
  struct Case {
    const char* name;
    int width;  // 0: not found
    std::uint32_t firstPixel;
  } cases[] = {
      {"BACK.BMP", 2, 100},
      {"TWICE.BMP", 3, 200},  // the first of two
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZ.BMP", 2, 1},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZ1.BMP", 0, 0},  // longer than any sprite name
      {"EMPTY.BMP", 0, 0},                        // no pixels to load
      {"FLAT.BMP", 0, 0},
      {"MISSING.BMP", 0, 0},
      {"", 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    mu::PictureEntry entry = {};
    pictures::Picture picture(1, 1, 2);
    ASSERT_EQ(Find(pack, c.name, &entry, &picture), c.width != 0);
    if (c.width == 0) continue;
    EXPECT_EQ(entry.width, c.width);
    EXPECT_EQ(picture.Get(0, 0), c.firstPixel);
  }
}

// Damaged packs, each with the wanted entry "WANT" somewhere: none is found,
// and nothing is read outside the file. Any input the mutation test below
// ever broke the reader with belongs here too.
TEST(PackEntries, DamagedPacksAreRefused) {
  Bytes good;
  Counting(good, 3, 2, "FIRST");
  Counting(good, 2, 2, "WANT");
  ASSERT_TRUE(Find(good, "WANT"));

  std::vector<std::pair<const char*, Bytes>> cases;
  cases.push_back({"empty file", {}});
  // Every cut, down to the last pixel's byte: pixels claimed past the end.
  for (std::size_t n = 1; n < good.size(); ++n) {
    cases.push_back({"cut short", Bytes(good.begin(), good.begin() + n)});
  }
  Bytes noZero;
  Entry(noZero, 1, 1, "WANT", {}, false);  // the name runs into the end of the file
  cases.push_back({"name without its zero byte", noZero});
  Bytes longName;
  Counting(longName, 1, 1, std::string(128, 'L'));  // no zero byte within 128
  Counting(longName, 1, 1, "WANT");
  cases.push_back({"name longer than the buffer", longName});
  Bytes hugeBefore;
  Entry(hugeBefore, 0xFFFF, 0xFFFF, "FIRST", {1, 2});
  Counting(hugeBefore, 1, 1, "WANT");
  cases.push_back({"an earlier entry running past the end", hugeBefore});

  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.first) + ", " + std::to_string(c.second.size()) + " bytes");
    EXPECT_FALSE(Find(c.second, "WANT"));
  }
}

TEST(PackEntries, SurvivesThousandsOfDamagedPacks) {
  Bytes base;
  Counting(base, 3, 2, "FIRST.BMP");
  Counting(base, 1, 1, "X");
  Counting(base, 5, 3, "BACK.BMP");
  Counting(base, 2, 4, "LAST.BMP");
  const char* names[] = {"FIRST.BMP", "X", "BACK.BMP", "LAST.BMP"};

  Damage damage(20240607, 2);
  int found = 0, refused = 0;
  for (int round = 0; round < 3000; ++round) {
    const Bytes pack = damage(base, round);
    for (const char* name : names) {
      // Find checks that a found entry lies in the file and reads it whole.
      ++(Find(pack, name) ? found : refused);
      if (HasFailure()) FAIL() << "round " << round << ", entry " << name;
    }
  }
  EXPECT_GT(found, 1000);
  EXPECT_GT(refused, 1000);
}

}  // namespace
