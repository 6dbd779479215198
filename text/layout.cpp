#include "text/layout.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace muDraw {
const char* const hangingChars[] = {"、", "。", "，", "．", "・", "…", "‥", "”",
                                    "’", "（", "」", ",",  ".",  "　", " "};
}  // namespace muDraw

namespace mu {

int GlyphPasses(int flags, int scale, GlyphPass out[kMaxGlyphPasses]) {
  const bool wide = (flags & kWideFlag) != 0, tall = (flags & kTallFlag) != 0;
  int n = 0;
  if (flags & kShadowFlag) {
    // One pixel (two at double size) down and right, one more on each
    // emboldened axis so that the shadow clears the second drawing.
    out[n++] = {scale + (wide ? 1 : 0), scale + (tall ? 1 : 0), true};
  }
  out[n++] = {0, 0, false};
  if (wide) out[n++] = {1, 0, false};
  if (wide && tall) out[n++] = {1, 1, false};
  if (tall) out[n++] = {0, 1, false};
  return n;
}

std::uint32_t LiftNearBlack(std::uint32_t color) {
  const std::uint32_t red = color & 0xFF, green = (color >> 8) & 0xFF, blue = (color >> 16) & 0xFF;
  return red < 16 && green < 16 && blue < 16 ? kLiftedBlack : color;
}

int CharacterBytes(const char* text, LeadByteTest isLead) {
  if (text[0] == '\0') return 0;
  if (!isLead(static_cast<unsigned char>(text[0]))) return 1;
  return text[1] == '\0' ? 0 : 2;
}

bool IsHanging(const char* character, int bytes) {
  for (const char* h : muDraw::hangingChars) {
    if (std::strlen(h) == static_cast<std::size_t>(bytes) && std::memcmp(h, character, bytes) == 0)
      return true;
  }
  return false;
}

namespace {

// The walks keep positions in 64 bits: widths added to a far-off start can
// pass the range of an int without harm.
using Pos = long long;

struct Character {
  const char* text;
  int bytes;
  bool lineBreak;
};

// The next character, or false at the end of the text.
bool Next(const char* p, LeadByteTest isLead, Character& c) {
  c.text = p;
  c.bytes = CharacterBytes(p, isLead);
  c.lineBreak = c.bytes == 1 && *p == '\n';
  return c.bytes > 0;
}

// The character's size as the walk counts it: the extra pixels of the shadow
// and of the emboldening widen its cell.
Extent Cell(Extent measured, int flags, int shadowGrowth) {
  if (flags & kShadowFlag) {
    measured.width += shadowGrowth;
    measured.height += shadowGrowth;
  }
  if (flags & kWideFlag) measured.width += 1;
  if (flags & kTallFlag) measured.height += 1;
  return measured;
}

class Passes {
 public:
  Passes(int flags, int scale) : count_(GlyphPasses(flags, scale, passes_)) {}
  void Draw(GlyphCanvas& canvas, Pos x, Pos y, const Character& c) const {
    for (int i = 0; i < count_; ++i) {
      canvas.Draw(static_cast<int>(x + passes_[i].dx), static_cast<int>(y + passes_[i].dy), c.text,
                  c.bytes, passes_[i].shadow);
    }
  }

 private:
  GlyphPass passes_[kMaxGlyphPasses];
  int count_;
};

GlyphBox Box(Pos left, Pos top, Pos right, Pos bottom) {
  return GlyphBox{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right),
                  static_cast<int>(bottom)};
}

Layout Start(const LayoutRequest& r) {
  // The bounds start empty at the start position and grow with the text.
  return Layout{1, GlyphBox{r.box.left, r.box.top, r.box.left, r.box.top}};
}

}  // namespace

Layout LayOut(const char* text, const LayoutRequest& r, GlyphCanvas& canvas) {
  Layout out = Start(r);
  if (!text) return out;
  const Passes passes(r.flags, 1);
  const LayoutBox& box = r.box;
  Pos x = box.left, y = box.top;
  Pos lineHeight = Pos{r.flags & kSpacingMask} + r.fontHeight;
  const char* p = text;
  Character c;
  while (Next(p, r.isLead, c)) {
    Extent e = {0, 0};
    if (!c.lineBreak) e = Cell(canvas.Measure(c.text, c.bytes), r.flags, 1);
    const Pos start = x;
    x += e.width;
    // The line height only grows, also across lines.
    lineHeight = std::max<Pos>(lineHeight, e.height);

    if (x > box.right || c.lineBreak) {
      const bool hangs = !c.lineBreak && IsHanging(c.text, c.bytes);
      if (c.lineBreak || hangs) {
        if (hangs) passes.Draw(canvas, start, y, c);   // beyond the right edge, on this line
        p += c.bytes;
      } else if (start == box.left) {
        // Wider than the box: it fits on no line, so nothing after it can be drawn.
        break;
      }
      // Any other character is read again at the start of the next line.
      x = box.left;
      y += lineHeight;
      if (y + lineHeight >= box.bottom) break;
      continue;
    }

    if (out.count >= r.entries) break;   // the glyph table is full: the rest is not drawn
    canvas.Keep(out.count++, Box(start, y, x, y + e.height));
    passes.Draw(canvas, start, y, c);
    // The right edge reaches one character's width past the pen, which
    // leaves room for a punctuation mark hanging after the last character.
    out.bounds.right = static_cast<int>(std::max<Pos>(out.bounds.right, x + e.width));
    out.bounds.bottom = static_cast<int>(std::max<Pos>(out.bounds.bottom, y + e.height));
    p += c.bytes;
  }
  return out;
}

Layout LayOutSmooth(const char* text, const LayoutRequest& r, int bufferWidth,
                    GlyphCanvas& canvas) {
  Layout out = Start(r);
  if (!text) return out;
  const Passes passes(r.flags, 2);
  const LayoutBox& box = r.box;
  const Pos baseHeight = Pos{r.flags & kSpacingMask} + r.fontHeight;
  // Line position in final pixels; segment width and line height at double size.
  Pos lineX = box.left, lineY = box.top, segment = 0, lineHeight = baseHeight;

  // Hands the segment to the canvas, cut at the box's bottom (or whole, for
  // the text's last segment); the bounds take only the rows above the bottom.
  auto flush = [&](bool wholeHeight) {
    const Pos below = std::max<Pos>(0, lineY + lineHeight / 2 - box.bottom);
    const Pos visible = lineHeight - 2 * below;
    out.bounds.right = static_cast<int>(std::max<Pos>(out.bounds.right, lineX + segment / 2));
    out.bounds.bottom = static_cast<int>(std::max<Pos>(out.bounds.bottom, lineY + visible / 2));
    canvas.Flush(static_cast<int>(lineX), static_cast<int>(lineY), static_cast<int>(segment),
                 static_cast<int>(wholeHeight ? lineHeight : visible));
  };

  const char* p = text;
  Character c;
  while (Next(p, r.isLead, c)) {
    Extent e = {0, 0};
    if (!c.lineBreak) {
      passes.Draw(canvas, segment, 0, c);
      e = canvas.Measure(c.text, c.bytes);
      // Even sizes, so that the character's cell halves exactly.
      e.width += e.width & 1;
      e.height += e.height & 1;
      e = Cell(e, r.flags, 2);
    }
    const Pos glyphX = lineX + segment / 2;
    segment += e.width;
    lineHeight = std::max<Pos>(lineHeight, e.height);

    const bool pastRight = lineX + segment / 2 >= box.right;
    if (pastRight || segment >= bufferWidth || c.lineBreak) {
      const bool hangs = pastRight && !c.lineBreak && IsHanging(c.text, c.bytes);
      const bool takenBack = !c.lineBreak && !hangs;
      if (takenBack) {
        segment -= e.width;
        // At the start of a line and still too wide: it fits nowhere.
        if (segment == 0 && lineX == box.left) break;
      } else {
        p += c.bytes;
      }
      flush(false);
      lineX += segment / 2;
      // An empty segment means the character did not fit even alone: it
      // moves to the next line, where it starts a fresh one.
      if (lineX + e.width / 2 >= box.right || c.lineBreak || (takenBack && segment == 0)) {
        lineX = box.left;
        lineY += lineHeight / 2;
      }
      segment = 0;
      lineHeight = baseHeight;
      if (lineY >= box.bottom) break;
      continue;
    }

    if (out.count >= r.entries) {   // the glyph table is full: the rest is not drawn
      segment -= e.width;
      break;
    }
    canvas.Keep(out.count++, Box(glyphX, lineY, glyphX + e.width / 2, lineY + e.height / 2));
    p += c.bytes;
  }
  if (segment > 0) flush(true);
  return out;
}

RevealStep Reveal(int& revealCount, float& revealTimer, float interval, float frameSeconds,
                  int count) {
  RevealStep step = {false, revealCount, 0};
  if (interval == 0 || revealCount > count) {
    step.whole = true;
    revealCount = count + 1;
  }
  if (revealCount > count) {
    step.result = 1;
    return step;
  }
  revealTimer += frameSeconds;
  if (revealTimer < interval) return step;
  ++revealCount;
  revealTimer = 0;
  return step;
}

}  // namespace mu
