// Picture pack files without any platform call: finding an entry by its name,
// turning its 5-5-5 pixels into a surface's pixel format, and writing entries.
//
// A pack is entries one after another, no header and no padding, integers
// little-endian: width (2 bytes), height (2 bytes), the upper-case name with
// its zero byte, then width x height 16-bit pixels, rows top to bottom, red in
// bits 14..10, green 9..5, blue 4..0. Packs come from users' disks, so every
// size read from one is checked against the bytes the file really holds.
#ifndef MU_DRAW_PACK_FORMAT_H
#define MU_DRAW_PACK_FORMAT_H

#include <cstdint>
#include <cstdio>

#include "app/paths.h"
#include "draw/pixels/pixel_view.h"

namespace mu {

constexpr int kPackNameBuffer = 128;  // bytes an entry name may take, zero byte included
constexpr int kPackNameMax = 30;      // longest name an entry is found by (a sprite's name)
constexpr int kPackSizeMax = 0xFFFF;  // widths and heights are 2-byte fields

// A picture pack entry (the sound packs' entries are mu::PackEntry: one name
// must not stand for two different records in the one program).
struct PictureEntry {
  int width, height;  // both at least 1
};

// Scans the pack open in `file` from its start for the first entry named
// exactly `name` (already upper case). True when found: the file then stands
// at the entry's first pixel, and all of its pixels lie inside the file.
// False for a name longer than kPackNameMax, an entry of zero width or
// height, and whenever the scan meets the file's end or a damaged entry
// (a cut header, a name without its zero byte within kPackNameBuffer,
// pixels that run past the end) before the entry.
bool FindPackEntry(std::FILE* file, const char* name, PictureEntry* entry);

// True for the pixel formats pack pictures can be turned into (16 and 32 bits).
bool PackReadable(const PixelFormat& f);

// Reads view.width x view.height pack pixels (rows top to bottom) from the
// file's position into the view in format f: on 16 bits each 5-bit value sits
// at its channel's top five bits (a 6-bit channel's lowest bit stays 0); on
// 32 bits it is widened to 8 bits (v << 3 | v >> 2) at the channel's shift.
// False when the file ends early or f is not PackReadable.
bool ReadPackPixels(std::FILE* file, PixelView view, const PixelFormat& f);

// A COLORREF (0x00BBGGRR) as a pack pixel: each channel's top five bits, except
// that a colour which is not pure black but would become 0 gets blue 1, so
// that only pure black is 0 and black can serve as the colour key.
std::uint16_t PackFromColor(std::uint32_t colorref);

// The colour of pixel (x, y) of the picture being written, as a COLORREF.
using ColorAt = std::uint32_t (*)(void* context, int x, int y);

// Appends one entry at the file's position: sizes, name and zero byte, then
// every pixel through PackFromColor. False (nothing written) for a name longer
// than kPackNameMax or sizes outside 0..kPackSizeMax; false after a write error.
bool WritePackEntry(std::FILE* file, const char* name, int width, int height, ColorAt colorAt,
                    void* context);

}  // namespace mu

#endif
