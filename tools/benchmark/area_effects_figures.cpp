// The effects on an area of the back screen, each over the whole 640 x 480
// screen (the lock included); the picture is put back between frames, untimed.
#include <mu.h>

#include "figures.h"

namespace {

void Picture() { muDraw::Blt(0, 0, bench::fullSprite, 0, 0, 640, 480); }

void SoftenAll() { muDraw::Soften(0, 0, 640, 480); }
void SoftenFadeAll() { muDraw::SoftenFade(1, 0, 1, 0, 0, 640, 480); }
void SmokeAll() { muDraw::Smoke(0, 0, 640, 480); }
void SmokeFadeAll() { muDraw::SmokeFade(0, 1, 0, 0, 0, 640, 480); }
void Zoom2All() { muDraw::Zoom2(0, 0, 640, 480, 0); }
void Zoom4All() { muDraw::Zoom4(0, 0, 640, 480, 0); }
void MosaicAll() { muDraw::DiscMosaic(320, 240, 400, 8); }
void GrainAll() { muDraw::Grain(1, 0, 0, 640, 480); }
void GrainRgbAll() { muDraw::GrainRGB(1, 0, 1, 1, 0, 0, 640, 480); }

const bench::Register kFigures[] = {
    bench::Register({"Soften 640 x 480", Picture, SoftenAll, Picture, 1}),
    bench::Register({"SoftenFade 640 x 480", Picture, SoftenFadeAll, Picture, 1}),
    bench::Register({"Smoke 640 x 480", Picture, SmokeAll, Picture, 1}),
    bench::Register({"SmokeFade 640 x 480", Picture, SmokeFadeAll, Picture, 1}),
    bench::Register({"Zoom2 640 x 480 (320 x 240 doubled)", Picture, Zoom2All, Picture, 1}),
    bench::Register({"Zoom4 640 x 480 (160 x 120 quadrupled)", Picture, Zoom4All, Picture, 1}),
    bench::Register({"DiscMosaic over the whole screen, cell 8", Picture, MosaicAll, Picture, 1}),
    bench::Register({"Grain 640 x 480", Picture, GrainAll, Picture, 1}),
    bench::Register({"GrainRGB 640 x 480", Picture, GrainRgbAll, Picture, 1}),
};

}  // namespace
