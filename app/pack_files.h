// What the picture packs and the sound packs share on the Windows side: the
// upper-case form their entries are stored and found by, and the walk over
// a folder's files that builds a pack.
#ifndef MU_APP_PACK_FILES_H
#define MU_APP_PACK_FILES_H

#include <cstddef>

namespace mu {

// `name` in upper case (the system's rule, double-byte characters kept) into
// `out` of outSize bytes; false, with `out` untouched, for a name that does
// not fit: no entry of the pack can have it.
bool UpperCaseName(const char* name, char* out, std::size_t outSize);

// Calls each(name, context) for every file (not folder) that matches
// `pattern` ("*.BMP") in `folder` of the executable's directory ("" for the
// directory itself); `name` is the file's path from that directory
// (folder\file), in upper case. A folder, pattern or name too long for a path
// buffer is skipped.
void ForEachFolderFile(const char* folder, const char* pattern,
                       void (*each)(const char* name, const void* context),
                       const void* context);

}  // namespace mu

#endif
