// Reloading pictures from the pack file. The pack reader is not part of this
// build yet: no pack file can be named, so a packed picture cannot come back
// and the reload reports that no pack file is set, as the reader does.
#include <mu.h>

namespace muDraw {

int SwapPack(const char* name, int sprite, int memoryType) {
  return muSystem::Error("muDraw::SwapPack", "パックファイル名が指定されていません", 0);
}

}  // namespace muDraw
