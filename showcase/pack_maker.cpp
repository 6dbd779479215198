// A build-time tool on the library: makes the showcase's two packs with the
// library's own packers, from the media beside the executable, and ends.
//   showcase\pictures.pak   muDraw::Convert of the BMP pictures of showcase\pack
//   showcase\sounds.pak     muSound::MakePack of the WAVE files of showcase\music
// The picture conversion needs a display of more than 16 bits a pixel and the
// sound pack a sound device; without them the tool ends with exit code 1
// before anything could open an error box and wait for an answer.
#include <mu.h>

extern const char appCaption[] = "mu showcase packs";

void OnActivate(int) {}
void GameFrame() {}

namespace {

bool Exists(const char* name) {
  return GetFileAttributesA(muDraw::MakePath(name)) != INVALID_FILE_ATTRIBUTES;
}

void Fail() {
  muSystem::Quit();
  ExitProcess(1);
}

}  // namespace

void GameInit() {
  muDraw::Screen(640, 480, 1);
  if (muSystem::GetScreenDepth() <= 16 || !muSound::soundEnabled) Fail();
  if (!muDraw::Convert("showcase\\pictures.pak", "showcase\\pack", 1)) Fail();
  muSound::MakePack("showcase\\sounds.pak", "showcase\\music", 1);
  if (!Exists("showcase\\pictures.pak") || !Exists("showcase\\sounds.pak")) Fail();
  muSystem::Quit();
}
