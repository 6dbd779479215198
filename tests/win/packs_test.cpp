// Pack files, conversion and screenshots on a real DirectDraw screen under
// Wine. The pictures are a folder drawn by tools/make_pack_pictures.py, read
// here straight from their bytes as the reference. Runs windowed on the
// display it gets (16 bits: 5-6-5; 24 bits: Wine's 32-bit screen, where the
// folder is also converted); with MU_PACKS_FULLSCREEN=1 on a full 640 x 480 x 16
// screen, loading the pack the windowed run converted when there is one.
#include <gtest/gtest.h>
#include <mu.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "draw/pack_format.h"
#include "draw/pixels/surface_lock.h"
#include "message_box.h"
#include "surface_faults.h"
#include "surface_pixels.h"
#include "test_app.h"
#include "tests/host/pack_bytes.h"

namespace {

using namespace muDraw;
using packbytes::Bytes;

bool FullScreenRun() { return testapp::FullScreenRun("MU_PACKS_FULLSCREEN"); }

const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new testapp::ScreenEnvironment(FullScreenRun(), "pk"));

// A file beside the program.
std::string Path(const std::string& name) { return testapp::ExeFile(name); }

using testapp::Exists;
Bytes ReadFile(const std::string& path) { return testapp::FileBytes(path); }
void WriteFile(const std::string& path, const Bytes& bytes) { testapp::WriteFileBytes(path, bytes); }

// A picture of the folder, read from its 24-bit BMP file (rows bottom-up,
// padded to four bytes): the reference the packs are checked against.
struct Picture {
  std::string name;  // upper case, as the pack stores it
  int width = 0, height = 0;
  std::vector<COLORREF> colours;
  COLORREF At(int x, int y) const { return colours[static_cast<size_t>(y) * width + x]; }
};

std::vector<Picture> FolderPictures() {
  std::vector<Picture> pictures;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(Path("packpics\\*.bmp").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return pictures;
  do {
    const Bytes b = ReadFile(Path("packpics\\") + found.cFileName);
    auto le32 = [&b](size_t at) {
      return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | b[at + 3] << 24;
    };
    Picture p;
    p.name = found.cFileName;
    CharUpperBuffA(&p.name[0], static_cast<DWORD>(p.name.size()));
    p.width = le32(18);
    p.height = le32(22);
    const size_t row = (3 * p.width + 3) & ~3;
    for (int y = 0; y < p.height; ++y) {
      const uint8_t* bgr = &b[le32(10) + (p.height - 1 - y) * row];
      for (int x = 0; x < p.width; ++x)
        p.colours.push_back(RGB(bgr[3 * x + 2], bgr[3 * x + 1], bgr[3 * x]));
    }
    pictures.push_back(p);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(pictures.begin(), pictures.end(),
            [](const Picture& a, const Picture& b) { return a.name < b.name; });
  return pictures;
}

std::uint32_t PictureColour(void* picture, int x, int y) {
  return static_cast<Picture*>(picture)->At(x, y);
}

// A pack written straight from the reference pictures.
void WriteReferencePack(const std::string& path, std::vector<Picture>& pictures) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  for (Picture& p : pictures)
    ASSERT_TRUE(mu::WritePackEntry(f, p.name.c_str(), p.width, p.height, PictureColour, &p));
  std::fclose(f);
}

// The pixel a pack picture of this colour must show on a screen of format f:
// five bits a channel, only pure black 0; at the top five bits of a 16-bit
// channel, widened to eight bits on 32 bits.
DWORD Expected(COLORREF c, const mu::PixelFormat& f) {
  DWORD rgb[3] = {DWORD{GetRValue(c)} >> 3, DWORD{GetGValue(c)} >> 3, DWORD{GetBValue(c)} >> 3};
  if (c != 0 && rgb[0] + rgb[1] + rgb[2] == 0) rgb[2] = 1;
  DWORD pixel = 0;
  for (int ch = 0; ch < 3; ++ch) {
    pixel |= f.Sixteen() ? rgb[ch] << f.channel[ch].top5
                         : (rgb[ch] << 3 | rgb[ch] >> 2) << f.channel[ch].shift;
  }
  return pixel;
}

// Every pixel of a sprite against its picture; the first difference, or "".
std::string Compare(int sprite, const Picture& p) {
  SurfaceLock lock(spriteTable[sprite].surface);
  if (!lock.Locked()) return "not locked";
  const mu::PixelView v = lock.View();
  const mu::PixelFormat f = lock.ViewFormat();
  for (int y = 0; y < p.height; ++y) {
    for (int x = 0; x < p.width; ++x) {
      const DWORD got = f.Sixteen() ? *v.At<uint16_t>(x, y) : *v.At<uint32_t>(x, y) & f.white;
      if (got != Expected(p.At(x, y), f)) {
        char text[96];
        std::snprintf(text, sizeof text, "(%d, %d): %lx, not %lx", x, y, got,
                      Expected(p.At(x, y), f));
        return text;
      }
    }
  }
  return "";
}

DWORD ReadPixel(int sprite, int x, int y) { return testpix::ReadPixel(spriteTable[sprite].surface, x, y); }

int LiveRecords() {
  return static_cast<int>(std::count_if(spriteTable + kInternalSprites, spriteTable + kSpriteCount,
                                        [](const SpriteRecord& r) { return r.name[0] != '\0'; }));
}

// True when no handle to the file is open: it opens without any sharing.
bool Unopened(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

bool Converting() { return muSystem::GetScreenDepth() > 16; }

class Packs : public ::testing::Test {
 protected:
  void TearDown() override {
    for (int i = kInternalSprites; i < kSpriteCount; ++i) DeleteObject(i);
    SetColorKey(0);
  }
  AutoAnswer answer{IDOK};
  size_t Boxes() const { return answer.boxes().size(); }
  std::string LastBody() const { return answer.lastBody(); }
};

TEST_F(Packs, NothingLoadsBeforeAPackIsNamed) {
  ASSERT_EQ(packPath[0], '\0');
  EXPECT_EQ(LoadPack("BACK.BMP", 2), 0);
  EXPECT_EQ(LastBody(), "muDraw::LoadPack : パックファイル名が指定されていません");
  EXPECT_EQ(SetPack("pk\\no-such.pak"), packPath);
  EXPECT_EQ(std::string(packPath), Path("pk\\no-such.pak"));
  EXPECT_EQ(SwapPack("BACK.BMP", 4, 2), 0);
  EXPECT_EQ(LastBody(), "muDraw::SwapPack : パックファイル名が指定されていません");
  EXPECT_EQ(std::string(SetPack(std::string(300, 'x').c_str())), "");  // never cut or overrun
  EXPECT_EQ(LiveRecords(), 0);
}

TEST_F(Packs, RoundTripOfTheBmpFolder) {
  std::vector<Picture> pictures = FolderPictures();
  ASSERT_EQ(pictures.size(), 7u);
  WriteReferencePack(Path("pk\\reference.pak"), pictures);
  const std::string converted = Path("pk\\converted.pak");
  if (Converting()) {
    ASSERT_EQ(Convert("pk\\converted.pak", "packpics", 1), 1);
    // Entry by entry the same bytes as the reference, in whatever order the
    // folder was walked.
    std::vector<packbytes::Stored> made = packbytes::Entries(ReadFile(converted)),
                                   reference =
                                       packbytes::Entries(ReadFile(Path("pk\\reference.pak")));
    ASSERT_EQ(made.size(), pictures.size());
    for (const packbytes::Stored& entry : reference) {
      auto same = std::find_if(made.begin(), made.end(),
                               [&](const packbytes::Stored& m) { return m.name == entry.name; });
      ASSERT_NE(same, made.end()) << entry.name;
      EXPECT_TRUE(same->bytes == entry.bytes) << entry.name;
    }
  } else {
    // The full-screen run after a windowed 16-bit one loads the reference.
    if (!FullScreenRun()) DeleteFileA(converted.c_str());
    const Bytes before = ReadFile(converted);
    const size_t boxes = Boxes();
    EXPECT_EQ(Convert("pk\\converted.pak", "packpics", 1), 0);
    ASSERT_EQ(Boxes(), boxes + 1);
    EXPECT_EQ(LastBody(), "muDraw::Convert : 画面をフルカラーにして下さい");
    EXPECT_TRUE(ReadFile(converted) == before);  // not even emptied
  }
  const bool fromConvert = Exists(converted);
  std::printf("loading every picture of %s on a %d-bit screen\n",
              fromConvert ? "the converted pack" : "the reference pack",
              muSystem::GetScreenDepth());
  SetPack(fromConvert ? "pk\\converted.pak" : "pk\\reference.pak");
  const size_t boxes = Boxes();
  for (const Picture& p : pictures) {
    SCOPED_TRACE(p.name);
    std::string requested = p.name;
    std::transform(requested.begin(), requested.end(), requested.begin(), ::tolower);
    const int sprite = LoadPack(requested.c_str(), 2);
    ASSERT_GE(sprite, kInternalSprites);
    const SpriteRecord& r = spriteTable[sprite];
    EXPECT_STREQ(r.name, p.name.c_str());
    EXPECT_EQ(r.packed, 1);
    EXPECT_EQ(r.memoryType, 2);
    EXPECT_EQ(r.colorKey, 0);
    EXPECT_EQ(r.width, p.width);
    EXPECT_EQ(r.height, p.height);
    EXPECT_EQ(Compare(sprite, p), "");
  }
  EXPECT_EQ(Boxes(), boxes);
}

TEST_F(Packs, EntryNamesFirstCopiesAndSwaps) {
  Bytes pack;
  packbytes::Entry(pack, 2, 1, "BACK.BMP", {0x7FFF, 0x7C00});
  packbytes::Entry(pack, 1, 1, "lower.bmp", {0x001F});
  packbytes::Entry(pack, 3, 1, "TWICE.BMP", {0x03E0, 0x03E0, 0x03E0});
  packbytes::Entry(pack, 1, 2, "TWICE.BMP", {0x001F, 0x001F});
  WriteFile(Path("pk\\names.pak"), pack);
  SetPack("pk\\names.pak");
  const int back = LoadPack("back.bmp", 1);
  ASSERT_GT(back, 0);
  // White: on 5-6-5 the green channel's lowest bit stays 0.
  const bool sixteen = muSystem::GetScreenDepth() == 16;
  EXPECT_EQ(ReadPixel(back, 0, 0) & 0xFFFFFF, sixteen ? 0xFFDFu : 0xFFFFFFu);
  EXPECT_EQ(ReadPixel(back, 1, 0) & 0xFFFFFF, sixteen ? 0xF800u : 0xFF0000u);
  DDCOLORKEY key = {1, 1};
  spriteTable[back].surface->GetColorKey(DDCKEY_SRCBLT, &key);
  EXPECT_EQ(key.dwColorSpaceLowValue, 0u);  // black, the load key

  EXPECT_EQ(LoadPack("lower.bmp", 2), 0);  // asked for in upper case: never found
  EXPECT_EQ(LastBody(), "muDraw::LoadPack : BMPファイルを読み込めません");
  const int twice = LoadPack("Twice.bmp", 2);
  EXPECT_EQ(spriteTable[twice].width, 3);  // the first of the two

  // A swap keeps the index and the key setting, and takes the entry's size and name.
  SetColorKeyTopLeft();
  EXPECT_EQ(SwapPack("twice.bmp", back, 2), back);
  EXPECT_STREQ(spriteTable[back].name, "TWICE.BMP");
  EXPECT_EQ(spriteTable[back].width, 3);
  EXPECT_EQ(spriteTable[back].colorKey, -1);
  spriteTable[back].surface->GetColorKey(DDCKEY_SRCBLT, &key);
  EXPECT_EQ(key.dwColorSpaceLowValue, ReadPixel(back, 0, 0));
  EXPECT_EQ(SwapPack("twice.bmp", kSpriteCount, 2), 0);  // outside the table: nothing happens
}

TEST_F(Packs, DamagedPacksReportAndLeaveNothingBehind) {
  Bytes good;
  packbytes::Counting(good, 2, 2, "FIRST.BMP");
  packbytes::Counting(good, 3, 2, "WANT.BMP");
  Bytes noZero, longName, pastEnd, zeroSize, cut(good.begin(), good.end() - 1);
  packbytes::Entry(noZero, 1, 1, "WANT.BMP", {}, false);
  packbytes::Counting(longName, 1, 1, std::string(130, 'L'));
  packbytes::Counting(longName, 1, 1, "WANT.BMP");
  packbytes::Entry(pastEnd, 40, 40, "WANT.BMP", {1, 2, 3});
  packbytes::Entry(zeroSize, 0, 9, "WANT.BMP", {});
  const std::pair<const char*, Bytes> packs[] = {
      {"header cut", Bytes(good.begin(), good.begin() + 2)},
      {"name without zero", noZero},
      {"name beyond the buffer", longName},
      {"pixels past the end", pastEnd},
      {"zero width", zeroSize},
      {"file ends inside the pixels", cut},
      {"intact", good}};
  const std::string path = Path("pk\\damaged.pak");
  SetPack("pk\\damaged.pak");
  const int keep = CreateObject(4, 4, 2);
  LPDIRECTDRAWSURFACE kept = spriteTable[keep].surface;
  for (const auto& c : packs) {
    SCOPED_TRACE(c.first);
    WriteFile(path, c.second);
    const int live = LiveRecords();
    const bool intact = c.second == good;
    const int loaded = LoadPack("want.bmp", 2);
    EXPECT_EQ(loaded != 0, intact);
    if (!intact) {
      EXPECT_EQ(LastBody(), "muDraw::LoadPack : BMPファイルを読み込めません");
      EXPECT_EQ(LiveRecords(), live);
      EXPECT_EQ(SwapPack("want.bmp", keep, 2), 0);
      EXPECT_EQ(LastBody(), "muDraw::SwapPack : BMPファイルを読み込めません");
      EXPECT_EQ(spriteTable[keep].surface, kept);  // refused before anything changed
    }
    EXPECT_TRUE(Unopened(path));
  }
  // A name longer than any sprite's is refused as not found.
  EXPECT_EQ(LoadPack("abcdefghijklmnopqrstuvwxyz1.bmp", 2), 0);
  EXPECT_EQ(LastBody(), "muDraw::LoadPack : BMPファイルを読み込めません");
  // The probe itself: an open file is seen.
  std::FILE* open = std::fopen(path.c_str(), "rb");
  EXPECT_FALSE(Unopened(path));
  std::fclose(open);
}

TEST_F(Packs, RestoreReloadsPackedAndFilePicturesAfterARealLoss) {
  // Colours whose values GDI reads back alike from 16- and 32-bit surfaces:
  // the loss may change the depth of the surfaces made while it lasts.
  Bytes pack;
  packbytes::Entry(pack, 2, 2, "LOSSY.BMP", {0x7C00, 0x001F, 0x0000, 0x4010});
  WriteFile(Path("pk\\lossy.pak"), pack);
  SetPack("pk\\lossy.pak");
  SetColorKey(RGB(255, 0, 0));
  const int packed = LoadPack("lossy.bmp", 2);
  SetColorKey(0);
  const int file = LoadObject("packpics\\EDGES.bmp", 2);
  ASSERT_GT(packed, 0);
  ASSERT_GT(file, 0);
  COLORREF packedBefore[4], fileBefore = GdiPixel(spriteTable[file].surface, 2, 0);
  for (int i = 0; i < 4; ++i) packedBefore[i] = GdiPixel(spriteTable[packed].surface, i % 2, i / 2);
  for (int s : {packed, file}) testpix::FillSurface(spriteTable[s].surface, 0);

  LoseSurfaces();
  ASSERT_EQ(spriteTable[packed].surface->IsLost(), DDERR_SURFACELOST);
  const size_t boxes = Boxes();
  Restore();
  EXPECT_EQ(Boxes(), boxes);
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(GdiPixel(spriteTable[packed].surface, i % 2, i / 2), packedBefore[i]) << i;
  EXPECT_EQ(GdiPixel(spriteTable[file].surface, 2, 0), fileBefore);
  EXPECT_STREQ(spriteTable[packed].name, "LOSSY.BMP");
  EXPECT_EQ(spriteTable[packed].packed, 1);
  EXPECT_EQ(spriteTable[packed].colorKey, static_cast<int>(RGB(255, 0, 0)));
  EXPECT_EQ(LiveRecords(), 2);  // the scratch sprite went again
  EndLoss();
  EXPECT_EQ(backScreen->IsLost(), DD_OK);
}

TEST_F(Packs, ConvertAppendsStartsFreshAndReadsTheProgramsFolder) {
  if (!Converting()) GTEST_SKIP() << "a 16-bit screen converts nothing";
  const std::string pack = Path("pk\\twice.pak");
  ASSERT_EQ(Convert("pk\\twice.pak", "packpics", 1), 1);
  const size_t once = ReadFile(pack).size();
  ASSERT_EQ(Convert("pk\\twice.pak", "packpics", 0), 1);
  EXPECT_EQ(ReadFile(pack).size(), 2 * once);
  ASSERT_EQ(Convert("pk\\twice.pak", "packpics", 1), 1);
  EXPECT_EQ(ReadFile(pack).size(), once);

  // No folder: the program's own directory, entries without a folder part. A
  // file that is no picture is reported by the loader and left out.
  CopyFileA(Path("packpics\\dot.bmp").c_str(), Path("pkroot.bmp").c_str(), FALSE);
  WriteFile(Path("pkjunk.bmp"), Bytes(40, 'x'));
  const size_t boxes = Boxes();
  ASSERT_EQ(Convert("pk\\root.pak", "", 1), 1);
  EXPECT_EQ(LastBody(), "muDraw::LoadObject : BMPファイルを読み込めません");
  EXPECT_GT(Boxes(), boxes);
  bool root = false;
  for (const packbytes::Stored& e : packbytes::Entries(ReadFile(Path("pk\\root.pak")))) {
    EXPECT_EQ(e.name.find('\\'), std::string::npos) << e.name;
    EXPECT_NE(e.name, "PKJUNK.BMP");
    root = root || e.name == "PKROOT.BMP";
  }
  EXPECT_TRUE(root);
  DeleteFileA(Path("pkjunk.bmp").c_str());
  DeleteFileA(Path("pkroot.bmp").c_str());
  // A folder without pictures, or none at all, is no error.
  EXPECT_EQ(Convert("pk\\none.pak", "pk\\no-such-folder", 1), 1);
  EXPECT_FALSE(Exists(Path("pk\\none.pak")));
}

// Starts a command of the machine Wine runs on. Wine hands a Unix program no
// process to wait for: it runs on by itself.
void StartUnix(const std::string& command) {
  std::string line = "Z:\\bin\\sh -c \"" + command + "\"";
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  ASSERT_TRUE(
      CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
}

// The Unix path of a file on drive Z: (the Unix root).
std::string UnixPath(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path.substr(2);
}

// The pixels of a BMP file as ImageMagick reads them, red, green, blue bytes.
// Its result file appears whole (moved into place) once it is written.
Bytes ImageMagickRgb(const std::string& bmp) {
  const std::string out = bmp + ".rgb", failed = bmp + ".failed";
  DeleteFileA(out.c_str());
  DeleteFileA(failed.c_str());
  const std::string u = UnixPath(out);
  StartUnix("convert '" + UnixPath(bmp) + "' -depth 8 rgb:'" + u + ".part' && mv '" + u +
            ".part' '" + u + "' || touch '" + UnixPath(failed) + "'");
  while (!Exists(out) && !Exists(failed)) Sleep(20);
  return ReadFile(out);
}

TEST_F(Packs, ScreenshotsMatchTheBackScreenInAnIndependentReader) {
  testpix::FillRandom(backScreen, 11, mu::screenFormat.white);
  std::vector<Picture> pictures = FolderPictures();
  WriteReferencePack(Path("pk\\reference.pak"), pictures);
  SetPack("pk\\reference.pak");
  const int picture = LoadPack("GRADIENT.BMP", 2);
  for (int i = 0; i < 6; ++i) BltKey(40 + 100 * i, 60 + 50 * i, picture, 0, 0, 64, 48);

  const struct {
    const char* file;
    int width, height;
  } shots[] = {{"pk\\whole.bmp", 640, 480}, {"pk\\part.bmp", 637, 400}};
  for (const auto& shot : shots) {
    SCOPED_TRACE(shot.file);
    ASSERT_EQ(SaveScreen(shot.file, shot.width, shot.height), 1);
    const Bytes rgb = ImageMagickRgb(Path(shot.file));
    ASSERT_EQ(rgb.size(), 3u * shot.width * shot.height);
    SurfaceLock lock(backScreen);
    const mu::PixelFormat f = lock.ViewFormat();
    const mu::PixelView v = lock.View();
    int wrong = 0;
    for (int y = 0; y < shot.height; ++y) {
      for (int x = 0; x < shot.width; ++x) {
        const DWORD p = f.Sixteen() ? *v.At<uint16_t>(x, y) : *v.At<uint32_t>(x, y);
        for (int c = 0; c < 3; ++c) {
          const DWORD want =
              f.Sixteen() ? (p >> f.channel[c].top5 & 31) * 8 : p >> f.channel[c].shift & 0xFF;
          if (rgb[3 * (y * shot.width + x) + c] != want && wrong++ < 5)
            ADD_FAILURE() << x << ", " << y << " channel " << c;
        }
      }
    }
    EXPECT_EQ(wrong, 0);
  }
  // Screenshots worth looking at, where the test run keeps them.
  if (const char* shots = std::getenv("MU_SHOTS")) {
    StartUnix("mkdir -p '" + std::string(shots) + "' && convert '" +
              UnixPath(Path("pk\\part.bmp")) + "' '" + shots + "/packs_screenshot.png'");
  }
  // A part larger than the back screen is refused: no file.
  for (const auto& size :
       {std::make_pair(641, 480), std::make_pair(640, 481), std::make_pair(-1, 10)}) {
    DeleteFileA(Path("pk\\big.bmp").c_str());
    EXPECT_EQ(SaveScreen("pk\\big.bmp", size.first, size.second), 0);
    EXPECT_FALSE(Exists(Path("pk\\big.bmp")));
  }
}

}  // namespace
