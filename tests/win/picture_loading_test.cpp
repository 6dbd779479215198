// The picture loader with the system's own loader behind it: pictures of
// every kind load with their sizes and colours, and damaged pictures, from
// files or from bitmap resources, give one error box and 0 each, leave the
// sprite table as it was and leave the program running.
#include <gtest/gtest.h>
#include <mu.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "draw/sprites.h"
#include "message_box.h"
#include "test_app.h"
#include "tools/bmp_media.h"

namespace {

using namespace muDraw;

constexpr char kUnreadableLoad[] = "muDraw::LoadObject : BMPファイルを読み込めません";
constexpr char kUnreadableSwap[] = "muDraw::SwapObject : BMPファイルを読み込めません";
// A 16-bit screen keeps 5 or 6 bits of a channel: read-back colours may differ this much.
constexpr int kChannelSlack = 12;

const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new testapp::ScreenEnvironment(false, "pic"));

// Writes the picture beside the program; returns its name for the loaders.
std::string Put(const std::string& name, const media::Bytes& bytes) {
  const std::string relative = "pic\\" + name + ".bmp";
  testapp::WriteFileBytes(testapp::ExeFile(relative), bytes);
  return relative;
}

// The largest difference of one channel between a read-back pixel and 0xRRGGBB.
int Distance(COLORREF seen, std::uint32_t rgb) {
  return std::max({std::abs(static_cast<int>(GetRValue(seen)) - static_cast<int>(rgb >> 16 & 255)),
                   std::abs(static_cast<int>(GetGValue(seen)) - static_cast<int>(rgb >> 8 & 255)),
                   std::abs(static_cast<int>(GetBValue(seen)) - static_cast<int>(rgb & 255))});
}

// The largest channel difference between the sprite and the colours expected of it.
template <class Expected>
int WorstPixel(int sprite, Expected expected) {
  HDC dc;
  if (FAILED(spriteTable[sprite].surface->GetDC(&dc))) return 256;
  int worst = 0;
  for (int y = 0; y < spriteTable[sprite].height; ++y) {
    for (int x = 0; x < spriteTable[sprite].width; ++x) {
      worst = std::max(worst, Distance(GetPixel(dc, x, y), expected(x, y)));
    }
  }
  spriteTable[sprite].surface->ReleaseDC(dc);
  return worst;
}

// Records that differ in what they hold (a name's bytes after its end do not count).
int ChangedRecords(const SpriteRecord* before) {
  int changed = 0;
  for (int i = 0; i < kSpriteCount; ++i) {
    const SpriteRecord &a = before[i], &b = spriteTable[i];
    changed += a.surface != b.surface || std::strcmp(a.name, b.name) != 0 || a.packed != b.packed ||
               a.memoryType != b.memoryType || a.colorKey != b.colorKey || a.width != b.width ||
               a.height != b.height;
  }
  return changed;
}

// Wine's own loader gets two kinds wrong: it leaves every pixel of a top-down
// picture 0, and moves some palette colours of a 12-byte info header to near ones.
bool WineDrawsFaithfully(const media::BmpKind& kind) {
  return kind.height > 0 && !(kind.headerBytes == 12 && kind.bits <= 8);
}

class Pictures : public ::testing::Test {
 protected:
  void TearDown() override {
    for (int i = kInternalSprites; i < kSpriteCount; ++i) {
      DeleteObject(i);
      EmptyRecord(i);
    }
  }
  // Loads the name and expects the error box and 0 of an unreadable picture.
  void ExpectRefused(const std::string& name) {
    SCOPED_TRACE(name);
    const size_t boxes = answer.boxes().size();
    EXPECT_EQ(LoadObject(name.c_str(), 2), 0);
    ASSERT_EQ(answer.boxes().size(), boxes + 1);
    EXPECT_EQ(answer.lastBody(), kUnreadableLoad);
  }
  AutoAnswer answer{IDOK};
};

TEST_F(Pictures, EveryKindLoadsWithItsSizeAndColours) {
  for (const media::BmpKind& kind : media::BmpKinds()) {
    SCOPED_TRACE(kind.name);
    const std::string name = Put(kind.name, media::SampleBmp(kind));
    // Wine's own loader refuses 52- and 56-byte info headers: the library reports it.
    if (kind.headerBytes == 52 || kind.headerBytes == 56) {
      ExpectRefused(name);
      continue;
    }
    const size_t boxes = answer.boxes().size();
    const int sprite = LoadObject(name.c_str(), 2);
    ASSERT_GT(sprite, 0);
    EXPECT_EQ(answer.boxes().size(), boxes);
    EXPECT_EQ(spriteTable[sprite].width, kind.width);
    EXPECT_EQ(spriteTable[sprite].height, std::abs(kind.height));
    if (WineDrawsFaithfully(kind)) {
      EXPECT_LE(WorstPixel(sprite, [&](int x, int y) { return media::SampleColour(kind, x, y); }),
                kChannelSlack);
    }
    DeleteObject(sprite);
  }
}

TEST_F(Pictures, DamagedFilesGiveOneErrorBoxAndZeroEachAndChangeNoSprite) {
  const int held = LoadObject(Put("held", media::SampleBmp(media::BmpKinds()[0])).c_str(), 2);
  ASSERT_GT(held, 0);
  SpriteRecord before[kSpriteCount];
  std::memcpy(before, spriteTable, sizeof before);
  muSystem::errorRaised = 0;
  for (const media::NamedBmp& bmp : media::DamagedBmps()) ExpectRefused(Put(bmp.name, bmp.bytes));
  EXPECT_EQ(ChangedRecords(before), 0);
  EXPECT_EQ(muSystem::errorRaised, 1);

  // A swap to a damaged picture fails alike; its index stays reserved for its holder.
  const media::NamedBmp huge = media::HugeSizeBmp();
  EXPECT_EQ(SwapObject(Put(huge.name, huge.bytes).c_str(), held, 2), 0);
  EXPECT_EQ(answer.lastBody(), kUnreadableSwap);
  EXPECT_EQ(spriteTable[held].surface, nullptr);
  EXPECT_EQ(LoadObject("pic\\held.bmp", 2), held + 1);   // and the program runs on
}

TEST_F(Pictures, DamagedResourcesGiveOneErrorBoxAndZeroEach) {
  // Compiled into this program from tests/win/picture_loading_test.rc.
  for (const char* name : {"HUGE.BMP", "RUNS.BMP", "COLOURS.BMP"}) ExpectRefused(name);
  const size_t boxes = answer.boxes().size();
  const int good = LoadObject("GOOD.BMP", 2);
  ASSERT_GT(good, 0);
  EXPECT_EQ(answer.boxes().size(), boxes);
  EXPECT_EQ(spriteTable[good].width, 2);
  EXPECT_LE(WorstPixel(good, [](int x, int) { return x ? 0xFFFFFFu : 0u; }), kChannelSlack);
}

}  // namespace
