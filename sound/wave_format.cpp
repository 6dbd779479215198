#include "sound/wave_format.h"

#include <cstring>

#include "app/little_endian.h"

namespace mu {

namespace {

bool ReadMemory(void* context, uint32_t offset, void* out, uint32_t length) {
  const MemoryBytes* bytes = static_cast<const MemoryBytes*>(context);
  if (offset > bytes->size || length > bytes->size - offset) return false;
  std::memcpy(out, bytes->data + offset, length);
  return true;
}

struct Chunk {
  uint64_t dataOffset;  // first byte after the 8-byte chunk header
  uint32_t size;
};

// Walks the chunks between begin and end (a parent's data) for the one named
// id. Chunks are padded to an even size. Positions are 64-bit so that a huge
// size cannot wrap round to an earlier offset and loop.
bool FindChunk(const ByteSource& source, uint64_t begin, uint64_t end, const char* id,
               Chunk* chunk) {
  uint64_t position = begin;
  while (position + 8 <= end) {
    uint8_t header[8];
    if (!source.read(source.context, static_cast<uint32_t>(position), header, 8)) return false;
    uint32_t size = Le32(header + 4);
    if (std::memcmp(header, id, 4) == 0) {
      chunk->dataOffset = position + 8;
      chunk->size = size;
      return true;
    }
    position += 8 + static_cast<uint64_t>(size) + (size & 1);
  }
  return false;
}

}  // namespace

ByteSource MemorySource(const MemoryBytes* bytes) {
  return ByteSource{const_cast<MemoryBytes*>(bytes), bytes->size, ReadMemory};
}

bool FindWaveLayout(const ByteSource& source, WaveLayout* layout) {
  *layout = WaveLayout{};
  uint8_t riff[12];
  if (source.size < 12 || !source.read(source.context, 0, riff, 12)) return false;
  if (std::memcmp(riff, "RIFF", 4) != 0 || std::memcmp(riff + 8, "WAVE", 4) != 0) return false;
  // The RIFF chunk's own size bounds the search; a file cut short bounds it further.
  uint64_t riffEnd = 8 + static_cast<uint64_t>(Le32(riff + 4));
  if (riffEnd > source.size) riffEnd = source.size;

  Chunk format;
  if (!FindChunk(source, 12, riffEnd, "fmt ", &format)) return false;
  if (format.size < kPcmFormatBytes || format.dataOffset + kPcmFormatBytes > riffEnd) return false;
  uint32_t formatOffset = static_cast<uint32_t>(format.dataOffset);
  if (!source.read(source.context, formatOffset, layout->pcmFormat, kPcmFormatBytes)) return false;

  // Other formats than PCM carry cbSize and that many extra bytes, all of
  // which must lie inside the "fmt " chunk. A 16-byte chunk has no count: 0.
  if (Le16(layout->pcmFormat) != kWaveFormatPcm && format.size >= kWaveFormatExBytes) {
    uint8_t count[2];
    if (format.dataOffset + kWaveFormatExBytes > riffEnd ||
        !source.read(source.context, formatOffset + kPcmFormatBytes, count, 2)) {
      return false;
    }
    uint16_t extra = Le16(count);
    if (kWaveFormatExBytes + static_cast<uint32_t>(extra) > format.size ||
        format.dataOffset + kWaveFormatExBytes + extra > riffEnd) {
      return false;
    }
    layout->extraBytes = extra;
    layout->extraOffset = formatOffset + kWaveFormatExBytes;
  }

  Chunk data;
  if (!FindChunk(source, 12, riffEnd, "data", &data)) return false;
  // Every sample byte must be in the file: a truncated file is refused.
  if (data.dataOffset + data.size > source.size) return false;
  layout->dataOffset = static_cast<uint32_t>(data.dataOffset);
  layout->dataBytes = data.size;
  return true;
}

uint32_t WaveFormatBlockBytes(const WaveLayout& layout) {
  return kWaveFormatExBytes + layout.extraBytes;
}

bool ReadWaveFormatBlock(const ByteSource& source, const WaveLayout& layout, uint8_t* block) {
  std::memcpy(block, layout.pcmFormat, kPcmFormatBytes);
  block[16] = static_cast<uint8_t>(layout.extraBytes & 0xFF);
  block[17] = static_cast<uint8_t>(layout.extraBytes >> 8);
  if (layout.extraBytes == 0) return true;
  return source.read(source.context, layout.extraOffset, block + kWaveFormatExBytes,
                     layout.extraBytes);
}

bool ReadResourceWave(const uint8_t* data, uint32_t size, ResourceWave* wave) {
  *wave = ResourceWave{};
  if (!data || size < kResourceHeaderBytes) return false;
  uint32_t sampleBytes = Le32(data + kResourceSizeOffset);
  if (sampleBytes > size - kResourceHeaderBytes) return false;  // shorter than its header says
  wave->pcmFormat = data + kResourceFormatOffset;
  wave->samples = data + kResourceHeaderBytes;
  wave->sampleBytes = sampleBytes;
  return true;
}

}  // namespace mu
