// The WAVE layout reader on well-formed files, on each kind of damage users'
// files show, and on a few hundred randomly corrupted files (under ASan, any
// read outside the file is a failure of its own).
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "sound/wave_format.h"
#include "tools/sound_media.h"

namespace {

using Bytes = std::vector<uint8_t>;

void Set32(Bytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}
void Append(Bytes& b, const char* tag, const Bytes& body) {
  b.insert(b.end(), tag, tag + 4);
  uint32_t n = static_cast<uint32_t>(body.size());
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(n >> (8 * i)));
  b.insert(b.end(), body.begin(), body.end());
  if (n & 1) b.push_back(0);  // chunks are padded to an even size
}
// RIFF/WAVE around the given chunks, with the right RIFF size.
Bytes Riff(const Bytes& chunks) {
  Bytes b = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
  b.insert(b.end(), chunks.begin(), chunks.end());
  Set32(b, 4, static_cast<uint32_t>(b.size() - 8));
  return b;
}
Bytes Pcm16(uint16_t tag) {
  Bytes f = {0, 0, 1, 0, 0x22, 0x56, 0, 0, 0x44, 0xAC, 0, 0, 2, 0, 16, 0};
  f[0] = static_cast<uint8_t>(tag);
  f[1] = static_cast<uint8_t>(tag >> 8);
  return f;
}

bool Layout(const Bytes& file, mu::WaveLayout* layout) {
  mu::MemoryBytes bytes{file.data(), static_cast<uint32_t>(file.size())};
  return mu::FindWaveLayout(mu::MemorySource(&bytes), layout);
}

TEST(WaveLayout, ToneFileFromTheMediaTool) {
  media::Tone tone;
  tone.seconds = 0.1;
  Bytes file = media::ToneWave(tone);
  mu::WaveLayout layout;
  ASSERT_TRUE(Layout(file, &layout));
  EXPECT_EQ(44u, layout.dataOffset);
  EXPECT_EQ(2205u * 2, layout.dataBytes);
  EXPECT_EQ(0u, layout.extraBytes);
  EXPECT_EQ(18u, mu::WaveFormatBlockBytes(layout));
  EXPECT_EQ(0, std::memcmp(layout.pcmFormat, file.data() + 20, 16));
}

TEST(WaveLayout, SkipsOtherChunksWithPaddingAndFindsDataBeforeFmt) {
  Bytes chunks;
  Append(chunks, "LIST", Bytes(5, 'x'));  // odd size: one pad byte follows
  Append(chunks, "data", Bytes{1, 2, 3, 4, 5, 6});
  Append(chunks, "fmt ", Pcm16(1));
  mu::WaveLayout layout;
  ASSERT_TRUE(Layout(Riff(chunks), &layout));
  EXPECT_EQ(12u + 8 + 6 + 8, layout.dataOffset);
  EXPECT_EQ(6u, layout.dataBytes);
}

TEST(WaveLayout, NonPcmFormatCarriesItsExtraBytes) {
  Bytes format = Pcm16(2);
  format.insert(format.end(), {4, 0, 0xA1, 0xB2, 0xC3, 0xD4});  // cbSize 4 and four bytes
  Bytes chunks;
  Append(chunks, "fmt ", format);
  Append(chunks, "data", Bytes(8, 0));
  Bytes file = Riff(chunks);
  mu::WaveLayout layout;
  ASSERT_TRUE(Layout(file, &layout));
  ASSERT_EQ(22u, mu::WaveFormatBlockBytes(layout));
  uint8_t block[22];
  mu::MemoryBytes bytes{file.data(), static_cast<uint32_t>(file.size())};
  ASSERT_TRUE(mu::ReadWaveFormatBlock(mu::MemorySource(&bytes), layout, block));
  EXPECT_EQ(0, std::memcmp(block, format.data(), 16));
  EXPECT_EQ(4, block[16] | (block[17] << 8));
  EXPECT_EQ(0xD4, block[21]);

  // A 16-byte "fmt " of another format has no count: no extra bytes.
  Bytes shortChunks;
  Append(shortChunks, "fmt ", Pcm16(3));
  Append(shortChunks, "data", Bytes(8, 0));
  ASSERT_TRUE(Layout(Riff(shortChunks), &layout));
  EXPECT_EQ(0u, layout.extraBytes);
}

TEST(WaveLayout, RefusesEachKindOfDamage) {
  mu::WaveLayout layout;
  Bytes good;
  Append(good, "fmt ", Pcm16(1));
  Append(good, "data", Bytes(100, 7));
  ASSERT_TRUE(Layout(Riff(good), &layout));

  // Every truncation of the file, down to nothing.
  Bytes file = Riff(good);
  for (size_t n = 0; n < file.size(); ++n) {
    EXPECT_FALSE(Layout(Bytes(file.begin(), file.begin() + n), &layout)) << n;
  }
  Bytes notRiff = file;
  notRiff[0] = 'X';
  EXPECT_FALSE(Layout(notRiff, &layout));
  Bytes notWave = file;
  notWave[11] = 'X';
  EXPECT_FALSE(Layout(notWave, &layout));

  Bytes shortFmt;
  Bytes pcm = Pcm16(1);
  Append(shortFmt, "fmt ", Bytes(pcm.begin(), pcm.begin() + 14));
  Append(shortFmt, "data", Bytes(4, 0));
  EXPECT_FALSE(Layout(Riff(shortFmt), &layout));

  Bytes noData;
  Append(noData, "fmt ", Pcm16(1));
  Append(noData, "LIST", Bytes(4, 0));
  EXPECT_FALSE(Layout(Riff(noData), &layout));

  Bytes noFmt;
  Append(noFmt, "data", Bytes(4, 0));
  EXPECT_FALSE(Layout(Riff(noFmt), &layout));

  // cbSize larger than the chunk holds.
  Bytes bigExtra = Pcm16(2);
  bigExtra.insert(bigExtra.end(), {0xFF, 0xFF, 1, 2});
  Bytes extraChunks;
  Append(extraChunks, "fmt ", bigExtra);
  Append(extraChunks, "data", Bytes(4, 0));
  EXPECT_FALSE(Layout(Riff(extraChunks), &layout));

  // A data chunk claiming far more bytes than the file has.
  Bytes huge = Riff(good);
  Set32(huge, 12 + 8 + 16 + 4, 0xFFFFFFF0u);
  EXPECT_FALSE(Layout(huge, &layout));

  // A chunk size that would wrap a 32-bit position back to the file's start.
  Bytes wrap;
  Append(wrap, "LIST", Bytes(4, 0));
  Append(wrap, "fmt ", Pcm16(1));
  Append(wrap, "data", Bytes(4, 0));
  Bytes wrapping = Riff(wrap);
  Set32(wrapping, 16, 0xFFFFFFF4u);
  EXPECT_FALSE(Layout(wrapping, &layout));
}

TEST(WaveLayout, SurvivesHundredsOfCorruptedFiles) {
  Bytes chunks;
  Append(chunks, "LIST", Bytes(9, 'i'));
  Bytes format = Pcm16(2);
  format.insert(format.end(), {2, 0, 9, 9});
  Append(chunks, "fmt ", format);
  Append(chunks, "data", Bytes(64, 0x55));
  const Bytes base = Riff(chunks);

  uint32_t seed = 12345;
  auto next = [&seed]() { return seed = seed * 1664525u + 1013904223u; };
  int accepted = 0, refused = 0;
  for (int round = 0; round < 600; ++round) {
    Bytes file = base;
    switch (round % 4) {
      case 0:  // a few random bytes
        for (int k = 0; k < 3; ++k) file[next() % file.size()] = static_cast<uint8_t>(next() >> 24);
        break;
      case 1:  // a size or count field replaced by a random or huge value
        Set32(file, (next() % (file.size() / 4)) * 4,
              (next() & 1) ? next() : 0xFFFFFFFFu - next() % 64);
        break;
      case 2:  // cut short
        file.resize(next() % file.size());
        break;
      default:  // both
        file[next() % file.size()] ^= static_cast<uint8_t>(1u << (next() % 8));
        file.resize(file.size() - next() % 16);
        break;
    }
    mu::WaveLayout layout;
    if (!Layout(file, &layout)) {
      ++refused;
      continue;
    }
    ++accepted;
    // Whatever is accepted lies wholly inside the file and can be read.
    ASSERT_LE(static_cast<uint64_t>(layout.dataOffset) + layout.dataBytes, file.size());
    ASSERT_LE(static_cast<uint64_t>(layout.extraOffset) + layout.extraBytes, file.size());
    std::vector<uint8_t> block(mu::WaveFormatBlockBytes(layout));
    mu::MemoryBytes bytes{file.data(), static_cast<uint32_t>(file.size())};
    ASSERT_TRUE(mu::ReadWaveFormatBlock(mu::MemorySource(&bytes), layout, block.data()));
  }
  EXPECT_GT(accepted, 0);
  EXPECT_GT(refused, 100);
}

TEST(WaveResource, FixedLayoutMustFitTheResource) {
  media::Tone tone;
  tone.seconds = 0.01;
  Bytes file = media::ToneWave(tone);
  mu::ResourceWave wave;
  ASSERT_TRUE(mu::ReadResourceWave(file.data(), static_cast<uint32_t>(file.size()), &wave));
  EXPECT_EQ(file.data() + 20, wave.pcmFormat);
  EXPECT_EQ(file.data() + 44, wave.samples);
  EXPECT_EQ(file.size() - 44, wave.sampleBytes);

  EXPECT_FALSE(mu::ReadResourceWave(file.data(), static_cast<uint32_t>(file.size() - 1), &wave));
  EXPECT_FALSE(mu::ReadResourceWave(file.data(), 43, &wave));
  EXPECT_FALSE(mu::ReadResourceWave(nullptr, 100, &wave));
  Bytes lying = file;
  Set32(lying, 40, 0xFFFFFFFFu);
  EXPECT_FALSE(mu::ReadResourceWave(lying.data(), static_cast<uint32_t>(lying.size()), &wave));
  Bytes empty(file.begin(), file.begin() + 44);
  Set32(empty, 40, 0);
  ASSERT_TRUE(mu::ReadResourceWave(empty.data(), 44, &wave));
  EXPECT_EQ(0u, wave.sampleBytes);
}

}  // namespace
