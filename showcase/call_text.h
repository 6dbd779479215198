// The lines of library calls a showcase page prints under its picture: each
// call made through SHOW is recorded as its operation name and the values of
// its arguments ("muDraw::WaveBlt(16, 56, 10, 2, 180.0, photo, 0, 0, 256,
// 192, 0)") and then made. Three lists are kept: the set-up calls made when a
// page opens, the calls of the current frame, and events (calls made now and
// then, such as starting a curtain or a sound), which stay until the page
// closes. A list that meets an operation again counts the repeat; the events
// instead keep its newest call, moved to the end, and when full they forget
// their oldest.
// Platform-free, so that the formatting is tested natively.
#ifndef SHOWCASE_CALL_TEXT_H
#define SHOWCASE_CALL_TEXT_H

namespace showcase {

constexpr int kCallTextBytes = 160;   // one printed line, terminator included
constexpr int kCallLines = 8;         // lines of the call panel

// One call line being written: "name(" then arguments, then ")".
struct CallText {
  char text[kCallTextBytes];
  int length;
  int arguments;   // written so far: the next one is preceded by ", "
  bool cut;        // something did not fit: the line ends in "..."
};

void BeginCall(CallText& c, const char* name);
void AppendInteger(CallText& c, long long value);
void AppendHex(CallText& c, unsigned long long value, int digits);   // 0x and at least digits
void AppendReal(CallText& c, double value);       // two decimals, trailing zeros but one dropped
void AppendQuoted(CallText& c, const char* text); // "text" (a null text prints as NULL)
void AppendLabel(CallText& c, const char* label); // as it stands
void EndCall(CallText& c);                         // ")"; a cut line ends in "..."

// The recorded lines: set-up calls and the current frame's calls.
struct CallLine {
  char text[kCallTextBytes];
  char name[kCallTextBytes];   // the operation, to find repeats
  int repeats;                 // further calls of the same operation in this list
};
struct CallLog {
  CallLine lines[kCallLines];
  int count;
  int dropped;                 // operations that found the list full (events: forgotten)
  bool keepLatest;             // events: a repeat becomes the newest line; the oldest goes
};

extern CallLog setupCalls;     // cleared when a page opens
extern CallLog eventCalls;     // cleared when a page opens; latest arguments
extern CallLog frameCalls;     // cleared before each frame of a page
extern CallLog* recording;     // where Record writes; null records nothing

// While one of these lives, calls are recorded as events.
struct EventCalls {
  CallLog* saved;
  EventCalls() : saved(recording) { recording = recording ? &eventCalls : nullptr; }
  ~EventCalls() { recording = saved; }
  EventCalls(const EventCalls&) = delete;
  EventCalls& operator=(const EventCalls&) = delete;
};

void ClearCalls(CallLog& log);
// Adds a finished line under its operation name, or counts a repeat.
void Record(CallLog* log, const char* name, const CallText& c);
// Records a line written by hand (for operations with a variable argument list).
void RecordText(const char* name, const char* format, ...);

// An argument printed otherwise than by its value: by a label (a sprite by the
// name of the variable that holds it, a point list by what it draws), or in hex.
template <class T>
struct Named {
  T value;
  const char* label;
  operator T() const { return value; }
};
template <class T>
struct InHex {
  T value;
  int digits;
  operator T() const { return value; }
};
template <class T>
Named<T> Label(T value, const char* label) {
  return Named<T>{value, label};
}
template <class T>
InHex<T> Hex(T value, int digits) {
  return InHex<T>{value, digits};
}

inline void AppendValue(CallText& c, int v) { AppendInteger(c, v); }
inline void AppendValue(CallText& c, unsigned v) { AppendInteger(c, v); }
inline void AppendValue(CallText& c, long v) { AppendInteger(c, v); }
inline void AppendValue(CallText& c, unsigned long v) { AppendInteger(c, static_cast<long long>(v)); }
inline void AppendValue(CallText& c, float v) { AppendReal(c, v); }
inline void AppendValue(CallText& c, double v) { AppendReal(c, v); }
inline void AppendValue(CallText& c, const char* v) { AppendQuoted(c, v); }
inline void AppendValue(CallText& c, char v) {
  const char quoted[] = {'\'', v, '\'', '\0'};
  AppendLabel(c, quoted);
}

// An argument as the operation's parameter type P sees it.
template <class P, class A>
void AppendArgument(CallText& c, const A& a) {
  AppendValue(c, static_cast<P>(a));
}
template <class P, class T>
void AppendArgument(CallText& c, const Named<T>& a) {
  AppendLabel(c, a.label);
}
template <class P, class T>
void AppendArgument(CallText& c, const InHex<T>& a) {
  AppendHex(c, static_cast<unsigned long long>(a.value), a.digits);
}

// A library operation that records each call before making it.
template <class R, class... P>
struct ShownCall {
  const char* name;
  R (*operation)(P...);
  template <class... A>
  R operator()(const A&... args) const {
    static_assert(sizeof...(A) == sizeof...(P), "one argument per parameter");
    if (recording) {
      CallText c;
      BeginCall(c, name);
      (AppendArgument<P>(c, args), ...);
      EndCall(c);
      Record(recording, name, c);
    }
    return operation(static_cast<P>(args)...);
  }
};
template <class R, class... P>
ShownCall<R, P...> MakeShownCall(const char* name, R (*operation)(P...)) {
  return ShownCall<R, P...>{name, operation};
}

}  // namespace showcase

// SHOW(muDraw::Blt)(x, y, photo, 0, 0, 256, 192): records the call, then makes it.
#define SHOW(operation) ::showcase::MakeShownCall(#operation, &operation)

#endif
