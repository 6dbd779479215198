// The sound pack file: entries one after another to the end of the file, with
// no header, count or index. Each entry is `Size` (4 bytes, little-endian),
// the entry name with its terminating zero (an upper-case file name of at most
// 127 characters), `HeadSize` (4 bytes), a format block of HeadSize bytes (a
// WAVEFORMATEX with its extra bytes) and Size sample bytes.
//
// The scan checks every size against the bytes the file really holds before it
// moves on, so a pack that is cut short or whose sizes lie ends the search as
// "not found", and nothing is ever allocated or read from a size that lies.
#ifndef MU_SOUND_SOUND_PACK_H
#define MU_SOUND_SOUND_PACK_H

#include <cstdint>
#include <cstdio>

#include "app/paths.h"
#include "sound/wave_format.h"

namespace mu {

constexpr uint32_t kPackNameMax = 127;                            // characters of an entry name
constexpr uint32_t kPackFormatMin = kPcmFormatBytes;              // HeadSize: a bare PCMWAVEFORMAT
constexpr uint32_t kPackFormatMax = kWaveFormatExBytes + 0xFFFF;  // 18 + the largest cbSize

struct PackEntry {
  uint32_t sampleBytes;   // Size
  uint32_t formatBytes;   // HeadSize
  uint32_t formatOffset;  // file offset of the format block
  uint32_t dataOffset;    // file offset of the first sample byte
};

// Finds the first entry whose name equals `name` byte for byte (the caller
// upper-cases it). False at the end of the pack, and at the first entry that
// does not fit the file: a name without its zero within 128 bytes, a HeadSize
// outside kPackFormatMin..kPackFormatMax, a format block or samples past the end.
bool FindPackEntry(const ByteSource& source, const char* name, PackEntry* entry);

// What a sound needs of its format block.
struct SoundFormat {
  uint16_t tag, channels;
  uint32_t samplesPerSec, avgBytesPerSec;
  uint16_t blockAlign, bits;
  uint16_t extraBytes;  // cbSize
};

// Bytes of the block ReadPackFormat fills: HeadSize, and at least a whole
// WAVEFORMATEX (a 16-byte block gets a cbSize of 0).
uint32_t PackFormatBlockBytes(const PackEntry& entry);

// Reads an entry's format block into `block` (PackFormatBlockBytes bytes) and
// parses it. False when it cannot be read, or when its cbSize claims more
// extra bytes than the block holds (a reader of the block would run past it).
bool ReadPackFormat(const ByteSource& source, const PackEntry& entry, uint8_t* block,
                    SoundFormat* format);

// A byte source over a file opened with stdio in binary mode, sized when made.
// Reads that follow on from the last one do not seek.
struct FileBytes {
  std::FILE* file;
  uint32_t position;  // where the next read starts without a seek
};
ByteSource FileSource(FileBytes* bytes);

// A pack file opened for reading ("rb") as a byte source, closed with the
// object or by close(). An empty path opens nothing.
class PackFile {
 public:
  explicit PackFile(const char* path);
  ~PackFile() { close(); }
  PackFile(const PackFile&) = delete;
  PackFile& operator=(const PackFile&) = delete;
  bool open() const { return bytes_.file != nullptr; }
  const ByteSource& source() const { return source_; }
  void close();

 private:
  FileBytes bytes_{};
  ByteSource source_{};
};

// Appends one entry. Writes nothing (and returns false) for a name of more
// than kPackNameMax characters or a format block outside the HeadSize bounds,
// so that every entry written can be found again.
bool WritePackEntry(std::FILE* file, const char* name, const uint8_t* format, uint32_t formatBytes,
                    const uint8_t* samples, uint32_t sampleBytes);

}  // namespace mu

#endif
