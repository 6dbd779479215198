// The BMP check on pictures of every kind, on each kind of damage, on the two
// files that crashed the system's loader, and on a few thousand mutated
// pictures. Every picture the check lets through is read again by a trusting
// reader of the test's own, which notes any reach outside the data or the
// picture; under ASan, a read of the check itself outside the data fails too.
#include "draw/bmp_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "tools/bmp_media.h"

namespace {

using media::Bytes;
using u64 = std::uint64_t;

constexpr u64 kCanvasMax = 1 << 16;   // pixels kept for comparison; larger pictures are only walked

// Reads a picture the way a loader that trusts the headers would: it reads
// what they name, from where they name it. Bytes come through Byte() and
// blocks the loader would copy through Span(); both note a reach outside the
// data instead of making it. Pixels go through Paint(), which notes one
// outside the picture.
class TrustingReader {
 public:
  TrustingReader(const Bytes& data, bool fileForm) : data_(data), fileForm_(fileForm) {}

  // True when the whole picture was read inside the data and painted inside itself.
  bool Read() { return Decode() && !outside_; }
  bool ReachedOutside() const { return outside_; }
  u64 Width() const { return width_; }
  u64 Height() const { return height_; }
  std::uint32_t Colour(u64 x, u64 y) const { return canvas_[y * width_ + x]; }   // row 0 at the top

 private:
  std::uint32_t Byte(u64 at) {
    if (at >= data_.size()) {
      outside_ = true;
      return 0;
    }
    return data_[at];
  }
  std::uint32_t Word(u64 at) { return Byte(at) | Byte(at + 1) << 8; }
  std::uint32_t Long(u64 at) { return Word(at) | Word(at + 2) << 16; }
  void Span(u64 at, u64 length) {
    if (at > data_.size() || length > data_.size() - at) outside_ = true;
  }
  void Paint(u64 x, u64 yFromTop, std::uint32_t colour) {
    if (x >= width_ || yFromTop >= height_) {
      outside_ = true;
    } else if (!canvas_.empty()) {
      canvas_[yFromTop * width_ + x] = colour;
    }
  }

  // An n-bit channel to 8 bits: the bit pattern repeated, cut to its top 8 bits.
  static std::uint32_t Scale(std::uint32_t v, int n) {
    if (n == 0) return 0;
    if (n >= 8) return v >> (n - 8);
    std::uint64_t repeated = 0;
    int bits = 0;
    for (; bits < 8; bits += n) repeated = repeated << n | v;
    return static_cast<std::uint32_t>(repeated >> (bits - 8));
  }
  std::uint32_t FromMasks(std::uint32_t v) const {
    std::uint32_t colour = 0;
    for (std::uint32_t mask : masks_) {
      int shift = 0, n = 0;
      while (mask && !(mask >> shift & 1)) ++shift;
      for (std::uint32_t m = mask >> shift; m & 1; m >>= 1) ++n;
      colour = colour << 8 | Scale((v & mask) >> shift, n);
    }
    return colour;
  }

  bool Decode() {
    const u64 base = fileForm_ ? 14 : 0;
    u64 pixelsAt = 0;
    if (fileForm_) {
      Span(0, Long(2));   // the loader may take as many bytes as the file header names
      pixelsAt = Long(10);
    }
    const u64 headerBytes = Long(base);
    std::int64_t width, height;
    std::uint32_t colours = 0, imageBytes = 0;
    if (headerBytes == 12) {
      width = Word(base + 4);
      height = Word(base + 6);
      bits_ = Word(base + 10);
    } else {
      width = static_cast<std::int32_t>(Long(base + 4));
      height = static_cast<std::int32_t>(Long(base + 8));
      bits_ = Word(base + 14);
      compression_ = Long(base + 16);
      imageBytes = Long(base + 20);
      colours = Long(base + 32);
    }
    if (outside_ || width <= 0 || height == 0 || compression_ > 3) return false;
    if (bits_ != 1 && bits_ != 4 && bits_ != 8 && bits_ != 16 && bits_ != 24 && bits_ != 32) return false;
    width_ = static_cast<u64>(width);
    height_ = static_cast<u64>(height < 0 ? -height : height);
    topDown_ = height < 0;
    if (width_ * height_ <= kCanvasMax) canvas_.assign(width_ * height_, 0);

    if (compression_ == 3) {
      for (int i = 0; i < 3; ++i) masks_[i] = Long(base + 40 + 4 * i);
    } else if (bits_ == 16) {
      masks_ = {0x7C00, 0x03E0, 0x001F};
    }
    const u64 tableAt = base + headerBytes + (compression_ == 3 && headerBytes == 40 ? 12 : 0);
    const u64 entries = colours ? colours : bits_ <= 8 ? 1u << bits_ : 0;
    const u64 entryBytes = headerBytes == 12 ? 3 : 4;
    Span(tableAt, entries * entryBytes);
    for (u64 i = 0; i < entries && i < 256 && !outside_; ++i) {
      const u64 e = tableAt + i * entryBytes;
      palette_[i] = Byte(e + 2) << 16 | Byte(e + 1) << 8 | Byte(e);
    }
    const std::uint32_t space = headerBytes == 124 ? Long(base + 56) : 0;
    if (space == 0x4D424544 || space == 0x4C494E4B) Span(base + Long(base + 112), Long(base + 116));
    if (!fileForm_) pixelsAt = tableAt + entries * entryBytes;
    if (outside_) return false;
    for (std::uint32_t& c : canvas_) c = palette_[0];   // what runs and jumps leave unpainted
    return compression_ == 1 || compression_ == 2 ? DecodeRuns(pixelsAt, imageBytes) : DecodeRows(pixelsAt);
  }

  bool DecodeRows(u64 at) {
    const u64 stride = (width_ * bits_ + 31) / 32 * 4;
    Span(at, stride * height_);
    for (u64 s = 0; s < height_ && !outside_; ++s) {
      const u64 row = at + s * stride, y = topDown_ ? s : height_ - 1 - s;
      for (u64 x = 0; x < width_ && !outside_; ++x) {
        std::uint32_t colour;
        if (bits_ <= 8) {
          const u64 bit = x * bits_;
          colour = palette_[Byte(row + bit / 8) >> (8 - bits_ - bit % 8) & ((1u << bits_) - 1)];
        } else if (bits_ == 16) {
          colour = FromMasks(Word(row + 2 * x));
        } else if (bits_ == 24) {
          colour = Byte(row + 3 * x + 2) << 16 | Byte(row + 3 * x + 1) << 8 | Byte(row + 3 * x);
        } else {
          colour = FromMasks(Long(row + 4 * x));
        }
        Paint(x, y, colour);
      }
    }
    return !outside_;
  }

  bool DecodeRuns(u64 at, std::uint32_t imageBytes) {
    const bool nibbles = compression_ == 2;
    u64 end = data_.size();
    if (imageBytes) {   // the loader may copy exactly that many bytes of runs and read only those
      Span(at, imageBytes);
      end = at + imageBytes;
    }
    auto code = [&](u64 i) {
      if (i >= end) outside_ = true;
      return Byte(i);
    };
    auto paint = [&](u64 x, u64 yFromBottom, std::uint32_t index) {
      if (yFromBottom >= height_) outside_ = true;
      else Paint(x, height_ - 1 - yFromBottom, palette_[index]);
    };
    u64 x = 0, y = 0;
    while (!outside_) {
      const std::uint32_t n = code(at), v = code(at + 1);
      at += 2;
      if (outside_) break;
      if (n > 0) {
        for (std::uint32_t i = 0; i < n; ++i) paint(x++, y, nibbles ? (i % 2 ? v & 15 : v >> 4) : v);
      } else if (v == 0) {
        x = 0;
        ++y;
      } else if (v == 1) {
        return true;
      } else if (v == 2) {
        x += code(at);
        y += code(at + 1);
        at += 2;
      } else {
        for (std::uint32_t i = 0; i < v; ++i) {
          const std::uint32_t b = code(at + (nibbles ? i / 2 : i));
          paint(x++, y, nibbles ? (i % 2 ? b & 15 : b >> 4) : b);
        }
        const u64 bytes = nibbles ? (v + 1) / 2 : v;
        at += bytes + (bytes & 1);
      }
    }
    return false;
  }

  const Bytes& data_;
  const bool fileForm_;
  bool outside_ = false;
  u64 width_ = 0, height_ = 0;
  bool topDown_ = false;
  std::uint32_t bits_ = 0, compression_ = 0;
  std::array<std::uint32_t, 3> masks_ = {0x00FF0000, 0x0000FF00, 0x000000FF};
  std::uint32_t palette_[256] = {};
  std::vector<std::uint32_t> canvas_;
};

mu::BmpFault Check(const Bytes& b, bool fileForm) {
  return fileForm ? mu::CheckBmpFile(b.data(), b.size()) : mu::CheckBmpResource(b.data(), b.size());
}

TEST(BmpCheck, EveryKindPassesInBothFormsAndReadsBackItsColours) {
  for (const media::BmpKind& kind : media::BmpKinds()) {
    SCOPED_TRACE(kind.name);
    const Bytes file = media::SampleBmp(kind);
    const Bytes resource = media::ResourceForm(file);
    for (bool fileForm : {true, false}) {
      const Bytes& bytes = fileForm ? file : resource;
      EXPECT_EQ(Check(bytes, fileForm), mu::kBmpSound);
      TrustingReader reader(bytes, fileForm);
      ASSERT_TRUE(reader.Read());
      ASSERT_EQ(reader.Width(), static_cast<u64>(kind.width));
      ASSERT_EQ(reader.Height(), static_cast<u64>(kind.height < 0 ? -kind.height : kind.height));
      int wrong = 0;
      for (u64 y = 0; y < reader.Height(); ++y) {
        for (u64 x = 0; x < reader.Width(); ++x) {
          wrong += reader.Colour(x, y) != media::SampleColour(kind, static_cast<int>(x), static_cast<int>(y));
        }
      }
      EXPECT_EQ(wrong, 0);
    }
  }
}

TEST(BmpCheck, InputsThatCrashedTheSystemLoaderAreRefused) {
  for (const media::NamedBmp& bmp : {media::HugeOffsetBmp(), media::HugeSizeBmp()}) {
    SCOPED_TRACE(bmp.name);
    EXPECT_NE(Check(bmp.bytes, true), mu::kBmpSound);
    TrustingReader reader(bmp.bytes, true);
    EXPECT_FALSE(reader.Read());
    EXPECT_TRUE(reader.ReachedOutside());   // a trusting loader does read past the end
  }
}

TEST(BmpCheck, EachDamageIsRefusedForWhatItIs) {
  const std::map<std::string, mu::BmpFault> expected = {
      {"offset-7fffffff", mu::kBmpFileHeader}, {"1bit-8192x8192", mu::kBmpPixels},
      {"offset-past-end", mu::kBmpFileHeader}, {"offset-zero", mu::kBmpFileHeader},
      {"file-size-ffffffff", mu::kBmpFileHeader}, {"width-7fffffff", mu::kBmpDimensions},
      {"height-80000000", mu::kBmpDimensions}, {"width-16385", mu::kBmpDimensions},
      {"header-size-ffffffff", mu::kBmpInfoHeader}, {"bits-7", mu::kBmpFormat},
      {"compression-png", mu::kBmpFormat}, {"colours-40000000", mu::kBmpColorTable},
      {"profile-outside", mu::kBmpProfile}, {"runs-size-7fffffff", mu::kBmpRuns},
      {"header-cut", mu::kBmpInfoHeader}, {"pixels-cut", mu::kBmpPixels},
      {"masks-missing", mu::kBmpMasks}, {"runs-past-row", mu::kBmpRuns},
      {"runs-jump-outside", mu::kBmpRuns}, {"runs-above-top", mu::kBmpRuns},
      {"runs-literal-cut", mu::kBmpRuns}, {"runs-without-end", mu::kBmpRuns},
      {"nibble-runs-past-row", mu::kBmpRuns},
  };
  const std::vector<media::NamedBmp> damaged = media::DamagedBmps();
  EXPECT_EQ(damaged.size(), expected.size());
  for (const media::NamedBmp& bmp : damaged) {
    ASSERT_TRUE(expected.count(bmp.name)) << bmp.name;
    EXPECT_EQ(Check(bmp.bytes, true), expected.at(bmp.name)) << bmp.name;
  }
}

// Edges of the rules: the last value that passes and the first that does not.
TEST(BmpCheck, EdgesOfTheRules) {
  auto sample = [](const char* name) {
    for (const media::BmpKind& k : media::BmpKinds()) {
      if (std::string(k.name) == name) return media::SampleBmp(k);
    }
    return Bytes();
  };
  auto edited = [&](const char* name, std::size_t at, std::uint32_t value) {
    Bytes b = sample(name);
    media::Put32(b, at, value);
    return b;
  };
  auto keep = [](Bytes b, std::size_t n) {
    b.resize(n);
    return b;
  };
  const Bytes rle8 = sample("rle8");
  const auto rleBytes = static_cast<std::uint32_t>(rle8.size() - 14 - 40 - 1024);
  struct Case {
    const char* what;
    Bytes bytes;
    bool fileForm;
    mu::BmpFault fault;
  } cases[] = {
      {"a file size of 0 says nothing", edited("24bit", media::kFileSizeAt, 0), true, mu::kBmpSound},
      {"16384 pixels a side", media::RunLengthBmp(16384, 16384, false, {0, 1}), true, mu::kBmpSound},
      {"16385 rows", media::RunLengthBmp(1, 16385, false, {0, 1}), true, mu::kBmpDimensions},
      {"no rows", media::RunLengthBmp(4, 0, false, {0, 1}), true, mu::kBmpDimensions},
      {"negative width", edited("24bit", media::kWidthAt, 0xFFFFFFFB), true, mu::kBmpDimensions},
      {"a run to the row's end", media::RunLengthBmp(8, 4, false, {8, 1, 0, 1}), true, mu::kBmpSound},
      {"every row ended, then the picture",
       media::RunLengthBmp(8, 2, false, {8, 1, 0, 0, 8, 1, 0, 0, 0, 1}), true, mu::kBmpSound},
      {"a jump to the far corner", media::RunLengthBmp(8, 4, false, {0, 2, 8, 4, 0, 1}), true,
       mu::kBmpSound},
      {"a run after a jump to the top", media::RunLengthBmp(8, 4, false, {0, 2, 0, 4, 1, 1, 0, 1}),
       true, mu::kBmpRuns},
      {"an odd literal and its pad", media::RunLengthBmp(8, 4, false, {0, 3, 1, 2, 1, 0, 0, 1}), true,
       mu::kBmpSound},
      {"a literal without its pad", media::RunLengthBmp(8, 4, false, {0, 3, 1, 2, 1}), true,
       mu::kBmpRuns},
      {"nibble literal of five in three bytes and a pad",
       media::RunLengthBmp(5, 1, true, {0, 5, 0x12, 0x12, 0x10, 0, 0, 1}), true, mu::kBmpSound},
      {"runs bottom-up only", media::RunLengthBmp(8, -4, false, {0, 1}), true, mu::kBmpFormat},
      {"runs of bytes need 8 bits", edited("rle4", media::kCompressionAt, 1), true, mu::kBmpFormat},
      {"bit fields need 16 or 32 bits", edited("24bit", media::kCompressionAt, 3), true,
       mu::kBmpFormat},
      {"run data without a size: up to the file's end", edited("rle8", media::kImageBytesAt, 0), true,
       mu::kBmpSound},
      {"run data longer than its size", edited("rle8", media::kImageBytesAt, rleBytes - 2), true,
       mu::kBmpRuns},
      {"pixels just inside", sample("1bit"), true, mu::kBmpSound},
      {"resource table cut", keep(media::ResourceForm(sample("core-8bit")), 12 + 767), false,
       mu::kBmpColorTable},
      {"resource pixels cut", keep(media::ResourceForm(sample("4bit")), 40 + 64 + 6 * 8 - 1), false, mu::kBmpPixels},
      {"resource with a file header", sample("24bit"), false, mu::kBmpInfoHeader},
      {"nothing", Bytes(), true, mu::kBmpFileHeader},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Check(c.bytes, c.fileForm), c.fault) << c.what;
    if (c.fault == mu::kBmpSound) {
      EXPECT_TRUE(TrustingReader(c.bytes, c.fileForm).Read()) << c.what;
    }
  }
}

// Damage as it comes: bytes set at random anywhere or in the headers, header
// fields set to edge values, files cut short or lengthened.
Bytes Mutate(std::mt19937& rng, Bytes b) {
  static const std::size_t fields[] = {2, 10, 14, 18, 22, 30, 34, 46, 54, 58, 70, 126, 130};
  const std::uint32_t size = static_cast<std::uint32_t>(b.size());
  const std::uint32_t edges[] = {0, 1, 2, 3, 12, 40, 124, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF,
                                 16384, 16385, size - 1, size, size + 1, static_cast<std::uint32_t>(rng())};
  const int edits = 1 + static_cast<int>(rng() % 3);
  for (int e = 0; e < edits && !b.empty(); ++e) {
    switch (rng() % 6) {
      case 0: b[rng() % b.size()] = static_cast<std::uint8_t>(rng()); break;
      case 1: b[rng() % std::min<std::size_t>(b.size(), 14 + 124 + 16)] ^= 1u << (rng() % 8); break;
      case 2: {
        const std::size_t at = fields[rng() % (sizeof fields / sizeof fields[0])];
        if (at + 4 <= b.size()) media::Put32(b, at, edges[rng() % (sizeof edges / sizeof edges[0])]);
        break;
      }
      case 3: {
        const std::size_t at = 18 + 2 * (rng() % 8);   // the core header's fields, bit counts, planes
        const std::uint16_t values[] = {0, 1, 4, 7, 8, 16, 24, 32, 0x8000, 0xFFFF};
        if (at + 2 <= b.size()) media::Put16(b, at, values[rng() % 10]);
        break;
      }
      case 4: b.resize(1 + rng() % b.size()); break;
      default: for (int n = 1 + rng() % 64; n > 0; --n) b.push_back(static_cast<std::uint8_t>(rng()));
    }
  }
  return b;
}

TEST(BmpCheck, MutatedPicturesThatPassStayInsideTheData) {
  std::vector<Bytes> seeds;
  for (const media::BmpKind& kind : media::BmpKinds()) seeds.push_back(media::SampleBmp(kind));
  std::mt19937 rng(0x5EED);
  int passed = 0, refused = 0;
  for (int i = 0; i < 6000; ++i) {
    const bool fileForm = i % 3 != 0;
    const Bytes file = Mutate(rng, seeds[i % seeds.size()]);
    const Bytes bytes = fileForm ? file : media::ResourceForm(file);
    if (Check(bytes, fileForm) != mu::kBmpSound) {
      ++refused;
      continue;
    }
    ++passed;
    TrustingReader reader(bytes, fileForm);
    ASSERT_TRUE(reader.Read()) << "mutation " << i << " of " << media::BmpKinds()[i % seeds.size()].name
                               << (fileForm ? " (file)" : " (resource)");
  }
  // Both sides of the check are exercised.
  EXPECT_GT(passed, 600);
  EXPECT_GT(refused, 600);
}

}  // namespace
