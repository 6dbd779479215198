#include "app/paths.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using mu::Cp932LeadByte;

TEST(Paths, CutFileNameKeepsTrailingBackslash) {
  char path[256] = "C:\\A\\B\\game.exe";
  mu::CutFileName(path, Cp932LeadByte);
  EXPECT_STREQ(path, "C:\\A\\B\\");
  char bare[256] = "game.exe";
  mu::CutFileName(bare, Cp932LeadByte);
  EXPECT_STREQ(bare, "");
}

// "ソ" is 83 5C and "表" is 95 5C in Shift-JIS: the trail byte is a backslash.
TEST(Paths, TrailBytesAreNotBackslashes) {
  char path[256] = "C:\\ゲーム\\ソフト\\表.exe";
  mu::CutFileName(path, Cp932LeadByte);
  EXPECT_STREQ(path, "C:\\ゲーム\\ソフト\\");

  char name[256] = "keep";
  ASSERT_TRUE(mu::LastDirName(path, name, sizeof name, Cp932LeadByte));
  EXPECT_STREQ(name, "ソフト\\");

  // A directory name ending in "ソ" must not be cut at its trail byte.
  const char* dir = "C:\\A\\ソ\\";
  ASSERT_TRUE(mu::LastDirName(dir, name, sizeof name, Cp932LeadByte));
  EXPECT_STREQ(name, "ソ\\");
}

// A stored pack entry's name: what follows the last real backslash.
TEST(Paths, FileNameOf) {
  const char* cases[][2] = {
      {"SHOT.WAV", "SHOT.WAV"},         {"WAV\\SHOT.WAV", "SHOT.WAV"}, {"A\\B\\C.BMP", "C.BMP"},
      {"\x95\x5C.WAV", "\x95\x5C.WAV"}, {"DIR\\\x95\x5C.WAV", "\x95\x5C.WAV"}, {"DIR\\", ""},
  };
  for (const auto& c : cases) EXPECT_STREQ(mu::FileNameOf(c[0], Cp932LeadByte), c[1]) << c[0];
}

TEST(Paths, LastDirName) {
  char name[256] = "old\\";
  ASSERT_TRUE(mu::LastDirName("C:\\Games\\Blocks\\", name, sizeof name, Cp932LeadByte));
  EXPECT_STREQ(name, "Blocks\\");
  // A drive root has no directory before its backslash: the name is kept.
  strcpy(name, "old\\");
  EXPECT_FALSE(mu::LastDirName("C:\\", name, sizeof name, Cp932LeadByte));
  EXPECT_STREQ(name, "old\\");
  // A name longer than the buffer is refused, not overrun.
  char small[4] = "ab";
  EXPECT_FALSE(mu::LastDirName("C:\\Long\\", small, sizeof small, Cp932LeadByte));
  EXPECT_STREQ(small, "ab");
}

TEST(Paths, JoinPathRefusesOverflow) {
  char out[16];
  EXPECT_TRUE(mu::JoinPath(out, sizeof out, "C:\\A\\", "b.bmp"));
  EXPECT_STREQ(out, "C:\\A\\b.bmp");
  EXPECT_TRUE(mu::JoinPath(out, sizeof out, "0123456789", "abcde"));  // exactly 15 + NUL
  EXPECT_FALSE(mu::JoinPath(out, sizeof out, "0123456789", "abcdef"));
  EXPECT_STREQ(out, "");
  char self[16] = "C:\\";
  EXPECT_TRUE(mu::JoinPath(self, sizeof self, self, "x"));
  EXPECT_STREQ(self, "C:\\x");
}

TEST(Paths, DataRootLine) {
  char line[256] = "E:\\Data\\\n";
  mu::TrimDataRootLine(line, Cp932LeadByte);
  EXPECT_STREQ(line, "E:\\Data");
  char plain[256] = "E:\\Data";
  mu::TrimDataRootLine(plain, Cp932LeadByte);
  EXPECT_STREQ(plain, "E:\\Data");
  // Only one backslash goes; a final "ソ" keeps its trail byte.
  char twice[256] = "E:\\Data\\\\\n";
  mu::TrimDataRootLine(twice, Cp932LeadByte);
  EXPECT_STREQ(twice, "E:\\Data\\");
  char kana[256] = "E:\\ソ\n";
  mu::TrimDataRootLine(kana, Cp932LeadByte);
  EXPECT_STREQ(kana, "E:\\ソ");
}

}  // namespace
