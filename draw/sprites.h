// Internal steps of the sprite table shared by the screen, the loaders, the
// blits, the effects and the frame show: checked access to a record's
// surface, the memory type rule, surface creation and release, the colour
// matching behind the keys, and the clip rectangle as the pixel layer's bounds.
#ifndef MU_DRAW_SPRITES_H
#define MU_DRAW_SPRITES_H

#include <mu.h>

#include "draw/pixels/clip.h"

namespace muDraw {

constexpr DWORD kNoMatch = 0xFFFFFFFF;   // MatchColor's failure value (-1)

// True for an index of the table (0..1023).
inline bool ValidSprite(int sprite) { return sprite >= 0 && sprite < kSpriteCount; }

// The sprite's surface; null for an index outside the table or a record
// without a surface, so that callers never reach a missing picture.
inline LPDIRECTDRAWSURFACE SpriteSurface(int sprite) {
  return ValidSprite(sprite) ? spriteTable[sprite].surface : nullptr;
}

// The clip rectangle as it is set (unchecked: it may reach past the screen).
inline mu::ClipBounds ClipRectangle() { return {clipLeft, clipTop, clipRight, clipBottom}; }

// Surface capabilities for a loader's memory type: 2 lets DirectDraw place
// the surface, any other value asks for system memory.
DWORD MemoryTypeCaps(int memoryType);

// Creates an off-screen surface of width x height with these capabilities.
HRESULT CreatePlainSurface(int width, int height, DWORD caps, LPDIRECTDRAWSURFACE* out);

// Releases a DirectDraw object once and sets its pointer to none; a null
// pointer is left alone, so every release is safe after a partial start-up.
template <typename T>
void ReleaseObject(T*& object) {
  if (object) {
    object->Release();
    object = nullptr;
  }
}

// CreateObject without its colour key, for a caller that keys the sprite
// itself once it holds its picture (probing the key costs two GDI round trips
// through the surface).
int CreateUnkeyed(int width, int height, int memoryType);

// The record's start state: no surface, no name, key black, size 0.
void EmptyRecord(int sprite);

// The lowest free record among 4..1023, or 0 when the table is full.
int FreeRecord();

// The surface's own pixel value for a colour (probed through pixel (0, 0),
// which is put back); with kKeyTopLeft the value at (0, 0). kNoMatch on failure.
DWORD MatchColor(LPDIRECTDRAWSURFACE surface, COLORREF color);

// Sets the surface's source colour key to MatchColor of the colour.
HRESULT ApplyColorKey(LPDIRECTDRAWSURFACE surface, COLORREF color);

// Applies the load colour key to the sprite and records it.
void ApplyLoadKey(int sprite);

}  // namespace muDraw

#endif
