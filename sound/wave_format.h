// The layout of RIFF WAVE sounds, found without any platform call: where the
// format and the samples of a WAVE file lie, and whether a WAVE resource's
// fixed 44-byte layout fits the resource. Every offset and size is checked
// against the bytes that really exist before anything is read or allocated,
// so a truncated or lying file is refused instead of read past its end.
#ifndef MU_SOUND_WAVE_FORMAT_H
#define MU_SOUND_WAVE_FORMAT_H

#include <cstdint>

namespace mu {

constexpr uint32_t kPcmFormatBytes = 16;     // PCMWAVEFORMAT as stored in "fmt "
constexpr uint32_t kWaveFormatExBytes = 18;  // WAVEFORMATEX: PCMWAVEFORMAT + cbSize
constexpr uint16_t kWaveFormatPcm = 1;
constexpr uint32_t kResourceFormatOffset = 20;  // resource layout: WAVEFORMATEX here,
constexpr uint32_t kResourceSizeOffset = 40;    // the sample byte count here,
constexpr uint32_t kResourceHeaderBytes = 44;   // and the samples from here on

// Random access to a file's bytes: read fills exactly `length` bytes from
// `offset`, or returns false.
struct ByteSource {
  void* context;
  uint32_t size;
  bool (*read)(void* context, uint32_t offset, void* out, uint32_t length);
};

// A byte source over a block in memory.
struct MemoryBytes {
  const uint8_t* data;
  uint32_t size;
};
ByteSource MemorySource(const MemoryBytes* bytes);

struct WaveLayout {
  uint8_t pcmFormat[kPcmFormatBytes];  // the "fmt " chunk's first 16 bytes
  uint16_t extraBytes;                 // cbSize: format bytes after the first 18 (0 for PCM)
  uint32_t extraOffset;                // file offset of those extra bytes
  uint32_t dataOffset;                 // file offset of the first sample byte
  uint32_t dataBytes;                  // size of the "data" chunk, all of it inside the file
};

// Finds the format and the samples of a RIFF WAVE file; false for anything malformed.
bool FindWaveLayout(const ByteSource& source, WaveLayout* layout);

// Size of the format block (a WAVEFORMATEX with its extra bytes): 18 + extra.
uint32_t WaveFormatBlockBytes(const WaveLayout& layout);

// Writes the format block: the 16 stored bytes, cbSize, then the extra bytes
// read from the source. `block` holds WaveFormatBlockBytes bytes.
bool ReadWaveFormatBlock(const ByteSource& source, const WaveLayout& layout, uint8_t* block);

// A WAVE resource read by its fixed layout: the format's 16 bytes at byte 20,
// the sample count at byte 40 and the samples from byte 44, all inside `size`.
struct ResourceWave {
  const uint8_t* pcmFormat;  // 16 bytes
  const uint8_t* samples;
  uint32_t sampleBytes;
};
bool ReadResourceWave(const uint8_t* data, uint32_t size, ResourceWave* wave);

}  // namespace mu

#endif
