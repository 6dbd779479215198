// Reads WAVE files through the multimedia file I/O (mmio): the layout checks
// are the platform-free ones of wave_format; this file only supplies the bytes
// and the two memory blocks.
#include <climits>

#include "sound/sound_table.h"
#include "sound/wave_format.h"

namespace muSound {

namespace {

bool ReadMmio(void* context, uint32_t offset, void* out, uint32_t length) {
  HMMIO file = static_cast<HMMIO>(context);
  if (length > static_cast<uint32_t>(LONG_MAX) || offset > static_cast<uint32_t>(LONG_MAX)) {
    return false;
  }
  if (mmioSeek(file, static_cast<LONG>(offset), SEEK_SET) != static_cast<LONG>(offset))
    return false;
  if (length == 0) return true;
  return mmioRead(file, static_cast<HPSTR>(out), static_cast<LONG>(length)) ==
         static_cast<LONG>(length);
}

}  // namespace

int ReadWaveFile(const char* path, WAVEFORMATEX** format, DWORD* formatBytes, BYTE** samples,
                 DWORD* sampleBytes) {
  *format = nullptr;
  *formatBytes = 0;
  *samples = nullptr;
  *sampleBytes = 0;
  HMMIO file = mmioOpenA(const_cast<LPSTR>(path), nullptr, MMIO_ALLOCBUF | MMIO_READ);
  if (!file) return 1;
  LONG end = mmioSeek(file, 0, SEEK_END);
  mu::ByteSource source{file, end > 0 ? static_cast<uint32_t>(end) : 0, ReadMmio};
  mu::WaveLayout layout;
  bool ok = end > 0 && mu::FindWaveLayout(source, &layout);
  if (ok) {
    *formatBytes = mu::WaveFormatBlockBytes(layout);
    *format = static_cast<WAVEFORMATEX*>(GlobalAlloc(GMEM_FIXED, *formatBytes));
    ok = *format && mu::ReadWaveFormatBlock(source, layout, reinterpret_cast<uint8_t*>(*format));
  }
  if (ok) {
    // The layout guarantees that all dataBytes are in the file, so this block
    // is never larger than the file itself.
    *samples = static_cast<BYTE*>(GlobalAlloc(GMEM_FIXED, layout.dataBytes ? layout.dataBytes : 1));
    ok = *samples && ReadMmio(file, layout.dataOffset, *samples, layout.dataBytes);
    if (ok) *sampleBytes = layout.dataBytes;
  }
  mmioClose(file, 0);
  if (ok) return 0;
  if (*samples) GlobalFree(*samples);
  if (*format) GlobalFree(*format);
  *samples = nullptr;
  *format = nullptr;
  *sampleBytes = 0;
  return 1;
}

}  // namespace muSound
