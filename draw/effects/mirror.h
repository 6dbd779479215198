// The mirrored blit's rule: which source pixel each destination pixel takes
// in each mirror mode, cut to the clip rectangle and to both surfaces, and
// the copy that leaves out pixels of value 0. Mirroring moves whole pixels,
// so one rule serves 16- and 32-bit pictures.
#ifndef MU_DRAW_EFFECTS_MIRROR_H
#define MU_DRAW_EFFECTS_MIRROR_H

#include "draw/pixels/clip.h"
#include "draw/pixels/pixel_view.h"

namespace mu {

constexpr int kMirrorModes = 4;   // 0 as is, 1 left-right, 2 upside down, 3 both

// The part of a mirrored blit that is written: width x height destination
// pixels at (x, y), read from the source rectangle of the same size at
// (left, top), right to left when flipX and bottom to top when flipY.
struct MirrorArea {
  int x, y;
  int left, top;
  int width, height;
  bool flipX, flipY;
};

// A source rectangle drawn at (x, y) in a mode: destination pixel (x + i, y + j)
// takes source column left + i (modes 0 and 2) or right - 1 - i (1 and 3) and
// source row top + j (0 and 1) or bottom - 1 - j (2 and 3). `clipped` is the
// destination after the clip rectangle (ClipEffect); the area is further cut so
// that every pixel read lies on the source surface and every pixel written on
// the target. False when nothing is written, or for a mode outside 0..3.
bool PlanMirror(const EffectArea& clipped, int x, int y, int mode, const ClipBounds& source,
                int srcWidth, int srcHeight, int dstWidth, int dstHeight, MirrorArea& out);

// Copies the non-zero pixels of src into dst (equal sizes), reading src's
// columns and rows reversed as asked. bytesPerPixel 2 or 4; others copy nothing.
void MirrorCopy(PixelView dst, ConstPixelView src, int bytesPerPixel, bool flipX, bool flipY);

}  // namespace mu

#endif
