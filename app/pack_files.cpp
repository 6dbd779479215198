#include "app/pack_files.h"

#include <mu.h>

#include <cstring>

#include "app/paths.h"

namespace mu {

bool UpperCaseName(const char* name, char* out, std::size_t outSize) {
  const std::size_t length = std::strlen(name);
  if (length >= outSize) return false;
  std::memcpy(out, name, length + 1);
  CharUpperBuffA(out, static_cast<DWORD>(length));
  return true;
}

void ForEachFolderFile(const char* folder, const char* pattern,
                       void (*each)(const char* name, const void* context),
                       const void* context) {
  // The search: executable directory + folder + "\" + pattern, or + pattern.
  char inFolder[muSystem::kTextBufferSize], path[muSystem::kTextBufferSize],
      search[muSystem::kTextBufferSize];
  if (!JoinPath(inFolder, sizeof inFolder, folder, folder[0] ? "\\" : "") ||
      !JoinPath(path, sizeof path, muSystem::GetExeDir(0), inFolder) ||
      !JoinPath(search, sizeof search, path, pattern)) {
    return;
  }
  WIN32_FIND_DATAA found;
  HANDLE walk = FindFirstFileA(search, &found);
  if (walk == INVALID_HANDLE_VALUE) return;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    if (!JoinPath(path, sizeof path, inFolder, found.cFileName)) continue;
    CharUpperBuffA(path, static_cast<DWORD>(std::strlen(path)));
    each(path, context);
  } while (FindNextFileA(walk, &found));
  FindClose(walk);
}

}  // namespace mu
