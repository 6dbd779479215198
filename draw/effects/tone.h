// Tone kernels: the source's own colours changed and written over the target
// (brightness, grey, channel mask). Same view conventions as blend.h.
#ifndef MU_DRAW_EFFECTS_TONE_H
#define MU_DRAW_EFFECTS_TONE_H

#include "draw/effects/blend.h"

namespace mu {

// Native channels: min(trunc(s x factor), max), factor held to 0..256.
void Brightness(PixelView dst, ConstPixelView src, const PixelFormat& f, ChannelFloats factor);
// (R + G + B) / 3 of the source's level components, in all three channels.
void GrayBlt(PixelView dst, ConstPixelView src, const PixelFormat& f);
// The source with the channels not kept cleared.
void ChannelMask(PixelView dst, ConstPixelView src, const PixelFormat& f, bool keepRed,
                 bool keepGreen, bool keepBlue);

}  // namespace mu

#endif
