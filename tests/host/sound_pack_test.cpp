// The sound pack format: entries written and found again, the scan ending at
// every kind of damage, and thousands of mutated packs read the way a loader
// reads them (under ASan, any read outside the pack is a failure of its own).
#include "sound/sound_pack.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "pack_bytes.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct Entry {
  std::string name;
  Bytes format;
  Bytes samples;
};

Bytes PcmFormat(uint16_t tag = 1, uint16_t extra = 0) {
  Bytes f = {0, 0, 2, 0, 0x22, 0x56, 0, 0, 0x88, 0x58, 1, 0, 4, 0, 16, 0, 0, 0};
  f[0] = static_cast<uint8_t>(tag);
  f[16] = static_cast<uint8_t>(extra);
  f[17] = static_cast<uint8_t>(extra >> 8);
  for (uint16_t i = 0; i < extra; ++i) f.push_back(static_cast<uint8_t>(0xE0 + i));
  return f;
}

// Writes entries through the writer into a file and returns its bytes.
Bytes Pack(const std::vector<Entry>& entries, int* written = nullptr) {
  int count = 0;
  Bytes bytes = packbytes::Written([&](std::FILE* file) {
    for (const Entry& e : entries) {
      count += mu::WritePackEntry(file, e.name.c_str(), e.format.data(), static_cast<uint32_t>(e.format.size()),
                                  e.samples.data(), static_cast<uint32_t>(e.samples.size()));
    }
  });
  if (written) *written = count;
  return bytes;
}

bool Find(const Bytes& pack, const char* name, mu::PackEntry* entry) {
  mu::MemoryBytes bytes{pack.data(), static_cast<uint32_t>(pack.size())};
  return mu::FindPackEntry(mu::MemorySource(&bytes), name, entry);
}

const std::string kLongest(127, 'L');
const std::vector<Entry> kEntries = {
    {"SHOT.WAV", PcmFormat(), Bytes{1, 2, 3, 4}},
    {"\x95\x5C.WAV", PcmFormat(), Bytes(8, 5)},  // a double-byte name with a 0x5C trail byte
    {kLongest, PcmFormat(), Bytes{6}},
    {"EXTRA.WAV", PcmFormat(2, 4), Bytes(3, 7)},
    {"EMPTY.WAV", PcmFormat(), Bytes{}},
    {"SHOT.WAV", PcmFormat(), Bytes{9, 9}},  // a second copy: never found
};

// Entries the writer refuses (a name the scan could never read, a format block
// shorter than 16 bytes) leave no bytes: the entries after them are found.
TEST(SoundPack, WrittenEntriesAreFoundByTheirExactName) {
  std::vector<Entry> entries = {{std::string(128, 'N'), PcmFormat(), Bytes{1}},
                                {"SHORT.WAV", Bytes(15, 0), Bytes{1}}};
  entries.insert(entries.end(), kEntries.begin(), kEntries.end());
  int written = 0;
  const Bytes pack = Pack(entries, &written);
  ASSERT_EQ(6, written);
  struct Case {
    const char* name;
    bool found;
    uint32_t sampleBytes, formatBytes;
    uint8_t firstSample;
  } cases[] = {
      {"SHOT.WAV", true, 4, 18, 1},
      {"\x95\x5C.WAV", true, 8, 18, 5},
      {kLongest.c_str(), true, 1, 18, 6},
      {"EXTRA.WAV", true, 3, 22, 7},
      {"EMPTY.WAV", true, 0, 18, 0},
      {"shot.wav", false, 0, 0, 0},  // names are compared as stored
      {"SHOT", false, 0, 0, 0},
      {"SHORT.WAV", false, 0, 0, 0},
      {"", false, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    mu::PackEntry entry;
    ASSERT_EQ(c.found, Find(pack, c.name, &entry));
    if (!c.found) continue;
    EXPECT_EQ(c.sampleBytes, entry.sampleBytes);
    EXPECT_EQ(c.formatBytes, entry.formatBytes);
    EXPECT_EQ(entry.formatOffset + entry.formatBytes, entry.dataOffset);
    if (c.sampleBytes) {
      EXPECT_EQ(c.firstSample, pack[entry.dataOffset]);
    }
    EXPECT_EQ(0, std::memcmp(&pack[entry.formatOffset - 4 - std::strlen(c.name) - 1], c.name,
                             std::strlen(c.name)));
  }
}

TEST(SoundPack, FormatBlocksAreReadWholeAndCheckedAgainstTheirCount) {
  Bytes bare = PcmFormat();
  bare.resize(16);
  Bytes lying = PcmFormat(2, 4);
  lying[16] = 5;  // claims one extra byte more than the block has
  struct Case {
    const char* what;
    Bytes format;
    bool usable;
    uint32_t blockBytes;
    uint16_t extra;
  } cases[] = {
      {"PCM", PcmFormat(), true, 18, 0},
      {"bare PCMWAVEFORMAT, given a cbSize of 0", bare, true, 18, 0},
      {"extra bytes", PcmFormat(2, 4), true, 22, 4},
      {"cbSize past the block", lying, false, 22, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes pack = Pack({{"A.WAV", c.format, Bytes{1}}});
    mu::PackEntry entry;
    ASSERT_TRUE(Find(pack, "A.WAV", &entry));
    EXPECT_EQ(c.format.size(), entry.formatBytes);
    ASSERT_EQ(c.blockBytes, mu::PackFormatBlockBytes(entry));
    Bytes block(c.blockBytes, 0xCC);
    mu::SoundFormat format;
    mu::MemoryBytes bytes{pack.data(), static_cast<uint32_t>(pack.size())};
    EXPECT_EQ(c.usable, mu::ReadPackFormat(mu::MemorySource(&bytes), entry, block.data(), &format));
    EXPECT_EQ(c.extra, format.extraBytes);
    EXPECT_EQ(88200u, format.avgBytesPerSec);
    EXPECT_EQ(4, format.blockAlign);
    EXPECT_EQ(0, std::memcmp(block.data(), c.format.data(), 16));
  }
}

// Two entries; each kind of damage to the first one hides the second.
TEST(SoundPack, SearchEndsAtTheFirstDamagedEntry) {
  const Bytes good =
      Pack({{"ONE.WAV", PcmFormat(), Bytes(10, 1)}, {"TWO.WAV", PcmFormat(), Bytes(6, 2)}});
  const size_t headSizeAt = 4 + 8;  // after Size and "ONE.WAV\0"
  const size_t firstEnd = headSizeAt + 4 + 18 + 10;
  mu::PackEntry entry;
  ASSERT_TRUE(Find(good, "TWO.WAV", &entry));

  // Every cut: the first entry is found once it is whole, the second never.
  for (size_t n = 0; n < good.size(); ++n) {
    Bytes cut(good.begin(), good.begin() + n);
    EXPECT_EQ(n >= firstEnd, Find(cut, "ONE.WAV", &entry)) << n;
    EXPECT_FALSE(Find(cut, "TWO.WAV", &entry)) << n;
  }

  struct Damage {
    const char* what;
    size_t at;
    uint32_t value;
  } damages[] = {
      {"Size past the end", 0, 1000},
      {"Size that wraps a 32-bit offset", 0, 0xFFFFFFF0u},
      {"Size that would wrap round to the pack's start", 0,
       static_cast<uint32_t>(0x100000000ull - (headSizeAt + 4 + 18))},
      {"HeadSize below 16", headSizeAt, 15},
      {"HeadSize past the end", headSizeAt, 500},
      {"HeadSize that wraps", headSizeAt, 0xFFFFFFFFu},
  };
  for (const Damage& d : damages) {
    Bytes bad = good;
    for (int i = 0; i < 4; ++i) bad[d.at + i] = static_cast<uint8_t>(d.value >> (8 * i));
    EXPECT_FALSE(Find(bad, "TWO.WAV", &entry)) << d.what;
  }

  // A name with no zero byte within 128 bytes, or none before the end.
  Bytes endless(4, 0);
  endless.insert(endless.end(), 140, 'N');
  EXPECT_FALSE(Find(endless, "N", &entry));
  Bytes nameOf128 = good;
  nameOf128.erase(nameOf128.begin() + 4, nameOf128.begin() + 12);
  nameOf128.insert(nameOf128.begin() + 4, 128, 'O');
  nameOf128.insert(nameOf128.begin() + 4 + 128, 0);
  EXPECT_FALSE(Find(nameOf128, "TWO.WAV", &entry));
}

// Reads an entry as the loaders do: the format block, then the samples.
bool LoadLikeALoader(const Bytes& pack, const char* name) {
  mu::MemoryBytes bytes{pack.data(), static_cast<uint32_t>(pack.size())};
  mu::ByteSource source = mu::MemorySource(&bytes);
  mu::PackEntry entry;
  if (!mu::FindPackEntry(source, name, &entry)) return false;
  EXPECT_LE(static_cast<uint64_t>(entry.dataOffset) + entry.sampleBytes, pack.size());
  EXPECT_LE(entry.formatBytes, pack.size());
  Bytes block(mu::PackFormatBlockBytes(entry));
  mu::SoundFormat format;
  if (!mu::ReadPackFormat(source, entry, block.data(), &format)) return false;
  EXPECT_LE(18u + format.extraBytes, block.size());
  Bytes samples(entry.sampleBytes);
  return source.read(source.context, entry.dataOffset, samples.data(), entry.sampleBytes);
}

TEST(SoundPack, ThousandsOfMutatedPacksAreReadSafely) {
  const Bytes base = Pack({{"A.WAV", PcmFormat(), Bytes(40, 0x11)},
                           {"LONGER NAME.WAV", PcmFormat(2, 6), Bytes(33, 0x22)},
                           {"C.WAV", PcmFormat(), Bytes(7, 0x33)}});
  const char* names[] = {"A.WAV", "LONGER NAME.WAV", "C.WAV"};
  packbytes::Damage damage(20240616, 4);
  int loaded = 0, refused = 0;
  for (int round = 0; round < 4000; ++round) {
    const Bytes pack = damage(base, round);
    for (const char* name : names) {
      ++(LoadLikeALoader(pack, name) ? loaded : refused);
      if (HasFailure()) FAIL() << "round " << round << ", " << name;
    }
  }
  EXPECT_GT(loaded, 1000);
  EXPECT_GT(refused, 1000);
}

TEST(SoundPack, PackFileReadsAFileAsABoundedSource) {
  char path[] = "/tmp/mu_sound_pack_XXXXXX";
  int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  Bytes pack = Pack(kEntries);
  std::FILE* out = fdopen(fd, "wb");
  std::fwrite(pack.data(), 1, pack.size(), out);
  std::fclose(out);
  {
    mu::PackFile file(path);
    ASSERT_TRUE(file.open());
    const mu::ByteSource& source = file.source();
    EXPECT_EQ(pack.size(), source.size);
    mu::PackEntry entry;
    ASSERT_TRUE(mu::FindPackEntry(source, "EXTRA.WAV", &entry));
    uint8_t samples[3] = {};
    ASSERT_TRUE(source.read(source.context, entry.dataOffset, samples, 3));
    EXPECT_EQ(7, samples[2]);
    uint8_t past[4];
    EXPECT_FALSE(source.read(source.context, source.size - 2, past, 4));
    file.close();
    EXPECT_FALSE(file.open());
  }
  std::remove(path);
  EXPECT_FALSE(mu::PackFile(path).open());
  EXPECT_FALSE(mu::PackFile("").open());
}

}  // namespace
