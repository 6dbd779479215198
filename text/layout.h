// The text layout's walk over a Shift-JIS text, as plain C++: characters are
// measured and drawn through a GlyphCanvas (GDI on Windows, a fixed-width
// fake in the native tests), so that every rule of the walk — lead bytes,
// line breaks, wrapping at the right edge, hanging punctuation, the bottom
// edge, the glyph entries and the bounding box — is decided here. Also the
// drawing passes of one glyph, the near-black colour rule and the typewriter
// reveal's step.
#ifndef MU_TEXT_LAYOUT_H
#define MU_TEXT_LAYOUT_H

#include <cstdint>

#include "app/paths.h"

namespace mu {
// The count of the hanging characters, muDraw::kHangingChars of mu.h (a file
// that sees both declarations of the table compiles only when they agree, and
// the table's definition only when it holds exactly this many).
constexpr int kHangingCharCount = 15;
}  // namespace mu

namespace muDraw {
// The characters that may end a line past the right edge instead of moving
// to the next line ("、", "。", ..., the full-width and the ASCII space).
extern const char* const hangingChars[mu::kHangingCharCount];
}  // namespace muDraw

namespace mu {

// Bits of a message call's flags.
constexpr int kSpacingMask = 0xFF;   // extra line spacing (double-size pixels when smoothed)
constexpr int kShadowFlag = 0x100;   // shadow in the background colour, down and right
constexpr int kWideFlag = 0x200;     // drawn again one pixel to the right
constexpr int kTallFlag = 0x400;     // drawn again one pixel lower
constexpr int kMaxGlyphPasses = 5;
constexpr std::uint32_t kLiftedBlack = 0x101010;

struct GlyphBox {
  int left, top, right, bottom;
};

struct Extent {
  int width, height;
};

// One drawing of a glyph: offset from its position, in the background
// colour (the shadow) or the text colour.
struct GlyphPass {
  int dx, dy;
  bool shadow;
};

// The passes of one glyph in drawing order, at final size (scale 1) or at
// the smoothed routines' double size (scale 2); returns their number.
int GlyphPasses(int flags, int scale, GlyphPass out[kMaxGlyphPasses]);

// A COLORREF whose red, green and blue are all below 16 becomes 0x101010, so
// that no drawn pixel can equal the transparent value 0; others stay.
std::uint32_t LiftNearBlack(std::uint32_t color);

// Bytes of the character at `text`: 2 for a lead byte and its trail byte, 1
// for any other byte, 0 at the end of the text (its terminator, or a lead
// byte whose trail byte is missing).
int CharacterBytes(const char* text, LeadByteTest isLead);

// True when the character (1 or 2 bytes) is one of muDraw::hangingChars.
bool IsHanging(const char* character, int bytes);

// Where the walk measures, draws and records.
class GlyphCanvas {
 public:
  // The character's size as drawn by one pass, in the canvas's pixels.
  virtual Extent Measure(const char* character, int bytes) = 0;
  // One pass of the character with its top-left at (x, y).
  virtual void Draw(int x, int y, const char* character, int bytes, bool shadow) = 0;
  // Glyph entry `index` (1, 2, ...) of a character that stays on its line.
  virtual void Keep(int index, const GlyphBox& box) = 0;
  // Smoothed walk only: the double-size segment drawn so far (width x height
  // from the canvas's top-left) goes to (x, y) at final size; the canvas is
  // then empty again.
  virtual void Flush(int x, int y, int width, int height) {}

 protected:
  ~GlyphCanvas() = default;
};

struct LayoutBox {
  int left, top, right, bottom;
};

struct Layout {
  int count;        // glyph entries in use, entry 0 (the bounds) included
  GlyphBox bounds;  // entry 0: left and top are the start position
};

// What a walk needs besides the text and its canvas.
struct LayoutRequest {
  LayoutBox box;      // final pixels
  int flags;
  int fontHeight;     // the selection's height (double size for the smoothed walk)
  int entries;        // capacity of the glyph table, entry 0 included
  LeadByteTest isLead;
};

// The plain walk: each character drawn at final size where it stands.
// A text that cannot be laid out further (a character wider than the box,
// the glyph table full, the next line at the bottom) ends there.
Layout LayOut(const char* text, const LayoutRequest& request, GlyphCanvas& canvas);

// The smoothed walk: characters drawn at double size one after another from
// the canvas's left edge, and flushed as a segment at each line break, at the
// right edge, and when the segment fills `bufferWidth` double-size pixels.
Layout LayOutSmooth(const char* text, const LayoutRequest& request, int bufferWidth,
                    GlyphCanvas& canvas);

// The typewriter reveal: what one call copies from the Font sprite.
struct RevealStep {
  bool whole;    // the bounding box (entry 0) at once
  int shown;     // otherwise entries 1 .. shown - 1, one by one
  int result;    // 1 once the whole text is shown
};

// One call with `interval` seconds per character after a frame of
// `frameSeconds`, over a glyph table of `count` entries; advances the
// reveal's count and timer.
RevealStep Reveal(int& revealCount, float& revealTimer, float interval, float frameSeconds,
                  int count);

}  // namespace mu

#endif
