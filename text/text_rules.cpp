#include "text/text_rules.h"

#include "app/paths.h"

#include <cstdio>
#include <cstring>

namespace mu {

void ClearFontList(FontEntry* list, int& count) {
  for (int i = 0; i < kFontListRows; ++i) {
    list[i].faceName[0] = '\0';
    list[i].kind = kFontFree;
    list[i].charSet = 0;
  }
  count = 0;
}

int AddFontEntry(FontEntry* list, int& count, const char* faceName, unsigned charSet) {
  if (count >= kFontListRows) return 0;
  FontEntry& e = list[count];
  CopyFaceName(e.faceName, sizeof e.faceName, faceName);
  e.kind = charSet == kShiftJisCharSet ? kFontShiftJis
           : charSet == kSymbolCharSet ? kFontSymbol
                                       : kFontOther;
  e.charSet = static_cast<unsigned char>(charSet);
  ++count;
  return 1;
}

unsigned char CharSetForFace(const FontEntry* list, const char* name) {
  for (int i = 0; i < kFontListRows; ++i) {
    if (std::strcmp(list[i].faceName, name) == 0) return list[i].charSet;
  }
  return kShiftJisCharSet;
}

const char* FamilyFace(int family) {
  if (family == 0) return "標準明朝";
  if (family == 1) return "標準ゴシック";
  return nullptr;
}

int FontWeight(int weight) {
  if (weight == 0) return 400;
  if (weight == 1) return 700;
  return 0;
}


// Cuts `s` (length n, already terminated within the buffer) so that it does not
// end with the lead byte of a character whose trail byte was cut away.
static int TrimSplitCharacter(char* s, int n) {
  int i = 0;
  while (i < n) {
    if (Cp932LeadByte(static_cast<unsigned char>(s[i]))) {
      if (i + 1 >= n) break;   // lone lead byte at the end
      i += 2;
    } else {
      ++i;
    }
  }
  s[i] = '\0';
  return i;
}

void CopyFaceName(char* dst, std::size_t size, const char* src) {
  if (size == 0) return;
  std::size_t n = 0;
  if (src) {
    while (n + 1 < size && src[n] != '\0') {
      dst[n] = src[n];
      ++n;
    }
  }
  dst[n] = '\0';
  if (src && src[n] != '\0') TrimSplitCharacter(dst, static_cast<int>(n));
}

FpsCounter FpsStart(std::uint32_t now) { return FpsCounter{0, 0.0f, 0.0f, 999.9f, now}; }

void FpsTick(FpsCounter& c, std::uint32_t now, std::uint32_t fresh) {
  // Signed distance: the window closes correctly across the timer's wrap.
  if (static_cast<std::int32_t>(now - c.nextSample) >= 0) {
    c.current = c.frames / 2.0f;   // the count covers two seconds
    if (c.current > c.highest) c.highest = c.current;
    if (c.current > 0 && c.current < c.lowest) c.lowest = c.current;
    c.nextSample = fresh + kFpsWindowMs;
    c.frames = 0;
  }
  if (++c.frames > kFpsFramesMax) c.frames = kFpsFramesMax;
}

int FormatFps(const FpsCounter& c, char* buf, std::size_t size) {
  int n = std::snprintf(buf, size, "%3.1f fps ( max %3.1f / min %3.1f )", c.current, c.highest,
                        c.lowest);
  if (n < 0) n = 0;
  return static_cast<std::size_t>(n) < size ? n : static_cast<int>(size) - 1;
}

int FormatText(char* buf, std::size_t size, const char* format, std::va_list args) {
  if (size == 0) return 0;
  int n = std::vsnprintf(buf, size, format ? format : "", args);
  if (n < 0) {
    buf[0] = '\0';
    return 0;
  }
  if (static_cast<std::size_t>(n) < size) return n;
  return TrimSplitCharacter(buf, static_cast<int>(size) - 1);   // cut to fit
}

}  // namespace mu
