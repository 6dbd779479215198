// Path text helpers for the executable's directory and the data root. They
// work on Shift-JIS bytes: a trail byte may be 0x5C ("\"), so every scan for a
// backslash steps over double-byte characters, judged by the lead-byte test the
// caller passes (IsDBCSLeadByte on Windows, Cp932LeadByte elsewhere).
#ifndef MU_APP_PATHS_H
#define MU_APP_PATHS_H

#include <cstddef>

namespace mu {

using LeadByteTest = bool (*)(unsigned char byte);

// Lead bytes of code page 932: 0x81-0x9F and 0xE0-0xFC.
bool Cp932LeadByte(unsigned char byte);

// Lead bytes of the system's code page (IsDBCSLeadByte): the test every
// Windows-side caller passes. Defined by the Windows build only.
bool SystemLeadByte(unsigned char byte);

// Offset of the last backslash among the first `length` bytes of `text` that
// is a character of its own (not the trail byte of a double-byte one); -1 if none.
int LastBackslash(const char* text, int length, LeadByteTest isLead);

// The file name of a path: the part after its last backslash (a backslash of
// its own, not the trail byte of a double-byte character); the entry name of
// the picture and sound packs.
const char* FileNameOf(const char* path, LeadByteTest isLead);

// Cuts the file name off a full path, keeping the trailing backslash; a path
// without any backslash becomes empty.
void CutFileName(char* path, LeadByteTest isLead);

// The last directory name of `dir` (which ends with a backslash) with its
// trailing backslash, written to out. False (out untouched) when `dir` has no
// backslash before its last one, or when the name does not fit in outSize.
bool LastDirName(const char* dir, char* out, std::size_t outSize, LeadByteTest isLead);

// out = a + b, bounded by outSize. False (and out empty) when it would not fit:
// a file name that overflows a path buffer is refused, never cut.
bool JoinPath(char* out, std::size_t outSize, const char* a, const char* b);

// A data-root line as read from its file: drops one trailing line feed, then
// one trailing backslash (only a real one, not a trail byte).
void TrimDataRootLine(char* line, LeadByteTest isLead);

}  // namespace mu

#endif
