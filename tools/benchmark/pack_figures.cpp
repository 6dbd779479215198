// The pack and screenshot figures: loading the last 640 x 480 entry of a pack
// of fifty (the scan past the other 49, the conversion into a locked scratch
// sprite, the copy), and a screenshot of the whole back screen. The files are
// written beside the benchmark and removed when it ends.
#include <mu.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "draw/pack_format.h"
#include "figures.h"

namespace {

constexpr int kEntries = 50;
constexpr char kPack[] = "bench_pack.pak";
constexpr char kShot[] = "bench_shot.bmp";
int loaded;

std::uint32_t Colour(void*, int x, int y) { return RGB(x & 255, y & 255, (x + y) & 255); }

void RemoveFiles() {
  std::remove(muDraw::MakePath(kPack));
  std::remove(muDraw::MakePath(kShot));
}

void WritePack() {
  std::FILE* f = std::fopen(muDraw::MakePath(kPack), "wb");
  if (!f) return;
  for (int i = 0; i < kEntries; ++i) {
    const std::string name = "PICTURE" + std::to_string(i) + ".BMP";
    mu::WritePackEntry(f, name.c_str(), 640, 480, Colour, nullptr);
  }
  std::fclose(f);
  std::atexit(RemoveFiles);
  muDraw::SetPack(kPack);
}

void LoadLast() { loaded = muDraw::LoadPack("picture49.bmp", 2); }
void DeleteLoaded() { muDraw::DeleteObject(loaded); }

void Screenshot() { muDraw::SaveScreen(kShot, 640, 480); }

const bench::Register kLoad({"LoadPack of a 640 x 480 entry, 50th of 50", WritePack, LoadLast,
                             DeleteLoaded, 1});
const bench::Register kSave({"SaveScreen of 640 x 480", nullptr, Screenshot, nullptr, 1});

}  // namespace
