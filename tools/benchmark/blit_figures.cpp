// The blits' and the frame show's figures, each on DirectDraw's path and on
// the library's in the same run: full-screen keyed and opaque blits, many
// small keyed blits, the windowed frame show with the message pump that
// carries its upload to the window, a whole frame loop, and the GDI box and
// print on DirectDraw's device context and on the library's own.
#include <mu.h>

#include "draw/blit_path.h"
#include "figures.h"

namespace {

using muDraw::BlitPath;

constexpr int kSmallBlits = 1000;
int frame;

template <BlitPath P>
void FullKeyed() {
  muDraw::ForceBlitPath(P);
  muDraw::BltKey(0, 0, bench::fullSprite, 0, 0, 640, 480);
}

template <BlitPath P>
void FullOpaque() {
  muDraw::ForceBlitPath(P);
  muDraw::Blt(0, 0, bench::fullSprite, 0, 0, 640, 480);
}

template <BlitPath P>
void SmallKeyed() {
  muDraw::ForceBlitPath(P);
  for (int i = 0; i < kSmallBlits; ++i) {
    muDraw::BltKey((i % 20) * 32, (i / 20 % 15) * 32 + (frame % 8), bench::smallSprite, 0, 0, 30,
                   30);
  }
  ++frame;
}

template <BlitPath P>
void FlipAndPump() {
  muDraw::ForceBlitPath(P);
  muDraw::Flip();
  muSystem::PumpMessages();
}

template <BlitPath P>
void FrameLoop() {
  muDraw::ForceBlitPath(P);
  muDraw::ClearScreen();
  muDraw::BltKey(0, 0, bench::fullSprite, 0, 0, 640, 480);
  muDraw::Flip();
  muSystem::PumpMessages();
}

template <BlitPath P>
void BoxAfterBlit() {
  muDraw::ForceBlitPath(P);
  muDraw::Box(100, 100, 130, 130, 0xFF00FF, 0, 1);
}

template <BlitPath P>
void PrintAfterBlit() {
  muDraw::ForceBlitPath(P);
  muDraw::PrintF(0, 0, "frame %d", ++frame);
}

// The GDI figures' frames end as a game's frame would, with a blit.
void BlitAfterGdi() { muDraw::Blt(0, 0, bench::smallSprite, 0, 0, 30, 30); }

const bench::Register kFigures[] = {
    bench::Register({"full-screen BltKey, DirectDraw", nullptr, FullKeyed<BlitPath::kDirectDraw>,
                     nullptr, 1}),
    bench::Register({"full-screen BltKey, library", nullptr, FullKeyed<BlitPath::kLibrary>,
                     nullptr, 1}),
    bench::Register({"full-screen Blt, DirectDraw", nullptr, FullOpaque<BlitPath::kDirectDraw>,
                     nullptr, 1}),
    bench::Register({"full-screen Blt, library", nullptr, FullOpaque<BlitPath::kLibrary>, nullptr,
                     1}),
    bench::Register({"1000 keyed 30 x 30 BltKey, DirectDraw", nullptr,
                     SmallKeyed<BlitPath::kDirectDraw>, nullptr, kSmallBlits}),
    bench::Register({"1000 keyed 30 x 30 BltKey, library", nullptr,
                     SmallKeyed<BlitPath::kLibrary>, nullptr, kSmallBlits}),
    bench::Register({"windowed Flip + message pump, DirectDraw", nullptr,
                     FlipAndPump<BlitPath::kDirectDraw>, nullptr, 1}),
    bench::Register({"windowed Flip + message pump, library", nullptr,
                     FlipAndPump<BlitPath::kLibrary>, nullptr, 1}),
    bench::Register({"clear + full-screen BltKey + Flip + pump, DirectDraw", nullptr,
                     FrameLoop<BlitPath::kDirectDraw>, nullptr, 1}),
    bench::Register({"clear + full-screen BltKey + Flip + pump, library", nullptr,
                     FrameLoop<BlitPath::kLibrary>, nullptr, 1}),
    bench::Register({"Box, DirectDraw", nullptr, BoxAfterBlit<BlitPath::kDirectDraw>,
                     BlitAfterGdi, 1}),
    bench::Register({"Box, library", nullptr, BoxAfterBlit<BlitPath::kLibrary>, BlitAfterGdi, 1}),
    bench::Register({"PrintF, DirectDraw", nullptr, PrintAfterBlit<BlitPath::kDirectDraw>,
                     BlitAfterGdi, 1}),
    bench::Register({"PrintF, library", nullptr, PrintAfterBlit<BlitPath::kLibrary>,
                     BlitAfterGdi, 1}),
};

}  // namespace
