// Platform-free rules of the text output: the font list and its lookups, the
// fields a font selection writes into the shared font record, the frame-rate
// counter and bounded formatting of Shift-JIS texts.
#ifndef MU_TEXT_TEXT_RULES_H
#define MU_TEXT_TEXT_RULES_H

#include <cstdarg>
#include <cstddef>
#include <cstdint>

namespace mu {

constexpr int kFontListRows = 200;
constexpr int kFontEntryNameBytes = 36;   // enumerated names are at most 32 bytes
constexpr int kFaceNameBytes = 32;        // face name of the font record, terminator included
constexpr unsigned char kShiftJisCharSet = 128;
constexpr unsigned char kSymbolCharSet = 2;

enum FontKind { kFontFree = -1, kFontShiftJis = 1, kFontOther = 2, kFontSymbol = 3 };

struct FontEntry {
  char faceName[kFontEntryNameBytes];   // empty in a free row
  int kind;                             // FontKind
  unsigned char charSet;                // as enumerated; 0 in a free row
};

// Empties every row and the count.
void ClearFontList(FontEntry* list, int& count);
// Lists one enumerated face; 0 once the list is full (enumeration stops).
int AddFontEntry(FontEntry* list, int& count, const char* faceName, unsigned charSet);
// The character set of the first row whose name equals `name` exactly (free
// rows have the empty name); Shift-JIS when no row matches.
unsigned char CharSetForFace(const FontEntry* list, const char* name);

// Face of family 0 (Mincho) and 1 (Gothic); null for any other family.
const char* FamilyFace(int family);
// 400 for weight 0, 700 for 1, 0 (let GDI choose) for anything else.
int FontWeight(int weight);
// Copies a face name, cut to fit `size` bytes with the terminator; a double-byte
// character that would be split is left out whole.
void CopyFaceName(char* dst, std::size_t size, const char* src);

// Writes the fields a back-screen selection sets; face null keeps the face.
// LogFont is the Windows LOGFONTA or any record with the same field names.
template <class LogFont>
void WriteScreenFont(LogFont& f, const char* face, int height, int angle, int weight, int italic,
                     int underline) {
  if (face) CopyFaceName(f.lfFaceName, sizeof f.lfFaceName, face);
  f.lfHeight = height;
  f.lfWidth = 0;
  f.lfEscapement = angle * 10;   // tenths of a degree
  f.lfWeight = FontWeight(weight);
  f.lfItalic = static_cast<unsigned char>(italic);
  f.lfUnderline = static_cast<unsigned char>(underline);
  f.lfCharSet = kShiftJisCharSet;
}

// The Font buffer's selection: double height, upright, normal, plain.
template <class LogFont>
void WriteBufferFont(LogFont& f, const char* face, int size) {
  WriteScreenFont(f, face, 2 * size, 0, 0, 0, 0);
}

// Frame-rate line: samples every two seconds of timer readings.
constexpr int kFpsFramesMax = 999;
constexpr std::uint32_t kFpsWindowMs = 2000;
constexpr int kFpsTextBytes = 64;

struct FpsCounter {
  int frames;
  float current, highest, lowest;
  std::uint32_t nextSample;
};
FpsCounter FpsStart(std::uint32_t now);
// One frame: takes a sample once `now` reaches nextSample (the next window
// starts at `fresh`), then counts the frame.
void FpsTick(FpsCounter& c, std::uint32_t now, std::uint32_t fresh);
// "cur fps ( max hi / min lo )" into buf; returns the length.
int FormatFps(const FpsCounter& c, char* buf, std::size_t size);

// printf-style formatting bounded by the buffer: a longer text is cut, never
// in the middle of a double-byte character. Returns the stored length.
int FormatText(char* buf, std::size_t size, const char* format, std::va_list args);

}  // namespace mu

#endif
