#include "sound/sound_pack.h"

#include <cstring>

#include "app/little_endian.h"

namespace mu {

namespace {

constexpr uint32_t kSizeBytes = 4;
constexpr uint32_t kNameField = kPackNameMax + 1;  // name bytes with the zero

bool ReadStdio(void* context, uint32_t offset, void* out, uint32_t length) {
  FileBytes* bytes = static_cast<FileBytes*>(context);
  if (offset != bytes->position) {
    if (offset > 0x7FFFFFFFu || std::fseek(bytes->file, static_cast<long>(offset), SEEK_SET) != 0)
      return false;
    bytes->position = offset;
  }
  if (length == 0) return true;
  size_t got = std::fread(out, 1, length, bytes->file);
  bytes->position += static_cast<uint32_t>(got);
  return got == length;
}

}  // namespace

bool FindPackEntry(const ByteSource& source, const char* name, PackEntry* entry) {
  *entry = PackEntry{};
  uint64_t position = 0;
  // Each entry's fixed part is read at once: Size, up to 128 name bytes and
  // HeadSize (less where the file ends first).
  uint8_t head[kSizeBytes + kNameField + kSizeBytes];
  while (position < source.size) {
    uint64_t left = source.size - position;
    uint32_t got = left < sizeof head ? static_cast<uint32_t>(left) : sizeof head;
    if (got < kSizeBytes + 1 + kSizeBytes) return false;
    if (!source.read(source.context, static_cast<uint32_t>(position), head, got)) return false;
    uint32_t nameRoom = got - kSizeBytes < kNameField ? got - kSizeBytes : kNameField;
    const uint8_t* nameBytes = head + kSizeBytes;
    const void* zero = std::memchr(nameBytes, 0, nameRoom);
    if (!zero) return false;  // the name runs past 127 characters or past the file's end
    uint32_t nameLength = static_cast<uint32_t>(static_cast<const uint8_t*>(zero) - nameBytes);
    uint32_t headSizeAt = kSizeBytes + nameLength + 1;
    if (headSizeAt + kSizeBytes > got) return false;

    uint32_t sampleBytes = Le32(head);
    uint32_t formatBytes = Le32(head + headSizeAt);
    uint64_t formatOffset = position + headSizeAt + kSizeBytes;
    uint64_t end = formatOffset + formatBytes + sampleBytes;
    if (formatBytes < kPackFormatMin || formatBytes > kPackFormatMax || end > source.size)
      return false;
    if (std::strcmp(reinterpret_cast<const char*>(nameBytes), name) == 0) {
      entry->sampleBytes = sampleBytes;
      entry->formatBytes = formatBytes;
      entry->formatOffset = static_cast<uint32_t>(formatOffset);
      entry->dataOffset = static_cast<uint32_t>(formatOffset + formatBytes);
      return true;
    }
    position = end;
  }
  return false;
}

uint32_t PackFormatBlockBytes(const PackEntry& entry) {
  return entry.formatBytes < kWaveFormatExBytes ? kWaveFormatExBytes : entry.formatBytes;
}

bool ReadPackFormat(const ByteSource& source, const PackEntry& entry, uint8_t* block,
                    SoundFormat* format) {
  std::memset(block, 0, PackFormatBlockBytes(entry));
  if (!source.read(source.context, entry.formatOffset, block, entry.formatBytes)) return false;
  format->tag = Le16(block);
  format->channels = Le16(block + 2);
  format->samplesPerSec = Le32(block + 4);
  format->avgBytesPerSec = Le32(block + 8);
  format->blockAlign = Le16(block + 12);
  format->bits = Le16(block + 14);
  format->extraBytes = Le16(block + 16);
  return kWaveFormatExBytes + static_cast<uint32_t>(format->extraBytes) <=
         PackFormatBlockBytes(entry);
}

ByteSource FileSource(FileBytes* bytes) {
  uint32_t size = 0;
  if (std::fseek(bytes->file, 0, SEEK_END) == 0) {
    long end = std::ftell(bytes->file);
    if (end > 0) size = static_cast<uint32_t>(end);
  }
  // The next read seeks back to where it starts.
  bytes->position = 0xFFFFFFFFu;
  return ByteSource{bytes, size, ReadStdio};
}

PackFile::PackFile(const char* path) {
  bytes_.file = path && path[0] ? std::fopen(path, "rb") : nullptr;
  // The reads are large (a chunk, the samples) or scattered (the entry scan
  // seeks past every entry): each goes straight to the file, unbuffered.
  if (bytes_.file) std::setvbuf(bytes_.file, nullptr, _IONBF, 0);
  if (bytes_.file) source_ = FileSource(&bytes_);
}

void PackFile::close() {
  if (bytes_.file) std::fclose(bytes_.file);
  bytes_.file = nullptr;
  source_ = ByteSource{};
}

bool WritePackEntry(std::FILE* file, const char* name, const uint8_t* format, uint32_t formatBytes,
                    const uint8_t* samples, uint32_t sampleBytes) {
  size_t nameBytes = std::strlen(name) + 1;
  if (nameBytes > kNameField || formatBytes < kPackFormatMin || formatBytes > kPackFormatMax)
    return false;
  uint8_t size[kSizeBytes], headSize[kSizeBytes];
  PutLe32(size, sampleBytes);
  PutLe32(headSize, formatBytes);
  return std::fwrite(size, 1, kSizeBytes, file) == kSizeBytes &&
         std::fwrite(name, 1, nameBytes, file) == nameBytes &&
         std::fwrite(headSize, 1, kSizeBytes, file) == kSizeBytes &&
         std::fwrite(format, 1, formatBytes, file) == formatBytes &&
         (sampleBytes == 0 || std::fwrite(samples, 1, sampleBytes, file) == sampleBytes);
}

}  // namespace mu
