#include "app/paths.h"

#include <cstring>

namespace mu {

bool Cp932LeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

int LastBackslash(const char* text, int length, LeadByteTest isLead) {
  int found = -1;
  // Walk forward character by character: only a forward walk knows whether a
  // byte is a lead or a trail byte.
  for (int i = 0; i < length && text[i] != '\0'; ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (isLead(c) && i + 1 < length && text[i + 1] != '\0') {
      ++i;  // skip the trail byte, which may be 0x5C
    } else if (c == '\\') {
      found = i;
    }
  }
  return found;
}

const char* FileNameOf(const char* path, LeadByteTest isLead) {
  return path + LastBackslash(path, static_cast<int>(std::strlen(path)), isLead) + 1;
}

void CutFileName(char* path, LeadByteTest isLead) {
  int last = LastBackslash(path, static_cast<int>(std::strlen(path)), isLead);
  path[last + 1] = '\0';  // last == -1 empties the path
}

bool LastDirName(const char* dir, char* out, std::size_t outSize, LeadByteTest isLead) {
  int length = static_cast<int>(std::strlen(dir));
  if (length < 2) return false;
  // The backslash before the trailing one: search all but the last byte.
  int before = LastBackslash(dir, length - 1, isLead);
  if (before < 0) return false;
  std::size_t nameLength = static_cast<std::size_t>(length - before - 1);
  if (nameLength + 1 > outSize) return false;
  std::memcpy(out, dir + before + 1, nameLength);
  out[nameLength] = '\0';
  return true;
}

bool JoinPath(char* out, std::size_t outSize, const char* a, const char* b) {
  std::size_t la = std::strlen(a), lb = std::strlen(b);
  if (outSize == 0) return false;
  if (la + lb + 1 > outSize) {
    out[0] = '\0';
    return false;
  }
  std::memmove(out, a, la);  // a may be out itself
  std::memcpy(out + la, b, lb);
  out[la + lb] = '\0';
  return true;
}

void TrimDataRootLine(char* line, LeadByteTest isLead) {
  std::size_t length = std::strlen(line);
  if (length > 0 && line[length - 1] == '\n') line[--length] = '\0';
  if (length > 0 && line[length - 1] == '\r') line[--length] = '\0';
  int last = LastBackslash(line, static_cast<int>(length), isLead);
  if (length > 0 && last == static_cast<int>(length) - 1) line[last] = '\0';
}

}  // namespace mu
