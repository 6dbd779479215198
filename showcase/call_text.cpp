#include "showcase/call_text.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "text/text_rules.h"

namespace showcase {

CallLog setupCalls;
CallLog eventCalls{{}, 0, 0, true};
CallLog frameCalls;
CallLog* recording = nullptr;

namespace {

// The last bytes of a line stay free for ")" or, after a cut, "...".
constexpr char kCutMark[] = "...";
constexpr int kTextLimit = kCallTextBytes - static_cast<int>(sizeof kCutMark);

// Appends formatted text, cut at a character boundary where it does not fit.
void AppendList(CallText& c, const char* format, std::va_list args) {
  std::va_list count;
  va_copy(count, args);
  const int wanted = std::vsnprintf(nullptr, 0, format, count);
  va_end(count);
  const int stored = mu::FormatText(c.text + c.length, kTextLimit - c.length, format, args);
  c.length += stored;
  if (stored < wanted) c.cut = true;
}

void Append(CallText& c, const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  AppendList(c, format, args);
  va_end(args);
}

void Separate(CallText& c) {
  if (c.arguments++ > 0) Append(c, ", ");
}

}  // namespace

void BeginCall(CallText& c, const char* name) {
  c.text[0] = '\0';
  c.length = 0;
  c.arguments = 0;
  c.cut = false;
  Append(c, "%s(", name);
}

void AppendInteger(CallText& c, long long value) {
  Separate(c);
  Append(c, "%lld", value);
}

void AppendHex(CallText& c, unsigned long long value, int digits) {
  Separate(c);
  Append(c, "0x%0*llX", digits, value);
}

void AppendReal(CallText& c, double value) {
  Separate(c);
  char number[64];
  std::snprintf(number, sizeof number, "%.2f", value);
  // 1.50 -> 1.5 and 2.00 -> 2.0: the point stays, with one decimal at least.
  const char* point = std::strchr(number, '.');
  if (point) {
    int n = static_cast<int>(std::strlen(number));
    const int keep = static_cast<int>(point - number) + 2;
    while (n > keep && number[n - 1] == '0') number[--n] = '\0';
  }
  Append(c, "%s", number);
}

void AppendQuoted(CallText& c, const char* text) {
  Separate(c);
  if (text) {
    Append(c, "\"%s\"", text);
  } else {
    Append(c, "NULL");
  }
}

void AppendLabel(CallText& c, const char* label) {
  Separate(c);
  Append(c, "%s", label);
}

void EndCall(CallText& c) {
  const char* end = c.cut ? kCutMark : ")";
  std::snprintf(c.text + c.length, sizeof c.text - c.length, "%s", end);
  c.length += static_cast<int>(std::strlen(end));
}

void ClearCalls(CallLog& log) {
  log.count = 0;
  log.dropped = 0;
}

namespace {

// Removes line i, moving the later ones up.
void RemoveLine(CallLog& log, int i) {
  for (; i + 1 < log.count; ++i) log.lines[i] = log.lines[i + 1];
  --log.count;
}

}  // namespace

void Record(CallLog* log, const char* name, const CallText& c) {
  if (!log) return;
  for (int i = 0; i < log->count; ++i) {
    if (std::strcmp(log->lines[i].name, name) != 0) continue;
    if (!log->keepLatest) {
      ++log->lines[i].repeats;
      return;
    }
    RemoveLine(*log, i);   // taken again below, as the newest
    break;
  }
  if (log->count == kCallLines) {
    ++log->dropped;
    if (!log->keepLatest) return;
    RemoveLine(*log, 0);   // the oldest event makes room
  }
  CallLine& line = log->lines[log->count++];
  std::snprintf(line.name, sizeof line.name, "%s", name);
  std::memcpy(line.text, c.text, sizeof line.text);
  line.repeats = 0;
}

void RecordText(const char* name, const char* format, ...) {
  if (!recording) return;
  CallText c;
  BeginCall(c, name);
  std::va_list args;
  va_start(args, format);
  AppendList(c, format, args);
  va_end(args);
  c.arguments = 1;
  EndCall(c);
  Record(recording, name, c);
}

}  // namespace showcase
